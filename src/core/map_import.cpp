#include "core/map_import.h"

#include <gumbo.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/hotspot_resize.h"
#include "core/limits.h"
#include "core/text.h"
#include "platform/clock.h"
#include "platform/encoding.h"

namespace mapimport {

namespace {

// The parser's memory, held in one list so that the whole tree goes in one sweep
// (the library frees a tree by recursion, which a deep document would overflow),
// and the budget of the parse, checked as the parser asks for memory: past it the
// parse is left by a jump back to parseWithin.
struct alignas(16) Block {
    Block* prev;
    Block* next;
    size_t size;
};

enum class Stop { none, memory, time, cancelled };

struct Budget {
    std::jmp_buf jump;
    Block* blocks = nullptr;
    size_t liveBytes = 0;
    size_t maxBytes = 0;
    std::uint64_t startMs = 0;
    std::uint64_t maxCpuMs = 0;
    unsigned calls = 0;
    const std::atomic<bool>* cancel = nullptr;
    Stop stop = Stop::none;

    Budget() = default;
    Budget(const Budget&) = delete;
    Budget& operator=(const Budget&) = delete;
    ~Budget() {
        while (blocks) {
            Block* next = blocks->next;
            std::free(blocks);
            blocks = next;
        }
    }
};

[[noreturn]] void leave(Budget& b, Stop why) {
    b.stop = why;
    std::longjmp(b.jump, 1);
}

void* allocate(void* userdata, size_t size) {
    Budget& b = *static_cast<Budget*>(userdata);
    if ((++b.calls & 63) == 0) {
        if (b.cancel && b.cancel->load()) leave(b, Stop::cancelled);
        if (platform::threadCpuMs() - b.startMs > b.maxCpuMs) leave(b, Stop::time);
    }
    if (size > b.maxBytes - b.liveBytes) leave(b, Stop::memory);
    Block* block = static_cast<Block*>(std::malloc(sizeof(Block) + size));
    if (!block) leave(b, Stop::memory);
    block->prev = nullptr;
    block->next = b.blocks;
    block->size = size;
    if (b.blocks) b.blocks->prev = block;
    b.blocks = block;
    b.liveBytes += size;
    return block + 1;
}

void deallocate(void* userdata, void* p) {
    if (!p) return;
    Budget& b = *static_cast<Budget*>(userdata);
    Block* block = static_cast<Block*>(p) - 1;
    if (block->prev)
        block->prev->next = block->next;
    else
        b.blocks = block->next;
    if (block->next) block->next->prev = block->prev;
    b.liveBytes -= block->size;
    std::free(block);
}

// Nothing with a destructor lives in this frame, so the jump back skips none.
const GumboOutput* parseWithin(Budget& b, const char* data, size_t size) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = allocate;
    options.deallocator = deallocate;
    options.userdata = &b;
    options.max_errors = 0;
    if (setjmp(b.jump)) return nullptr;
    return gumbo_parse_with_options(&options, data, size);
}

const char* attribute(const GumboElement& e, const char* name) {
    const GumboAttribute* a = gumbo_get_attribute(&e.attributes, name);
    return a ? a->value : nullptr;
}

std::string valueOf(const GumboElement& e, const char* name) {
    const char* v = attribute(e, name);
    return v ? v : "";
}

bool isHtml(const GumboNode* n, GumboTag tag) {
    return n->type == GUMBO_NODE_ELEMENT && n->v.element.tag == tag &&
           n->v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

std::string trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r\n\f");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n\f") - a + 1);
}

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ',' || c == ';';
}
bool startsNumber(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The leading decimal number of a token ("12.5e1px" is 125); 0 when there is none
// or it is not finite. No hex, no "+", no spaces: strtod's extras are not read.
double leadingNumber(const std::string& t) {
    size_t i = 0;
    if (i < t.size() && t[i] == '-') ++i;
    size_t digits = 0;
    for (; i < t.size() && isDigit(t[i]); ++i) ++digits;
    if (i < t.size() && t[i] == '.') {
        size_t j = i + 1, fraction = 0;
        for (; j < t.size() && isDigit(t[j]); ++j) ++fraction;
        if (digits + fraction > 0) i = j;
        digits += fraction;
    }
    if (digits == 0) return 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        const size_t exponent = j;
        while (j < t.size() && isDigit(t[j])) ++j;
        if (j > exponent) i = j;
    }
    const double v = std::strtod(t.substr(0, i).c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

// HTML's rules for a list of numbers as the engine applies them to coords:
// spaces, commas and semicolons separate; other characters before a number are
// skipped; each token counts for its leading number, 0 when it has none.
std::vector<double> coordinateList(const std::string& s) {
    std::vector<double> out;
    size_t i = 0;
    while (i < s.size() && isSeparator(s[i])) ++i;
    while (i < s.size() && out.size() < 4) {
        while (i < s.size() && !isSeparator(s[i]) && !startsNumber(s[i])) ++i;
        const size_t start = i;
        while (i < s.size() && !isSeparator(s[i])) ++i;
        out.push_back(leadingNumber(s.substr(start, i - start)));
        while (i < s.size() && isSeparator(s[i])) ++i;
    }
    return out;
}

enum class Shape { rect, circle, poly, whole };

// An enumerated attribute: the keyword exactly, in any case; anything else, or
// nothing, is a rectangle.
Shape shapeOf(const char* value) {
    if (!value) return Shape::rect;
    const std::string s = text::asciiLower(value);
    if (s == "circle" || s == "circ") return Shape::circle;
    if (s == "poly" || s == "polygon") return Shape::poly;
    if (s == "default") return Shape::whole;
    return Shape::rect;
}

// This program wrote alt as a quote followed by the tip until the quote was
// dropped, and the tip again as title: both give the tip back.
std::string tipOf(const GumboElement& area) {
    const char* alt = attribute(area, "alt");
    const char* title = attribute(area, "title");
    if (alt && alt[0] == '"' && (!title || std::strcmp(alt + 1, title) == 0)) return alt + 1;
    if (alt && alt[0]) return alt;
    return title ? title : "";
}

// A corner on the pixel grid as the engine hits it: a pixel belongs to the area
// when its centre does, edges included.
int firstPixel(double v) { return text::truncToInt(std::ceil(v - 0.5)); }
int endPixel(double v) { return text::truncToInt(std::floor(v + 0.5)); }

double clamped(double v) {
    constexpr double kFar = 10000000;
    return std::max(-kFar, std::min(kFar, v));
}

// One area, or a count in `skipped` when a browser gives it no rectangle.
bool readArea(const GumboElement& e, ImportedArea& a, int& skipped) {
    const Shape shape = shapeOf(attribute(e, "shape"));
    if (shape == Shape::circle || shape == Shape::poly) {
        ++skipped;
        return false;
    }
    if (shape == Shape::rect) {
        const std::vector<double> c = coordinateList(valueOf(e, "coords"));
        if (c.size() < 4) {
            ++skipped;
            return false;
        }
        const double x1 = clamped(c[0]), y1 = clamped(c[1]);
        const double x2 = clamped(c[2]), y2 = clamped(c[3]);
        a.x1 = firstPixel(std::min(x1, x2));
        a.x2 = endPixel(std::max(x1, x2));
        a.y1 = firstPixel(std::min(y1, y2));
        a.y2 = endPixel(std::max(y1, y2));
    }
    a.wholePicture = shape == Shape::whole;
    a.link = valueOf(e, "href");
    a.tip = tipOf(e);
    return true;
}

// The tree in document order without recursion. Template contents are inert
// (and noscript's, with scripting on, as in browsers); everything a browser reads
// as text (textarea, xmp, iframe, noembed, comments) holds no elements anyway.
template <class Visit>
void walk(const GumboNode* root, Visit visit) {
    std::vector<std::pair<const GumboNode*, bool>> stack{{root, false}};
    while (!stack.empty()) {
        const auto [node, inMap] = stack.back();
        stack.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_DOCUMENT) continue;
        if (isHtml(node, GUMBO_TAG_NOSCRIPT)) continue;
        const bool map = inMap || isHtml(node, GUMBO_TAG_MAP);
        visit(node, inMap);
        const GumboVector& children = node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children
                                                                        : node->v.element.children;
        for (unsigned i = children.length; i-- > 0;)
            stack.emplace_back(static_cast<const GumboNode*>(children.data[i]), map);
    }
}

}  // namespace

