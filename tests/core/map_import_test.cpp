#include "core/map_import.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/full_screen.h"
#include "core/limits.h"
#include "core/map_code.h"

using namespace mapimport;

namespace {

std::string areasOf(const ImportResult& r) {
    std::string s;
    for (const ImportedArea& a : r.areas)
        s += std::to_string(a.x1) + "," + std::to_string(a.y1) + "," + std::to_string(a.x2) + "," +
             std::to_string(a.y2) + " " + a.link + " [" + a.tip + "];";
    return s;
}

std::string summary(const ImportResult& r) {
    return areasOf(r) + " skipped " + std::to_string(r.skipped) + " src " + r.pictureAddress;
}

// Imported onto a 200 x 100 picture.
ImportResult imported(const std::string& html) {
    ImportResult r = importMapCode(html);
    fitToPicture(r, 200, 100);
    return r;
}

// The rows of browser_rows.json hold what Chromium (Debian's chromium, headless)
// makes of each piece of code: the rectangle each clickable area covers, found
// pixel by pixel with elementFromPoint, its href, and the tip from its alt and
// title. tests/tools/browser_areas.py checks the file against the browser again.
// The skipped counts are the program's own.
TEST(MapImport, AgreesWithTheBrowserEngine) {
    std::ifstream file(FIXTURE_DIR "/import/browser_rows.json");
    ASSERT_TRUE(file) << "browser_rows.json";
    const nlohmann::json rows = nlohmann::json::parse(file);
    ASSERT_GE(rows.size(), 10u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row["name"].get<std::string>());
        std::string expected;
        for (const auto& a : row["areas"])
            expected += std::to_string(a[0].get<int>()) + "," + std::to_string(a[1].get<int>()) +
                        "," + std::to_string(a[2].get<int>()) + "," +
                        std::to_string(a[3].get<int>()) + " " + a[4].get<std::string>() + " [" +
                        a[5].get<std::string>() + "];";
        const ImportResult r = imported(row["html"].get<std::string>());
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(areasOf(r), expected);
        EXPECT_EQ(r.skipped, row["skipped"].get<int>());
        EXPECT_FALSE(r.outsideMap);
    }
}

struct ImportCase {
    const char* name;
    std::string html;
    std::string expected;
};

class ImportTable : public ::testing::TestWithParam<ImportCase> {};

TEST_P(ImportTable, Reads) { EXPECT_EQ(summary(imported(GetParam().html)), GetParam().expected); }

const std::vector<mapcode::MapArea> kOwnAreas{
    {10, 20, 160, 90, "http://a/?x=1&y=\"2\"&copy", "新品 \"热卖\""}, {-5, 0, 145, 100, "L2", ""}};
const std::string kOwnExpected =
    "10,20,160,90 http://a/?x=1&y=\"2\"&copy [新品 \"热卖\"];0,0,145,100 L2 [];"
    " skipped 0 src http://img/a \"b\".jpg";

