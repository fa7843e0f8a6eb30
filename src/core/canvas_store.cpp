#include "core/canvas_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/text.h"

Picture Picture::fromPlanes(int width, int height, std::vector<std::uint8_t> rgb,
                            std::vector<std::uint8_t> alpha) {
    struct Planes {
        std::vector<std::uint8_t> rgb, alpha;
    };
    auto planes = std::make_shared<Planes>(Planes{std::move(rgb), std::move(alpha)});
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb = planes->rgb.empty() ? nullptr : planes->rgb.data();
    p.alpha = planes->alpha.empty() ? nullptr : planes->alpha.data();
    p.owner = planes;
    return p;
}

int blendAlpha(int t) { return static_cast<int>(std::lround(t * 255.0 / 100.0)); }

int blendChannel(int screen, int face, int a) {
    if (a <= 0) return face;
    if (a >= 255) return screen;
    return screen + (face - screen) * (255 - a) / 255;
}

int CanvasStore::create(int x, int y) { return createWithId(counter_, x, y); }

int CanvasStore::createWithId(int id, int x, int y) {
    if (id <= 0 || index_.count(id)) return 0;
    CanvasObject o;
    o.id = id;
    o.x = x;
    o.y = y;
    counter_ = std::max(counter_, id + 1);
    // Every object here lives on layer 0, so a new one goes after the last of its layer: last.
    objects_.push_back(std::move(o));
    index_[id] = objects_.size() - 1;
    return id;
}

void CanvasStore::reindexFrom(std::size_t position) {
    for (std::size_t i = position; i < objects_.size(); ++i) index_[objects_[i].id] = i;
}

bool CanvasStore::remove(int id) {
    const auto found = index_.find(id);
    if (found == index_.end()) return false;
    const std::size_t at = found->second;
    index_.erase(found);
    objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(at));
    reindexFrom(at);
    return true;
}

bool CanvasStore::raise(int id) {
    const auto found = index_.find(id);
    if (found == index_.end()) return false;
    const auto it = objects_.begin() + static_cast<std::ptrdiff_t>(found->second);
    std::rotate(it, it + 1, objects_.end());
    reindexFrom(found->second);
    return true;
}

void CanvasStore::removeAll(const std::function<void(int)>& beforeDelete) {
    if (beforeDelete)
        for (const CanvasObject& o : objects_) beforeDelete(o.id);
    objects_.clear();
    index_.clear();
}

const CanvasObject* CanvasStore::find(int id) const {
    const auto found = index_.find(id);
    return found == index_.end() ? nullptr : &objects_[found->second];
}

CanvasObject* CanvasStore::find(int id) {
    return const_cast<CanvasObject*>(static_cast<const CanvasStore*>(this)->find(id));
}

void CanvasStore::setPicture(int id, Picture picture) {
    if (CanvasObject* o = find(id)) o->picture = picture.empty() ? Picture{} : std::move(picture);
}

void CanvasStore::setTransparency(int id, int percent) {
    if (CanvasObject* o = find(id)) o->transparency = percent;
}

void CanvasStore::move(int id, double x, double y) {
    if (CanvasObject* o = find(id)) {
        o->x = x;
        o->y = y;
    }
}

int CanvasStore::left(int id) const {
    const CanvasObject* o = find(id);
    return o ? text::truncToInt(o->x) : 0;
}

int CanvasStore::top(int id) const {
    const CanvasObject* o = find(id);
    return o ? text::truncToInt(o->y) : 0;
}

int CanvasStore::width(int id) const {
    const CanvasObject* o = find(id);
    return o && !o->picture.empty() ? o->picture.width : 0;
}

int CanvasStore::height(int id) const {
    const CanvasObject* o = find(id);
    return o && !o->picture.empty() ? o->picture.height : 0;
}

int CanvasStore::hitTest(int x, int y) const {
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
        const CanvasObject& o = *it;
        if (!o.visible || o.picture.empty()) continue;
        int ox = text::truncToInt(o.x), oy = text::truncToInt(o.y);
        int px = x - ox, py = y - oy;
        if (px < 0 || py < 0 || px >= o.picture.width || py >= o.picture.height) continue;
        if (o.picture.alpha && o.picture.alpha[static_cast<size_t>(py) * o.picture.width + px] == 0)
            continue;
        return o.id;
    }
    return 0;
}

