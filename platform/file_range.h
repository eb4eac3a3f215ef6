#pragma once
// Reads of chosen byte ranges of a file, for readers that need a few pieces of
// a possibly very large file and never the whole of it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tw::platform {

// A regular file opened read-only; closed when the object goes away. Anything
// but a regular file (a folder, a pipe, a device) is treated as not openable,
// and opening never blocks.
class FileRangeReader {
public:
    explicit FileRangeReader(const std::string& path);
    ~FileRangeReader();
    FileRangeReader(const FileRangeReader&) = delete;
    FileRangeReader& operator=(const FileRangeReader&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Up to length bytes from offset: fewer at the end of the file, none past it,
    // when the file is not open or when the read fails.
    std::string read(uint64_t offset, size_t length) const;

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

}  // namespace tw::platform
