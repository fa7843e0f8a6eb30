// Conversions between the program's UTF-8 and the UTF-16 of the Windows API.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win {

inline std::wstring widen(const std::string& s, UINT codePage) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

inline std::string narrow(const std::wstring& w, UINT codePage) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

inline std::wstring fromUtf8(const std::string& s) { return widen(s, CP_UTF8); }
inline std::string toUtf8(const std::wstring& w) { return narrow(w, CP_UTF8); }

}  // namespace platform::win
