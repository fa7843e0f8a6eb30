#include "core/selection_geometry.h"

#include "core/text.h"

std::array<HandlePlacement, 8> placeHandles(int top, int bottom, int left, int right, int width,
                                            int height, const CanvasFrame& canvas) {
    // Computed in floating point (the halves may be fractional), truncated last.
    const double L = left, T = top, R = right, B = bottom, W = width, H = height;
    const double xs[8] = {L - 2, L - 2, L - 2, L + W / 2, R + 2, R + 2, R + 2, L + W / 2};
    // The right-middle handle sits two pixels lower than the left-middle one.
    const double ys[8] = {T - 2, T + H / 2, B + 2, B + 2, T + H + 2, T + H / 2 + 2, T - 2, T - 2};
    std::array<HandlePlacement, 8> out;
    for (int i = 0; i < 8; ++i) {
        HandlePlacement& h = out[i];
        h.x = text::truncToInt(xs[i]);
        h.y = text::truncToInt(ys[i]);
        h.visible =
            !(h.x < canvas.left || h.x > canvas.width || h.y < canvas.top || h.y > canvas.height);
    }
    return out;
}

FocusValues focusValues(int objectLeft, int objectTop, int width, int height, int pictureLeft,
                        int pictureTop) {
    FocusValues f;
    f.left = objectLeft - pictureLeft;
    f.top = objectTop - pictureTop;
    f.right = f.left + width;
    f.bottom = f.top + height;
    f.width = width;
    f.height = height;
    return f;
}
