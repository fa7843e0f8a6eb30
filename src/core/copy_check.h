// The check before the code leaves the program (copied, converted or previewed):
// what in the work a browser would make differently from what the user meant.
#pragma once

#include <string>
#include <vector>

#include "core/map_code.h"

namespace copycheck {

enum class Kind {
    placeholderLink,  // still "未添加热点链接"
    emptyLink,        // "" or "http://" alone
    outside,          // wholly outside the picture: never clickable
    partlyOutside,    // the part outside is never clickable
    overlap,          // the earlier area takes the clicks where both lie
    tooSmall,         // under 8 x 8 pixels
    scheme,           // a scheme other than http or https
    duplicateLink,    // information only
    narrowPicture,    // the full-screen conversion of a picture narrower than 950 px
};

struct Finding {
    Kind kind;
    int hotspot = -1;  // position in the list, -1 when it concerns no hotspot
    int other = -1;    // the second hotspot of an overlap or a duplicate
    std::string text;
    bool information = false;  // nothing is wrong, only worth knowing
};

inline constexpr int kMinSide = 8;
inline constexpr int kMinFullScreenWidth = 950;
// Overlaps and duplicates listed at most; a longer list helps no one.
inline constexpr int kMaxPairs = 100;

// The findings for the areas in list order on a picture of the given size; the
// narrow-picture finding only when the full-screen conversion is asked for.
// Hotspots are named by their place in the list, from 1.
std::vector<Finding> checkWork(const std::vector<mapcode::MapArea>& areas, int pictureWidth,
                               int pictureHeight, bool fullScreen = false);

}  // namespace copycheck
