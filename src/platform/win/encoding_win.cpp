// GBK conversions through the Windows code page 936.
#include <windows.h>

#include <string>

#include "platform/encoding.h"

namespace platform {
namespace {

std::wstring widen(const std::string& s, UINT cp) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string narrow(const std::wstring& w, UINT cp) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

}  // namespace

std::string utf8ToGbk(const std::string& utf8) { return narrow(widen(utf8, CP_UTF8), 936); }
std::string gbkToUtf8(const std::string& gbk) { return narrow(widen(gbk, 936), CP_UTF8); }

}  // namespace platform
