#include "core/map_code.h"

#include <algorithm>

#include "core/document.h"
#include "core/random.h"
#include "core/text.h"

namespace mapcode {

const char* const mapHeaderTemplate =
    "<img src=\"图片地址\" width=\"宽度\" height=\"高度\" usemap=\"#随机数\" border=\"0\" />\r\n"
    "<map name=\"随机数\" id=\"随机数\">";

const char* const areaLineTemplate =
    "  <area shape=\"rect\" coords=\"左,上,右,下\" href=\"链接地址\" alt=\"&quot;提示文本\" "
    "title=\"提示文本\" target=\"_blank\" />\r\n";

namespace {
// Bytes taken by the UTF-8 character starting with `lead`; a stray byte stands alone.
size_t characterLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}
}  // namespace

std::string replaceText(const std::string& text, const std::string& find,
                        const std::string& replacement, int limit) {
    if (find.empty() || text.empty() || limit == 0) return text;
    std::string out;
    out.reserve(text.size());
    int made = 0;
    size_t i = 0;  // always at the start of a character
    while (i < text.size()) {
        const size_t hit = text.find(find, i);
        if (hit == std::string::npos) break;
        // Step whole characters up to the hit; a hit inside a character is no match.
        size_t j = i;
        while (j < hit) j += characterLength(static_cast<unsigned char>(text[j]));
        if (j != hit) {
            out.append(text, i, std::min(j, text.size()) - i);
            i = j;
            continue;
        }
        out.append(text, i, hit - i);
        out += replacement;
        i = hit + find.size();
        if (++made == limit) break;
    }
    if (i < text.size()) out.append(text, i, std::string::npos);
    return out;
}

std::string fillTemplate(const std::string& templ, const std::vector<Fill>& fills) {
    // Only a byte that begins some placeholder needs a look at the placeholders.
    bool begins[256] = {};
    for (const Fill& f : fills)
        if (!f.placeholder.empty()) begins[static_cast<unsigned char>(f.placeholder[0])] = true;
    const auto lengthAt = [&templ](size_t i) {
        return std::min(characterLength(static_cast<unsigned char>(templ[i])), templ.size() - i);
    };
    std::string out;
    out.reserve(templ.size() + 64);
    size_t i = 0;
    while (i < templ.size()) {
        if (begins[static_cast<unsigned char>(templ[i])]) {
            const Fill* hit = nullptr;
            for (const Fill& f : fills) {
                if (!f.placeholder.empty() && templ.compare(i, f.placeholder.size(), f.placeholder) == 0) {
                    hit = &f;
                    break;
                }
            }
            if (hit) {
                out += hit->value;
                i += hit->placeholder.size();
                continue;
            }
        }
        // Whole characters up to the next one that may begin a placeholder.
        size_t j = i + lengthAt(i);
        while (j < templ.size() && !begins[static_cast<unsigned char>(templ[j])]) j += lengthAt(j);
        out.append(templ, i, j - i);
        i = j;
    }
    return out;
}

PictureRect pictureRect(int left, int top, int width, int height, int pictureLeft, int pictureTop) {
    PictureRect r;
    r.x1 = left - pictureLeft;
    r.y1 = top - pictureTop;
    r.x2 = r.x1 + width;
    r.y2 = r.y1 + height;
    return r;
}

std::string escapeQuotes(const std::string& value) { return replaceText(value, "\"", "&quot;"); }

std::string buildMapHeader(const std::string& address, int width, int height,
                           std::optional<int> mapName) {
    std::vector<Fill> fills{{"图片地址", escapeQuotes(address)},
                            {"宽度", text::number(width)},
                            {"高度", text::number(height)}};
    if (mapName) fills.push_back({"随机数", text::number(*mapName)});
    return fillTemplate(mapHeaderTemplate, fills);
}

std::string buildAreaLine(const PictureRect& rect, const std::string& link,
                          const std::string& tip) {
    return fillTemplate(areaLineTemplate, {{"左", text::number(rect.x1)},
                                           {"上", text::number(rect.y1)},
                                           {"右", text::number(rect.x2)},
                                           {"下", text::number(rect.y2)},
                                           {"链接地址", escapeQuotes(link)},
                                           {"提示文本", escapeQuotes(tip)}});
}

int drawMapName() { return 100000 + rng::next() % 900000; }

std::string generateMapCode(const std::string& address, int width, int height,
                            std::optional<int> mapName, const std::vector<MapArea>& areas) {
    std::string code = buildMapHeader(address, width, height, mapName);
    for (const MapArea& a : areas) code += buildAreaLine({a.x1, a.y1, a.x2, a.y2}, a.link, a.tip);
    code += "</map>";
    return code;
}

std::vector<MapArea> collectMapAreas(const doc::Document& work) {
    std::vector<MapArea> areas;
    areas.reserve(work.hotspots().size());
    for (const doc::Hotspot& h : work.hotspots())
        areas.push_back(
            MapArea{h.rect.x, h.rect.y, h.rect.x + h.rect.w, h.rect.y + h.rect.h, h.link, h.tip});
    return areas;
}

}  // namespace mapcode
