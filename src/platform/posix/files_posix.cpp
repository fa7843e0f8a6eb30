// Files and directories through POSIX calls.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
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

bool setHidden(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

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

namespace {

WriteFilter& writeFilter() {
    static WriteFilter filter;
    return filter;
}

std::string reason(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT: return "磁盘空间不足";
    case EACCES:
    case EPERM:
    case EROFS: return "没有写入权限";
    case ENOENT:
    case ENOTDIR: return "文件夹不存在";
    default: return std::strerror(err);
    }
}

std::string folderOfPath(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::string& bytes) {
    size_t allowed = bytes.size();
    if (writeFilter()) allowed = writeFilter()(bytes);
    size_t done = 0;
    while (done < allowed) {
        const ssize_t n = ::write(fd, bytes.data() + done, allowed - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    if (allowed < bytes.size()) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

}  // namespace

void setWriteFilterForTests(WriteFilter filter) { writeFilter() = std::move(filter); }

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temp = path + ".saving-" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = reason(errno);
        return false;
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErr = errno;
    if (::close(fd) != 0 || !written) {
        error = reason(written ? errno : writeErr);
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        error = reason(errno);
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder's entry.
    const int dir = ::open(folderOfPath(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& out, std::string& error,
                   std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = reason(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "不是普通文件";
        ::close(fd);
        return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        error = "文件过大";
        ::close(fd);
        return false;
    }
    std::string data;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = reason(errno);
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
        if (data.size() > maxBytes) {
            error = "文件过大";
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    out = std::move(data);
    return true;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool makeFolders(const std::string& path) {
    if (path.empty()) return false;
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/') continue;
        const std::string part = path.substr(0, i);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> filesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> out;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return out;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string full = folder + "/" + name;
        if (fileExists(full)) out.push_back(full);
    }
    ::closedir(dir);
    return out;
}

std::string userDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/huizhan-hotspots";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/huizhan-hotspots";
    return {};
}

int currentProcessId() { return static_cast<int>(::getpid()); }

bool processAlive(int pid) {
    if (pid <= 0) return false;
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace platform
