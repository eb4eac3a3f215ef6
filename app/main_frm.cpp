#include "app/main_frm.h"

#include "app/command_line.h"
#include "app/frm_export.h"
#include "app/frm_tip.h"
#include "app/scan_dialogs.h"
#include "base/general.h"
#include "base/date_text.h"
#include "base/procedure.h"
#include "base/system_information.h"
#include "persist/session_file.h"
#include "platform/file_system.h"
#include "platform/lock_file.h"
#include "results/load_searched_result.h"
#include "results/size_text.h"

namespace tw {

namespace {

constexpr float TopClampBelow = -200;
constexpr float LeftClampBelow = -500;
constexpr float ClampedPosition = 100;

constexpr std::string_view ConfirmPermanentDelete =
    "This will delete the files permanently i.e., they are not sent to the recycle bin.\r\n"
    "Are you sure you want to preceed.";
constexpr std::string_view ConfirmUnprotect =
    "It is highly recommended to leave this option checked to prevent loss of data.\r\n"
    "Do you want to leave this option";
constexpr std::string_view NewSessionPrompt = "Add search path and click on the scan button to start search.";

}  // namespace

MainFrm::MainFrm(SettingsStore& settings, UiPort& ui, AppFolders folders, std::string commandLine)
    : settings_(settings),
      ui_(ui),
      folders_(std::move(folders)),
      commandLine_(std::move(commandLine)),
      reporter_(ui, ProblemReportSetup{folders_.resources + "/bug.dmp", folders_.userData + "/report.htm",
                                       [this] { return SearchSnapshot{SearchEngineText(), SearchFolderText(SearchList.rows()),
                                                                      StatusText()}; },
                                       [] { return SystemInformationText(platform::ReadSystemFacts()); },
                                       [] { return GeneralDateText(platform::LocalNow()); }}),
      exclude_(ui, ExclusionFilePath(folders_.userData)),
      SearchList(settings, ui, reporter_) {
    registerCommands();
}

void MainFrm::registerCommands() {
    handlers_ = {
        {"MNewSession", [this] { MNewSession_Click(); }},
        {"MExport", [this] { MExport_Click(); }},
        {"MPicViewer", [this] { togglePictureViewer(); }},
        {"MSendToRecycleBin", [this] { toggleRecycleBin(); }},
        {"MClose", [this] { if (observer_.closeRequested) observer_.closeRequested(); }},
        {"MHelpTopics", [this] { ui_.openDocument(folders_.resources + "/" + std::string(HelpFileName)); }},
        {"mnuTip", [this] { showTipOfTheDay(); }},
        {"mnuFaq", [this] { openWebPage(FaqPage()); }},
        {"mnuHelponline", [this] { openWebPage(HelpOnlinePage()); }},
        {"mnuchkforupdate", [this] { openWebPage(UpdatePage()); }},
        {"MAbout", [this] { showAbout(); }},
        {"MScan", [this] { MScan_Click(); }},
        {"cmdExclude", [this] { exclude_.Show(); }},
        {"cmdAdd", [this] { SearchList.cmdAdd_Click(); changed(); }},
        {"cmdRemove", [this] { SearchList.cmdRemove_Click(); changed(); }},
        {"MCancel", [this] { MCancel_Click(); }},
        {"MMarkingSelected", [this] { MMarkingSelected_Click(); }},
        {"mnuUnMarkSelected", [this] { mnuUnMarkSelected_Click(); }},
    };
    disabled_["MCancel"] = true;
    selectEngine(1);
}

void MainFrm::changed() {
    if (observer_.stateChanged) observer_.stateChanged();
}

void MainFrm::setPanel(int number, std::string text) { panels_.at(number - 1) = std::move(text); }

void MainFrm::readSavedGeometry() {
    geometry_.Width = static_cast<float>(Val(settings_.GetSetting(settings::WindowWidth)));
    geometry_.Height = static_cast<float>(Val(settings_.GetSetting(settings::WindowHeight)));
    geometry_.Top = static_cast<float>(Val(settings_.GetSetting(settings::WindowTop)));
    geometry_.Left = static_cast<float>(Val(settings_.GetSetting(settings::WindowLeft)));
    // A window closed while minimised was stored far off screen.
    if (geometry_.Top < TopClampBelow) geometry_.Top = ClampedPosition;
    if (geometry_.Left < LeftClampBelow) geometry_.Left = ClampedPosition;
}

void MainFrm::Form_Load() {
    Procedure proc(reporter_, "Loading");
    proc.run(2, [&] {
        setPanel(3, "Files : 0");
        setPanel(4, "Folders : 0");
        setPanel(2, "Duplicates : 0");
    });
    proc.run(3, [] { platform::holdLockFile("TWMutex"); });
    proc.run(4, [&] { readSavedGeometry(); });
    proc.run(7, [&] {
        pictureViewerImage_ = Val(settings_.GetSetting(settings::Display)) == PictureViewerOnImage
                                  ? PictureViewerOnImage
                                  : PictureViewerOffImage;
        // Only an explicit "11" means permanent deletion; a damaged value keeps the trash.
        recycleBinImage_ = Val(settings_.GetSetting(settings::RecycleBin)) == RecycleBinOffImage
                               ? RecycleBinOffImage
                               : RecycleBinOnImage;
    });
    proc.run(8, [&] {
        if (FileExists(defaultSessionPath())) LoadSessionParameters(defaultSessionPath());
    });
    changed();
}

void MainFrm::Form_Activate(WindowState state) {
    if (FirstActivation) return;
    FirstActivation = true;
    if (!commandLine_.empty()) {
        std::string path = SessionPathFromCommandLine(commandLine_);
        if (LoadSessionParameters(path)) runCommand("MScan");
        else ui_.showMessage({"\"" + path + "\"", "File Not Found", Buttons::Ok, Icon::Critical});
        return;
    }
    if (Val(settings_.GetSetting(settings::ShowTipsAtStartup)) == 1) showTipOfTheDay();
    if (state == WindowState::Normal) {
        readSavedGeometry();
        if (observer_.geometryChanged) observer_.geometryChanged();
    }
}

FormLayout MainFrm::Form_Resize(WindowState state) {
    windowState_ = state;
    if (geometry_.Width < MinimumWidth) geometry_.Width = MinimumWidth;
    if (geometry_.Height < MinimumHeight) geometry_.Height = MinimumHeight;
    FormLayout layout;
    layout.searchListWidth = geometry_.Width - 6650;
    layout.searchButtonsLeft = geometry_.Width - 6630;
    layout.engineFrameLeft = geometry_.Width - 6100;
    if (state == WindowState::Minimized) return layout;
    caption_ = MainCaption;
    layout.resultListResized = true;
    layout.resultListHeight = geometry_.Height - 3400;
    layout.resultListWidth = geometry_.Width - 200;
    return layout;
}

void MainFrm::saveGeometry() {
    settings_.SaveSetting(settings::WindowWidth, NumberText(geometry_.Width));
    settings_.SaveSetting(settings::WindowHeight, NumberText(geometry_.Height));
    settings_.SaveSetting(settings::WindowTop, NumberText(geometry_.Top));
    settings_.SaveSetting(settings::WindowLeft, NumberText(geometry_.Left));
}

void MainFrm::Form_QueryUnload() {
    Procedure proc(reporter_, "Unloading");
    proc.run(1, [&] { saveGeometry(); });
    proc.run(4, [&] { SaveSessionParameters(defaultSessionPath()); });
}

namespace {

// The text of a status panel after its fixed prefix ("Files : ", "Folders : ").
std::string panelCount(const std::string& panel, size_t prefixLength) {
    return panel.size() > prefixLength ? panel.substr(prefixLength) : std::string{};
}

}  // namespace

void MainFrm::SaveSessionParameters(const std::string& path) {
    if (!keepUserFiles) return;
    saveGeometry();
    SessionHeader header{std::to_string(engine_),
                         protect_ ? "1" : "0",
                         includeHidden_ ? "1" : "0",
                         std::to_string(RLV.rowCount()),
                         panelCount(panel(3), 8),
                         panelCount(panel(4), 10),
                         std::to_string(DuplicateFileCount),
                         std::to_string(DuplicateBytes / 10000),
                         fuzzy_ ? "1" : "0"};
    std::string text = SessionParametersText(header, SearchList.rows());
    // Failures from here on are ignored: the default session is a convenience.
    if (!path.empty()) platform::writeFileAtomically(path, text);
}

bool MainFrm::LoadSessionParameters(const std::string& path) {
    MNewSession_Click();
    auto text = platform::readWholeFile(path);
    if (!text || !platform::isRegularFile(path)) return false;
    SessionParametersRead read = ReadSessionParameters(*text);
    auto field = [&](size_t i) { return i < read.header.size() ? read.header[i] : std::string{}; };
    int engine = static_cast<int>(Val(field(0)));
    if (engine >= 1 && engine <= 4) selectEngine(engine);
    chkProtect_Click(Val(field(1)) != 0, CheckSource::ThruFile);
    includeHidden_ = Val(field(2)) != 0;
    for (SearchFolderEntry& row : read.folders) SearchList.addLoadedRow(std::move(row));
    changed();
    return read.complete;
}

void MainFrm::runCommand(std::string_view name) {
    if (!isEnabled(name)) return;
    auto handler = handlers_.find(name);
    if (handler != handlers_.end()) handler->second();
}

bool MainFrm::isEnabled(std::string_view name) const {
    if (name == "cmdRemove" && !SearchList.cmdRemoveEnabled()) return false;
    auto off = disabled_.find(name);
    if (off != disabled_.end() && off->second) return false;
    if (handlers_.contains(name)) return true;
    const MenuEntry* entry = FindMenuEntry(name);
    return entry != nullptr && entry->isSubmenu();
}

bool MainFrm::isVisible(std::string_view name) const {
    auto found = hidden_.find(name);
    return found == hidden_.end() || !found->second;
}

void MainFrm::EnableMainMenus(bool enabled) {
    for (const char* name : {"MScan", "MNewSession", "MSaveSession", "MLoadSession", "MExport", "MClose", "MAction",
                             "MHelp", "MnuFile"})
        disabled_[name] = !enabled;
    changed();
}

bool MainFrm::isChecked(std::string_view name) const {
    if (name == "MPicViewer") return pictureViewerOn();
    if (name == "MSendToRecycleBin") return recycleBinOn();
    return false;
}

void MainFrm::Toolbar1_ButtonClick(int index) {
    switch (index) {
    case MarkButton:
        if (RLV.empty()) ui_.showMessage({"No items marked/checked", "Error", Buttons::Ok, Icon::None});
        else ui_.popupMenu("MMark");
        return;
    case PictureViewerButton: togglePictureViewer(); return;
    case RecycleBinButton: toggleRecycleBin(); return;
    default:
        for (const ToolbarButton& button : ToolbarButtons())
            if (button.index == index && !button.command.empty()) runCommand(button.command);
    }
}

int MainFrm::toolbarImage(int index) const {
    if (index == PictureViewerButton) return pictureViewerImage_;
    if (index == RecycleBinButton) return recycleBinImage_;
    for (const ToolbarButton& button : ToolbarButtons())
        if (button.index == index) return button.image;
    return 0;
}

bool MainFrm::isToolbarButtonEnabled(int index) const {
    if (busy_) return index == 2;
    for (const ToolbarButton& button : ToolbarButtons()) {
        if (button.index != index || button.isSeparator()) continue;
        return button.command.empty() || isEnabled(button.command);
    }
    return false;
}

void MainFrm::togglePictureViewer() {
    pictureViewerImage_ = pictureViewerOn() ? PictureViewerOffImage : PictureViewerOnImage;
    settings_.SaveSetting(settings::Display, std::to_string(pictureViewerImage_));
    changed();
}

void MainFrm::toggleRecycleBin() {
    if (!recycleBinOn()) {
        recycleBinImage_ = RecycleBinOnImage;
    } else {
        Message confirm{std::string(ConfirmPermanentDelete), "Confirm", Buttons::YesNo, Icon::None, 2};
        if (ui_.showMessage(confirm) == Answer::Yes) recycleBinImage_ = RecycleBinOffImage;
    }
    settings_.SaveSetting(settings::RecycleBin, std::to_string(recycleBinImage_));
    changed();
}

void MainFrm::MNewSession_Click() {
    Procedure proc(reporter_, "New Session");
    proc.run(2, [&] {
        SearchList.clear();
        RLV.clear();
    });
    proc.run(3, [&] {
        engine_ = 1;
        protect_ = true;
        includeHidden_ = false;
        fuzzy_ = false;
    });
    proc.run(6, [&] {
        setPanel(1, std::string(NewSessionPrompt));
        setPanel(2, "");
        setPanel(3, "");
        setPanel(4, "");
        setPanel(5, "00:00:00");
    });
    proc.run(7, [&] { RLV.clearSortIndicators(); });
    changed();
}

void MainFrm::chkProtect_Click(bool ticked, CheckSource source) {
    protect_ = ticked;
    if (!ticked && source == CheckSource::Direct) {
        Message confirm{std::string(ConfirmUnprotect), "Confirm", Buttons::YesNo, Icon::Critical, 2};
        if (ui_.showMessage(confirm) == Answer::Yes) protect_ = true;
    }
    changed();
}

void MainFrm::Command1_Click() {
    if (isEnabled("MCancel")) runCommand("MCancel");
}

void MainFrm::selectEngine(int engine) {
    if (engine < 1 || engine > 4) return;
    engine_ = engine;
    bool zeroSize = engine == 4;
    hidden_["MMarkAll"] = !zeroSize;
    hidden_["MMarkAllDuplicates"] = zeroSize;
    hidden_["mnuAdvMarkForm"] = zeroSize;
    changed();
}

void MainFrm::LoadSearchedResult(const CHive& results) {
    tw::LoadSearchedResult(RLV, results,
                           {[this] { ui_.processEvents(); }, [this](const std::string& text) {
                                setPanel(1, text);
                                changed();
                            }});
}

void MainFrm::SortCols(int column, std::string_view order) {
    Procedure proc(reporter_, "Sorting Column : " + std::to_string(column));
    proc.run(1, [&] { RLV.clearSortIndicators(); });
    size_t key = RLV.sortKeyCell();
    int c = column - 1;
    proc.run(2, [&] {
        switch (c) {
        case 1: key = 6; break;
        case 2: key = 7; break;
        case 3: key = 3; break;
        case 4: key = 8; break;
        case 0:
        case 5:
        case 9: key = static_cast<size_t>(c); break;
        default: break;  // the hidden key columns and anything else keep the current key
        }
    });
    bool ascending = true;
    SortIndicator indicator = SortIndicator::Ascending;
    if (order == "None" && RLV.ascending()) {
        ascending = false;
        indicator = SortIndicator::Descending;
    }
    proc.run(4, [&] {
        if (c >= 0 && static_cast<size_t>(c) < ResultColumns.size())
            RLV.setSortIndicator(static_cast<size_t>(c), indicator);
        RLV.sortByCell(key, ascending);
    });
    proc.run(5, [&] {
        if (!isZeroSizeList()) RLV.RefreshColorShade();
    });
    changed();
}

void MainFrm::UpdateMarkedCounter() {
    int64_t count = 0;
    double total = 0;
    for (size_t row = 0; row < RLV.rowCount(); ++row) {
        if (!RLV.marked(row)) continue;
        ++count;
        total += static_cast<double>(RLV.size(row));
    }
    setPanel(1, "Total Files Marked " + std::to_string(count) + " Size " + FormatSize(total));
    changed();
}

void MainFrm::markSelectedRows(int16_t code) {
    RLV.beginBatch();
    for (size_t row = 0; row < RLV.rowCount(); ++row)
        if (RLV.selected(row)) RLV.setMarkCode(row, code);
    RLV.endBatch();
    UpdateMarkedCounter();
}

void MainFrm::MMarkingSelected_Click() {
    Procedure proc(reporter_, "Mark Selected");
    proc.run(1, [&] { markSelectedRows(MarkedCode); });
}

void MainFrm::mnuUnMarkSelected_Click() {
    Procedure proc(reporter_, "UnMark Selected");
    proc.run(1, [&] { markSelectedRows(UnmarkedCode); });
}

void MainFrm::RLV_ItemClick() {
    if (ListPointerX > CheckImageWidth) return;
    size_t row = RLV.focusedRow();
    if (row >= RLV.rowCount()) return;
    Procedure proc(reporter_, "RLV ItemClick");
    proc.run(1, [&] {
        RLV.setMarkCode(row, RLV.markCode(row) == UnmarkedCode ? MarkedCode : UnmarkedCode);
        UpdateMarkedCounter();
    });
}

void MainFrm::RLV_DblClick() {
    size_t row = RLV.focusedRow();
    if (RLV.empty() || row >= RLV.rowCount()) return;
    if (ListPointerX > CheckImageWidth) {
        openSelectedFile();
        return;
    }
    if (RLV.marked(row)) mnuUnMarkSelected_Click();
    else MMarkingSelected_Click();
}

void MainFrm::openSelectedFile() {
    Procedure proc(reporter_, "RLV Select");
    proc.run(1, [&] {
        if (ui_.openDocument(RLV.fullPath(RLV.focusedRow())) == OpenResult::NoAssociation)
            ui_.showMessage({"There is no program associated with the specified type of file.", "Error", Buttons::Ok,
                             Icon::None});
    });
}

void MainFrm::RLV_KeyUp(int keyCode) {
    constexpr int Space = 32;
    size_t row = RLV.focusedRow();
    if (keyCode != Space || row >= RLV.rowCount()) return;
    if (RLV.marked(row)) mnuUnMarkSelected_Click();
    else MMarkingSelected_Click();
}

void MainFrm::RLV_MouseUp(int button) {
    constexpr int RightButton = 2;
    if (button == RightButton && !RLV.empty()) ui_.popupMenu("MAction");
}

void MainFrm::setFuzzy(bool on) {
    fuzzy_ = on;
    changed();
}

void MainFrm::chkFuzzy_Click(bool ticked) {
    fuzzy_ = ticked;
    changed();
    if (ticked) {
        FuzzyFrm explanation;
        ui_.showModal(explanation);
    }
}

MainFrm::ExclusionTexts MainFrm::excludedTexts() {
    ExclusionTexts texts = exclusionOverride.value_or(ExclusionTexts{});
    if (!exclusionOverride || addExclusionList) {
        texts.extensions += exclude_.ExcludedExtensionText();
        texts.folders += exclude_.ExcludedFolderText();
    }
    return texts;
}

void MainFrm::setIncludeHidden(bool on) {
    includeHidden_ = on;
    changed();
}

std::string MainFrm::SearchEngineText() const {
    switch (engine_) {
    case 1: return "Search Engine: Byte-By-Byte, Fuzzy Logic:" + std::string(fuzzy_ ? "1" : "0");
    case 2: return "Search Engine: CRC32";
    case 3: return "Search Engine: Same Names";
    default: return "Search Engine: Zero Size";
    }
}

std::string SearchFolderText(const std::vector<SearchFolderEntry>& rows) {
    std::string text;
    for (const SearchFolderEntry& row : rows)
        text += row.path + " {SF} " + row.subFolders + " {FT} " + row.mask + " {MN} " + row.minSize + " {MX} " +
                row.maxSize + " Second";
    return text;
}

std::string MainFrm::StatusText() const {
    std::string text = "Status: ";
    for (int panel = 1; panel <= StatusPanelCount; ++panel) {
        if (panel > 1) text += "{}";
        text += panels_.at(panel - 1);
    }
    return text;
}

void MainFrm::openWebPage(const std::string& address) {
    if (ui_.openDocument(address) == OpenResult::Opened) return;
    ui_.showMessage({"No web browser could be started to open " + address + ".", "Error", Buttons::Ok, Icon::None});
}

void MainFrm::showTipOfTheDay() {
    frmTip tip(settings_);
    ui_.showModal(tip);
}

void MainFrm::MExport_Click() {
    frmExport wizard(settings_, ui_, reporter_, RLV, [this](int number) { return panel(number); },
                     folders_.resources + "/end.wav");
    ui_.showModal(wizard);
}

void MainFrm::showAbout() {
    frmAbout about;
    ui_.showModal(about);
}

}  // namespace tw
