// What the program opens when it is started with files: the command line read into
// one request, and a remembered window fitted to the screen it comes back on.
#include "core/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/window_place.h"

namespace {

using startup::StartKind;

struct LineCase {
    const char* name;
    std::vector<std::string> args;
    StartKind kind;
    std::string path;
    int count;
};

class CommandLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLine, ReadsWhatToOpen) {
    const LineCase& c = GetParam();
    const startup::StartRequest r = startup::readCommandLine(c.args, "/home/用户/文档");
    EXPECT_EQ(r.kind, c.kind);
    EXPECT_EQ(r.path, c.path);
    EXPECT_EQ(r.count, c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    ::testing::Values(
        LineCase{"none", {}, StartKind::nothing, "", 0},
        LineCase{"onlyEmptyArguments", {"", ""}, StartKind::nothing, "", 0},
        LineCase{"oneProject",
                 {"/tmp/店铺 首页.hzproj"},
                 StartKind::project,
                 "/tmp/店铺 首页.hzproj",
                 1},
        LineCase{
            "projectExtensionInAnyCase", {"/tmp/A.HZProj"}, StartKind::project, "/tmp/A.HZProj", 1},
        LineCase{"relativeProjectFromTheWorkingFolder",
                 {"../工程/a.hzproj"},
                 StartKind::project,
                 "/home/用户/工程/a.hzproj",
                 1},
        LineCase{"onePicture", {"banner.png"}, StartKind::picture, "/home/用户/文档/banner.png", 1},
        // Not a project by its name: the picture loader says what it is not.
        LineCase{"anyOtherFileGoesToThePictureLoader",
                 {"./notes.hzproj.txt"},
                 StartKind::picture,
                 "/home/用户/文档/notes.hzproj.txt",
                 1},
        LineCase{
            "justTheExtensionIsNoProject", {"/tmp/.hzproj"}, StartKind::picture, "/tmp/.hzproj", 1},
        // A file that is not there keeps its kind: its opener reports it as for any unreadable
        // file.
        LineCase{"missingProject",
                 {"/no/such/工程.hzproj"},
                 StartKind::project,
                 "/no/such/工程.hzproj",
                 1},
        LineCase{"several", {"/tmp/a.hzproj", "/tmp/b.png"}, StartKind::tooMany, "", 2},
        LineCase{"severalWithEmptiesBetween",
                 {"a.png", "", "b.png", "c.png"},
                 StartKind::tooMany,
                 "",
                 3}),
    [](const ::testing::TestParamInfo<LineCase>& p) { return std::string(p.param.name); });

TEST(CommandLineMessage, NamesTheCount) {
    EXPECT_EQ(startup::tooManyFilesMessage(2),
              "一次只能打开一个工程或一张图片，收到了 2 个文件，没有打开其中任何一个");
}

struct PlaceCase {
    const char* name;
    place::WindowRect saved;
    place::WindowRect screen;
    bool kept;
    place::WindowRect expected;
};

class WindowPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(WindowPlace, FitsTheScreen) {
    const PlaceCase& c = GetParam();
    const auto r = place::fitToScreen(c.saved, c.screen);
    ASSERT_EQ(r.has_value(), c.kept);
    if (c.kept) {
        EXPECT_EQ(r->x, c.expected.x);
        EXPECT_EQ(r->y, c.expected.y);
        EXPECT_EQ(r->width, c.expected.width);
        EXPECT_EQ(r->height, c.expected.height);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowPlace,
    ::testing::Values(
        PlaceCase{"onTheScreenStaysAsItWas",
                  {100, 80, 1000, 700},
                  {0, 0, 1600, 1200},
                  true,
                  {100, 80, 1000, 700}},
        // A second display to the right, or a work area that starts below a panel.
        PlaceCase{"onAnOffsetWorkArea",
                  {1700, 50, 971, 700},
                  {1600, 30, 1920, 1050},
                  true,
                  {1700, 50, 971, 700}},
        PlaceCase{"screenShrankTheWindowShrinksWithIt",
                  {200, 100, 2400, 1500},
                  {0, 0, 1280, 1024},
                  true,
                  {0, 0, 1280, 1024}},
        PlaceCase{"offTheRightAndBottomMovesBack",
                  {1500, 1100, 971, 700},
                  {0, 0, 1600, 1200},
                  true,
                  {629, 500, 971, 700}},
        PlaceCase{"offTheLeftAndTopMovesBack",
                  {-5000, -300, 971, 700},
                  {0, 30, 1600, 1170},
                  true,
                  {0, 30, 971, 700}},
        PlaceCase{"farAwayPositionsDoNotOverflow",
                  {2000000000, -2000000000, 971, 700},
                  {0, 0, 1600, 1200},
                  true,
                  {629, 0, 971, 700}},
        PlaceCase{"smallestSizeKept", {0, 0, 100, 100}, {0, 0, 1600, 1200}, true, {0, 0, 100, 100}},
        PlaceCase{"absurdlyWide", {0, 0, 100000, 700}, {0, 0, 1600, 1200}, false, {}},
        PlaceCase{"absurdlyTall", {0, 0, 971, 16385}, {0, 0, 1600, 1200}, false, {}},
        PlaceCase{"tooSmall", {0, 0, 99, 700}, {0, 0, 1600, 1200}, false, {}},
        PlaceCase{"negativeSize", {0, 0, -971, -700}, {0, 0, 1600, 1200}, false, {}},
        PlaceCase{"noScreen", {0, 0, 971, 700}, {0, 0, 0, 0}, false, {}}),
    [](const ::testing::TestParamInfo<PlaceCase>& p) { return std::string(p.param.name); });

}  // namespace
