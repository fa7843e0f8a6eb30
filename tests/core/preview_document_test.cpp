#include "core/preview_document.h"

#include <gtest/gtest.h>

#include "core/map_code.h"

using namespace preview;

namespace {

TEST(PreviewDocument, WorkedCaseByteForByte) {
    const std::string src = pictureSource("/home/店员/素材/banner.jpg", false, "/");
    const std::string code =
        mapcode::generateMapCode(src, 790, 400, std::nullopt, {{10, 20, 160, 120, "L1", "新品上市"}});
    EXPECT_EQ(documentText(code),
              "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
              "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
              "<head>\r\n"
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\r\n"
              "<title>调试运行</title>\r\n"
              "</head>\r\n"
              "\r\n"
              "<body><img src=\"banner.jpg\" width=\"790\" height=\"400\" usemap=\"#随机数\" "
              "border=\"0\" />\r\n"
              "<map name=\"随机数\" id=\"随机数\">  <area shape=\"rect\" coords=\"10,20,160,120\" "
              "href=\"L1\" alt=\"新品上市\" title=\"新品上市\" target=\"_blank\" />\r\n"
              "</map>\r\n"
              "</body>\r\n"
              "</html>");
    // No byte-order mark, no final line break.
    EXPECT_EQ(documentText("").substr(0, 9), "<!DOCTYPE");
    EXPECT_EQ(documentText("").back(), '>');
}

struct SourceCase {
    const char* name;
    std::string imagePath;
    bool network;
    const char* separators;
    std::string expected;
};

class PictureSource : public ::testing::TestWithParam<SourceCase> {};

TEST_P(PictureSource, Cases) {
    const SourceCase& c = GetParam();
    EXPECT_EQ(pictureSource(c.imagePath, c.network, c.separators), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Preview, PictureSource,
    ::testing::Values(
        SourceCase{"PlainName", "/pics/banner.jpg", false, "/", "banner.jpg"},
        SourceCase{"Space", "/pics/my banner.jpg", false, "/", "my%20banner.jpg"},
        SourceCase{"Hash", "/pics/a#1.png", false, "/", "a%231.png"},
        SourceCase{"Percent", "/pics/100%.png", false, "/", "100%25.png"},
        SourceCase{"Question", "/pics/why?.png", false, "/", "why%3F.png"},
        SourceCase{"NonAscii", "/pics/横幅.jpg", false, "/", "%E6%A8%AA%E5%B9%85.jpg"},
        SourceCase{"AmpersandQuoteAngle", "/p/a&b\"<c>.png", false, "/", "a%26b%22%3Cc%3E.png"},
        // A colon would make the relative address look like a scheme.
        SourceCase{"Colon", "/p/x:y.png", false, "/", "x%3Ay.png"},
        SourceCase{"SafeMarks", "/p/a-b_c.d~(1)!.png", false, "/", "a-b_c.d~(1)!.png"},
        // A backslash is part of a file name here, a separator on Windows.
        SourceCase{"BackslashInPosixName", "/p/a\\b.png", false, "/", "a%5Cb.png"},
        SourceCase{"WindowsPath", "C:\\图片\\a b.png", false, "\\/", "a%20b.png"},
        SourceCase{"WindowsForwardSlash", "C:/pics/banner.jpg", false, "\\/", "banner.jpg"},
        SourceCase{"NoSeparator", "banner.jpg", false, "/", "banner.jpg"},
        SourceCase{"NetworkWhole", "http://img.example/a/b c.jpg", true, "\\/",
                   "http://img.example/a/b c.jpg"},
        SourceCase{"NetworkNeverCutAtBackslash", "http://img.example/a\\b.jpg", true, "\\/",
                   "http://img.example/a\\b.jpg"},
        SourceCase{"NameOfTheDocument", "/p/Temporary.html", false, "/", "picture-Temporary.html"},
        SourceCase{"NameOfTheDocumentAnyCase", "/p/temporary.HTML", false, "/",
                   "picture-temporary.HTML"}),
    [](const ::testing::TestParamInfo<SourceCase>& p) { return std::string(p.param.name); });

TEST(PreviewDocument, PictureFileNamePieces) {
    EXPECT_EQ(pictureFileName("/a/b/", "/"), "b");  // an empty remainder does not count
    EXPECT_EQ(pictureFileName("a//", "/"), "");     // an empty piece between two does
    EXPECT_EQ(pictureFileName("", "/"), "");
    EXPECT_EQ(pictureFileName("D:\\素材\\banner.jpg", "\\/"), "banner.jpg");
}

TEST(PreviewDocument, BrowserAddresses) {
    EXPECT_EQ(fileUrl("/tmp/x y/Cache/Temporary.html"), "file:///tmp/x%20y/Cache/Temporary.html");
    EXPECT_EQ(fileUrl("/tmp/图/a#b?.html"), "file:///tmp/%E5%9B%BE/a%23b%3F.html");
    EXPECT_EQ(fileUrl("C:\\程序\\Cache\\Temporary.html"),
              "file:///C:/%E7%A8%8B%E5%BA%8F/Cache/Temporary.html");
    EXPECT_EQ(fileUrl("\\\\server\\share\\a.html"), "file://server/share/a.html");

    EXPECT_EQ(browserAddress("/tmp/other page.html"), "file:///tmp/other%20page.html");
    EXPECT_EQ(browserAddress("http://shop.example/item?id=1"), "http://shop.example/item?id=1");
    EXPECT_EQ(browserAddress("file:///tmp/a.html"), "file:///tmp/a.html");
    EXPECT_EQ(browserAddress(""), "");

    const std::string doc = "/run/Cache/Temporary.html";
    EXPECT_EQ(addressBoxText(doc, doc), "当前为预览文档");
    EXPECT_EQ(addressBoxText("file:///run/Cache/Temporary.html", doc), "当前为预览文档");
    EXPECT_EQ(addressBoxText("file:///run/Cache/Other.html", doc), "file:///run/Cache/Other.html");
    EXPECT_EQ(goTarget("当前为预览文档", doc), "file:///run/Cache/Temporary.html");
    EXPECT_EQ(goTarget(" 当前为预览文档", doc), " 当前为预览文档");  // only the exact text
    EXPECT_EQ(goTarget("/tmp/a.html", doc), "file:///tmp/a.html");
}

TEST(PreviewDocument, ProgressPercentAndText) {
    EXPECT_EQ(progressPercent(0.5, 1.0), 50);
    EXPECT_EQ(progressPercent(0.104, 1.0), 10);
    EXPECT_EQ(progressPercent(0.105, 1.0), 11);  // rounded to the nearest
    EXPECT_EQ(progressPercent(1.0, 1.0), 100);
    EXPECT_EQ(progressPercent(3, 0), 100);  // no maximum
    EXPECT_EQ(progressPercent(150, 100), 100);
    EXPECT_EQ(progressPercent(-1, 100), 0);
    EXPECT_EQ(progressText(0), "已加载：0%");
    EXPECT_EQ(progressText(99), "已加载：99%");
    EXPECT_EQ(progressText(100), "加载已完成");
}

// The form's stored geometry, as the window starts.
PreviewGeometry storedGeometry() {
    PreviewGeometry g;
    g.browserGroup = {8, 12, 920, 568};
    g.browser = {5, 16, 843, 497};
    g.statusGroup = {8, 583, 376, 51};
    g.actionsGroup = {390, 583, 538, 51};
    g.cancelButton = {457, 18, 66, 23};
    g.addressBox = {266, 18, 176, 23};
    g.goButton = {384, 18, 66, 23};
    g.progressBar = {7, 30, 312, 16};
    return g;
}

void expectGeometry(const Geometry& g, Geometry want, const char* what) {
    EXPECT_EQ(std::make_tuple(g.left, g.top, g.width, g.height),
              std::make_tuple(want.left, want.top, want.width, want.height))
        << what;
}

TEST(PreviewLayout, TenStepsForTheDesignedClientSizes) {
    struct Case {
        int cw, ch;
        Geometry group1, browser, group2, group3, cancel, address, go, bar;
    };
    const Case cases[] = {
        // The window's client area inside a caption and a fixed frame.
        {942, 638, {2, 2, 938, 576}, {2, 15, 934, 559}, {2, 580, 250, 51}, {254, 580, 686, 51},
         {611, 18, 66, 23}, {266, 18, 270, 23}, {541, 18, 66, 23}, {4, 30, 240, 16}},
        // The whole 948 x 667 window as client area (no decorations).
        {948, 667, {2, 2, 944, 605}, {2, 15, 940, 588}, {2, 609, 250, 51}, {254, 609, 692, 51},
         {617, 18, 66, 23}, {266, 18, 270, 23}, {541, 18, 66, 23}, {4, 30, 240, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cw) + "x" + std::to_string(c.ch));
        PreviewGeometry g = layoutPreview(storedGeometry(), c.cw, c.ch);
        expectGeometry(g.browserGroup, c.group1, "分组框1");
        expectGeometry(g.browser, c.browser, "超文本浏览框1");
        expectGeometry(g.statusGroup, c.group2, "分组框2");
        expectGeometry(g.actionsGroup, c.group3, "分组框3");
        expectGeometry(g.cancelButton, c.cancel, "按钮取消预览");
        expectGeometry(g.addressBox, c.address, "编辑框地址");
        expectGeometry(g.goButton, c.go, "按钮跳转");
        expectGeometry(g.progressBar, c.bar, "进度条1");
        // Running it again on its own result changes nothing.
        const PreviewGeometry again = layoutPreview(g, c.cw, c.ch);
        expectGeometry(again.actionsGroup, c.group3, "分组框3 again");
        expectGeometry(again.goButton, c.go, "按钮跳转 again");
    }
}

}  // namespace
