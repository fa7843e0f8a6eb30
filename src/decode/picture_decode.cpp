#include "decode/picture_decode.h"

#include <cstring>
#include <new>

#include "core/text.h"
#include "decode/decoders.h"

namespace {

bool startsWith(const std::uint8_t* data, std::size_t size, const char* magic, std::size_t n) {
    return size >= n && std::memcmp(data, magic, n) == 0;
}

std::string sizeText(const DecodePlan& plan) {
    return text::number(plan.width) + "×" + text::number(plan.height) + " 像素";
}

long long mebibytesUp(long long bytes) { return (bytes + (1LL << 20) - 1) >> 20; }

}  // namespace

PictureFormat pictureFormatOf(const std::uint8_t* data, std::size_t size) {
    if (startsWith(data, size, "\x89PNG\r\n\x1a\n", 8)) return PictureFormat::Png;
    if (startsWith(data, size, "\xFF\xD8\xFF", 3)) return PictureFormat::Jpeg;
    if (startsWith(data, size, "GIF87a", 6) || startsWith(data, size, "GIF89a", 6))
        return PictureFormat::Gif;
    if (startsWith(data, size, "BM", 2)) return PictureFormat::Bmp;
    // An icon directory: reserved 0, type 1, at least one entry.
    if (startsWith(data, size, "\0\0\1\0", 4) && size >= 6 && (data[4] | data[5]) != 0)
        return PictureFormat::Ico;
    return PictureFormat::Unknown;
}

DecodeStatus judgePlan(const DecodePlan& plan, const DecodeLimits& limits) {
    if (plan.width <= 0 || plan.height <= 0) return DecodeStatus::Damaged;
    if (plan.width > limits.maxPixels / plan.height) return DecodeStatus::TooManyPixels;
    if (plan.workBytes < 0 || plan.workBytes > limits.budgetBytes ||
        plan.neededBytes() > limits.budgetBytes)
        return DecodeStatus::OverBudget;
    return DecodeStatus::Ok;
}

DecodeResult decodePictureBytes(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits) {
    DecodeResult result;
    if (size == 0) {
        result.status = DecodeStatus::Empty;
        return result;
    }
    result.format = pictureFormatOf(data, size);
    // Runs on a worker thread: nothing a decoder throws may leave it.
    try {
        switch (result.format) {
            case PictureFormat::Png:
                decode::decodePng(data, size, limits, result);
                break;
            case PictureFormat::Jpeg:
                decode::decodeJpeg(data, size, limits, result);
                break;
            case PictureFormat::Gif:
                decode::decodeGif(data, size, limits, result);
                break;
            case PictureFormat::Bmp:
                decode::decodeBmp(data, size, limits, result);
                break;
            case PictureFormat::Ico:
                decode::decodeIco(data, size, limits, result);
                break;
            case PictureFormat::Unknown:
                result.status = DecodeStatus::UnknownFormat;
                break;
        }
    } catch (const std::bad_alloc&) {
        result.status = DecodeStatus::OutOfMemory;
    } catch (...) {
        result.status = DecodeStatus::Damaged;
    }
    if (result.status != DecodeStatus::Ok) result.picture = Picture{};
    return result;
}

std::string decodeMessage(const DecodeResult& result, const DecodeLimits& limits) {
    switch (result.status) {
    case DecodeStatus::Ok:
    case DecodeStatus::Cancelled: return {};
    case DecodeStatus::Empty: return "图片读取失败，图片数据为空";
    case DecodeStatus::UnknownFormat: return "图片读取失败，无法识别的图片格式";
    case DecodeStatus::Damaged: return kUndecodableMessage;
    case DecodeStatus::TooManyPixels: return "图片过大（" + sizeText(result.plan) + "），无法载入";
    case DecodeStatus::OverBudget:
        return "图片过大（" + sizeText(result.plan) + "，解码需要 " +
               text::number(mebibytesUp(result.plan.neededBytes())) + " MB 内存，超过 " +
               text::number(mebibytesUp(limits.budgetBytes)) + " MB 的上限），无法载入";
    case DecodeStatus::OutOfMemory:
        return "内存不足，无法载入这张图片（" + sizeText(result.plan) + "）";
    }
    return kUndecodableMessage;
}

namespace decode {

bool allocate(Planes& planes, const DecodePlan& plan) {
    const auto n = static_cast<std::size_t>(plan.pixels());
    planes.rgb.reset(new (std::nothrow) std::uint8_t[n * 3]);
    if (plan.alpha) planes.alpha.reset(new (std::nothrow) std::uint8_t[n]);
    return planes.rgb && (!plan.alpha || planes.alpha);
}

Picture toPicture(Planes&& planes, const DecodePlan& plan, bool keepAlpha) {
    auto owner = std::make_shared<Planes>(std::move(planes));
    if (!keepAlpha) owner->alpha.reset();
    Picture p;
    p.width = static_cast<int>(plan.width);
    p.height = static_cast<int>(plan.height);
    p.rgb = owner->rgb.get();
    p.alpha = owner->alpha.get();
    p.owner = std::move(owner);
    return p;
}

}  // namespace decode
