#include "persist/export_document.h"

#include "base/general.h"
#include "base/html_text.h"
#include "base/product.h"
#include "base/utf8_text.h"
#include "persist/append_string.h"

#include <array>
#include <cstdint>

namespace tw {

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr size_t CellCount = 6;

// ---- Cell texts ----

// The length of the UTF-8 sequence the lead byte announces, or 0 for a byte
// that cannot start one.
size_t announcedLength(uint8_t lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC0) return 0;
    return lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
}

// The length of the character at the start of text when it is valid UTF-8 and
// a character XML 1.0 allows; 0 otherwise.
size_t allowedXmlCharacter(std::string_view text) {
    size_t length = announcedLength(static_cast<uint8_t>(text.front()));
    if (length == 0 || length > text.size() || !IsValidUtf8(text.substr(0, length))) return 0;
    if (length == 1) {
        char c = text.front();
        return static_cast<uint8_t>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r' ? 1 : 0;
    }
    // U+FFFE and U+FFFF are not characters; surrogates are already not valid UTF-8.
    if (text.starts_with("\xEF\xBF\xBE") || text.starts_with("\xEF\xBF\xBF")) return 0;
    return length;
}

void appendHexByte(std::string& out, char byte) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    auto value = static_cast<uint8_t>(byte);
    out += "\\x";
    out += Hex[value >> 4];
    out += Hex[value & 0xF];
}

// ---- Rows ----

bool isExported(const ResultList& list, size_t row, ExportRows rows) {
    switch (rows) {
    case ExportRows::Marked: return list.marked(row);
    case ExportRows::Selected: return list.selected(row);
    case ExportRows::All: break;
    }
    return true;
}

void appendLine(AppendString& out, std::string_view text) {
    out.AddToString(text);
    out.AddToString(LineEnd);
}

// ---- XML ----

void appendXmlHead(AppendString& out) {
    appendLine(out, "<?xml version=\"1.0\"?>");
    appendLine(out, "<Files>");
}

void appendXmlRow(AppendString& out, const ResultList& list, size_t row) {
    static constexpr std::array<std::string_view, CellCount> Elements = {"FileName", "FileSize", "LastModified",
                                                                         "Version",  "Group",    "Path"};
    appendLine(out, "<File>");
    for (size_t cell = 0; cell < CellCount; ++cell) {
        std::string_view element = Elements[cell];
        out.AddToString("<");
        out.AddToString(element);
        out.AddToString(">");
        out.AddToString(XmlCellText(list.cell(row, cell)));
        out.AddToString("</");
        out.AddToString(element);
        appendLine(out, ">");
    }
    appendLine(out, "</File>");
}

void appendXmlTail(AppendString& out) { appendLine(out, "</Files>"); }

// ---- Delimited text ----

template <typename Field>
void appendDelimitedLine(AppendString& out, std::string_view delimiter, Field field) {
    for (size_t cell = 0; cell < CellCount; ++cell) {
        if (cell > 0) out.AddToString(delimiter);
        out.AddToString(DelimitedCellText(field(cell), delimiter));
    }
    out.AddToString(LineEnd);
}

void appendDelimitedHead(AppendString& out, std::string_view delimiter) {
    static constexpr std::array<std::string_view, CellCount> Titles = {"File Name", "Size(Bytes)", "Last Modified",
                                                                       "Version",   "Group",       "Path"};
    appendDelimitedLine(out, delimiter, [](size_t cell) { return std::string(Titles[cell]); });
}

void appendDelimitedRow(AppendString& out, std::string_view delimiter, const ResultList& list, size_t row) {
    appendDelimitedLine(out, delimiter, [&](size_t cell) { return list.cell(row, cell); });
}

// ---- HTML ----

// The text from the given 1-based character on; empty when the text is shorter.
std::string textFrom(const std::string& text, size_t first) {
    return text.size() >= first ? text.substr(first - 1) : std::string();
}

