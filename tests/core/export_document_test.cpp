#include "base/utf8_text.h"
#include "persist/append_string.h"
#include "persist/export_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace tw {
namespace {

// Groups 1, 2 and 3; rows 2 and 6 marked, rows 3, 4 and 7 selected.
ResultList sampleList() {
    ResultList list;
    list.beginFill();
    list.appendRow({"report & summary.txt", 1024, "1/2/2026 3:04:05 PM", "N/A", 1, "/home/me/docs/", UnmarkedCode});
    list.appendRow({"report.txt", 1024, "1/3/2026 10:00:00 AM", "N/A", 1, "/home/me/backup/", MarkedCode});
    list.appendRow({"a,b \"quoted\".dat", 2048, "2/4/2026 8:30:00 AM", "N/A", 2, "/home/me/data/", UnmarkedCode});
    list.appendRow({"ab.dat", 2048, "2/5/2026 9:15:00 PM", "N/A", 2, "/home/me/old/", UnmarkedCode});
    list.appendRow({"setup.exe", 5000000, "3/1/2025 12:00:00 PM", "1.2.3.4", 3, "/home/me/downloads/", UnmarkedCode});
    list.appendRow({"setup (1).exe", 5000000, "3/2/2025 1:00:00 PM", "1.2.3.4", 3, "/home/me/downloads/", MarkedCode});
    list.appendRow({"setup-copy.exe", 5000000, "3/3/2025 2:00:00 PM", "1.2.3.4", 3, "/tmp/", UnmarkedCode});
    list.endFill();
    for (size_t row : {2, 3, 6}) list.setSelected(row, true);
    return list;
}

ExportOptions options(ExportFormat format, ExportRows rows, std::string delimiter = ",") {
    ExportOptions o;
    o.format = format;
    o.rows = rows;
    o.delimiter = std::move(delimiter);
    o.filesPanel = "Files : 1234";
    o.duplicatesPanel = "Duplicate Files: 7  Size: 14.31 MB";
    o.generatedOn = "12/7/2026 9:05:00 PM";
    return o;
}

std::string golden(const std::string& name) {
    std::ifstream in(std::string(TWINSWEEP_GOLDEN_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ExportDocument, EachFormatAndFilterMatchesItsGoldenFile) {
    struct Case {
        const char* file;
        ExportOptions options;
    } cases[] = {
        {"export_all.xml", options(ExportFormat::Xml, ExportRows::All)},
        {"export_marked.xml", options(ExportFormat::Xml, ExportRows::Marked)},
        {"export_selected.xml", options(ExportFormat::Xml, ExportRows::Selected)},
        {"export_all_comma.csv", options(ExportFormat::Delimited, ExportRows::All, ",")},
        {"export_selected_semicolon.csv", options(ExportFormat::Delimited, ExportRows::Selected, ";")},
        {"export_all.htm", options(ExportFormat::Html, ExportRows::All)},
        // Group 2 is skipped but still advances the shading: groups 1 and 3 stay odd.
        {"export_marked.htm", options(ExportFormat::Html, ExportRows::Marked)},
    };
    ResultList list = sampleList();
    for (const Case& c : cases) {
        std::string expected = golden(c.file);
        ASSERT_FALSE(expected.empty()) << c.file;
        std::vector<size_t> done;
        EXPECT_EQ(BuildExportDocument(list, c.options, [&](size_t row) { done.push_back(row); }), expected) << c.file;
        EXPECT_EQ(done, (std::vector<size_t>{1, 2, 3, 4, 5, 6, 7})) << c.file << ": every row is reported";
    }

    for (size_t row = 0; row < list.rowCount(); ++row) list.setMarkCode(row, UnmarkedCode);
    EXPECT_EQ(BuildExportDocument(list, options(ExportFormat::Xml, ExportRows::Marked)),
              golden("export_none_marked.xml"));
}

TEST(ExportDocument, DelimiterIsWrittenAsGiven) {
    ResultList list = sampleList();
    auto firstTwoLines = [&](const std::string& delimiter) {
        std::string text = BuildExportDocument(list, options(ExportFormat::Delimited, ExportRows::All, delimiter));
        return text.substr(0, text.find("\r\n", text.find("\r\n") + 2) + 2);
    };
    EXPECT_EQ(firstTwoLines("\t"), "File Name\tSize(Bytes)\tLast Modified\tVersion\tGroup\tPath\r\n"
                                   "report & summary.txt\t1024\t1/2/2026 3:04:05 PM\tN/A\t1\t/home/me/docs/\r\n");
    EXPECT_EQ(firstTwoLines(""), "File NameSize(Bytes)Last ModifiedVersionGroupPath\r\n"
                                 "report & summary.txt10241/2/2026 3:04:05 PMN/A1/home/me/docs/\r\n");
    EXPECT_EQ(firstTwoLines(" "), "\"File Name\" Size(Bytes) \"Last Modified\" Version Group Path\r\n"
                                  "\"report & summary.txt\" 1024 \"1/2/2026 3:04:05 PM\" N/A 1 /home/me/docs/\r\n");
}

TEST(ExportDocument, DelimitedFieldsAreQuotedOnlyWhenNeeded) {
    struct Case {
        std::string text, delimiter, expected;
    } cases[] = {
        {"plain.txt", ",", "plain.txt"},
        {"", ",", ""},
        {"a,b", ",", "\"a,b\""},
        {"a;b", ",", "a;b"},
        {"say \"hi\"", ";", "\"say \"\"hi\"\"\""},
        {"line\nbreak", ",", "\"line\nbreak\""},
        {"carriage\rreturn", ",", "\"carriage\rreturn\""},
        {"a\tb", "\t", "\"a\tb\""},
        {"a,b", "", "a,b"},
        {"a::b", "::", "\"a::b\""},
        {"a:b", "::", "a:b"},
    };
    for (const Case& c : cases) EXPECT_EQ(DelimitedCellText(c.text, c.delimiter), c.expected) << c.text;
}

TEST(ExportDocument, HtmlEscapesCellsAndSummary) {
    EXPECT_EQ(HtmlCellText("<script>alert(\"x&y\")</script>'"),
              "&lt;script&gt;alert(&quot;x&amp;y&quot;)&lt;/script&gt;&#39;");

    ResultList list;
    list.beginFill();
    list.appendRow({"<script>.js", 1, "<now>", "N/A", 1, "/a&b/", UnmarkedCode});
    list.endFill();
    ExportOptions o = options(ExportFormat::Html, ExportRows::All);
    o.duplicatesPanel = "Duplicate Files: <2>";
    o.generatedOn = "\"today\"";
    std::string page = BuildExportDocument(list, o);
    for (const char* expected : {"Total Duplicates</td><td width='220'><b> &lt;2&gt;</b>", "<b>&quot;today&quot;</b>",
                                 "<tr><td class='odd'>&lt;script&gt;.js</td>", "nowrap>&lt;now&gt;</td>",
                                 "<td class='odd'>/a&amp;b/</td></tr>"})
        EXPECT_NE(page.find(expected), std::string::npos) << expected;
    EXPECT_EQ(page.find("<script>"), std::string::npos);

    // The count starts at the panel's 8th character.
    const std::pair<const char*, const char*> panels[] = {
        {"Files : 12", " 12"}, {"Files : ", " "}, {"Files :", ""}, {"", ""}};
    for (const auto& [panel, shown] : panels) {
        o.filesPanel = panel;
        std::string line = std::string("Total Scanned</td> <td width='220'><b>") + shown + "</b>";
        EXPECT_NE(BuildExportDocument(list, o).find(line), std::string::npos) << panel;
    }
}

TEST(ExportDocument, XmlCellTextEscapesWhatXmlCannotHold) {
    struct Case {
        std::string text, expected;
    } cases[] = {
        {"a & b", "a &amp; b"},
        {"<tag>", "&lt;tag>"},
        {"x]]>y", "x]]&gt;y"},
        {"]]]>", "]]]&gt;"},
        {"]>", "]>"},
        {"] ]>", "] ]>"},
        {"C:\\dir", "C:\\\\dir"},
        {"bell\x07", "bell\\x07"},
        {std::string("nul\0", 4), "nul\\x00"},
        {"tab\tlf\ncr\rdel\x7F", "tab\tlf\ncr&#13;del\x7F"},
        {"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBD", "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBD"},
        {"bad\xFF", "bad\\xFF"},
        {"cut\xC3", "cut\\xC3"},
        {"overlong\xC0\xAF", "overlong\\xC0\\xAF"},
        {"\xEF\xBF\xBE\xEF\xBF\xBF", "\\xEF\\xBF\\xBE\\xEF\\xBF\\xBF"},
        {"surrogate\xED\xA0\x80", "surrogate\\xED\\xA0\\x80"},
    };
    for (const Case& c : cases) EXPECT_EQ(XmlCellText(c.text), c.expected) << c.text;
}

// Just enough XML 1.0 to tell a well-formed document of plain nested elements:
// allowed UTF-8 characters, matching tags, only the references the export
// writes, no "]]>" in character data, one root element.
bool isWellFormed(std::string_view doc) {
    constexpr std::string_view Declaration = "<?xml version=\"1.0\"?>";
    if (!doc.starts_with(Declaration) || !IsValidUtf8(doc)) return false;
    if (doc.find("\xEF\xBF\xBE") != doc.npos || doc.find("\xEF\xBF\xBF") != doc.npos) return false;
    for (char c : doc)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') return false;
    doc.remove_prefix(Declaration.size());
    std::vector<std::string_view> open;
    int roots = 0;
    while (!doc.empty()) {
        if (doc.front() == '<') {
            size_t end = doc.find('>');
            if (end == doc.npos) return false;
            std::string_view tag = doc.substr(1, end - 1);
            if (tag.starts_with("/")) {
                if (open.empty() || open.back() != tag.substr(1)) return false;
                open.pop_back();
            } else {
                if (tag.empty() || tag.find_first_of("<&\"' ") != tag.npos) return false;
                if (open.empty()) ++roots;
                open.push_back(tag);
            }
            doc.remove_prefix(end + 1);
        } else {
            size_t end = std::min(doc.find('<'), doc.size());
            std::string_view text = doc.substr(0, end);
            if (open.empty() && text.find_first_not_of("\r\n") != text.npos) return false;
            if (text.find("]]>") != text.npos) return false;
            for (size_t amp = text.find('&'); amp != text.npos; amp = text.find('&', amp + 1)) {
                std::string_view ref = text.substr(amp);
                if (!ref.starts_with("&amp;") && !ref.starts_with("&lt;") && !ref.starts_with("&gt;") &&
                    !ref.starts_with("&#13;"))
                    return false;
            }
            doc.remove_prefix(end);
        }
    }
    return open.empty() && roots == 1;
}

// The file name back from XmlCellText's output, as a reader of the document would.
std::string readBack(std::string_view text) {
    static const std::pair<std::string_view, char> Escapes[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&#13;", '\r'}, {"\\\\", '\\'}};
    std::string out;
    while (!text.empty()) {
        auto escape = std::find_if(std::begin(Escapes), std::end(Escapes),
                                   [&](const auto& e) { return text.starts_with(e.first); });
        if (escape != std::end(Escapes)) {
            out += escape->second;
            text.remove_prefix(escape->first.size());
        } else if (text.starts_with("\\x")) {
            out += static_cast<char>(std::stoi(std::string(text.substr(2, 2)), nullptr, 16));
            text.remove_prefix(4);
        } else {
            out += text.front();
            text.remove_prefix(1);
        }
    }
    return out;
}

TEST(ExportDocument, XmlIsWellFormedForAnyNameAndReadsBack) {
    const std::string names[] = {"a]]>b&c<d>e",  "back\\x41slash", std::string("\x01\x1F\0z", 4),
                                 "\xFF\xFE",       "\xEF\xBF\xBE",   "\xED\xBF\xBF",
                                 "</FileName>",    "&amp;",          "plain \xC3\xA9t\xC3\xA9",
                                 "cr\rlf\n"};
    ResultList list;
    list.beginFill();
    for (const std::string& name : names) list.appendRow({name, 1, "<date>", "]]>", 1, "/x&y/", UnmarkedCode});
    list.endFill();
    std::string doc = BuildExportDocument(list, options(ExportFormat::Xml, ExportRows::All));
    EXPECT_TRUE(isWellFormed(doc)) << doc;
    EXPECT_FALSE(isWellFormed("<?xml version=\"1.0\"?>\r\n<Files>a]]>b</Files>\r\n")) << "the checker itself";
    for (const std::string& name : names) EXPECT_EQ(readBack(XmlCellText(name)), name);
}

TEST(AppendString, GrowsInWholeStepsAndKeepsEveryPiece) {
    AppendString builder;
    EXPECT_EQ(builder.ReturnString(), "");
    EXPECT_EQ(builder.capacity(), 0u);
    std::string expected;
    for (size_t piece = 0; expected.size() < 120000; ++piece) {
        // Pieces of uneven length, one far longer than a step.
        std::string text(piece == 7 ? 25001 : piece % 997 + 1, static_cast<char>('a' + piece % 26));
        builder.AddToString(text);
        expected += text;
        ASSERT_EQ(builder.ReturnString(), expected) << "piece " << piece;
        ASSERT_EQ(builder.capacity() % AppendString::GrowthStep, 0u);
        ASSERT_GE(builder.capacity(), expected.size());
        ASSERT_LT(builder.capacity(), expected.size() + AppendString::GrowthStep) << "grown only as far as needed";
    }
    builder.AddToString("");
    EXPECT_EQ(builder.ReturnString(), expected);
    EXPECT_EQ(builder.TakeString(), expected);
    EXPECT_EQ(builder.ReturnString(), "") << "the builder is empty after handing its text over";
}

}  // namespace
}  // namespace tw
