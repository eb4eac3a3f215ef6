#pragma once
// The scan's result as the command line prints it.

#include "persist/export_document.h"

#include <ostream>
#include <string>

namespace tw {
class MainFrm;
}

namespace tw::cli {

// The groups as a person reads them: a heading per group, then each file's
// size, last-modified text and path.
void WriteText(std::ostream& out, const MainFrm& window);

// {"summary": {...}, "groups": [{"group": n, "files": [...]}]} in list order.
// Texts that are not valid UTF-8 are escaped (base/utf8_text.h) and the file
// carries "escaped": true.
void WriteJson(std::ostream& out, const MainFrm& window);

// The window's export document of every row: XML, delimited text (with the
// given delimiter) or HTML, byte for byte as the export wizard writes it.
void WriteExport(std::ostream& out, const MainFrm& window, ExportFormat format, const std::string& delimiter);

// One line for standard error: the final status panels.
std::string SummaryLine(const MainFrm& window);

}  // namespace tw::cli