void appendHtmlHead(AppendString& out, const ExportOptions& options) {
    std::string maker(MakerWebAddress);
    appendLine(out, "<html><head>");
    appendLine(out, "<title>Export List - Twinsweep(" + maker + ")</title>");
    appendLine(out, "</head><style>");
    appendLine(out, ".title { font-family: Arial; font-size: 14pt; color: #0099FF; font-weight: bold}");
    appendLine(out, ".tr1   { font-family: Verdana; font-size: 10pt; padding: 0; margin-top:0; margin-bottom:0 }");
    appendLine(out, ".th    { margin:2 3; font-family: Arial; font-size: 10pt; color: #FFFFFF; font-weight: bold; "
                    "text-align:left; background-color:#BF0005; line-height:100% }");
    appendLine(out, ".even  { text-align: left; line-height: 100%; font-family: Arial; font-size: 10pt; margin: 0 3; "
                    "background-color: #ECF5FF }");
    appendLine(out, ".odd   { font-family: Arial; font-size: 10pt; text-align: left; line-height: 100%; margin: 0 3 }");
    appendLine(out, "</style><body>");
    appendLine(out, "<table border='0' width='350'>");
    appendLine(out, "<tr height='15' width='130'><td class='title' colspan='2' width='344'> Twinsweep </td></tr>");
    // The panels read "Files : <count>" and "Duplicate Files: <count>  Size: <total>".
    appendLine(out, "<tr class='tr1'><td width='120'>Total Scanned</td> <td width='220'><b>" +
                        HtmlCellText(textFrom(options.filesPanel, 8)) + "</b></td></tr>");
    appendLine(out, "<tr class='tr1'><td width='120'>Total Duplicates</td><td width='220'><b>" +
                        HtmlCellText(textFrom(options.duplicatesPanel, 17)) + "</b></td></tr>");
    appendLine(out, "<tr class='tr1'><td width='120'>Generate on</td><td width='220'><b>" +
                        HtmlCellText(options.generatedOn) + "</b></td></tr></table><hr>");
    appendLine(out, "<table border='0' cellspacing='1' style='border-collapse: collapse' bordercolor='#111111' "
                    "cellpadding='2' width='100%'>");
    appendLine(out, "<tr><th class='th'>File Name</th>");
    appendLine(out, "<th class='th' nowrap>Size(Bytes)</th>");
    appendLine(out, "<th class='th' nowrap>Last Modified</th>");
    appendLine(out, "<th class='th'>Version</th>");
    appendLine(out, "<th class='th'>Group#</th>");
    appendLine(out, "<th class='th'>Path</th></tr>");
}

void appendHtmlRow(AppendString& out, const ResultList& list, size_t row, std::string_view shade) {
    for (size_t cell = 0; cell < CellCount; ++cell) {
        out.AddToString(cell == 0 ? "<tr><td class='" : "<td class='");
        out.AddToString(shade);
        out.AddToString(cell == 2 ? "' nowrap>" : "'>");
        out.AddToString(HtmlCellText(list.cell(row, cell)));
        appendLine(out, cell + 1 < CellCount ? "</td>" : "</td></tr>");
    }
}

void appendHtmlTail(AppendString& out) {
    out.AddToString("</table><table border='0' cellspacing='0' style='border-collapse: collapse' "
                    "bordercolor='#111111' width='100%' bgcolor='#666666' height='20'>");
    out.AddToString("<tr><td width='100%' height='18'><p align='center'><b><font face='Verdana' size='1' "
                    "color='#FFFFFF'> ");
    out.AddToString(MakerWebAddress);
    out.AddToString("</font></b></td></tr></table></body></html>");
}

// Counts the runs of equal group numbers over every row of the list, exported
// or not, so a group keeps its shade whichever rows are written.
class GroupShade {
public:
    std::string_view next(const ResultList& list, size_t row) {
        double group = Val(list.cell(row, 4));
        if (group != previous_) {
            previous_ = group;
            ++runs_;
        }
        return runs_ % 2 == 0 ? "even" : "odd";
    }

private:
    double previous_ = 0;
    uint64_t runs_ = 0;
};

}  // namespace

std::string XmlCellText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        std::string_view rest = text.substr(i);
        size_t length = allowedXmlCharacter(rest);
        if (length == 0) {
            appendHexByte(out, rest.front());
            ++i;
            continue;
        }
        switch (rest.front()) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += text.substr(0, i).ends_with("]]") ? "&gt;" : ">"; break;
        case '\\': out += "\\\\"; break;
        // A reader turns a raw CR into a line feed; the reference keeps it.
        case '\r': out += "&#13;"; break;
        default: out.append(rest.substr(0, length));
        }
        i += length;
    }
    return out;
}

std::string HtmlCellText(std::string_view text) { return HtmlEscape(text); }

std::string DelimitedCellText(std::string_view text, std::string_view delimiter) {
    bool holdsDelimiter = !delimiter.empty() && text.find(delimiter) != std::string_view::npos;
    if (!holdsDelimiter && text.find_first_of("\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string BuildExportDocument(const ResultList& list, const ExportOptions& options,
                                const std::function<void(size_t)>& rowDone) {
    AppendString out;
    switch (options.format) {
    case ExportFormat::Xml: appendXmlHead(out); break;
    case ExportFormat::Delimited: appendDelimitedHead(out, options.delimiter); break;
    case ExportFormat::Html: appendHtmlHead(out, options); break;
    }
    GroupShade shade;
    for (size_t row = 0; row < list.rowCount(); ++row) {
        std::string_view rowShade = options.format == ExportFormat::Html ? shade.next(list, row) : "";
        if (isExported(list, row, options.rows)) {
            switch (options.format) {
            case ExportFormat::Xml: appendXmlRow(out, list, row); break;
            case ExportFormat::Delimited: appendDelimitedRow(out, options.delimiter, list, row); break;
            case ExportFormat::Html: appendHtmlRow(out, list, row, rowShade); break;
            }
        }
        if (rowDone) rowDone(row + 1);
    }
    switch (options.format) {
    case ExportFormat::Xml: appendXmlTail(out); break;
    case ExportFormat::Delimited: break;
    case ExportFormat::Html: appendHtmlTail(out); break;
    }
    // Every document ends with one extra line end.
    out.AddToString(LineEnd);
    return out.TakeString();
}

}  // namespace tw
