// The Scan command of the main window: search folders -> walker -> file
// records, sorted in hive order -> engine -> result hive -> result list.

#include "app/file_record.h"
#include "app/main_frm.h"
#include "app/scan_dialogs.h"
#include "base/app_error.h"
#include "base/date_text.h"
#include "base/procedure.h"
#include "engine/engine_context.h"
#include "engine/file_version.h"
#include "engine/find_same.h"
#include "engine/scan_path.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "results/load_searched_result.h"
#include "results/size_text.h"

#include <charconv>
#include <cmath>

namespace tw {

namespace {

constexpr int ZeroSizeEngine = 4;
constexpr int SameNameEngine = 3;
constexpr int FoldersPerProgress = 50;
// Pending events are let run at the yield points, but not more often than
// this: asking the event loop costs more than a file record does.
constexpr int64_t YieldIntervalMs = 25;

// A size box's text in kilobytes as bytes; a text that is not a number fails.
double kilobytesOf(const std::string& text) {
    std::string_view trimmed = text;
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
    double value = 0;
    auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc{} || end != trimmed.data() + trimmed.size() || !std::isfinite(value))
        throw AppError(err::TypeMismatch, "Type mismatch: \"" + text + "\" is not a size in KB");
    return value * 1024;
}

// A "mm/dd/yyyy" box as a day count; 0 when empty.
double dateOf(const std::string& text) {
    if (text.empty()) return 0;
    auto when = ParseGeneralDate(text);
    if (!when) throw AppError(err::TypeMismatch, "Type mismatch: \"" + text + "\" is not a date");
    return platform::DayCount(when->year, when->month, when->day);
}

}  // namespace

// The walker's events, recorded for the scan.
class ScanEvents : public ScanPathEvents {
public:
    // progress(text, toCaption): where the folder progress goes.
    ScanEvents(MainFrm& window, ScannedFiles& files, std::function<void()> yield,
               std::function<void(const std::string&, bool)> progress)
        : window_(window), files_(files), yield_(std::move(yield)), progress_(std::move(progress)) {}

    void DirMatchEx(std::string_view Directory, const std::string& Path, uint32_t, double, double, double) override {
        if (++window_.FoldersScanned % FoldersPerProgress != 0) return;
        if (window_.windowState() == WindowState::Minimized)
            progress_("Scanning... " + Path.substr(0, 3) + ".../" + std::string(Directory), true);
        else progress_("Scanning... " + Path, false);
    }

    void FileMatchEx(std::string_view FileName, const std::string& Path, int64_t FileSize, uint32_t,
                     double LastWriteTime, double, double, uint64_t Device, uint64_t Inode) override {
        yield_();
        ++window_.FilesScanned;
        try {
            files_.add(FileName, Path, FileSize, LastWriteTime, Device, Inode);
        } catch (const std::exception& error) {
            window_.ui().showMessage({error.what(), "", Buttons::Ok, Icon::Critical});
        }
    }

private:
    MainFrm& window_;
    ScannedFiles& files_;
    std::function<void()> yield_;
    std::function<void(const std::string&, bool)> progress_;
};

void MainFrm::yieldToUser() {
    int64_t now = platform::MonotonicMilliseconds();
    if (now - lastYield_ < YieldIntervalMs) return;
    lastYield_ = now;
    ui_.processEvents();
}

void MainFrm::MScan_Click() {
    Procedure proc(reporter_, "Scanning");
    ScannedFiles files;
    proc.run(2, [&] { SaveSessionParameters(defaultSessionPath()); });
    if (SearchList.empty()) {
        ui_.showMessage({"Please add search path first.", "Error", Buttons::Ok, Icon::Information});
        runCommand("cmdAdd");
        return;
    }
    proc.run(4, [&] {
        SetScanUiState(true);
        stopwatchStart_ = platform::MonotonicMilliseconds();
        timer1Enabled_ = true;
    });
    proc.run(5, [&] {
        DuplicateFileCount = 0;
        DuplicateBytes = 0;
        setPanel(2, "");
        setPanel(3, "");
        setPanel(4, "");
        setPanel(5, "00:00:00");
        FilesScanned = 0;
        FoldersScanned = 0;
        ScanCancelled = false;
    });
    proc.run(6, [&] {
        RLV.clearSortIndicators();
        RLV.stopShading();
        RLV.clear();
    });
    ExclusionTexts exclusions;
    proc.run(7, [&] { exclusions = excludedTexts(); });
    cScanPath walker;
    walker_ = &walker;
    proc.run(8, [&] { scanSearchFolders(walker, exclusions.extensions, exclusions.folders, files); });
    walker_ = nullptr;
    bool engineRuns = FilesScanned > 0 && !ScanCancelled;
    if (engineRuns) {
        proc.run(10, [&] { setPanel(1, "Starting search engine, please wait..."); changed(); });
        proc.run(11, [&] {
            if (FilesScanned <= TooManyFiles) return;
            frmTooManyFiles warning(FilesScanned);
            ui_.showModal(warning);
            if (!warning.Result) ScanCancelled = true;
        });
    }
    if (engineRuns && !ScanCancelled) proc.run(12, [&] { runEngine(files); });
    proc.run(15, [&] {
        setPanel(1, ScanCancelled ? "Search Terminated." : "Search Completed.");
        setPanel(2, "Duplicate Files: " + std::to_string(DuplicateFileCount) +
                        "  Size: " + FormatSize(static_cast<double>(DuplicateBytes) / 10000.0));
        setPanel(3, "Files : " + std::to_string(FilesScanned));
        setPanel(4, "Folders : " + std::to_string(FoldersScanned));
        Timer1_Timer();
        timer1Enabled_ = false;
        SetScanUiState(false);
        timer2Enabled_ = true;
    });
}

