// Changing a hotspot's rectangle by hand: dragging one of its eight handles,
// typing a value into one of the six focus boxes, nudging it with the arrow keys.
#pragma once

#include <optional>
#include <string>

#include "core/app_state.h"
#include "core/limits.h"

// A hotspot is never smaller than this on either side...
inline constexpr int kMinHotspotSide = limits::kMinHotspotSide;
// ...nor larger: its face is a picture of its own, and that has to fit in memory.
inline constexpr int kMaxHotspotSide = limits::kMaxHotspotSide;
inline constexpr long long kMaxHotspotPixels = limits::kMaxHotspotPixels;
// All hotspots' faces together, as many pixels as the largest picture accepted.
inline constexpr long long kMaxAllHotspotPixels = limits::kMaxAllHotspotPixels;
// Whether a face of that size can be made at all (a made hotspot may be smaller
// than a resize leaves it).
inline bool hotspotFaceFits(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxHotspotSide && height <= kMaxHotspotSide &&
           static_cast<long long>(width) * height <= kMaxHotspotPixels;
}
// How far from the picture a typed left or top may put a hotspot (what a project file keeps).
inline constexpr int kMaxTypedOffset = limits::kMaxCoordinate;

// The edges a handle moves, for the handles in the order of placeHandles: upper
// left, middle left, lower left, bottom middle, lower right, middle right, upper
// right, top middle. Corners move two edges, the middle handles one.
struct HandleEdges {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};
HandleEdges handleEdges(int handle);

// The pointer over a handle shows the way it resizes: the diagonal from upper left
// to lower right, the other diagonal, sideways, up and down.
enum class ResizeCursor { none, diagonalDown, diagonalUp, sideways, upDown };
ResizeCursor handleCursor(int handle);

// The rectangle after the pointer moved by (dx, dy) since it pressed `handle` on a
// hotspot that was `start` then. Each moved edge follows the pointer but stops
// kMinHotspotSide short of the opposite edge, which stays where it is; neither side
// grows past kMaxHotspotSide, nor the area past kMaxHotspotPixels.
RectXYWH resizeFromHandle(const RectXYWH& start, int handle, int dx, int dy);

// A handle pressed on a hotspot, while its button is down: which handle, the
// hotspot, its rectangle on the canvas and the canvas point pressed.
struct HandleDrag {
    int handle = -1;
    int objectId = 0;
    RectXYWH start;
    Point pressed;
    bool active() const { return handle >= 0; }
};

// Whether a hotspot of that size can exist.
bool hotspotSizeAllowed(int width, int height);

// A whole number as typed: optional spaces around an optional sign and ASCII
// digits. Nothing else counts, and neither does a number beyond +-kMaxTypedOffset.
std::optional<int> parseWholeNumber(const std::string& typed);

// The six focus boxes, in the order left, right, top, bottom, width, height.
enum class FocusBox { left, right, top, bottom, width, height };

// The hotspot's rectangle, relative to the picture, after `value` was typed into
// `box`: left and top move it, the others resize it from its left or top edge.
// Nothing when the text is not a whole number or the size would not be allowed.
std::optional<RectXYWH> applyTypedValue(const RectXYWH& current, FocusBox box,
                                        const std::string& typed);

// Keys on the canvas: arrows move the selected hotspot by 1 pixel, with Ctrl by 10.
// Key codes are the toolkit's arrows; the key state adds 1 for Ctrl, 2 for Shift, 4 for Alt.
enum class Arrow { none, left, up, right, down };
Point nudgeOffset(Arrow arrow, int keyState);

// The mouse wheel. One notch (wheelDelta units of rotation) scrolls linesPerNotch
// lines of lineHeight pixels, or a whole page when the desktop scrolls by pages.
// Partial rotations (smooth wheels, touchpads) add up in `remainder` until they make
// a pixel. The result is how far the picture moves: a positive rotation (the wheel
// turned away from the user) brings the part above or to the left into view.
int wheelPixels(int rotation, int wheelDelta, int linesPerNotch, bool pageScroll, int lineHeight,
                int pageSize, int& remainder);

// Where a picture edge at `position` goes when the wheel moves it by `step`: the
// picture of length `pictureLength` never leaves more than `canvasLength` of empty
// canvas beyond either of its ends. A picture already further out (dragged there)
// is not moved further out, only back.
int scrollTarget(int position, int step, int pictureLength, int canvasLength);