namespace {

struct Clip {
    int sx, sy;  // first source pixel
    int dx, dy;  // first destination pixel (relative to the composed area)
    int w, h;
};

// Intersects a picture placed at (ox, oy) with the area [x0, x0 + w) x [y0, y0 + h).
bool clipTo(const Picture& p, int ox, int oy, int x0, int y0, int w, int h, Clip& c) {
    long left = std::max<long>(ox, x0), top = std::max<long>(oy, y0);
    long right = std::min<long>(static_cast<long>(ox) + p.width, static_cast<long>(x0) + w);
    long bottom = std::min<long>(static_cast<long>(oy) + p.height, static_cast<long>(y0) + h);
    if (left >= right || top >= bottom) return false;
    c.sx = static_cast<int>(left - ox);
    c.sy = static_cast<int>(top - oy);
    c.dx = static_cast<int>(left - x0);
    c.dy = static_cast<int>(top - y0);
    c.w = static_cast<int>(right - left);
    c.h = static_cast<int>(bottom - top);
    return true;
}

// x / 255 for 0 <= x <= 255 * 255, without a division; stays within 16 bits.
inline std::uint16_t div255(std::uint16_t x) {
    return static_cast<std::uint16_t>(static_cast<std::uint16_t>(x + 1 + (x >> 8)) >> 8);
}

// out += (src - out) * k / 255 per byte, truncated toward zero; branch-free, so the
// compiler turns it into vector code (AVX2 where the processor has it).
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__)
__attribute__((target_clones("avx2", "default")))
#endif
void blendRow(std::uint8_t* out, const std::uint8_t* src, int n, std::uint16_t k) {
    for (int i = 0; i < n; ++i) {
        const std::uint16_t s = out[i], f = src[i];
        const std::uint16_t up = f > s ? f - s : 0, down = s > f ? s - f : 0;
        out[i] = static_cast<std::uint8_t>(s + div255(static_cast<std::uint16_t>(up * k)) -
                                           div255(static_cast<std::uint16_t>(down * k)));
    }
}

bool isOpaque(const Picture& p, int transparency) {
    return !p.empty() && !p.alpha && blendAlpha(transparency) <= 0;
}

void drawPicture(const Picture& p, int ox, int oy, int transparency, std::uint8_t* dst, int x0,
                 int y0, int w, int h, int stride) {
    Clip c;
    if (p.empty() || !clipTo(p, ox, oy, x0, y0, w, h, c)) return;
    const int a = blendAlpha(transparency);
    if (a >= 255) return;
    const int k = 255 - a;
    for (int row = 0; row < c.h; ++row) {
        const std::uint8_t* src = p.rgb + (static_cast<size_t>(c.sy + row) * p.width + c.sx) * 3;
        std::uint8_t* out = dst + static_cast<size_t>(c.dy + row) * stride + c.dx * 3;
        const std::uint8_t* al =
            p.alpha ? p.alpha + static_cast<size_t>(c.sy + row) * p.width + c.sx : nullptr;
        if (!al && a <= 0) {
            std::memcpy(out, src, static_cast<size_t>(c.w) * 3);
        } else if (!al) {
            blendRow(out, src, c.w * 3, static_cast<std::uint16_t>(k));
        } else {
            for (int x = 0; x < c.w; ++x) {
                const int kk = k * al[x] / 255;
                if (kk == 0) continue;
                for (int ch = 0; ch < 3; ++ch) {
                    const int s = out[x * 3 + ch], f = src[x * 3 + ch];
                    out[x * 3 + ch] = static_cast<std::uint8_t>(s + (f - s) * kk / 255);
                }
            }
        }
    }
}

}  // namespace

void CanvasStore::compose(std::uint8_t* dst, int x0, int y0, int w, int h, int stride) const {
    if (w <= 0 || h <= 0) return;
    // The lowest thing painted, when opaque, hides the background under it: fill
    // the background only around it.
    Clip cover{0, 0, 0, 0, 0, 0};
    if (backgroundPicture_.empty()) {
        for (const CanvasObject& o : objects_) {
            if (!o.visible || o.picture.empty() || blendAlpha(o.transparency) >= 255) continue;
            Clip c;
            if (!clipTo(o.picture, text::truncToInt(o.x), text::truncToInt(o.y), x0, y0, w, h, c))
                continue;
            if (isOpaque(o.picture, o.transparency)) cover = c;
            break;
        }
    }
    std::vector<std::uint8_t> bgRow(static_cast<size_t>(w) * 3);
    for (int x = 0; x < w; ++x) {
        bgRow[x * 3] = static_cast<std::uint8_t>(redOf(background_));
        bgRow[x * 3 + 1] = static_cast<std::uint8_t>(greenOf(background_));
        bgRow[x * 3 + 2] = static_cast<std::uint8_t>(blueOf(background_));
    }
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = dst + static_cast<size_t>(y) * stride;
        if (y >= cover.dy && y < cover.dy + cover.h) {
            std::memcpy(row, bgRow.data(), static_cast<size_t>(cover.dx) * 3);
            const int right = cover.dx + cover.w;
            std::memcpy(row + right * 3, bgRow.data(), static_cast<size_t>(w - right) * 3);
        } else {
            std::memcpy(row, bgRow.data(), static_cast<size_t>(w) * 3);
        }
    }
    drawPicture(backgroundPicture_, 0, 0, 0, dst, x0, y0, w, h, stride);
    for (const CanvasObject& o : objects_) {
        if (!o.visible) continue;
        drawPicture(o.picture, text::truncToInt(o.x), text::truncToInt(o.y), o.transparency, dst,
                    x0, y0, w, h, stride);
    }
}
