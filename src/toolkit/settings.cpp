#include "toolkit/settings.h"

#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/sstream.h>

#include <memory>

#include "core/limits.h"
#include "platform/files.h"
#include "toolkit/folders.h"
#include "toolkit/widgets.h"

namespace settings {

namespace {

std::unique_ptr<wxFileConfig>& current() {
    static std::unique_ptr<wxFileConfig> config;
    return config;
}

// The file's text, or nothing when it cannot be a settings file of the program.
wxString readText() {
    const wxString path = filePath();
    if (path.empty()) return {};
    std::string bytes, error;
    if (!platform::readWholeFile(toolkit::toUtf8(path), bytes, error, limits::kMaxSettingsBytes))
        return {};
    // Bytes that are not UTF-8 come out empty: the whole file is ignored.
    return wxString::FromUTF8(bytes.data(), bytes.size());
}

const char* folderKey(Folder which) {
    switch (which) {
        case Folder::pictures:
            return "/Folders/Pictures";
        case Folder::projects:
            return "/Folders/Projects";
        case Folder::import:
            return "/Folders/Import";
    }
    return "/Folders/Other";
}

}  // namespace

wxString filePath() {
    const wxString folder = toolkit::settingsFolder();
    if (folder.empty()) return {};
    return folder + wxFileName::GetPathSeparator() + "settings.ini";
}

wxConfigBase& config() {
    std::unique_ptr<wxFileConfig>& c = current();
    if (!c) {
        wxLogNull quiet;  // lines it cannot read are left out, not reported
        wxStringInputStream in(readText());
        c = std::make_unique<wxFileConfig>(in, wxConvUTF8);
        // Values are taken as written: a '$' in a folder's name is no variable.
        c->SetExpandEnvVars(false);
    }
    return *c;
}

void save() {
    const wxString path = filePath();
    if (path.empty()) return;
    wxString text;
    {
        wxStringOutputStream out(&text, wxConvUTF8);
        auto& c = static_cast<wxFileConfig&>(config());
        if (!c.Save(out, wxConvUTF8)) return;
    }
    if (!platform::makeFolders(toolkit::toUtf8(toolkit::settingsFolder()))) return;
    std::string error;
    platform::writeFileAtomically(toolkit::toUtf8(path), toolkit::toUtf8(text), error);
}

void reload() { current().reset(); }

wxString lastFolder(Folder which) {
    wxString folder;
    if (!config().Read(folderKey(which), &folder) || folder.empty()) return {};
    return wxDirExists(folder) ? folder : wxString();
}

void rememberFolder(Folder which, const wxString& picked) {
    const wxString folder = wxFileName(picked).GetPath();
    if (folder.empty()) return;
    wxString before;
    if (config().Read(folderKey(which), &before) && before == folder) return;
    config().Write(folderKey(which), folder);
    save();
}

}  // namespace settings
