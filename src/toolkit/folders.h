// Folders the windows start in; one file per platform implements them.
#pragma once

#include <wx/string.h>

namespace toolkit {
// The folder the open-file dialog shows before any picture was picked.
wxString firstUseFolder();
}  // namespace toolkit
