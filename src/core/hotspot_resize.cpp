#include "core/hotspot_resize.h"

#include <algorithm>
#include <cstdlib>

HandleEdges handleEdges(int handle) {
    switch (handle) {
        case 0: return {true, true, false, false};   // upper left
        case 1: return {true, false, false, false};  // middle left
        case 2: return {true, false, false, true};   // lower left
        case 3: return {false, false, false, true};  // bottom middle
        case 4: return {false, false, true, true};   // lower right
        case 5: return {false, false, true, false};  // middle right
        case 6: return {false, true, true, false};   // upper right
        case 7: return {false, true, false, false};  // top middle
        default: return {};
    }
}

ResizeCursor handleCursor(int handle) {
    const HandleEdges e = handleEdges(handle);
    const bool across = e.left || e.right, upDown = e.top || e.bottom;
    if (across && upDown) return (e.left == e.top) ? ResizeCursor::diagonalDown : ResizeCursor::diagonalUp;
    if (across) return ResizeCursor::sideways;
    if (upDown) return ResizeCursor::upDown;
    return ResizeCursor::none;
}

namespace {

// One axis: the edges [low, high) with the pointer moved by d; the fixed edge stays.
void resizeAxis(int& low, int& high, bool moveLow, bool moveHigh, int d) {
    if (moveLow) low = std::clamp(low + d, high - kMaxHotspotSide, high - kMinHotspotSide);
    if (moveHigh) high = std::clamp(high + d, low + kMinHotspotSide, low + kMaxHotspotSide);
}

// Shortens a moved side so the area fits; the fixed edge stays.
void fitArea(int& low, int& high, bool moveLow, int otherSide) {
    const int most = static_cast<int>(std::max<long long>(kMinHotspotSide, kMaxHotspotPixels / otherSide));
    if (high - low <= most) return;
    if (moveLow) {
        low = high - most;
    } else {
        high = low + most;
    }
}

}  // namespace

RectXYWH resizeFromHandle(const RectXYWH& start, int handle, int dx, int dy) {
    const HandleEdges e = handleEdges(handle);
    int left = start.x, right = start.x + start.w, top = start.y, bottom = start.y + start.h;
    resizeAxis(left, right, e.left, e.right, dx);
    resizeAxis(top, bottom, e.top, e.bottom, dy);
    if (static_cast<long long>(right - left) * (bottom - top) > kMaxHotspotPixels) {
        if (e.left || e.right) {
            fitArea(left, right, e.left, bottom - top);
        } else {
            fitArea(top, bottom, e.top, right - left);
        }
    }
    return RectXYWH{left, top, right - left, bottom - top};
}

bool hotspotSizeAllowed(int width, int height) {
    return width >= kMinHotspotSide && height >= kMinHotspotSide && width <= kMaxHotspotSide &&
           height <= kMaxHotspotSide &&
           static_cast<long long>(width) * height <= kMaxHotspotPixels;
}

std::optional<int> parseWholeNumber(const std::string& typed) {
    size_t i = 0, end = typed.size();
    while (i < end && typed[i] == ' ') ++i;
    while (end > i && typed[end - 1] == ' ') --end;
    bool negative = false;
    if (i < end && (typed[i] == '-' || typed[i] == '+')) negative = typed[i++] == '-';
    if (i == end) return std::nullopt;
    long long value = 0;
    for (; i < end; ++i) {
        const char c = typed[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kMaxTypedOffset) return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<RectXYWH> applyTypedValue(const RectXYWH& current, FocusBox box,
                                        const std::string& typed) {
    const std::optional<int> value = parseWholeNumber(typed);
    if (!value) return std::nullopt;
    RectXYWH r = current;
    switch (box) {
        case FocusBox::left: r.x = *value; break;
        case FocusBox::top: r.y = *value; break;
        case FocusBox::right: r.w = *value - r.x; break;
        case FocusBox::bottom: r.h = *value - r.y; break;
        case FocusBox::width: r.w = *value; break;
        case FocusBox::height: r.h = *value; break;
    }
    if (!hotspotSizeAllowed(r.w, r.h)) return std::nullopt;
    return r;
}

Point nudgeOffset(Arrow arrow, int keyState) {
    if (keyState != 0 && keyState != 1) return {};  // Shift draws; Alt belongs to the menus
    const int step = keyState == 1 ? 10 : 1;
    switch (arrow) {
        case Arrow::left: return {-step, 0};
        case Arrow::right: return {step, 0};
        case Arrow::up: return {0, -step};
        case Arrow::down: return {0, step};
        case Arrow::none: break;
    }
    return {};
}

int wheelPixels(int rotation, int wheelDelta, int linesPerNotch, bool pageScroll, int lineHeight,
                int pageSize, int& remainder) {
    if (wheelDelta <= 0) return 0;
    const long long perNotch = pageScroll ? pageSize : static_cast<long long>(linesPerNotch) * lineHeight;
    const long long total = static_cast<long long>(rotation) * perNotch + remainder;
    const long long pixels = total / wheelDelta;  // toward zero: the rest keeps its sign
    remainder = static_cast<int>(total - pixels * wheelDelta);
    return static_cast<int>(std::clamp<long long>(pixels, -1000000, 1000000));
}

int scrollTarget(int position, int step, int pictureLength, int canvasLength) {
    const long long low = -static_cast<long long>(pictureLength), high = canvasLength;
    const long long to = static_cast<long long>(position) + step;
    if (step > 0) return static_cast<int>(std::max<long long>(position, std::min(to, high)));
    if (step < 0) return static_cast<int>(std::min<long long>(position, std::max(to, low)));
    return position;
}
