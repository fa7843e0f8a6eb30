// Files and directories by UTF-8 path: whole-file reads, plain and crash-safe
// writes, and the processes behind recovery files. One file per platform implements them.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// The characters that separate the parts of a local path ("/" here, "\\/" on Windows).
extern const char* const kPathSeparators;
// The separator the platform writes between a directory and a name.
extern const char kPreferredSeparator;

// The directory that holds the running executable, without a trailing separator;
// empty when the platform cannot tell.
std::string executableDirectory();
// The per-user cache directory ($XDG_CACHE_HOME or ~/.cache; the local application
// data folder on Windows), without a trailing separator; empty when there is none.
std::string userCacheDirectory();

bool isDirectory(const std::string& path);
// Creates one directory; its parent must exist. False when it could not be made.
bool makeDirectory(const std::string& path);
// Gives an existing directory or file the hidden attribute and no other (Windows;
// elsewhere an existing path is left as it is). False when the path does not exist
// or the attribute could not be set.
bool setHidden(const std::string& path);
// Creates or truncates the file and writes all `size` bytes; true only when every
// byte reached the file and it was closed without error.
bool writeWholeFile(const std::string& path, const void* data, std::size_t size);
// Gives a file a new name in the same file system; never replaces an existing one.
bool renameFile(const std::string& from, const std::string& to);
// Deletes a file; false when it could not be deleted (a missing file included).
bool removeFile(const std::string& path);

// Writes `bytes` to a temporary file in the same folder, flushes it to the disk and
// renames it over `path`: a crash or a full disk mid-save leaves the old file or
// the new one, never a part of either. False with the reason when it cannot; the
// temporary file is removed then. A save through a symbolic link writes the file
// it names; the file keeps its permissions (and owner, where the process may set
// it); a read-only file is refused ("没有写入权限"). Reasons are in Chinese.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Whether the path names a save's temporary file (this program's own naming).
bool isTemporarySave(const std::string& path);
// Removes the temporary files that runs of the program killed mid-save left in the
// folder; the number removed.
int removeStaleSaves(const std::string& folder);

// Reads a whole file of at most `maxBytes`; false with the reason otherwise. A
// pipe, a device or a folder is refused at once ("不是普通文件"), without waiting.
bool readWholeFile(const std::string& path, std::string& out, std::string& error,
                   std::size_t maxBytes);

bool fileExists(const std::string& path);
// Creates the folder and its parents where missing.
bool makeFolders(const std::string& path);
// The regular files of a folder whose names start with `prefix`, as full paths.
std::vector<std::string> filesStartingWith(const std::string& folder, const std::string& prefix);

// The program's folder in the user's data folder ($XDG_DATA_HOME or ~/.local/share
// here, the roaming application data on Windows); empty when there is none.
std::string userDataFolder();

int currentProcessId();
// Whether a process with that number still runs.
bool processAlive(int pid);

// Tests replace the write of the file's bytes to act as a full disk would: the
// function gets the bytes and returns how many it let through.
using WriteFilter = std::function<std::size_t(const std::string& bytes)>;
void setWriteFilterForTests(WriteFilter filter);

}  // namespace platform
