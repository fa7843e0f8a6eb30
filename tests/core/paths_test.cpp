// Where the program is and where it may keep files.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/files.h"

namespace {

bool exists(const std::string& path) { return std::ifstream(path).good(); }

TEST(Paths, ExecutableDirectoryHoldsThisTestProgram) {
    const std::string dir = platform::executableDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), platform::kPreferredSeparator);
    const std::string here = dir + platform::kPreferredSeparator + "core_tests";
    EXPECT_TRUE(exists(here) || exists(here + ".exe")) << dir;
}

TEST(Paths, UserCacheDirectoryIsAnAbsolutePath) {
    const std::string dir = platform::userCacheDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), platform::kPreferredSeparator);
    EXPECT_TRUE(dir[0] == '/' || (dir.size() > 2 && dir[1] == ':')) << dir;
}

TEST(Paths, HiddenAttributeNeedsAnExistingPath) {
    const std::string file =
        platform::executableDirectory() + platform::kPreferredSeparator + "hidden_probe.txt";
    std::ofstream(file) << "x";
    EXPECT_TRUE(platform::setHidden(file));
    std::remove(file.c_str());
    EXPECT_FALSE(platform::setHidden(file));
}

}  // namespace
