#include "core/hotspot_face.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>
#include <string>
#include <utility>

namespace {

const PackedColour kFill = packRgb(255, 0, 255);
const PackedColour kBorder = packRgb(0, 128, 0);

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
int le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

// Reads pixel (x, y), y counted from the top, out of a bottom-up 24-bit BMP.
PackedColour pixel(const Bytes& bmp, int x, int y) {
    const int w = static_cast<int>(le32(bmp, 18)), h = static_cast<int>(le32(bmp, 22));
    const std::size_t rowBytes = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    const std::uint8_t* p = bmp.data() + le32(bmp, 10) + rowBytes * (h - 1 - y) + x * 3;
    return packRgb(p[2], p[1], p[0]);
}

void expectHeader(const Bytes& bmp, int w, int h) {
    const std::size_t rowBytes = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    ASSERT_EQ(bmp.size(), 54 + rowBytes * h);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(le32(bmp, 10), 54u);  // no palette
    EXPECT_EQ(le32(bmp, 14), 40u);
    EXPECT_EQ(le32(bmp, 18), static_cast<std::uint32_t>(w));
    EXPECT_EQ(le32(bmp, 22), static_cast<std::uint32_t>(h));  // positive: bottom-up
    EXPECT_EQ(le16(bmp, 26), 1);
    EXPECT_EQ(le16(bmp, 28), 24);
    EXPECT_EQ(le32(bmp, 30), 0u);
    // Row padding stays zero.
    for (int y = 0; y < h; ++y)
        for (std::size_t pad = w * 3; pad < rowBytes; ++pad)
            EXPECT_EQ(bmp[54 + rowBytes * y + pad], 0) << "row " << y;
}

bool onFrame(int x, int y, int w, int h) { return x < 2 || x >= w - 2 || y < 2 || y >= h - 2; }

}  // namespace

TEST(HotspotFace, FixedSizeFaceIsFilledWithATwoPixelFrame) {
    const Bytes bmp = makeHotspotFace(150, 100, kFill, kBorder);
    expectHeader(bmp, 150, 100);
    ASSERT_EQ(bmp.size(), 54u + 452u * 100u);  // 450 bytes of pixels padded to 452
    int fills = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 150; ++x) {
            const PackedColour want = onFrame(x, y, 150, 100) ? kBorder : kFill;
            ASSERT_EQ(pixel(bmp, x, y), want) << x << "," << y;
            fills += want == kFill;
        }
    EXPECT_EQ(fills, 146 * 96);
    // The first stored row is the bottom one; the file keeps blue, green, red.
    EXPECT_EQ(bmp[54], 0);
    EXPECT_EQ(bmp[55], 128);
    EXPECT_EQ(bmp[56], 0);
    const std::size_t inner = 54 + 452 * 50 + 3 * 10;  // a fill pixel in the middle
    EXPECT_EQ(bmp[inner], 255);
    EXPECT_EQ(bmp[inner + 1], 0);
    EXPECT_EQ(bmp[inner + 2], 255);
}

TEST(HotspotFace, TinyFacesAreAllBorder) {
    for (int side : {1, 2, 3}) {
        SCOPED_TRACE(side);
        const Bytes bmp = makeHotspotFace(side, side, kFill, kBorder);
        expectHeader(bmp, side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) EXPECT_EQ(pixel(bmp, x, y), kBorder);
    }
    EXPECT_EQ(makeHotspotFace(1, 1, kFill, kBorder).size(), 58u);  // one pixel padded to four bytes
    // A 5 x 5 face keeps one fill pixel in its middle.
    const Bytes five = makeHotspotFace(5, 5, kFill, kBorder);
    EXPECT_EQ(pixel(five, 2, 2), kFill);
    EXPECT_EQ(pixel(five, 1, 2), kBorder);
}

TEST(HotspotFace, NoSizeNoPicture) {
    EXPECT_TRUE(makeHotspotFace(0, 10, kFill, kBorder).empty());
    EXPECT_TRUE(makeHotspotFace(10, -1, kFill, kBorder).empty());
}

