#include "core/window_place.h"

#include <algorithm>

namespace place {

namespace {

// The start of a span of `length` moved onto [low, low + room).
int within(long long start, int length, int low, int room) {
    const long long last = static_cast<long long>(low) + room - length;
    return static_cast<int>(std::max<long long>(low, std::min(start, last)));
}

}  // namespace

std::optional<WindowRect> fitToScreen(const WindowRect& saved, const WindowRect& screen) {
    const auto plausible = [](int side) { return side >= kMinSide && side <= kMaxSide; };
    if (!plausible(saved.width) || !plausible(saved.height)) return std::nullopt;
    if (screen.width <= 0 || screen.height <= 0) return std::nullopt;
    WindowRect r;
    r.width = std::min(saved.width, screen.width);
    r.height = std::min(saved.height, screen.height);
    r.x = within(saved.x, r.width, screen.x, screen.width);
    r.y = within(saved.y, r.height, screen.y, screen.height);
    return r;
}

}  // namespace place
