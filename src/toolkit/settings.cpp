#include "toolkit/settings.h"

#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include <memory>

#include "core/limits.h"
#include "platform/files.h"
#include "toolkit/folders.h"
#include "toolkit/settings_text.h"
#include "toolkit/widgets.h"

namespace settings {

namespace {

std::unique_ptr<wxFileConfig>& current() {
    static std::unique_ptr<wxFileConfig> config;
    return config;
}

// The file's bytes; nothing when it cannot be read or is larger than any settings file.
std::string readBytes() {
    const wxString path = filePath();
    if (path.empty()) return {};
    std::string bytes, error;
    if (!platform::readWholeFile(toolkit::toUtf8(path), bytes, error, limits::kMaxSettingsBytes))
        return {};
    return bytes;
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
    if (!c) c = fromBytes(readBytes());
    return *c;
}

void save() {
    const wxString path = filePath();
    if (path.empty()) return;
    config();
    std::string bytes;
    if (!toBytes(*current(), bytes)) return;
    if (!platform::makeFolders(toolkit::toUtf8(toolkit::settingsFolder()))) return;
    std::string error;
    platform::writeFileAtomically(toolkit::toUtf8(path), bytes, error);
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