ImportResult importMapCode(const std::string& html, const ImportLimits& limits) {
    ImportResult result;
    if (html.size() > limits::kMaxImportBytes) {
        result.error = kTooLong;
        return result;
    }
    if (html.empty()) return result;
    Budget budget;
    budget.maxBytes = limits.maxBytes;
    budget.maxCpuMs = limits.maxCpuMs;
    budget.cancel = limits.cancel;
    budget.startMs = platform::threadCpuMs();
    const GumboOutput* out = parseWithin(budget, html.data(), html.size());
    if (!out) {
        result.error = budget.stop == Stop::cancelled ? kCancelled : kTooComplex;
        return result;
    }

    std::string firstImage, mapImage;
    std::vector<ImportedArea> loose;
    int looseSkipped = 0;
    bool anyMap = false;
    walk(out->document, [&](const GumboNode* node, bool inMap) {
        if (isHtml(node, GUMBO_TAG_MAP)) anyMap = true;
        if (isHtml(node, GUMBO_TAG_AREA)) {
            ImportedArea a;
            if (inMap) {
                if (readArea(node->v.element, a, result.skipped))
                    result.areas.push_back(std::move(a));
            } else if (readArea(node->v.element, a, looseSkipped)) {
                loose.push_back(std::move(a));
            }
        }
        if (isHtml(node, GUMBO_TAG_IMG)) {
            const std::string src = trimmed(valueOf(node->v.element, "src"));
            if (firstImage.empty()) firstImage = src;
            if (mapImage.empty() && attribute(node->v.element, "usemap")) mapImage = src;
        }
    });
    if (anyMap) {
        // Not clickable beside a map: counted, not imported.
        result.skipped += looseSkipped + static_cast<int>(loose.size());
    } else {
        result.areas = std::move(loose);
        result.skipped += looseSkipped;
        result.outsideMap = !result.areas.empty();
    }
    result.pictureAddress = mapImage.empty() ? firstImage : mapImage;
    return result;
}

