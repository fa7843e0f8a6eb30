// GBK conversions through the Windows code page 936.
#include <windows.h>

#include <string>

#include "platform/encoding.h"
#include "platform/win/wide.h"

namespace platform {

namespace {
constexpr UINT kGbk = 936;
}

std::string utf8ToGbk(const std::string& utf8) { return win::narrow(win::fromUtf8(utf8), kGbk); }
std::string gbkToUtf8(const std::string& gbk) { return win::toUtf8(win::widen(gbk, kGbk)); }

}  // namespace platform
