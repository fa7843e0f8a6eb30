#include "core/map_import.h"

#include <gtest/gtest.h>

#include "core/full_screen.h"
#include "core/map_code.h"

using namespace mapimport;

namespace {

std::string summary(const ImportResult& r) {
    std::string s;
    for (const ImportedArea& a : r.areas)
        s += std::to_string(a.x1) + "," + std::to_string(a.y1) + "," + std::to_string(a.x2) + "," +
             std::to_string(a.y2) + " " + a.link + " [" + a.tip + "];";
    return s + " skipped " + std::to_string(r.skipped) + " src " + r.pictureAddress;
}

struct ImportCase {
    const char* name;
    std::string html;
    std::string expected;
};

class ImportTable : public ::testing::TestWithParam<ImportCase> {};

TEST_P(ImportTable, Reads) { EXPECT_EQ(summary(importMapCode(GetParam().html)), GetParam().expected); }

const std::vector<mapcode::MapArea> kOwnAreas{{10, 20, 160, 120, "http://a/?x=1&y=\"2\"", "新品 \"热卖\""},
                                              {-5, 0, 145, 100, "L2", ""}};
const std::string kOwnExpected =
    "10,20,160,120 http://a/?x=1&y=\"2\" [新品 \"热卖\"];-5,0,145,100 L2 [];"
    " skipped 0 src http://img/a \"b\".jpg";

INSTANTIATE_TEST_SUITE_P(
    MapImport, ImportTable,
    ::testing::Values(
        ImportCase{"OwnOutput", mapcode::generateMapCode("http://img/a \"b\".jpg", 790, 400, 123456, kOwnAreas),
                   kOwnExpected},
        ImportCase{"OwnOutputInTheFullScreenWrapper",
                   [] {
                       fullscreen::Settings s;
                       s.code = mapcode::generateMapCode("http://img/a \"b\".jpg", 790, 400, 123456, kOwnAreas);
                       s.enabled = true;
                       s.offset = "-960";
                       s.topGap = "-10";
                       s.pictureHeight = "400";
                       return fullscreen::convertToFullScreen(s);
                   }(),
                   kOwnExpected},
        ImportCase{"OwnOlderOutputWithoutTitle",
                   "<img src=\"a.jpg\" usemap=\"#1\" /><map name=\"1\"><area shape=\"rect\" "
                   "coords=\"1,2,3,4\" href=\"h\" alt=\"&quot;提示\" target=\"_blank\" /></map>",
                   "1,2,3,4 h [提示]; skipped 0 src a.jpg"},
        ImportCase{"PeerAttributeOrderAndQuoting",
                   "<MAP NAME=m><AREA HREF='http://x/?a=1&amp;b=2' COORDS = \"0, 0 ,50,60\" "
                   "SHAPE=RECT ALT=Sale TITLE=\"ignored\"><area coords=10,10,20,20 href=y title='仅标题'>"
                   "</MAP><IMG USEMAP=#m SRC=\"pic.png\">",
                   "0,0,50,60 http://x/?a=1&b=2 [Sale];10,10,20,20 y [仅标题]; skipped 0 src pic.png"},
        ImportCase{"EntitiesDecoded",
                   "<area shape=rect coords=\"1,1,2,2\" href=\"a&amp;b&quot;c&#26032;&#x54C1;\" "
                   "alt=\"&lt;tip&gt; &amp;\">",
                   "1,1,2,2 a&b\"c新品 [<tip> &]; skipped 0 src "},
        ImportCase{"ReversedCornersNormalised",
                   "<area shape=\"rect\" coords=\"300,200,100,50\" href=\"r\">",
                   "100,50,300,200 r []; skipped 0 src "},
        ImportCase{"CirclesPolygonsAndBrokenAreasSkipped",
                   "<map><area shape=circle coords=\"5,5,5\" href=c><area shape=poly coords=\"0,0,1,1,2,0\">"
                   "<area shape=rect coords=\"1,2,3\"><area shape=rect coords=\"1,2,1,9\">"
                   "<area shape=rect coords=\"a,b,c,d\"><area shape=rect coords=\"0,0,40000,10\">"
                   "<area shape=rect coords=\"1.9,2,30.5,40\" href=k></map>",
                   "1,2,30,40 k []; skipped 6 src "},
        ImportCase{"NoMapAtAll", "<p>hello</p><img src=\"x.jpg\">", " skipped 0 src x.jpg"},
        ImportCase{"SeveralMapsInDocumentOrder",
                   "<img src=first.jpg><img src=second.jpg usemap=#b><map name=a><area coords=\"0,0,1,1\" href=1>"
                   "</map><div><map name=b><area coords=\"2,2,3,3\" href=2></map></div>",
                   "0,0,1,1 1 [];2,2,3,3 2 []; skipped 0 src second.jpg"},
        ImportCase{"Empty", "", " skipped 0 src "},
        ImportCase{"Garbage", std::string("\0\x01<<<>>area coords=1", 20), " skipped 0 src "}),
    [](const ::testing::TestParamInfo<ImportCase>& p) { return std::string(p.param.name); });

TEST(MapImport, CodeFilesInUtf8OrGbk) {
    EXPECT_EQ(decodeCodeFile("\xEF\xBB\xBF<p>新品</p>"), "<p>新品</p>");
    EXPECT_EQ(decodeCodeFile("<p>新品</p>"), "<p>新品</p>");
    EXPECT_EQ(decodeCodeFile("<p>\xD0\xC2\xC6\xB7</p>"), "<p>新品</p>");  // 新品 in GBK
}

}  // namespace
