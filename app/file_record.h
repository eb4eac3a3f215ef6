#pragma once
// One file found by a scan: four fields in the order the engine groups by
// (size, name, folder, time; name first for the same-name engine). Records
// are kept as fields, never joined into one text, since "?" is a legal
// character in names; they sort as their "?"-joined texts would, letter case
// ignored.

#include <array>
#include <cstdint>
#include <string>

namespace tw {

struct FileRecord {
    std::array<std::string, 4> fields;
};

// size: bytes; lastWrite: the walker's local day count.
FileRecord MakeFileRecord(int engine, const std::string& name, const std::string& folder, int64_t size,
                          double lastWrite);

// -1, 0 or 1, as the "?"-joined texts of the two records compare, letter case ignored.
int CompareRecords(const FileRecord& a, const FileRecord& b);

// The size as the twelve-digit text the engines and sessions use.
std::string SizeText(int64_t size);

}  // namespace tw