void fitToPicture(ImportResult& result, int width, int height) {
    std::vector<ImportedArea> kept;
    kept.reserve(result.areas.size());
    for (ImportedArea& a : result.areas) {
        if (a.wholePicture) {
            a.x1 = a.y1 = 0;
            a.x2 = width;
            a.y2 = height;
        } else {
            a.x1 = std::max(a.x1, 0);
            a.y1 = std::max(a.y1, 0);
            a.x2 = std::min(a.x2, width);
            a.y2 = std::min(a.y2, height);
        }
        if (!hotspotFaceFits(a.x2 - a.x1, a.y2 - a.y1)) {
            ++result.skipped;
            continue;
        }
        kept.push_back(std::move(a));
    }
    result.areas = std::move(kept);
}

namespace {

bool validUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n;
        if (c < 0x80)
            n = 1;
        else if ((c >> 5) == 0x6 && c >= 0xC2)
            n = 2;
        else if ((c >> 4) == 0xE)
            n = 3;
        else if ((c >> 3) == 0x1E && c <= 0xF4)
            n = 4;
        else
            return false;
        if (i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        i += n;
    }
    return true;
}

// An encoding label as browsers read it, for the encodings shop code comes in.
bool charsetOfLabel(std::string label, platform::Charset& cs) {
    using platform::Charset;
    label = text::asciiLower(trimmed(label));
    static const std::pair<const char*, Charset> kLabels[] = {
        {"utf-8", Charset::utf8},
        {"utf8", Charset::utf8},
        {"unicode-1-1-utf-8", Charset::utf8},
        // A page cannot declare UTF-16 in itself: browsers read UTF-8 then.
        {"utf-16", Charset::utf8},
        {"utf-16le", Charset::utf8},
        {"utf-16be", Charset::utf8},
        {"gbk", Charset::gb18030},
        {"gb2312", Charset::gb18030},
        {"gb_2312", Charset::gb18030},
        {"gb_2312-80", Charset::gb18030},
        {"chinese", Charset::gb18030},
        {"csgb2312", Charset::gb18030},
        {"iso-ir-58", Charset::gb18030},
        {"x-gbk", Charset::gb18030},
        {"csiso58gb231280", Charset::gb18030},
        {"gb18030", Charset::gb18030},
        {"big5", Charset::big5},
        {"big5-hkscs", Charset::big5},
        {"cn-big5", Charset::big5},
        {"csbig5", Charset::big5},
        {"x-x-big5", Charset::big5},
        {"euc-kr", Charset::eucKr},
        {"cseuckr", Charset::eucKr},
        {"ks_c_5601-1987", Charset::eucKr},
        {"ks_c_5601-1989", Charset::eucKr},
        {"ksc5601", Charset::eucKr},
        {"ksc_5601", Charset::eucKr},
        {"korean", Charset::eucKr},
        {"windows-949", Charset::eucKr},
        {"iso-ir-149", Charset::eucKr},
        {"csksc56011987", Charset::eucKr},
        {"shift_jis", Charset::shiftJis},
        {"shift-jis", Charset::shiftJis},
        {"sjis", Charset::shiftJis},
        {"ms932", Charset::shiftJis},
        {"ms_kanji", Charset::shiftJis},
        {"x-sjis", Charset::shiftJis},
        {"windows-31j", Charset::shiftJis},
        {"csshiftjis", Charset::shiftJis},
        {"windows-1252", Charset::windows1252},
        {"cp1252", Charset::windows1252},
        {"x-cp1252", Charset::windows1252},
        {"iso-8859-1", Charset::windows1252},
        {"iso8859-1", Charset::windows1252},
        {"iso_8859-1", Charset::windows1252},
        {"latin1", Charset::windows1252},
        {"l1", Charset::windows1252},
        {"us-ascii", Charset::windows1252},
        {"ascii", Charset::windows1252},
        {"ansi_x3.4-1968", Charset::windows1252},
        {"cp819", Charset::windows1252},
        {"ibm819", Charset::windows1252},
        {"csisolatin1", Charset::windows1252},
        {"iso-ir-100", Charset::windows1252},
        {"iso88591", Charset::windows1252},
    };
    for (const auto& [name, charset] : kLabels)
        if (label == name) {
            cs = charset;
            return true;
        }
    return false;
}

