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
    "  <area shape=\"rect\" coords=\"左,上,右,下\" href=\"链接地址\" alt=\"提示文本\" "
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
                if (!f.placeholder.empty() &&
                    templ.compare(i, f.placeholder.size(), f.placeholder) == 0) {
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

namespace {

// The names HTML reads as references even without a closing ";".
constexpr const char* kLegacyNames[] = {
    "AElig",  "AMP",    "Aacute", "Acirc",  "Agrave", "Aring",  "Atilde", "Auml",   "COPY",
    "Ccedil", "ETH",    "Eacute", "Ecirc",  "Egrave", "Euml",   "GT",     "Iacute", "Icirc",
    "Igrave", "Iuml",   "LT",     "Ntilde", "Oacute", "Ocirc",  "Ograve", "Oslash", "Otilde",
    "Ouml",   "QUOT",   "REG",    "THORN",  "Uacute", "Ucirc",  "Ugrave", "Uuml",   "Yacute",
    "aacute", "acirc",  "acute",  "aelig",  "agrave", "amp",    "aring",  "atilde", "auml",
    "brvbar", "ccedil", "cedil",  "cent",   "copy",   "curren", "deg",    "divide", "eacute",
    "ecirc",  "egrave", "eth",    "euml",   "frac12", "frac14", "frac34", "gt",     "iacute",
    "icirc",  "iexcl",  "igrave", "iquest", "iuml",   "laquo",  "lt",     "macr",   "micro",
    "middot", "nbsp",   "not",    "ntilde", "oacute", "ocirc",  "ograve", "ordf",   "ordm",
    "oslash", "otilde", "ouml",   "para",   "plusmn", "pound",  "quot",   "raquo",  "reg",
    "sect",   "shy",    "sup1",   "sup2",   "sup3",   "szlig",  "thorn",  "times",  "uacute",
    "ucirc",  "ugrave", "uml",    "uuml",   "yacute", "yen",    "yuml"};

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether the "&" at `at` starts a character reference that a browser reads in an
// attribute value although no ";" closes it.
bool unclosedReference(const std::string& v, size_t at) {
    size_t i = at + 1;
    if (i < v.size() && v[i] == '#') {
        ++i;
        const bool hex = i < v.size() && (v[i] == 'x' || v[i] == 'X');
        if (hex) ++i;
        const size_t digits = i;
        while (i < v.size() && (hex ? isHexDigit(v[i]) : (v[i] >= '0' && v[i] <= '9'))) ++i;
        return i > digits && (i == v.size() || v[i] != ';');
    }
    // The longest legacy name here; a longer name, closed or not, needs a letter or
    // digit after it, which keeps the legacy one from being read in an attribute.
    size_t longest = 0;
    for (const char* name : kLegacyNames) {
        const size_t n = std::char_traits<char>::length(name);
        if (n > longest && v.compare(i, n, name) == 0) longest = n;
    }
    if (longest == 0) return false;
    const size_t next = i + longest;
    return next == v.size() || (v[next] != ';' && v[next] != '=' && !isAsciiAlnum(v[next]));
}

}  // namespace

std::string escapeAttribute(const std::string& value) {
    std::string out;
    out.reserve(value.size() + 8);
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"')
            out += "&quot;";
        else if (c == '&' && unclosedReference(value, i))
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

std::string buildMapHeader(const std::string& address, int width, int height,
                           std::optional<int> mapName) {
    std::vector<Fill> fills{{"图片地址", escapeAttribute(address)},
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
                                           {"链接地址", escapeAttribute(link)},
                                           {"提示文本", escapeAttribute(tip)}});
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
