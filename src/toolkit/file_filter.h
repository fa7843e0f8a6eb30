// The open-file dialog's filters, matching extensions in any letter case (GTK's
// own patterns are case-sensitive: "*.jpg" would hide IMG_0001.JPG).
#pragma once

#include <string>
#include <utility>
#include <vector>

class wxFileDialog;

namespace toolkit {

using FileFilters = std::vector<std::pair<std::string, std::string>>;  // text, patterns "*.a;*.b"

// Gives the dialog these filters, the first selected, each pattern in any case.
void setAnyCaseFilters(wxFileDialog& dialog, const FileFilters& filters);
// Whether the dialog's filter `index` lists a file of this name.
bool filterListsFile(wxFileDialog& dialog, int index, const std::string& fileName);

}  // namespace toolkit
