// The 文件 menu: new, open and save projects, the unsaved-changes question, and the
// window title that shows the project and whether it is saved.
#include <wx/button.h>
#include <wx/clrpicker.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include "app/desktop.h"
#include "app/reset.h"
#include "canvas/canvas_ctrl.h"
#include "core/map_code.h"
#include "core/preview_document.h"
#include "forms/main_window.h"
#include "forms/main_window_texts.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"
#include "image/picture_install.h"
#include "platform/files.h"
#include "project/project_session.h"
#include "toolkit/message_box.h"
#include "toolkit/settings.h"
#include "toolkit/widgets.h"

namespace {

// Holds back the change watch while a handler rebuilds the work step by step.
class PauseWatch {
  public:
    explicit PauseWatch(ProjectSession& s) : s_(s) { ++s_.paused; }
    ~PauseWatch() { --s_.paused; }
    PauseWatch(const PauseWatch&) = delete;
    PauseWatch& operator=(const PauseWatch&) = delete;

  private:
    ProjectSession& s_;
};

// The picture's place on the canvas is the view: it is saved with the project, but
// moving it changes no work.
bool sameWork(project::Project a, const project::Project& b) {
    a.picture.left = b.picture.left;
    a.picture.top = b.picture.top;
    return a == b;
}

void updateTitle(MainWindow& window) {
    const wxString title = projectTitle(*window.session);
    if (window.GetTitle() != title) window.SetTitle(title);
}

// The work now counts as saved (or as begun, for a new project).
void markSaved(MainWindow& window) {
    ProjectSession& s = *window.session;
    takeSettingsFromControls(window);
    s.saved = captureProject(window);
    s.lastSeen = s.saved;
    s.dirty = false;
    removeRecovery(window);
    updateTitle(window);
}

wxString suggestedName(const MainWindow& window) {
    const ProjectSession& s = *window.session;
    if (!s.projectPath.empty()) return toolkit::fromUtf8(project::fileNameOf(s.projectPath));
    std::string base = window.state.imagePath.empty()
                           ? std::string(kUntitled)
                           : preview::pictureFileName(window.state.imagePath, "/\\");
    base = base.substr(0, base.find_first_of("?#"));
    const size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0) base = base.substr(0, dot);
    if (base.empty()) base = kUntitled;
    return toolkit::fromUtf8(base + project::kExtension);
}

bool chooseProjectFile(MainWindow& window, bool save, std::string& path) {
    const ProjectSession& s = *window.session;
    // The current project's folder, else the one a project was last opened or saved in.
    wxString folder = toolkit::fromUtf8(project::folderOf(s.projectPath));
    if (folder.empty()) folder = settings::lastFolder(settings::Folder::projects);
    wxFileDialog dialog(&window, toolkit::fromUtf8(save ? "保存工程" : "打开工程"), folder,
                        save ? suggestedName(window) : wxString(), toolkit::fromUtf8(kProjectFilter),
                        save ? (wxFD_SAVE | wxFD_OVERWRITE_PROMPT) : (wxFD_OPEN | wxFD_FILE_MUST_EXIST));
    if (dialog.ShowModal() != wxID_OK) return false;
    path = toolkit::toUtf8(dialog.GetPath());
    settings::rememberFolder(settings::Folder::projects, dialog.GetPath());
    // A name typed without an extension gets the project's; one the user typed is kept.
    const std::string name = project::fileNameOf(path);
    if (save && name.find('.', 1) == std::string::npos) path += project::kExtension;
    return !path.empty();
}

// Brings the project's picture back: its path as saved, else beside the project
// file as it was then, else wherever the user says it is now.
bool bringBackPicture(MainWindow& window, const project::PictureRecord& r,
                      const std::string& projectFolder) {
    if (r.loadMode == 1) return loadNetworkAddress(window, r.path);
    std::string path = r.path;
    if (!platform::fileExists(path) && !r.relativePath.empty() && !projectFolder.empty()) {
        const std::string beside = project::resolveAgainst(projectFolder, r.relativePath);
        if (platform::fileExists(beside)) path = beside;
    }
    if (!platform::fileExists(path)) {
        showMessage("找不到工程的图片：" + r.path + "\n请指出图片现在的位置。");
        wxString picked;
        if (!pickPictureFile(window, picked)) return false;
        path = toolkit::toUtf8(picked);
    }
    return loadLocalPicture(window, toolkit::fromUtf8(path), nullptr);
}

}  // namespace

