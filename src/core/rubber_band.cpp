#include "core/rubber_band.h"

#include <algorithm>
#include <cstring>

namespace rubberband {

Point clampToArea(int x, int y, int width, int height) {
    return Point{std::clamp(x, 0, std::max(0, width)), std::clamp(y, 0, std::max(0, height))};
}

RectXYWH spanned(Point start, Point end) {
    return RectXYWH{start.x, start.y, end.x - start.x, end.y - start.y};
}

RectXYWH normalised(const RectXYWH& r) {
    RectXYWH n = r;
    if (n.w < 0) {
        n.x += n.w;
        n.w = -n.w;
    }
    if (n.h < 0) {
        n.y += n.h;
        n.h = -n.h;
    }
    return n;
}

void Frame::reset(int width, int height, std::vector<std::uint8_t> rgb) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    rgb.resize(static_cast<size_t>(width_) * height_ * 3);
    picture_ = std::move(rgb);
    shown_ = picture_;
    band_ = RectXYWH{};
}

std::vector<RectXYWH> Frame::edges(const RectXYWH& r) const {
    std::vector<RectXYWH> out;
    if (r.w <= 0 || r.h <= 0) return out;
    const RectXYWH sides[4] = {
        {r.x, r.y, r.w, 1},                // top
        {r.x, r.y + r.h - 1, r.w, 1},      // bottom
        {r.x, r.y, 1, r.h},                // left
        {r.x + r.w - 1, r.y, 1, r.h},      // right
    };
    for (const RectXYWH& s : sides) {
        const int left = std::max(s.x, 0), top = std::max(s.y, 0);
        const int right = std::min(s.x + s.w, width_), bottom = std::min(s.y + s.h, height_);
        if (left < right && top < bottom) out.push_back(RectXYWH{left, top, right - left, bottom - top});
    }
    return out;
}

void Frame::restore(const RectXYWH& s) {
    const size_t stride = static_cast<size_t>(width_) * 3;
    for (int y = s.y; y < s.y + s.h; ++y) {
        const size_t at = y * stride + static_cast<size_t>(s.x) * 3;
        std::memcpy(shown_.data() + at, picture_.data() + at, static_cast<size_t>(s.w) * 3);
    }
}

void Frame::drawDots(const RectXYWH& s) {
    const size_t stride = static_cast<size_t>(width_) * 3;
    for (int y = s.y; y < s.y + s.h; ++y) {
        for (int x = s.x; x < s.x + s.w; ++x) {
            const size_t at = y * stride + static_cast<size_t>(x) * 3;
            // Computed from the picture, never from what is shown: an edge pixel
            // shared by two sides is dotted once.
            for (int c = 0; c < 3; ++c)
                shown_[at + c] = isDot(x, y) ? static_cast<std::uint8_t>(picture_[at + c] ^ kBandColour[c])
                                             : picture_[at + c];
        }
    }
}

std::vector<RectXYWH> Frame::showBand(const RectXYWH& r) {
    std::vector<RectXYWH> changed = edges(band_);
    for (const RectXYWH& s : changed) restore(s);
    band_ = r.w > 0 && r.h > 0 ? r : RectXYWH{};
    const std::vector<RectXYWH> now = edges(band_);
    for (const RectXYWH& s : now) drawDots(s);
    changed.insert(changed.end(), now.begin(), now.end());
    return changed;
}

}  // namespace rubberband
