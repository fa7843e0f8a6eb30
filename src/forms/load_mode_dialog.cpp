#include "forms/load_mode_dialog.h"

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/statbox.h>

#include "toolkit/widgets.h"

LoadModeDialog::LoadModeDialog(AppState& state)
    : wxDialog(nullptr, wxID_ANY, toolkit::fromUtf8("加载方式"), wxDefaultPosition, wxSize(270, 72),
               wxBORDER_NONE, "LoadModeDialog"),
      state_(state) {
    state_.loadDialogCancelled = 0;
    SetFont(toolkit::uiFont());
    const wxColour background(kBackground[0], kBackground[1], kBackground[2]);
    SetBackgroundColour(background);

    backdrop = new wxPanel(this, wxID_ANY, wxPoint(0, 0), wxSize(300, 72), wxBORDER_NONE,
                           toolkit::fromUtf8("图片框1"));
    backdrop->SetBackgroundColour(background);
    group = toolkit::groupBox(toolkit::on(backdrop), "分组框1", "请选择加载图片方式", {8, 5, 256, 58});
    group->SetBackgroundColour(background);
    networkButton = toolkit::button(toolkit::in(group), "按钮1", "网络图片", {9, 22, 77, 23});
    localButton = toolkit::button(toolkit::in(group), "按钮2", "本地图片", {89, 22, 77, 23});
    cancelButton = toolkit::button(toolkit::in(group), "按钮3", "取消", {169, 22, 77, 23});

    networkButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        state_.loadMode = 1;
        finish(wxID_OK);
    });
    localButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        state_.loadMode = 0;
        finish(wxID_OK);
    });
    cancelButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        state_.loadDialogCancelled = 1;
        finish(wxID_CANCEL);
    });
    // Esc does not close this box: only its three buttons do.
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& e) {
        if (e.GetKeyCode() != WXK_ESCAPE) e.Skip();
    });

    // Fixed geometry: keep the toolkit from stretching the sole child over the client area.
    Bind(wxEVT_SIZE, [](wxSizeEvent&) {});
    SetSize(270, 72);
    CentreOnScreen();
}

void LoadModeDialog::finish(int code) {
    SetReturnCode(code);
    // Ends the modal loop, or hides the box when it was shown without one.
    EndDialog(code);
}
