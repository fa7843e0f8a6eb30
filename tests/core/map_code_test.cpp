#include "core/map_code.h"

#include <gtest/gtest.h>

#include <set>

#include "core/canvas_store.h"
#include "core/hotspot_list.h"
#include "core/random.h"

using namespace mapcode;

namespace {

struct ReplaceCase {
    const char* name;
    std::string text, find, with;
    int limit;
    std::string expected;
};

class ReplaceText : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceText, Cases) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replaceText(c.text, c.find, c.with, c.limit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    MapCode, ReplaceText,
    ::testing::Values(
        ReplaceCase{"AllOccurrences", "宽度x宽度y宽度", "宽度", "790", kUnlimited, "790x790y790"},
        ReplaceCase{"LimitStopsEarly", "随机数随机数随机数随机数", "随机数", "7", 3, "777随机数"},
        ReplaceCase{"LimitOne", "a高度b高度", "高度", "1", 1, "a1b高度"},
        ReplaceCase{"InsertedTextNotRescanned", "aXa", "a", "aa", kUnlimited, "aaXaa"},
        ReplaceCase{"InsertedPlaceholderStays", "左,上", "左", "上", kUnlimited, "上,上"},
        ReplaceCase{"ContinuesAfterMatch", "aaa", "aa", "b", kUnlimited, "ba"},
        ReplaceCase{"EmptyFind", "abc", "", "x", kUnlimited, "abc"},
        ReplaceCase{"EmptyText", "", "a", "x", kUnlimited, ""},
        ReplaceCase{"EmptyReplacement", "a下b", "下", "", kUnlimited, "ab"},
        // The tail bytes of 中 (E4 B8 AD) are not a character of their own.
        ReplaceCase{"NeverSplitsACharacter", "中", "\xB8\xAD", "x", kUnlimited, "中"},
        ReplaceCase{"NoMatch", "abc", "d", "x", kUnlimited, "abc"}),
    [](const ::testing::TestParamInfo<ReplaceCase>& p) { return std::string(p.param.name); });

TEST(MapCode, TemplatesByteForByte) {
    EXPECT_EQ(std::string(mapHeaderTemplate),
              "<img src=\"图片地址\" width=\"宽度\" height=\"高度\" usemap=\"#随机数\" "
              "border=\"0\" />\r\n"
              "<map name=\"随机数\" id=\"随机数\">");
    EXPECT_EQ(std::string(areaLineTemplate),
              "  <area shape=\"rect\" coords=\"左,上,右,下\" href=\"链接地址\" "
              "alt=\"&quot;提示文本\" target=\"_blank\" />\r\n");
}

TEST(MapCode, WorkedExample) {
    const std::vector<MapArea> areas{{10, 20, 160, 120, "L1", "T1"}, {-5, 0, 145, 100, "L2", ""}};
    EXPECT_EQ(generateMapCode("P", 790, 400, 537, areas),
              "<img src=\"P\" width=\"790\" height=\"400\" usemap=\"#537\" border=\"0\" />\r\n"
              "<map name=\"537\" id=\"537\">  <area shape=\"rect\" coords=\"10,20,160,120\" "
              "href=\"L1\" alt=\"&quot;T1\" target=\"_blank\" />\r\n"
              "  <area shape=\"rect\" coords=\"-5,0,145,100\" href=\"L2\" alt=\"&quot;\" "
              "target=\"_blank\" />\r\n"
              "</map>");
}

TEST(MapCode, EmptyListGivesHeaderAndEndTag) {
    EXPECT_EQ(generateMapCode("", 0, 0, 200, {}),
              "<img src=\"\" width=\"0\" height=\"0\" usemap=\"#200\" border=\"0\" />\r\n"
              "<map name=\"200\" id=\"200\"></map>");
}

TEST(MapCode, SubstitutionOrder) {
    // The tip goes in after the link, so a link holding the tip's placeholder takes the tip.
    EXPECT_EQ(buildAreaLine({0, 0, 1, 1}, "http://a/提示文本", "T"),
              "  <area shape=\"rect\" coords=\"0,0,1,1\" href=\"http://a/T\" alt=\"&quot;T\" "
              "target=\"_blank\" />\r\n");
    // ... while a tip holding the link's placeholder keeps it.
    EXPECT_EQ(buildAreaLine({0, 0, 1, 1}, "L", "见链接地址"),
              "  <area shape=\"rect\" coords=\"0,0,1,1\" href=\"L\" alt=\"&quot;见链接地址\" "
              "target=\"_blank\" />\r\n");
    // The address goes in first, so its words are rewritten by the later steps; the
    // map name is replaced three times only, and the address took the first of them.
    EXPECT_EQ(buildMapHeader("http://x/宽度/高度/随机数.jpg", 790, 400, 537),
              "<img src=\"http://x/790/400/537.jpg\" width=\"790\" height=\"400\" usemap=\"#537\" "
              "border=\"0\" />\r\n"
              "<map name=\"537\" id=\"随机数\">");
}

