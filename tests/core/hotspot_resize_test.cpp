#include "core/hotspot_resize.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string show(const RectXYWH& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" +
           std::to_string(r.h);
}

struct ResizeCase {
    const char* name;
    int handle;
    int dx, dy;
    const char* result;  // for a hotspot at 100,50 of 150 x 100 (right 250, bottom 150)
};

const ResizeCase kResizeCases[] = {
    {"UpperLeftBothWays", 0, -10, -20, "90,30 160x120"},
    {"UpperLeftPastTheOppositeCorner", 0, 200, 200, "248,148 2x2"},
    {"MiddleLeftOnlySideways", 1, -10, 99, "90,50 160x100"},
    {"LowerLeft", 2, 10, 10, "110,50 140x110"},
    {"BottomMiddleOnlyDown", 3, 50, -30, "100,50 150x70"},
    {"BottomMiddleAboveTheTop", 3, 0, -500, "100,50 150x2"},
    {"LowerRight", 4, 20, 20, "100,50 170x120"},
    {"LowerRightFarPastTheOppositeCorner", 4, -1000, -1000, "100,50 2x2"},
    {"MiddleRightDownToTwo", 5, -148, 0, "100,50 2x100"},
    {"MiddleRightStopsAtTwo", 5, -149, 7, "100,50 2x100"},
    {"UpperRight", 6, 10, -10, "100,40 160x110"},
    {"TopMiddleOneAboveTheMinimum", 7, 3, 97, "100,147 150x3"},
    {"TopMiddlePastTheBottom", 7, 0, 400, "100,148 150x2"},
    {"NoMovementNoChange", 4, 0, 0, "100,50 150x100"},
    {"MiddleRightAtMostTheLargestSide", 5, 40000, 0, "100,50 32000x100"},
    {"NotAHandle", 8, 30, 30, "100,50 150x100"},
};

class ResizeFromHandle : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(ResizeFromHandle, MovesOnlyItsEdges) {
    const ResizeCase& c = GetParam();
    EXPECT_EQ(show(resizeFromHandle({100, 50, 150, 100}, c.handle, c.dx, c.dy)), c.result);
}

INSTANTIATE_TEST_SUITE_P(Handles, ResizeFromHandle, ::testing::ValuesIn(kResizeCases),
                         [](const ::testing::TestParamInfo<ResizeCase>& p) { return p.param.name; });

}  // namespace

TEST(ResizeFromHandle, EachHandleShowsItsWay) {
    using C = ResizeCursor;
    const C want[8] = {C::diagonalDown, C::sideways, C::diagonalUp, C::upDown,
                       C::diagonalDown, C::sideways, C::diagonalUp, C::upDown};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(handleCursor(i), want[i]) << i;
    EXPECT_EQ(handleCursor(8), C::none);
}

TEST(ResizeFromHandle, TheAreaStaysWithinTheLargestFace) {
    // Both sides at their largest would need a gigabyte: the width gives way.
    EXPECT_EQ(show(resizeFromHandle({0, 0, 2000, 2000}, 4, 30000, 30000)), "0,0 1000x32000");
    // From the left, the right edge stays put.
    EXPECT_EQ(show(resizeFromHandle({0, 0, 2000, 16000}, 1, -30000, 0)), "0,0 2000x16000");
    EXPECT_EQ(show(resizeFromHandle({0, 0, 1000, 16000}, 1, -3000, 0)), "-1000,0 2000x16000");
    EXPECT_EQ(show(resizeFromHandle({0, 0, 1000, 16000}, 7, 0, -30000)), "0,-16000 1000x32000");
}

