// Windows: file names are Unicode already.
#include "toolkit/path_text.h"
#include "toolkit/widgets.h"

namespace toolkit {

std::string pathText(const wxString& path) { return toUtf8(path); }

std::string fileSystemPath(const wxString& path) { return toUtf8(path); }

}  // namespace toolkit
