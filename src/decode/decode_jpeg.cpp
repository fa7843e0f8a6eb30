// JPEG through libjpeg: jpeg_read_header gives the size and the scan structure,
// the working memory is planned from the components' blocks, the library's own
// memory limit is set, and scanlines go straight into the RGB plane.
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstring>

#include "decode/decoders.h"

namespace decode {

namespace {

// Real progressive pictures have about ten scans; thousands of empty ones only burn time.
constexpr int kMaxScans = 500;
// A stream this corrupt is not a picture.
constexpr int kMaxWarnings = 1000;

struct Context {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf jump;
    const DecodeLimits* limits = nullptr;
    DecodeResult* result = nullptr;
    Planes planes;
    std::unique_ptr<std::uint8_t[]> cmykRow;
    int warnings = 0;
    int orientation = 1;  // EXIF, as browsers show the picture
    bool created = false;
    DecodeStatus stop = DecodeStatus::Damaged;  // what a jump back means
    ~Context() {
        if (created) jpeg_destroy_decompress(&cinfo);
    }
};

Context& contextOf(j_common_ptr c) { return *static_cast<Context*>(c->client_data); }

[[noreturn]] void jumpBack(Context& c, DecodeStatus why) {
    c.stop = why;
    std::longjmp(c.jump, 1);
}

[[noreturn]] void onError(j_common_ptr c) {
    const int code = c->err->msg_code;
    jumpBack(contextOf(c), code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE
                               ? DecodeStatus::OverBudget
                               : DecodeStatus::Damaged);
}

void onMessage(j_common_ptr c, int level) {
    if (level < 0 && ++contextOf(c).warnings > kMaxWarnings) jumpBack(contextOf(c), DecodeStatus::Damaged);
}

void onProgress(j_common_ptr c) {
    Context& ctx = contextOf(c);
    if (cancelled(*ctx.limits)) jumpBack(ctx, DecodeStatus::Cancelled);
    if (ctx.cinfo.input_scan_number > kMaxScans) jumpBack(ctx, DecodeStatus::Damaged);
}

// The whole-image coefficient buffer of a picture in several scans (progressive,
// or sequential with one component a scan): 64 coefficients of 2 bytes a block.
long long coefficientBytes(const jpeg_decompress_struct& cinfo) {
    long long bytes = 0;
    for (int i = 0; i < cinfo.num_components; ++i) {
        const jpeg_component_info& comp = cinfo.comp_info[i];
        const long long across = (comp.width_in_blocks + comp.h_samp_factor - 1) / comp.h_samp_factor *
                                 comp.h_samp_factor;
        const long long down = (comp.height_in_blocks + comp.v_samp_factor - 1) / comp.v_samp_factor *
                               comp.v_samp_factor;
        bytes += across * down * static_cast<long long>(sizeof(JBLOCK));
    }
    return bytes;
}

void planFromHeader(Context& c) {
    jpeg_decompress_struct& cinfo = c.cinfo;
    DecodePlan& plan = c.result->plan;
    plan.width = cinfo.image_width;
    plan.height = cinfo.image_height;
    plan.alpha = false;
    const bool severalScans = cinfo.progressive_mode || cinfo.comps_in_scan < cinfo.num_components;
    // Row buffers of the upsampler and the colour converter, a few MCU rows deep.
    plan.workBytes = 64LL * plan.width * std::max(cinfo.num_components, 4) + 65536;
    if (severalScans) plan.workBytes += coefficientBytes(cinfo);
    // The first APP1 marker that is EXIF says how the picture is shown.
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1 || m->data_length < 6 || std::memcmp(m->data, "Exif\0\0", 6) != 0) continue;
        c.orientation = exifOrientation(m->data, m->data_length);
        break;
    }
    if (c.orientation != 1) plan.workBytes += plan.outputBytes();
}

void rgbFromCmyk(const std::uint8_t* cmyk, std::uint8_t* rgb, std::size_t n, bool inverted) {
    for (std::size_t i = 0; i < n; ++i, cmyk += 4, rgb += 3) {
        // Adobe writes the inks inverted: 255 is no ink.
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int ch = 0; ch < 3; ++ch) {
            const int v = inverted ? cmyk[ch] : 255 - cmyk[ch];
            rgb[ch] = static_cast<std::uint8_t>(v * k / 255);
        }
    }
}

void decodeRows(Context& c) {
    jpeg_decompress_struct& cinfo = c.cinfo;
    DecodePlan& plan = c.result->plan;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    cinfo.scale_num = cinfo.scale_denom = 1;
    // The library may use what the budget leaves once the output is allocated.
    const long long spare = c.limits->budgetBytes - plan.outputBytes();
    cinfo.mem->max_memory_to_use = static_cast<long>(std::clamp<long long>(spare, 1, LONG_MAX));
    if (!allocate(c.planes, plan)) {
        c.result->status = DecodeStatus::OutOfMemory;
        return;
    }
    jpeg_start_decompress(&cinfo);  // a picture in several scans is read whole here
    const std::size_t w = plan.width;
    if (cinfo.output_width != plan.width || cinfo.output_height != plan.height ||
        cinfo.output_components != (cmyk ? 4 : 3)) {
        c.result->status = DecodeStatus::Damaged;
        return;
    }
    if (cmyk) c.cmykRow.reset(new std::uint8_t[w * 4]);
    std::uint8_t* rgb = c.planes.rgb.get();
    while (cinfo.output_scanline < cinfo.output_height) {
        if (cancelled(*c.limits)) {
            c.result->status = DecodeStatus::Cancelled;
            return;
        }
        std::uint8_t* out = rgb + static_cast<std::size_t>(cinfo.output_scanline) * w * 3;
        JSAMPROW row = cmyk ? c.cmykRow.get() : out;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
            c.result->status = DecodeStatus::Damaged;
            return;
        }
        if (cmyk) rgbFromCmyk(row, out, w, cinfo.saw_Adobe_marker);
    }
    if (!applyOrientation(c.planes, plan, c.orientation, *c.limits)) {
        c.result->status = cancelled(*c.limits) ? DecodeStatus::Cancelled : DecodeStatus::OutOfMemory;
        return;
    }
    c.result->picture = toPicture(std::move(c.planes), plan, false);
    c.result->status = DecodeStatus::Ok;
}

void run(Context& c, const std::uint8_t* data, std::size_t size) {
    if (setjmp(c.jump)) {
        c.result->status = c.stop;
        c.result->picture = Picture{};
        if (c.stop == DecodeStatus::OverBudget) {
            // The library asked for more than our plan: say what the budget could not give.
            DecodePlan& plan = c.result->plan;
            plan.workBytes = std::max(plan.workBytes, c.limits->budgetBytes - plan.outputBytes() + 1);
        }
        return;
    }
    jpeg_create_decompress(&c.cinfo);
    c.created = true;
    c.cinfo.client_data = &c;
    c.progress.progress_monitor = onProgress;
    c.cinfo.progress = &c.progress;
    jpeg_mem_src(&c.cinfo, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&c.cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&c.cinfo, TRUE);
    planFromHeader(c);
    c.result->status = judgePlan(c.result->plan, *c.limits);
    if (c.result->status != DecodeStatus::Ok) return;
    decodeRows(c);
}

}  // namespace

void decodeJpeg(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits, DecodeResult& result) {
    Context c;
    c.limits = &limits;
    c.result = &result;
    c.cinfo.err = jpeg_std_error(&c.errors);
    c.errors.error_exit = onError;
    c.errors.emit_message = onMessage;
    c.cinfo.client_data = &c;
    run(c, data, size);
}

}  // namespace decode
