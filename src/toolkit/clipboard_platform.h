// The platform side of the clipboard; one file per platform implements it.
#pragma once

#include <string>

namespace toolkit {
// Puts plain text on the clipboard exactly as given; true when the clipboard took it.
bool platformSetClipboardText(const std::string& utf8Text);
// The clipboard's plain text as another program would paste it; empty when there is none.
std::string platformClipboardText();
}  // namespace toolkit
