// The canvas object store: numbered objects with a position, a picture and a
// transparency, painted in order over a background; hit test and blending.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

// A decoded picture: 24-bit RGB rows, optionally with an 8-bit alpha plane.
// The pixel memory may belong to whoever decoded it; `owner` keeps it alive.
struct Picture {
    int width = 0;
    int height = 0;
    const std::uint8_t* rgb = nullptr;    // width * height * 3 bytes
    const std::uint8_t* alpha = nullptr;  // width * height bytes, or null when opaque
    std::shared_ptr<const void> owner;

    bool empty() const { return width <= 0 || height <= 0 || rgb == nullptr; }
    // A picture that owns copies of the given planes.
    static Picture fromPlanes(int width, int height, std::vector<std::uint8_t> rgb,
                              std::vector<std::uint8_t> alpha = {});
};

// Packed colour: red in the low byte, then green, then blue.
using PackedColour = std::uint32_t;
inline PackedColour packRgb(int r, int g, int b) {
    return static_cast<PackedColour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline int redOf(PackedColour c) { return c & 0xFF; }
inline int greenOf(PackedColour c) { return (c >> 8) & 0xFF; }
inline int blueOf(PackedColour c) { return (c >> 16) & 0xFF; }

struct CanvasObject {
    int id = 0;
    double x = 0;
    double y = 0;
    Picture picture;
    int transparency = 0;  // percent, 0 = opaque
    int layer = 0;
    bool visible = true;
};

// The blend weight for a transparency percentage: a = t * 255 / 100, rounded.
int blendAlpha(int transparencyPercent);
// One channel of a face pixel blended over a screen pixel with weight a:
// the screen moves toward the face by (face - screen) * (255 - a) / 255.
int blendChannel(int screen, int face, int a);

class CanvasStore {
  public:
    // Appends an object without picture, visible; returns its number (never reused).
    int create(int x, int y);
    // Appends an object under a number it had before (one never handed out again);
    // 0 when the number is in use or not positive.
    int createWithId(int id, int x, int y);
    // Deletes one object; false when there is none with that number.
    bool remove(int id);
    // Puts an object last in paint order, above every other; false when there is none.
    bool raise(int id);
    // Deletes every object, first to last, telling `beforeDelete` about each.
    void removeAll(const std::function<void(int)>& beforeDelete = {});

    bool exists(int id) const { return find(id) != nullptr; }
    const CanvasObject* find(int id) const;
    CanvasObject* find(int id);
    const std::vector<CanvasObject>& objects() const { return objects_; }
    int nextNumber() const { return counter_; }

    void setPicture(int id, Picture picture);
    void setTransparency(int id, int percent);
    void move(int id, double x, double y);

    // Integer reads: positions truncated toward zero; 0 for a missing object.
    int left(int id) const;
    int top(int id) const;
    int width(int id) const;
    int height(int id) const;

    // The object under a canvas point, last to first; 0 when none. Fully
    // transparent pixels of a picture are not hits.
    int hitTest(int x, int y) const;

    PackedColour background() const { return background_; }
    void setBackground(PackedColour c) { background_ = c; }
    const Picture& backgroundPicture() const { return backgroundPicture_; }
    void setBackgroundPicture(Picture p) { backgroundPicture_ = std::move(p); }

    // Paints the canvas area [x0, x0 + w) x [y0, y0 + h) as 24-bit RGB into `dst`
    // (rows `stride` bytes apart). Only the visible area is touched.
    void compose(std::uint8_t* dst, int x0, int y0, int w, int h, int stride) const;

  private:
    void reindexFrom(std::size_t position);
    std::vector<CanvasObject> objects_;
    std::unordered_map<int, std::size_t> index_;  // number -> paint position
    int counter_ = 1;
    PackedColour background_ = packRgb(255, 255, 255);
    Picture backgroundPicture_;
};
