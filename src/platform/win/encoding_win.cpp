// GBK conversions through the Windows code page 936.
#include <windows.h>

#include <string>

#include "platform/encoding.h"
#include "platform/win/wide.h"

namespace platform {

namespace {
constexpr UINT kGbk = 936;
constexpr UINT kGb18030 = 54936;
}

std::string utf8ToGbk(const std::string& utf8) { return win::narrow(win::fromUtf8(utf8), kGbk); }
std::string gbkToUtf8(const std::string& gbk) { return win::toUtf8(win::widen(gbk, kGbk)); }

std::string toUtf8(const std::string& bytes, Charset charset) {
    if (charset == Charset::utf16le || charset == Charset::utf16be) {
        std::wstring w(bytes.size() / 2, L'\0');
        const int hi = charset == Charset::utf16le ? 1 : 0;
        for (size_t i = 0; i < w.size(); ++i)
            w[i] = static_cast<wchar_t>((static_cast<unsigned char>(bytes[2 * i + hi]) << 8) |
                                        static_cast<unsigned char>(bytes[2 * i + 1 - hi]));
        if (bytes.size() % 2) w += L'\xFFFD';
        return win::toUtf8(w);
    }
    UINT page = CP_UTF8;
    switch (charset) {
        case Charset::gb18030:
            // GB18030 where the system has its table; else GBK (Wine has none), which
            // reads GB2312 and GBK text alike.
            page = IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
            break;
        case Charset::big5:
            page = 950;
            break;
        case Charset::eucKr:
            page = 949;
            break;
        case Charset::shiftJis:
            page = 932;
            break;
        case Charset::windows1252:
            page = 1252;
            break;
        default:
            break;
    }
    return win::toUtf8(win::widen(bytes, page));
}

}  // namespace platform
