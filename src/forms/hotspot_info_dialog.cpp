#include "forms/hotspot_info_dialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "core/limits.h"
#include "core/link_rule.h"
#include "core/text.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

using toolkit::fromUtf8;

HotspotInfoDialog::HotspotInfoDialog(wxWindow* parent, Mode mode, const LinkTip& initial)
    : wxDialog(parent, wxID_ANY, fromUtf8(infoform::kCaptionCreate), wxDefaultPosition,
               wxSize(435, 149), wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, "HotspotInfoDialog"),
      mode_(mode) {
    using namespace infoform;
    SetFont(toolkit::uiFont());
    const toolkit::Place self = toolkit::on(this);
    labels = toolkit::label(self, "标签1", kLabels, {8, 24, 168, 64});
    addressBox = toolkit::editBox(self, "编辑框地址", "", {91, 18, 329, 24});
    tipBox = toolkit::editBox(self, "编辑框文本", "", {91, 56, 329, 24});
    for (wxTextCtrl* box : {addressBox, tipBox})
        box->SetMaxLength(static_cast<unsigned long>(limits::kMaxTextBytes));
    confirmButton = toolkit::button(self, "按钮确认", kConfirm, {120, 88, 136, 24});
    cancelButton = toolkit::button(self, "按钮取消", kCancelCreate, {280, 88, 136, 24});

    if (mode == modify) {
        setValue(initial);
        SetTitle(fromUtf8(kCaptionModify));
        cancelButton->SetLabel(fromUtf8(kCancelModify));
    } else {
        SetTitle(fromUtf8(kCaptionCreate));
        cancelButton->SetLabel(fromUtf8(kCancelCreate));
    }

    confirmButton->SetDefault();  // Enter in either box confirms
    confirmButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_OK); });
    cancelButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_CANCEL); });
    // The close box and a plain Esc leave the hotspot as it was, like the cancel button.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { finish(wxID_CANCEL); });
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE && e.GetModifiers() == wxMOD_NONE) {
            Close();
            return;
        }
        e.Skip();
    });

    // Fixed geometry: the controls keep their designed places.
    Bind(wxEVT_SIZE, [](wxSizeEvent&) {});
    SetSize(435, 149);
    CentreOnScreen();
    addressBox->SetFocus();
}

LinkTip HotspotInfoDialog::value() const {
    return LinkTip{toolkit::toUtf8(addressBox->GetValue()), toolkit::toUtf8(tipBox->GetValue())};
}

void HotspotInfoDialog::setValue(const LinkTip& v) {
    addressBox->ChangeValue(fromUtf8(v.link));
    tipBox->ChangeValue(fromUtf8(v.tip));
}

void HotspotInfoDialog::finish(int code) {
    // What a hotspot cannot keep is not taken: the user shortens it first.
    if (code == wxID_OK) {
        const LinkTip typed = value();
        // The link as it will be kept, with the scheme the rules add.
        const size_t linkBytes =
            hotspotLink(typed.link, mode_ == modify ? LinkEdit::modify : LinkEdit::create).size();
        if (linkBytes > limits::kMaxTextBytes || typed.tip.size() > limits::kMaxTextBytes) {
            showMessage(std::string(linkBytes > limits::kMaxTextBytes ? "链接" : "提示") +
                        "过长（最多 " +
                        text::number(static_cast<long long>(limits::kMaxTextBytes)) +
                        " 字节），请缩短后再确认");
            return;
        }
    }
    SetReturnCode(code);
    EndDialog(code);
}
