// Answers the code window that the program opens modally: runs `act` on it, then closes it.
#pragma once

#include <wx/testing.h>

#include <functional>

#include "forms/code_window.h"

namespace guitest {

class ExpectCodeWindow : public wxExpectModalBase<CodeWindow, ExpectCodeWindow> {
public:
    explicit ExpectCodeWindow(std::function<void(CodeWindow&)> act) : act_(std::move(act)) {}

protected:
    int OnInvoked(CodeWindow* w) const override {
        act_(*w);
        return wxID_CANCEL;
    }
    wxString GetDefaultDescription() const override { return "code window"; }

private:
    std::function<void(CodeWindow&)> act_;
};

}  // namespace guitest
