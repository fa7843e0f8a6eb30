// HotspotInfoDialog: asks for a hotspot's link address and hover tip, either for a
// freshly drawn hotspot or to change an existing one. Built from its control table.
#pragma once

#include <wx/dialog.h>

#include <string>

class wxButton;
class wxControl;
class wxTextCtrl;

namespace infoform {
inline constexpr const char* kCaptionCreate = "设置热点信息";
inline constexpr const char* kCaptionModify = "修改热点信息";
inline constexpr const char* kLabels = "热点链接地址：\r\n\r\n\r\n鼠标停留提示：";
inline constexpr const char* kConfirm = "确认";
inline constexpr const char* kCancelCreate = "取消热点";
inline constexpr const char* kCancelModify = "取消修改";
}  // namespace infoform

// The two boxes' contents, as typed.
struct LinkTip {
    std::string link;
    std::string tip;
};

class HotspotInfoDialog : public wxDialog {
  public:
    enum Mode { modify = 0, create = 1 };

    // Create mode starts with empty boxes; modify mode with `initial`.
    HotspotInfoDialog(wxWindow* parent, Mode mode, const LinkTip& initial = {});

    // What the boxes hold now.
    LinkTip value() const;
    void setValue(const LinkTip& value);

    wxControl* labels = nullptr;         // 标签1
    wxTextCtrl* addressBox = nullptr;    // 编辑框地址
    wxTextCtrl* tipBox = nullptr;        // 编辑框文本
    wxButton* confirmButton = nullptr;   // 按钮确认
    wxButton* cancelButton = nullptr;    // 按钮取消

  private:
    // Ends the dialog with `code` (wxID_OK for confirm), shown modally or not.
    void finish(int code);

    Mode mode_;
};
