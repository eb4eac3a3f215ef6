#include "cli/result_output.h"

#include "app/main_frm.h"
#include "base/date_text.h"
#include "base/utf8_text.h"
#include "platform/clock.h"

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

// The document is written a file at a time, so a million rows never stand in memory twice.
void WriteJson(std::ostream& out, const MainFrm& window) {
    const ResultList& list = window.resultList();
    const nlohmann::ordered_json summary = {
        {"files_scanned", window.FilesScanned},
        {"folders_scanned", window.FoldersScanned},
        {"duplicate_files", window.DuplicateFileCount},
        {"duplicate_bytes", window.DuplicateBytes / 10000},
        {"cancelled", window.ScanCancelled},
    };
    out << "{\n  \"summary\": " << summary.dump() << ",\n  \"groups\": [";
    const char* groupSeparator = "\n";
    forEachGroup(list, [&](int32_t group, size_t start, size_t end) {
        out << groupSeparator << "    {";
        if (group > 0) out << "\"group\": " << group << ", ";
        out << "\"files\": [";
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
            out << (row == start ? "\n      " : ",\n      ") << file.dump();
        }
        out << "\n    ]}";
        groupSeparator = ",\n";
    });
    out << (groupSeparator[0] == ',' ? "\n  ]\n}\n" : "]\n}\n");
}

void WriteExport(std::ostream& out, const MainFrm& window, ExportFormat format, const std::string& delimiter) {
    ExportOptions options;
    options.format = format;
    options.rows = ExportRows::All;
    options.delimiter = delimiter;
    options.duplicatesPanel = window.panel(2);
    options.filesPanel = window.panel(3);
    options.generatedOn = GeneralDateText(platform::LocalNow());
    out << BuildExportDocument(window.resultList(), options);
}

std::string SummaryLine(const MainFrm& window) {
    return window.panel(1) + " " + window.panel(2) + "; " + window.panel(3) + "; " + window.panel(4) + "; " +
           window.panel(5);
}

}  // namespace tw::cli
