// A picture turned as its EXIF orientation says, as browsers show it: the tag read
// by libexif, the planes turned here.
#include <libexif/exif-data.h>

#include <cstring>
#include <string>

#include "decode/decoders.h"

namespace decode {

int exifOrientation(const std::uint8_t* data, std::size_t size) {
    if (!data || size < 8 || size > 0xFFFFFF) return 1;
    std::string block;
    // A PNG eXIf chunk is the TIFF block alone; libexif reads it after the APP1 header.
    if (std::memcmp(data, "Exif\0\0", 6) != 0) block.assign("Exif\0\0", 6);
    block.append(reinterpret_cast<const char*>(data), size);
    ExifData* exif = exif_data_new();
    if (!exif) return 1;
    // As stored: no tags added or mended.
    exif_data_unset_option(exif, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(exif, reinterpret_cast<const unsigned char*>(block.data()),
                        static_cast<unsigned int>(block.size()));
    int orientation = 1;
    const ExifEntry* e = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (e && e->format == EXIF_FORMAT_SHORT && e->components >= 1 && e->data && e->size >= 2)
        orientation = exif_get_short(e->data, exif_data_get_byte_order(exif));
    exif_data_unref(exif);
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

bool applyOrientation(Planes& planes, DecodePlan& plan, int orientation, const DecodeLimits& limits) {
    if (orientation < 2 || orientation > 8) return true;
    const long long w = plan.width, h = plan.height;
    const bool across = orientation >= 5;  // width and height trade places
    DecodePlan turned = plan;
    turned.width = across ? h : w;
    turned.height = across ? w : h;
    // The source pixel of (x, y): sx = ax x + bx y + cx, sy = ay x + by y + cy.
    struct Map {
        long long ax, bx, cx, ay, by, cy;
    };
    const Map maps[9] = {
        {1, 0, 0, 0, 1, 0},       {1, 0, 0, 0, 1, 0},       // 1: as stored
        {-1, 0, w - 1, 0, 1, 0},  {-1, 0, w - 1, 0, -1, h - 1},  // 2 mirrored, 3 half a turn
        {1, 0, 0, 0, -1, h - 1},  {0, 1, 0, 1, 0, 0},       // 4 mirrored top to bottom, 5 transposed
        {0, 1, 0, -1, 0, h - 1},  {0, -1, w - 1, -1, 0, h - 1},  // 6 a quarter clockwise, 7 transversed
        {0, -1, w - 1, 1, 0, 0},                           // 8 a quarter anticlockwise
    };
    const Map& m = maps[orientation];
    Planes out;
    if (!allocate(out, turned)) return false;
    const std::uint8_t* rgb = planes.rgb.get();
    const std::uint8_t* alpha = planes.alpha.get();
    for (long long y = 0; y < turned.height; ++y) {
        if (cancelled(limits)) return false;
        std::uint8_t* to = out.rgb.get() + static_cast<std::size_t>(y * turned.width) * 3;
        std::uint8_t* toAlpha = alpha ? out.alpha.get() + static_cast<std::size_t>(y * turned.width) : nullptr;
        for (long long x = 0; x < turned.width; ++x) {
            const long long sx = m.ax * x + m.bx * y + m.cx, sy = m.ay * x + m.by * y + m.cy;
            const std::size_t from = static_cast<std::size_t>(sy * w + sx);
            std::memcpy(to + x * 3, rgb + from * 3, 3);
            if (toAlpha) toAlpha[x] = alpha[from];
        }
    }
    planes = std::move(out);
    plan = turned;
    return true;
}

}  // namespace decode
