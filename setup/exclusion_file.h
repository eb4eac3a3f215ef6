#pragma once
// The exclusion list file, "exclusion.lst": a marker line before each of the
// two lists, then one entry per line as text & "," & flag ("True"/"False"),
// lines ended by CR LF, texts kept as the bytes they are.

#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct ExclusionEntry {
    std::string text;
    bool active = false;  // shown as the entry's tick

    bool operator==(const ExclusionEntry&) const = default;
};

struct ExclusionLists {
    std::vector<ExclusionEntry> folders;     // folder texts ending in "/"
    std::vector<ExclusionEntry> extensions;  // "*." patterns such as *.tmp

    bool operator==(const ExclusionLists&) const = default;
};

inline constexpr std::string_view ExclusionFileName = "exclusion.lst";
inline constexpr std::string_view FolderListMarker = "<<Folder List Start Here>>";
inline constexpr std::string_view ExtensionListMarker = "<<Extension List Start Here>>";

// The file's path in `folder`, with no doubled "/" when the folder is the root.
std::string ExclusionFilePath(const std::string& folder);

// Reads the file's text. Lines before the first marker count as folders; the
// flag follows the line's last comma, so a text may itself hold commas; a line
// whose tail is not a flag ("True"/"False" in any case, or a number, 0 being
// false) is an unticked entry of the whole line. Empty lines and entries with
// an empty text are skipped. Never fails.
ExclusionLists ParseExclusionList(std::string_view content);

// The file's text for both lists.
std::string FormatExclusionList(const ExclusionLists& lists);

// Two empty lists when the file is missing or unreadable.
ExclusionLists ReadExclusionFile(const std::string& path);

// Replaces the file through a temporary file and a rename; false on failure.
bool WriteExclusionFile(const std::string& path, const ExclusionLists& lists);

// Every ticked entry, each followed by ";" ("*.tmp;*.bak;").
std::string TickedEntriesText(const std::vector<ExclusionEntry>& entries);

}  // namespace tw
