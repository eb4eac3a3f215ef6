#include "setup/browse_for_folder.h"

namespace tw {

std::string BrowseForFolder(UiPort& ui, FolderPickerMemory& memory, const std::string& title) {
    std::string chosen = FolderText(ui.browseForFolder(title, memory.lastFolder));
    if (!chosen.empty()) memory.lastFolder = chosen;
    return chosen;
}

std::string FolderText(std::string_view path) {
    if (path.empty()) return {};
    std::string text;
    text.reserve(path.size() + 1);
    size_t pos = 0;
    if (path.front() == '/') {
        text += '/';
        pos = 1;
    }
    while (pos <= path.size()) {
        size_t end = path.find('/', pos);
        if (end == std::string_view::npos) end = path.size();
        std::string_view part = path.substr(pos, end - pos);
        if (!part.empty() && part != ".") {
            text += part;
            text += '/';
        }
        pos = end + 1;
    }
    // A relative "." alone names the current folder.
    if (text.empty()) text = "./";
    return text;
}

}  // namespace tw
