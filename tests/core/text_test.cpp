#include <gtest/gtest.h>

#include "core/text.h"

TEST(Text, GbkLengthCountsDoubleByteCharacters) {
    EXPECT_EQ(text::gbkLength("中文热点"), 8);
    EXPECT_EQ(text::gbkLength("C:\\图片\\a.jpg"), 13);
    EXPECT_EQ(text::gbkLength(""), 0);
    // 镕 is GBK but not GB2312: still two bytes.
    EXPECT_EQ(text::gbkLength("镕"), 2);
    EXPECT_EQ(text::toGbk("√×："), "\xA1\xCC\xA1\xC1\xA3\xBA");
    EXPECT_EQ(text::fromGbk(text::toGbk("热点:7 锁定：×")), "热点:7 锁定：×");
}

TEST(Text, LastGbkBytes) {
    EXPECT_EQ(text::lastGbkBytes("http://a/b.png", 4), ".png");
    EXPECT_EQ(text::lastGbkBytes("png", 4), "png");
    EXPECT_EQ(text::lastGbkBytes("a图", 2), "\xCD\xBC");
}

TEST(Text, RemoveSpacesTakesHalfAndFullWidth) {
    EXPECT_EQ(text::removeSpaces(" a\xE3\x80\x80 b　c "), "abc");
    EXPECT_EQ(text::removeSpaces("　 　"), "");
}

TEST(Text, AsciiLowerLeavesOtherCharacters) {
    EXPECT_EQ(text::asciiLower("HTTP://A.PNG 图Ａ"), "http://a.png 图Ａ");
}

TEST(Text, Numbers) {
    EXPECT_EQ(text::number(-5), "-5");
    EXPECT_EQ(text::number(0), "0");
    EXPECT_EQ(text::number13(370.0), "370");
    EXPECT_EQ(text::number13(-10.0), "-10");
    EXPECT_EQ(text::number13(0.5), "0.5");
    EXPECT_EQ(text::number13(1234567890123.0), "1234567890123");
    EXPECT_EQ(text::number13(-0.0), "0");
    EXPECT_EQ(text::truncToInt(10.9), 10);
    EXPECT_EQ(text::truncToInt(-0.5), 0);
    EXPECT_EQ(text::truncToInt(-10.9), -10);
    EXPECT_DOUBLE_EQ(text::leadingNumber("250abc"), 250);
    EXPECT_DOUBLE_EQ(text::leadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(text::leadingNumber("-3"), -3);
}