void MainFrm::scanSearchFolders(cScanPath& walker, const std::string& excludedExtensions,
                                const std::string& excludedFolders, ScannedFiles& files) {
    ScanEvents events(*this, files, [this] { yieldToUser(); }, [this](const std::string& text, bool toCaption) {
        if (toCaption) caption_ = text;
        else setPanel(1, text);
        changed();
    });
    walker.SetEvents(&events);
    walker.SetProcessEvents([this] { yieldToUser(); });
    for (const SearchFolderEntry& row : SearchList.rows()) {
        if (ScanCancelled) break;
        if (row.icon == LeaveOutFolderIcon) continue;
        double minimum = row.minSize.empty() ? 0 : kilobytesOf(row.minSize);
        int64_t minimumBytes = minimum == 0 ? 1 : static_cast<int64_t>(std::llround(minimum));
        int64_t maximumBytes = row.maxSize.empty() ? 0 : static_cast<int64_t>(std::llround(kilobytesOf(row.maxSize)));
        walker.MinimumSize(engine_ == ZeroSizeEngine ? 0 : minimumBytes);
        walker.MaximumSize(engine_ == ZeroSizeEngine ? 0 : maximumBytes);
        walker.DateType(0);
        walker.FromDate(dateOf(row.minDate));
        walker.ToDate(dateOf(row.maxDate));
        walker.Hidden(includeHidden_);
        walker.System(!protect_);
        walker.Filter(row.mask);
        walker.ExFilter(excludedExtensions);
        walker.exFolder(excludedFolders);
        std::string path = row.path;
        walker.StartScan(path, row.subFolders == "Yes", false, true);
    }
}

void MainFrm::runEngine(ScannedFiles& files) {
    files.sortFor(engine_);
    yieldToUser();
    if (ScanCancelled) return;

    LoadProgress progress{[this] { yieldToUser(); }, [this](const std::string& text) {
                              setPanel(1, text);
                              changed();
                          }};
    if (engine_ == ZeroSizeEngine) {
        ListZeroSizeFiles(RLV, files, progress);
        return;
    }
    EngineContext context(reporter_);
    context.engine = engine_;
    context.fuzzy = fuzzy_;
    context.ScanCancelled = [this] { return ScanCancelled; };
    context.yield = [this] { yieldToUser(); };
    context.windowMinimised = [this] { return windowState_ == WindowState::Minimized; };
    context.setCaption = [this](const std::string& text) {
        caption_ = text;
        changed();
    };
    context.setStatusPanel1 = [this](const std::string& text) {
        setPanel(1, text);
        changed();
    };
    context.versionText = GetFileVersionText;
    context.FilesScanned = FilesScanned;
    context.DuplicateFileCount = DuplicateFileCount;
    context.DuplicateBytes = DuplicateBytes;
    CHive results;
    if (engine_ == SameNameEngine) FindSameName(files, results, context);
    else FindSame(files, results, context);
    FilesScanned = context.FilesScanned;
    DuplicateFileCount = context.DuplicateFileCount;
    DuplicateBytes = context.DuplicateBytes;
    files = {};
    LoadSearchedResult(results);
}

void MainFrm::MCancel_Click() {
    Message question{"Are you sure to cancel searching?", "Cancel Search", Buttons::YesNo, Icon::None, 2};
    if (ui_.showMessage(question) != Answer::Yes) return;
    ScanCancelled = true;
    if (walker_) walker_->StopScan();
}

void MainFrm::SetScanUiState(bool busy) {
    busy_ = busy;
    disabled_["MCancel"] = !busy;
    EnableMainMenus(!busy);
    if (!busy && caption_ != MainCaption) caption_ = "100% Completed";
    changed();
}

void MainFrm::Timer1_Timer() {
    if (!timer1Enabled_) return;
    setPanel(5, ElapsedText((platform::MonotonicMilliseconds() - stopwatchStart_) / 1000));
    changed();
}

void MainFrm::Timer2_Timer() {
    if (!timer2Enabled_) return;
    timer2Enabled_ = false;
    ui_.playSound(folders_.resources + "/end.wav");
}

}  // namespace tw
