// The bytes of each argument as the process got them: a file name is taken as it is
// on the disk whatever the locale says (a file manager may start the program in the
// C locale, where a conversion would mangle every Chinese name).
#include <fstream>
#include <iterator>

#include "platform/arguments.h"

namespace platform {

std::optional<std::vector<std::string>> commandLineArguments() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    if (!in) return std::nullopt;
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        args.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    if (args.empty()) return std::nullopt;
    args.erase(args.begin());  // the program's name
    return args;
}

}  // namespace platform
