#include "cli/result_output.h"

#include "app/main_frm.h"
#include "base/utf8_text.h"

#include <nlohmann/json.hpp>

namespace tw::cli {

namespace {

// Rows of one group stand together in a fresh result; a zero-size listing has no groups.
template <typename Visit>
void forEachGroup(const ResultList& list, Visit visit) {
    size_t start = 0;
    while (start < list.rowCount()) {
        size_t end = start + 1;
        while (end < list.rowCount() && list.group(end) == list.group(start)) ++end;
        visit(list.group(start), start, end);
        start = end;
    }
}

}  // namespace

void WriteText(std::ostream& out, const MainFrm& window) {
    const ResultList& list = window.resultList();
    forEachGroup(list, [&](int32_t group, size_t start, size_t end) {
        out << (group > 0 ? "Group " + std::to_string(group) : std::string("Empty files")) << "\n";
        for (size_t row = start; row < end; ++row)
            out << "  " << list.cell(row, 1) << " bytes  " << list.cell(row, 2) << "  " << list.fullPath(row) << "\n";
        out << "\n";
    });
}

void WriteJson(std::ostream& out, const MainFrm& window) {
    const ResultList& list = window.resultList();
    nlohmann::ordered_json groups = nlohmann::ordered_json::array();
    forEachGroup(list, [&](int32_t group, size_t start, size_t end) {
        nlohmann::ordered_json files = nlohmann::ordered_json::array();
        for (size_t row = start; row < end; ++row) {
            std::string name(list.name(row));
            bool escaped = !IsValidUtf8(name) || !IsValidUtf8(list.folder(row));
            nlohmann::ordered_json file = {
                {"name", EscapeInvalidUtf8(name)},
                {"folder", EscapeInvalidUtf8(list.folder(row))},
                {"path", EscapeInvalidUtf8(list.fullPath(row))},
                {"size", list.size(row)},
                {"modified", EscapeInvalidUtf8(list.cell(row, 2))},
                {"version", EscapeInvalidUtf8(list.cell(row, 3))},
            };
            if (escaped) file["escaped"] = true;
            files.push_back(std::move(file));
        }
        nlohmann::ordered_json entry;
        if (group > 0) entry["group"] = group;
        entry["files"] = std::move(files);
        groups.push_back(std::move(entry));
    });
    nlohmann::ordered_json document = {
        {"summary",
         {{"files_scanned", window.FilesScanned},
          {"folders_scanned", window.FoldersScanned},
          {"duplicate_files", window.DuplicateFileCount},
          {"duplicate_bytes", window.DuplicateBytes / 10000},
          {"cancelled", window.ScanCancelled}}},
        {"groups", std::move(groups)},
    };
    out << document.dump(2) << "\n";
}

std::string SummaryLine(const MainFrm& window) {
    return window.panel(1) + " " + window.panel(2) + "; " + window.panel(3) + "; " + window.panel(4) + "; " +
           window.panel(5);
}

}  // namespace tw::cli
