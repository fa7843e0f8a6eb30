#include "core/full_screen.h"

#include "core/map_code.h"
#include "core/text.h"

namespace fullscreen {

const char* const fullScreenTemplate =
    "<div style=\"height:高度px;\">\r\n"
    "    <div class=\"版本\" style=\"left:50%;top:距顶px;border:none;padding:0;\">\r\n"
    "        <div class=\"版本\" style=\"left:偏移px;top:auto;border:none;padding:0;\">\r\n"
    "           绘栈软件275306418\r\n"
    "        </div>\r\n"
    "    </div>\r\n"
    "</div>";

const std::array<Edition, 3>& editions() {
    static const std::array<Edition, 3> list{{
        {"转换为专业版", "-960", "footer-more-trigger"},
        {"转换为基础版", "-1050", "footer-more-trigger"},
        {"转换为天猫版", "-960", "sn-simple-logo"},
    }};
    return list;
}

const std::array<TopGap, 6>& topGaps() {
    static const std::array<TopGap, 6> list{{
        {"不消除", "0"},
        {"-10px", "-10"},
        {"-20px", "-20"},
        {"-30px", "-30"},
        {"-40px", "-40"},
        {"-50px", "-50"},
    }};
    return list;
}

std::string wrapperHeight(const std::string& pictureHeight, const std::string& topGap) {
    return text::number13(text::leadingNumber(pictureHeight) + text::leadingNumber(topGap));
}

bool isValidOffset(const std::string& offset) {
    size_t i = (!offset.empty() && offset[0] == '-') ? 1 : 0;
    const size_t digits = offset.size() - i;
    if (digits < 1 || digits > 6) return false;
    for (; i < offset.size(); ++i)
        if (offset[i] < '0' || offset[i] > '9') return false;
    return true;
}

std::string convertToFullScreen(const Settings& s) {
    std::vector<mapcode::Fill> fills{{"高度", wrapperHeight(s.pictureHeight, s.topGap)},
                                     {"偏移", s.offset},
                                     {"距顶", s.topGap},
                                     {"绘栈软件275306418", s.code}};
    if (s.enabled && s.edition >= 0 && s.edition < static_cast<int>(editions().size()))
        fills.push_back({"版本", editions()[s.edition].className});
    return mapcode::fillTemplate(fullScreenTemplate, fills);
}

}  // namespace fullscreen
