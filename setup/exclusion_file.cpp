#include "setup/exclusion_file.h"

#include "platform/file_system.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace tw {

namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t";
    auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The Boolean a flag text stands for, or nothing when it is not a flag.
std::optional<bool> flagValue(std::string_view text) {
    text = trimmed(text);
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (upper == "TRUE") return true;
    if (upper == "FALSE") return false;
    if (text.empty()) return std::nullopt;
    // from_chars takes no "+" but does take "inf" and "nan", which are no flags.
    std::string_view number = text.front() == '+' ? text.substr(1) : text;
    if (number.empty() || number.find_first_of("-.0123456789") != 0) return std::nullopt;
    double value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
    return value != 0;
}

ExclusionEntry entryOf(std::string_view line) {
    auto comma = line.rfind(',');
    if (comma != std::string_view::npos) {
        if (std::optional<bool> flag = flagValue(line.substr(comma + 1)))
            return {std::string(line.substr(0, comma)), *flag};
    }
    return {std::string(line), false};
}

void appendEntries(std::string& out, const std::vector<ExclusionEntry>& entries) {
    for (const ExclusionEntry& entry : entries) {
        out += entry.text;
        out += entry.active ? ",True\r\n" : ",False\r\n";
    }
}

}  // namespace

std::string ExclusionFilePath(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') return folder + std::string(ExclusionFileName);
    return folder + "/" + std::string(ExclusionFileName);
}

ExclusionLists ParseExclusionList(std::string_view content) {
    ExclusionLists lists;
    std::vector<ExclusionEntry>* section = &lists.folders;
    while (!content.empty()) {
        auto end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (line == FolderListMarker) {
            section = &lists.folders;
        } else if (line == ExtensionListMarker) {
            section = &lists.extensions;
        } else if (!line.empty()) {
            ExclusionEntry entry = entryOf(line);
            // An empty folder text would exclude every path by prefix.
            if (!entry.text.empty()) section->push_back(std::move(entry));
        }
    }
    return lists;
}

std::string FormatExclusionList(const ExclusionLists& lists) {
    std::string out;
    out += FolderListMarker;
    out += "\r\n";
    appendEntries(out, lists.folders);
    out += ExtensionListMarker;
    out += "\r\n";
    appendEntries(out, lists.extensions);
    return out;
}

ExclusionLists ReadExclusionFile(const std::string& path) {
    std::optional<std::string> content = platform::readWholeFile(path);
    if (!content) return {};
    return ParseExclusionList(*content);
}

bool WriteExclusionFile(const std::string& path, const ExclusionLists& lists) {
    return platform::writeFileAtomically(path, FormatExclusionList(lists));
}

std::string TickedEntriesText(const std::vector<ExclusionEntry>& entries) {
    std::string text;
    for (const ExclusionEntry& entry : entries) {
        if (!entry.active) continue;
        text += entry.text;
        text += ';';
    }
    return text;
}

}  // namespace tw
