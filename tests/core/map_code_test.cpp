#include "core/map_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "core/document.h"
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
              "alt=\"提示文本\" title=\"提示文本\" target=\"_blank\" />\r\n");
}

TEST(MapCode, WorkedExample) {
    const std::vector<MapArea> areas{{10, 20, 160, 120, "L1", "T1"}, {-5, 0, 145, 100, "L2", ""}};
    EXPECT_EQ(generateMapCode("P", 790, 400, 537, areas),
              "<img src=\"P\" width=\"790\" height=\"400\" usemap=\"#537\" border=\"0\" />\r\n"
              "<map name=\"537\" id=\"537\">  <area shape=\"rect\" coords=\"10,20,160,120\" "
              "href=\"L1\" alt=\"T1\" title=\"T1\" target=\"_blank\" />\r\n"
              "  <area shape=\"rect\" coords=\"-5,0,145,100\" href=\"L2\" alt=\"\" "
              "title=\"\" target=\"_blank\" />\r\n"
              "</map>");
}

TEST(MapCode, EmptyListGivesHeaderAndEndTag) {
    EXPECT_EQ(generateMapCode("", 0, 0, 200, {}),
              "<img src=\"\" width=\"0\" height=\"0\" usemap=\"#200\" border=\"0\" />\r\n"
              "<map name=\"200\" id=\"200\"></map>");
}

// Every placeholder word inside every kind of value comes out as typed: the
// templates are filled in one pass and inserted values are never scanned again.
struct PlaceholderCase {
    const char* name;
    std::string address, link, tip;
};

class PlaceholderWordsInValues : public ::testing::TestWithParam<PlaceholderCase> {};

