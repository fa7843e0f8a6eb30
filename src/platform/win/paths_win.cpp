#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/paths.h"
#include "platform/win/wide.h"

namespace platform {

std::string executableDir() {
    // GetModuleFileNameW truncates silently: grow until the whole path fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
        if (n == 0) return ".";
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const size_t cut = buffer.find_last_of(L"\\/");
    return win::toUtf8(cut == std::wstring::npos ? std::wstring(L".") : buffer.substr(0, cut));
}

std::string userCacheDir() {
    PWSTR folder = nullptr;
    std::string base;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder)))
        base = win::toUtf8(folder);
    CoTaskMemFree(folder);
    if (base.empty()) base = executableDir();
    return base + "\\huizhan-hotspots";
}

char pathSeparator() { return '\\'; }

bool setHiddenAttributeOnly(const std::string& path) {
    const std::wstring wide = win::fromUtf8(path);
    if (GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    return SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN) != 0;
}

}  // namespace platform
