#include "core/preview_document.h"

#include <cmath>
#include <cstring>

#include "core/text.h"

namespace preview {

const char* const previewHeadTemplate =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
    "<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\r\n"
    "<title>调试运行</title>\r\n"
    "</head>\r\n"
    "\r\n"
    "<body>";

const char* const previewTail = "\r\n</body>\r\n</html>";

std::string documentText(const std::string& mapCode) {
    std::string doc = previewHeadTemplate;
    doc += mapCode;
    doc += previewTail;
    return doc;
}

std::string pictureFileName(const std::string& imagePath, const char* separators) {
    std::string last;
    size_t start = 0;
    for (;;) {
        const size_t cut = imagePath.find_first_of(separators, start);
        if (cut == std::string::npos) break;
        last = imagePath.substr(start, cut - start);
        start = cut + 1;
    }
    if (start < imagePath.size()) last = imagePath.substr(start);
    // File systems that ignore case would still put both on one file.
    if (text::asciiLower(last) == text::asciiLower(kDocumentName)) last = "picture-" + last;
    return last;
}

namespace {

const char kHex[] = "0123456789ABCDEF";

void appendEscaped(std::string& out, unsigned char c) {
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.' || c == '_' || c == '~';
}

// Escapes every byte outside the unreserved set and `keep`.
std::string encode(const std::string& text, const char* keep) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c) || (c != 0 && std::strchr(keep, ch)))
            out += ch;
        else
            appendEscaped(out, c);
    }
    return out;
}

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isWindowsDrivePath(const std::string& p) {
    return p.size() >= 3 && isDriveLetter(p[0]) && p[1] == ':' && (p[2] == '\\' || p[2] == '/');
}

bool isUncPath(const std::string& p) { return p.size() > 2 && p[0] == '\\' && p[1] == '\\'; }

}  // namespace

// '&' stays escaped: inside an attribute it would start a character reference,
// and ':' too, since in a relative address it would end a scheme name.
std::string encodeUrlSegment(const std::string& text) { return encode(text, "!$'()*+,;=@"); }

std::string pictureSource(const std::string& imagePath, bool network, const char* separators) {
    if (network) return imagePath;
    return encodeUrlSegment(pictureFileName(imagePath, separators));
}

bool isLocalPath(const std::string& text) {
    return (!text.empty() && text[0] == '/') || isWindowsDrivePath(text) || isUncPath(text);
}

std::string fileUrl(const std::string& path) {
    static const char* const kPathKeep = "/!$&'()*+,;=@:";
    if (isWindowsDrivePath(path) || isUncPath(path)) {
        std::string slashed = path;
        for (char& c : slashed)
            if (c == '\\') c = '/';
        // "C:/a" → "file:///C:/a"; "//server/share" → "file://server/share".
        if (isUncPath(path)) return "file:" + encode(slashed, kPathKeep);
        return "file:///" + encode(slashed, kPathKeep);
    }
    return "file://" + encode(path, kPathKeep);
}

std::string browserAddress(const std::string& typed) {
    return isLocalPath(typed) ? fileUrl(typed) : typed;
}

std::string addressBoxText(const std::string& address, const std::string& documentPath) {
    if (address == documentPath || address == fileUrl(documentPath)) return kDocumentAddressText;
    return address;
}

std::string goTarget(const std::string& boxText, const std::string& documentPath) {
    if (boxText == kDocumentAddressText) return fileUrl(documentPath);
    return browserAddress(boxText);
}

int progressPercent(double value, double maximum) {
    if (maximum == 0) return 100;
    const double percent = std::round(value * 100.0 / maximum);
    if (!(percent >= 0)) return 0;  // NaN included
    return percent >= 100 ? 100 : static_cast<int>(percent);
}

std::string progressText(int percent) {
    if (percent < 100) return "已加载：" + text::number(percent) + "%";
    return "加载已完成";
}

PreviewGeometry layoutPreview(PreviewGeometry g, int cw, int ch) {
    g.browserGroup.top = 2;                                                    // 1
    g.browserGroup.left = 2;
    g.browserGroup.width = cw - 4;
    g.browserGroup.height = ch - 62;
    g.browser.left = 2;                                                        // 2
    g.browser.top = 15;
    g.browser.width = g.browserGroup.width - 4;
    g.browser.height = g.browserGroup.height - 17;
    g.statusGroup.top = g.browserGroup.top + g.browserGroup.height + 2;        // 3
    g.statusGroup.width = 250;
    g.actionsGroup.width = g.browserGroup.width - g.statusGroup.width - 2;     // 4
    g.statusGroup.left = g.browserGroup.left;                                  // 5
    g.actionsGroup.left = g.statusGroup.left + g.statusGroup.width + 2;        // 6
    g.actionsGroup.top = g.statusGroup.top;
    g.cancelButton.left = g.actionsGroup.width - 75;                           // 7
    g.addressBox.width = 270;                                                  // 8
    g.goButton.left = g.addressBox.left + g.addressBox.width + 5;              // 9
    g.progressBar.left = 4;                                                    // 10
    g.progressBar.width = g.statusGroup.width - 10;
    return g;
}

}  // namespace preview
