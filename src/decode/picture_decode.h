// Decodes picture file bytes (JPEG, PNG, GIF first frame, BMP, ICO) into the
// canvas's pixel planes. Each format's own library reads the header and is the
// authority on the picture's size; nothing large is allocated before the size
// and the memory the decode needs have been checked against the limits.
// No wx here: it runs on a worker thread and under the fuzzer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/canvas_store.h"

enum class PictureFormat { Unknown, Png, Jpeg, Gif, Bmp, Ico };

// The format by the file's first bytes.
PictureFormat pictureFormatOf(const std::uint8_t* data, std::size_t size);

// More than this many pixels is refused: 200 megapixels are 600 MB as RGB.
inline constexpr long long kMaxPicturePixels = 200'000'000;
// What one decode may allocate: output planes plus the library's working memory.
inline constexpr long long kDefaultDecodeBudget = 1LL << 30;

struct DecodeLimits {
    long long budgetBytes = kDefaultDecodeBudget;
    long long maxPixels = kMaxPicturePixels;
    // Set by another thread to stop the decode; checked between rows.
    const std::atomic<bool>* cancel = nullptr;
    // When set, counts each look at `cancel`: how far the decode has gone, for a watcher.
    std::atomic<long long>* cancelChecks = nullptr;
};

// What decoding will take, known once the header has been read.
struct DecodePlan {
    long long width = 0;
    long long height = 0;
    bool alpha = false;       // an alpha plane is part of the output
    long long workBytes = 0;  // the library's working memory besides the output

    long long pixels() const { return width * height; }
    long long outputBytes() const { return pixels() * (alpha ? 4 : 3); }
    long long neededBytes() const { return outputBytes() + workBytes; }
};

enum class DecodeStatus {
    Ok,
    Empty,          // no bytes at all
    UnknownFormat,  // none of JPEG, PNG, GIF, BMP, ICO
    Damaged,        // the library refused the header or the data
    TooManyPixels,  // over maxPixels
    OverBudget,     // the decode would need more memory than budgetBytes
    OutOfMemory,    // the budget allowed it, the system did not
    Cancelled,
};

struct DecodeResult {
    DecodeStatus status = DecodeStatus::Damaged;
    PictureFormat format = PictureFormat::Unknown;
    DecodePlan plan;  // as far as the header was read
    Picture picture;  // when status is Ok
};

DecodeResult decodePictureBytes(const std::uint8_t* data, std::size_t size,
                                const DecodeLimits& limits = {});

// Checks a plan against the limits: Ok, Damaged (no size), TooManyPixels or OverBudget.
DecodeStatus judgePlan(const DecodePlan& plan, const DecodeLimits& limits);

// What the user is told about a refused picture; empty for Ok and Cancelled.
std::string decodeMessage(const DecodeResult& result, const DecodeLimits& limits = {});

inline constexpr const char* kUndecodableMessage = "图片读取失败，图片文件已损坏或不完整";
