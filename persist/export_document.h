#pragma once
// The three export documents built from the rows of the result list: XML,
// delimited text and an HTML page. Lines end with CR LF and every document
// ends with one extra CR LF. Each document is built whole in an AppendString
// and written in one piece.

#include "results/result_list.h"

#include <cstddef>
#include <functional>
#include <string>

namespace tw {

// The values are the ones the "ExportFormat" setting stores.
enum class ExportFormat { Html = 1, Xml = 2, Delimited = 3 };
// The values are the ones the "ExportType" setting stores.
enum class ExportRows { All = 1, Marked = 2, Selected = 3 };

struct ExportOptions {
    ExportFormat format = ExportFormat::Xml;
    ExportRows rows = ExportRows::All;
    // Delimited text only: the text between two fields (a tab for "TAB"); may be empty.
    std::string delimiter = ",";
    // HTML only: the main window's status panels 2 ("Duplicate Files: ...") and
    // 3 ("Files : ..."), and the time the page is generated, as general date text.
    std::string duplicatesPanel;
    std::string filesPanel;
    std::string generatedOn;
};

// The whole document for the rows the options select, in list order.
// rowDone(r) is called after row r (1-based) of the list has been looked at,
// exported or not.
std::string BuildExportDocument(const ResultList& list, const ExportOptions& options,
                                const std::function<void(size_t)>& rowDone = {});

// Cell texts as each format writes them (exposed for tests).
// XML: "&" -> "&amp;", "<" -> "&lt;", ">" -> "&gt;" after "]]", CR -> "&#13;"; a backslash is
// doubled, and each byte of a character XML 1.0 does not allow, or of a
// sequence that is not UTF-8, is written as "\xHH".
std::string XmlCellText(std::string_view text);
// HTML: "&", "<", ">", '"' and "'" as character references.
std::string HtmlCellText(std::string_view text);
// Delimited: as it is, unless it holds the delimiter, a double quote, CR or LF:
// then in double quotes with inner double quotes doubled.
std::string DelimitedCellText(std::string_view text, std::string_view delimiter);

}  // namespace tw
