#include "toolkit/input_box.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "core/limits.h"
#include "toolkit/modal_state.h"
#include "toolkit/widgets.h"

InputBox::InputBox(const wxString& title, const wxString& prompt, const wxString& initial)
    : wxDialog(nullptr, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, "InputBox"),
      prompt_(prompt) {
    SetFont(toolkit::uiFont());
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, prompt), 0, wxALL, 10);
    field_ = new wxTextCtrl(this, wxID_ANY, initial, wxDefaultPosition, wxSize(360, -1), 0,
                            wxDefaultValidator, "InputField");
    // An address of four-byte characters at most still fits what a project keeps.
    field_->SetMaxLength(static_cast<unsigned long>(limits::kMaxTextBytes / 4));
    top->Add(field_, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* ok = new wxButton(this, wxID_OK, toolkit::fromUtf8("确认输入(&O)"));
    ok->SetDefault();  // Enter in the field confirms
    buttons->Add(ok, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CANCEL, toolkit::fromUtf8("取消(&C)")), 0);
    top->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(top);
    SetEscapeId(wxID_CANCEL);
    SetAffirmativeId(wxID_OK);
    field_->SetFocus();
    Centre();
}

wxString InputBox::GetValue() const { return field_->GetValue(); }

void InputBox::SetValue(const wxString& value) { field_->SetValue(value); }

bool askInput(const wxString& title, const wxString& prompt, const wxString& initial,
              wxString& result) {
    InputBox box(title, prompt, initial);
    const toolkit::ModalScope modal;
    if (box.ShowModal() != wxID_OK) return false;
    result = box.GetValue();
    return true;
}
