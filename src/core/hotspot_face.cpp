#include "core/hotspot_face.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

}  // namespace

namespace {

// The face's pixels, top row first, as 24-bit RGB: the fill, then the frame lines
// drawn over it, positions outside a tiny face skipped.
std::vector<std::uint8_t> facePixels(int W, int H, PackedColour fill, PackedColour border) {
    const std::size_t row = static_cast<std::size_t>(W) * 3;
    std::vector<std::uint8_t> rgb(row * H);
    auto paint = [&](std::uint8_t* px, int count, PackedColour c) {
        for (int i = 0; i < count; ++i, px += 3) {
            px[0] = static_cast<std::uint8_t>(redOf(c));
            px[1] = static_cast<std::uint8_t>(greenOf(c));
            px[2] = static_cast<std::uint8_t>(blueOf(c));
        }
    };
    // One inner row, copied down the face; then the frame rows and columns.
    paint(rgb.data(), W, fill);
    for (int x : {0, 1, W - 2, W - 1})
        if (x >= 0 && x < W) paint(rgb.data() + static_cast<std::size_t>(x) * 3, 1, border);
    for (int y = 1; y < H; ++y) std::memcpy(rgb.data() + row * y, rgb.data(), row);
    for (int y : {0, 1, H - 2, H - 1})
        if (y >= 0 && y < H) paint(rgb.data() + row * y, W, border);
    return rgb;
}

}  // namespace

Bytes makeHotspotFace(int width, int height, PackedColour fill, PackedColour border) {
    if (width <= 0 || height <= 0) return {};
    const int W = width, H = height;
    const std::size_t rowBytes = (static_cast<std::size_t>(W) * 3 + 3) / 4 * 4;
    const std::size_t imageBytes = rowBytes * H;
    const std::size_t headers = 14 + 40;
    Bytes bmp(headers + imageBytes, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(bmp, 2, static_cast<std::uint32_t>(bmp.size()));
    put32(bmp, 10, static_cast<std::uint32_t>(headers));
    put32(bmp, 14, 40);
    put32(bmp, 18, static_cast<std::uint32_t>(W));
    put32(bmp, 22, static_cast<std::uint32_t>(H));  // positive: rows bottom-up
    put16(bmp, 26, 1);                              // planes
    put16(bmp, 28, 24);                             // bits per pixel
    put32(bmp, 30, 0);                              // no compression
    put32(bmp, 34, static_cast<std::uint32_t>(imageBytes));

    // The file stores the bottom row first, each pixel blue, green, red.
    const std::vector<std::uint8_t> rgb = facePixels(W, H, fill, border);
    for (int y = 0; y < H; ++y) {
        const std::uint8_t* from = rgb.data() + static_cast<std::size_t>(W) * 3 * y;
        std::uint8_t* to = bmp.data() + headers + rowBytes * static_cast<std::size_t>(H - 1 - y);
        for (int x = 0; x < W; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return bmp;
}

Picture hotspotFacePicture(int width, int height, PackedColour fill, PackedColour border) {
    if (width <= 0 || height <= 0) return {};
    return Picture::fromPlanes(width, height, facePixels(width, height, fill, border));
}

namespace {

RectXYWH inset(const RectXYWH& r, int by) {
    if (r.w <= 2 * by || r.h <= 2 * by) return {};
    return RectXYWH{r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by};
}

RectXYWH intersection(const RectXYWH& a, const RectXYWH& b) {
    const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.w, b.x + b.w), bottom = std::min(a.y + a.h, b.y + b.h);
    if (right <= left || bottom <= top) return {};
    return RectXYWH{left, top, right - left, bottom - top};
}

// `r` less `hole`, which lies inside it: the bands above, below, left and right of it.
void addOutside(std::vector<RectXYWH>& out, const RectXYWH& r, const RectXYWH& hole) {
    if (r.w <= 0 || r.h <= 0) return;
    if (hole.w <= 0 || hole.h <= 0) {
        out.push_back(r);
        return;
    }
    auto add = [&out](int x, int y, int w, int h) {
        if (w > 0 && h > 0) out.push_back(RectXYWH{x, y, w, h});
    };
    add(r.x, r.y, r.w, hole.y - r.y);
    add(r.x, hole.y + hole.h, r.w, r.y + r.h - hole.y - hole.h);
    add(r.x, hole.y, hole.x - r.x, hole.h);
    add(hole.x + hole.w, hole.y, r.x + r.w - hole.x - hole.w, hole.h);
}

}  // namespace

std::vector<RectXYWH> framedFaceChanges(const RectXYWH& before, const RectXYWH& after, int frame) {
    const RectXYWH same = intersection(inset(before, frame), inset(after, frame));
    std::vector<RectXYWH> out;
    addOutside(out, before, same);
    addOutside(out, after, same);
    return out;
}

bool transparencyAboveRange(double value) { return value - 100.0 > 0.0000001; }
bool transparencyBelowRange(double value) { return 1.0 - value > 0.0000001; }
