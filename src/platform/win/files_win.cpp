// Files and directories through the Win32 API, paths converted from UTF-8.
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/files.h"
#include "platform/win/wide.h"

namespace platform {
namespace {

std::wstring wide(const std::string& utf8) { return win::fromUtf8(utf8); }
std::string utf8(const std::wstring& w) { return win::toUtf8(w); }

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

bool setHidden(const std::string& path) {
    const std::wstring w = wide(path);
    if (GetFileAttributesW(w.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    return SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_HIDDEN) != 0;
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

bool renameFile(const std::string& from, const std::string& to) {
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(), 0) != 0;
}

namespace {

WriteFilter& writeFilter() {
    static WriteFilter filter;
    return filter;
}

// Every file error in the user's language; the system's own text never reaches them.
std::string reason(DWORD err) {
    switch (err) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "磁盘空间不足";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return "没有写入权限";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND: return "文件夹不存在";
    case ERROR_FILENAME_EXCED_RANGE:
        return "文件名过长";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return "文件名无效";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "文件正被占用";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return "内存不足";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "打开的文件过多";
    default:
        return "系统错误（错误码 " + std::to_string(err) + "）";
    }
}

// A save's temporary file: short, so that a name at the system's limit still has
// room beside it, and named after the process, so that one left by a killed run
// is known as such.
const wchar_t* const kTempPrefix = L".~hz";
const wchar_t* const kTempSuffix = L".saving";

std::wstring folderOfWide(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

int tempOwner(const std::wstring& name) {
    const size_t prefix = wcslen(kTempPrefix), suffix = wcslen(kTempSuffix);
    if (name.size() > prefix + suffix && name.compare(0, prefix, kTempPrefix) == 0 &&
        name.compare(name.size() - suffix, suffix, kTempSuffix) == 0)
        return _wtoi(name.c_str() + prefix);
    const size_t at = name.rfind(L".saving-");
    if (at == std::wstring::npos || at + 8 >= name.size()) return 0;
    for (size_t i = at + 8; i < name.size(); ++i)
        if (name[i] < L'0' || name[i] > L'9') return 0;
    return _wtoi(name.c_str() + at + 8);
}

}  // namespace

void setWriteFilterForTests(WriteFilter filter) { writeFilter() = std::move(filter); }

bool isTemporarySave(const std::string& path) {
    const std::wstring w = wide(path);
    const size_t slash = w.find_last_of(L"\\/");
    return tempOwner(slash == std::wstring::npos ? w : w.substr(slash + 1)) > 0;
}

int removeStaleSaves(const std::string& folder) {
    int removed = 0;
    WIN32_FIND_DATAW found;
    const std::wstring dir = wide(folder);
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const int owner = tempOwner(found.cFileName);
        if (owner <= 0 || owner == static_cast<int>(GetCurrentProcessId()) || processAlive(owner))
            continue;
        if (DeleteFileW((dir + L"\\" + found.cFileName).c_str())) ++removed;
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return removed;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::wstring target = wide(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "这是一个文件夹，不是文件";
        return false;
    }
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) {
        error = "没有写入权限";
        return false;
    }
    static unsigned serial = 0;
    const std::wstring temp = folderOfWide(target) + L"\\" + kTempPrefix +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++serial) + kTempSuffix;
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = reason(GetLastError());
        return false;
    }
    size_t allowed = bytes.size();
    if (writeFilter()) allowed = writeFilter()(bytes);
    size_t done = 0;
    bool ok = true;
    DWORD err = ERROR_DISK_FULL;
    while (ok && done < allowed) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(allowed - done, 1 << 20));
        ok = WriteFile(h, bytes.data() + done, chunk, &n, nullptr) != 0;
        if (!ok) err = GetLastError();
        done += n;
    }
    ok = ok && allowed == bytes.size() && FlushFileBuffers(h) != 0;
    if (!ok && err == ERROR_DISK_FULL && allowed == bytes.size()) err = GetLastError();
    CloseHandle(h);
    if (!ok) {
        error = reason(err);
        DeleteFileW(temp.c_str());
        return false;
    }
    // Replacing keeps the old file's attributes and permissions, and writes through
    // a link to the file it names.
    bool moved = exists && ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    if (!moved)
        moved = MoveFileExW(temp.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!moved) {
        error = reason(GetLastError());
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& out, std::string& error,
                   std::size_t maxBytes) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "不是普通文件";
        return false;
    }
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = reason(GetLastError());
        return false;
    }
    if (GetFileType(h) != FILE_TYPE_DISK) {
        error = "不是普通文件";
        CloseHandle(h);
        return false;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size) || static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        error = "文件过大";
        CloseHandle(h);
        return false;
    }
    std::string data(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < data.size()) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 20));
        if (!ReadFile(h, &data[done], chunk, &n, nullptr) || n == 0) break;
        done += n;
    }
    CloseHandle(h);
    data.resize(done);
    out = std::move(data);
    return true;
}

bool fileExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeFolders(const std::string& path) {
    const std::wstring w = wide(path);
    for (size_t i = 1; i <= w.size(); ++i) {
        if (i < w.size() && w[i] != L'\\' && w[i] != L'/') continue;
        const std::wstring part = w.substr(0, i);
        if (part.size() == 2 && part[1] == L':') continue;  // a drive
        CreateDirectoryW(part.c_str(), nullptr);
    }
    const DWORD a = GetFileAttributesW(w.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> filesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> out;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(wide(folder + "\\" + prefix + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            out.push_back(folder + "\\" + utf8(found.cFileName));
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return out;
}

std::string userDataFolder() {
    wchar_t buf[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buf))) return {};
    return utf8(buf) + "\\huizhan-hotspots";
}

int currentProcessId() { return static_cast<int>(GetCurrentProcessId()); }

bool processAlive(int pid) {
    if (pid <= 0) return false;
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    CloseHandle(h);
    return running;
}

}  // namespace platform
