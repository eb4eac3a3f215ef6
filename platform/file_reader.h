#pragma once
// Raw read access to one regular file for the comparison engines: opened
// read-only without following a symbolic link, its identity taken from the
// open descriptor, read with positioned reads. Process-wide counters of what
// was stat'ed, opened and read let tests and benchmarks check how much the
// engines touch.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tw::platform {

struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    bool regular = false;  // a regular file, not a folder, link, device, pipe or socket

    bool sameFile(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
};

// The identity of what the path names, the last component not followed;
// nothing when it cannot be examined.
std::optional<FileIdentity> statFileIdentity(const std::string& path);

class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile() { close(); }
    ReadOnlyFile(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens the file, closing any file open before. 0 on success, otherwise
    // the errno value; a path that names anything but a regular file (a link,
    // folder or pipe) is refused without blocking.
    int open(const std::string& path);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    // Taken when the file was opened.
    const FileIdentity& identity() const { return identity_; }

    // Reads up to `length` bytes at `offset`; fewer only at the end of the
    // file. -1 on failure, with errno set.
    int64_t readAt(int64_t offset, void* buffer, size_t length);

private:
    int fd_ = -1;
    FileIdentity identity_;
};

struct FileReadCounters {
    std::atomic<uint64_t> stats{0};
    std::atomic<uint64_t> opens{0};
    std::atomic<uint64_t> bytesRead{0};

    void reset() {
        stats = 0;
        opens = 0;
        bytesRead = 0;
    }
};

// Every statFileIdentity, ReadOnlyFile::open and byte read is counted here.
FileReadCounters& fileReadCounters();

// How many files one operation may keep open at once: a quarter of the
// process's descriptor limit, at least 8 and at most 1024.
int openFileBudget();

}  // namespace tw::platform
