// 文件 → 最近打开: the last projects opened or saved, newest first, kept in the
// settings; an entry whose file is gone is reported and removed; 清除列表 empties it.
#include <wx/config.h>
#include <wx/filefn.h>
#include <wx/menu.h>

#include "app/desktop.h"
#include "forms/main_window.h"
#include "project/project_session.h"
#include "toolkit/message_box.h"
#include "toolkit/settings.h"
#include "toolkit/widgets.h"

namespace {

constexpr const char* kRecentGroup = "/RecentProjects";

// "&1 /path/to/a.hzproj": the number is the entry's key; an "&" in the path is shown as such.
wxString entryLabel(size_t index, wxString path) {
    path.Replace("&", "&&");
    return wxString::Format("&%d %s", static_cast<int>(index + 1), path);
}

void showRecent(MainWindow& window) {
    DesktopSession& d = *window.desktop;
    wxMenu* menu = d.recentMenu;
    const int clearId = d.clearRecentItem ? d.clearRecentItem->GetId() : wxWindow::NewControlId();
    while (menu->GetMenuItemCount() > 0) menu->Destroy(menu->FindItemByPosition(0));
    const size_t count = d.recent.GetCount();
    for (size_t i = 0; i < count; ++i)
        menu->Append(wxID_FILE1 + static_cast<int>(i), entryLabel(i, d.recent.GetHistoryFile(i)));
    if (count > 0) menu->AppendSeparator();
    d.clearRecentItem = menu->Append(clearId, toolkit::fromUtf8(kClearRecent));
    d.clearRecentItem->Enable(count > 0);
}

void keepRecent(MainWindow& window) {
    wxConfigBase& c = settings::config();
    c.DeleteGroup(kRecentGroup);
    c.SetPath(kRecentGroup);
    window.desktop->recent.Save(c);
    c.SetPath("/");
    settings::save();
    showRecent(window);
}

void clearRecent(MainWindow& window) {
    wxFileHistory& recent = window.desktop->recent;
    while (recent.GetCount() > 0) recent.RemoveFileFromHistory(0);
    keepRecent(window);
}

}  // namespace

void bindRecentProjects(MainWindow& window) {
    DesktopSession& d = *window.desktop;
    {
        wxConfigBase& c = settings::config();
        c.SetPath(kRecentGroup);
        d.recent.Load(c);
        c.SetPath("/");
    }
    // Below 打开工程, where the work to open again is looked for.
    size_t position = 0;
    const wxMenuItemList& items = window.fileMenu->GetMenuItems();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == window.menuOpenProject) position = i + 1;
    d.recentMenu = new wxMenu;
    d.recentMenuItem =
        window.fileMenu->Insert(position, wxID_ANY, toolkit::fromUtf8(kRecentMenu), d.recentMenu);
    showRecent(window);

    MainWindow* w = &window;
    window.Bind(
        wxEVT_MENU,
        [w](wxCommandEvent& e) {
            openRecentProject(*w, static_cast<size_t>(e.GetId() - wxID_FILE1));
        },
        wxID_FILE1, wxID_FILE1 + DesktopSession::kRecentCount - 1);
    window.Bind(
        wxEVT_MENU, [w](wxCommandEvent&) { clearRecent(*w); }, d.clearRecentItem->GetId());
}

void noteRecentProject(MainWindow& window, const std::string& path) {
    if (!window.desktop || path.empty()) return;
    window.desktop->recent.AddFileToHistory(toolkit::fromUtf8(path));
    keepRecent(window);
}

void openRecentProject(MainWindow& window, size_t index) {
    wxFileHistory& recent = window.desktop->recent;
    if (index >= recent.GetCount()) return;
    const wxString path = recent.GetHistoryFile(index);
    if (!wxFileExists(path)) {
        recent.RemoveFileFromHistory(index);
        keepRecent(window);
        showMessage(kRecentGone + toolkit::toUtf8(path));
        return;
    }
    if (!confirmDiscard(window)) return;
    openProjectFile(window, toolkit::toUtf8(path));
}
