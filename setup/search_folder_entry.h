#pragma once
// One row of the search folder list. All cells are text, as shown.

#include <string>

namespace tw {

inline constexpr int SearchFolderIcon = 15;
inline constexpr int LeaveOutFolderIcon = 16;

struct SearchFolderEntry {
    std::string path;        // ends in "/"
    std::string subFolders;  // "Yes" or "No"
    std::string mask;
    std::string minSize;     // KB, may be empty
    std::string maxSize;     // KB, may be empty
    std::string minDate;     // "mm/dd/yyyy", may be empty
    std::string maxDate;
    int icon = SearchFolderIcon;
};

}  // namespace tw
