// Files and directories through the Win32 API, paths converted from UTF-8.
#include <windows.h>

#include <string>

#include "platform/files.h"

namespace platform {
namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], n);
    return w;
}

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr,
                        nullptr);
    return s;
}

std::string withoutTrailingSeparator(std::string dir) {
    while (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    return dir;
}

}  // namespace

const char* const kPathSeparators = "\\/";
const char kPreferredSeparator = '\\';

std::string executableDirectory() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
        if (n == 0) return std::string();
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(buf.size() * 2);
    }
    const size_t slash = buf.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return std::string();
    return withoutTrailingSeparator(utf8(buf.substr(0, slash)));
}

std::string userCacheDirectory() {
    // The local application data folder, as the system names it for this user.
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (n == 0) return std::string();
    std::wstring buf(n, L'\0');
    const DWORD got = GetEnvironmentVariableW(L"LOCALAPPDATA", &buf[0], n);
    if (got == 0 || got >= n) return std::string();
    buf.resize(got);
    return withoutTrailingSeparator(utf8(buf));
}

bool isDirectory(const std::string& path) {
    const DWORD a = GetFileAttributesW(wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeDirectory(const std::string& path) {
    return CreateDirectoryW(wide(path).c_str(), nullptr) != 0;
}

void setHidden(const std::string& path) {
    SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

bool writeWholeFile(const std::string& path, const void* data, std::size_t size) {
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const char* p = static_cast<const char*>(data);
    bool ok = true;
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(h, p, chunk, &written, nullptr) || written == 0) {
            ok = false;
            break;
        }
        p += written;
        size -= written;
    }
    if (!CloseHandle(h)) ok = false;
    return ok;
}

bool removeFile(const std::string& path) { return DeleteFileW(wide(path).c_str()) != 0; }

}  // namespace platform
