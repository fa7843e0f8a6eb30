#include "app/app.h"

#include <wx/image.h>
#include <wx/log.h>

#include "core/random.h"
#include "forms/main_window.h"
#include "toolkit/program_icon.h"

void initialiseToolkit() {
    wxInitAllImageHandlers();
    // The program reports what matters in its own message boxes; wx's own log
    // messages go to standard error instead of piling up into a dialog.
    delete wxLog::SetActiveTarget(new wxLogStderr);
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
    bindReset(*window);
    bindCodeOutput(*window);
    window->Show();
    return window;
}

bool HotspotApp::OnInit() {
    initialiseToolkit();
    state_ = std::make_unique<AppState>();
    rng::seedFromTicks();
    openMainWindow(*state_);
    return true;
}

int HotspotApp::OnExit() {
    state_.reset();
    return wxApp::OnExit();
}
