// The format decoders behind decodePictureBytes, and what they share.
#pragma once

#include <cstdint>
#include <memory>

#include "decode/picture_decode.h"

namespace decode {

// The output planes, allocated without clearing: every pixel is written by the decoder.
struct Planes {
    std::unique_ptr<std::uint8_t[]> rgb;
    std::unique_ptr<std::uint8_t[]> alpha;
};

// Allocates the planes of a plan that passed judgePlan; false when memory is short.
bool allocate(Planes& planes, const DecodePlan& plan);
// Hands the planes over to a Picture; the alpha plane is dropped when `keepAlpha` is false.
Picture toPicture(Planes&& planes, const DecodePlan& plan, bool keepAlpha);

inline bool cancelled(const DecodeLimits& limits) {
    if (limits.cancelChecks) limits.cancelChecks->fetch_add(1, std::memory_order_relaxed);
    return limits.cancel && limits.cancel->load(std::memory_order_relaxed);
}

// The EXIF orientation, 1 to 8, of a JPEG APP1 payload ("Exif\0\0" and a TIFF
// block) or a PNG eXIf chunk (the TIFF block); 1 when there is none or it cannot be read.
int exifOrientation(const std::uint8_t* data, std::size_t size);
// Turns the decoded planes as the orientation says; 5 to 8 trade the plan's width
// and height. It takes a second set of planes: planned as outputBytes() of work.
// False when memory is short or the decode was cancelled.
bool applyOrientation(Planes& planes, DecodePlan& plan, int orientation, const DecodeLimits& limits);

// Each sets result.plan from the header, judges it, then decodes.
void decodePng(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result);
void decodeJpeg(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result);
void decodeGif(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result);
void decodeBmp(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result);
void decodeIco(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result);

}  // namespace decode
