#pragma once
// What the comparison engines read from and write to the main window during a
// scan. The scan fills it before running an engine and copies the counters and
// the shade back afterwards.

#include "base/bug_frm.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tw {

// Knobs for tests and benchmarks; the defaults suit a scan.
struct EngineTuning {
    // Files the byte-to-byte engine keeps open at once; 0: platform::openFileBudget().
    int maxOpenFiles = 0;
    // Block buffers the byte-to-byte engine holds at once while it splits one run.
    size_t readBudgetBytes = size_t{4} << 20;
    // Unique entries passed between two yields; a candidate run always yields first.
    int entriesPerYield = 64;
    // File reads between two yields while a run is compared, and bytes read between two yields.
    int readsPerYield = 16;
    uint64_t bytesPerYield = uint64_t{4} << 20;
};

struct EngineContext {
    explicit EngineContext(ErrorReporter& errorReporter) : reporter(errorReporter) {}

    // Bug reports of the procedures "Find Same", "Find Duplicates" and "Find Same Name".
    ErrorReporter& reporter;

    // The engine options: 1 "Byte to Byte", 2 "Cyclic Redundancy Check (CRC32)". FindSame compares with
    // checksums when this is 2 and byte by byte otherwise; the options are disabled while a scan runs,
    // so they are read once. FindSameName reads neither.
    int engine = 1;
    bool fuzzy = false;

    // The main window's cancel flag; may become true during yield. Empty: never cancelled.
    std::function<bool()> ScanCancelled;
    // Lets pending user-interface events run (the UI port's processEvents). May be empty.
    std::function<void()> yield;

    // Progress: while the window is minimised the text goes to its caption, otherwise to status panel 1.
    // Each may be empty.
    std::function<bool()> windowMinimised;
    std::function<void(const std::string&)> setCaption;
    std::function<void(const std::string&)> setStatusPanel1;

    // The version text of a file by its full path (GetFileVersionText). Empty: "N/A" for every file.
    std::function<std::string(const std::string& fullPath)> versionText;

    // Counters of the scan. The engines lower FilesScanned by one for every file they find listed twice.
    int32_t FilesScanned = 0;
    int32_t DuplicateFileCount = 0;
    // Fixed point with four decimals: the byte count times 10000.
    int64_t DuplicateBytes = 0;
    // The last shade handed out: 0 at scan start, then 1 and 2 alternately, one value per group.
    int16_t shade = 0;

    EngineTuning tuning;
};

}  // namespace tw
