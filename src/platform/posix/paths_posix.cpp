#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/paths.h"

namespace platform {

namespace {
std::string parentOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
}  // namespace

std::string executableDir() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", &buffer[0], buffer.size());
    if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) return ".";
    buffer.resize(static_cast<size_t>(n));
    return parentOf(buffer);
}

std::string userCacheDir() {
    // A relative XDG_CACHE_HOME is invalid and must be ignored.
    std::string base = fromEnvironment("XDG_CACHE_HOME");
    if (base.empty() || base[0] != '/') {
        const std::string home = fromEnvironment("HOME");
        base = (home.empty() ? std::string("/tmp") : home) + "/.cache";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/huizhan-hotspots";
}

char pathSeparator() { return '/'; }

bool setHiddenAttributeOnly(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace platform
