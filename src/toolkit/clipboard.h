// Plain text onto the system clipboard.
#pragma once

#include <string>

namespace toolkit {

// Puts the text on the clipboard as plain text. True only when the clipboard
// could be opened and really took the text. The text is flushed to the desktop's
// clipboard keeper, so it outlives the program.
bool copyToClipboard(const std::string& utf8Text);

// The clipboard's plain text as another program would paste it, line ends included.
std::string clipboardText();

// While set, every copy fails as if the clipboard were held by another program.
void setClipboardUnavailable(bool unavailable);

}  // namespace toolkit
