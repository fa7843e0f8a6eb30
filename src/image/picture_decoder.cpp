#include "image/picture_decoder.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <memory>

DecodedPicture decodePicture(const Bytes& bytes) {
    DecodedPicture result;
    if (bytes.empty()) {
        result.error = "图片读取失败，图片数据为空";
        return result;
    }
    wxLogNull quiet;  // a logged decoder warning would become a message box at idle
    wxMemoryInputStream in(bytes.data(), bytes.size());
    auto image = std::make_shared<wxImage>();
    if (!image->LoadFile(in, wxBITMAP_TYPE_ANY) || !image->IsOk()) {
        result.error = "图片读取失败，无法识别的图片格式";
        return result;
    }
    Picture& p = result.picture;
    p.width = image->GetWidth();
    p.height = image->GetHeight();
    p.rgb = image->GetData();
    p.alpha = image->HasAlpha() ? image->GetAlpha() : nullptr;
    p.owner = image;  // the pixels stay in the wxImage: no copy
    return result;
}