INSTANTIATE_TEST_SUITE_P(
    MapImport, ImportTable,
    ::testing::Values(
        ImportCase{"OwnOutput",
                   mapcode::generateMapCode("http://img/a \"b\".jpg", 790, 400, 123456, kOwnAreas),
                   kOwnExpected},
        ImportCase{"OwnOutputInTheFullScreenWrapper",
                   [] {
                       fullscreen::Settings s;
                       s.code = mapcode::generateMapCode("http://img/a \"b\".jpg", 790, 400, 123456,
                                                         kOwnAreas);
                       s.enabled = true;
                       s.offset = "-960";
                       s.topGap = "-10";
                       s.pictureHeight = "400";
                       return fullscreen::convertToFullScreen(s);
                   }(),
                   kOwnExpected},
        ImportCase{
            "PeerAttributeOrderAndQuoting",
            "<MAP NAME=m><AREA HREF='http://x/?a=1&amp;b=2' COORDS = \"0, 0 ,50,60\" "
            "SHAPE=RECT ALT=Sale TITLE=\"ignored\"><area coords=10,10,20,20 href=y title='仅标题'>"
            "</MAP><IMG USEMAP=#m SRC=\"pic.png\">",
            "0,0,50,60 http://x/?a=1&b=2 [Sale];10,10,20,20 y [仅标题]; skipped 0 src pic.png"},
        ImportCase{
            "CirclesAndPolygonsSkipped",
            "<map><area shape=circle coords=\"5,5,5\" href=c><area shape=CIRC coords=\"5,5,5\">"
            "<area shape=poly coords=\"0,0,1,1,2,0\"><area shape=polygon coords=\"0,0,1,1,2,0\">"
            "<area shape=rect coords=\"1,2,30,40\" href=k></map>",
            "1,2,30,40 k []; skipped 4 src "},
        ImportCase{"FarCornersClipped", "<map><area coords=\"0,0,40000,10\"></map>",
                   "0,0,200,10  []; skipped 0 src "},
        ImportCase{"NoAreaAtAll", "<p>hello</p><img src=\"x.jpg\">", " skipped 0 src x.jpg"},
        ImportCase{"SeveralMapsInDocumentOrder",
                   "<img src=first.jpg><img src=second.jpg usemap=#b><map name=a><area "
                   "coords=\"0,0,1,1\" href=1>"
                   "</map><div><map name=b><area coords=\"2,2,3,3\" href=2></map></div>",
                   "0,0,1,1 1 [];2,2,3,3 2 []; skipped 0 src second.jpg"},
        ImportCase{"Empty", "", " skipped 0 src "},
        ImportCase{"Garbage", std::string("\0\x01<<<>>area coords=1", 20), " skipped 0 src "}),
    [](const ::testing::TestParamInfo<ImportCase>& p) { return std::string(p.param.name); });

TEST(MapImport, AreasOfCodeWithoutAMapAreTakenAndSaySo) {
    const ImportResult r = imported(
        "  <area shape=\"rect\" coords=\"0,0,10,10\" href=\"a\" alt=\"A\" title=\"A\" />\r\n"
        "  <area shape=\"circle\" coords=\"5,5,5\" href=\"c\" />\r\n"
        "  <area shape=\"rect\" coords=\"10,0,20,10\" href=\"b\" alt=\"B\" title=\"B\" />\r\n");
    EXPECT_EQ(summary(r), "0,0,10,10 a [A];10,0,20,10 b [B]; skipped 1 src ");
    EXPECT_TRUE(r.outsideMap);
}

TEST(MapImport, TooLargeToFitAHotspotIsSkipped) {
    ImportResult r = importMapCode("<map><area shape=default><area coords=\"0,0,5,5\"></map>");
    fitToPicture(r, 40000, 10);
    EXPECT_EQ(summary(r), "0,0,5,5  []; skipped 1 src ");
}

// Every kind of character a link or tip holds comes back as typed, and the code
// made again from what came back is the same code.
TEST(MapImport, RoundTripsEveryCharacterClass) {
    const std::vector<std::string> texts{
        "http://shop.example/item.htm?id=5&spm=a1.b2&x=1",
        "?id=5&copy&x=1&reg_id=7&not&para&sect&times&AMP&lt",
        "&copy=1&copyright&reg2&notin&amp",
        "&#169&#x41z&#38&#&#x&#;&#comments",
        "say \"hi\" 'there' <b> > <",
        "新品上市 镕喆 全角　空格 ①② 😀",
        "back\\slash %E4%B8%AD / # ? = + ; , : @ ! $ ( ) * ~ ` ^ | { } [ ]",
        "tab\there",
        "提示文本 链接地址 图片地址 宽度 高度 随机数 左上右下",
        "\"leading quote",
        "",
    };
    std::vector<mapcode::MapArea> areas;
    for (size_t i = 0; i < texts.size(); ++i)
        areas.push_back(
            {static_cast<int>(i) * 10, 0, static_cast<int>(i) * 10 + 10, 10, texts[i], texts[i]});
    const std::string code =
        mapcode::generateMapCode("http://img/a.jpg?v=1&copy", 200, 100, 123456, areas);
    const ImportResult r = imported(code);
    ASSERT_EQ(r.areas.size(), texts.size());
    std::vector<mapcode::MapArea> back;
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(r.areas[i].link, texts[i]);
        EXPECT_EQ(r.areas[i].tip, texts[i]);
        const ImportedArea& a = r.areas[i];
        back.push_back({a.x1, a.y1, a.x2, a.y2, a.link, a.tip});
    }
    EXPECT_EQ(r.pictureAddress, "http://img/a.jpg?v=1&copy");
    EXPECT_EQ(mapcode::generateMapCode(r.pictureAddress, 200, 100, 123456, back), code);
}

