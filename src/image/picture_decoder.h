// Decodes picture file bytes (JPEG, PNG, BMP, ICO, GIF first frame) for the canvas.
#pragma once

#include <string>

#include "core/canvas_store.h"
#include "core/text.h"

struct DecodedPicture {
    Picture picture;    // empty when the bytes do not decode
    std::string error;  // why, in the program's own words; empty on success
};

DecodedPicture decodePicture(const Bytes& bytes);
