#pragma once
// The folder dialog "Add/Exclude Folders" as a model: one search folder with
// its filters, checked on OK, with the last choices kept in the settings. One
// instance serves one add or one edit; the caller shows it modally and then
// reads the results (Folder, SubFolder, FileTypes, Exclude, resultRow()).

#include "base/bug_frm.h"
#include "base/settings_store.h"
#include "base/ui_port.h"
#include "platform/clock.h"
#include "setup/browse_for_folder.h"
#include "setup/search_folder_entry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class FolderControl {
    Text1,        // folder path
    Command2,     // browse
    Check1,       // include subfolders
    Check2,       // exclude folder
    cmbFileMask,
    txtMin,
    txtMax,
    txtMinDate,
    txtMaxDate,
    cmdOK,
    Command1,     // cancel
};

// A number as a size box accepts it: blanks around, a sign, digits with at
// most one decimal point, at least one digit.
bool IsNumericText(std::string_view text);

// A date as the date boxes accept it, blanks around allowed: m/d/yyyy or
// m-d-yyyy, or yyyy-m-d; a year of one or two digits means 1930 to 2029.
// Years run from 100 to 9999. Nothing when the text is no such date.
std::optional<platform::LocalDateTime> ParseDateText(std::string_view text);

// "mm/dd/yyyy".
std::string FolderDateText(const platform::LocalDateTime& date);

class FolderFrm : public DialogModel {
public:
    static constexpr std::string_view Caption = "Add/Exclude Folders";
    static constexpr std::string_view Check1Caption = "Include Sub Folders";
    static constexpr std::string_view Check2Caption = "Exclude Folder";
    static constexpr std::string_view BrowseTitle = "Choose Folder to Search";
    static constexpr std::string_view ErrorTitle = "Error";
    static constexpr std::string_view SizeOrderMessage = "Maximum size must be greater then minimum size";
    static constexpr std::string_view NotADateMessage = " is not a valid date";  // after the box's text
    static constexpr std::string_view MaxDateFirstMessage = "You cannot enter Max-Date until Min-Date is valid";
    static constexpr std::string_view DateOrderMessage = "Max-Date must be greater than Min-Date";
    static constexpr std::string_view NoSuchFolderMessage = " is not an existing folder";  // after the path
    static constexpr std::string_view DefaultMinSize = "10";

    // Loads the mask list: the user's own, or the presets when there is none.
    FolderFrm(SettingsStore& settings, UiPort& ui, ErrorReporter& reporter, FolderPickerMemory& picker);

    std::string_view dialogName() const override { return "FolderFrm"; }

    // Before the dialog is shown: fill it from a row to edit that row.
    void loadRow(const SearchFolderEntry& row);

    // The view calls this once, when the dialog is first shown. For an add it
    // opens the folder picker at once.
    void Form_Activate();

    // The user's changes to the controls.
    void setText1(std::string text) { text1_ = std::move(text); }
    void setCheck1(bool ticked);
    void Check2_Click(bool ticked);
    void setMaskText(std::string text) { maskText_ = std::move(text); }
    void setTxtMin(std::string text) { txtMin_ = std::move(text); }
    void setTxtMax(std::string text) { txtMax_ = std::move(text); }
    void setTxtMinDate(std::string text) { txtMinDate_ = std::move(text); }
    void setTxtMaxDate(std::string text) { txtMaxDate_ = std::move(text); }

    // Leaving a box. txtMax_LostFocus is false when the focus must stay there.
    void txtMin_LostFocus();
    bool txtMax_LostFocus();
    void cmbFileMask_LostFocus();

    void Command2_Click();  // browse
    void cmdOK_Click();
    void Command1_Click();  // cancel

    // ReadMaskList is false when the settings hold no mask list.
    bool ReadMaskList();
    void StoreMaskList();

    // What the controls show.
    const std::string& Text1() const { return text1_; }
    bool Check1() const { return check1_; }
    bool Check2() const { return check2_; }
    bool check1Enabled() const { return !check2_; }
    // txtMin, txtMax and cmbFileMask are disabled for a folder to leave out.
    bool filtersEnabled() const { return !check2_; }
    bool cmdOKEnabled() const;
    const std::string& maskText() const { return maskText_; }
    const std::vector<std::string>& maskList() const { return maskList_; }
    const std::string& txtMin() const { return txtMin_; }
    const std::string& txtMax() const { return txtMax_; }
    const std::string& txtMinDate() const { return txtMinDate_; }
    const std::string& txtMaxDate() const { return txtMaxDate_; }

    // The box a failed check wants focused with its whole text selected; reading it clears it.
    std::optional<FolderControl> takeFocusRequest();

    // Set by OK or Cancel: the view hides the dialog.
    bool finished() const { return finished_; }
    // Set by an OK whose checks all passed.
    bool accepted() const { return accepted_; }

    // The results, set by OK. FileTypes is empty for a folder to leave out.
    std::string Folder;
    std::string SubFolder;
    std::string FileTypes;
    bool Exclude = false;

    // The list row the confirmed dialog stands for.
    SearchFolderEntry resultRow() const;

private:
    void activate();
    void browse();
    bool confirm();
    bool checkSizes();
    bool checkDates();
    bool checkFolder();
    void maintainMaskList();
    void saveChoices();
    void refuse(const std::string& text, FolderControl focus);
    int64_t minimumSize() const;

    SettingsStore& settings_;
    UiPort& ui_;
    ErrorReporter& reporter_;
    FolderPickerMemory& picker_;

    std::string text1_;
    bool check1_ = true;
    bool check1Remembered_ = true;  // the subfolder choice from before "Exclude Folder" was ticked
    bool check2_ = false;
    std::string maskText_;
    std::vector<std::string> maskList_;
    std::string txtMin_{DefaultMinSize};
    std::string txtMax_;
    std::string txtMinDate_;
    std::string txtMaxDate_;

    std::optional<FolderControl> focusRequest_;
    bool activated_ = false;
    bool finished_ = false;
    bool accepted_ = false;
};

}  // namespace tw
