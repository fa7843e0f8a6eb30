// Files and directories by UTF-8 path. One file per platform implements them.
#pragma once

#include <cstddef>
#include <string>

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
// Gives a directory or file the hidden attribute alone (Windows; nothing elsewhere).
void setHidden(const std::string& path);
// Creates or truncates the file and writes all `size` bytes; true only when every
// byte reached the file and it was closed without error.
bool writeWholeFile(const std::string& path, const void* data, std::size_t size);
// Deletes a file; false when it could not be deleted (a missing file included).
bool removeFile(const std::string& path);

}  // namespace platform
