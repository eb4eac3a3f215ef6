#pragma once
// Raw folder listing for the directory walker: one open folder at a time, its
// entries read in large batches straight from the kernel, and per-entry
// details read relative to the open folder so that no path is resolved twice.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace tw::platform {

enum class EntryType : uint8_t {
    File,    // regular file
    Folder,
    Link,    // symbolic link
    Other,   // device, pipe, socket
    Unknown  // the file system did not say; ask entryDetails
};

// A point in time as seconds and nanoseconds since 1970-01-01 00:00:00 UTC.
struct FileTime {
    int64_t seconds = 0;
    int64_t nanoseconds = 0;
};

struct EntryDetails {
    EntryType type = EntryType::Unknown;
    int64_t size = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
    FileTime lastWrite;
    FileTime lastAccess;
    // Birth time where the file system keeps one, otherwise the last status change.
    FileTime creation;
};

struct FolderEntry {
    std::string_view name;  // also NUL-terminated; valid until the next call to next() or close()
    EntryType type = EntryType::Unknown;
};

class DirectoryReader {
public:
    DirectoryReader();
    ~DirectoryReader();
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;

    // Opens the folder for listing, closing the previous one. A symbolic link as
    // the last path component is refused, unless the path ends in "/". False when
    // the folder cannot be opened.
    bool open(const char* path);
    void close();
    bool isOpen() const { return fd_ >= 0; }

    // Device and inode of the open folder.
    bool folderIdentity(uint64_t& device, uint64_t& inode) const;

    // The next entry other than "." and "..". False at the end of the listing or
    // when the listing fails part-way; the entries read so far stay valid.
    bool next(FolderEntry& entry);

    // Details of an entry of the open folder, without following a symbolic link.
    bool entryDetails(const char* name, EntryDetails& details) const;

private:
    bool refill();

    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;
    size_t filled_ = 0;
    size_t offset_ = 0;
    bool exhausted_ = false;
};

}  // namespace tw::platform
