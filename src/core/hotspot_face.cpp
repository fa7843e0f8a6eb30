#include "core/hotspot_face.h"

#include <cstdint>
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

// Paints a face through `set(x, y, colour)`, y from the top: the fill, then the
// frame two pixels deep; frame positions outside a tiny face are skipped.
template <class Set>
void paintFace(int W, int H, PackedColour fill, PackedColour border, Set set) {
    auto put = [&](int x, int y, PackedColour c) {
        if (x < 0 || y < 0 || x >= W || y >= H) return;
        set(x, y, c);
    };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) put(x, y, fill);
    for (int k : {0, 1, W - 2, W - 1})
        for (int y = 0; y < H; ++y) put(k, y, border);
    for (int k : {0, 1, H - 2, H - 1})
        for (int x = 0; x < W; ++x) put(x, k, border);
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

    // The file stores the bottom row first.
    paintFace(W, H, fill, border, [&](int x, int y, PackedColour c) {
        std::uint8_t* px = bmp.data() + headers + rowBytes * static_cast<std::size_t>(H - 1 - y) +
                           static_cast<std::size_t>(x) * 3;
        px[0] = static_cast<std::uint8_t>(blueOf(c));
        px[1] = static_cast<std::uint8_t>(greenOf(c));
        px[2] = static_cast<std::uint8_t>(redOf(c));
    });
    return bmp;
}

Picture hotspotFacePicture(int width, int height, PackedColour fill, PackedColour border) {
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    paintFace(width, height, fill, border, [&](int x, int y, PackedColour c) {
        std::uint8_t* px = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
        px[0] = static_cast<std::uint8_t>(redOf(c));
        px[1] = static_cast<std::uint8_t>(greenOf(c));
        px[2] = static_cast<std::uint8_t>(blueOf(c));
    });
    return Picture::fromPlanes(width, height, std::move(rgb));
}

bool transparencyAboveRange(double value) { return value - 100.0 > 0.0000001; }
bool transparencyBelowRange(double value) { return 1.0 - value > 0.0000001; }
