#include <wx/stdpaths.h>

#include "toolkit/folders.h"

namespace toolkit {
// The desktop as the XDG user folders name it (桌面 in a Chinese session).
wxString firstUseFolder() { return wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Desktop); }
}  // namespace toolkit
