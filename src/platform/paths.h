// Where the program is and where it may keep files; one file per platform implements them.
// Paths are UTF-8 and end without a separator.
#pragma once

#include <string>

namespace platform {

// The folder that holds the running executable.
std::string executableDir();
// The per-user cache folder of this program (not created here).
std::string userCacheDir();
// The separator between the parts of a path on this platform.
char pathSeparator();
// Gives an existing file or folder the hidden attribute and no other attribute.
// Where the platform has no such attribute, an existing path is left as it is.
// False when the path does not exist or the attribute could not be set.
bool setHiddenAttributeOnly(const std::string& path);

}  // namespace platform
