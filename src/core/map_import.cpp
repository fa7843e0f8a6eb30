#include "core/map_import.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "core/hotspot_resize.h"
#include "core/text.h"

namespace mapimport {

namespace {

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

std::string attribute(xmlNode* node, const char* name) {
    xmlChar* v = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!v) return {};
    std::string s(reinterpret_cast<const char*>(v));
    xmlFree(v);
    return s;
}

bool hasAttribute(xmlNode* node, const char* name) {
    return xmlHasProp(node, reinterpret_cast<const xmlChar*>(name)) != nullptr;
}

bool named(xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

std::string trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r\n\f");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n\f") - a + 1);
}

// The numbers of a coords attribute, separated by commas and/or spaces.
std::vector<double> numbers(const std::string& coords) {
    std::vector<double> out;
    const char* p = coords.c_str();
    while (*p) {
        while (*p == ',' || *p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
        if (!*p) break;
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p || !std::isfinite(v)) return {};
        out.push_back(v);
        p = end;
        while (*p && *p != ',' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') ++p;
    }
    return out;
}

bool isRectShape(const std::string& shape) {
    const std::string s = text::asciiLower(trimmed(shape));
    return s.empty() || s == "rect" || s == "rectangle";
}

// This program writes alt as a quote followed by the tip and, since the title
// attribute came, the tip again as title: both give the tip back.
std::string tipOf(xmlNode* area) {
    const bool hasAlt = hasAttribute(area, "alt");
    const std::string alt = attribute(area, "alt");
    const std::string title = attribute(area, "title");
    if (hasAlt && !alt.empty() && alt[0] == '"' && (!hasAttribute(area, "title") || alt.substr(1) == title))
        return alt.substr(1);
    if (hasAlt && !alt.empty()) return alt;
    return title;
}

void readArea(xmlNode* node, ImportResult& result) {
    if (!isRectShape(attribute(node, "shape"))) {
        ++result.skipped;
        return;
    }
    const std::vector<double> c = numbers(attribute(node, "coords"));
    if (c.size() != 4 || std::fabs(c[0]) > 1e7 || std::fabs(c[1]) > 1e7 || std::fabs(c[2]) > 1e7 ||
        std::fabs(c[3]) > 1e7) {
        ++result.skipped;
        return;
    }
    ImportedArea a;
    const int x1 = text::truncToInt(c[0]), y1 = text::truncToInt(c[1]);
    const int x2 = text::truncToInt(c[2]), y2 = text::truncToInt(c[3]);
    a.x1 = std::min(x1, x2);
    a.x2 = std::max(x1, x2);
    a.y1 = std::min(y1, y2);
    a.y2 = std::max(y1, y2);
    // Nothing to click on, or a face too large to make.
    if (!hotspotFaceFits(a.x2 - a.x1, a.y2 - a.y1)) {
        ++result.skipped;
        return;
    }
    a.link = attribute(node, "href");
    a.tip = tipOf(node);
    result.areas.push_back(std::move(a));
}

bool validUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n;
        if (c < 0x80) n = 1;
        else if ((c >> 5) == 0x6 && c >= 0xC2) n = 2;
        else if ((c >> 4) == 0xE) n = 3;
        else if ((c >> 3) == 0x1E && c <= 0xF4) n = 4;
        else return false;
        if (i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        i += n;
    }
    return true;
}

}  // namespace

ImportResult importMapCode(const std::string& html) {
    ImportResult result;
    if (html.empty()) return result;
    std::unique_ptr<xmlDoc, DocFree> doc(htmlReadMemory(
        html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
    if (!doc) return result;
    std::string firstImage, mapImage;
    // Depth first in document order, without recursion.
    std::vector<xmlNode*> stack;
    for (xmlNode* n = xmlDocGetRootElement(doc.get()); n; n = n->next) stack.insert(stack.begin(), n);
    while (!stack.empty()) {
        xmlNode* node = stack.back();
        stack.pop_back();
        if (named(node, "area")) readArea(node, result);
        if (named(node, "img")) {
            const std::string src = trimmed(attribute(node, "src"));
            if (firstImage.empty()) firstImage = src;
            if (mapImage.empty() && hasAttribute(node, "usemap")) mapImage = src;
        }
        std::vector<xmlNode*> children;
        for (xmlNode* c = node->children; c; c = c->next)
            if (c->type == XML_ELEMENT_NODE) children.push_back(c);
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    result.pictureAddress = mapImage.empty() ? firstImage : mapImage;
    return result;
}

std::string decodeCodeFile(const std::string& bytes) {
    std::string s = bytes;
    if (s.compare(0, 3, "\xEF\xBB\xBF") == 0) s.erase(0, 3);
    if (validUtf8(s)) return s;
    return text::fromGbk(s);
}

}  // namespace mapimport
