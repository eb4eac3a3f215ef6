#include "setup/search_folder_list.h"

#include "base/procedure.h"
#include "setup/folder_frm.h"

#include <algorithm>

namespace tw {

SearchFolderList::SearchFolderList(SettingsStore& settings, UiPort& ui, ErrorReporter& reporter)
    : settings_(settings), ui_(ui), reporter_(reporter) {}

void SearchFolderList::select(int index) {
    selected_ = index >= 0 && index < static_cast<int>(rows_.size()) ? index : -1;
}

void SearchFolderList::cmdAdd_Click() {
    const bool editing = EditSearchFolder;
    if (editing && selected_ < 0) return;
    Procedure proc(reporter_, "Add Folders");
    FolderFrm dialog(settings_, ui_, reporter_, picker_);
    proc.run(1, [&] {
        if (editing) dialog.loadRow(rows_.at(static_cast<size_t>(selected_)));
    });
    proc.run(2, [&] { ui_.showModal(dialog); });
    if (proc.aborted() || !dialog.accepted() || dialog.Folder.empty()) return;
    proc.run(3, [&] {
        SearchFolderEntry row = dialog.resultRow();
        if (editing) {
            rows_.at(static_cast<size_t>(selected_)) = std::move(row);
            return;
        }
        auto same = std::find_if(rows_.begin(), rows_.end(),
                                 [&](const SearchFolderEntry& existing) { return existing.path == row.path; });
        if (same != rows_.end()) *same = std::move(row);
        else rows_.push_back(std::move(row));
    });
}

void SearchFolderList::SearchList_DblClick() {
    if (rows_.empty()) return;
    EditSearchFolder = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{EditSearchFolder};
    cmdAdd_Click();
}

void SearchFolderList::cmdRemove_Click() {
    if (selected_ < 0) return;
    rows_.erase(rows_.begin() + selected_);
    select(std::min(selected_, static_cast<int>(rows_.size()) - 1));
}

void SearchFolderList::clear() {
    rows_.clear();
    selected_ = -1;
}

void SearchFolderList::addLoadedRow(SearchFolderEntry row) { rows_.push_back(std::move(row)); }

}  // namespace tw
