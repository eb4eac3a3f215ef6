#include "engine/checksum.h"

#include "base/app_error.h"
#include "platform/file_reader.h"

#include <cerrno>
#include <cstdio>
#include <vector>
#include <zlib.h>

namespace tw {

namespace {

constexpr size_t kChunk = size_t{256} << 10;

}  // namespace

std::optional<std::string> FileChecksumText(const std::string& path,
                                            const std::function<bool(size_t bytes)>& beforeRead) {
    platform::ReadOnlyFile file;
    if (int error = file.open(path)) throw OsError(error, path);
    std::vector<unsigned char> buffer(kChunk);
    uLong crc = crc32_z(0L, Z_NULL, 0);
    for (int64_t offset = 0;;) {
        if (beforeRead && !beforeRead(kChunk)) return std::nullopt;
        int64_t got = file.readAt(offset, buffer.data(), buffer.size());
        if (got < 0) throw OsError(errno, path);
        if (got == 0) break;
        crc = crc32_z(crc, buffer.data(), static_cast<z_size_t>(got));
        offset += got;
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(crc & 0xFFFFFFFFUL));
    return std::string(text);
}

std::string FileChecksumText(const std::string& path) { return *FileChecksumText(path, nullptr); }

bool CRC(const std::string& FileName1, const std::string& FileName2) {
    std::string first = FileChecksumText(FileName1);
    return first == FileChecksumText(FileName2);
}

}  // namespace tw
