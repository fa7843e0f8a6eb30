// A hotspot's face picture and the transparency number box's range rule.
#pragma once

#include <vector>

#include "core/app_state.h"
#include "core/canvas_store.h"
#include "core/text.h"

// The face of a width x height hotspot as BMP file bytes (24-bit, bottom-up rows
// padded to four bytes): filled with `fill`, framed two pixels deep in `border`.
// Frame positions outside a face narrower or lower than two pixels are skipped.
// A non-positive size gives no picture (empty bytes).
inline constexpr int kHotspotFrame = 2;  // pixels
Bytes makeHotspotFace(int width, int height, PackedColour fill, PackedColour border);
// The same face as a decoded picture, for the canvas to show without a BMP round trip.
Picture hotspotFacePicture(int width, int height, PackedColour fill, PackedColour border);

// Where the canvas looks different after a face moved or resized from `before` to
// `after` (canvas rectangles): both rectangles, less the part where the two faces'
// interiors (inside their `frame`-pixel frames) overlap, which shows the same fill
// either way. At most eight rectangles, which may overlap.
std::vector<RectXYWH> framedFaceChanges(const RectXYWH& before, const RectXYWH& after, int frame = 2);

// The transparency number box holds 1 ... 100. These tell its change handler when
// to write "100" or "1" back (a hair of tolerance, as the box reads real numbers).
bool transparencyAboveRange(double value);
bool transparencyBelowRange(double value);
