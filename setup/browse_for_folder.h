#pragma once
// The folder picker as the search setup uses it: it opens on the folder the
// user chose last in this run, and gives folder texts in the list's form.

#include "base/ui_port.h"

#include <string>
#include <string_view>

namespace tw {

// The folder last chosen in the picker; one value shared by every caller, so
// it lives with the search folder list for the life of the main window.
struct FolderPickerMemory {
    std::string lastFolder;
};

// The chosen folder as FolderText gives it, or empty text when the user
// cancelled; a cancel leaves the remembered folder as it was.
std::string BrowseForFolder(UiPort& ui, FolderPickerMemory& memory, const std::string& title);

// A folder path as the list keeps it: runs of "/" made one, "." components
// dropped, and a "/" at the end. Every other byte stays as it is, blanks at
// either end included, since any of them may be part of a name. Empty text
// stays empty.
std::string FolderText(std::string_view path);

}  // namespace tw