TEST(MapCode, QuotesInLinkAndTipAreEscaped) {
    EXPECT_EQ(buildAreaLine({1, 2, 3, 4}, "http://a/?q=\"x\"&amp;y", "say \"hi\" &lt;"),
              "  <area shape=\"rect\" coords=\"1,2,3,4\" href=\"http://a/?q=&quot;x&quot;&amp;y\" "
              "alt=\"&quot;say &quot;hi&quot; &lt;\" target=\"_blank\" />\r\n");
    // The preview variant goes through the same line builder.
    EXPECT_NE(generateMapCode("a.jpg", 1, 1, std::nullopt, {{0, 0, 1, 1, "\"", "\""}})
                  .find("href=\"&quot;\" alt=\"&quot;&quot;\""),
              std::string::npos);
}

TEST(MapCode, PreviewVariant) {
    // Literal map name; a tip outside GB2312 (镕) stays whole.
    EXPECT_EQ(
        generateMapCode("banner.jpg", 790, 400, std::nullopt,
                        {{1, 2, 3, 4, "L", "镕喆"}}),
        "<img src=\"banner.jpg\" width=\"790\" height=\"400\" usemap=\"#随机数\" border=\"0\" "
        "/>\r\n"
        "<map name=\"随机数\" id=\"随机数\">  <area shape=\"rect\" coords=\"1,2,3,4\" href=\"L\" "
        "alt=\"&quot;镕喆\" target=\"_blank\" />\r\n"
        "</map>");
}

TEST(MapCode, MapNameRange) {
    rng::seed(12345);
    const int r = rng::next();
    rng::seed(12345);
    EXPECT_EQ(drawMapName(), 200 + r % 601);

    std::set<int> seen;
    for (int i = 0; i < 100000; ++i) {
        const int name = drawMapName();
        ASSERT_GE(name, 200);
        ASSERT_LE(name, 800);
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), 601u);  // both ends included
}

// A canvas with a picture and hotspots, listed as the main window lists them.
class CollectAreas : public ::testing::Test {
protected:
    int addObject(double x, double y, int w, int h) {
        const int id = store.create(0, 0);
        store.move(id, x, y);
        store.setPicture(id, Picture::fromPlanes(w, h, std::vector<std::uint8_t>(w * h * 3, 0)));
        return id;
    }
    int addHotspot(double x, double y, int w, int h, const std::string& link,
                   const std::string& tip) {
        const int id = addObject(x, y, w, h);
        const int index = list.appendEntry(HotspotList::hotspotEntryText(id - 1, false), id);
        list.insertRow(index, std::to_string(id - 1));
        list.setHotspotLinkTip(index, link, tip);
        return id;
    }
    std::string coords() const {
        std::string out;
        for (const MapArea& a : collectMapAreas(list, store, picture))
            out += std::to_string(a.x1) + "," + std::to_string(a.y1) + "," + std::to_string(a.x2) +
                   "," + std::to_string(a.y2) + " " + a.link + "/" + a.tip + ";";
        return out;
    }
    CanvasStore store;
    HotspotList list;
    int picture = 0;
};

TEST_F(CollectAreas, RelativeToPictureAndNeverClamped) {
    picture = addObject(20, 30, 100, 80);
    addHotspot(15, 30, 150, 100, "a", "A");  // left of the picture, beyond its right and bottom
    addHotspot(120, 110, 10, 10, "b", "B");
    EXPECT_EQ(coords(), "-5,0,145,100 a/A;100,80,110,90 b/B;");
    // Moving the picture and its hotspots together leaves every value unchanged.
    for (const auto& o : std::vector<CanvasObject>(store.objects()))
        store.move(o.id, o.x + 7, o.y + 9);
    EXPECT_EQ(coords(), "-5,0,145,100 a/A;100,80,110,90 b/B;");
}

TEST_F(CollectAreas, PositionsTruncatedTowardZero) {
    picture = addObject(0, 0, 10, 10);
    addHotspot(10.9, -0.5, 5, 5, "", "");
    EXPECT_EQ(coords(), "10,0,15,5 /;");
}

TEST_F(CollectAreas, ListOrderAfterDeletingTheSecond) {
    picture = addObject(0, 0, 300, 300);
    addHotspot(200, 0, 10, 10, "one", "1");
    addHotspot(100, 0, 10, 10, "two", "2");
    addHotspot(0, 0, 10, 10, "three", "3");
    list.removeAt(1);
    EXPECT_EQ(coords(), "200,0,210,10 one/1;0,0,10,10 three/3;");
}

TEST_F(CollectAreas, NoPictureObjectMeansCanvasOrigin) {
    addHotspot(12, 34, 5, 6, "l", "t");
    EXPECT_EQ(coords(), "12,34,17,40 l/t;");
}

}  // namespace
