#include "core/full_screen.h"

#include <gtest/gtest.h>

using namespace fullscreen;

namespace {

Settings professional(const std::string& code) {
    Settings s;
    s.code = code;
    s.enabled = true;
    s.edition = 0;
    s.offset = "-960";
    s.topGap = "-10";
    s.pictureHeight = "400";
    return s;
}

TEST(FullScreen, TemplateByteForByte) {
    EXPECT_EQ(
        std::string(fullScreenTemplate),
        "<div style=\"height:高度px;\">\r\n"
        "    <div class=\"版本\" style=\"left:50%;top:距顶px;border:none;padding:0;\">\r\n"
        "        <div class=\"版本\" style=\"left:偏移px;top:auto;border:none;padding:0;\">\r\n"
        "           绘栈软件275306418\r\n"
        "        </div>\r\n"
        "    </div>\r\n"
        "</div>");
}

TEST(FullScreen, ProfessionalEditionWithTopGap) {
    EXPECT_EQ(convertToFullScreen(professional("<img />\r\n<map></map>")),
              "<div style=\"height:390px;\">\r\n"
              "    <div class=\"footer-more-trigger\" "
              "style=\"left:50%;top:-10px;border:none;padding:0;\">\r\n"
              "        <div class=\"footer-more-trigger\" "
              "style=\"left:-960px;top:auto;border:none;padding:0;\">\r\n"
              "           <img />\r\n<map></map>\r\n"
              "        </div>\r\n"
              "    </div>\r\n"
              "</div>");
}

TEST(FullScreen, EditionsAndGaps) {
    ASSERT_EQ(editions().size(), 3u);
    EXPECT_STREQ(editions()[1].offset, "-1050");
    EXPECT_STREQ(editions()[1].className, "footer-more-trigger");
    EXPECT_STREQ(editions()[2].offset, "-960");
    Settings s = professional("C");
    s.edition = 2;
    const std::string tmall = convertToFullScreen(s);
    EXPECT_NE(tmall.find("<div class=\"sn-simple-logo\" style=\"left:50%"), std::string::npos);
    EXPECT_NE(tmall.find("<div class=\"sn-simple-logo\" style=\"left:-960px"), std::string::npos);
    ASSERT_EQ(topGaps().size(), 6u);
    EXPECT_STREQ(topGaps()[0].item, "不消除");
    EXPECT_STREQ(topGaps()[0].value, "0");
    EXPECT_STREQ(topGaps()[5].item, "-50px");
    EXPECT_STREQ(topGaps()[5].value, "-50");
}

TEST(FullScreen, HeightsAndOffsetAsGiven) {
    EXPECT_EQ(wrapperHeight("400", "-30"), "370");
    EXPECT_EQ(wrapperHeight("400", "0"), "400");
    EXPECT_EQ(wrapperHeight("0", "-20"), "-20");  // no picture
    EXPECT_EQ(wrapperHeight("abc", "-10"), "-10");

    Settings s = professional("C");
    s.topGap = "0";
    s.offset = "abc";
    const std::string out = convertToFullScreen(s);
    EXPECT_NE(out.find("<div style=\"height:400px;\">\r\n"), std::string::npos);
    EXPECT_NE(out.find("top:0px;"), std::string::npos);
    EXPECT_NE(out.find("left:abcpx;"), std::string::npos);
}

TEST(FullScreen, PlaceholderWordsInsideTheCodeKept) {
    const std::string code = "alt=\"&quot;高度 偏移 距顶 版本 绘栈软件275306418\"";
    const std::string out = convertToFullScreen(professional(code));
    EXPECT_NE(out.find("           " + code + "\r\n        </div>"), std::string::npos);
    EXPECT_EQ(out.find("版本"), out.find(code) + code.find("版本"));
}

TEST(FullScreen, WithoutTheCheckBoxTheClassStays) {
    Settings s = professional("C");
    s.enabled = false;
    EXPECT_NE(convertToFullScreen(s).find("<div class=\"版本\" style=\"left:-960px"),
              std::string::npos);
}

TEST(FullScreen, OffsetTable) {
    struct Case {
        const char* offset;
        bool valid;
    };
    const Case cases[] = {{"-960", true},    {"-1050", true},  {"0", true},      {"123456", true},
                          {"-999999", true}, {"", false},      {"-", false},     {"abc", false},
                          {"1234567", false}, {"1e309", false}, {"+5", false},    {" -960", false},
                          {"-960 ", false},  {"--1", false},   {"-9-6", false},  {"\"><script>", false},
                          {"１２", false},     {"9.5", false}};
    for (const Case& c : cases) EXPECT_EQ(isValidOffset(c.offset), c.valid) << c.offset;
}

TEST(FullScreen, EmptyCode) {
    EXPECT_NE(convertToFullScreen(professional("")).find("\r\n           \r\n        </div>"),
              std::string::npos);
}

}  // namespace
