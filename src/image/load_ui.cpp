// 按钮载入 and the drop on the canvas: the local branch with the open-file dialog.
#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include "canvas/canvas_ctrl.h"
#include "forms/load_mode_dialog.h"
#include "forms/main_window.h"
#include "image/picture_install.h"
#include "toolkit/file_filter.h"
#include "toolkit/folders.h"
#include "toolkit/message_box.h"
#include "toolkit/modal_state.h"
#include "toolkit/path_text.h"
#include "toolkit/settings.h"
#include "toolkit/widgets.h"

const char* const kOpenDialogTitle = "请选择图片文件";

namespace {

// The six filter entries, text and pattern, the first selected initially.
constexpr const char* kFilters[][2] = {
    {"所有图片文件(*.jpg;*.bmp;*.png;*.ico;*.gif)", "*.jpg;*.bmp;*.png;*.ico;*.gif"},
    {"JPEG图片文件(*.jpg)", "*.jpg"},
    {"PNG图片文件(*.png)", "*.png"},
    {"位图文件(*.bmp)", "*.bmp"},
    {"图标文件（*.ico）", "*.ico"},
    {"GIF动图文件（打开后为静态）", "*.gif"},
};

}  // namespace

bool loadLocalPicture(MainWindow& window, const wxString& path, const std::string* lastPicked) {
    Bytes data;
    std::string error;
    if (!readPictureFile(path, data, error)) {
        showMessage(error);
        return false;
    }
    return bringInPicture(window, toolkit::pathText(path), std::move(data), lastPicked);
}

toolkit::FileFilters openDialogFilters() {
    toolkit::FileFilters filters;
    for (const auto& f : kFilters) filters.emplace_back(f[0], f[1]);
    return filters;
}

wxString openDialogWildcard() {
    wxString wildcard;
    for (const auto& f : kFilters) {
        if (!wildcard.empty()) wildcard += "|";
        wildcard += toolkit::fromUtf8(f[0]) + "|" + toolkit::fromUtf8(f[1]);
    }
    return wildcard;
}

// The folder the dialog opens in is the last picked path; GTK opens folders only,
// so a file path stands for its folder, and an address or a vanished path for the
// folder a picture was picked in on an earlier run, else the first-use folder.
wxString openDialogFolder(const std::string& lastPickedPath) {
    const auto earlier = [] {
        const wxString remembered = settings::lastFolder(settings::Folder::pictures);
        return remembered.empty() ? toolkit::firstUseFolder() : remembered;
    };
    if (lastPickedPath.empty()) return earlier();
    const wxString last = toolkit::fromUtf8(lastPickedPath);
    if (wxDirExists(last)) return last;
    const wxString parent = wxFileName(last).GetPath();
    if (!parent.empty() && wxDirExists(parent)) return parent;
    return earlier();
}

bool pickPictureFile(MainWindow& window, wxString& path) {
    const wxString folder = openDialogFolder(window.state.lastPickedPath);
    wxFileDialog dialog(&window, toolkit::fromUtf8(kOpenDialogTitle), folder, wxEmptyString,
                        openDialogWildcard(), wxFD_OPEN | wxFD_FILE_MUST_EXIST, wxDefaultPosition,
                        wxDefaultSize, toolkit::fromUtf8("通用对话框1"));
    dialog.SetName(toolkit::fromUtf8("通用对话框1"));  // GTK's dialog ignores the constructor's name
    toolkit::setAnyCaseFilters(dialog, openDialogFilters());
    dialog.SetFilterIndex(0);
    if (dialog.ShowModal() != wxID_OK) return false;
    path = dialog.GetPath();
    settings::rememberFolder(settings::Folder::pictures, path);
    return true;
}

void runLoadHandler(MainWindow& window) {
    toolkit::ModalScope modal;  // dialogs, the download and the decode: no drop meanwhile
    AppState& state = window.state;
    {
        LoadModeDialog dialog(state);
        dialog.ShowModal();
    }
    if (state.loadDialogCancelled == 1) return;
    if (state.loadMode != 0) {
        loadNetworkPicture(window);
        return;
    }
    wxString path;
    if (!pickPictureFile(window, path)) return;
    const std::string picked = toolkit::toUtf8(path);
    loadLocalPicture(window, path, &picked);
}

void dropFiles(MainWindow& window, const std::vector<wxString>& files) {
    // While a dialog or a message box is open a picture would land behind it.
    if (files.empty() || toolkit::modalOpen()) return;
    // Several files at once: the first is taken.
    if (loadLocalPicture(window, files.front(), nullptr)) window.state.loadMode = 0;
}

void bindPictureLoading(MainWindow& window) {
    window.loadButton->Bind(wxEVT_BUTTON, [&window](wxCommandEvent&) { runLoadHandler(window); });
    window.canvas->onFilesDropped = [&window](const std::vector<wxString>& files) {
        dropFiles(window, files);
    };
}
