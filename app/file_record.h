#pragma once
// The files a scan finds, held compactly until the file hive is built: the
// name, the size and time as numbers, the folder as an index into the scan's
// folder table, and what the walker saw of the file on disk.
//
// The hive is filled in the order of the records' "?"-joined texts with letter
// case ignored (size text, name, folder, time text; name first for the
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
    std::string name;
    int64_t size = 0;
    double lastWrite = 0;  // the walker's local day count
    uint32_t folder = 0;   // index into the scan's folder table
    uint64_t device = 0;
    uint64_t inode = 0;
};

// The folders of a scan, each stored once. The walker reports a folder's
// files together, so a folder equal to the last one added is not added again.
class FolderTable {
public:
    uint32_t intern(const std::string& folder);
    const std::string& operator[](uint32_t index) const { return folders_[index]; }
    size_t size() const { return folders_.size(); }

private:
    std::vector<std::string> folders_;
};

// The order the hive is filled in: -1, 0 or 1 as the records' joined texts
// compare, letter case ignored.
class RecordOrder {
public:
    RecordOrder(int engine, const FolderTable& folders);
    int operator()(const FileRecord& a, const FileRecord& b) const;

private:
    bool nameFirst_;
    const FolderTable& folders_;
};

// The files of one scan. Once sorted for an engine they are that engine's file
// list: positions 1..Count() in hive order, with the hive's slots made on demand.
class ScannedFiles : public FileEntries {
public:
    FolderTable folders;
    std::vector<FileRecord> records;

    // Puts the records in hive order for the engine (RecordOrder) and lays the
    // slots out as that engine reads them.
    void sortFor(int engine);

    int32_t Count() const override { return static_cast<int32_t>(records.size()); }
    std::string_view text(int32_t position, int slot, std::string& scratch) const override;
    HiveValue value(int32_t position, int slot) const override;
    std::optional<platform::FileIdentity> walkedIdentity(int32_t position) const override;

private:
    const FileRecord& at(int32_t position) const { return records[static_cast<size_t>(position - 1)]; }

    bool nameFirst_ = false;
};

// The size as the twelve-digit text the engines and sessions use.
std::string SizeText(int64_t size);

// The last-write time as the text the hive and the result list hold.
std::string TimeText(double lastWrite);

}  // namespace tw