// A resized hotspot gets its face as a picture straight away: the same pixels as the file.
TEST(HotspotFace, PictureHasTheFilePixels) {
    for (auto [w, h] : {std::pair{1, 1}, {3, 3}, {5, 4}, {2, 9}, {150, 100}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const Picture face = hotspotFacePicture(w, h, kFill, kBorder);
        const Bytes bmp = makeHotspotFace(w, h, kFill, kBorder);
        ASSERT_EQ(face.width, w);
        ASSERT_EQ(face.height, h);
        EXPECT_EQ(face.alpha, nullptr);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = face.rgb + (static_cast<size_t>(y) * w + x) * 3;
                ASSERT_EQ(packRgb(p[0], p[1], p[2]), pixel(bmp, x, y)) << x << "," << y;
            }
    }
    EXPECT_TRUE(hotspotFacePicture(0, 5, kFill, kBorder).empty());
}

TEST(TransparencyRange, WritesBackOnlyOutsideOneToHundred) {
    EXPECT_TRUE(transparencyAboveRange(250));
    EXPECT_TRUE(transparencyAboveRange(100.000001));
    EXPECT_FALSE(transparencyAboveRange(100.00000001));
    EXPECT_FALSE(transparencyAboveRange(100));
    EXPECT_TRUE(transparencyBelowRange(0));
    EXPECT_TRUE(transparencyBelowRange(-5));
    EXPECT_FALSE(transparencyBelowRange(1));
    EXPECT_FALSE(transparencyBelowRange(0.99999999));
}

// The pixels the canvas gets are the pixels of the face's file, at every size.
TEST(HotspotFace, PixelsMatchTheFacesFile) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {2, 3}, {5, 5}, {150, 100}, {7, 300}}) {
        const Picture face = hotspotFacePicture(w, h, kFill, kBorder);
        const Bytes bmp = makeHotspotFace(w, h, kFill, kBorder);
        ASSERT_EQ(face.width, w);
        ASSERT_EQ(face.height, h);
        EXPECT_EQ(face.alpha, nullptr);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* px = face.rgb + (y * w + x) * 3;
                ASSERT_EQ(packRgb(px[0], px[1], px[2]), pixel(bmp, x, y)) << w << "x" << h << " " << x << "," << y;
            }
    }
    EXPECT_TRUE(hotspotFacePicture(0, 5, kFill, kBorder).empty());
}

// A resized face repaints only where the canvas changes: every pixel that differs
// between before and after lies in one of the rectangles.
TEST(HotspotFace, ResizedFaceChangesOnlyWhereTheRectanglesSay) {
    struct Resize {
        RectXYWH before, after;
    };
    const Resize cases[] = {
        {{20, 10, 60, 40}, {20, 10, 75, 48}},   // from the lower right corner
        {{20, 10, 60, 40}, {5, 10, 75, 40}},    // from the left edge
        {{20, 10, 60, 40}, {20, 47, 60, 3}},    // nearly flat
        {{20, 10, 60, 40}, {70, 60, 20, 20}},   // moved away altogether
        {{20, 10, 3, 3}, {20, 10, 30, 30}},     // from all frame
    };
    for (const Resize& c : cases) {
        SCOPED_TRACE(std::to_string(c.after.x) + "," + std::to_string(c.after.y) + " " +
                     std::to_string(c.after.w) + "x" + std::to_string(c.after.h));
        CanvasStore store;
        const int picture = store.create(0, 0);
        std::vector<std::uint8_t> rgb(120 * 100 * 3);
        for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7 % 251);
        store.setPicture(picture, Picture::fromPlanes(120, 100, rgb));
        const int face = store.create(c.before.x, c.before.y);
        store.setTransparency(face, 50);
        auto paint = [&store](const RectXYWH& r) {
            store.move(2, r.x, r.y);
            store.setPicture(2, hotspotFacePicture(r.w, r.h, kFill, kBorder));
            std::vector<std::uint8_t> out(120 * 100 * 3);
            store.compose(out.data(), 0, 0, 120, 100, 120 * 3);
            return out;
        };
        const auto before = paint(c.before), after = paint(c.after);
        const std::vector<RectXYWH> changes = framedFaceChanges(c.before, c.after);
        EXPECT_LE(changes.size(), 8u);
        long changed = 0, repainted = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 120; ++x) {
                bool covered = false;
                for (const RectXYWH& r : changes)
                    covered |= x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                repainted += covered;
                const size_t at = (static_cast<size_t>(y) * 120 + x) * 3;
                if (std::memcmp(&before[at], &after[at], 3) != 0) {
                    ++changed;
                    ASSERT_TRUE(covered) << x << "," << y;
                }
            }
        EXPECT_GT(changed, 0);
        // A drag of the corner leaves the shared inside alone: less than half the new face.
        if (&c == &cases[0]) {
            EXPECT_LT(repainted, c.after.w * c.after.h / 2);
        }
    }
}
