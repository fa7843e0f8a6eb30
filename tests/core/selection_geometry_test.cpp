#include "core/selection_geometry.h"

#include <gtest/gtest.h>

namespace {

struct HandleCase {
    const char* name;
    int left, top, width, height;
    CanvasFrame canvas;
    HandlePlacement want[8];  // upper left, middle left, lower left, bottom middle,
                              // lower right, middle right, upper right, top middle
};

const HandleCase kCases[] = {
    // At the canvas origin with the canvas at (1, 1): left column and top row hide.
    {"AtCanvasOrigin",
     0,
     0,
     150,
     100,
     {1, 1, 980, 678},
     {{-2, -2, false},
      {-2, 50, false},
      {-2, 102, false},
      {75, 102, true},
      {152, 102, true},
      {152, 52, true},
      {152, -2, false},
      {75, -2, false}}},
    // Inside: everything shows; the right-middle handle sits 2 px lower.
    {"Inside",
     100,
     50,
     150,
     100,
     {1, 1, 980, 678},
     {{98, 48, true},
      {98, 100, true},
      {98, 152, true},
      {175, 152, true},
      {252, 152, true},
      {252, 102, true},
      {252, 48, true},
      {175, 48, true}}},
    // Odd sizes: the halves are truncated last.
    {"OddSize",
     10,
     20,
     5,
     7,
     {1, 1, 980, 678},
     {{8, 18, true},
      {8, 23, true},
      {8, 29, true},
      {12, 29, true},
      {17, 29, true},
      {17, 25, true},
      {17, 18, true},
      {12, 18, true}}},
    // Negative positions truncate toward zero.
    {"NegativeHalf",
     -11,
     -21,
     5,
     7,
     {1, 1, 980, 678},
     {{-13, -23, false},
      {-13, -17, false},
      {-13, -12, false},
      {-8, -12, false},
      {-4, -12, false},
      {-4, -15, false},
      {-4, -23, false},
      {-8, -23, false}}},
    // Past the canvas width on the right: the right column hides; x = width still shows.
    {"RightEdge",
     830,
     10,
     150,
     100,
     {1, 1, 980, 678},
     {{828, 8, true},
      {828, 60, true},
      {828, 112, true},
      {905, 112, true},
      {982, 112, false},
      {982, 62, false},
      {982, 8, false},
      {905, 8, true}}},
    {"ExactlyAtWidth",
     828,
     10,
     150,
     100,
     {1, 1, 980, 678},
     {{826, 8, true},
      {826, 60, true},
      {826, 112, true},
      {903, 112, true},
      {980, 112, true},
      {980, 62, true},
      {980, 8, true},
      {903, 8, true}}},
    // Below the canvas height the bottom row hides.
    {"BottomEdge",
     10,
     600,
     150,
     100,
     {1, 1, 980, 678},
     {{8, 598, true},
      {8, 650, true},
      {8, 702, false},
      {85, 702, false},
      {162, 702, false},
      {162, 652, true},
      {162, 598, true},
      {85, 598, true}}},
};

class HandlePlacementTest : public ::testing::TestWithParam<HandleCase> {};

}  // namespace

TEST_P(HandlePlacementTest, PositionsAndVisibility) {
    const HandleCase& c = GetParam();
    const auto got = placeHandles(c.top, c.top + c.height, c.left, c.left + c.width, c.width,
                                  c.height, c.canvas);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].x, c.want[i].x);
        EXPECT_EQ(got[i].y, c.want[i].y);
        EXPECT_EQ(got[i].visible, c.want[i].visible);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HandlePlacementTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HandleCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(FocusValues, RelativeToThePicture) {
    const FocusValues f = focusValues(10, 20, 150, 100, 0, 0);
    EXPECT_EQ(f.left, 10);
    EXPECT_EQ(f.right, 160);
    EXPECT_EQ(f.top, 20);
    EXPECT_EQ(f.bottom, 120);
    EXPECT_EQ(f.width, 150);
    EXPECT_EQ(f.height, 100);
    // A picture dragged to (30, 40) shifts the values; off the picture they go negative.
    const FocusValues g = focusValues(10, 20, 150, 100, 30, 40);
    EXPECT_EQ(g.left, -20);
    EXPECT_EQ(g.right, 130);
    EXPECT_EQ(g.top, -20);
    EXPECT_EQ(g.bottom, 80);
}
