#pragma once
// The checksum component: CRC-32 of a file's bytes as text. The component's
// mode setting (the value 6, set before each use) changes nothing for CRC-32
// and has no counterpart here.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tw {

// CRC-32 (zlib) of the file's bytes as 8 upper-case hexadecimal digits.
// Throws AppError when the file cannot be opened or read.
std::string FileChecksumText(const std::string& path);

// The same, calling beforeRead with the size of each read before making it;
// nothing when beforeRead returns false.
std::optional<std::string> FileChecksumText(const std::string& path,
                                            const std::function<bool(size_t bytes)>& beforeRead);

// True when the two files have the same checksum text. Throws AppError when
// either file cannot be read (FileName1 is read first).
bool CRC(const std::string& FileName1, const std::string& FileName2);

}  // namespace tw
