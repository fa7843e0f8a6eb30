// Conversions between UTF-8 and GBK (code page 936). One file per platform implements them.
#pragma once

#include <string>

namespace platform {
std::string utf8ToGbk(const std::string& utf8);
std::string gbkToUtf8(const std::string& gbk);
}  // namespace platform