project::Project captureProject(const MainWindow& window) {
    const AppState& state = window.state;
    const CanvasCtrl& canvas = *window.canvas;
    project::Project p;
    p.hasPicture = state.pictureObject != 0;
    if (p.hasPicture) {
        project::PictureRecord& r = p.picture;
        r.loadMode = state.loadMode;
        r.path = state.imagePath;
        r.uploadedAddress = state.loadMode == 1 ? std::string() : window.document.codeAddress();
        r.width = state.imageWidth;
        r.height = state.imageHeight;
        r.left = canvas.objectLeft(state.pictureObject);
        r.top = canvas.objectTop(state.pictureObject);
    }
    const doc::Document& work = window.document;
    p.hotspots.reserve(work.hotspots().size());
    for (const doc::Hotspot& h : work.hotspots())
        p.hotspots.push_back({h.rect.x, h.rect.y, h.rect.w, h.rect.h, h.link, h.tip, h.locked});
    const doc::Settings& s = work.settings();
    p.hotspotColour = s.hotspotColour;
    p.borderColour = s.borderColour;
    p.backgroundColour = s.backgroundColour;
    p.transparency = s.transparency;
    return p;
}

wxString projectTitle(const ProjectSession& s) {
    std::string title = mainform::kTitle;
    if (!s.projectPath.empty()) title += " - " + project::fileNameOf(s.projectPath);
    else if (s.dirty) title += std::string(" - ") + kUntitled;
    if (s.dirty) title += " *";
    return toolkit::fromUtf8(title);
}

bool isDirty(const MainWindow& window) { return window.session->dirty; }

void noteWork(MainWindow& window) {
    ProjectSession& s = *window.session;
    if (s.paused) return;
    s.lastLook = std::chrono::steady_clock::now();
    takeSettingsFromControls(window);
    project::Project now = captureProject(window);
    if (sameWork(now, s.lastSeen)) return;
    s.lastSeen = std::move(now);
    s.dirty = !sameWork(s.lastSeen, s.saved);
    updateTitle(window);
    if (!s.dirty) {
        removeRecovery(window);
        return;
    }
    // At most one recovery write a second; a change within the second waits for it.
    const auto since = std::chrono::steady_clock::now() - s.lastRecoveryWrite;
    if (since >= std::chrono::seconds(1)) {
        writeRecoveryNow(window);
    } else if (!s.recoveryTimer.IsRunning()) {
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::seconds(1) - since);
        s.recoveryTimer.StartOnce(static_cast<int>(wait.count()) + 1);
    }
}

bool confirmDiscard(MainWindow& window) {
    noteWork(window);
    if (!isDirty(window)) return true;
    switch (askSaveChanges(kUnsavedQuestion)) {
    case wxID_YES: return saveProject(window);
    case wxID_NO: return true;
    default: return false;
    }
}

bool saveProjectTo(MainWindow& window, const std::string& path) {
    takeSettingsFromControls(window);
    project::Project p = captureProject(window);
    if (p.hasPicture && p.picture.loadMode == 0)
        p.picture.relativePath = project::relativeTo(project::folderOf(path), p.picture.path);
    const std::string bytes = project::toJson(p);
    std::string error = project::limitProblem(p, bytes.size());
    if (!error.empty()) {
        showMessage("工程无法保存：" + error + "，保存后将无法再打开。请先减少热点或缩短文字。");
        return false;
    }
    // What saves killed half-way left in this folder goes now.
    platform::removeStaleSaves(project::folderOf(path).empty() ? "." : project::folderOf(path));
    if (!platform::writeFileAtomically(path, bytes, error)) {
        showMessage("工程保存失败（" + error + "）：" + path);
        return false;
    }
    window.session->projectPath = path;
    markSaved(window);
    noteRecentProject(window, path);
    return true;
}

bool saveProject(MainWindow& window) {
    const std::string path = window.session->projectPath;
    if (path.empty()) return saveProjectAs(window);
    return saveProjectTo(window, path);
}

bool saveProjectAs(MainWindow& window) {
    std::string path;
    if (!chooseProjectFile(window, true, path)) return false;
    return saveProjectTo(window, path);
}

void newProject(MainWindow& window) {
    if (!confirmDiscard(window)) return;
    resetAll(window);
    window.session->projectPath.clear();
    markSaved(window);
}

