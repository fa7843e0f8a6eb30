// The icon is the executable's own resource "aaaa", in all its sizes.
#include <wx/iconbndl.h>
#include <wx/toplevel.h>

#include "toolkit/program_icon.h"

namespace toolkit {
void setProgramIcon(wxTopLevelWindow& window) { window.SetIcons(wxIconBundle("aaaa", nullptr)); }
}  // namespace toolkit
