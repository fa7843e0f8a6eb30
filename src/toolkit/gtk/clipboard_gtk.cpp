#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "toolkit/clipboard_platform.h"
#include "toolkit/widgets.h"

namespace toolkit {

bool platformSetClipboardText(const std::string& utf8Text) {
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

std::string platformClipboardText() {
    std::string out;
    wxClipboard* clipboard = wxTheClipboard;
    if (clipboard && clipboard->Open()) {
        wxTextDataObject data;
        if (clipboard->GetData(data)) out = toUtf8(data.GetText());
        clipboard->Close();
    }
    return out;
}

}  // namespace toolkit
