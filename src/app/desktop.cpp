#include "app/desktop.h"

#include <wx/config.h>
#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/filefn.h>

#include <algorithm>
#include <climits>

#include "canvas/canvas_ctrl.h"
#include "core/command_line.h"
#include "forms/main_window.h"
#include "image/picture_install.h"
#include "project/project_session.h"
#include "toolkit/message_box.h"
#include "toolkit/modal_state.h"
#include "toolkit/settings.h"
#include "toolkit/widgets.h"

namespace {

constexpr const char* kX = "/Window/X";
constexpr const char* kY = "/Window/Y";
constexpr const char* kWidth = "/Window/Width";
constexpr const char* kHeight = "/Window/Height";
constexpr const char* kMaximized = "/Window/Maximized";

int clampToInt(long long v) {
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, v)));
}

// The saved place, fitted to the display it was on (the first one when that is
// gone); nothing without a complete and sensible saved place.
void restorePlace(MainWindow& window) {
    wxConfigBase& c = settings::config();
    long x = 0, y = 0, width = 0, height = 0;
    if (!c.Read(kX, &x) || !c.Read(kY, &y) || !c.Read(kWidth, &width) || !c.Read(kHeight, &height))
        return;
    const place::WindowRect saved{clampToInt(x), clampToInt(y), clampToInt(width),
                                  clampToInt(height)};
    const wxPoint middle(clampToInt(static_cast<long long>(saved.x) + saved.width / 2),
                         clampToInt(static_cast<long long>(saved.y) + saved.height / 2));
    int display = wxDisplay::GetFromPoint(middle);
    if (display == wxNOT_FOUND) display = 0;
    if (wxDisplay::GetCount() == 0) return;
    const wxRect area = wxDisplay(static_cast<unsigned>(display)).GetClientArea();
    const auto fit = place::fitToScreen(saved, {area.x, area.y, area.width, area.height});
    if (!fit) return;
    window.SetSize(fit->x, fit->y, fit->width, fit->height);
    bool maximized = false;
    if (c.Read(kMaximized, &maximized) && maximized) window.Maximize();
}

void notePlace(MainWindow& window) {
    DesktopSession& d = *window.desktop;
    d.maximized = window.IsMaximized();
    if (d.maximized || window.IsIconized() || window.IsFullScreen()) return;
    const wxRect r = window.GetRect();
    d.normalRect = {r.x, r.y, r.width, r.height};
    d.placeKnown = true;
}

// Project files dropped anywhere on the window; pictures still go to the canvas only.
class WindowDropTarget : public wxFileDropTarget {
  public:
    explicit WindowDropTarget(MainWindow* window) : window_(window) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
        if (files.empty() || toolkit::modalOpen()) return false;
        const wxString first = files[0];
        if (!startup::isProjectPath(toolkit::toUtf8(first))) return false;
        // The question may open: after the drop has been answered.
        MainWindow* w = window_;
        w->CallAfter([w, first] { openDroppedProject(*w, first); });
        return true;
    }

  private:
    MainWindow* window_;
};

}  // namespace

DesktopSession::~DesktopSession() {
    if (!placeKnown) return;
    wxConfigBase& c = settings::config();
    c.Write(kX, static_cast<long>(normalRect.x));
    c.Write(kY, static_cast<long>(normalRect.y));
    c.Write(kWidth, static_cast<long>(normalRect.width));
    c.Write(kHeight, static_cast<long>(normalRect.height));
    c.Write(kMaximized, maximized);
    settings::save();
}

void bindDesktop(MainWindow& window) {
    MainWindow* w = &window;
    window.desktop = std::make_unique<DesktopSession>();
    restorePlace(window);
    notePlace(window);
    window.Bind(wxEVT_MOVE, [w](wxMoveEvent& e) {
        e.Skip();
        notePlace(*w);
    });
    window.Bind(wxEVT_SIZE, [w](wxSizeEvent& e) {
        e.Skip();
        notePlace(*w);
    });
    window.Bind(wxEVT_MAXIMIZE, [w](wxMaximizeEvent& e) {
        e.Skip();
        notePlace(*w);
    });

    // A project dropped on the canvas opens; anything else keeps its meaning there.
    auto pictures = window.canvas->onFilesDropped;
    window.canvas->onFilesDropped = [w, pictures](const std::vector<wxString>& files) {
        if (!files.empty() && startup::isProjectPath(toolkit::toUtf8(files.front()))) {
            openDroppedProject(*w, files.front());
        } else if (pictures) {
            pictures(files);
        }
    };
    window.SetDropTarget(new WindowDropTarget(w));
    bindRecentProjects(window);
}

void openDroppedProject(MainWindow& window, const wxString& path) {
    if (toolkit::modalOpen() || !confirmDiscard(window)) return;
    openProjectFile(window, toolkit::toUtf8(path));
}

void openAtStart(MainWindow& window, const std::vector<std::string>& args) {
    offerRecovery(window);
    openFromCommandLine(window, args);
}

void openFromCommandLine(MainWindow& window, const std::vector<std::string>& args) {
    const startup::StartRequest r = startup::readCommandLine(args, toolkit::toUtf8(wxGetCwd()));
    switch (r.kind) {
        case startup::StartKind::nothing:
            return;
        case startup::StartKind::tooMany:
            showMessage(startup::tooManyFilesMessage(r.count));
            return;
        case startup::StartKind::project:
            if (confirmDiscard(window)) openProjectFile(window, r.path);
            return;
        case startup::StartKind::picture:
            dropFiles(window, {toolkit::fromUtf8(r.path)});
            return;
    }
}
