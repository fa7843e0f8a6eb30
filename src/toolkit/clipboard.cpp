#include "toolkit/clipboard.h"

#include "toolkit/clipboard_platform.h"

namespace toolkit {

namespace {
bool& unavailableFlag() {
    static bool flag = false;
    return flag;
}
}  // namespace

void setClipboardUnavailable(bool unavailable) { unavailableFlag() = unavailable; }

bool copyToClipboard(const std::string& utf8Text) {
    if (unavailableFlag()) return false;
    return platformSetClipboardText(utf8Text);
}

std::string clipboardText() { return platformClipboardText(); }

}  // namespace toolkit
