#include <windows.h>
#include <shlobj.h>
#include <wx/filefn.h>

#include "platform/files.h"
#include "toolkit/folders.h"
#include "toolkit/widgets.h"

namespace toolkit {

namespace {
// The desktop of the Administrator account on the Chinese Windows the forms were made on.
constexpr const char* kDesignedFolder = "C:\\Documents and Settings\\Administrator\\桌面";
}

wxString firstUseFolder() {
    const wxString designed = fromUtf8(kDesignedFolder);
    if (wxDirExists(designed)) return designed;
    PWSTR folder = nullptr;
    wxString desktop;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &folder))) desktop = folder;
    CoTaskMemFree(folder);
    return desktop;
}

// Beside the recovery files, in the roaming application data.
wxString settingsFolder() { return fromUtf8(platform::userDataFolder()); }

}  // namespace toolkit
