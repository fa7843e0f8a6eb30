// GTK translates its own texts through gettext by LC_MESSAGES alone; the other
// categories stay as they are (the character handling decides GTK's input method).
#include <clocale>

#include "toolkit/system_texts.h"

namespace toolkit {

void useChineseSystemTexts() {
    if (!std::setlocale(LC_MESSAGES, "zh_CN.UTF-8")) std::setlocale(LC_MESSAGES, "zh_CN.utf8");
}

}  // namespace toolkit
