// The settings the program keeps between runs (the window's place and size, the
// last folder of each file dialog, the recent projects) in one wxFileConfig text
// file, settings.ini in settingsFolder(). A file that is missing, unreadable, too
// large or damaged gives the defaults, and the program behaves as on its first run.
#pragma once

#include <wx/string.h>

class wxConfigBase;

namespace settings {

// The settings file's full path; empty when there is no settings folder.
wxString filePath();

// The process's settings, read from the file on first use.
wxConfigBase& config();
// Writes them to the file at once (crash-safe); a failure costs only the settings.
void save();
// Forgets the settings read and reads the file again on next use, as a new start would.
void reload();

// The file dialogs that remember where the user last picked a file.
enum class Folder { pictures, projects, import };
// The folder that dialog last picked in, while it still exists; empty otherwise.
wxString lastFolder(Folder which);
// Remembers the folder of `picked` (a file's path) for that dialog, and saves.
void rememberFolder(Folder which, const wxString& picked);

}  // namespace settings
