// The preview document: the preview variant of the map code inside a small XHTML
// page, the picture's name and address as the page refers to it, the browser
// addresses the preview window works with, and the preview window's layout.
#pragma once

#include <string>

#include "core/main_layout.h"

namespace preview {

// Eight lines joined by CR LF, without a line break after "<body>".
extern const char* const previewHeadTemplate;
// CR LF, "</body>", CR LF, "</html>": no final line break.
extern const char* const previewTail;

inline constexpr const char* kCacheName = "Cache";
inline constexpr const char* kDocumentName = "Temporary.html";
// What the address box shows while the browser is on the preview document.
inline constexpr const char* kDocumentAddressText = "当前为预览文档";

// Head, the map code on the "<body>" line, tail. UTF-8 throughout, as the page declares.
std::string documentText(const std::string& mapCode);

// The local picture's own file name: the last piece of `imagePath` cut at any of
// `separators` (an empty remainder after the last separator does not count). A name
// that would land on the document itself is given a prefix, so the copy beside
// the document never overwrites it.
std::string pictureFileName(const std::string& imagePath, const char* separators);

// Percent-encodes every byte that is not safe in one segment of a relative URL
// inside an HTML attribute: everything but letters, digits and -._~!$'()*+,;=@.
std::string encodeUrlSegment(const std::string& text);

// The img element's src in the preview document: the copy's file name, percent-
// encoded, for a local picture; the whole address, never cut, for a network one.
std::string pictureSource(const std::string& imagePath, bool network, const char* separators);

// True for an absolute local path: "/...", "C:\..." or "C:/...", "\\server\...".
bool isLocalPath(const std::string& text);
// The file URL of an absolute local path (Windows paths get forward slashes), with
// every byte a URL path cannot hold percent-encoded.
std::string fileUrl(const std::string& path);
// What the browser navigates to for a typed address: a local path becomes its file
// URL, anything else goes unchanged.
std::string browserAddress(const std::string& typed);

// The address box text for a navigation to `address`: the preview text when it is
// the preview document (as its path or its file URL), else the address itself.
std::string addressBoxText(const std::string& address, const std::string& documentPath);
// Where 跳转 goes for the address box text.
std::string goTarget(const std::string& boxText, const std::string& documentPath);

// Percent loaded: value × 100 / maximum rounded to the nearest integer (100 when
// the maximum is 0), kept within 0..100.
int progressPercent(double value, double maximum);
// "已加载：N%" below 100, "加载已完成" at 100.
std::string progressText(int percent);

// The controls the preview window's layout moves. Group boxes are in window
// coordinates; the others relative to their group box.
struct PreviewGeometry {
    Geometry browserGroup;  // 分组框1
    Geometry browser;       // 超文本浏览框1, in 分组框1
    Geometry statusGroup;   // 分组框2
    Geometry actionsGroup;  // 分组框3
    Geometry cancelButton;  // 按钮取消预览, in 分组框3
    Geometry addressBox;    // 编辑框地址, in 分组框3
    Geometry goButton;      // 按钮跳转, in 分组框3
    Geometry progressBar;   // 进度条1, in 分组框2
};

// The ten layout steps for the client size, starting from the geometry as it is;
// what the steps do not set keeps its value.
PreviewGeometry layoutPreview(PreviewGeometry g, int clientWidth, int clientHeight);

}  // namespace preview
