// On Windows wx applies the visual styles of the common controls itself.
#include <wx/font.h>
#include <wx/settings.h>

#include "toolkit/theme.h"

namespace toolkit {

void platformThemedStyle(int) {}

// The system's message font (微软雅黑 or 宋体 on Chinese Windows): a fixed face may
// lack the glyphs or clip their tops at the forms' designed heights.
wxString platformUiFaceName() { return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFaceName(); }

}  // namespace toolkit
