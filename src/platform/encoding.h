// Conversions between UTF-8 and GBK (code page 936). One file per platform implements them.
#pragma once

#include <string>

namespace platform {
std::string utf8ToGbk(const std::string& utf8);
std::string gbkToUtf8(const std::string& gbk);

// The encodings code files come in.
enum class Charset { utf8, utf16le, utf16be, gb18030, big5, eucKr, shiftJis, windows1252 };
// Text in `charset` as UTF-8; what cannot be read becomes U+FFFD.
std::string toUtf8(const std::string& bytes, Charset charset);
}  // namespace platform
