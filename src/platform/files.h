// Whole-file reads and crash-safe writes, and the processes behind recovery files.
// One file per platform implements them; paths are UTF-8.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>
#include <string>

namespace platform {

// Writes `bytes` to a temporary file in the same folder, flushes it to the disk and
// renames it over `path`: a crash or a full disk mid-save leaves the old file or
// the new one, never a part of either. False with the reason when it cannot; the
// temporary file is removed then.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Reads a whole file of at most `maxBytes`; false with the reason otherwise.
bool readWholeFile(const std::string& path, std::string& out, std::string& error,
                   std::size_t maxBytes);

bool fileExists(const std::string& path);
// Deletes a file; a missing file is no failure.
bool removeFile(const std::string& path);
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
