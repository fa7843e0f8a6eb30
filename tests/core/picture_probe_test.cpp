#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <limits>

#include "core/picture_probe.h"
#include "core/text.h"

namespace {

Bytes readFixture(const std::string& name) {
    std::ifstream in(std::string(FIXTURE_DIR) + "/pictures/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

PictureProbe probe(const Bytes& b) { return probePicture(b.data(), b.size()); }

void putLe16(Bytes& b, size_t at, unsigned v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
void putLe32(Bytes& b, size_t at, unsigned v) {
    putLe16(b, at, v & 0xFFFF);
    putLe16(b, at + 2, v >> 16);
}

struct FixtureCase {
    const char* file;
    PictureFormat format;
    PictureVerdict verdict;
    long long width, height;
};

class ProbeFixture : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(ProbeFixture, ReadsFormatSizeAndVerdict) {
    const FixtureCase& c = GetParam();
    const Bytes bytes = readFixture(c.file);
    const PictureProbe p = probe(bytes);
    EXPECT_EQ(p.format, c.format);
    EXPECT_EQ(judgePicture(p, bytes.size()), c.verdict);
    if (c.width) {
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.height, c.height);
    }
}

const FixtureCase kFixtures[] = {
    {"good_790x300.png", PictureFormat::Png, PictureVerdict::Ok, 790, 300},
    {"noise.jpg", PictureFormat::Jpeg, PictureVerdict::Ok, 64, 48},
    {"truncated.jpg", PictureFormat::Jpeg, PictureVerdict::Ok, 64, 48},
    {"truncated_header.jpg", PictureFormat::Jpeg, PictureVerdict::Damaged, 0, 0},
    {"truncated.png", PictureFormat::Png, PictureVerdict::Ok, 64, 48},
    {"empty.png", PictureFormat::Unknown, PictureVerdict::Empty, 0, 0},
    {"text.jpg", PictureFormat::Unknown, PictureVerdict::UnknownFormat, 0, 0},
    {"huge_100000x100000.png", PictureFormat::Png, PictureVerdict::TooLarge, 100000, 100000},
    {"anim.gif", PictureFormat::Gif, PictureVerdict::Ok, 40, 30},
    {"multi.ico", PictureFormat::Ico, PictureVerdict::Ok, 48, 48},
    // These once crashed the toolkit's GIF decoder.
    {"corrupt_codes.gif", PictureFormat::Gif, PictureVerdict::Damaged, 40, 30},
    {"cut_frame.gif", PictureFormat::Gif, PictureVerdict::Damaged, 40, 30},
    {"bad_code_size.gif", PictureFormat::Gif, PictureVerdict::Damaged, 40, 30},
};

INSTANTIATE_TEST_SUITE_P(Files, ProbeFixture, ::testing::ValuesIn(kFixtures), [](const auto& tc) {
    std::string n = tc.param.file;
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

TEST(PictureProbe, GifCountsEveryFrame) {
    const PictureProbe p = probe(readFixture("anim.gif"));
    EXPECT_EQ(p.frames, 3);
    EXPECT_EQ(p.decodedPixels, 3 * 40 * 30);
}

// A GIF of many frames, each of them small enough alone, is refused as a whole.
TEST(PictureProbe, GifWithManyLargeFramesIsTooLarge) {
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 60; ++i) {
        Bytes frame = {0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 0, 0};
        putLe16(frame, 5, 60000);
        putLe16(frame, 7, 60);  // 3.6 megapixels a frame
        gif.insert(gif.end(), frame.begin(), frame.end());
    }
    gif.push_back(0x3B);
    const PictureProbe p = probe(gif);
    EXPECT_EQ(p.frames, 60);
    EXPECT_EQ(p.width, 60000);
    EXPECT_EQ(judgePicture(p, gif.size()), PictureVerdict::TooLarge);
    EXPECT_EQ(pictureMessage(PictureVerdict::TooLarge, p),
              "图片过大（共 60 帧，216000000 像素），无法载入");
}

struct CodeCase {
    const char* name;
    int minCodeSize;
    Bytes data;
    bool valid;
};

class GifCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(GifCodes, OnlyDefinedCodesPass) {
    const CodeCase& c = GetParam();
    EXPECT_EQ(gifCodesValid(c.minCodeSize, c.data.data(), c.data.size()), c.valid);
}

// Code size 2: clear 4, end 5, first free 6; codes are 3 bits wide, packed from the low bit.
const CodeCase kCodeCases[] = {
    // clear, 1, 6 (= the entry being defined: allowed), end
    {"NextCodeIsAllowed", 2, {0x8C, 0x0B}, true},
    // clear, 1, 7 (two beyond the table)
    {"UndefinedCode", 2, {0xCC, 0x01}, false},
    // clear, 6 (nothing is defined yet)
    {"TableCodeFirst", 2, {0x34}, false},
    {"CodeSizeZero", 0, {0x00}, false},
    {"CodeSizeNine", 9, {0x00}, false},
    {"EndsEarly", 2, {0x0C}, true},
};

INSTANTIATE_TEST_SUITE_P(Streams, GifCodes, ::testing::ValuesIn(kCodeCases),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST(PictureProbe, BmpTopDownAndCoreHeaders) {
    Bytes bmp(54, 0);
    bmp[0] = 'B', bmp[1] = 'M';
    putLe32(bmp, 14, 40);
    putLe32(bmp, 18, 790);
    putLe32(bmp, 22, static_cast<unsigned>(-300));
    PictureProbe p = probe(bmp);
    EXPECT_EQ(p.format, PictureFormat::Bmp);
    EXPECT_EQ(p.width, 790);
    EXPECT_EQ(p.height, 300);

    putLe32(bmp, 14, 12);
    putLe16(bmp, 18, 20);
    putLe16(bmp, 20, 10);
    p = probe(bmp);
    EXPECT_EQ(p.width, 20);
    EXPECT_EQ(p.height, 10);

    putLe32(bmp, 14, 40);
    putLe32(bmp, 18, 50000);
    putLe32(bmp, 22, 50000);
    EXPECT_EQ(judgePicture(probe(bmp), bmp.size()), PictureVerdict::TooLarge);
    putLe32(bmp, 18, 0);
    EXPECT_EQ(judgePicture(probe(bmp), bmp.size()), PictureVerdict::Damaged);
}

// The icon directory says 16 x 16, the bitmap inside claims far more.
TEST(PictureProbe, IconTrustsTheLargerOfDirectoryAndBitmap) {
    Bytes ico(6 + 16 + 40, 0);
    putLe16(ico, 2, 1);
    putLe16(ico, 4, 1);
    ico[6] = 16, ico[7] = 16;
    putLe32(ico, 6 + 12, 22);
    putLe32(ico, 22, 40);
    putLe32(ico, 26, 40000);
    putLe32(ico, 30, 2 * 40000);
    const PictureProbe p = probe(ico);
    EXPECT_EQ(p.format, PictureFormat::Ico);
    EXPECT_EQ(p.width, 40000);
    EXPECT_EQ(p.height, 40000);
    EXPECT_EQ(judgePicture(p, ico.size()), PictureVerdict::TooLarge);
}

// Sides near 2^32 must not overflow the pixel count into something small.
TEST(PictureProbe, PngClaimingTheLargestSidesIsTooLarge) {
    Bytes png = readFixture("good_790x300.png");
    for (size_t at : {16, 17, 18, 19, 20, 21, 22, 23}) png[at] = 0xFF;
    const PictureProbe p = probe(png);
    EXPECT_EQ(p.width, 4294967295LL);
    EXPECT_EQ(p.decodedPixels, std::numeric_limits<long long>::max());
    EXPECT_EQ(judgePicture(p, png.size()), PictureVerdict::TooLarge);
}

TEST(PictureProbe, JpegWithoutFrameHeightIsDamaged) {
    // SOI, then a baseline frame header claiming height 0 (to be given later by DNL).
    const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0, 0, 0, 64, 1, 1, 0x11, 0};
    const PictureProbe p = probe(jpeg);
    EXPECT_EQ(p.format, PictureFormat::Jpeg);
    EXPECT_EQ(judgePicture(p, jpeg.size()), PictureVerdict::Damaged);
}

TEST(PictureProbe, NeverReadsPastTheEnd) {
    // Every prefix of every fixture is probed; ASan would catch a stray read.
    for (const char* f : {"good_790x300.png", "noise.jpg", "anim.gif", "multi.ico"}) {
        const Bytes all = readFixture(f);
        for (size_t n = 0; n <= std::min<size_t>(all.size(), 2048); ++n) {
            const Bytes part(all.begin(), all.begin() + n);
            const PictureProbe p = probe(part);
            if (p.sized) {
                EXPECT_GT(p.width, 0) << f << " " << n;
            }
        }
    }
}

TEST(PictureMessage, TextsAreExact) {
    PictureProbe p;
    p.width = 100000;
    p.height = 100000;
    p.frames = 1;
    EXPECT_EQ(pictureMessage(PictureVerdict::TooLarge, p), "图片过大（100000×100000 像素），无法载入");
    EXPECT_EQ(pictureMessage(PictureVerdict::Empty, p), "图片读取失败，图片数据为空");
    EXPECT_EQ(pictureMessage(PictureVerdict::UnknownFormat, p), "图片读取失败，无法识别的图片格式");
    EXPECT_EQ(pictureMessage(PictureVerdict::Damaged, p), "图片读取失败，图片文件已损坏或不完整");
}

}  // namespace
