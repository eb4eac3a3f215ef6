#pragma once
// The main window as a model: its state, its commands and the rules of its
// lifetime. Views bind to it and report the user's actions; it asks the user
// through the UI port, so it runs the same under Qt, on the command line and
// in tests.

#include "app/command_table.h"
#include "base/product.h"
#include "base/bug_frm.h"
#include "base/settings_store.h"
#include "base/ui_port.h"
#include "engine/hive.h"
#include "results/result_list.h"
#include "setup/exclude_frm.h"
#include "setup/exclusion_file.h"
#include "setup/search_folder_entry.h"
#include "setup/search_folder_list.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class WindowState { Normal, Minimized, Maximized };

// Window position and size in twips (1/1440 inch; 15 twips to a pixel at 96 dpi).
struct Geometry {
    float Width = 0;
    float Height = 0;
    float Top = 0;
    float Left = 0;
};

// Where the resizable parts of the window go for the current size, in twips.
struct FormLayout {
    float searchListWidth = 0;
    float searchButtonsLeft = 0;  // cmdAdd, cmdRemove, cmdExclude
    float engineFrameLeft = 0;
    bool resultListResized = false;  // false while minimised
    float resultListHeight = 0;
    float resultListWidth = 0;
};

inline constexpr float MinimumWidth = 10350;
inline constexpr float MinimumHeight = 5000;
inline constexpr int StatusPanelCount = 5;

// Where the program's own files are.
struct AppFolders {
    std::string resources;  // read-only: help page, templates, sounds
    std::string userData;   // writable: default session, exclusion list, report
};

// What the views are told. Every callback is optional.
struct MainFrmObserver {
    std::function<void()> stateChanged;     // commands, options, panels or lists changed
    std::function<void()> geometryChanged;  // apply Width, Height, Top and Left
    std::function<void()> closeRequested;   // the Close command: the view closes the window
};

// Who sets a check box: the user ("Direct") or a loader ("ThruFile"). Only
// the user's own change asks for confirmation.
enum class CheckSource { Direct, ThruFile };

// The search folders as the problem report lists them: each row's folder,
// subfolder choice, mask and sizes, each row ended by " Second".
std::string SearchFolderText(const std::vector<SearchFolderEntry>& rows);

class MainFrm {
public:
    MainFrm(SettingsStore& settings, UiPort& ui, AppFolders folders, std::string commandLine);

    void setObserver(MainFrmObserver observer) { observer_ = std::move(observer); }

    // Lifetime, in the order the view calls them.
    void Form_Load();
    void Form_Activate(WindowState state);
    FormLayout Form_Resize(WindowState state);
    void Form_QueryUnload();

    // Commands by their menu name; a command without a handler is disabled.
    void runCommand(std::string_view name);
    bool isEnabled(std::string_view name) const;
    bool isChecked(std::string_view name) const;
    bool isVisible(std::string_view name) const;
    // Switches the top-level menus and the commands a scan or a load must not
    // interleave with on or off together.
    void EnableMainMenus(bool enabled);

    void Toolbar1_ButtonClick(int index);
    int toolbarImage(int index) const;
    bool isToolbarButtonEnabled(int index) const;

    void MNewSession_Click();
    void MExport_Click();
    void chkProtect_Click(bool ticked, CheckSource source = CheckSource::Direct);
    void Command1_Click();  // the Esc key

    // The result list.
    void LoadSearchedResult(const CHive& results);
    // column: 1-based header position; order "None" toggles, anything else sorts ascending.
    void SortCols(int column, std::string_view order);
    void UpdateMarkedCounter();
    void MMarkingSelected_Click();
    void mnuUnMarkSelected_Click();
    bool isZeroSizeList() const { return isVisible("MMarkAll"); }

    // Events of the result list. Positions are in twips from the list's left edge.
    static constexpr float CheckImageWidth = 300;
    void RLV_MouseMove(float xTwips) { ListPointerX = xTwips; }
    void RLV_ItemClick();
    void RLV_DblClick();
    void RLV_KeyUp(int keyCode);
    void RLV_MouseUp(int button);
    void RLV_ColumnClick(int position) { SortCols(position, "None"); }
    float ListPointerX = 0;

    // The scan.
    void MScan_Click();
    void MCancel_Click();
    void SetScanUiState(bool busy);
    bool busy() const { return busy_; }
    // Ticks of the view's one-second timers while they are enabled.
    bool timer1Enabled() const { return timer1Enabled_; }
    bool timer2Enabled() const { return timer2Enabled_; }
    void Timer1_Timer();
    void Timer2_Timer();
    // More files than this ask before the engines run.
    int64_t TooManyFiles = 100000;

