// The input box: a title, a prompt, one single-line field and the buttons
// "确认输入(&O)" and "取消(&C)".
#pragma once

#include <wx/dialog.h>

class wxTextCtrl;

class InputBox : public wxDialog {
public:
    InputBox(const wxString& title, const wxString& prompt, const wxString& initial);
    wxString GetValue() const;
    void SetValue(const wxString& value);
    wxString GetPrompt() const { return prompt_; }

private:
    wxTextCtrl* field_;
    wxString prompt_;
};

// Shows the box modally; false when it was cancelled, else `result` is the text as typed.
bool askInput(const wxString& title, const wxString& prompt, const wxString& initial,
              wxString& result);
