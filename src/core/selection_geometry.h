// Where the eight selection handles go, which of them show, and what the six
// focus boxes read for a hotspot.
#pragma once

#include <array>

// One handle: its top-left corner in main-window client coordinates and whether it shows.
struct HandlePlacement {
    int x = 0;
    int y = 0;
    bool visible = true;
};

// The canvas control's left and top in the main window, and its size.
struct CanvasFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Handle positions around a hotspot rectangle given in canvas coordinates, in the
// order upper left, middle left, lower left, bottom middle, lower right, middle
// right, upper right, top middle. The canvas coordinates are used unchanged as
// window coordinates. A handle hides when x lies left of the canvas control or
// beyond its width, or y above it or beyond its height.
std::array<HandlePlacement, 8> placeHandles(int top, int bottom, int left, int right, int width,
                                            int height, const CanvasFrame& canvas);

// The six focus values: the hotspot relative to the picture and its size.
struct FocusValues {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
};

FocusValues focusValues(int objectLeft, int objectTop, int width, int height, int pictureLeft,
                        int pictureTop);
