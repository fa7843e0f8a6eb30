// BMP files and the bitmaps inside icons: a bounds-checked reader of the device-
// independent bitmap (1, 4, 8, 16, 24 and 32 bits, RLE4, RLE8, bit fields).
// Icons may also hold PNG pictures, which go to libpng.
#include <algorithm>
#include <cstring>

#include "decode/decoders.h"

namespace decode {

namespace {

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool has(std::size_t at, std::size_t n) const { return at <= size_ && n <= size_ - at; }
    std::uint32_t u8(std::size_t at) const { return data_[at]; }
    std::uint32_t le16(std::size_t at) const { return data_[at] | (data_[at + 1] << 8); }
    std::uint32_t le32(std::size_t at) const { return le16(at) | (le16(at + 2) << 16); }
    const std::uint8_t* at(std::size_t i) const { return data_ + i; }
    std::size_t size() const { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct Dib {
    long long width = 0, height = 0;  // height of the colour picture (an icon's mask not counted)
    bool topDown = false;
    int bpp = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha for bit fields
    std::uint8_t palette[256][3] = {};      // red, green, blue
    std::size_t tableAt = 0;                // the colour table, after the header and masks
    std::size_t pixelsAt = 0;               // from the start of the DIB
};

// One colour channel through a bit-field mask, scaled to 0 ... 255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        max = m >> shift;
    }
    std::uint8_t operator()(std::uint32_t v) const {
        if (!max) return 0;
        return static_cast<std::uint8_t>(static_cast<std::uint64_t>((v & mask) >> shift) * 255 / max);
    }
};

// Reads the header at `at`; the colour picture's height is the header's divided by
// `heightDivisor` (2 in icons, whose bitmaps count the mask too).
bool readDib(const Reader& r, std::size_t at, int heightDivisor, Dib& d) {
    if (!r.has(at, 4)) return false;
    const std::uint32_t headerSize = r.le32(at);
    std::size_t end = at + headerSize;
    int entrySize = 4;
    std::uint32_t coloursUsed = 0;
    long long height = 0;
    if (headerSize == 12) {
        if (!r.has(at, 12)) return false;
        d.width = r.le16(at + 4);
        height = r.le16(at + 6);
        d.bpp = static_cast<int>(r.le16(at + 10));
        entrySize = 3;
    } else if (headerSize >= 16 && headerSize <= 1024) {
        if (!r.has(at, headerSize)) return false;
        d.width = static_cast<std::int32_t>(r.le32(at + 4));
        height = static_cast<std::int32_t>(r.le32(at + 8));
        d.bpp = static_cast<int>(r.le16(at + 14));
        d.compression = headerSize >= 20 ? r.le32(at + 16) : kRgb;
        coloursUsed = headerSize >= 36 ? r.le32(at + 32) : 0;
        const bool fields = d.compression == kBitFields || d.compression == kAlphaBitFields;
        // OS/2's 64-byte header gives other meanings to compression 3 and up.
        if (fields && (headerSize < 40 || headerSize == 64)) return false;
        if (fields) {
            const int count = d.compression == kAlphaBitFields ? 4 : 3;
            std::size_t masksAt = at + 40;
            if (headerSize == 40) end += 4u * count;  // the masks follow the header
            if (!r.has(masksAt, 4u * count)) return false;
            for (int i = 0; i < count; ++i) d.masks[i] = r.le32(masksAt + 4u * i);
        }
        if (headerSize >= 56 && fields) d.masks[3] = r.le32(at + 52);
    } else {
        return false;
    }
    if (height < 0) {
        d.topDown = true;
        height = -height;
    }
    d.height = height / heightDivisor;
    const bool validDepth = d.bpp == 1 || d.bpp == 4 || d.bpp == 8 || d.bpp == 16 || d.bpp == 24 || d.bpp == 32;
    const bool validCompression =
        d.compression == kRgb || (d.compression == kRle8 && d.bpp == 8) ||
        (d.compression == kRle4 && d.bpp == 4) ||
        ((d.compression == kBitFields || d.compression == kAlphaBitFields) && (d.bpp == 16 || d.bpp == 32));
    if (!validDepth || !validCompression || d.width <= 0 || d.height <= 0) return false;
    if ((d.compression == kRle8 || d.compression == kRle4) && d.topDown) return false;

    // The colour table; pictures of 16 bits and more may carry one that nothing uses.
    const std::uint64_t entries = d.bpp <= 8 ? (coloursUsed && coloursUsed < (1u << d.bpp) ? coloursUsed : 1u << d.bpp)
                                             : std::min<std::uint64_t>(coloursUsed, 1u << 24);
    for (std::uint64_t i = 0; i < entries && i < 256; ++i) {
        const std::size_t e = end + i * entrySize;
        if (!r.has(e, 3)) break;  // missing entries stay black
        d.palette[i][0] = static_cast<std::uint8_t>(r.u8(e + 2));
        d.palette[i][1] = static_cast<std::uint8_t>(r.u8(e + 1));
        d.palette[i][2] = static_cast<std::uint8_t>(r.u8(e));
    }
    d.tableAt = end;
    d.pixelsAt = end + entries * entrySize;
    return true;
}

std::size_t strideOf(long long width, int bpp) {
    return static_cast<std::size_t>((width * bpp + 31) / 32 * 4);
}

// The uncompressed pixels. With `xAsAlpha`, the fourth byte of 32-bit pixels is
// read into the alpha plane.
bool decodeRows(const Reader& r, const Dib& d, const DecodeLimits& limits, Planes& planes, bool xAsAlpha,
                DecodeStatus& status) {
    const std::size_t w = static_cast<std::size_t>(d.width), h = static_cast<std::size_t>(d.height);
    const std::size_t stride = strideOf(d.width, d.bpp);
    if (!r.has(d.pixelsAt, stride * h)) {
        status = DecodeStatus::Damaged;
        return false;
    }
    const bool fields = d.compression == kBitFields || d.compression == kAlphaBitFields;
    const Channel red(fields ? d.masks[0] : d.bpp == 16 ? 0x7C00 : 0xFF0000);
    const Channel green(fields ? d.masks[1] : d.bpp == 16 ? 0x03E0 : 0x00FF00);
    const Channel blue(fields ? d.masks[2] : d.bpp == 16 ? 0x001F : 0x0000FF);
    const Channel alphaField(fields ? d.masks[3] : xAsAlpha ? 0xFF000000u : 0);
    std::uint8_t* alphaPlane = planes.alpha.get();
    for (std::size_t row = 0; row < h; ++row) {
        if (cancelled(limits)) {
            status = DecodeStatus::Cancelled;
            return false;
        }
        const std::size_t y = d.topDown ? row : h - 1 - row;
        const std::uint8_t* src = r.at(d.pixelsAt + row * stride);
        std::uint8_t* out = planes.rgb.get() + y * w * 3;
        std::uint8_t* alpha = alphaPlane ? alphaPlane + y * w : nullptr;
        for (std::size_t x = 0; x < w; ++x, out += 3) {
            if (d.bpp <= 8) {
                const std::size_t bit = x * d.bpp;
                const unsigned index = (src[bit / 8] >> (8 - d.bpp - bit % 8)) & ((1u << d.bpp) - 1);
                std::memcpy(out, d.palette[index], 3);
                if (alpha) alpha[x] = 255;
                continue;
            }
            std::uint32_t v = 0;
            if (d.bpp == 16) v = src[2 * x] | (src[2 * x + 1] << 8);
            if (d.bpp == 24) v = src[3 * x] | (src[3 * x + 1] << 8) | (src[3 * x + 2] << 16);
            if (d.bpp == 32)
                v = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                    (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
            out[0] = red(v);
            out[1] = green(v);
            out[2] = blue(v);
            if (alpha) alpha[x] = alphaField.mask ? alphaField(v) : 255;
        }
    }
    return true;
}

// RLE8 and RLE4: runs, literal runs, end of line, delta and end of picture.
// What the stream skips stays black; a stream cut short shows what came.
bool decodeRle(const Reader& r, const Dib& d, const DecodeLimits& limits, Planes& planes, DecodeStatus& status) {
    const std::size_t w = static_cast<std::size_t>(d.width), h = static_cast<std::size_t>(d.height);
    std::memset(planes.rgb.get(), 0, w * h * 3);
    if (planes.alpha) std::memset(planes.alpha.get(), 255, w * h);
    const bool four = d.compression == kRle4;
    std::size_t x = 0, y = 0;  // y counts from the bottom row
    auto put = [&](unsigned index) {
        if (x < w) std::memcpy(planes.rgb.get() + ((h - 1 - y) * w + x) * 3, d.palette[index & 0xFF], 3);
        ++x;
    };
    std::size_t p = d.pixelsAt;
    std::size_t steps = 0;
    while (y < h && r.has(p, 2)) {
        if ((++steps & 0xFFFF) == 0 && cancelled(limits)) {
            status = DecodeStatus::Cancelled;
            return false;
        }
        const unsigned n = r.u8(p), c = r.u8(p + 1);
        p += 2;
        if (n > 0) {  // a run of n pixels
            for (unsigned i = 0; i < n && x < w; ++i) put(four ? (i % 2 ? c & 15 : c >> 4) : c);
            continue;
        }
        if (c == 0) {  // end of line
            x = 0;
            ++y;
        } else if (c == 1) {  // end of picture
            break;
        } else if (c == 2) {  // move right and up
            if (!r.has(p, 2)) break;
            x += r.u8(p);
            y += r.u8(p + 1);
            p += 2;
        } else {  // c literal pixels, padded to a whole number of 16-bit words
            const std::size_t bytes = four ? (c + 1) / 2 : c;
            if (!r.has(p, bytes)) break;
            for (unsigned i = 0; i < c && x < w; ++i) {
                const unsigned b = r.u8(p + (four ? i / 2 : i));
                put(four ? (i % 2 ? b & 15 : b >> 4) : b);
            }
            p += (bytes + 1) & ~static_cast<std::size_t>(1);
        }
    }
    return true;
}

bool decodeDibPixels(const Reader& r, const Dib& d, const DecodeLimits& limits, Planes& planes, bool xAsAlpha,
                     DecodeStatus& status) {
    if (d.compression == kRle8 || d.compression == kRle4) return decodeRle(r, d, limits, planes, status);
    return decodeRows(r, d, limits, planes, xAsAlpha, status);
}

bool anyAlphaBelow255(const std::uint8_t* alpha, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (alpha[i] != 255) return true;
    return false;
}

bool allZero(const std::uint8_t* alpha, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (alpha[i]) return false;
    return true;
}

void planDib(const Dib& d, bool alpha, DecodePlan& plan) {
    plan.width = d.width;
    plan.height = d.height;
    plan.alpha = alpha;
    plan.workBytes = 0;
}

// The icon's mask: one bit a pixel, set where the picture is transparent.
void applyMask(const Reader& r, const Dib& d, std::uint8_t* alpha) {
    const std::size_t w = static_cast<std::size_t>(d.width), h = static_cast<std::size_t>(d.height);
    const std::size_t stride = strideOf(d.width, 1);
    const std::size_t maskAt = d.pixelsAt + strideOf(d.width, d.bpp) * h;
    if (!r.has(maskAt, stride * h)) {
        std::memset(alpha, 255, w * h);  // no mask: opaque
        return;
    }
    for (std::size_t row = 0; row < h; ++row) {
        const std::uint8_t* m = r.at(maskAt + row * stride);
        std::uint8_t* a = alpha + (d.topDown ? row : h - 1 - row) * w;
        for (std::size_t x = 0; x < w; ++x) a[x] = (m[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
    }
}

}  // namespace

// The bitmap's plan judged against the limits and its planes allocated; false with
// the result's status saying why not.
static bool planAndAllocate(const Dib& d, bool alpha, const DecodeLimits& limits, DecodeResult& result,
                            Planes& planes) {
    planDib(d, alpha, result.plan);
    result.status = judgePlan(result.plan, limits);
    if (result.status != DecodeStatus::Ok) return false;
    if (!allocate(planes, result.plan)) {
        result.status = DecodeStatus::OutOfMemory;
        return false;
    }
    return true;
}

void decodeBmp(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result) {
    result.status = DecodeStatus::Damaged;
    const Reader r(data, size);
    Dib d;
    if (!r.has(0, 14) || !readDib(r, 14, 1, d)) return;
    // The file header says where the pixels start. One inside the header, or inside
    // the colour table a picture of 8 bits or fewer needs, would show them as rows
    // of noise: such a file is damaged. One past the end is not trusted.
    const std::size_t offset = r.le32(10);
    if (offset < (d.bpp <= 8 ? d.pixelsAt : d.tableAt)) return;
    if (offset < size) d.pixelsAt = offset;
    const bool alpha = (d.compression == kBitFields || d.compression == kAlphaBitFields) && d.masks[3];
    Planes planes;
    if (!planAndAllocate(d, alpha, limits, result, planes)) return;
    if (!decodeDibPixels(r, d, limits, planes, false, result.status)) return;
    const std::size_t n = static_cast<std::size_t>(result.plan.pixels());
    // Writers that fill the alpha field with zeros mean an opaque picture.
    const bool keepAlpha = alpha && !allZero(planes.alpha.get(), n) && anyAlphaBelow255(planes.alpha.get(), n);
    result.picture = toPicture(std::move(planes), result.plan, keepAlpha);
    result.status = DecodeStatus::Ok;
}

void decodeIco(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result) {
    result.status = DecodeStatus::Damaged;
    const Reader r(data, size);
    const std::uint32_t count = r.le16(4);
    // The largest entry, and of those the deepest, as the directory describes them.
    std::size_t best = 0;
    long long bestArea = -1;
    std::uint32_t bestDepth = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t e = 6 + 16 * static_cast<std::size_t>(i);
        if (!r.has(e, 16)) break;
        const long long area = (r.u8(e) ? r.u8(e) : 256) * static_cast<long long>(r.u8(e + 1) ? r.u8(e + 1) : 256);
        const std::uint32_t depth = r.le16(e + 6);
        if (area > bestArea || (area == bestArea && depth > bestDepth)) {
            best = e;
            bestArea = area;
            bestDepth = depth;
        }
    }
    if (bestArea < 0) return;
    const std::size_t offset = r.le32(best + 12), length = r.le32(best + 8);
    if (offset >= size) return;
    const std::size_t available = size - offset;
    const std::size_t entrySize = length && length <= available ? length : available;
    const std::uint8_t* entry = data + offset;
    if (pictureFormatOf(entry, entrySize) == PictureFormat::Png) {
        decodePng(entry, entrySize, limits, result);
        return;
    }
    const Reader e(entry, entrySize);
    Dib d;
    if (!readDib(e, 0, 2, d)) return;
    Planes planes;
    if (!planAndAllocate(d, true, limits, result, planes)) return;
    if (!decodeDibPixels(e, d, limits, planes, d.bpp == 32, result.status)) return;
    const std::size_t n = static_cast<std::size_t>(result.plan.pixels());
    // A 32-bit icon carries its own alpha; older ones have only the mask.
    if (d.bpp != 32 || allZero(planes.alpha.get(), n)) applyMask(e, d, planes.alpha.get());
    const bool keepAlpha = anyAlphaBelow255(planes.alpha.get(), n);
    result.picture = toPicture(std::move(planes), result.plan, keepAlpha);
    result.status = DecodeStatus::Ok;
}

}  // namespace decode
