// The Windows clipboard through its own API: wx's text object turns CR LF into a
// plain LF when the text is read back, and the code must keep its CR LF line ends.
#include <windows.h>

#include <cstring>

#include "toolkit/clipboard_platform.h"
#include "toolkit/widgets.h"

namespace toolkit {

namespace {
// Holds the clipboard open for one scope.
class OpenClipboardScope {
public:
    OpenClipboardScope() : open_(OpenClipboard(nullptr) != 0) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_;
};
}  // namespace

bool platformSetClipboardText(const std::string& utf8Text) {
    const wxString text = fromUtf8(utf8Text);
    const std::wstring wide = text.ToStdWstring();
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory);
    OpenClipboardScope clipboard;
    if (!clipboard.isOpen() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    // The clipboard owns the memory from here on.
    return true;
}

std::string platformClipboardText() {
    OpenClipboardScope clipboard;
    if (!clipboard.isOpen()) return {};
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (!text) return {};
    const std::string out = toUtf8(wxString(text));
    GlobalUnlock(data);
    return out;
}

}  // namespace toolkit
