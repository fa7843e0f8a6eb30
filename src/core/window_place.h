// Where a remembered window may appear again: its saved place and size made to fit
// the screen it comes back on, or nothing when the saved values are absurd.
#pragma once

#include <optional>

namespace place {

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// No window is this small or this large; a saved size outside is not a size the
// user left the window at, and the designed size is used instead.
inline constexpr int kMinSide = 100;
inline constexpr int kMaxSide = 16384;

// `saved` shrunk to `screen` (the work area of the display it comes back on) where
// it is larger, then moved until it lies wholly on it; nothing when its size is
// below kMinSide, above kMaxSide, or the screen has no area.
std::optional<WindowRect> fitToScreen(const WindowRect& saved, const WindowRect& screen);

}  // namespace place
