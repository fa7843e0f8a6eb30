#include "core/copy_check.h"

#include <gtest/gtest.h>

using namespace copycheck;

namespace {

std::string listed(const std::vector<Finding>& findings) {
    std::string s;
    for (const Finding& f : findings)
        s += std::to_string(static_cast<int>(f.kind)) + ":" + std::to_string(f.hotspot) + "/" +
             std::to_string(f.other) + (f.information ? "i" : "") + " " + f.text + "\n";
    return s;
}

TEST(CopyCheck, FindingsTable) {
    // On a 400 x 300 picture.
    const std::vector<mapcode::MapArea> areas{
        {0, 0, 100, 100, "http://shop/a", "fine"},     // 1
        {50, 50, 150, 150, "未添加热点链接", ""},      // 2: placeholder, under 1
        {390, 290, 450, 350, "http://", ""},           // 3: empty, partly outside
        {500, 0, 600, 50, "javascript:alert(1)", ""},  // 4: scheme, wholly outside
        {200, 0, 205, 40, "HTTPS://shop/b", ""},       // 5: too small
        {300, 0, 340, 40, "http://shop/a", ""},        // 6: same link as 1
        {200, 200, 240, 240, "item.htm?id=1", ""},     // 7: relative, fine
        {-20, 250, 10, 280, "data:text/html,x", ""},   // 8: scheme, partly outside
    };
    EXPECT_EQ(listed(checkWork(areas, 400, 300)),
              "0:1/-1 热点 2 仍是占位链接“未添加热点链接”\n"
              "1:2/-1 热点 3 的链接是空的\n"
              "3:2/-1 热点 3 有一部分在图片之外，那部分网页上点不到\n"
              "6:3/-1 热点 4 的链接不是 http 或 https 地址（javascript:）\n"
              "2:3/-1 热点 4 完全在图片之外，网页上点不到\n"
              "5:4/-1 热点 5 小于 8 × 8 像素（5 × 40），不易点中\n"
              "6:7/-1 热点 8 的链接不是 http 或 https 地址（data:）\n"
              "3:7/-1 热点 8 有一部分在图片之外，那部分网页上点不到\n"
              "4:1/0 热点 1 与热点 2 重叠，重叠处点中的是热点 1（浏览器取代码中靠前的区域）\n"
              "7:5/0i 热点 6 与热点 1 的链接相同（仅供参考）\n");
    // The full-screen conversion of a narrow picture; a wide one says nothing.
    EXPECT_EQ(listed(checkWork({}, 790, 300, true)),
              "8:-1/-1 图片宽 790 像素，不到 950 像素，转换成全屏效果没有意义\n");
    EXPECT_EQ(listed(checkWork({}, 950, 300, true)), "");
    // Touching edges are no overlap; clean work has no finding.
    EXPECT_EQ(listed(checkWork({{0, 0, 10, 10, "http://a", ""}, {10, 0, 20, 10, "https://b", ""}},
                               20, 10)),
              "");
}

// Many hotspots on one spot: the pairs listed stop at the cap, in list order.
TEST(CopyCheck, OverlapsAreCapped) {
    std::vector<mapcode::MapArea> areas;
    for (int i = 0; i < 2000; ++i)
        areas.push_back({0, 0, 50, 50, "http://a/" + std::to_string(i), ""});
    const std::vector<Finding> f = checkWork(areas, 100, 100);
    ASSERT_EQ(f.size(), static_cast<size_t>(kMaxPairs));
    EXPECT_EQ(f[0].kind, Kind::overlap);
    EXPECT_EQ(f[0].other, 0);
}

}  // namespace
