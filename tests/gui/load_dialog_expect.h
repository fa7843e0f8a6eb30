// The test expectation for LoadModeDialog, shared by the picture loading tests.
#pragma once

#include <functional>
#include <string>

#include "forms/load_mode_dialog.h"
#include "gui_test.h"

// LoadModeDialog under the test hook: presses the named button (按钮1, 按钮2 or 按钮3)
// through its real click handler and answers with what the dialog would return.
template <>
class wxExpectModal<LoadModeDialog> : public wxExpectModalBase<LoadModeDialog> {
public:
    // `meanwhile` runs while the dialog is open, before the button is pressed.
    explicit wxExpectModal(const char* buttonName, std::function<void()> meanwhile = {})
        : button_(buttonName), meanwhile_(std::move(meanwhile)) {}

protected:
    int OnInvoked(LoadModeDialog* dialog) const override {
        if (meanwhile_) meanwhile_();
        wxWindow* button = guitest::find(dialog, button_.c_str());
        EXPECT_TRUE(button) << button_;
        if (!button) return wxID_CANCEL;
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
        return dialog->GetReturnCode();
    }
    wxString GetDefaultDescription() const override { return "LoadModeDialog " + guitest::u8(button_.c_str()); }

private:
    std::string button_;
    std::function<void()> meanwhile_;
};
using ChooseLoadMode = wxExpectModal<LoadModeDialog>;