bool restoreProject(MainWindow& window, const project::Project& p, const std::string& projectFolder) {
    ProjectSession& s = *window.session;
    PauseWatch pause(s);
    // The work is a new one however the restoring ends: nothing before it can be taken back.
    struct ForgetSteps {
        MainWindow& window;
        ~ForgetSteps() { forgetUndoSteps(window); }
    } forget{window};
    resetAll(window);
    // Looks first: the hotspots take their faces and transparency from these.
    applyHotspotSettings(window, p.hotspotColour, p.borderColour, p.backgroundColour, p.transparency);
    if (!p.hasPicture) return true;

    const project::PictureRecord& r = p.picture;
    if (!bringBackPicture(window, r, projectFolder)) {
        resetAll(window);
        return false;
    }
    AppState& state = window.state;
    state.loadMode = r.loadMode;
    if (state.imageWidth != r.width || state.imageHeight != r.height)
        showMessage("图片的尺寸（" + text::number(state.imageWidth) + "×" + text::number(state.imageHeight) +
                    "）与工程中保存的尺寸（" + text::number(r.width) + "×" + text::number(r.height) +
                    "）不同，热点将按保存的位置恢复。");
    window.canvas->moveObject(state.pictureObject, r.left, r.top);
    if (r.loadMode == 0) {
        window.document.setCodeAddress(r.uploadedAddress);
        state.codeImageAddressPicture = state.imagePath;
    }
    std::vector<NewHotspot> spots;
    spots.reserve(p.hotspots.size());
    for (const project::HotspotRecord& h : p.hotspots)
        spots.push_back({r.left + h.x, r.top + h.y, h.width, h.height, h.link, h.tip, h.locked});
    createHotspots(window, spots);
    return true;
}

bool openProjectFile(MainWindow& window, const std::string& path) {
    std::string bytes, error;
    project::Project p;
    if (!platform::readWholeFile(path, bytes, error, limits::kMaxProjectBytes)) {
        showMessage("工程文件无法打开（" + error + "）：" + path);
        return false;
    }
    if (!project::fromJson(bytes, p, error)) {
        showMessage(error);
        return false;
    }
    if (!restoreProject(window, p, project::folderOf(path))) {
        window.session->projectPath.clear();
        markSaved(window);
        return false;
    }
    window.session->projectPath = path;
    markSaved(window);
    noteRecentProject(window, path);
    return true;
}

void openProject(MainWindow& window) {
    if (!confirmDiscard(window)) return;
    std::string path;
    if (!chooseProjectFile(window, false, path)) return;
    openProjectFile(window, path);
}

void bindProjectFiles(MainWindow& window) {
    MainWindow* w = &window;
    window.session = std::make_unique<ProjectSession>();
    ProjectSession& s = *window.session;
    s.saved = captureProject(window);
    s.lastSeen = s.saved;
    s.recoveryPath = recoveryFolder().empty()
                         ? std::string()
                         : recoveryFolder() + "/recovery-" + std::to_string(platform::currentProcessId()) +
                               project::kExtension;
    s.recoveryTimer.Bind(wxEVT_TIMER, [w](wxTimerEvent&) {
        if (w->session->dirty) writeRecoveryNow(*w);
    });
    updateTitle(window);

    auto onMenu = [w](wxMenuItem* item, std::function<void(MainWindow&)> action) {
        w->Bind(wxEVT_MENU, [w, action](wxCommandEvent&) { action(*w); }, item->GetId());
    };
    onMenu(window.menuNewProject, newProject);
    onMenu(window.menuOpenProject, openProject);
    onMenu(window.menuSaveProject, [](MainWindow& m) { saveProject(m); });
    onMenu(window.menuSaveProjectAs, [](MainWindow& m) { saveProjectAs(m); });
    onMenu(window.menuImportCode, importCode);
    onMenu(window.menuExit, [](MainWindow& m) { m.Close(); });
    // 清空 begins a new, untitled work, after the unsaved-changes question when
    // there is something to lose; the next save then asks where.
    window.clearButton->Bind(wxEVT_BUTTON, [w](wxCommandEvent&) { newProject(*w); });

    // Every change of the work shows in the title soon after it happened: when the
    // window is idle, but no more than every 50 ms while it is busy (a drag).
    s.lookTimer.Bind(wxEVT_TIMER, [w](wxTimerEvent&) { noteWork(*w); });
    window.Bind(wxEVT_IDLE, [w](wxIdleEvent& e) {
        e.Skip();
        ProjectSession& session = *w->session;
        const auto since = std::chrono::steady_clock::now() - session.lastLook;
        if (since >= std::chrono::milliseconds(50)) {
            noteWork(*w);
        } else if (!session.lookTimer.IsRunning()) {
            session.lookTimer.StartOnce(51 - static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count()));
        }
    });
    // Closing throws the work away: ask first while it is unsaved.
    window.Bind(wxEVT_CLOSE_WINDOW, [w](wxCloseEvent& e) {
        if (e.CanVeto() && !confirmDiscard(*w)) {
            e.Veto();
            return;
        }
        removeRecovery(*w);
        e.Skip();
    });
}
