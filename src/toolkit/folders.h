// Folders the windows start in; one file per platform implements them.
#pragma once

#include <wx/string.h>

namespace toolkit {
// The folder the open-file dialog shows before any picture was picked.
wxString firstUseFolder();
// The folder of the program's settings file: $XDG_CONFIG_HOME/huizhan-hotspots
// (~/.config/...) here, %APPDATA%\huizhan-hotspots on Windows; empty when there is none.
wxString settingsFolder();
}  // namespace toolkit
