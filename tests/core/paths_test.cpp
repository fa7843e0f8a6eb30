// Where the program is and where it may keep files.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/paths.h"

namespace {

bool exists(const std::string& path) { return std::ifstream(path).good(); }

TEST(Paths, ExecutableDirHoldsThisTestProgram) {
    const std::string dir = platform::executableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), platform::pathSeparator());
    const std::string here = dir + platform::pathSeparator() + "core_tests";
    EXPECT_TRUE(exists(here) || exists(here + ".exe")) << dir;
}

TEST(Paths, UserCacheDirIsTheProgramsOwnFolder) {
    const std::string dir = platform::userCacheDir();
    const std::string tail = std::string(1, platform::pathSeparator()) + "huizhan-hotspots";
    ASSERT_GT(dir.size(), tail.size());
    EXPECT_EQ(dir.substr(dir.size() - tail.size()), tail);
}

TEST(Paths, HiddenAttributeNeedsAnExistingPath) {
    const std::string file = platform::executableDir() + platform::pathSeparator() + "hidden_probe.txt";
    std::ofstream(file) << "x";
    EXPECT_TRUE(platform::setHiddenAttributeOnly(file));
    std::remove(file.c_str());
    EXPECT_FALSE(platform::setHiddenAttributeOnly(file));
}

}  // namespace
