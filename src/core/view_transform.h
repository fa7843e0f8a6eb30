// The canvas's view of the picture: where the picture's top-left corner is on the
// canvas and how much it is enlarged. One function each way between the two.
#pragma once

#include <cmath>

#include "core/geometry.h"

struct ViewTransform {
    Point offset;       // the picture's top-left corner in canvas pixels
    double zoom = 1.0;  // canvas pixels per picture pixel

    // Picture pixels to canvas pixels; a rectangle keeps at least its corner.
    Point toCanvas(Point p) const { return Point{offset.x + scaled(p.x), offset.y + scaled(p.y)}; }
    RectXYWH toCanvas(const RectXYWH& r) const {
        const Point at = toCanvas(Point{r.x, r.y});
        return RectXYWH{at.x, at.y, scaled(r.w), scaled(r.h)};
    }
    // Canvas pixels to the picture pixel under them (rounded toward minus infinity).
    Point toPicture(Point p) const {
        return Point{unscaled(p.x - offset.x), unscaled(p.y - offset.y)};
    }
    RectXYWH toPicture(const RectXYWH& r) const {
        const Point at = toPicture(Point{r.x, r.y});
        return RectXYWH{at.x, at.y, unscaled(r.w), unscaled(r.h)};
    }

    bool operator==(const ViewTransform& o) const { return offset == o.offset && zoom == o.zoom; }
    bool operator!=(const ViewTransform& o) const { return !(*this == o); }

  private:
    int scaled(int v) const { return zoom == 1.0 ? v : static_cast<int>(std::floor(v * zoom)); }
    int unscaled(int v) const { return zoom == 1.0 ? v : static_cast<int>(std::floor(v / zoom)); }
};
