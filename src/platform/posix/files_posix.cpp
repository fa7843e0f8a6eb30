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

bool renameFile(const std::string& from, const std::string& to) {
    // A hard link and an unlink: unlike rename, it never replaces what has that name.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    struct stat st {};
    return ::lstat(to.c_str(), &st) != 0 && ::rename(from.c_str(), to.c_str()) == 0;
}

namespace {

WriteFilter& writeFilter() {
    static WriteFilter filter;
    return filter;
}

// Every file error in the user's language; the system's own text never reaches them.
std::string reason(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT: return "磁盘空间不足";
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return "没有写入权限";
    case ENOENT:
    case ENOTDIR: return "文件夹不存在";
    case ENAMETOOLONG:
        return "文件名过长";
    case EISDIR:
        return "这是一个文件夹，不是文件";
    case ELOOP:
        return "符号链接过多";
    case EFBIG:
        return "文件过大";
    case ENOMEM:
        return "内存不足";
    case EMFILE:
    case ENFILE:
        return "打开的文件过多";
    case EBUSY:
        return "文件正被占用";
    case EIO:
        return "读写设备出错";
    case ENXIO:
    case ENODEV:
        return "不是普通文件";
    default:
        return "系统错误（错误码 " + std::to_string(err) + "）";
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

namespace {

// A save's temporary file: short, so that a name at the system's limit still has
// room beside it, and named after the process, so that one left by a killed run
// is known as such.
constexpr const char* kTempPrefix = ".~hz";
constexpr const char* kTempSuffix = ".saving";

std::string fileNameOfPath(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where a save to `path` writes: through a symbolic link to the file it names.
std::string saveTarget(const std::string& path) {
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
        std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size());
        if (n < 0 || static_cast<size_t>(n) >= buf.size()) return target;
        const std::string link(buf.data(), static_cast<size_t>(n));
        target = link[0] == '/' ? link : folderOfPath(target) + "/" + link;
    }
    return target;
}

// The process number of a temporary save file's name, 0 when it is none of ours.
int tempOwner(const std::string& name) {
    const size_t prefix = std::strlen(kTempPrefix), suffix = std::strlen(kTempSuffix);
    if (name.size() > prefix + suffix && name.compare(0, prefix, kTempPrefix) == 0 &&
        name.compare(name.size() - suffix, suffix, kTempSuffix) == 0)
        return std::atoi(name.c_str() + prefix);
    // Earlier versions appended ".saving-" and the process number to the file's name.
    const size_t at = name.rfind(".saving-");
    if (at == std::string::npos || at + 8 >= name.size()) return 0;
    for (size_t i = at + 8; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return 0;
    return std::atoi(name.c_str() + at + 8);
}

}  // namespace

bool isTemporarySave(const std::string& path) { return tempOwner(fileNameOfPath(path)) > 0; }

int removeStaleSaves(const std::string& folder) {
    int removed = 0;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    while (const dirent* e = ::readdir(dir)) {
        const int owner = tempOwner(e->d_name);
        if (owner <= 0 || owner == ::getpid() || processAlive(owner)) continue;
        const std::string full = folder + "/" + e->d_name;
        struct stat st {};
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(full.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string target = saveTarget(path);
    const std::string folder = folderOfPath(target);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) {
            error = reason(EISDIR);
            return false;
        }
        if (!S_ISREG(old.st_mode)) {
            error = "不是普通文件";
            return false;
        }
        // A file made read-only stays as it is, whoever the user is.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(target.c_str(), W_OK) != 0) {
            error = "没有写入权限";
            return false;
        }
    }
    static unsigned serial = 0;
    const std::string temp = folder + "/" + kTempPrefix + std::to_string(::getpid()) + "-" +
                             std::to_string(++serial) + kTempSuffix;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = reason(errno);
        return false;
    }
    // The new file keeps the old one's permissions and, where this process may, its owner.
    if (exists) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        (void)::fchmod(fd, old.st_mode & 07777);
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErr = errno;
    if (::close(fd) != 0 || !written) {
        error = reason(written ? errno : writeErr);
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        error = reason(errno);
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder's entry.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& out, std::string& error,
                   std::size_t maxBytes) {
    // Opened without waiting, so that a pipe or a device is told apart before it
    // could block; a regular file then reads as usual.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
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
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        error = "文件过大";
        ::close(fd);
        return false;
    }
    std::string data;
    data.reserve(static_cast<size_t>(st.st_size));
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
