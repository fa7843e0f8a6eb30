#include "toolkit/clipboard.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "toolkit/widgets.h"

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
    wxClipboard* clipboard = wxTheClipboard;
    if (!clipboard || !clipboard->Open()) return false;
    // The clipboard owns the data object from here on.
    const bool taken = clipboard->SetData(new wxTextDataObject(fromUtf8(utf8Text)));
    clipboard->Close();
    // Hand the text to the desktop's clipboard keeper, where it runs one, so the
    // copied code is still there after the program has closed.
    if (taken) clipboard->Flush();
    return taken;
}

}  // namespace toolkit
