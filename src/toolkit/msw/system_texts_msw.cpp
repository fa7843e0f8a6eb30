// Windows: the system's dialogs speak the system's language already.
#include "toolkit/system_texts.h"

namespace toolkit {

void useChineseSystemTexts() {}

}  // namespace toolkit
