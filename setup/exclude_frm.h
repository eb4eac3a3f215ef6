#pragma once
// The exclusion list dialog: folders no scan enters and file extensions no
// scan reports, each with a tick that switches it on and off. The lists are
// read from the exclusion file when the dialog is loaded and written back
// only by OK.

#include "base/ui_port.h"
#include "setup/exclusion_file.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// True for the characters the extension box takes: letters, digits, "*" and ".".
bool ExtensionCharacterAllowed(char32_t character);

class ExcludeFrm : public DialogModel {
public:
    static constexpr int KeyBackspace = 8;
    static constexpr int KeyEnter = 13;

    static constexpr std::string_view Caption = "Exclusion List";
    static constexpr std::string_view FolderFrameCaption = "Exclude following folders from search";
    static constexpr std::string_view ExtensionFrameCaption = "Exclude following file extensions from search";
    static constexpr std::string_view ExtensionLabel = "Ignore these file extionsions from scanning";
    static constexpr std::string_view RemoveCaption = "Remove";
    static constexpr std::string_view Hint =
        "You can temporarily remove a folder/extension by unchecking it, or remove it altogether by selecting it "
        "and pressing the \"Remove\" button.";
    static constexpr std::string_view BrowseTitle = "Choose Folder to exclude";
    static constexpr std::string_view SaveFailedText = "The exclusion list could not be saved to ";

    // Loads the dialog: both lists are read from the file at `filePath`.
    ExcludeFrm(UiPort& ui, std::string filePath);

    std::string_view dialogName() const override { return "ExcludeFrm"; }
    const std::string& filePath() const { return filePath_; }

    const std::vector<ExclusionEntry>& lstExFolders() const { return lists_.folders; }
    const std::vector<ExclusionEntry>& lstExExtension() const { return lists_.extensions; }
    // The selected entry of each list; -1 when none is.
    int lstExFoldersIndex() const { return folderIndex_; }
    int lstExExtensionIndex() const { return extensionIndex_; }
    void setLstExFoldersIndex(int index);
    void setLstExExtensionIndex(int index);
    // A tick set or cleared by the user; an index outside the list is ignored.
    void tickFolder(int index, bool ticked);
    void tickExtension(int index, bool ticked);

    const std::string& txtAddExtension() const { return extensionText_; }
    void setTxtAddExtension(std::string text) { extensionText_ = std::move(text); }
    bool cmdRemoveExFolderEnabled() const { return removeFolderEnabled_; }
    bool cmdRemoveExExtensionEnabled() const { return removeExtensionEnabled_; }

    // Replaces both lists with the file's; a missing file gives empty lists.
    void LoadExclusionList();
    // Writes both lists to the file; false when it could not be written.
    bool SaveExclusionList() const;

    void cmdAddExFolder_Click();
    void cmdAddExExtension_Click();
    // A key typed in the extension box: the key to keep, or 0 when it is
    // discarded. Enter adds the extension.
    int txtAddExtension_KeyPress(int keyAscii);
    void cmdRemoveExFolder_Click();
    void cmdRemoveExExtension_Click();
    // Writes the file and hides the dialog; the lists stay as edited.
    void cmdOK_Click();

    // Set by OK while the dialog is shown; a showing that ends without it
    // was closed by the close box.
    bool hiddenByOK() const { return hiddenByOK_; }
    void beginShowing() { hiddenByOK_ = false; }

    // The ticked entries as the scan passes them to the walker, each followed by ";".
    std::string ExcludedExtensionText() const { return TickedEntriesText(lists_.extensions); }
    std::string ExcludedFolderText() const { return TickedEntriesText(lists_.folders); }
    // Appends a folder, ticked, as a session does. A text that does not fit
    // on one line of the file is not added.
    void AddFolder(const std::string& path);

private:
    void updateRemoveButtons();

    UiPort& ui_;
    std::string filePath_;
    ExclusionLists lists_;
    int folderIndex_ = -1;
    int extensionIndex_ = -1;
    std::string extensionText_;
    bool removeFolderEnabled_ = false;
    bool removeExtensionEnabled_ = false;
    bool hiddenByOK_ = false;
};

// The dialog as the main window keeps it: loaded on first use, kept while
// hidden by OK, unloaded when closed any other way, so that the next use
// reads the file again.
class ExcludeFrmInstance {
public:
    ExcludeFrmInstance(UiPort& ui, std::string filePath) : ui_(ui), filePath_(std::move(filePath)) {}

    // Loads the dialog when it is not loaded.
    ExcludeFrm& form();
    bool loaded() const { return form_ != nullptr; }
    void Unload() { form_.reset(); }

    // cmdExclude: shows the dialog modally.
    void Show();

    // For the scan and the session reader; each loads the dialog if needed.
    std::string ExcludedExtensionText() { return form().ExcludedExtensionText(); }
    std::string ExcludedFolderText() { return form().ExcludedFolderText(); }
    void AddFolder(const std::string& path) { form().AddFolder(path); }

private:
    UiPort& ui_;
    std::string filePath_;
    std::unique_ptr<ExcludeFrm> form_;
};

}  // namespace tw
