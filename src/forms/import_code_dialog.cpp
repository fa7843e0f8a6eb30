#include "forms/import_code_dialog.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/textctrl.h>

#include "core/limits.h"
#include "core/map_import.h"
#include "platform/files.h"
#include "toolkit/message_box.h"
#include "toolkit/path_text.h"
#include "toolkit/settings.h"
#include "toolkit/widgets.h"

using namespace importform;

ImportCodeDialog::ImportCodeDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, toolkit::fromUtf8(kTitle), wxDefaultPosition, wxSize(600, 420),
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, "ImportCodeDialog") {
    SetFont(toolkit::uiFont());
    SetClientSize(592, 388);
    const toolkit::Place self = toolkit::on(this);
    prompt = toolkit::label(self, "标签1", kPrompt, {10, 10, 572, 18});
    codeBox = new wxTextCtrl(this, wxID_ANY, wxString(), wxPoint(10, 32), wxSize(572, 310),
                             wxTE_MULTILINE | wxTE_DONTWRAP | wxHSCROLL, wxDefaultValidator,
                             toolkit::fromUtf8("编辑框代码"));
    toolkit::placed(codeBox, self);
    openButton = toolkit::button(self, "按钮打开文件", kOpen, {10, 352, 100, 26});
    importButton = toolkit::button(self, "按钮导入", kImport, {370, 352, 100, 26});
    cancelButton = toolkit::button(self, "按钮取消", kCancel, {482, 352, 100, 26});
    importButton->SetId(wxID_OK);
    cancelButton->SetId(wxID_CANCEL);
    SetAffirmativeId(wxID_OK);
    SetEscapeId(wxID_CANCEL);
    openButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        wxFileDialog dialog(this, toolkit::fromUtf8("打开代码文件"),
                            settings::lastFolder(settings::Folder::import), wxString(),
                            toolkit::fromUtf8(kFileFilter), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() != wxID_OK) return;
        settings::rememberFolder(settings::Folder::import, dialog.GetPath());
        loadFile(dialog.GetPath());
    });
    codeBox->SetFocus();
    Centre();
}

bool ImportCodeDialog::loadFile(const wxString& path) {
    std::string bytes, error;
    if (!platform::readWholeFile(toolkit::fileSystemPath(path), bytes, error,
                                 limits::kMaxImportBytes)) {
        showMessage("代码文件无法打开（" + error + "）：" + toolkit::toUtf8(path));
        return false;
    }
    codeBox->ChangeValue(toolkit::fromUtf8(mapimport::decodeCodeFile(bytes)));
    return true;
}
