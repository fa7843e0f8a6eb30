#include <gtest/gtest.h>

#include "core/canvas_store.h"

namespace {
Picture solid(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b,
              std::vector<std::uint8_t> alpha = {}) {
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < w * h; ++i) rgb.insert(rgb.end(), {r, g, b});
    return Picture::fromPlanes(w, h, std::move(rgb), std::move(alpha));
}
}  // namespace

TEST(CanvasStore, NumberingNeverRestarts) {
    CanvasStore s;
    EXPECT_EQ(s.create(0, 0), 1);
    EXPECT_EQ(s.create(0, 0), 2);
    EXPECT_EQ(s.create(0, 0), 3);
    EXPECT_TRUE(s.remove(2));
    EXPECT_FALSE(s.remove(2));
    EXPECT_EQ(s.create(0, 0), 4);
    std::vector<int> announced;
    s.removeAll([&](int id) { announced.push_back(id); });
    EXPECT_EQ(announced, (std::vector<int>{1, 3, 4}));
    EXPECT_TRUE(s.objects().empty());
    EXPECT_EQ(s.create(0, 0), 5);
}

TEST(CanvasStore, PositionsAreDoublesReadTruncated) {
    CanvasStore s;
    int id = s.create(3, 4);
    EXPECT_EQ(s.width(id), 0);  // no picture: 0 x 0
    EXPECT_EQ(s.height(id), 0);
    s.move(id, 10.9, -0.5);
    EXPECT_EQ(s.left(id), 10);
    EXPECT_EQ(s.top(id), 0);
    s.move(id, -10.9, 7.2);
    EXPECT_EQ(s.left(id), -10);
    s.setPicture(id, solid(5, 6, 1, 2, 3));
    EXPECT_EQ(s.width(id), 5);
    EXPECT_EQ(s.height(id), 6);
    EXPECT_EQ(s.left(99), 0);  // missing object
    EXPECT_EQ(s.width(99), 0);
}

TEST(CanvasStore, HitTestLastToFirstSkippingTransparentPixels) {
    CanvasStore s;
    int picture = s.create(0, 0);
    s.setPicture(picture, solid(2, 1, 0, 0, 0, {0, 255}));  // left pixel fully transparent
    int over = s.create(10, 10);
    s.setPicture(over, solid(4, 4, 9, 9, 9));
    int top = s.create(12, 12);
    s.setPicture(top, solid(4, 4, 9, 9, 9));
    EXPECT_EQ(s.hitTest(0, 0), 0);
    EXPECT_EQ(s.hitTest(1, 0), picture);
    EXPECT_EQ(s.hitTest(10, 10), over);
    EXPECT_EQ(s.hitTest(13, 13), top);  // the later object wins
    EXPECT_EQ(s.hitTest(14, 14), top);
    EXPECT_EQ(s.hitTest(16, 16), 0);  // [x, x + width) excludes the right edge
    int bare = s.create(50, 50);      // without picture: never hit
    EXPECT_EQ(s.hitTest(50, 50), 0);
    (void)bare;
}

TEST(CanvasStore, BlendingRule) {
    EXPECT_EQ(blendAlpha(0), 0);
    EXPECT_EQ(blendAlpha(50), 128);  // 127.5 rounds up
    EXPECT_EQ(blendAlpha(100), 255);
    // Face 255 over screen 0.
    EXPECT_EQ(blendChannel(0, 255, blendAlpha(0)), 255);
    EXPECT_EQ(blendChannel(0, 255, blendAlpha(50)), 127);  // 255 * 127 / 255
    EXPECT_EQ(blendChannel(0, 255, blendAlpha(100)), 0);
    EXPECT_EQ(blendChannel(200, 0, blendAlpha(50)), 200 - 200 * 127 / 255);

    CanvasStore s;
    s.setBackground(packRgb(0, 0, 0));
    for (int t : {0, 50, 100}) {
        int id = s.create(0, 0);
        s.setPicture(id, solid(1, 1, 255, 0, 255));
        s.setTransparency(id, t);
        std::uint8_t px[3];
        s.compose(px, 0, 0, 1, 1, 3);
        const int a = blendAlpha(t);
        EXPECT_EQ(px[0], blendChannel(0, 255, a)) << "t=" << t;
        EXPECT_EQ(px[1], 0);
        EXPECT_EQ(px[2], blendChannel(0, 255, a));
        s.remove(id);
    }
}

TEST(CanvasStore, ComposePaintsInOrderOverTheBackgroundAndClips) {
    CanvasStore s;
    s.setBackground(packRgb(1, 2, 3));
    int a = s.create(-1, -1);
    s.setPicture(a, solid(3, 3, 100, 100, 100));
    int b = s.create(1, 1);
    s.setPicture(b, solid(3, 3, 200, 0, 0));
    std::vector<std::uint8_t> px(4 * 4 * 3);
    s.compose(px.data(), 0, 0, 4, 4, 12);
    auto at = [&](int x, int y) { return px[(y * 4 + x) * 3]; };
    EXPECT_EQ(at(0, 0), 100);
    EXPECT_EQ(at(1, 1), 200);  // b is painted after a
    EXPECT_EQ(at(3, 3), 200);
    EXPECT_EQ(at(3, 0), 1);  // background (red channel of packRgb(1,2,3))
    EXPECT_EQ(px[(0 * 4 + 3) * 3 + 2], 3);
    // An offset area sees the same pixels.
    std::uint8_t one[3];
    s.compose(one, 3, 3, 1, 1, 3);
    EXPECT_EQ(one[0], 200);
}

TEST(CanvasStore, ComposedBlendMatchesTheRuleForEveryPair) {
    // Every screen value against every face value at a few transparencies.
    for (int t : {1, 37, 50, 99}) {
        CanvasStore s;
        std::vector<std::uint8_t> under, face;
        for (int sv = 0; sv < 256; ++sv)
            for (int fv = 0; fv < 256; ++fv) {
                under.insert(under.end(), {static_cast<std::uint8_t>(sv), 0, 0});
                face.insert(face.end(), {static_cast<std::uint8_t>(fv), 0, 0});
            }
        const int below = s.create(0, 0);
        s.setPicture(below, Picture::fromPlanes(256, 256, under));
        const int above = s.create(0, 0);
        s.setPicture(above, Picture::fromPlanes(256, 256, face));
        s.setTransparency(above, t);
        std::vector<std::uint8_t> out(256 * 256 * 3);
        s.compose(out.data(), 0, 0, 256, 256, 256 * 3);
        const int a = blendAlpha(t);
        for (int sv = 0; sv < 256; ++sv)
            for (int fv = 0; fv < 256; ++fv)
                ASSERT_EQ(out[(sv * 256 + fv) * 3], blendChannel(sv, fv, a))
                    << "t=" << t << " screen=" << sv << " face=" << fv;
    }
}
