// The recovery file: the unsaved work written to the user's data folder while it
// changes, removed when the program ends cleanly, offered again after a crash.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/limits.h"
#include "forms/main_window.h"
#include "platform/files.h"
#include "project/project_session.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {

constexpr const char* kPrefix = "recovery-";

constexpr const char* kDamagedSuffix = ".damaged";

// The process number in a recovery file's name ("recovery-" digits ".hzproj"), 0
// when the name is not one: a kept damaged file or a save's temporary file is none.
int ownerOf(const std::string& path) {
    const std::string name = project::fileNameOf(path);
    const size_t prefix = std::strlen(kPrefix), ext = std::strlen(project::kExtension);
    if (name.size() <= prefix + ext ||
        name.compare(name.size() - ext, ext, project::kExtension) != 0)
        return 0;
    const std::string digits = name.substr(prefix, name.size() - prefix - ext);
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::atoi(digits.c_str());
}

// A free name beside `file` with ".damaged" added, numbered when one is taken.
std::string damagedName(const std::string& file) {
    std::string name = file + kDamagedSuffix;
    for (int n = 2; platform::fileExists(name) || platform::isDirectory(name); ++n)
        name = file + kDamagedSuffix + "-" + std::to_string(n);
    return name;
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
    // What a run killed mid-write left behind is never a recovery of its own.
    platform::removeStaleSaves(folder);
    std::vector<std::string> kept;
    // Said once, however the offering ends.
    struct TellKept {
        const std::vector<std::string>& kept;
        ~TellKept() {
            if (kept.empty()) return;
            std::string where;
            for (const std::string& k : kept) where += "\n" + k;
            showMessage("上次的工作恢复文件已损坏，无法恢复。为免丢失，文件已保留在：" + where);
        }
    } tell{kept};
    std::vector<std::string> files = platform::filesStartingWith(folder, kPrefix);
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        const int owner = ownerOf(file);
        // Another running copy of the program is still working on its own.
        if (owner <= 0 || owner == platform::currentProcessId() || platform::processAlive(owner))
            continue;
        std::string bytes, error, projectPath;
        project::Project p;
        if (!platform::readWholeFile(file, bytes, error, limits::kMaxProjectBytes) ||
            !project::fromRecoveryJson(bytes, p, projectPath, error)) {
            // It may be the only copy of the work: kept under a name never offered again.
            const std::string to = damagedName(file);
            kept.push_back(platform::renameFile(file, to) ? to : file);
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
