// PreviewWindow: the embedded browser in its group box, the status group with the
// load progress, and the actions group (forward, back, refresh, address, go,
// cancel). Built from its control table.
#pragma once

#include <wx/dialog.h>

#include <memory>

class wxButton;
class wxControl;
class wxGauge;
class wxStaticBox;
class wxTextCtrl;
class wxWebView;

namespace toolkit {
class LoadProgressWatch;
}

namespace previewform {
inline constexpr const char* kCaption = "绘栈浏览器窗口（预览代码）";
inline constexpr const char* kBrowserGroup = "预览浏览框";
inline constexpr const char* kStatusGroup = "状态栏";
inline constexpr const char* kProgress = "当前进度：100%";
inline constexpr const char* kActionsGroup = "操作";
inline constexpr const char* kForward = "前进";
inline constexpr const char* kBack = "后退";
inline constexpr const char* kRefresh = "刷新";
inline constexpr const char* kAddressLabel = "网址：";
inline constexpr const char* kGo = "跳转";
inline constexpr const char* kCancel = "取消预览";
}  // namespace previewform

class PreviewWindow : public wxDialog {
public:
    // The browser starts on `startAddress` as it is created. The main window is
    // hidden while the preview is open, so the preview stands on its own: it is
    // nobody's dialog, and keeps a taskbar entry of its own where there is one.
    explicit PreviewWindow(const wxString& startAddress);
    ~PreviewWindow() override;

    wxStaticBox* browserGroup = nullptr;  // 分组框1
    wxWebView* browser = nullptr;         // 超文本浏览框1
    wxStaticBox* statusGroup = nullptr;   // 分组框2
    wxControl* progressLabel = nullptr;   // 标签进度
    wxGauge* progressBar = nullptr;       // 进度条1
    wxStaticBox* actionsGroup = nullptr;  // 分组框3
    wxButton* forwardButton = nullptr;    // 按钮前进
    wxButton* backButton = nullptr;       // 按钮后退
    wxButton* refreshButton = nullptr;    // 按钮刷新
    wxControl* addressLabel = nullptr;    // 标签1
    wxTextCtrl* addressBox = nullptr;     // 编辑框地址
    wxButton* goButton = nullptr;         // 按钮跳转
    wxButton* cancelButton = nullptr;     // 按钮取消预览

    // Reports the browser's load progress; set by whoever handles it, and
    // released before the browser goes.
    std::unique_ptr<toolkit::LoadProgressWatch> progressWatch;

    // The layout for the current client size (at the first placement and on every move).
    void runLayout();

private:
    void buildControls(const wxString& startAddress);
};
