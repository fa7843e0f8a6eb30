// Files and directories through POSIX calls.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/files.h"

namespace platform {

const char* const kPathSeparators = "/";
const char kPreferredSeparator = '/';

std::string executableDirectory() {
    std::vector<char> buf(4096);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return std::string();
        if (static_cast<size_t>(n) < buf.size()) {
            std::string path(buf.data(), static_cast<size_t>(n));
            const size_t slash = path.rfind('/');
            if (slash == std::string::npos) return std::string();
            return slash == 0 ? std::string("/") : path.substr(0, slash);
        }
        buf.resize(buf.size() * 2);
    }
}

std::string userCacheDirectory() {
    // Only an absolute $XDG_CACHE_HOME counts; a relative one is to be ignored.
    const char* xdg = getenv("XDG_CACHE_HOME");
    if (xdg && xdg[0] == '/') {
        std::string dir(xdg);
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        return dir;
    }
    const char* home = getenv("HOME");
    if (!home || home[0] != '/') return std::string();
    std::string dir(home);
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir == "/" ? "/.cache" : dir + "/.cache";
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeDirectory(const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }

void setHidden(const std::string&) {}

bool writeWholeFile(const std::string& path, const void* data, std::size_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* p = static_cast<const char*>(data);
    bool ok = true;
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    if (close(fd) != 0) ok = false;
    return ok;
}

bool removeFile(const std::string& path) { return unlink(path.c_str()) == 0; }

}  // namespace platform
