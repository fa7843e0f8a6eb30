// The platform's themed control style; one file per platform implements it.
#pragma once

#include <wx/string.h>

namespace toolkit {
// Style 1 to 3 switches theming on for every window, existing and later; others switch it off.
void platformThemedStyle(int style);
// The face of the platform's own Chinese UI font, which the forms are shown in.
wxString platformUiFaceName();
}  // namespace toolkit
