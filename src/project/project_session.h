// The project being worked on: where it is saved, the work as last saved, the
// window title that says so, and the recovery file written while it changes.
#pragma once

#include <wx/timer.h>

#include <chrono>
#include <functional>
#include <string>

#include "core/project_file.h"

class MainWindow;

struct ProjectSession {
    std::string projectPath;    // empty until the work is saved or opened
    project::Project saved;     // the work as last saved, opened or begun
    project::Project lastSeen;  // the work when last looked at
    bool dirty = false;
    int paused = 0;             // while a handler rebuilds the work, changes are not looked at

    std::string recoveryPath;   // this run's recovery file; empty when none can be kept
    std::chrono::steady_clock::time_point lastRecoveryWrite{};
    wxTimer recoveryTimer;      // a write held back to keep at most one a second
    std::chrono::steady_clock::time_point lastLook{};
    wxTimer lookTimer;          // a look held back while the window is busy

    // An orderly end leaves no recovery file behind; only a killed or crashed run does.
    ~ProjectSession();
};

// The work as it stands: the picture, its position, every hotspot in list order
// relative to the picture, the colours and the transparency.
project::Project captureProject(const MainWindow& window);

// Looks whether the work changed since it was last looked at: updates the title's
// "*" and schedules the recovery file. Runs when the window is idle and after the
// handlers that change the work.
void noteWork(MainWindow& window);
bool isDirty(const MainWindow& window);
// "绘栈热点生成器", then " - " and the project's file name, then " *" while unsaved.
wxString projectTitle(const ProjectSession& session);

// The unsaved-changes question before the work is thrown away; true to go on
// (saved, or not wanted), false to keep everything as it is.
bool confirmDiscard(MainWindow& window);
bool saveProject(MainWindow& window);
bool saveProjectAs(MainWindow& window);
// Writes the project to `path`; false (with a message) when it cannot.
bool saveProjectTo(MainWindow& window, const std::string& path);
void newProject(MainWindow& window);
void openProject(MainWindow& window);
// Opens the file at `path` (the question already answered); false with a message
// when it cannot, and then the work is untouched.
bool openProjectFile(MainWindow& window, const std::string& path);
// Restores a project's work into the window, after a reset; false when its picture
// could not be brought back, and then nothing remains of it.
bool restoreProject(MainWindow& window, const project::Project& p, const std::string& projectFolder);

// The recovery files, in the user's data folder.
std::string recoveryFolder();
void writeRecoveryNow(MainWindow& window);
void removeRecovery(MainWindow& window);
// At start: a recovery file left by a run that was killed or crashed is offered
// for restoring; true when the work was restored.
bool offerRecovery(MainWindow& window);

// 导入代码: pasted or opened image-map code becomes hotspots on the picture.
void importCode(MainWindow& window);

inline constexpr const char* kUnsavedQuestion = "当前工程尚未保存，是否保存？";
inline constexpr const char* kRecoveryQuestion = "程序上次没有正常退出，是否恢复上次的工作？";
inline constexpr const char* kProjectFilter = "绘栈热点工程(*.hzproj)|*.hzproj;*.HZPROJ";
inline constexpr const char* kUntitled = "未命名工程";
