// GTK: file names are bytes; wx carries the ones that are not UTF-8 in escapes,
// which fn_str() turns back into the name's own bytes.
#include "core/display_text.h"
#include "toolkit/path_text.h"

namespace toolkit {

std::string pathText(const wxString& path) {
    const wxCharBuffer raw = path.fn_str();
    return text::fileNameText(std::string(raw.data(), raw.length()));
}

std::string fileSystemPath(const wxString& path) {
    const wxCharBuffer raw = path.fn_str();
    return std::string(raw.data(), raw.length());
}

}  // namespace toolkit
