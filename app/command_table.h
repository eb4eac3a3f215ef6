#pragma once
// The main window's menus and toolbar as data: the views build themselves
// from these tables and report clicks back by command name.

#include <string_view>
#include <vector>

namespace tw {

struct MenuEntry {
    std::string_view name;      // empty for a separator
    std::string_view caption;
    std::string_view shortcut;  // key text such as "F5", "Ctrl+N", "Del"; empty for none
    std::vector<MenuEntry> children;

    bool isSeparator() const { return name.empty(); }
    bool isSubmenu() const { return !children.empty(); }
};

// The top-level menus "File", "Action" and "Help" with everything below them.
const std::vector<MenuEntry>& MenuTree();

// The entry of that name anywhere in the tree, or nullptr.
const MenuEntry* FindMenuEntry(std::string_view name);

struct ToolbarButton {
    int index;                 // 1-based position on the toolbar
    int image;                 // initial image number; 0 for a separator
    std::string_view command;  // the menu command it runs; empty when it has its own action
    std::string_view hint;

    bool isSeparator() const { return image == 0; }
};

inline constexpr int MarkButton = 4;
inline constexpr int PictureViewerButton = 11;
inline constexpr int RecycleBinButton = 12;

inline constexpr int PictureViewerOnImage = 10;
inline constexpr int PictureViewerOffImage = 9;
inline constexpr int RecycleBinOnImage = 12;
inline constexpr int RecycleBinOffImage = 11;

const std::vector<ToolbarButton>& ToolbarButtons();

}  // namespace tw
