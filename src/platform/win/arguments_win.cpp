#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/arguments.h"
#include "platform/win/wide.h"

namespace platform {

std::optional<std::vector<std::string>> commandLineArguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return std::nullopt;
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(win::toUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

}  // namespace platform
