#include "core/copy_check.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "core/text.h"

namespace copycheck {

namespace {

std::string name(int index) { return "热点 " + text::number(index + 1); }

// The scheme of a link ("javascript" of "javascript:void(0)"), lower case; empty
// for a relative link.
std::string schemeOf(const std::string& link) {
    const size_t colon = link.find(':');
    if (colon == std::string::npos || colon == 0) return {};
    for (size_t i = 0; i < colon; ++i) {
        const char c = link[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')))
            return {};
    }
    return text::asciiLower(link.substr(0, colon));
}

bool emptyLink(const std::string& link) {
    const std::string l = text::asciiLower(text::removeSpaces(link));
    return l.empty() || l == "http://" || l == "https://";
}

}  // namespace

std::vector<Finding> checkWork(const std::vector<mapcode::MapArea>& areas, int pictureWidth,
                               int pictureHeight, bool fullScreen) {
    std::vector<Finding> out;
    const int n = static_cast<int>(areas.size());
    for (int i = 0; i < n; ++i) {
        const mapcode::MapArea& a = areas[i];
        if (a.link == "未添加热点链接")
            out.push_back(
                {Kind::placeholderLink, i, -1, name(i) + " 仍是占位链接“未添加热点链接”"});
        else if (emptyLink(a.link))
            out.push_back({Kind::emptyLink, i, -1, name(i) + " 的链接是空的"});
        else if (const std::string s = schemeOf(a.link); !s.empty() && s != "http" && s != "https")
            out.push_back(
                {Kind::scheme, i, -1, name(i) + " 的链接不是 http 或 https 地址（" + s + ":）"});
        const bool apart = a.x2 <= 0 || a.y2 <= 0 || a.x1 >= pictureWidth || a.y1 >= pictureHeight;
        if (apart)
            out.push_back({Kind::outside, i, -1, name(i) + " 完全在图片之外，网页上点不到"});
        else if (a.x1 < 0 || a.y1 < 0 || a.x2 > pictureWidth || a.y2 > pictureHeight)
            out.push_back(
                {Kind::partlyOutside, i, -1, name(i) + " 有一部分在图片之外，那部分网页上点不到"});
        if (a.x2 - a.x1 < kMinSide || a.y2 - a.y1 < kMinSide)
            out.push_back({Kind::tooSmall, i, -1,
                           name(i) + " 小于 8 × 8 像素（" + text::number(a.x2 - a.x1) + " × " +
                               text::number(a.y2 - a.y1) + "），不易点中"});
    }

    // Overlaps by a sweep from left to right: only areas that begin before another ends meet.
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int p, int q) { return areas[p].x1 < areas[q].x1; });
    std::vector<std::pair<int, int>> pairs;
    for (int k = 0; k < n && static_cast<int>(pairs.size()) < kMaxPairs; ++k) {
        const mapcode::MapArea& a = areas[order[k]];
        for (int m = k + 1; m < n && areas[order[m]].x1 < a.x2; ++m) {
            const mapcode::MapArea& b = areas[order[m]];
            if (b.y1 < a.y2 && a.y1 < b.y2 && b.x2 > b.x1 && b.y2 > b.y1 && a.x2 > a.x1 &&
                a.y2 > a.y1)
                pairs.emplace_back(std::min(order[k], order[m]), std::max(order[k], order[m]));
            if (static_cast<int>(pairs.size()) >= kMaxPairs) break;
        }
    }
    std::sort(pairs.begin(), pairs.end());
    for (const auto& [first, second] : pairs)
        out.push_back({Kind::overlap, second, first,
                       name(first) + " 与" + name(second) + " 重叠，重叠处点中的是" + name(first) +
                           "（浏览器取代码中靠前的区域）"});

    std::map<std::string, int> firstWith;
    int duplicates = 0;
    for (int i = 0; i < n && duplicates < kMaxPairs; ++i) {
        const std::string& link = areas[i].link;
        if (link == "未添加热点链接" || emptyLink(link)) continue;
        const auto [it, fresh] = firstWith.emplace(link, i);
        if (fresh) continue;
        ++duplicates;
        out.push_back({Kind::duplicateLink, i, it->second,
                       name(i) + " 与" + name(it->second) + " 的链接相同（仅供参考）", true});
    }

    if (fullScreen && pictureWidth < kMinFullScreenWidth)
        out.push_back({Kind::narrowPicture, -1, -1,
                       "图片宽 " + text::number(pictureWidth) +
                           " 像素，不到 950 像素，转换成全屏效果没有意义"});
    return out;
}

}  // namespace copycheck
