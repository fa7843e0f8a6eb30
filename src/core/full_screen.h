// The full-screen wrapper: the code inside three nested div elements whose class
// names and offset follow the shop edition and whose height follows the picture.
#pragma once

#include <array>
#include <string>

namespace fullscreen {

// Seven lines joined by CR LF, no line break after the last.
extern const char* const fullScreenTemplate;

struct Edition {
    const char* item;       // the drop-down's text
    const char* offset;     // written into the offset box when chosen
    const char* className;  // class of the two inner div elements
};
// Professional, basic, Tmall, in the drop-down's order.
const std::array<Edition, 3>& editions();

struct TopGap {
    const char* item;
    const char* value;
};
// "不消除" (0) and -10 ... -50, in the drop-down's order.
const std::array<TopGap, 6>& topGaps();

struct Settings {
    std::string code;           // the editor's whole text
    bool enabled = false;       // the conversion check box
    int edition = 0;            // index into editions()
    std::string offset;         // as typed; see isValidOffset
    std::string topGap = "0";   // top-gap value
    std::string pictureHeight;  // the picture's height as decimal text
};

// Picture height plus top gap, each read as a number (0 when not a number), in
// the shortest form with up to 13 significant digits.
std::string wrapperHeight(const std::string& pictureHeight, const std::string& topGap);

// The offset goes into the page's CSS: only an optional minus sign followed by one
// to six digits is accepted.
bool isValidOffset(const std::string& offset);
inline constexpr const char* kBadOffsetMessage = "偏移值只能是整数（可带负号，最多 6 位数字）";

// A fresh copy of the template with every placeholder filled in one pass, so
// placeholder words inside the code or the offset are kept.
std::string convertToFullScreen(const Settings& settings);

}  // namespace fullscreen
