// Windows: the system's file dialog matches patterns in any letter case already.
#include <wx/filedlg.h>

#include "toolkit/file_filter.h"

namespace toolkit {

void setAnyCaseFilters(wxFileDialog& dialog, const FileFilters&) { dialog.SetFilterIndex(0); }

bool filterListsFile(wxFileDialog& dialog, int index, const std::string& fileName) {
    const wxString wildcard = dialog.GetWildcard();
    wxArrayString parts = wxSplit(wildcard, '|');
    if (index < 0 || 2 * index + 1 >= static_cast<int>(parts.size())) return false;
    const wxString name = wxString::FromUTF8(fileName).Lower();
    for (const wxString& pattern : wxSplit(parts[2 * index + 1], ';'))
        if (name.Matches(pattern.Lower())) return true;
    return false;
}

}  // namespace toolkit
