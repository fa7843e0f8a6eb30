// The recovery file: the unsaved work written to the user's data folder while it
// changes, removed when the program ends cleanly, offered again after a crash.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "forms/main_window.h"
#include "platform/files.h"
#include "project/project_session.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {

constexpr const char* kPrefix = "recovery-";

// The process number in a recovery file's name, 0 when it has none.
int ownerOf(const std::string& path) {
    const std::string name = project::fileNameOf(path);
    return std::atoi(name.c_str() + std::min(name.size(), std::strlen(kPrefix)));
}

}  // namespace

ProjectSession::~ProjectSession() {
    if (!recoveryPath.empty()) platform::removeFile(recoveryPath);
}

std::string recoveryFolder() { return platform::userDataFolder(); }

void writeRecoveryNow(MainWindow& window) {
    ProjectSession& s = *window.session;
    s.recoveryTimer.Stop();
    s.lastRecoveryWrite = std::chrono::steady_clock::now();
    if (s.recoveryPath.empty() || !platform::makeFolders(recoveryFolder())) return;
    std::string error;
    // A recovery file that cannot be written costs nothing but itself: the work is
    // still in the window, and the next change tries again.
    platform::writeFileAtomically(s.recoveryPath, project::toRecoveryJson(s.lastSeen, s.projectPath),
                                  error);
}

void removeRecovery(MainWindow& window) {
    ProjectSession& s = *window.session;
    s.recoveryTimer.Stop();
    if (!s.recoveryPath.empty()) platform::removeFile(s.recoveryPath);
}

bool offerRecovery(MainWindow& window) {
    const std::string folder = recoveryFolder();
    if (folder.empty()) return false;
    for (const std::string& file : platform::filesStartingWith(folder, kPrefix)) {
        const int owner = ownerOf(file);
        // Another running copy of the program is still working on its own.
        if (owner == platform::currentProcessId() || platform::processAlive(owner)) continue;
        std::string bytes, error, projectPath;
        project::Project p;
        if (!platform::readWholeFile(file, bytes, error, 64 * 1024 * 1024) ||
            !project::fromRecoveryJson(bytes, p, projectPath, error)) {
            platform::removeFile(file);
            continue;
        }
        if (showMessage(kRecoveryQuestion, true) != wxID_OK) {
            platform::removeFile(file);
            continue;
        }
        ProjectSession& s = *window.session;
        if (!restoreProject(window, p, project::folderOf(projectPath))) continue;
        platform::removeFile(file);
        // The work is back as it was: unsaved, in the project it belonged to.
        s.projectPath = projectPath;
        s.saved = project::Project();
        s.lastSeen = s.saved;
        noteWork(window);
        return true;
    }
    return false;
}
