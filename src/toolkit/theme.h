// The platform's themed control style; one file per platform implements it.
#pragma once

namespace toolkit {
// Style 1 to 3 switches theming on for every window, existing and later; others switch it off.
void platformThemedStyle(int style);
}  // namespace toolkit
