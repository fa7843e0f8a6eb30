// A file path from the toolkit as the program's text.
#pragma once

#include <wx/string.h>

#include <string>

namespace toolkit {

// The path as UTF-8 text to show and store; a name whose bytes are not UTF-8
// (GBK from a Windows archive) is read as GBK.
std::string pathText(const wxString& path);

// The path as the platform's file calls take it (platform/files.h): the name's
// own bytes here, whatever their encoding; UTF-8 on Windows.
std::string fileSystemPath(const wxString& path);

}  // namespace toolkit
