// Reading image-map code back: every rectangular area of the HTML, from this
// program or any other tool, with its corners, link and tip, as a browser reads it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mapimport {

struct ImportedArea {
    // Corners relative to the picture, ordered: x1 <= x2, y1 <= y2.
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    std::string link;           // href, character references decoded
    std::string tip;            // alt, else title
    bool wholePicture = false;  // shape="default": the corners come from the picture
};

struct ImportResult {
    std::vector<ImportedArea> areas;  // in document order, over every map
    int skipped = 0;                  // circles, polygons and areas that cannot be clicked
    std::string pictureAddress;       // src of the first img that uses a map, else of the first img
    // The code has no map: the areas were taken from outside any map, where a
    // browser does not make them clickable.
    bool outsideMap = false;
    // Not empty when the code could not be read at all; then nothing else is set.
    std::string error;
};

struct ImportLimits {
    std::uint64_t maxCpuMs = 2000;          // processor time of the parse
    size_t maxBytes = 1024u * 1024 * 1024;  // memory the parser holds at once
    const std::atomic<bool>* cancel = nullptr;
};

inline constexpr const char* kTooLong = "代码过长（超过 16 MB），没有导入任何热点";
inline constexpr const char* kTooComplex = "代码的结构过于复杂，无法读完，没有导入任何热点";
inline constexpr const char* kCancelled = "已取消导入";

// Parses with an HTML5 parser, as browsers do: only real elements count (nothing
// inside a comment, textarea, template, noscript and the like), attributes in any
// order and quoting, character references decoded as HTML defines them. A missing
// or unknown shape is a rectangle; coords is read by HTML's rules for a list of
// numbers. Takes UTF-8 text. The areas still need fitToPicture.
ImportResult importMapCode(const std::string& html, const ImportLimits& limits = {});

// Gives shape="default" areas the whole picture and clips the others to it; an area
// with nothing left, or too large to be a hotspot, is skipped and counted.
void fitToPicture(ImportResult& result, int width, int height);

// Text of a code file as UTF-8: by its byte-order mark (UTF-8, UTF-16 LE or BE),
// else by the charset its meta element names, else UTF-8 when it is valid UTF-8,
// else GBK.
std::string decodeCodeFile(const std::string& bytes);

}  // namespace mapimport
