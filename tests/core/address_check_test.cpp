#include <gtest/gtest.h>

#include "core/address_check.h"

namespace {

struct AddressCase {
    const char* name;
    const char* typed;
    AddressVerdict verdict;
};

class AddressCheck : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressCheck, GivesTheVerdictOfTheFirstFailingCheck) {
    EXPECT_EQ(checkPictureAddress(GetParam().typed), GetParam().verdict) << GetParam().typed;
}

const AddressCase kCases[] = {
    {"Empty", "", AddressVerdict::Empty},
    {"OnlySpaces", "  \xE3\x80\x80 ", AddressVerdict::Empty},
    {"BareScheme", "http://", AddressVerdict::Empty},
    {"BareSchemeWithSpaces", " http:// \xE3\x80\x80", AddressVerdict::Empty},
    {"BareHttpsScheme", "https://", AddressVerdict::Empty},
    {"SpaceBeforeScheme", " http://a.com/x.png", AddressVerdict::BadScheme},
    {"OtherScheme", "ftp://a.com/x.png", AddressVerdict::BadScheme},
    {"NoScheme", "a.com/x.png", AddressVerdict::BadScheme},
    {"UpperCasePng", "HTTP://IMG.EXAMPLE.COM/SHOP/A.PNG", AddressVerdict::Ok},
    {"Jpg", "http://a.com/x.jpg", AddressVerdict::Ok},
    {"Gif", "http://a.com/x.gif", AddressVerdict::Ok},
    {"Bmp", "http://a.com/x.bmp", AddressVerdict::Ok},
    {"Ico", "http://a.com/x.ico", AddressVerdict::Ok},
    {"Jpng", "http://a.com/x.jpng", AddressVerdict::Ok},
    {"JpegRefused", "http://a.com/x.jpeg", AddressVerdict::BadExtension},
    {"QueryRefused", "http://a.com/x.png?v=1", AddressVerdict::BadExtension},
    {"NoExtension", "http://a.com/picture", AddressVerdict::BadExtension},
    {"HttpsAccepted", "https://a.com/x.png", AddressVerdict::Ok},
    {"HttpsUpperCase", "HTTPS://A.COM/X.GIF", AddressVerdict::Ok},
    // The last four GBK bytes of "图.png" are ".png"; of "x.图" they hold no extension.
    {"ChineseNameWithPng", "http://a.com/图.png", AddressVerdict::Ok},
    {"ChineseExtension", "http://a.com/jpg图", AddressVerdict::BadExtension},
    {"ShortAfterSchemeCheck", "http://png", AddressVerdict::Ok},
};

INSTANTIATE_TEST_SUITE_P(Cases, AddressCheck, ::testing::ValuesIn(kCases),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST(AddressMessage, TextsAreExact) {
    EXPECT_EQ(addressMessage(AddressVerdict::Ok), "");
    EXPECT_EQ(addressMessage(AddressVerdict::Empty), "网络图片地址不能为空");
    EXPECT_EQ(addressMessage(AddressVerdict::BadScheme),
              "网络图片地址不正确，无法读入图片 请以  http:// 开头");
    EXPECT_EQ(addressMessage(AddressVerdict::BadExtension), "网络图片地址不正确，无法读入图片");
}

}  // namespace
