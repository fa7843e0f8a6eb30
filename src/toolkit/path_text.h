// A file path from the toolkit as the program's text.
#pragma once

#include <wx/string.h>

#include <string>

namespace toolkit {

// The path as UTF-8 text to show and store; a name whose bytes are not UTF-8
// (GBK from a Windows archive) is read as GBK.
std::string pathText(const wxString& path);

}  // namespace toolkit
