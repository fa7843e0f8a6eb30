// Reads a picture file's header to learn its format and how large it decodes,
// so that a hostile or damaged file is refused before any large allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/text.h"

enum class PictureFormat { Unknown, Png, Jpeg, Gif, Bmp, Ico };

struct PictureProbe {
    PictureFormat format = PictureFormat::Unknown;
    bool sized = false;  // the header was read as far as the dimensions
    // The picture the decoder shows: a GIF's first frame, an icon's largest entry.
    long long width = 0;
    long long height = 0;
    // Every pixel the decoder allocates on the way: all frames of a GIF.
    long long decodedPixels = 0;
    int frames = 0;  // GIF frames, icon entries; 1 for the others
    // False when a GIF block is cut short or a frame's compressed data uses a code
    // before defining it: the toolkit's decoder does not survive either.
    bool codesValid = true;
};

PictureProbe probePicture(const std::uint8_t* data, std::size_t size);

// Walks a GIF frame's LZW code stream (its sub-blocks joined): false when a code
// refers to a table entry not yet defined, or the code size is out of range.
bool gifCodesValid(int minCodeSize, const std::uint8_t* data, std::size_t size);

// More than this many pixels is refused: 200 megapixels are 600 MB as RGB.
inline constexpr long long kMaxPicturePixels = 200'000'000;
// No real picture is wider or taller than this.
inline constexpr long long kMaxPictureSide = 1'000'000;

enum class PictureVerdict {
    Ok,
    Empty,          // no bytes at all
    UnknownFormat,  // none of JPEG, PNG, BMP, ICO, GIF
    Damaged,        // the header stops before the dimensions, or they are zero
    TooLarge,       // over kMaxPicturePixels, or a side over kMaxPictureSide
};

PictureVerdict judgePicture(const PictureProbe& probe, std::size_t size);

// The message the user sees for a refused picture; empty for Ok.
std::string pictureMessage(PictureVerdict verdict, const PictureProbe& probe);
// The message for a picture whose header was fine but whose data did not decode.
inline constexpr const char* kUndecodableMessage = "图片读取失败，图片文件已损坏或不完整";