    // The excluded extensions and folders a scan uses, each entry followed by
    // ";". Set, they replace the exclusion list's ticked entries.
    struct ExclusionTexts {
        std::string extensions;
        std::string folders;
    };
    std::optional<ExclusionTexts> exclusionOverride;
    // With an override, also take the exclusion list's ticked entries.
    bool addExclusionList = false;
    // Off, the window never writes the user's files (the default session and
    // the window size): the command line scans without leaving traces.
    bool keepUserFiles = true;

    // Sessions: the parameters-only reader and writer.
    bool LoadSessionParameters(const std::string& path);
    void SaveSessionParameters(const std::string& path);
    std::string defaultSessionPath() const { return folders_.userData + "/Default.twf"; }

    void selectEngine(int engine);
    void setFuzzy(bool on);
    void setIncludeHidden(bool on);
    void chkFuzzy_Click(bool ticked);

    // State.
    int engine() const { return engine_; }
    bool fuzzy() const { return fuzzy_; }
    bool fuzzyEnabled() const { return engine_ == 1; }
    bool protect() const { return protect_; }
    bool includeHidden() const { return includeHidden_; }
    const std::string& panel(int number) const { return panels_.at(number - 1); }
    const std::string& caption() const { return caption_; }
    bool pictureViewerOn() const { return pictureViewerImage_ == PictureViewerOnImage; }
    bool recycleBinOn() const { return recycleBinImage_ == RecycleBinOnImage; }
    bool firstActivation() const { return FirstActivation; }
    WindowState windowState() const { return windowState_; }

    Geometry& geometry() { return geometry_; }
    const Geometry& geometry() const { return geometry_; }

    const std::vector<SearchFolderEntry>& searchList() const { return SearchList.rows(); }
    SearchFolderList& searchFolders() { return SearchList; }
    const ResultList& resultList() const { return RLV; }
    ResultList& resultList() { return RLV; }

    // The problem report's view of the current search.
    std::string SearchEngineText() const;
    std::string StatusText() const;

    const AppFolders& folders() const { return folders_; }
    ErrorReporter& errorReporter() { return reporter_; }
    SettingsStore& settings() { return settings_; }
    UiPort& ui() { return ui_; }

    // The counters the scan sets and sessions store.
    int32_t FilesScanned = 0;
    int32_t FoldersScanned = 0;
    int32_t DuplicateFileCount = 0;
    int64_t DuplicateBytes = 0;  // ten-thousandths of a byte count: fixed point with four decimals
    bool ScanCancelled = false;

private:
    void registerCommands();
    void setPanel(int number, std::string text);
    void readSavedGeometry();
    void saveGeometry();
    void togglePictureViewer();
    void toggleRecycleBin();
    void openWebPage(const std::string& address);
    void markSelectedRows(int16_t code);
    void scanSearchFolders(class cScanPath& walker, const std::string& excludedExtensions,
                           const std::string& excludedFolders, struct ScannedFiles& files);
    void runEngine(struct ScannedFiles& files);
    ExclusionTexts excludedTexts();
    void yieldToUser();
    void openSelectedFile();
    void showTipOfTheDay();
    void showAbout();
    void changed();

    SettingsStore& settings_;
    UiPort& ui_;
    AppFolders folders_;
    std::string commandLine_;
    MainFrmObserver observer_;
    ErrorReporter reporter_;
    ExcludeFrmInstance exclude_;

    std::map<std::string, std::function<void()>, std::less<>> handlers_;
    std::map<std::string, bool, std::less<>> disabled_;  // commands switched off by state
    std::map<std::string, bool, std::less<>> hidden_;    // menu items hidden by the engine choice

    int engine_ = 1;
    bool fuzzy_ = false;
    bool protect_ = true;
    bool includeHidden_ = false;
    std::array<std::string, StatusPanelCount> panels_;
    std::string caption_{MainCaption};
    int pictureViewerImage_ = PictureViewerOnImage;
    int recycleBinImage_ = RecycleBinOnImage;
    bool FirstActivation = false;
    Geometry geometry_;
    WindowState windowState_ = WindowState::Normal;
    bool busy_ = false;
    bool timer1Enabled_ = false;
    bool timer2Enabled_ = false;
    int64_t stopwatchStart_ = 0;
    int64_t lastYield_ = 0;
    class cScanPath* walker_ = nullptr;  // the walk in progress, for Cancel

    SearchFolderList SearchList;
    ResultList RLV;
};

}  // namespace tw
