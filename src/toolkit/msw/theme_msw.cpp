// On Windows wx applies the visual styles of the common controls itself.
#include "toolkit/theme.h"

namespace toolkit {
void platformThemedStyle(int) {}
}  // namespace toolkit
