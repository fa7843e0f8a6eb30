// Shared helpers for the tests that drive real widgets under Xvfb.
#pragma once

#include <gtest/gtest.h>
#include <wx/testing.h>
#include <wx/msgdlg.h>
#include <wx/window.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "core/app_state.h"
#include "forms/main_window.h"
#include "toolkit/input_box.h"
#include "toolkit/widgets.h"

namespace guitest {

class ExpectMessage;
class ExpectInput;

// Processes events until `done` holds or `timeoutMs` passes; returns `done()`.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 3000);
// Processes events for about `ms` milliseconds.
void pump(int ms = 50);
// The window with that name below `root` (wxWindow::FindWindowByName, UTF-8 name).
wxWindow* find(wxWindow* root, const char* name);
// Saves a screenshot of a window as PNG under the build folder; returns the path.
std::string screenshot(wxWindow* window, const std::string& fileName);
// Raises a button's clicked event as a click would.
void pressButton(wxWindow* button);
// The clipboard's plain text as this process reads it back.
std::string clipboardText();
inline wxString u8(const char* s) { return wxString::FromUTF8(s); }
inline std::string s8(const wxString& s) { return toolkit::toUtf8(s); }

// A fresh MainWindow with its own state, shown, with every handler wired.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<AppState> state;
    MainWindow* window = nullptr;
};

// Expects a message box with the program's caption and exactly this text; answers it.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    ExpectMessage(const char* text, int answer = wxID_OK) : text_(text), answer_(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override {
        EXPECT_EQ(s8(dlg->GetMessage()), text_);
        EXPECT_EQ(s8(dlg->GetCaption()), "绘栈提示");
        EXPECT_TRUE(dlg->GetMessageDialogStyle() & wxICON_INFORMATION);
        // The buttons speak Chinese whatever the system's language.
        EXPECT_EQ(s8(dlg->GetOKLabel()), "确定");
        if (dlg->GetMessageDialogStyle() & wxCANCEL) {
            EXPECT_EQ(s8(dlg->GetCancelLabel()), "取消");
        }
        return answer_;
    }
    wxString GetDefaultDescription() const override {
        return wxString::FromUTF8(("message box \"" + text_ + "\"").c_str());
    }

private:
    std::string text_;
    int answer_;
};

// Expects the input box with this title (and prompt, when given); types `text` and
// confirms, or cancels when `cancel` is set.
class ExpectInput : public wxExpectModalBase<InputBox, ExpectInput> {
public:
    ExpectInput(const char* title, const char* text, bool cancel = false, const char* prompt = nullptr)
        : title_(title), text_(text), prompt_(prompt ? prompt : ""), cancel_(cancel) {}
    // The initial text the box was opened with (for checking after the call).
    static std::string& lastInitial() {
        static std::string s;
        return s;
    }

protected:
    int OnInvoked(InputBox* box) const override {
        EXPECT_EQ(s8(box->GetTitle()), title_);
        if (!prompt_.empty()) {
            EXPECT_EQ(s8(box->GetPrompt()), prompt_);
        }
        lastInitial() = s8(box->GetValue());
        if (!cancel_) box->SetValue(wxString::FromUTF8(text_.c_str()));
        return cancel_ ? wxID_CANCEL : wxID_OK;
    }
    wxString GetDefaultDescription() const override {
        return wxString::FromUTF8(("input box \"" + title_ + "\"").c_str());
    }

private:
    std::string title_, text_, prompt_;
    bool cancel_;
};

}  // namespace guitest
