#include "core/display_text.h"

#include <vector>

#include "core/text.h"

namespace text {

bool isUtf8(const std::string& bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned c = s[i];
        std::size_t len = 0;
        unsigned min = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, min = 0x10000;
        } else {
            return false;
        }
        if (n - i < len) return false;
        unsigned code = c & (0x7F >> len);
        for (std::size_t k = 1; k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) return false;
            code = (code << 6) | (s[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::string fileNameText(const std::string& bytes) { return isUtf8(bytes) ? bytes : fromGbk(bytes); }

std::string elideMiddle(const std::string& utf8, int maxChars) {
    const std::vector<std::string> chars = characters(utf8);
    if (maxChars < 3 || static_cast<int>(chars.size()) <= maxChars) return utf8;
    const int keep = maxChars - 1;
    const int head = (keep + 1) / 2, tail = keep - head;
    std::string out;
    for (int i = 0; i < head; ++i) out += chars[i];
    out += "…";
    for (std::size_t i = chars.size() - tail; i < chars.size(); ++i) out += chars[i];
    return out;
}

std::string anyCasePattern(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        const bool lower = c >= 'a' && c <= 'z', upper = c >= 'A' && c <= 'Z';
        if (!lower && !upper) {
            out += c;
            continue;
        }
        const char other = static_cast<char>(lower ? c - 'a' + 'A' : c - 'A' + 'a');
        out += '[';
        out += lower ? c : other;
        out += lower ? other : c;
        out += ']';
    }
    return out;
}

}  // namespace text
