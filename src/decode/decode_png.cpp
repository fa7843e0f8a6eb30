// PNG through libpng: the header is read first, the library's own limits are set,
// and rows are decoded straight into the output planes.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "decode/decoders.h"

namespace decode {

namespace {

// No side of a PNG we show is longer than this (libpng's own default).
constexpr png_uint_32 kMaxSide = 1'000'000;
// One ancillary chunk may not make libpng allocate more than this.
constexpr png_alloc_size_t kMaxChunkBytes = 8'000'000;

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

void readData(png_structp png, png_bytep out, png_size_t n) {
    auto* s = static_cast<Source*>(png_get_io_ptr(png));
    if (n > s->size - s->at) png_error(png, "read past the end");
    std::memcpy(out, s->data + s->at, n);
    s->at += n;
}

[[noreturn]] void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

// Everything the decode touches lives here, outside the function that calls
// setjmp, so that nothing is left indeterminate when libpng jumps back.
struct Context {
    Source source{nullptr, 0};
    const DecodeLimits* limits = nullptr;
    DecodeResult* result = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    Planes planes;
    std::unique_ptr<std::uint8_t[]> work;  // RGBA rows: one, or the whole image when interlaced
    int orientation = 1;                    // EXIF, as browsers show the picture
    ~Context() { png_destroy_read_struct(&png, &info, nullptr); }
};

void splitRgba(const std::uint8_t* rgba, std::uint8_t* rgb, std::uint8_t* alpha, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i, rgba += 4) {
        rgb[3 * i] = rgba[0];
        rgb[3 * i + 1] = rgba[1];
        rgb[3 * i + 2] = rgba[2];
        alpha[i] = rgba[3];
    }
}

// Reads the header and plans; returns false when the decode stops there.
bool readHeader(Context& c) {
    png_structp png = c.png;
    png_infop info = c.info;
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, 128);
    // Chunks we never use are skipped unread: text, profiles and the unknown.
    static const png_byte kSkipped[] = "iCCP\0iTXt\0tEXt\0zTXt\0sPLT";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkipped, 5);
    png_set_read_fn(png, &c.source, readData);
    png_read_info(png, info);

    png_uint_32 w = 0, h = 0;
    int depth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colourType, &interlace, nullptr, nullptr);
    DecodePlan& plan = c.result->plan;
    plan.width = w;
    plan.height = h;
    plan.alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    // libpng's two row buffers (at most 8 bytes a pixel) and our RGBA row; an
    // interlaced picture with alpha is gathered whole before it is split.
    plan.workBytes = 20LL * w + 256;
    if (interlace != PNG_INTERLACE_NONE && plan.alpha) plan.workBytes += 4LL * w * h;
    // An eXIf chunk before the pixels says how browsers show the picture.
    png_uint_32 exifBytes = 0;
    png_bytep exif = nullptr;
    if (png_get_eXIf_1(png, info, &exifBytes, &exif) && exif) c.orientation = exifOrientation(exif, exifBytes);
    if (c.orientation != 1) plan.workBytes += plan.outputBytes();
    c.result->status = judgePlan(plan, *c.limits);
    return c.result->status == DecodeStatus::Ok;
}

void decodeRows(Context& c) {
    png_structp png = c.png;
    DecodePlan& plan = c.result->plan;
    png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, c.info);
    const std::size_t w = static_cast<std::size_t>(plan.width), h = static_cast<std::size_t>(plan.height);
    const std::size_t channels = plan.alpha ? 4 : 3;
    if (png_get_rowbytes(png, c.info) != w * channels) {
        c.result->status = DecodeStatus::Damaged;
        return;
    }
    if (!allocate(c.planes, plan)) {
        c.result->status = DecodeStatus::OutOfMemory;
        return;
    }
    std::uint8_t* rgb = c.planes.rgb.get();
    std::uint8_t* alpha = c.planes.alpha.get();
    const bool whole = passes > 1 && plan.alpha;
    c.work.reset(new (std::nothrow) std::uint8_t[plan.alpha ? (whole ? w * h * 4 : w * 4) : 1]);
    if (!c.work) {
        c.result->status = DecodeStatus::OutOfMemory;
        return;
    }
    for (int pass = 0; pass < passes; ++pass) {
        for (std::size_t y = 0; y < h; ++y) {
            if (cancelled(*c.limits)) {
                c.result->status = DecodeStatus::Cancelled;
                return;
            }
            std::uint8_t* row = !plan.alpha ? rgb + y * w * 3 : whole ? c.work.get() + y * w * 4 : c.work.get();
            png_read_row(png, row, nullptr);
            if (plan.alpha && !whole) splitRgba(row, rgb + y * w * 3, alpha + y * w, w);
        }
    }
    if (whole) splitRgba(c.work.get(), rgb, alpha, w * h);
    c.work.reset();
    if (!applyOrientation(c.planes, plan, c.orientation, *c.limits)) {
        c.result->status = cancelled(*c.limits) ? DecodeStatus::Cancelled : DecodeStatus::OutOfMemory;
        return;
    }
    c.result->picture = toPicture(std::move(c.planes), plan, plan.alpha);
    c.result->status = DecodeStatus::Ok;
}

void run(Context& c) {
    if (setjmp(png_jmpbuf(c.png))) {
        c.result->status = DecodeStatus::Damaged;  // libpng refused the header or the data
        c.result->picture = Picture{};
        return;
    }
    c.result->status = DecodeStatus::Damaged;
    if (!readHeader(c)) return;
    decodeRows(c);
}

}  // namespace

void decodePng(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result) {
    Context c;
    c.source = Source{data, size};
    c.limits = &limits;
    c.result = &result;
    c.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (c.png) c.info = png_create_info_struct(c.png);
    if (!c.png || !c.info) {
        result.status = DecodeStatus::OutOfMemory;
        return;
    }
    run(c);
}

}  // namespace decode
