#include "core/rubber_band.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace rubberband;

namespace {

// A picture whose every pixel differs from its neighbours, so a misplaced byte shows.
std::vector<std::uint8_t> pattern(int w, int h) {
    std::vector<std::uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return rgb;
}

// Compares the shown frame with the picture: outline pixels of `band` must be the
// picture exclusive-or the band colour where dotted; everything else the picture.
void expectShows(const Frame& f, const RectXYWH& band) {
    const size_t stride = static_cast<size_t>(f.width()) * 3;
    int dots = 0;
    for (int y = 0; y < f.height(); ++y) {
        for (int x = 0; x < f.width(); ++x) {
            const bool onOutline = band.w > 0 && band.h > 0 && x >= band.x && x < band.x + band.w &&
                                   y >= band.y && y < band.y + band.h &&
                                   (x == band.x || x == band.x + band.w - 1 || y == band.y ||
                                    y == band.y + band.h - 1);
            const bool dotted = onOutline && Frame::isDot(x, y);
            dots += dotted;
            for (int c = 0; c < 3; ++c) {
                const size_t at = y * stride + static_cast<size_t>(x) * 3 + c;
                const int want = dotted ? f.picture()[at] ^ Frame::kBandColour[c] : f.picture()[at];
                ASSERT_EQ(f.pixels()[at], want) << "pixel " << x << "," << y;
            }
        }
    }
    if (band.w > 0 && band.h > 0) {
        EXPECT_GT(dots, 0);
    }
}

bool inside(const std::vector<RectXYWH>& strips, int x, int y) {
    for (const RectXYWH& s : strips)
        if (x >= s.x && x < s.x + s.w && y >= s.y && y < s.y + s.h) return true;
    return false;
}

}  // namespace

TEST(RubberBand, ThePointerIsKeptOnTheArea) {
    const struct {
        int x, y;
        Point want;
    } cases[] = {{100, 80, {100, 80}},  {-5, 10, {0, 10}},       {10, -65000, {10, 0}},
                 {981, 700, {980, 678}}, {980, 678, {980, 678}}, {65535, 65535, {980, 678}}};
    for (const auto& c : cases) {
        const Point p = clampToArea(c.x, c.y, 980, 678);
        EXPECT_EQ(p.x, c.want.x) << c.x;
        EXPECT_EQ(p.y, c.want.y) << c.y;
    }
}

TEST(RubberBand, SpannedAndNormalised) {
    const RectXYWH down = spanned({100, 80}, {250, 180});
    EXPECT_EQ((std::vector<int>{down.x, down.y, down.w, down.h}), (std::vector<int>{100, 80, 150, 100}));
    const RectXYWH up = spanned({250, 180}, {100, 80});
    EXPECT_EQ((std::vector<int>{up.x, up.y, up.w, up.h}), (std::vector<int>{250, 180, -150, -100}));
    const RectXYWH n = normalised(up);
    EXPECT_EQ((std::vector<int>{n.x, n.y, n.w, n.h}), (std::vector<int>{100, 80, 150, 100}));
    const RectXYWH mixed = normalised(spanned({50, 10}, {20, 40}));
    EXPECT_EQ((std::vector<int>{mixed.x, mixed.y, mixed.w, mixed.h}), (std::vector<int>{20, 10, 30, 30}));
}

TEST(RubberBand, MovingTheBandRestoresWhatTheOldOneCovered) {
    Frame f;
    f.reset(40, 30, pattern(40, 30));
    expectShows(f, {});
    const std::vector<std::pair<RectXYWH, RectXYWH>> steps = {
        {{5, 4, 10, 8}, {5, 4, 10, 8}},
        {{5, 4, 12, 9}, {5, 4, 12, 9}},      // grows: the old edges overlap the new ones
        {{2, 1, 3, 3}, {2, 1, 3, 3}},        // shrinks elsewhere
        {{7, 7, 1, 1}, {7, 7, 1, 1}},        // a single pixel: its four edges coincide
        {{3, 20, 30, 1}, {3, 20, 30, 1}},    // one row high
        {{30, 20, 10, 10}, {30, 20, 10, 10}},  // reaches the right and bottom edges
        {{0, 0, 40, 30}, {0, 0, 40, 30}},      // the whole frame
        {{10, 10, 0, 5}, {}},                  // no extent: no band
    };
    for (const auto& [band, want] : steps) {
        SCOPED_TRACE(testing::Message() << band.x << "," << band.y << " " << band.w << "x" << band.h);
        const std::vector<std::uint8_t> before(f.pixels(), f.pixels() + 40 * 30 * 3);
        const std::vector<RectXYWH> strips = f.showBand(band);
        expectShows(f, want);
        // Every pixel that changed lies in a strip handed back for repainting.
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                if (std::memcmp(&before[(y * 40 + x) * 3], f.pixels() + (y * 40 + x) * 3, 3) != 0) {
                    ASSERT_TRUE(inside(strips, x, y)) << x << "," << y;
                }
        // The strips are thin: at most four per outline, none bigger than an edge.
        EXPECT_LE(strips.size(), 8u);
        for (const RectXYWH& s : strips) EXPECT_TRUE(s.w == 1 || s.h == 1);
    }
}

TEST(RubberBand, APartlyOutsideBandIsClippedToTheFrame) {
    Frame f;
    f.reset(20, 20, pattern(20, 20));
    const std::vector<RectXYWH> strips = f.showBand({-5, 15, 10, 10});
    for (const RectXYWH& s : strips) {
        EXPECT_GE(s.x, 0);
        EXPECT_LE(s.x + s.w, 20);
        EXPECT_LE(s.y + s.h, 20);
    }
    expectShows(f, {-5, 15, 10, 10});
}
