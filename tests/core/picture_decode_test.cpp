#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/text.h"
#include "decode/picture_decode.h"

namespace {

Bytes readFile(const std::string& path) {
    std::ifstream in(std::string(FIXTURE_DIR) + "/" + path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

DecodeResult decode(const Bytes& b, const DecodeLimits& limits = {}) {
    return decodePictureBytes(b.data(), b.size(), limits);
}

std::string caseName(const char* file) {
    std::string n = file;
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
}

// ---- Every fixture: its refusal, or its size --------------------------------------

struct FixtureCase {
    const char* file;
    DecodeStatus status;
    long long width, height;  // the planned size (0: none was read)
    const char* message;      // for refusals
};

class DecodeFixture : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(DecodeFixture, GivesItsRefusalOrItsSize) {
    const FixtureCase& c = GetParam();
    const DecodeResult r = decode(readFile(c.file));
    EXPECT_EQ(r.status, c.status);
    if (c.width) {
        EXPECT_EQ(r.plan.width, c.width);
        EXPECT_EQ(r.plan.height, c.height);
    }
    if (c.status == DecodeStatus::Ok) {
        EXPECT_EQ(r.picture.width, c.width);
        EXPECT_EQ(r.picture.height, c.height);
        EXPECT_FALSE(r.picture.empty());
        EXPECT_EQ(decodeMessage(r), "");
    } else {
        EXPECT_TRUE(r.picture.empty());
        EXPECT_EQ(decodeMessage(r), c.message);
    }
}

constexpr const char* kDamaged = "图片读取失败，图片文件已损坏或不完整";

const FixtureCase kFixtures[] = {
    {"pictures/good_790x300.png", DecodeStatus::Ok, 790, 300, ""},
    {"pictures/noise.jpg", DecodeStatus::Ok, 64, 48, ""},
    {"pictures/truncated.jpg", DecodeStatus::Ok, 64, 48, ""},  // libjpeg shows what arrived
    {"pictures/anim.gif", DecodeStatus::Ok, 40, 30, ""},
    {"pictures/multi.ico", DecodeStatus::Ok, 48, 48, ""},
    {"pictures/empty.png", DecodeStatus::Empty, 0, 0, "图片读取失败，图片数据为空"},
    {"pictures/text.jpg", DecodeStatus::UnknownFormat, 0, 0, "图片读取失败，无法识别的图片格式"},
    {"pictures/truncated.png", DecodeStatus::Damaged, 64, 48, kDamaged},
    {"pictures/truncated_header.jpg", DecodeStatus::Damaged, 0, 0, kDamaged},
    {"pictures/huge_100000x100000.png", DecodeStatus::TooManyPixels, 100000, 100000,
     "图片过大（100000×100000 像素），无法载入"},
    {"pictures/corrupt_codes.gif", DecodeStatus::Damaged, 0, 0, kDamaged},
    {"pictures/cut_frame.gif", DecodeStatus::Damaged, 0, 0, kDamaged},
    // Its broken second frame is never read.
    {"pictures/bad_code_size.gif", DecodeStatus::Ok, 40, 30, ""},
    // The hostile ones.
    {"hostile/gif_hidden_frame_codesize13.gif", DecodeStatus::Damaged, 0, 0, kDamaged},
    // Its first frame asks for a code size of 69: giflib refuses it.
    {"hostile/gif_fuzz_a.gif", DecodeStatus::Damaged, 0, 0, kDamaged},
    {"hostile/gif_fuzz_b.gif", DecodeStatus::Damaged, 0, 0, kDamaged},
    {"hostile/jpeg_ff00_hides_20000x20000_sof.jpg", DecodeStatus::TooManyPixels, 20000, 20000,
     "图片过大（20000×20000 像素），无法载入"},
    {"hostile/prog_14142_444.jpg", DecodeStatus::OverBudget, 14142, 14142,
     "图片过大（14142×14142 像素，解码需要 1721 MB 内存，超过 1024 MB 的上限），无法载入"},
    // From the fuzzer (a run starved of CPU took it for a time-out): an RLE4 bitmap
    // whose runs leave most of it black, decoded in a fraction of a second.
    {"hostile/fuzz_rle4_8199x517.bmp", DecodeStatus::Ok, 8199, 517, ""},
    // Its pixel offset points into its own colour table: rows of noise if trusted.
    {"hostile/bmp8_pixels_inside_colour_table.bmp", DecodeStatus::Damaged, 0, 0, kDamaged},
    // A chunk of 2 GB in a file of 273 bytes: the read runs out at once.
    {"hostile/png_chunk_len_2g_slow.png", DecodeStatus::Damaged, 0, 0, kDamaged},
};

INSTANTIATE_TEST_SUITE_P(Files, DecodeFixture, ::testing::ValuesIn(kFixtures),
                         [](const auto& tc) { return caseName(tc.param.file); });

// 14142 x 14142 RGBA is 800 MB: within the default budget it decodes, below it is refused.
TEST(DecodeBudget, RgbaBombDecodesWithinBudgetAndIsRefusedBelowIt) {
    const Bytes bomb = readFile("hostile/bomb_rgba_14142.png");
    DecodeLimits tight;
    tight.budgetBytes = 512LL << 20;
    DecodeResult r = decode(bomb, tight);
    EXPECT_EQ(r.status, DecodeStatus::OverBudget);
    EXPECT_EQ(r.plan.outputBytes(), 14142LL * 14142 * 4);
    EXPECT_EQ(decodeMessage(r, tight),
              "图片过大（14142×14142 像素，解码需要 764 MB 内存，超过 512 MB 的上限），无法载入");

    r = decode(bomb);
    ASSERT_EQ(r.status, DecodeStatus::Ok);
    EXPECT_EQ(r.picture.width, 14142);
    ASSERT_TRUE(r.picture.alpha);
    EXPECT_LE(r.plan.neededBytes(), kDefaultDecodeBudget);
}

// ---- The budget arithmetic --------------------------------------------------------

std::uint32_t crc32(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFF;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

void putBe32(Bytes& b, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(v >> s));
}

// A PNG signature and header chunk only: enough for libpng to plan.
Bytes pngHeader(std::uint32_t w, std::uint32_t h, int depth, int colourType, int interlace) {
    Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putBe32(b, 13);
    const std::size_t kindAt = b.size();
    b.insert(b.end(), {'I', 'H', 'D', 'R'});
    putBe32(b, w);
    putBe32(b, h);
    b.insert(b.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colourType), 0, 0,
                       static_cast<std::uint8_t>(interlace)});
    putBe32(b, crc32(b.data() + kindAt, 17));
    putBe32(b, 0);  // the start of the data, where libpng stops reading the header
    b.insert(b.end(), {'I', 'D', 'A', 'T'});
    return b;
}

struct BudgetCase {
    const char* name;
    Bytes file;
    long long expectedNeed;
};

class BudgetArithmetic : public ::testing::TestWithParam<BudgetCase> {};

// The plan gives exactly what the decode needs: at that budget it passes the
// check, one byte less is refused.
TEST_P(BudgetArithmetic, PlanIsTheBudgetBoundary) {
    const BudgetCase& c = GetParam();
    DecodeLimits limits;
    limits.budgetBytes = c.expectedNeed;
    DecodeResult r = decode(c.file, limits);
    EXPECT_EQ(r.plan.neededBytes(), c.expectedNeed);
    EXPECT_NE(r.status, DecodeStatus::OverBudget);
    limits.budgetBytes = c.expectedNeed - 1;
    r = decode(c.file, limits);
    EXPECT_EQ(r.status, DecodeStatus::OverBudget);
}

constexpr long long kW = 1000, kH = 800;

const BudgetCase kBudgets[] = {
    // RGB output; libpng's two rows and ours, 20 bytes a pixel of a row.
    {"PngRgb", pngHeader(kW, kH, 8, 2, 0), kW * kH * 3 + 20 * kW + 256},
    // Grey and alpha becomes RGBA.
    {"PngGreyAlpha", pngHeader(kW, kH, 8, 4, 0), kW * kH * 4 + 20 * kW + 256},
    {"PngRgba", pngHeader(kW, kH, 8, 6, 0), kW * kH * 4 + 20 * kW + 256},
    // Interlaced with alpha: the whole RGBA picture is gathered first, twice the output.
    {"PngRgbaInterlaced", pngHeader(kW, kH, 16, 6, 1), 2 * kW * kH * 4 + 20 * kW + 256},
    // Baseline JPEG: RGB out, a few MCU rows of work.
    {"JpegBaseline", readFile("pictures/noise.jpg"), 64 * 48 * 3 + 64LL * 64 * 4 + 65536},
    // Progressive 4:4:4: the coefficients of all 1768 x 1768 blocks of three
    // components, 128 bytes each, besides the output: about three times it.
    {"JpegProgressive", readFile("hostile/prog_14142_444.jpg"),
     14142LL * 14142 * 3 + 3LL * 1768 * 1768 * 128 + 64LL * 14142 * 4 + 65536},
    // GIF: the logical screen with alpha (the frame leaves part of it uncovered).
    {"GifOnScreen", readFile("pictures/first_frame_on_screen.gif"), 6 * 5 * 4 + 2 + 16384},
    {"GifFullFrame", readFile("pictures/anim.gif"), 40 * 30 * 3 + 40 + 16384},
    {"Bmp24", readFile("pictures/ref/bmp24.bmp"), 7 * 5 * 3},
    {"Bmp32Alpha", readFile("pictures/ref/bmp32a.bmp"), 7 * 5 * 4},
};

INSTANTIATE_TEST_SUITE_P(Formats, BudgetArithmetic, ::testing::ValuesIn(kBudgets),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST(DecodeBudget, ProgressiveJpegNeedsAboutThreeTimesItsOutput) {
    const DecodeResult r = decode(readFile("hostile/prog_14142_444.jpg"));
    EXPECT_NEAR(static_cast<double>(r.plan.neededBytes()) / r.plan.outputBytes(), 3.0, 0.05);
}

TEST(DecodeBudget, PixelCapStandsBesideTheBudget) {
    // 20000 x 10001 one-bit grey: 25 MB of budget but over 200 megapixels.
    const DecodeResult r = decode(pngHeader(20000, 10001, 1, 0, 0));
    EXPECT_EQ(r.status, DecodeStatus::TooManyPixels);
    EXPECT_EQ(decodeMessage(r), "图片过大（20000×10001 像素），无法载入");
    // Sides beyond what libpng accepts are the library's refusal.
    EXPECT_EQ(decode(pngHeader(0xFFFFFFFF, 0xFFFFFFFF, 8, 6, 0)).status, DecodeStatus::Damaged);
}

// ---- What the pixels are ------------------------------------------------------------

std::uint8_t alphaAt(const Picture& p, int x, int y) { return p.alpha ? p.alpha[y * p.width + x] : 255; }

// The first frame lies at (3, 2) on a 6 x 5 screen: the picture is the screen,
// transparent where the frame does not reach and where its transparent index is;
// the second frame, all red, does not show.
TEST(GifDecode, FirstFrameOnItsLogicalScreen) {
    const DecodeResult r = decode(readFile("pictures/first_frame_on_screen.gif"));
    ASSERT_EQ(r.status, DecodeStatus::Ok);
    const Picture& p = r.picture;
    ASSERT_EQ(p.width, 6);
    ASSERT_EQ(p.height, 5);
    ASSERT_TRUE(p.alpha);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool blue = (x == 3 || x == 4) && (y == 2 || y == 3) && !(x == 4 && y == 3);
            EXPECT_EQ(alphaAt(p, x, y), blue ? 255 : 0) << x << "," << y;
            if (blue) {
                const std::uint8_t* px = p.rgb + (y * 6 + x) * 3;
                EXPECT_EQ(px[0], 0);
                EXPECT_EQ(px[2], 255);
            }
        }
}

struct ReferenceCase {
    const char* file;
    int tolerance;  // per channel, where ImageMagick rounds differently
};

class AgreesWithReference : public ::testing::TestWithParam<ReferenceCase> {};

// Each kind of file shows what ImageMagick shows, read back from its PNG.
TEST_P(AgreesWithReference, PixelForPixel) {
    const std::string file = std::string("pictures/ref/") + GetParam().file;
    const std::string ref = file.substr(0, file.rfind('.')) + ".ref.png";
    const DecodeResult got = decode(readFile(file));
    const DecodeResult want = decode(readFile(ref));
    ASSERT_EQ(got.status, DecodeStatus::Ok);
    ASSERT_EQ(want.status, DecodeStatus::Ok);
    const Picture &a = got.picture, &b = want.picture;
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    int worst = 0;
    for (int i = 0; i < a.width * a.height; ++i) {
        for (int ch = 0; ch < 3; ++ch) {
            // A fully transparent pixel has no colour worth comparing.
            if (alphaAt(b, i % b.width, i / b.width) == 0) continue;
            worst = std::max(worst, std::abs(a.rgb[3 * i + ch] - b.rgb[3 * i + ch]));
        }
        worst = std::max(worst, std::abs(alphaAt(a, i % a.width, i / a.width) - alphaAt(b, i % b.width, i / b.width)));
    }
    EXPECT_LE(worst, GetParam().tolerance);
}

const ReferenceCase kReferences[] = {
    {"bmp24.bmp", 0}, {"bmp8.bmp", 0},  {"rle8.bmp", 0},         {"bmp4.bmp", 0},
    {"bmp1.bmp", 0},  {"bmp565.bmp", 1}, {"bmp32a.bmp", 0},      {"adam7_alpha.png", 1},
    {"interlaced.gif", 0}, {"multi.ico", 0}, {"progressive.jpg", 2}, {"cmyk.jpg", 3},
};

INSTANTIATE_TEST_SUITE_P(Files, AgreesWithReference, ::testing::ValuesIn(kReferences),
                         [](const auto& tc) { return caseName(tc.param.file); });

TEST(BmpDecode, TopDownRowsAndBrokenHeaders) {
    const Bytes bottomUp = readFile("pictures/ref/bmp24.bmp");
    // The same picture stored top-down: negative height, rows reversed.
    Bytes topDown = bottomUp;
    const std::int32_t minus5 = -5;
    std::memcpy(topDown.data() + 22, &minus5, 4);
    const std::size_t stride = (7 * 3 + 3) / 4 * 4, at = 54;
    for (int row = 0; row < 5; ++row)
        std::memcpy(topDown.data() + at + row * stride, bottomUp.data() + at + (4 - row) * stride, stride);
    const DecodeResult a = decode(bottomUp), b = decode(topDown);
    ASSERT_EQ(b.status, DecodeStatus::Ok);
    EXPECT_EQ(std::memcmp(a.picture.rgb, b.picture.rgb, 7 * 5 * 3), 0);

    struct Patch {
        std::size_t at;
        std::uint32_t value;
    };
    for (const Patch& p : {Patch{28, 7},            // 7 bits a pixel
                           Patch{30, 4},            // JPEG inside
                           Patch{18, 0},            // no width
                           Patch{14, 2000},         // header longer than the file
                           Patch{10, 14 + 30},      // pixels inside the header
                           Patch{10, 0}}) {         // pixels at the file header
        Bytes broken = bottomUp;
        std::memcpy(broken.data() + p.at, &p.value, p.at == 28 ? 2 : 4);
        EXPECT_EQ(decode(broken).status, DecodeStatus::Damaged) << p.at;
    }
    Bytes cut(bottomUp.begin(), bottomUp.end() - 10);
    EXPECT_EQ(decode(cut).status, DecodeStatus::Damaged);
}

// The icon directory says 16 x 16; its bitmap claims 40000 x 40000: the bitmap's
// own header decides, before anything is allocated.
TEST(IcoDecode, BitmapHeaderIsTheAuthority) {
    Bytes ico(6 + 16 + 40, 0);
    ico[2] = 1;
    ico[4] = 1;
    ico[6] = 16, ico[7] = 16;
    ico[6 + 12] = 22;
    const std::uint32_t header = 40, w = 40000, h = 80000;
    const std::uint16_t bpp = 32;
    std::memcpy(ico.data() + 22, &header, 4);
    std::memcpy(ico.data() + 26, &w, 4);
    std::memcpy(ico.data() + 30, &h, 4);
    std::memcpy(ico.data() + 36, &bpp, 2);
    const DecodeResult r = decode(ico);
    EXPECT_EQ(r.format, PictureFormat::Ico);
    EXPECT_EQ(r.status, DecodeStatus::TooManyPixels);
    EXPECT_EQ(r.plan.width, 40000);
    EXPECT_EQ(r.plan.height, 40000);
}

// ---- Cancel and robustness --------------------------------------------------------

struct CancelCase {
    const char* file;
    long long budget;
};

class DecodeCancel : public ::testing::TestWithParam<CancelCase> {};

// Cancel from another thread stops a long decode in the library's own loop: set once
// the decode is under way, it ends the decode as cancelled at its next look, long
// before the last row.
TEST_P(DecodeCancel, StopsALongDecode) {
    const Bytes bytes = readFile(GetParam().file);
    std::atomic<bool> cancel{false}, ended{false};
    std::atomic<long long> checks{0};
    long long checksAtCancel = -1;
    DecodeLimits limits;
    limits.budgetBytes = GetParam().budget;
    limits.cancel = &cancel;
    limits.cancelChecks = &checks;
    std::thread canceller([&] {
        while (checks.load() < 3 && !ended) std::this_thread::yield();
        cancel = true;
        checksAtCancel = checks.load();
    });
    const DecodeResult r = decode(bytes, limits);
    ended = true;
    canceller.join();
    EXPECT_EQ(r.status, DecodeStatus::Cancelled);
    EXPECT_TRUE(r.picture.empty());
    EXPECT_EQ(decodeMessage(r, limits), "");
    EXPECT_GE(checksAtCancel, 3);
    EXPECT_LE(checks.load(), checksAtCancel + 1);
    EXPECT_LT(checks.load(), r.plan.height);
}

const CancelCase kCancels[] = {
    {"hostile/bomb_rgba_14142.png", kDefaultDecodeBudget},
    {"hostile/prog_14142_444.jpg", 2LL << 30},
};

INSTANTIATE_TEST_SUITE_P(Files, DecodeCancel, ::testing::ValuesIn(kCancels),
                         [](const auto& tc) { return caseName(tc.param.file); });

TEST(PictureDecode, EveryPrefixIsSafe) {
    // Every cut of every small fixture decodes or is refused; the sanitizers watch.
    for (const char* f : {"pictures/good_790x300.png", "pictures/noise.jpg", "pictures/anim.gif",
                          "pictures/multi.ico", "pictures/ref/rle8.bmp", "pictures/ref/bmp32a.bmp",
                          "pictures/ref/interlaced.gif", "pictures/ref/adam7_alpha.png"}) {
        const Bytes all = readFile(f);
        for (std::size_t n = 0; n <= std::min<std::size_t>(all.size(), 1500); ++n) {
            const DecodeResult r = decodePictureBytes(all.data(), n);
            if (r.status == DecodeStatus::Ok) {
                EXPECT_FALSE(r.picture.empty()) << f << " " << n;
            }
        }
    }
}

TEST(PictureDecode, FormatByFirstBytes) {
    const struct {
        Bytes head;
        PictureFormat format;
    } cases[] = {
        {{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, PictureFormat::Png},
        {{0xFF, 0xD8, 0xFF}, PictureFormat::Jpeg},
        {{'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::Gif},
        {{'B', 'M'}, PictureFormat::Bmp},
        {{0, 0, 1, 0, 1, 0}, PictureFormat::Ico},
        {{0, 0, 1, 0, 0, 0}, PictureFormat::Unknown},  // an icon of no entries
        {{'G', 'I', 'F', '9', '0'}, PictureFormat::Unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(pictureFormatOf(c.head.data(), c.head.size()), c.format);
}

}  // namespace

namespace {

// Quadrant colours of a decoded picture, top-left, top-right, bottom-left,
// bottom-right: R, G, B or Y.
std::string quadrants(const Picture& p) {
    const auto at = [&](int x, int y) {
        const std::uint8_t* c = p.rgb + (static_cast<std::size_t>(y) * p.width + x) * 3;
        return c[0] > 150 && c[1] > 150 ? 'Y' : c[0] > 150 ? 'R' : c[1] > 150 ? 'G' : 'B';
    };
    return {at(p.width / 4, p.height / 4), at(3 * p.width / 4, p.height / 4), at(p.width / 4, 3 * p.height / 4),
            at(3 * p.width / 4, 3 * p.height / 4)};
}

}  // namespace

// One 64 x 32 picture (red, green / blue, yellow) stored eight times with the EXIF
// orientations 1 to 8 (ImageMagick's convert, then exiftool -Orientation=N), and
// once as a PNG with an eXIf chunk. The sizes and quadrants are what Chromium
// (Debian's chromium, headless) reports for each file drawn on a canvas.
TEST(ExifOrientation, ShownAsTheBrowserShowsIt) {
    const struct {
        const char* file;
        int width, height;
        const char* quadrants;
    } cases[] = {
        {"orientation1.jpg", 64, 32, "RGBY"}, {"orientation2.jpg", 64, 32, "GRYB"},
        {"orientation3.jpg", 64, 32, "YBGR"}, {"orientation4.jpg", 64, 32, "BYRG"},
        {"orientation5.jpg", 32, 64, "RBGY"}, {"orientation6.jpg", 32, 64, "BRYG"},
        {"orientation7.jpg", 32, 64, "YGBR"}, {"orientation8.jpg", 32, 64, "GYRB"},
        {"png_exif6.png", 32, 64, "BRYG"},
    };
    for (const auto& c : cases) {
        const DecodeResult r = decode(readFile(std::string("pictures/exif/") + c.file));
        ASSERT_EQ(r.status, DecodeStatus::Ok) << c.file;
        EXPECT_EQ(r.picture.width, c.width) << c.file;
        EXPECT_EQ(r.picture.height, c.height) << c.file;
        EXPECT_EQ(r.plan.width, c.width) << c.file;
        EXPECT_EQ(quadrants(r.picture), c.quadrants) << c.file;
    }
    // The turn needs a second set of planes: a budget that only holds one refuses it.
    const Bytes six = readFile("pictures/exif/orientation6.jpg");
    DecodeLimits tight;
    tight.budgetBytes = decode(readFile("pictures/exif/orientation1.jpg")).plan.neededBytes();
    EXPECT_EQ(decode(six, tight).status, DecodeStatus::OverBudget);
}

namespace decode {
int exifOrientation(const std::uint8_t* data, std::size_t size);
}

// What cannot be read as EXIF leaves the picture as stored.
TEST(ExifOrientation, DamagedTagsAreIgnored) {
    const std::uint8_t junk[] = "Exif\0\0MM\0*\0\0\0\x08\xFF\xFF\0\x12\0\x03";
    EXPECT_EQ(::decode::exifOrientation(junk, sizeof junk), 1);
    EXPECT_EQ(::decode::exifOrientation(junk, 3), 1);
    // Big-endian TIFF, one entry: orientation (0x0112), SHORT, count 1, value 9.
    const std::uint8_t nine[] = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x01, 0x12,
                                 0,   3,   0,   0,   0, 1, 0,   9,   0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(::decode::exifOrientation(nine, sizeof nine), 1);
    std::uint8_t six[sizeof nine];
    std::memcpy(six, nine, sizeof nine);
    six[25] = 6;
    EXPECT_EQ(::decode::exifOrientation(six, sizeof six), 6);
}
