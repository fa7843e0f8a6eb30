// CodeWindow: the code editor in its frame, the copy button, and the row of
// full-screen conversion controls below. Built from its control table.
#pragma once

#include <wx/dialog.h>

#include <optional>
#include <string>

class wxButton;
class wxCheckBox;
class wxChoice;
class wxControl;
class wxPanel;
class wxStyledTextCtrl;
class wxTextCtrl;

namespace codeform {
inline constexpr const char* kCaption = "代码提取";
inline constexpr const char* kTitleNoCode = "查看代码    [暂无代码]";
inline constexpr const char* kTitleCode = "查看代码    [热点代码]";
inline constexpr const char* kNote =
    "注：如对代码有疑问，可修改后再复制，修改后的代码将不会影响程序所生成的代码，也不会被程序保存";
inline constexpr const char* kWideWarning =
    "注意：转换成全屏效果需保证热点图片宽度是大于950PX的，否则此操作无任何意义";
inline constexpr const char* kCopy = "复制热点代码";
inline constexpr const char* kFullScreen = "将制作好的热点代码转换为全屏效果";
inline constexpr const char* kOffset = "偏移量";
inline constexpr const char* kRemoveGap = "消除上间距";
inline constexpr const char* kConvert = "转换并复制";
inline constexpr const char* kInitialOffset = "-960";
}  // namespace codeform

class CodeWindow : public wxDialog {
public:
    explicit CodeWindow(wxWindow* parent);

    // Fills title and editor: the hotspot code appended at the caret, or the
    // no-code title and an empty editor when there is no code.
    void showCode(const std::optional<std::string>& code);

    wxPanel* frame = nullptr;               // 外形框1
    wxStyledTextCtrl* editor = nullptr;     // 代码编辑框1
    wxControl* note = nullptr;              // 标签1
    wxButton* copyButton = nullptr;         // 按钮复制
    wxCheckBox* fullScreenCheck = nullptr;  // 选择框1
    wxChoice* editionChoice = nullptr;      // 组合框1
    wxControl* offsetLabel = nullptr;       // 标签2
    wxTextCtrl* offsetBox = nullptr;        // 编辑框1
    wxControl* gapLabel = nullptr;          // 标签3
    wxChoice* gapChoice = nullptr;          // 组合框2
    wxButton* convertButton = nullptr;      // 按钮1

    // The texts the conversion works with; never shown.
    std::string templateText;       // 编辑框2: the full-screen template
    std::string workingCopy;        // 编辑框3
    std::string topGapValue = "0";  // 编辑框4
    std::string pictureHeight;      // 编辑框5

private:
    void buildControls();
    void configureEditor();
};
