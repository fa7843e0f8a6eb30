// The rubber band of the drawing overlay: the pointer kept inside the drawing
// area, the rectangle it spans, and a frame showing the frozen canvas picture
// with the band's dotted outline on it.
#pragma once

#include <cstdint>
#include <vector>

#include "core/app_state.h"

namespace rubberband {

// A pointer position held inside an area of width x height: a corner may lie on
// any pixel edge, 0 ... width and 0 ... height.
Point clampToArea(int x, int y, int width, int height);

// The rectangle from the press point to the last pointer position: x and y are the
// press point, w and h the signed extent (negative when dragged up or left).
RectXYWH spanned(Point start, Point end);

// The same rectangle with its top-left corner first and a non-negative extent.
RectXYWH normalised(const RectXYWH& r);

// A picture of the canvas as it was, with at most one dotted outline on it. Each
// outline pixel is the picture's pixel exclusive-or the band colour, every other
// pixel along the outline is left as it was; moving the band restores what the old
// outline covered from the picture before drawing the new one.
class Frame {
  public:
    // The band colour: light grey, exclusive-ored onto the picture.
    static constexpr std::uint8_t kBandColour[3] = {236, 236, 236};

    // Takes the RGB rows (width * height * 3 bytes) of the picture to show.
    void reset(int width, int height, std::vector<std::uint8_t> rgb);
    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint8_t* pixels() const { return shown_.data(); }
    const std::uint8_t* picture() const { return picture_.data(); }

    // Draws the outline of `r` (normalised; nothing for an empty extent) in place of
    // the previous one. Returns the strips that changed, for repainting.
    std::vector<RectXYWH> showBand(const RectXYWH& r);
    // The current outline (w or h 0 when none).
    const RectXYWH& band() const { return band_; }

    // Whether the outline pixel (x, y) is one of the drawn dots.
    static bool isDot(int x, int y) { return ((x + y) & 1) == 0; }

  private:
    // The outline's four edges, clipped to the frame; empty strips are left out.
    std::vector<RectXYWH> edges(const RectXYWH& r) const;
    void restore(const RectXYWH& strip);
    void drawDots(const RectXYWH& strip);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> picture_;  // the frozen canvas
    std::vector<std::uint8_t> shown_;    // the picture with the outline
    RectXYWH band_;
};

}  // namespace rubberband
