#include <algorithm>
#include "core/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/encoding.h"

namespace text {

std::string toGbk(const std::string& utf8) { return platform::utf8ToGbk(utf8); }

std::string fromGbk(const std::string& gbk) { return platform::gbkToUtf8(gbk); }

int gbkLength(const std::string& utf8) { return static_cast<int>(toGbk(utf8).size()); }

std::string lastGbkBytes(const std::string& utf8, int n) {
    std::string g = toGbk(utf8);
    if (n < 0) n = 0;
    if (g.size() <= static_cast<size_t>(n)) return g;
    return g.substr(g.size() - n);
}

std::string removeSpaces(const std::string& s) {
    static const std::string kIdeographicSpace = "\xE3\x80\x80";
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (s[i] == ' ') {
            ++i;
        } else if (s.compare(i, 3, kIdeographicSpace) == 0) {
            i += 3;
        } else {
            out += s[i++];
        }
    }
    return out;
}

std::string asciiLower(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string number(long long value) { return std::to_string(value); }

std::string number13(double value) {
    if (value == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.13g", value);
    return buf;
}

double leadingNumber(const std::string& s) { return std::atof(s.c_str()); }

double leadingInteger(const std::string& s) {
    size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (negative) i = 1;
    double value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        value = std::min(value * 10 + (s[i] - '0'), 1e15);
    return negative ? -value : value;
}

bool onlyDigitsAndMinus(const std::string& s) {
    for (char c : s)
        if (c != '-' && (c < '0' || c > '9')) return false;
    return true;
}

int truncToInt(double value) {
    if (std::isnan(value)) return 0;
    double t = std::trunc(value);
    if (t >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (t <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(t);
}

static size_t utf8CharLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;  // a stray continuation byte stands alone
}

std::vector<std::string> characters(const std::string& utf8) {
    std::vector<std::string> out;
    for (size_t i = 0; i < utf8.size();) {
        size_t n = utf8CharLength(static_cast<unsigned char>(utf8[i]));
        if (i + n > utf8.size()) n = utf8.size() - i;
        out.push_back(utf8.substr(i, n));
        i += n;
    }
    return out;
}

std::string replaceAll(const std::string& s, const std::string& find, const std::string& with) {
    if (find.empty()) return s;
    std::string out;
    size_t pos = 0;
    for (;;) {
        size_t hit = s.find(find, pos);
        if (hit == std::string::npos) break;
        out.append(s, pos, hit - pos);
        out += with;
        pos = hit + find.size();
    }
    out.append(s, pos, std::string::npos);
    return out;
}

}  // namespace text
