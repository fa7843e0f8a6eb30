// GIF through giflib: the first frame only, composed onto its logical screen, so
// the picture has the screen's size. Frames after the first are never read.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "decode/decoders.h"

namespace decode {

namespace {

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

int readGif(GifFileType* gif, GifByteType* out, int n) {
    auto* s = static_cast<Source*>(gif->UserData);
    const std::size_t k = std::min(static_cast<std::size_t>(std::max(n, 0)), s->size - s->at);
    std::memcpy(out, s->data + s->at, k);
    s->at += k;
    return static_cast<int>(k);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

// Reads up to the first image descriptor; the transparent index of the graphic
// control block before it, or -1. False when the file ends or breaks first.
bool findFirstFrame(GifFileType* gif, int& transparent) {
    transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
        if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) != GIF_ERROR;
        if (type != EXTENSION_RECORD_TYPE) return false;  // the trailer before any frame
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
            transparent = (block[1] & 1) ? block[4] : -1;
        while (block)
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
}

}  // namespace

void decodeGif(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result) {
    result.status = DecodeStatus::Damaged;
    Source source{data, size};
    int error = 0;
    GifFile gif(DGifOpen(&source, readGif, &error));
    if (!gif) return;
    int transparent = -1;
    if (!findFirstFrame(gif.get(), transparent)) return;
    const GifImageDesc& frame = gif->Image;
    const long long left = frame.Left, top = frame.Top, fw = frame.Width, fh = frame.Height;
    if (fw <= 0 || fh <= 0 || left < 0 || top < 0) return;

    // A screen of no size is taken to be the frame's extent.
    long long sw = gif->SWidth, sh = gif->SHeight;
    if (sw <= 0 || sh <= 0) sw = left + fw, sh = top + fh;
    DecodePlan& plan = result.plan;
    // The frame is decoded whole even where it lies off the screen: it counts too.
    plan.width = fw;
    plan.height = fh;
    if (judgePlan(plan, limits) == DecodeStatus::TooManyPixels) {
        result.status = DecodeStatus::TooManyPixels;
        return;
    }
    const bool covers = left == 0 && top == 0 && fw >= sw && fh >= sh;
    plan.width = sw;
    plan.height = sh;
    plan.alpha = transparent >= 0 || !covers;
    plan.workBytes = fw + 16384;  // the index row and giflib's code tables
    result.status = judgePlan(plan, limits);
    if (result.status != DecodeStatus::Ok) return;

    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    std::uint8_t palette[256][3] = {};
    for (int i = 0; map && i < std::min(map->ColorCount, 256); ++i) {
        palette[i][0] = map->Colors[i].Red;
        palette[i][1] = map->Colors[i].Green;
        palette[i][2] = map->Colors[i].Blue;
    }
    Planes planes;
    std::vector<GifPixelType> row;
    if (!allocate(planes, plan)) {
        result.status = DecodeStatus::OutOfMemory;
        return;
    }
    row.resize(static_cast<std::size_t>(fw));
    const std::size_t w = static_cast<std::size_t>(sw);
    if (plan.alpha) {  // what the frame does not paint stays transparent
        std::memset(planes.rgb.get(), 0, w * static_cast<std::size_t>(sh) * 3);
        std::memset(planes.alpha.get(), 0, w * static_cast<std::size_t>(sh));
    }
    // Interlaced rows come in four passes: every 8th from 0, every 8th from 4,
    // every 4th from 2, every 2nd from 1.
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    const int passes = frame.Interlace ? 4 : 1;
    const long long visible = std::min(fw, sw - left);
    for (int pass = 0; pass < passes; ++pass) {
        for (long long y = frame.Interlace ? kStart[pass] : 0; y < fh; y += frame.Interlace ? kStep[pass] : 1) {
            if (cancelled(limits)) {
                result.status = DecodeStatus::Cancelled;
                return;
            }
            const long long sy = top + y;
            // Rows below the screen: in order, nothing more will show.
            if (sy >= sh && !frame.Interlace) break;
            if (DGifGetLine(gif.get(), row.data(), static_cast<int>(fw)) == GIF_ERROR) {
                result.status = DecodeStatus::Damaged;
                return;
            }
            if (sy >= sh) continue;
            std::uint8_t* rgb = planes.rgb.get() + (static_cast<std::size_t>(sy) * w + left) * 3;
            std::uint8_t* alpha = plan.alpha ? planes.alpha.get() + static_cast<std::size_t>(sy) * w + left : nullptr;
            for (long long x = 0; x < visible; ++x) {
                const int index = row[x];
                if (index == transparent) continue;
                std::memcpy(rgb + 3 * x, palette[index], 3);
                if (alpha) alpha[x] = 255;
            }
        }
    }
    result.picture = toPicture(std::move(planes), plan, plan.alpha);
    result.status = DecodeStatus::Ok;
}

}  // namespace decode
