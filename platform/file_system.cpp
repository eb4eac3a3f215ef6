#include "platform/file_system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw::platform {

namespace {

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) break;
        content.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return content;
}

std::string parentFolder(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool makeDirectories(const std::string& path) {
    if (path.empty()) return false;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    std::string parent = parentFolder(path);
    if (!parent.empty() && parent != path && !makeDirectories(parent)) return false;
    return ::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool writeFileAtomically(const std::string& path, std::string_view content) {
    std::string folder = parentFolder(path);
    if (!folder.empty() && !makeDirectories(folder)) return false;
    std::string temporary = path + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    // Keep the permissions of the file being replaced; new files get the usual 0644.
    struct stat old {};
    mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ok = ::fchmod(fd, mode) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    const int error = errno;
    ::unlink(temporary.c_str());
    errno = error;
    return false;
}

int writableCheck(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
    else if (errno != ENOENT) return errno;
    // The new text goes to a temporary file in the same folder first.
    std::string folder = parentFolder(path);
    if (folder.empty()) folder = ".";
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace tw::platform
