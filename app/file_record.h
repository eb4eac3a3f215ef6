#pragma once
// The files a scan finds, held compactly: each name in one shared text pool,
// the size and time as numbers, the folder as an index into a table of the
// scan's folders, and what the walker saw of the file on disk.
//
// The engines read them in the order of the records' "?"-joined texts with
// letter case ignored (size text, name, folder, time text; name first for the
// same-name engine). The records are compared field by field as those texts
// would be, never joined and split again, since "?" is a legal character in
// file names.

#include "engine/file_entries.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct FileRecord {
    uint64_t nameOffset = 0;  // into the scan's name pool
    int64_t size = 0;
    double lastWrite = 0;  // the walker's local day count
    uint64_t device = 0;
    uint64_t inode = 0;
    uint32_t nameLength = 0;
    uint32_t folder = 0;  // index into the scan's folder table
};

// The files of one scan. Once sorted for an engine they are that engine's file
// list: positions 1..Count() in hive order, with the hive's slots made on demand.
class ScannedFiles : public FileEntries {
public:
    // The walker reports a folder's files together, so a folder equal to the
    // last one added is stored only once.
    void add(std::string_view name, const std::string& folder, int64_t size, double lastWrite, uint64_t device,
             uint64_t inode);

    std::string_view name(const FileRecord& record) const {
        return std::string_view(names_).substr(record.nameOffset, record.nameLength);
    }
    const std::string& folder(const FileRecord& record) const { return folders_[record.folder]; }
    const std::vector<FileRecord>& records() const { return records_; }

    // Puts the records in hive order for the engine (RecordOrder) and lays the
    // slots out as that engine reads them.
    void sortFor(int engine);

    int32_t Count() const override { return static_cast<int32_t>(records_.size()); }
    std::string_view text(int32_t position, int slot, std::string& scratch) const override;
    HiveValue value(int32_t position, int slot) const override;
    std::optional<bool> sameKey(int32_t positionA, int32_t positionB) const override;
    std::optional<platform::FileIdentity> walkedIdentity(int32_t position) const override;

private:
    const FileRecord& at(int32_t position) const { return records_[static_cast<size_t>(position - 1)]; }

    std::vector<FileRecord> records_;
    std::string names_;
    std::vector<std::string> folders_;
    bool nameFirst_ = false;
};

// The order the engines read the records in: -1, 0 or 1 as their joined texts
// compare, letter case ignored.
class RecordOrder {
public:
    RecordOrder(int engine, const ScannedFiles& files);
    int operator()(const FileRecord& a, const FileRecord& b) const;

private:
    bool nameFirst_;
    const ScannedFiles& files_;
};

// The size (never negative) as the twelve-digit text the engines and sessions use.
std::string SizeText(int64_t size);

// The last-write time as the text the hive and the result list hold.
std::string TimeText(double lastWrite);

}  // namespace tw
