#include "core/address_check.h"

#include "core/text.h"

namespace {

bool startsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

bool hasPictureExtension(const std::string& lowerAddress) {
    const std::string tail = text::lastGbkBytes(lowerAddress, 4);
    for (const char* ext : {"jpg", "png", "ico", "bmp", "gif", "jpng"})
        if (tail.find(ext) != std::string::npos) return true;
    return false;
}

AddressVerdict checkPictureAddress(const std::string& typed) {
    const std::string compact = text::removeSpaces(typed);
    if (compact.empty() || compact == "http://" || compact == "https://") return AddressVerdict::Empty;
    // The scheme is checked on the text as typed, spaces included.
    const std::string lower = text::asciiLower(typed);
    if (!startsWith(lower, "http://") && !startsWith(lower, "https://"))
        return AddressVerdict::BadScheme;
    if (!hasPictureExtension(lower)) return AddressVerdict::BadExtension;
    return AddressVerdict::Ok;
}

std::string addressMessage(AddressVerdict verdict) {
    switch (verdict) {
    case AddressVerdict::Ok: return {};
    case AddressVerdict::Empty: return "网络图片地址不能为空";
    case AddressVerdict::BadScheme: return "网络图片地址不正确，无法读入图片 请以  http:// 开头";
    case AddressVerdict::BadExtension: return "网络图片地址不正确，无法读入图片";
    }
    return {};
}
