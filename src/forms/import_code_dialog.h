// ImportCodeDialog: a box for pasting image-map code, or for opening the page or
// text file that holds it, before its areas become hotspots.
#pragma once

#include <wx/dialog.h>

class wxButton;
class wxControl;
class wxTextCtrl;

class ImportCodeDialog : public wxDialog {
public:
    explicit ImportCodeDialog(wxWindow* parent);

    wxControl* prompt = nullptr;      // 标签1
    wxTextCtrl* codeBox = nullptr;    // 编辑框代码
    wxButton* openButton = nullptr;   // 按钮打开文件
    wxButton* importButton = nullptr; // 按钮导入
    wxButton* cancelButton = nullptr; // 按钮取消

    // Reads the code of a file into the box (UTF-8 or GBK); false with a message
    // when the file cannot be read.
    bool loadFile(const wxString& path);
};

namespace importform {
inline constexpr const char* kTitle = "导入热点代码";
inline constexpr const char* kPrompt = "请将热点代码粘贴到下方，或打开保存有代码的网页、文本文件：";
inline constexpr const char* kOpen = "打开文件…";
inline constexpr const char* kImport = "导入";
inline constexpr const char* kCancel = "取消";
inline constexpr const char* kFileFilter =
    "网页或文本文件(*.html;*.htm;*.txt)|*.html;*.htm;*.txt;*.HTML;*.HTM;*.TXT|所有文件(*.*)|*";
}  // namespace importform
