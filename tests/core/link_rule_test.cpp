#include "core/link_rule.h"

#include <gtest/gtest.h>

namespace {

struct LinkCase {
    const char* name;
    const char* typed;
    const char* created;   // the link a drawn hotspot gets
    const char* modified;  // the link a changed hotspot gets
};

const LinkCase kCases[] = {
    {"NoScheme", "www.Shop.com/Item?ID=5", "http://www.Shop.com/Item?ID=5",
     "http://www.shop.com/Item?ID=5"},
    {"SchemeInTheMiddle", "去 http://A.com/X", "去 http://A.com/X", "去http://a.com/X"},
    {"Secure", "https://Detail.Tmall.com/item.htm?id=1", "https://Detail.Tmall.com/item.htm?id=1",
     "https://detail.tmall.com/item.htm?id=1"},
    {"UpperCaseScheme", "HTTP://WWW.A.COM/Path", "HTTP://WWW.A.COM/Path", "http://www.a.com/Path"},
    {"UpperCaseSecureScheme", "HTTPS://X.COM", "HTTPS://X.COM", "https://x.com"},
    {"SpacesAround", " \xE3\x80\x80www.a.com\xE3\x80\x80 ", "http://www.a.com", "http://www.a.com"},
    {"SpacesInside", " http:// www.A.com/a b\xE3\x80\x80" "c", "http:// www.A.com/a b\xE3\x80\x80" "c",
     "http://www.a.com/abc"},
    {"SpaceAfterAddedScheme", "  shop.COM", "http://shop.COM", "http://shop.com"},
    {"ChineseCharacters", "店铺.淘宝.COM/宝贝 页", "http://店铺.淘宝.COM/宝贝 页",
     "http://店铺.淘宝.com/宝贝页"},
    {"EmptyBox", "", "http://", "http://"},
    {"OnlySpaces", " \xE3\x80\x80 ", "http://", "http://"},
    {"CaseSensitivePathKept", "http://img.alicdn.com/imgextra/i1/TB1AbC_!!0-item_pic.jpg",
     "http://img.alicdn.com/imgextra/i1/TB1AbC_!!0-item_pic.jpg",
     "http://img.alicdn.com/imgextra/i1/TB1AbC_!!0-item_pic.jpg"},
    {"QueryAndFragmentKept", "A.COM?Q=X#Top", "http://A.COM?Q=X#Top", "http://a.com?Q=X#Top"},
    {"UserAndPasswordKept", "http://User:PW@Shop.COM/X", "http://User:PW@Shop.COM/X",
     "http://User:PW@shop.com/X"},
    {"SchemeWithoutSlashes", "http:/a.com", "http://http:/a.com", "http://http:/a.com"},
};

class LinkRuleTest : public ::testing::TestWithParam<LinkCase> {};

}  // namespace

TEST_P(LinkRuleTest, CreateAndModify) {
    const LinkCase& c = GetParam();
    EXPECT_EQ(hotspotLink(c.typed, LinkEdit::create), c.created);
    EXPECT_EQ(hotspotLink(c.typed, LinkEdit::modify), c.modified);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkRuleTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LinkCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(TrimSpaces, BothEndsOnly) {
    EXPECT_EQ(trimSpaces(" \xE3\x80\x80 a b\xE3\x80\x80" "c \xE3\x80\x80"), "a b\xE3\x80\x80" "c");
    EXPECT_EQ(trimSpaces("\xE3\x80\x80"), "");
    EXPECT_EQ(trimSpaces("中"), "中");
}
