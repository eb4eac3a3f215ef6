#pragma once
// The search folder list of the main window: rows added, edited and removed
// through the folder dialog. The main window owns one for its whole life.

#include "base/bug_frm.h"
#include "base/settings_store.h"
#include "base/ui_port.h"
#include "setup/browse_for_folder.h"
#include "setup/search_folder_entry.h"

#include <vector>

namespace tw {

class SearchFolderList {
public:
    SearchFolderList(SettingsStore& settings, UiPort& ui, ErrorReporter& reporter);

    const std::vector<SearchFolderEntry>& rows() const { return rows_; }
    bool empty() const { return rows_.empty(); }

    // The selected row, counted from 0; -1 when none is selected.
    int selectedIndex() const { return selected_; }
    // An index outside the list selects nothing.
    void select(int index);

    // Adds a folder through the folder dialog, or edits the selected row while
    // EditSearchFolder is set. A folder already in the list (exact text) has
    // its row updated in place instead of getting a second row.
    void cmdAdd_Click();
    // Edits the selected row; does nothing on an empty list.
    void SearchList_DblClick();
    // Removes the selected row; the row that takes its place becomes selected.
    void cmdRemove_Click();
    bool cmdRemoveEnabled() const { return !rows_.empty(); }

    // New Session: no rows, nothing selected.
    void clear();
    // A row read from a session file, appended as it stands.
    void addLoadedRow(SearchFolderEntry row);

    // Set only while a double click edits a row.
    bool EditSearchFolder = false;

    // The folder picker's memory, shared with the other pickers of the search setup.
    FolderPickerMemory& folderPicker() { return picker_; }

private:
    SettingsStore& settings_;
    UiPort& ui_;
    ErrorReporter& reporter_;
    FolderPickerMemory picker_;
    std::vector<SearchFolderEntry> rows_;
    int selected_ = -1;
};

}  // namespace tw
