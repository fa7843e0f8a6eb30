#include "image/picture_decoder.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <memory>

#include "core/picture_probe.h"

namespace {

wxBitmapType handlerFor(PictureFormat format) {
    switch (format) {
    case PictureFormat::Png: return wxBITMAP_TYPE_PNG;
    case PictureFormat::Jpeg: return wxBITMAP_TYPE_JPEG;
    case PictureFormat::Gif: return wxBITMAP_TYPE_GIF;
    case PictureFormat::Bmp: return wxBITMAP_TYPE_BMP;
    case PictureFormat::Ico: return wxBITMAP_TYPE_ICO;
    case PictureFormat::Unknown: break;
    }
    return wxBITMAP_TYPE_ANY;
}

}  // namespace

DecodedPicture decodePicture(const Bytes& bytes) {
    DecodedPicture result;
    // The header decides first: an absurd size is refused before anything is allocated.
    const PictureProbe probe = probePicture(bytes.data(), bytes.size());
    const PictureVerdict verdict = judgePicture(probe, bytes.size());
    if (verdict != PictureVerdict::Ok) {
        result.error = pictureMessage(verdict, probe);
        return result;
    }
    wxLogNull quiet;  // a logged decoder warning would become a message box at idle
    wxMemoryInputStream in(bytes.data(), bytes.size());
    auto image = std::make_shared<wxImage>();
    // Index -1: a GIF's first frame, an icon's best entry.
    if (!image->LoadFile(in, handlerFor(probe.format), -1) || !image->IsOk()) {
        result.error = kUndecodableMessage;
        return result;
    }
    // A transparent colour (GIF, icons) becomes an alpha plane the canvas understands.
    if (image->HasMask() && !image->HasAlpha()) image->InitAlpha();
    Picture& p = result.picture;
    p.width = image->GetWidth();
    p.height = image->GetHeight();
    p.rgb = image->GetData();
    p.alpha = image->HasAlpha() ? image->GetAlpha() : nullptr;
    p.owner = image;  // the pixels stay in the wxImage: no copy
    return result;
}