TEST_P(PlaceholderWordsInValues, StayAsTyped) {
    const PlaceholderCase& c = GetParam();
    EXPECT_EQ(buildMapHeader(c.address, 790, 400, 537),
              "<img src=\"" + c.address +
                  "\" width=\"790\" height=\"400\" usemap=\"#537\" border=\"0\" />\r\n"
                  "<map name=\"537\" id=\"537\">");
    EXPECT_EQ(buildAreaLine({1, 2, 3, 4}, c.link, c.tip),
              "  <area shape=\"rect\" coords=\"1,2,3,4\" href=\"" + c.link + "\" alt=\"" + c.tip +
                  "\" title=\"" + c.tip + "\" target=\"_blank\" />\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    MapCode, PlaceholderWordsInValues,
    ::testing::Values(
        PlaceholderCase{"None", "http://img/a.jpg", "http://a/", "买一送一"},
        PlaceholderCase{"AddressWords", "http://x/宽度图/高度/随机数.jpg", "L", "T"},
        PlaceholderCase{"AddressTemplateWord", "图片地址.jpg", "L", "T"},
        PlaceholderCase{"LinkHoldsTipWord", "a.jpg", "http://a/提示文本", "T"},
        PlaceholderCase{"LinkHoldsCornerWords", "a.jpg", "http://左上右下/链接地址", "T"},
        PlaceholderCase{"TipHoldsLinkWord", "a.jpg", "L", "见链接地址"},
        PlaceholderCase{"TipHoldsCornerWords", "a.jpg", "L", "左上角 右下角 提示文本"},
        PlaceholderCase{"ValuesHoldOtherTemplatesWords", "版本偏移距顶", "左", "下"}),
    [](const ::testing::TestParamInfo<PlaceholderCase>& p) { return std::string(p.param.name); });

TEST(MapCode, FillTemplate) {
    EXPECT_EQ(fillTemplate("", {{"a", "b"}}), "");
    EXPECT_EQ(fillTemplate("abc", {}), "abc");
    EXPECT_EQ(fillTemplate("aXa", {{"a", "aa"}}), "aaXaa");
    EXPECT_EQ(fillTemplate("左,上", {{"左", "上"}, {"上", "左"}}), "上,左");
    EXPECT_EQ(fillTemplate("aaa", {{"aa", "b"}}), "ba");
    EXPECT_EQ(fillTemplate("abc", {{"", "x"}}), "abc");
    // The tail bytes of 中 (E4 B8 AD) are not a character of their own.
    EXPECT_EQ(fillTemplate("中", {{"\xB8\xAD", "x"}}), "中");
    // Where two placeholders start at the same character, the first listed wins.
    EXPECT_EQ(fillTemplate("高度", {{"高", "1"}, {"高度", "2"}}), "1度");
    // Without a map name the three literal placeholders stay.
    EXPECT_EQ(buildMapHeader("a", 1, 2, std::nullopt),
              "<img src=\"a\" width=\"1\" height=\"2\" usemap=\"#随机数\" border=\"0\" />\r\n"
              "<map name=\"随机数\" id=\"随机数\">");
}

TEST(MapCode, QuotesInAddressLinkAndTipAreEscaped) {
    EXPECT_EQ(buildAreaLine({1, 2, 3, 4}, "http://a/?q=\"x\"&amp;y", "say \"hi\" &lt;"),
              "  <area shape=\"rect\" coords=\"1,2,3,4\" href=\"http://a/?q=&quot;x&quot;&amp;y\" "
              "alt=\"say &quot;hi&quot; &lt;\" title=\"say &quot;hi&quot; &lt;\" "
              "target=\"_blank\" />\r\n");
    EXPECT_EQ(buildMapHeader("http://a/\"><script>.jpg", 1, 2, 300000),
              "<img src=\"http://a/&quot;><script>.jpg\" width=\"1\" height=\"2\" "
              "usemap=\"#300000\" border=\"0\" />\r\n"
              "<map name=\"300000\" id=\"300000\">");
    // The preview variant goes through the same builders.
    EXPECT_NE(generateMapCode("a\".jpg", 1, 1, std::nullopt, {{0, 0, 1, 1, "\"", "\""}})
                  .find("src=\"a&quot;.jpg\""),
              std::string::npos);
    EXPECT_NE(generateMapCode("a.jpg", 1, 1, std::nullopt, {{0, 0, 1, 1, "\"", "\""}})
                  .find("href=\"&quot;\" alt=\"&quot;\" title=\"&quot;\""),
              std::string::npos);
}

// What a browser would read differently from what was typed gets "&amp;"; all else
// comes out byte for byte. The reading of each value was checked in a browser
// engine (the import table of map_import_test.cpp reads them back the same way).
struct EscapeCase {
    const char* typed;
    const char* written;
};

TEST(MapCode, AttributeEscaping) {
    const EscapeCase cases[] = {
        // Legacy names read without ";" unless "=", a letter or a digit follows.
        {"?id=5&copy&x=1", "?id=5&amp;copy&x=1"},
        {"?a=1&reg_id=7", "?a=1&amp;reg_id=7"},
        {"x&not", "x&amp;not"},
        {"&para/&sect?&times ", "&amp;para/&amp;sect?&amp;times "},
        {"新&lt品&COPY", "新&amp;lt品&amp;COPY"},
        {"&frac12-&sup1.&amp", "&amp;frac12-&amp;sup1.&amp;amp"},
        {"&&copy", "&&amp;copy"},
        {"&copy=1&copyright&reg2&notin&frac12x", "&copy=1&copyright&reg2&notin&frac12x"},
        // Names that are no legacy name, or not in this case, stay.
        {"?a=1&b=2&lang=en&Copy&sup", "?a=1&b=2&lang=en&Copy&sup"},
        // Closed references are the user's own HTML.
        {"&amp;&quot;&#169;&#xA9;&copy;&not;&notin;&bigstar;",
         "&amp;&quot;&#169;&#xA9;&copy;&not;&notin;&bigstar;"},
        // Numeric references are read without ";" too; malformed ones are text.
        {"&#169&#x41z&#38", "&amp;#169&amp;#x41z&amp;#38"},
        {"index.php?id=3&#comments&#;&#xZZ;x &# y&#x&",
         "index.php?id=3&#comments&#;&#xZZ;x &# y&#x&"},
        {"say \"hi\"&copy\"", "say &quot;hi&quot;&amp;copy&quot;"},
        {"", ""},
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(escapeAttribute(c.typed), c.written) << c.typed;
        EXPECT_EQ(buildAreaLine({0, 0, 1, 1}, c.typed, c.typed),
                  std::string("  <area shape=\"rect\" coords=\"0,0,1,1\" href=\"") + c.written +
                      "\" alt=\"" + c.written + "\" title=\"" + c.written +
                      "\" target=\"_blank\" />\r\n");
        EXPECT_EQ(
            buildMapHeader(c.typed, 1, 1, 100000).substr(0, 10 + std::string(c.written).size()),
            std::string("<img src=\"") + c.written);
    }
}

TEST(MapCode, PreviewVariant) {
    // Literal map name; a tip outside GB2312 (镕) stays whole.
    EXPECT_EQ(
        generateMapCode("banner.jpg", 790, 400, std::nullopt, {{1, 2, 3, 4, "L", "镕喆"}}),
        "<img src=\"banner.jpg\" width=\"790\" height=\"400\" usemap=\"#随机数\" border=\"0\" "
        "/>\r\n"
        "<map name=\"随机数\" id=\"随机数\">  <area shape=\"rect\" coords=\"1,2,3,4\" href=\"L\" "
        "alt=\"镕喆\" title=\"镕喆\" target=\"_blank\" />\r\n"
        "</map>");
}

TEST(MapCode, MapNameRange) {
    rng::seed(12345);
    const int r = rng::next();
    rng::seed(12345);
    EXPECT_EQ(drawMapName(), 100000 + r % 900000);

    // Six digits always; over many draws both ends are reached and repeats are rare.
    int lowest = 1000000, highest = 0;
    std::set<int> seen;
    for (int i = 0; i < 2000000; ++i) {
        const int name = drawMapName();
        ASSERT_GE(name, 100000);
        ASSERT_LE(name, 999999);
        lowest = std::min(lowest, name);
        highest = std::max(highest, name);
        if (i < 1000) seen.insert(name);
    }
    EXPECT_LT(lowest, 100010);
    EXPECT_GT(highest, 999989);
    EXPECT_GE(seen.size(), 998u);
}

// The areas come from the document in list order, rectangles in picture pixels.
TEST(CollectAreas, DocumentOrderAfterDeletingTheSecond) {
    doc::Document d;
    const std::tuple<int, RectXYWH, const char*> spots[] = {
        {2, {200, 0, 10, 10}, "one"}, {3, {-5, 0, 150, 100}, "two"}, {4, {0, 7, 10, 10}, "three"}};
    for (const auto& [id, rect, link] : spots) {
        doc::Hotspot h;
        h.id = id;
        h.rect = rect;
        h.link = link;
        h.tip = std::string(link) + "!";
        d.add(d.count(), h);
    }
    d.remove(3);
    std::string out;
    for (const MapArea& a : collectMapAreas(d))
        out += std::to_string(a.x1) + "," + std::to_string(a.y1) + "," + std::to_string(a.x2) +
               "," + std::to_string(a.y2) + " " + a.link + "/" + a.tip + ";";
    EXPECT_EQ(out, "200,0,210,10 one/one!;0,7,10,17 three/three!;");
}

}  // namespace
