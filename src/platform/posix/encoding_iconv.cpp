// GBK conversions through glibc iconv.
#include <errno.h>
#include <iconv.h>

#include <string>

#include "platform/encoding.h"

namespace platform {
namespace {

class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts, putting `bad` in place of every input sequence that cannot be converted.
    std::string convert(const std::string& in, const std::string& bad, size_t badInputStep) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return in;
        std::string out;
        out.resize(in.size() * 2 + 8);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t used = 0;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (srcLeft > 0) {
            char* dst = &out[used];
            size_t dstLeft = out.size() - used;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            used = out.size() - dstLeft;
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else {
                // EILSEQ or EINVAL: skip the offending input.
                size_t step = badInputStep;
                if (errno == EILSEQ && badInputStep == 0) {
                    unsigned char lead = static_cast<unsigned char>(*src);
                    step = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
                }
                if (step == 0 || step > srcLeft) step = srcLeft < 1 ? srcLeft : 1;
                src += step;
                srcLeft -= step;
                if (out.size() - used < bad.size()) out.resize(out.size() * 2 + bad.size());
                out.replace(used, bad.size(), bad);
                used += bad.size();
            }
        }
        out.resize(used);
        return out;
    }

  private:
    iconv_t cd_;
};

}  // namespace

std::string utf8ToGbk(const std::string& utf8) {
    thread_local Iconv cv("GBK", "UTF-8");
    return cv.convert(utf8, "?", 0);
}

std::string gbkToUtf8(const std::string& gbk) {
    thread_local Iconv cv("UTF-8", "GBK");
    return cv.convert(gbk, "\xEF\xBF\xBD", 1);
}

std::string toUtf8(const std::string& bytes, Charset charset) {
    // The encodings as browsers read them: GBK labels by the GB18030 decoder, Big5
    // with the Hong Kong additions, EUC-KR as code page 949, Shift_JIS as 932.
    const char* name = "UTF-8";
    switch (charset) {
        case Charset::utf8:
            name = "UTF-8";
            break;
        case Charset::utf16le:
            name = "UTF-16LE";
            break;
        case Charset::utf16be:
            name = "UTF-16BE";
            break;
        case Charset::gb18030:
            name = "GB18030";
            break;
        case Charset::big5:
            name = "BIG5-HKSCS";
            break;
        case Charset::eucKr:
            name = "CP949";
            break;
        case Charset::shiftJis:
            name = "CP932";
            break;
        case Charset::windows1252:
            name = "CP1252";
            break;
    }
    const bool wide = charset == Charset::utf16le || charset == Charset::utf16be;
    Iconv cv("UTF-8", name);
    return cv.convert(bytes, "\xEF\xBF\xBD", wide ? 2 : 1);
}

}  // namespace platform
