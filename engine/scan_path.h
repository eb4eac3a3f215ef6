#pragma once
// cScanPath: walks one root folder breadth-first, tests every folder entry
// against a fixed set of filters and reports each folder and file that passes
// to its owner. It keeps no list of what it found.
//
// Folder texts use "/" and always end in "/". Symbolic links are neither
// followed nor reported, nor are devices, pipes and sockets. A folder that
// cannot be read is skipped without a word, and a folder already walked in this
// call (reached again through a bind mount) is not walked twice.
//
// Single-threaded: StartScan runs on the caller's thread and raises the events
// synchronously. After every tenth entry it lets the host process pending
// events; StopScan, called from there, ends the walk right after that yield.

#include "platform/directory_reader.h"
#include "platform/local_time.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tw {

// Attribute bits reported with the extended events.
inline constexpr uint32_t kAttributeHidden = 0x2;   // the name begins with "."
inline constexpr uint32_t kAttributeFolder = 0x10;

// The owner's side of a walk. Names come without their folder; Path is the
// containing folder, ending in "/", so Path + name is the entry's full path.
// Dates are local day counts to whole minutes (platform/local_time.h), 0 when a
// time has no calendar date. Device and Inode identify a file whatever path
// reaches it. Every event does nothing unless overridden.
class ScanPathEvents {
public:
    virtual ~ScanPathEvents() = default;

    // A folder passed and ExtendedDetail is off.
    virtual void DirMatch(std::string_view /*Directory*/, const std::string& /*Path*/) {}
    // A file passed and ExtendedDetail is off.
    virtual void FileMatch(std::string_view /*FileName*/, const std::string& /*Path*/, uint64_t /*Device*/,
                           uint64_t /*Inode*/) {}
    // A folder passed and ExtendedDetail is on.
    virtual void DirMatchEx(std::string_view /*Directory*/, const std::string& /*Path*/, uint32_t /*Attributes*/,
                            double /*LastWriteTime*/, double /*CreationTime*/, double /*LastAccessTime*/) {}
    // A file passed and ExtendedDetail is on.
    virtual void FileMatchEx(std::string_view /*FileName*/, const std::string& /*Path*/, int64_t /*FileSize*/,
                             uint32_t /*Attributes*/, double /*LastWriteTime*/, double /*CreationTime*/,
                             double /*LastAccessTime*/, uint64_t /*Device*/, uint64_t /*Inode*/) {}
};

// The entry the walk is examining. Details are filled once the walk has read
// them: always for a reported file, for a reported folder only with ExtendedDetail.
struct FindData {
    std::string_view Name;
    uint32_t Attributes = 0;
    bool HasDetails = false;
    platform::EntryDetails Details;
};

class cScanPath {
public:
    // Both may be empty: events then go nowhere and the walk never yields.
    explicit cScanPath(ScanPathEvents* events = nullptr, std::function<void()> processEvents = {});
    ~cScanPath();
    cScanPath(const cScanPath&) = delete;
    cScanPath& operator=(const cScanPath&) = delete;

    void SetEvents(ScanPathEvents* events) { events_ = events; }
    // Called after every tenth entry to let the host run pending user events.
    void SetProcessEvents(std::function<void()> processEvents) { processEvents_ = std::move(processEvents); }

    // Walks Path, appending "/" to the caller's text when it does not end in one.
    // Returns when the walk is complete or stopped.
    void StartScan(std::string& Path, bool SubFolders, bool PatternMatching, bool ExtendedDetail);
    // The walk ends at its next yield. The request stands until the next StartScan.
    void StopScan() { stop_ = true; }

    // File masks separated by ";", e.g. "*.jpg;*.png;", or a label with masks in
    // it, e.g. "Images (*.jpg *.png)" for matching by extension. Empty: all files.
    // The three lists are stored without leading and trailing blanks and read
    // back without a trailing ";".
    std::string Filter() const;
    void Filter(std::string_view masks);
    // Excluded extensions as masks separated by ";", e.g. "*.tmp;*.bak;".
    std::string ExFilter() const;
    void ExFilter(std::string_view masks);
    // Excluded folders, each followed by ";", e.g. "/data/tmp;/data/old/;".
    // A folder excludes itself and everything below it.
    std::string exFolder() const;
    void exFolder(std::string_view folders);

