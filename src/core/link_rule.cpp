#include "core/link_rule.h"

#include "core/text.h"

namespace {

const std::string kIdeographicSpace = "\xE3\x80\x80";

bool spaceAt(const std::string& s, size_t i) {
    return s[i] == ' ' || s.compare(i, kIdeographicSpace.size(), kIdeographicSpace) == 0;
}

size_t spaceLength(const std::string& s, size_t i) { return s[i] == ' ' ? 1 : kIdeographicSpace.size(); }

bool endsWithSpace(const std::string& s, size_t end) {
    if (end >= 1 && s[end - 1] == ' ') return true;
    return end >= kIdeographicSpace.size() &&
           s.compare(end - kIdeographicSpace.size(), kIdeographicSpace.size(), kIdeographicSpace) == 0;
}

// Where the first "http://" or "https://" begins, in any letter case; npos when none.
size_t schemeAt(const std::string& lowered) {
    const size_t plain = lowered.find("http://");
    const size_t secure = lowered.find("https://");
    return plain < secure ? plain : secure;
}

// Lowers the scheme starting at `at` and the host after it; a user name and
// password before an "@" keep their case, as does everything from the path on.
std::string lowerSchemeAndHost(const std::string& link, size_t at) {
    std::string out = link;
    const size_t hostStart = link.find("://", at) + 3;
    size_t end = link.find_first_of("/?#", hostStart);
    if (end == std::string::npos) end = link.size();
    const size_t userEnd = link.rfind('@', end - 1);
    const size_t from = userEnd != std::string::npos && userEnd >= hostStart ? userEnd + 1 : hostStart;
    auto lower = [&out](size_t b, size_t e) {
        for (size_t i = b; i < e; ++i)
            if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    };
    lower(at, hostStart);
    lower(from, end);
    return out;
}

}  // namespace

std::string trimSpaces(const std::string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && spaceAt(s, begin)) begin += spaceLength(s, begin);
    while (end > begin && endsWithSpace(s, end)) end -= s[end - 1] == ' ' ? 1 : kIdeographicSpace.size();
    return s.substr(begin, end - begin);
}

std::string hotspotLink(const std::string& typed, LinkEdit edit) {
    std::string link = edit == LinkEdit::modify ? text::removeSpaces(typed) : trimSpaces(typed);
    size_t at = schemeAt(text::asciiLower(link));
    if (at == std::string::npos) {
        link = "http://" + link;
        at = 0;
    }
    return edit == LinkEdit::modify ? lowerSchemeAndHost(link, at) : link;
}
