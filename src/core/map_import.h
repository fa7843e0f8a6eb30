// Reading image-map code back: every rectangular area of the HTML, from this
// program or any other tool, with its corners, link and tip.
#pragma once

#include <string>
#include <vector>

namespace mapimport {

struct ImportedArea {
    // Corners relative to the picture, ordered: x1 <= x2, y1 <= y2.
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    std::string link;  // href, character references decoded
    std::string tip;   // alt, else title
};

struct ImportResult {
    std::vector<ImportedArea> areas;  // in document order, over every map
    int skipped = 0;                  // circles, polygons and areas that cannot be read
    std::string pictureAddress;       // src of the first img that uses a map, else of the first img
};

// Parses with a real HTML parser: attributes in any order and quoting, tags in
// any case, character references decoded. Takes UTF-8 text.
ImportResult importMapCode(const std::string& html);

// Text of a file in either of the encodings shop code comes in: UTF-8 as it is
// (a byte-order mark dropped), anything else read as GBK.
std::string decodeCodeFile(const std::string& bytes);

}  // namespace mapimport