    // Size bounds in bytes, inclusive: the minimum counts when above 0, the
    // maximum when 1 or more. With neither set only empty files pass.
    int64_t MinimumSize() const { return minimumSize_; }
    void MinimumSize(int64_t bytes) { minimumSize_ = bytes; }
    int64_t MaximumSize() const { return maximumSize_; }
    void MaximumSize(int64_t bytes) { maximumSize_ = bytes; }
    // Date bounds as day counts, inclusive, each active when above 0.
    double FromDate() const { return fromDate_; }
    void FromDate(double days) { fromDate_ = days; }
    double ToDate() const { return toDate_; }
    void ToDate(double days) { toDate_ = days; }
    // The file time the date bounds test: 0 last write, 1 creation, 2 last access;
    // any other value tests the time 0 (1970-01-01 00:00 UTC).
    int32_t DateType() const { return dateType_; }
    void DateType(int32_t type) { dateType_ = type; }
    // Off: names beginning with "." are left out, and so is everything below such a folder.
    bool Hidden() const { return hidden_; }
    void Hidden(bool include) { hidden_ = include; }
    // Off: the system's own folders (platform/system_folders.h) are left out.
    bool System() const { return system_; }
    void System(bool include) { system_ = include; }
    // Kept for the owner; the walk does not use them.
    bool Archive() const { return archive_; }
    void Archive(bool value) { archive_ = value; }
    bool Compressed() const { return compressed_; }
    void Compressed(bool value) { compressed_ = value; }
    bool Folder() const { return folder_; }
    void Folder(bool value) { folder_ = value; }
    bool Normal() const { return normal_; }
    void Normal(bool value) { normal_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void ReadOnly(bool value) { readOnly_ = value; }

    // Folders and files reported by the last StartScan.
    int64_t DirCount() const { return dirCount_; }
    int64_t FileCount() const { return fileCount_; }
    // The entry being examined; nullptr outside a walk.
    const FindData* WFDPointer() const { return walking_ ? &current_ : nullptr; }

private:
    struct MaskToken;
    using Mask = std::vector<MaskToken>;
    struct FolderId {
        uint64_t device;
        uint64_t inode;
        bool operator==(const FolderId&) const = default;
    };
    struct FolderIdHash {
        size_t operator()(const FolderId& id) const;
    };

    static Mask compileMask(std::string_view mask);
    static bool maskMatches(const Mask& mask, std::string_view name);
    void prepare();
    void walk(std::string& Path, bool SubFolders);
    bool MatchEntry(platform::EntryType type);
    bool isExcludedExtension(std::string_view name) const;
    bool passesMasks(std::string_view name) const;
    bool passesDates(const platform::EntryDetails& details);
    bool isExcludedFolder(std::string_view path) const;
    bool isProtectedFolder(std::string_view path) const;
    double dayCount(const platform::FileTime& time);
    void reportFolder(const std::string& parent);
    void reportFile(const std::string& parent);

    ScanPathEvents* events_ = nullptr;
    std::function<void()> processEvents_;

    std::string filter_;
    std::string exFilter_;
    std::string exFolder_;
    int64_t minimumSize_ = 0;
    int64_t maximumSize_ = 0;
    double fromDate_ = 0;
    double toDate_ = 0;
    int32_t dateType_ = 0;
    bool hidden_ = false;
    bool system_ = false;
    bool archive_ = true;
    bool compressed_ = true;
    bool folder_ = true;
    bool normal_ = true;
    bool readOnly_ = true;
    int64_t dirCount_ = 0;
    int64_t fileCount_ = 0;

    // Working form of the filters, set up by StartScan.
    bool allFiles_ = true;                         // Filter is empty or exactly "*.*"
    bool filterHasAllMask_ = false;                // "*.*" occurs in Filter
    std::vector<Mask> masks_;                      // pattern matching on
    std::vector<std::string> maskExtensions_;      // pattern matching off; upper case
    std::vector<std::string> excludedExtensions_;  // upper case
    std::vector<std::string> excludedFolders_;     // without trailing "/"
    int sizeMode_ = 0;
    int dateMode_ = 0;
    bool patternMatching_ = false;
    bool extendedDetail_ = false;
    bool stop_ = false;

    // Protecting system folders: the root's resolved path, when it differs from
    // the text, so that a root reached through a link is judged by where it leads.
    std::string resolvedRoot_;
    size_t rootLength_ = 0;

    bool walking_ = false;
    FindData current_;
    platform::DirectoryReader reader_;
    platform::LocalTimeConverter clock_;
    std::unordered_set<FolderId, FolderIdHash> visited_;
};

}  // namespace tw
