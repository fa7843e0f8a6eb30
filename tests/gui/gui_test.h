// Shared helpers for the tests that drive real widgets under Xvfb.
#pragma once

#include <gtest/gtest.h>
#include <wx/testing.h>
#include <wx/msgdlg.h>
#include <wx/window.h>

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "core/app_state.h"
#include "forms/main_window.h"
#include "toolkit/input_box.h"
#include "toolkit/widgets.h"

namespace guitest {

class ExpectMessage;
class ExpectInput;

// How long a wait goes on before it gives up. A wait ends when its condition holds;
// this only stops a test that would otherwise hang, so it is generous enough for a
// loaded machine and a sanitizer build.
constexpr int kWaitTimeoutMs = 60000;

// Processes events until `done` holds. `what` says what is awaited ("the code window
// to open"): when it has not happened within `timeoutMs` the result is a failure that
// says so, so that ASSERT_TRUE(waitFor(...)) or EXPECT_TRUE(waitFor(...)) names what
// did not happen.
[[nodiscard]] ::testing::AssertionResult waitFor(const char* what,
                                                 const std::function<bool()>& done,
                                                 int timeoutMs = kWaitTimeoutMs);
// Handles what has been sent to the program so far: the input that the simulator
// has made, the events, calls and idle work that it posts. For a step with nothing
// to wait for, or to check that nothing happens.
void drainEvents();
// Processes events for about `ms` milliseconds: only where no condition says that
// the work is done (a picture being painted for a screenshot).
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

// The dialogs that run their real modal loop under a DriveModal; the catch-all
// hook of the test program lets them through.
inline std::set<const wxDialog*>& drivenModals() {
    static std::set<const wxDialog*> dialogs;
    return dialogs;
}

// Lets a window of type T that the program opens modally run its real modal loop,
// and drives it from inside that loop: `act` runs once the loop has started, and
// the window is closed afterwards if `act` left it open (a failed assertion too).
template <class T>
class DriveModal : public wxModalDialogHook {
public:
    explicit DriveModal(std::function<void(T&)> act) : act_(std::move(act)) { Register(); }
    ~DriveModal() override { Unregister(); }
    int runs() const { return runs_; }

protected:
    int Enter(wxDialog* dialog) override {
        T* window = dynamic_cast<T*>(dialog);
        if (!window) return wxID_NONE;
        drivenModals().insert(dialog);
        ++runs_;
        window->CallAfter([this, window] {
            act_(*window);
            if (window->IsModal()) window->Close();
        });
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override { drivenModals().erase(dialog); }

private:
    std::function<void(T&)> act_;
    int runs_ = 0;
};

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

// Expects the question before unsaved work is thrown away; answers wxID_YES (保存),
// wxID_NO (不保存) or wxID_CANCEL (取消).
class ExpectSaveQuestion : public wxExpectModalBase<wxMessageDialog, ExpectSaveQuestion> {
public:
    explicit ExpectSaveQuestion(int answer) : answer_(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override {
        EXPECT_EQ(s8(dlg->GetMessage()), "当前工程尚未保存，是否保存？");
        EXPECT_EQ(s8(dlg->GetCaption()), "绘栈提示");
        EXPECT_TRUE(dlg->GetMessageDialogStyle() & wxICON_INFORMATION);
        EXPECT_EQ(s8(dlg->GetYesLabel()), "保存");
        EXPECT_EQ(s8(dlg->GetNoLabel()), "不保存");
        EXPECT_EQ(s8(dlg->GetCancelLabel()), "取消");
        return answer_;
    }
    wxString GetDefaultDescription() const override { return "the unsaved-changes question"; }

private:
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
