#include "platform/file_reader.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tw::platform {

namespace {

FileIdentity identityOf(const struct stat& info) {
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino), static_cast<int64_t>(info.st_size),
            S_ISREG(info.st_mode)};
}

}  // namespace

FileReadCounters& fileReadCounters() {
    static FileReadCounters counters;
    return counters;
}

std::optional<FileIdentity> statFileIdentity(const std::string& path) {
    fileReadCounters().stats.fetch_add(1, std::memory_order_relaxed);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
    return identityOf(info);
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), identity_(other.identity_) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        identity_ = other.identity_;
    }
    return *this;
}

int ReadOnlyFile::open(const std::string& path) {
    close();
    fileReadCounters().opens.fetch_add(1, std::memory_order_relaxed);
    // O_NONBLOCK keeps a pipe put in the file's place from blocking the open;
    // it has no effect on reads of a regular file.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return errno;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        int error = errno;
        ::close(fd);
        return error;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    }
    fd_ = fd;
    identity_ = identityOf(info);
    return 0;
}

void ReadOnlyFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

int64_t ReadOnlyFile::readAt(int64_t offset, void* buffer, size_t length) {
    if (fd_ < 0) {
        errno = EBADF;
        return -1;
    }
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < length) {
        ssize_t got = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset + static_cast<int64_t>(done)));
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    fileReadCounters().bytesRead.fetch_add(done, std::memory_order_relaxed);
    return static_cast<int64_t>(done);
}

int openFileBudget() {
    // The limit is read once: the engines ask for every candidate run.
    static const int budget = [] {
        struct rlimit limit {};
        if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 256;
        return static_cast<int>(std::clamp<rlim_t>(limit.rlim_cur / 4, 8, 1024));
    }();
    return budget;
}

}  // namespace tw::platform
