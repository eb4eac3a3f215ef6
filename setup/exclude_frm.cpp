#include "setup/exclude_frm.h"

#include <algorithm>

namespace tw {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return upper(x) == upper(y); });
}

// A text with a line break would come back from the file as two entries.
bool fitsOnOneLine(std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; }

bool validIndex(int index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

}  // namespace

bool ExtensionCharacterAllowed(char32_t character) {
    return (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z') ||
           (character >= '0' && character <= '9') || character == '*' || character == '.';
}

ExcludeFrm::ExcludeFrm(UiPort& ui, std::string filePath) : ui_(ui), filePath_(std::move(filePath)) {
    LoadExclusionList();
    updateRemoveButtons();
}

void ExcludeFrm::setLstExFoldersIndex(int index) {
    folderIndex_ = validIndex(index, lists_.folders.size()) ? index : -1;
}

void ExcludeFrm::setLstExExtensionIndex(int index) {
    extensionIndex_ = validIndex(index, lists_.extensions.size()) ? index : -1;
}

void ExcludeFrm::tickFolder(int index, bool ticked) {
    if (validIndex(index, lists_.folders.size())) lists_.folders[static_cast<size_t>(index)].active = ticked;
}

void ExcludeFrm::tickExtension(int index, bool ticked) {
    if (validIndex(index, lists_.extensions.size())) lists_.extensions[static_cast<size_t>(index)].active = ticked;
}

void ExcludeFrm::LoadExclusionList() {
    lists_ = ReadExclusionFile(filePath_);
    folderIndex_ = -1;
    extensionIndex_ = -1;
}

bool ExcludeFrm::SaveExclusionList() const { return WriteExclusionFile(filePath_, lists_); }

void ExcludeFrm::cmdAddExFolder_Click() {
    std::string path = ui_.browseForFolder(std::string(BrowseTitle), {});
    if (path.empty() || !fitsOnOneLine(path)) return;
    if (path.back() != '/') path += '/';
    bool known = std::any_of(lists_.folders.begin(), lists_.folders.end(),
                             [&](const ExclusionEntry& entry) { return entry.text == path; });
    if (!known) lists_.folders.push_back({path, true});
    updateRemoveButtons();
}

void ExcludeFrm::cmdAddExExtension_Click() {
    if (extensionText_.empty() || !fitsOnOneLine(extensionText_)) return;
    std::string entry = extensionText_.starts_with("*.") ? extensionText_ : "*." + extensionText_;
    bool known = std::any_of(lists_.extensions.begin(), lists_.extensions.end(),
                             [&](const ExclusionEntry& existing) { return equalsIgnoringCase(existing.text, entry); });
    if (!known) {
        lists_.extensions.push_back({entry, true});
        extensionText_.clear();
    }
    updateRemoveButtons();
}

int ExcludeFrm::txtAddExtension_KeyPress(int keyAscii) {
    if (keyAscii == KeyEnter) {
        cmdAddExExtension_Click();
        return 0;
    }
    if (keyAscii == KeyBackspace) return keyAscii;
    return keyAscii > 0 && ExtensionCharacterAllowed(static_cast<char32_t>(keyAscii)) ? keyAscii : 0;
}

void ExcludeFrm::cmdRemoveExFolder_Click() {
    if (!validIndex(folderIndex_, lists_.folders.size())) return;
    lists_.folders.erase(lists_.folders.begin() + folderIndex_);
    folderIndex_ = -1;
    updateRemoveButtons();
}

void ExcludeFrm::cmdRemoveExExtension_Click() {
    if (!validIndex(extensionIndex_, lists_.extensions.size())) return;
    lists_.extensions.erase(lists_.extensions.begin() + extensionIndex_);
    extensionIndex_ = -1;
    updateRemoveButtons();
}

void ExcludeFrm::cmdOK_Click() {
    // The edits stay in memory for this run even when the file cannot be written.
    if (!SaveExclusionList())
        ui_.showMessage({std::string(SaveFailedText) + filePath_ + ".", std::string(Caption), Buttons::Ok,
                         Icon::Exclamation});
    hiddenByOK_ = true;
}

void ExcludeFrm::AddFolder(const std::string& path) {
    if (path.empty() || !fitsOnOneLine(path)) return;
    lists_.folders.push_back({path, true});
    updateRemoveButtons();
}

void ExcludeFrm::updateRemoveButtons() {
    removeFolderEnabled_ = !lists_.folders.empty();
    removeExtensionEnabled_ = !lists_.extensions.empty();
}

ExcludeFrm& ExcludeFrmInstance::form() {
    if (!form_) form_ = std::make_unique<ExcludeFrm>(ui_, filePath_);
    return *form_;
}

void ExcludeFrmInstance::Show() {
    ExcludeFrm& shown = form();
    shown.beginShowing();
    ui_.showModal(shown);
    if (!shown.hiddenByOK()) Unload();
}

}  // namespace tw
