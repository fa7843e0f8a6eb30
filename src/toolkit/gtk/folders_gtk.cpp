#include <wx/stdpaths.h>

#include <cstdlib>

#include "toolkit/folders.h"

namespace toolkit {
// The desktop as the XDG user folders name it (桌面 in a Chinese session).
wxString firstUseFolder() { return wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Desktop); }

wxString settingsFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return wxString::FromUTF8(xdg) + "/huizhan-hotspots";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return wxString::FromUTF8(home) + "/.config/huizhan-hotspots";
    return wxString();
}
}  // namespace toolkit
