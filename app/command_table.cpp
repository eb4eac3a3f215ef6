#include "app/command_table.h"

namespace tw {

namespace {

MenuEntry separator() { return MenuEntry{}; }

std::vector<MenuEntry> buildMenuTree() {
    return {
        {"MnuFile", "File", "",
         {
             {"MScan", "Scan", "F5", {}},
             {"MCancel", "Cancel", "F6", {}},
             separator(),
             {"MNewSession", "New Session", "Ctrl+N", {}},
             {"MLoadSession", "Load Session", "Ctrl+L", {}},
             {"MSaveSession", "Save Session", "Ctrl+S", {}},
             separator(),
             {"MExport", "Export", "Ctrl+E", {}},
             separator(),
             {"MPicViewer", "Show Picture Viewer", "", {}},
             {"MSendToRecycleBin", "Send to Recycle Bin", "", {}},
             separator(),
             {"MClose", "Close", "Ctrl+X", {}},
         }},
        {"MAction", "Action", "",
         {
             {"MMark", "Mark Quick", "",
              {
                  {"MNone", "None", "", {}},
                  {"minvert", "Invert Mark", "", {}},
                  separator(),
                  {"MMarkAll", "Mark All", "", {}},
                  {"mnuAdvMarking", "Advance Marking", "", {}},
                  {"MMarkAllDuplicates", "Mark All Duplicates", "Ctrl+D", {}},
                  separator(),
                  {"MMarkingSelected", "Mark Selected", "", {}},
                  {"mnuUnMarkSelected", "UnMark Selected", "", {}},
                  separator(),
                  {"MMarkFolder", "Mark Folder", "", {}},
                  {"mnuFolderAndSubFolder", "Mark Folder and Sub Folders", "", {}},
              }},
             {"mnuAdvMarkForm", "Advance Marking", "Ctrl+A", {}},
             separator(),
             {"MCopyMarkFiles", "Copy", "Ctrl+C", {}},
             {"MMoveSelected", "Move ", "Ctrl+M", {}},
             {"MDelete", "Delete", "Del", {}},
             {"MRename", "Rename", "Ctrl+R", {}},
             separator(),
             {"mnuRemoveFromResult", "Remove from result list", "Ctrl+K", {}},
             separator(),
             {"MOpenFile", "Open File", "Ctrl+O", {}},
             {"MOpenFolder", "Open Folder", "Ctrl+F", {}},
             {"mnuOpenAllMarkFiles", "Open Mark Files", "Ctrl+J", {}},
             separator(),
             {"MCopyPath", "Copy path to clipboard", "Ctrl+W", {}},
             separator(),
             {"MFileProperties", "File Properties", "Ctrl+P", {}},
         }},
        {"MHelp", "Help", "",
         {
             {"MHelpTopics", "Help Topics", "F1", {}},
             {"mnuTip", "Tip of the day", "F2", {}},
             separator(),
             {"mnuFaq", "FAQ", "", {}},
             {"mnuHelponline", "Help Online", "", {}},
             {"mnuchkforupdate", "Check for Update", "", {}},
             separator(),
             {"MAbout", "About Twinsweep", "", {}},
         }},
    };
}

const MenuEntry* findIn(const std::vector<MenuEntry>& entries, std::string_view name) {
    for (const MenuEntry& entry : entries) {
        if (!entry.isSeparator() && entry.name == name) return &entry;
        if (const MenuEntry* found = findIn(entry.children, name)) return found;
    }
    return nullptr;
}

}  // namespace

const std::vector<MenuEntry>& MenuTree() {
    static const std::vector<MenuEntry> tree = buildMenuTree();
    return tree;
}

const MenuEntry* FindMenuEntry(std::string_view name) { return findIn(MenuTree(), name); }

const std::vector<ToolbarButton>& ToolbarButtons() {
    static const std::vector<ToolbarButton> buttons = {
        {1, 1, "MScan", "Scan"},
        {2, 2, "MCancel", "Cancel"},
        {3, 0, "", ""},
        {MarkButton, 3, "", "Mark Quick"},
        {5, 4, "MCopyMarkFiles", "Copy"},
        {6, 5, "MMoveSelected", "Move"},
        {7, 6, "MDelete", "Delete"},
        {8, 7, "MRename", "Rename"},
        {9, 0, "", ""},
        {10, 8, "MExport", "Export"},
        {PictureViewerButton, PictureViewerOnImage, "MPicViewer", "Show Picture Viewer"},
        {RecycleBinButton, RecycleBinOnImage, "MSendToRecycleBin", "Send to Recycle Bin"},
    };
    return buttons;
}

}  // namespace tw