TEST(TypedValue, LeftAndTopMoveTheOthersResize) {
    const RectXYWH at{10, 20, 150, 100};
    struct Typed {
        FocusBox box;
        const char* text;
        const char* result;  // empty when refused
    };
    const Typed cases[] = {
        {FocusBox::left, "30", "30,20 150x100"},
        {FocusBox::top, "-5", "10,-5 150x100"},
        {FocusBox::left, " 42 ", "42,20 150x100"},
        {FocusBox::left, "+7", "7,20 150x100"},
        {FocusBox::left, "10000000", "10000000,20 150x100"},
        {FocusBox::left, "10000001", ""},
        {FocusBox::right, "200", "10,20 190x100"},
        {FocusBox::right, "12", "10,20 2x100"},
        {FocusBox::right, "11", ""},
        {FocusBox::bottom, "300", "10,20 150x280"},
        {FocusBox::bottom, "20", ""},
        {FocusBox::width, "2", "10,20 2x100"},
        {FocusBox::width, "1", ""},
        {FocusBox::width, "0", ""},
        {FocusBox::width, "-3", ""},
        {FocusBox::height, "32000", "10,20 150x32000"},
        {FocusBox::height, "32001", ""},
        {FocusBox::left, "4.5", ""},
        {FocusBox::left, "abc", ""},
        {FocusBox::left, "", ""},
        {FocusBox::left, "-", ""},
        {FocusBox::left, "1e3", ""},
        {FocusBox::left, "12a", ""},
        {FocusBox::left, "1 2", ""},
        {FocusBox::left, "１２", ""},  // full-width digits
        {FocusBox::width, "99999999999", ""},
    };
    for (const Typed& t : cases) {
        SCOPED_TRACE(std::string(t.text) + " in box " + std::to_string(static_cast<int>(t.box)));
        const std::optional<RectXYWH> r = applyTypedValue(at, t.box, t.text);
        EXPECT_EQ(r ? show(*r) : std::string(), t.result);
    }
    // A width allowed on its own can still make a face too large with the height.
    EXPECT_FALSE(applyTypedValue({0, 0, 2000, 100}, FocusBox::height, "20000"));
    EXPECT_TRUE(applyTypedValue({0, 0, 1000, 100}, FocusBox::height, "20000"));
}

TEST(Nudge, ArrowsMoveOneAndWithCtrlTen) {
    EXPECT_EQ(nudgeOffset(Arrow::left, 0).x, -1);
    EXPECT_EQ(nudgeOffset(Arrow::right, 0).x, 1);
    EXPECT_EQ(nudgeOffset(Arrow::up, 1).y, -10);
    EXPECT_EQ(nudgeOffset(Arrow::down, 1).y, 10);
    for (int state : {2, 3, 4, 5}) {
        const Point p = nudgeOffset(Arrow::down, state);
        EXPECT_EQ(p.x, 0);
        EXPECT_EQ(p.y, 0) << state;
    }
    EXPECT_EQ(nudgeOffset(Arrow::none, 0).x, 0);
}

TEST(Wheel, ANotchIsTheDesktopsLinesOrAPage) {
    int rest = 0;
    EXPECT_EQ(wheelPixels(120, 120, 3, false, 20, 678, rest), 60);
    EXPECT_EQ(wheelPixels(-240, 120, 3, false, 20, 678, rest), -120);
    EXPECT_EQ(wheelPixels(120, 120, 3, true, 20, 678, rest), 678);
    EXPECT_EQ(wheelPixels(120, 0, 3, false, 20, 678, rest), 0);
    EXPECT_EQ(rest, 0);
    // A smooth wheel turns by a fraction of a notch: the pixels come as they add up.
    std::string got;
    for (int rotation : {1, 1, 1, 1, -1, -1, -1}) got += std::to_string(wheelPixels(rotation, 120, 3, false, 20, 678, rest)) + " ";
    EXPECT_EQ(got, "0 1 0 1 0 -1 0 ");
}

TEST(Wheel, ThePictureNeverLeavesMoreThanTheCanvasEmpty) {
    struct Scroll {
        int position, step, result;
    };
    // A 20000 pixel picture on a 678 pixel canvas: its top edge stays within -20000 ... 678.
    const Scroll cases[] = {
        {0, 60, 60},       {650, 60, 678},      {678, 60, 678},       {700, 60, 700},
        {700, -60, 640},   {-19990, -60, -20000}, {-20100, -60, -20100}, {-20100, 60, -20040},
        {-5000, 0, -5000}, {0, -60, -60},
    };
    for (const Scroll& s : cases)
        EXPECT_EQ(scrollTarget(s.position, s.step, 20000, 678), s.result)
            << s.position << " by " << s.step;
}