// The charset a content attribute names ("text/html; charset=gbk"), by HTML's
// rule for meta elements: after "charset", spaces, "=", spaces, a value that is
// quoted or runs to a space or ";".
std::string charsetInContent(const std::string& content) {
    const std::string lower = text::asciiLower(content);
    size_t at = 0;
    while ((at = lower.find("charset", at)) != std::string::npos) {
        size_t i = at + 7;
        while (i < lower.size() && std::strchr(" \t\n\f\r", lower[i])) ++i;
        if (i >= lower.size() || lower[i] != '=') {
            at = i;
            continue;
        }
        ++i;
        while (i < lower.size() && std::strchr(" \t\n\f\r", lower[i])) ++i;
        if (i >= lower.size()) return {};
        if (lower[i] == '"' || lower[i] == '\'') {
            const size_t end = lower.find(lower[i], i + 1);
            return end == std::string::npos ? std::string() : content.substr(i + 1, end - i - 1);
        }
        size_t end = i;
        while (end < lower.size() && !std::strchr(" \t\n\f\r;", lower[end])) ++end;
        return content.substr(i, end - i);
    }
    return {};
}

// The charset the first meta element that names one gives, within the first
// 1024 bytes as browsers look.
bool declaredCharset(const std::string& bytes, platform::Charset& cs) {
    const std::string head = bytes.substr(0, 1024);
    Budget budget;
    budget.maxBytes = 64u * 1024 * 1024;
    budget.maxCpuMs = 1000;
    budget.startMs = platform::threadCpuMs();
    const GumboOutput* out = parseWithin(budget, head.data(), head.size());
    if (!out) return false;
    bool found = false;
    walk(out->document, [&](const GumboNode* node, bool) {
        if (found || !isHtml(node, GUMBO_TAG_META)) return;
        const GumboElement& e = node->v.element;
        std::string label;
        if (const char* charset = attribute(e, "charset"))
            label = charset;
        else if (text::asciiLower(trimmed(valueOf(e, "http-equiv"))) == "content-type")
            label = charsetInContent(valueOf(e, "content"));
        if (!label.empty() && charsetOfLabel(label, cs)) found = true;
    });
    return found;
}

}  // namespace

std::string decodeCodeFile(const std::string& bytes) {
    using platform::Charset;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return platform::toUtf8(bytes.substr(3), Charset::utf8);
    if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        return platform::toUtf8(bytes.substr(2), Charset::utf16le);
    if (bytes.compare(0, 2, "\xFE\xFF") == 0)
        return platform::toUtf8(bytes.substr(2), Charset::utf16be);
    Charset declared;
    if (declaredCharset(bytes, declared)) return platform::toUtf8(bytes, declared);
    if (validUtf8(bytes)) return bytes;
    return text::fromGbk(bytes);
}

}  // namespace mapimport
