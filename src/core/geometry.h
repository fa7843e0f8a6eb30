// Points and rectangles in whole pixels.
#pragma once

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Point& o) const { return !(*this == o); }
};

struct RectXYWH {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const RectXYWH& o) const {
        return x == o.x && y == o.y && w == o.w && h == o.h;
    }
    bool operator!=(const RectXYWH& o) const { return !(*this == o); }
};
