#include "core/picture_probe.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/text.h"

namespace {

// Bounds-checked little and big endian reads over the file's bytes.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool has(std::size_t at, std::size_t n) const { return at <= size_ && n <= size_ - at; }
    std::uint32_t u8(std::size_t at) const { return data_[at]; }
    std::uint32_t le16(std::size_t at) const { return data_[at] | (data_[at + 1] << 8); }
    std::uint32_t le32(std::size_t at) const {
        return le16(at) | (static_cast<std::uint32_t>(le16(at + 2)) << 16);
    }
    std::uint32_t be16(std::size_t at) const { return (data_[at] << 8) | data_[at + 1]; }
    std::uint32_t be32(std::size_t at) const {
        return (static_cast<std::uint32_t>(be16(at)) << 16) | be16(at + 2);
    }
    bool matches(std::size_t at, const char* bytes, std::size_t n) const {
        return has(at, n) && std::memcmp(data_ + at, bytes, n) == 0;
    }
    std::size_t size() const { return size_; }
    const std::uint8_t* data() const { return data_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

const char kPngSignature[] = "\x89PNG\r\n\x1a\n";

// w * h, saturating: a header may claim sides of up to 2^32 - 1.
long long pixels(long long w, long long h) {
    if (w <= 0 || h <= 0) return 0;
    if (w > std::numeric_limits<long long>::max() / h) return std::numeric_limits<long long>::max();
    return w * h;
}
long long addPixels(long long a, long long b) {
    return a > std::numeric_limits<long long>::max() - b ? std::numeric_limits<long long>::max() : a + b;
}

void setSize(PictureProbe& p, long long w, long long h) {
    p.sized = true;
    p.width = w;
    p.height = h;
    p.decodedPixels = pixels(w, h);
    p.frames = 1;
}

// PNG: the IHDR chunk follows the signature.
bool pngSize(const Reader& r, std::size_t at, long long& w, long long& h) {
    if (!r.matches(at + 12, "IHDR", 4) || !r.has(at + 16, 8)) return false;
    w = r.be32(at + 16);
    h = r.be32(at + 20);
    return true;
}

void probePng(const Reader& r, PictureProbe& p) {
    long long w = 0, h = 0;
    if (pngSize(r, 0, w, h)) setSize(p, w, h);
}

// JPEG: walk the marker segments up to the first start-of-frame.
void probeJpeg(const Reader& r, PictureProbe& p) {
    std::size_t at = 2;
    while (r.has(at, 2)) {
        if (r.u8(at) != 0xFF) return;  // lost in the segment structure
        std::uint32_t marker = r.u8(at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        at += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
        if (marker == 0xD9 || marker == 0xDA) return;  // image data before any frame header
        if (!r.has(at, 2)) return;
        const std::uint32_t length = r.be16(at);
        if (length < 2) return;
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                                  marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            if (!r.has(at, 7)) return;
            setSize(p, r.be16(at + 5), r.be16(at + 3));
            return;
        }
        at += length;
    }
}

// GIF: the decoder reads every frame, so count the pixels of all of them.
std::size_t skipSubBlocks(const Reader& r, std::size_t at, bool& ok, Bytes* collect = nullptr) {
    while (r.has(at, 1)) {
        const std::uint32_t n = r.u8(at);
        ++at;
        if (n == 0) return at;
        if (collect && r.has(at, n)) collect->insert(collect->end(), r.data() + at, r.data() + at + n);
        at += n;
    }
    ok = false;
    return at;
}

}  // namespace

bool gifCodesValid(int minCodeSize, const std::uint8_t* data, std::size_t size) {
    if (minCodeSize < 1 || minCodeSize > 8) return false;
    const std::uint32_t clear = 1u << minCodeSize, end = clear + 1;
    int width = minCodeSize + 1;
    std::uint32_t next = clear + 2;
    bool havePrevious = false;
    std::uint64_t bits = 0;
    int held = 0;
    std::size_t at = 0;
    for (;;) {
        while (held < width && at < size) {
            bits |= static_cast<std::uint64_t>(data[at++]) << held;
            held += 8;
        }
        if (held < width) return true;  // the data ends early: what came is valid
        const std::uint32_t code = static_cast<std::uint32_t>(bits & ((1u << width) - 1));
        bits >>= width;
        held -= width;
        if (code == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
            havePrevious = false;
            continue;
        }
        if (code == end) return true;
        if (!havePrevious) {
            if (code > clear) return false;  // nothing is in the table yet
            havePrevious = true;
            continue;
        }
        if (code > next) return false;  // a code not yet defined
        if (next < 4096) {
            ++next;
            if (next == (1u << width) && width < 12) ++width;
        }
    }
}

namespace {

void probeGif(const Reader& r, PictureProbe& p) {
    if (!r.has(6, 7)) return;
    std::size_t at = 13;
    const std::uint32_t packed = r.u8(10);
    if (packed & 0x80) at += 3u * (1u << ((packed & 7) + 1));
    while (r.has(at, 1)) {
        const std::uint32_t block = r.u8(at);
        bool ok = true;
        if (block == 0x2C) {  // image descriptor
            if (!r.has(at, 10)) {
                p.codesValid = false;
                break;
            }
            const long long w = r.le16(at + 5), h = r.le16(at + 7);
            const std::uint32_t local = r.u8(at + 9);
            if (p.frames == 0) {
                p.sized = true;
                p.width = w;
                p.height = h;
            }
            ++p.frames;
            p.decodedPixels = addPixels(p.decodedPixels, pixels(w, h));
            at += 10;
            if (local & 0x80) at += 3u * (1u << ((local & 7) + 1));
            if (!r.has(at, 1)) {
                p.codesValid = false;
                break;
            }
            const int codeSize = static_cast<int>(r.u8(at));
            Bytes codes;
            at = skipSubBlocks(r, at + 1, ok, &codes);
            if (!gifCodesValid(codeSize, codes.data(), codes.size())) p.codesValid = false;
        } else if (block == 0x21) {  // extension
            at = skipSubBlocks(r, at + 2, ok);
        } else if (block == 0x3B) {
            break;  // trailer
        } else {
            ++at;  // the toolkit's decoder steps over stray bytes, and so do we
            continue;
        }
        if (!ok) {
            p.codesValid = false;  // a block cut short: the decoder would read past the end
            break;
        }
    }
}

// BMP: BITMAPCOREHEADER has 16-bit sizes, every later header 32-bit signed ones.
void probeBmp(const Reader& r, PictureProbe& p) {
    if (!r.has(14, 4)) return;
    const std::uint32_t header = r.le32(14);
    if (header == 12) {
        if (r.has(18, 4)) setSize(p, r.le16(18), r.le16(20));
        return;
    }
    if (!r.has(18, 8)) return;
    const long long w = static_cast<std::int32_t>(r.le32(18));
    const long long h = static_cast<std::int32_t>(r.le32(22));
    setSize(p, w, h < 0 ? -h : h);  // a negative height means rows stored top-down
}

// ICO: a directory of entries, each a PNG or a DIB (whose height counts the mask too).
void probeIco(const Reader& r, PictureProbe& p) {
    const std::uint32_t count = r.le16(4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        if (!r.has(entry, 16)) break;
        long long w = r.u8(entry) ? r.u8(entry) : 256;
        long long h = r.u8(entry + 1) ? r.u8(entry + 1) : 256;
        const std::size_t offset = r.le32(entry + 12);
        long long ew = 0, eh = 0;
        if (r.matches(offset, kPngSignature, 8)) {
            if (pngSize(r, offset, ew, eh)) w = std::max(w, ew), h = std::max(h, eh);
        } else if (r.has(offset, 12)) {
            ew = static_cast<std::int32_t>(r.le32(offset + 4));
            eh = static_cast<std::int32_t>(r.le32(offset + 8)) / 2;
            if (ew < 0 || eh < 0) ew = eh = 0;
            w = std::max(w, ew), h = std::max(h, eh);
        }
        ++p.frames;
        if (pixels(w, h) >= pixels(p.width, p.height)) {
            p.width = w;
            p.height = h;
        }
        p.decodedPixels = std::max(p.decodedPixels, pixels(w, h));
        p.sized = true;
    }
}

}  // namespace

PictureProbe probePicture(const std::uint8_t* data, std::size_t size) {
    PictureProbe p;
    const Reader r(data, size);
    if (r.matches(0, kPngSignature, 8)) {
        p.format = PictureFormat::Png;
        probePng(r, p);
    } else if (r.matches(0, "\xFF\xD8\xFF", 3)) {
        p.format = PictureFormat::Jpeg;
        probeJpeg(r, p);
    } else if (r.matches(0, "GIF87a", 6) || r.matches(0, "GIF89a", 6)) {
        p.format = PictureFormat::Gif;
        probeGif(r, p);
    } else if (r.matches(0, "BM", 2)) {
        p.format = PictureFormat::Bmp;
        probeBmp(r, p);
    } else if (r.matches(0, "\0\0\1\0", 4) && r.has(4, 2) && r.le16(4) > 0) {
        p.format = PictureFormat::Ico;
        probeIco(r, p);
    }
    return p;
}

PictureVerdict judgePicture(const PictureProbe& probe, std::size_t size) {
    if (size == 0) return PictureVerdict::Empty;
    if (probe.format == PictureFormat::Unknown) return PictureVerdict::UnknownFormat;
    if (!probe.sized || probe.width <= 0 || probe.height <= 0 || !probe.codesValid)
        return PictureVerdict::Damaged;
    if (probe.width > kMaxPictureSide || probe.height > kMaxPictureSide ||
        probe.decodedPixels > kMaxPicturePixels)
        return PictureVerdict::TooLarge;
    return PictureVerdict::Ok;
}

std::string pictureMessage(PictureVerdict verdict, const PictureProbe& probe) {
    switch (verdict) {
    case PictureVerdict::Ok: return {};
    case PictureVerdict::Empty: return "图片读取失败，图片数据为空";
    case PictureVerdict::UnknownFormat: return "图片读取失败，无法识别的图片格式";
    case PictureVerdict::Damaged: return kUndecodableMessage;
    case PictureVerdict::TooLarge:
        if (probe.frames > 1 && probe.format == PictureFormat::Gif)
            return "图片过大（共 " + text::number(probe.frames) + " 帧，" +
                   text::number(probe.decodedPixels) + " 像素），无法载入";
        return "图片过大（" + text::number(probe.width) + "×" + text::number(probe.height) +
               " 像素），无法载入";
    }
    return {};
}
