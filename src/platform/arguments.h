// The program's own command-line arguments as the system handed them over, as UTF-8
// (file names given by a file manager or an association included).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The arguments after the program's name; nothing when the platform cannot tell.
std::optional<std::vector<std::string>> commandLineArguments();

}  // namespace platform
