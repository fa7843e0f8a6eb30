// The GUI test program: GoogleTest inside a real wx application under Xvfb.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filefn.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/utils.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include <unistd.h>

#include "app/app.h"
#include "toolkit/clipboard.h"
#include "toolkit/settings.h"
#include "gui_test.h"

namespace guitest {

::testing::AssertionResult waitFor(const char* what, const std::function<bool()>& done,
                                   int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            if (done()) break;
            return ::testing::AssertionFailure()
                   << "timed out after " << timeoutMs << " ms waiting for " << what;
        }
        wxYield();
        wxMilliSleep(5);
    }
    return ::testing::AssertionSuccess();
}

void drainEvents() {
    // The simulator syncs with the X server after each event it makes; a round trip on
    // our own connection then brings in every event the server has queued for us.
    (void)wxGetMousePosition();
    // Each pass may post more (a handler's CallAfter, a repaint); a bounded number of
    // passes keeps a program that always has work from holding the test.
    for (int pass = 0; pass < 100; ++pass) {
        wxYield();
        if (!wxTheApp->Pending() && !wxTheApp->HasPendingEvents()) break;
    }
}

void pump(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        wxYield();
        wxMilliSleep(5);
    } while (std::chrono::steady_clock::now() < end);
}

wxWindow* find(wxWindow* root, const char* name) {
    return wxWindow::FindWindowByName(wxString::FromUTF8(name), root);
}

std::string screenshot(wxWindow* window, const std::string& fileName) {
    pump(100);
    if (!wxDirExists(SCREENSHOT_DIR)) wxMkdir(SCREENSHOT_DIR);
    // Ask X for the pixels: a wxScreenDC may hand back an earlier capture once the
    // process has copied from the screen before.
    const wxRect r = window->GetScreenRect();
    const std::string path = std::string(SCREENSHOT_DIR) + "/" + fileName;
    const std::string cmd = "import -window root -crop " + std::to_string(r.width) + "x" +
                            std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
                            std::to_string(r.y) + " +repage " + path;
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "screenshot failed: " << cmd;
    return path;
}

void pressButton(wxWindow* button) {
    wxCommandEvent e(wxEVT_BUTTON, button->GetId());
    e.SetEventObject(button);
    button->ProcessWindowEvent(e);
}

std::string clipboardText() { return toolkit::clipboardText(); }

void MainWindowTest::SetUp() {
    // Each test starts as a first run: no settings kept by an earlier one.
    if (wxFileExists(settings::filePath())) wxRemoveFile(settings::filePath());
    settings::reload();
    state = std::make_unique<AppState>();
    window = openMainWindow(*state);
    ASSERT_TRUE(waitFor("the main window to show", [this] { return window->IsShownOnScreen(); }));
    drainEvents();
}

void MainWindowTest::TearDown() {
    if (window) {
        window->Destroy();
        window = nullptr;
    }
    drainEvents();
    state.reset();
}

}  // namespace guitest

namespace {

// Any dialog that a test did not expect fails the test instead of hanging it.
class UnexpectedDialogHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override {
        if (guitest::drivenModals().count(dialog)) return wxID_NONE;
        ADD_FAILURE() << "unexpected modal dialog: " << dialog->GetTitle().utf8_str()
                      << " / " << dialog->GetClassInfo()->GetClassName();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

class TestApp : public wxApp {
public:
    bool OnInit() override {
        initialiseToolkit();
        wxSetAssertHandler([](const wxString& file, int line, const wxString& func,
                              const wxString& cond, const wxString& msg) {
            ADD_FAILURE() << "wx assert " << file.utf8_str() << ":" << line << " in "
                          << func.utf8_str() << ": " << cond.utf8_str() << " " << msg.utf8_str();
        });
        SetExitOnFrameDelete(false);
        return true;
    }
    int OnRun() override {
        wxEventLoopGuarantor loop;
        hook_.Register();
        const int result = RUN_ALL_TESTS();
        hook_.Unregister();
        return result;
    }

private:
    UnexpectedDialogHook hook_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs without a display: answer it before GTK starts.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return RUN_ALL_TESTS();
    // The program's per-user files (recovery files, the preview's cache) and the
    // browser engine's own caches go to fresh folders of the run; a test program
    // started by a test shares its parent's.
    namespace fs = std::filesystem;
    const char* inherited = std::getenv("HUIZHAN_TEST_SCRATCH");
    const fs::path scratch = inherited ? fs::path(inherited)
                                       : fs::temp_directory_path() / ("gui-tests-" + std::to_string(getpid()));
    fs::create_directories(scratch / "cache");
    fs::create_directories(scratch / "data");
    fs::create_directories(scratch / "config");
    setenv("HUIZHAN_TEST_SCRATCH", scratch.c_str(), 1);
    setenv("XDG_CACHE_HOME", (scratch / "cache").c_str(), 1);
    setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    wxApp::SetInstance(new TestApp);
    const int result = wxEntry(argc, argv);
    std::error_code ignored;
    if (!inherited) fs::remove_all(scratch, ignored);
    return result;
}
