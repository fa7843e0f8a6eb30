#include "app/app.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/translation.h>

#include <new>
#include <string>
#include <vector>

#include "app/desktop.h"
#include "core/random.h"
#include "forms/main_window.h"
#include "platform/arguments.h"
#include "project/project_session.h"
#include "toolkit/message_box.h"
#include "toolkit/modal_state.h"
#include "toolkit/program_icon.h"
#include "toolkit/settings.h"
#include "toolkit/system_texts.h"
#include "toolkit/widgets.h"

namespace {

// wx's own texts (standard buttons, progress boxes) in Simplified Chinese, like
// everything else the program shows. Only the texts change: a whole zh_CN locale
// (wxLocale) also switches the character handling, and with it GTK's choice of
// input method; the canvas then received every pointer motion twice.
void setUpChineseTexts() {
    static bool done = false;
    if (done) return;
    done = true;
    auto* translations = new wxTranslations;  // wx owns it from here on
    translations->SetLanguage(wxLANGUAGE_CHINESE_SIMPLIFIED);
    translations->AddStdCatalog();
    wxTranslations::Set(translations);
    toolkit::useChineseSystemTexts();
}

}  // namespace

void initialiseToolkit() {
    wxInitAllImageHandlers();
    // The program reports what matters in its own message boxes; wx's own log
    // messages go to standard error instead of piling up into a dialog.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    setUpChineseTexts();
    toolkit::watchModalDialogs();
    // Debian's wx keeps asserts on; a failed one must not block the user with a dialog.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func,
                          const wxString& cond, const wxString& msg) {
        wxLogDebug("assert %s:%d %s %s %s", file, line, func, cond, msg);
    });
}

MainWindow* openMainWindow(AppState& state) {
    auto* window = new MainWindow(state);
    toolkit::setProgramIcon(*window);
    bindPictureLoading(*window);
    bindHotspotEditing(*window);
    bindCanvasHandlers(*window);
    bindCodeOutput(*window);
    bindHotspotInfo(*window);
    bindDrawOverlay(*window);
    bindCanvasEditing(*window);
    bindFocusValues(*window);
    bindUndo(*window);
    bindProjectFiles(*window);
    bindPreview(*window);
    bindDesktop(*window);
    window->Show();
    return window;
}

bool HotspotApp::OnInit() {
    initialiseToolkit();
    state_ = std::make_unique<AppState>();
    rng::seedFromTicks();
    MainWindow* window = openMainWindow(*state_);
    // The system's own copy of the arguments keeps a file's name as it is; the
    // toolkit's, converted by the locale, only serves when the toolkit took some
    // arguments for itself.
    std::vector<std::string> args;
    const auto given = platform::commandLineArguments();
    if (given && given->size() + 1 == static_cast<size_t>(argc)) {
        args = *given;
    } else {
        for (int i = 1; i < argc; ++i) args.push_back(toolkit::toUtf8(argv[i]));
    }
    // Work left behind by a run that was killed or crashed is offered back first;
    // then the file the program was started with is opened.
    window->CallAfter([window, args] { openAtStart(*window, args); });
    return true;
}

bool HotspotApp::OnExceptionInMainLoop() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        showMessage("内存不足，刚才的操作没有完成");
    } catch (...) {
        showMessage("程序出现了内部错误，刚才的操作没有完成");
    }
    return true;
}

int HotspotApp::OnExit() {
    state_.reset();
    settings::reload();
    return wxApp::OnExit();
}