// Inputs that make the parser's work grow with the square of their size end with
// a message within the processor-time budget, as does a cancelled import.
TEST(MapImport, HostileInputEndsWithAMessage) {
    std::string attributes = "<map><area ";
    for (int i = 0; i < 100000; ++i) attributes += "a" + std::to_string(i) + "=1 ";
    std::string nested;
    for (int i = 0; i < 100000; ++i) nested += "<div>";
    for (const std::string* html : {&attributes, &nested}) {
        const ImportResult r = importMapCode(*html);
        EXPECT_EQ(r.error, kTooComplex);
        EXPECT_TRUE(r.areas.empty());
    }
    ImportLimits small;
    small.maxBytes = 1024 * 1024;
    EXPECT_EQ(importMapCode(std::string(2 * 1024 * 1024, 'x'), small).error, kTooComplex);
    std::atomic<bool> cancel{true};
    ImportLimits cancelled;
    cancelled.cancel = &cancel;
    EXPECT_EQ(importMapCode(nested, cancelled).error, kCancelled);
    EXPECT_EQ(importMapCode(std::string(limits::kMaxImportBytes + 1, ' ')).error, kTooLong);
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::string text;
};

TEST(MapImport, CodeFilesInTheirEncodings) {
    const std::string area = "<area title=\"";
    const FileCase cases[] = {
        {"Utf8Bom", "\xEF\xBB\xBF<p>新品</p>", "<p>新品</p>"},
        {"Utf8", "<p>新品</p>", "<p>新品</p>"},
        {"GbkWithoutDeclaration", "<p>\xD0\xC2\xC6\xB7</p>", "<p>新品</p>"},
        // Notepad's "Unicode" and "Unicode big endian".
        {"Utf16LeBom", std::string("\xFF\xFE<\0p\0>\0\xB0\x65\xC1\x54<\0", 14), "<p>新品<"},
        {"Utf16BeBom", std::string("\xFE\xFF\0<\0p\0>\x65\xB0\x54\xC1\0<", 14), "<p>新品<"},
        {"MetaCharsetGb2312", "<meta charset=\"gb2312\">" + area + "\xD0\xC2\xC6\xB7\">",
         "<meta charset=\"gb2312\">" + area + "新品\">"},
        {"HttpEquivGbk",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GBK\">\xD0\xC2\xC6\xB7",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GBK\">新品"},
        {"MetaBig5", "<meta charset=big5>\xB7\x73\xAB\x7E", "<meta charset=big5>新品"},
        {"MetaEucKr", "<meta charset='euc-kr'>\xBD\xC5\xC7\xB0", "<meta charset='euc-kr'>신품"},
        {"MetaShiftJis", "<META CHARSET=Shift_JIS>\x90\x56\x95\x69",
         "<META CHARSET=Shift_JIS>新品"},
        {"MetaWindows1252", "<meta charset=iso-8859-1>Caf\xE9 \x80",
         "<meta charset=iso-8859-1>Café €"},
        // A page cannot declare UTF-16 of itself; a declaration in a comment is no declaration.
        {"MetaUtf16IsUtf8", "<meta charset=utf-16>新品", "<meta charset=utf-16>新品"},
        {"MetaInACommentIgnored", "<!-- <meta charset=big5> -->\xD0\xC2\xC6\xB7",
         "<!-- <meta charset=big5> -->新品"},
        {"UnknownCharsetFallsBack", "<meta charset=klingon>新品", "<meta charset=klingon>新品"},
    };
    for (const FileCase& c : cases) EXPECT_EQ(decodeCodeFile(c.bytes), c.text) << c.name;
}

}  // namespace
