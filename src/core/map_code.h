// The image-map code: one img element that names a map, the map element, and one
// area line per hotspot with its rectangle relative to the picture.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace doc {
class Document;
}

namespace mapcode {

// No limit on the number of replacements.
inline constexpr int kUnlimited = -1;

// Scans `text` left to right one whole character at a time; where `find` begins it
// emits `replacement` and continues after the match. Inserted text is never scanned
// again; after `limit` replacements the rest is copied as it is. An empty `find` or
// an empty text gives the text back unchanged.
std::string replaceText(const std::string& text, const std::string& find,
                        const std::string& replacement, int limit = kUnlimited);

// One placeholder of a template and the value that takes its place.
struct Fill {
    std::string placeholder;
    std::string value;
};

// Fills every placeholder of a template in one pass, left to right, one whole
// character at a time. Inserted values are never scanned again, so a value that
// happens to hold a placeholder word keeps it. Where two placeholders begin at the
// same character, the earlier one in `fills` wins.
std::string fillTemplate(const std::string& templ, const std::vector<Fill>& fills);

// The two templates, with their CR LF line ends.
extern const char* const mapHeaderTemplate;
extern const char* const areaLineTemplate;

// A hotspot's rectangle relative to the picture's current position.
struct PictureRect {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};
PictureRect pictureRect(int left, int top, int width, int height, int pictureLeft, int pictureTop);

// One area of the map: the rectangle, the link and the tip as stored.
struct MapArea {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    std::string link;
    std::string tip;
};

// An attribute value that a browser reads back exactly as typed. A double quote
// would end the value early: each becomes "&quot;". An "&" that a browser would
// read as a character reference the user did not close with ";" becomes "&amp;":
// a legacy name such as "&copy" or "&reg" not followed by "=", a letter or a digit,
// and "&#" with digits (or "&#x" with hex digits) not followed by ";". Closed
// references ("&amp;", "&#169;") are the user's own HTML and stay, and so does
// every other "&": "?a=1&b=2" comes out as typed.
std::string escapeAttribute(const std::string& value);

// The header with the address (escaped as an attribute), the size and, when given, the map
// name filled in. Without a map name the literal placeholder stays in all three places.
std::string buildMapHeader(const std::string& address, int width, int height,
                           std::optional<int> mapName);
std::string buildAreaLine(const PictureRect& rect, const std::string& link, const std::string& tip);

// A map name from 100000 to 999999 inclusive, drawn from the program's generator:
// a shop page carrying several pictures with maps needs them to differ.
int drawMapName();

// Header, one area line per entry in order, then the end tag.
std::string generateMapCode(const std::string& address, int width, int height,
                            std::optional<int> mapName, const std::vector<MapArea>& areas);

// The areas of every hotspot of the document, in list order; the rectangles are in
// picture pixels already.
std::vector<MapArea> collectMapAreas(const doc::Document& work);

}  // namespace mapcode
