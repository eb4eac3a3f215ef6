#include "platform/directory_reader.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tw::platform {

namespace {

// Big enough that most folders come in one read; large ones need few.
constexpr size_t kBufferSize = 128 * 1024;

// The kernel's record layout for getdents64.
struct KernelDirent64 {
    uint64_t d_ino;
    int64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

EntryType typeFromDirent(unsigned char type) {
    switch (type) {
    case DT_REG: return EntryType::File;
    case DT_DIR: return EntryType::Folder;
    case DT_LNK: return EntryType::Link;
    case DT_UNKNOWN: return EntryType::Unknown;
    default: return EntryType::Other;
    }
}

EntryType typeFromMode(mode_t mode) {
    if (S_ISREG(mode)) return EntryType::File;
    if (S_ISDIR(mode)) return EntryType::Folder;
    if (S_ISLNK(mode)) return EntryType::Link;
    return EntryType::Other;
}

FileTime fromTimespec(const struct timespec& time) { return {time.tv_sec, time.tv_nsec}; }

FileTime fromStatx(const struct statx_timestamp& time) { return {time.tv_sec, time.tv_nsec}; }

// Cleared the first time the kernel (or a sandbox in front of it) refuses statx.
std::atomic<bool> statxWorks{true};

bool detailsWithFstatat(int folder, const char* name, EntryDetails& details) {
    struct stat info {};
    if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0) return false;
    details.type = typeFromMode(info.st_mode);
    details.size = static_cast<int64_t>(info.st_size);
    details.device = static_cast<uint64_t>(info.st_dev);
    details.inode = static_cast<uint64_t>(info.st_ino);
    details.lastWrite = fromTimespec(info.st_mtim);
    details.lastAccess = fromTimespec(info.st_atim);
    details.creation = fromTimespec(info.st_ctim);
    return true;
}

}  // namespace

DirectoryReader::DirectoryReader() : buffer_(new char[kBufferSize]) {}

DirectoryReader::~DirectoryReader() { close(); }

bool DirectoryReader::open(const char* path) {
    close();
    fd_ = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return fd_ >= 0;
}

void DirectoryReader::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    filled_ = 0;
    offset_ = 0;
    exhausted_ = false;
}

bool DirectoryReader::folderIdentity(uint64_t& device, uint64_t& inode) const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return false;
    device = static_cast<uint64_t>(info.st_dev);
    inode = static_cast<uint64_t>(info.st_ino);
    return true;
}

bool DirectoryReader::refill() {
    if (fd_ < 0 || exhausted_) return false;
    for (;;) {
        long got = ::syscall(SYS_getdents64, fd_, buffer_.get(), kBufferSize);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            exhausted_ = true;
            return false;
        }
        filled_ = static_cast<size_t>(got);
        offset_ = 0;
        return true;
    }
}

bool DirectoryReader::next(FolderEntry& entry) {
    for (;;) {
        if (offset_ >= filled_ && !refill()) return false;
        const char* record = buffer_.get() + offset_;
        unsigned short length;
        std::memcpy(&length, record + offsetof(KernelDirent64, d_reclen), sizeof length);
        offset_ += length;
        const char* name = record + offsetof(KernelDirent64, d_name);
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        const auto type = static_cast<unsigned char>(record[offsetof(KernelDirent64, d_type)]);
        entry.name = std::string_view(name);
        entry.type = typeFromDirent(type);
        return true;
    }
}

bool DirectoryReader::entryDetails(const char* name, EntryDetails& details) const {
    if (fd_ < 0) return false;
    if (statxWorks.load(std::memory_order_relaxed)) {
        struct statx info {};
        constexpr unsigned kWanted = STATX_TYPE | STATX_SIZE | STATX_INO | STATX_ATIME | STATX_MTIME | STATX_CTIME |
                                     STATX_BTIME;
        if (::statx(fd_, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, kWanted, &info) == 0) {
            details.type = typeFromMode(info.stx_mode);
            details.size = static_cast<int64_t>(info.stx_size);
            details.device = static_cast<uint64_t>(makedev(info.stx_dev_major, info.stx_dev_minor));
            details.inode = info.stx_ino;
            details.lastWrite = fromStatx(info.stx_mtime);
            details.lastAccess = fromStatx(info.stx_atime);
            details.creation = fromStatx((info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_ctime);
            return true;
        }
        if (errno != ENOSYS && errno != EPERM) return false;
        statxWorks.store(false, std::memory_order_relaxed);
    }
    return detailsWithFstatat(fd_, name, details);
}

}  // namespace tw::platform
