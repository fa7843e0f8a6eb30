// The program at home on the desktop: the window's remembered place and size, the
// recent projects of 文件 → 最近打开, project files dropped on the window, and the
// file named on the command line.
#pragma once

#include <wx/filehistory.h>

#include <string>
#include <vector>

#include "core/window_place.h"

class MainWindow;
class wxMenu;
class wxMenuItem;

struct DesktopSession {
    // 文件 → 最近打开: the last projects opened or saved, newest first.
    wxFileHistory recent{kRecentCount};
    wxMenu* recentMenu = nullptr;
    wxMenuItem* recentMenuItem = nullptr;  // the submenu's own item in 文件
    wxMenuItem* clearRecentItem = nullptr;

    // The window's place and size when last neither maximised nor minimised.
    place::WindowRect normalRect;
    bool maximized = false;
    bool placeKnown = false;

    // Keeps the window's place in the settings when the window goes.
    ~DesktopSession();

    static constexpr int kRecentCount = 8;
};

// Restores the window's place and size, follows them, and takes project files
// dropped on the canvas or the window; called before the window is shown.
void bindDesktop(MainWindow& window);

// 文件 → 最近打开 and its 清除列表 (recent_projects.cpp).
void bindRecentProjects(MainWindow& window);
// A project just opened or saved goes to the top of the list.
void noteRecentProject(MainWindow& window, const std::string& path);
// Opens an entry of the list; an entry whose file is gone is reported and removed.
void openRecentProject(MainWindow& window, size_t index);

// A project file dropped on the canvas or the window: opened after the
// unsaved-changes question.
void openDroppedProject(MainWindow& window, const wxString& path);

// At start: work left by a killed run is offered back, then the file the program
// was started with is opened.
void openAtStart(MainWindow& window, const std::vector<std::string>& args);

// The files named when the program was started (after the program's name): a
// project is opened, a picture loaded as if dropped, anything else reported.
void openFromCommandLine(MainWindow& window, const std::vector<std::string>& args);

inline constexpr const char* kRecentMenu = "最近打开(&R)";
inline constexpr const char* kClearRecent = "清除列表";
inline constexpr const char* kRecentGone = "该工程文件已不存在，已从最近打开的列表中移除：";
