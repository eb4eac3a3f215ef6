#include "platform/file_range.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw::platform {

FileRangeReader::FileRangeReader(const std::string& path) {
    // O_NONBLOCK keeps a pipe that carries the name from holding the caller up;
    // it changes nothing for the regular files that are kept.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = static_cast<uint64_t>(info.st_size);
}

FileRangeReader::~FileRangeReader() {
    if (fd_ >= 0) ::close(fd_);
}

std::string FileRangeReader::read(uint64_t offset, size_t length) const {
    if (fd_ < 0 || offset >= size_) return {};
    // The size taken at open bounds the buffer, so an absurd length costs nothing.
    std::string content(static_cast<size_t>(std::min<uint64_t>(length, size_ - offset)), '\0');
    size_t filled = 0;
    while (filled < content.size()) {
        ssize_t got = ::pread(fd_, content.data() + filled, content.size() - filled,
                              static_cast<off_t>(offset + filled));
        if (got < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        if (got == 0) break;  // the file shrank since it was opened
        filled += static_cast<size_t>(got);
    }
    content.resize(filled);
    return content;
}

}  // namespace tw::platform
