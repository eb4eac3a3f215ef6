#include "persist/session_file.h"

#include "base/general.h"

namespace tw {

namespace {

constexpr std::string_view LineEnd = "\r\n";

bool needsQuotes(std::string_view field, char separator, bool firstOfLine) {
    if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos) return true;
    return firstOfLine && !field.empty() && field.front() == ';';
}

void appendLine(std::string& out, const std::vector<std::string_view>& fields, char separator) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += separator;
        out += SessionField(fields[i], separator, i == 0);
    }
    out += LineEnd;
}

void skipLineEnd(std::string_view& rest) {
    if (rest.starts_with("\r\n")) rest.remove_prefix(2);
    else if (!rest.empty() && (rest.front() == '\n' || rest.front() == '\r')) rest.remove_prefix(1);
}

}  // namespace

std::string SessionField(std::string_view field, char separator, bool firstOfLine) {
    if (!needsQuotes(field, separator, firstOfLine)) return std::string(field);
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::vector<std::string> ReadSessionRecord(std::string_view& rest, char separator) {
    std::vector<std::string> fields;
    std::string field;
    bool atFieldStart = true;
    while (!rest.empty()) {
        char c = rest.front();
        if (atFieldStart && c == '"') {
            // A quoted field runs to the quote that is not doubled.
            rest.remove_prefix(1);
            while (!rest.empty()) {
                if (rest.front() == '"') {
                    if (rest.size() > 1 && rest[1] == '"') {
                        field += '"';
                        rest.remove_prefix(2);
                        continue;
                    }
                    rest.remove_prefix(1);
                    break;
                }
                field += rest.front();
                rest.remove_prefix(1);
            }
            atFieldStart = false;
            continue;
        }
        if (c == '\r' || c == '\n') break;
        rest.remove_prefix(1);
        if (c == separator) {
            fields.push_back(std::move(field));
            field.clear();
            atFieldStart = true;
            continue;
        }
        field += c;
        atFieldStart = false;
    }
    fields.push_back(std::move(field));
    skipLineEnd(rest);
    return fields;
}

std::string SessionParametersText(const SessionHeader& header, const std::vector<SearchFolderEntry>& folders) {
    std::string out;
    appendLine(out,
               {header.engine, header.protect, header.includeHidden, header.resultRowCount, header.filesScanned,
                header.foldersScanned, header.duplicateFiles, header.duplicateBytes, header.fuzzy},
               ',');
    for (const SearchFolderEntry& row : folders) {
        std::string icon = std::to_string(row.icon);
        appendLine(out, {row.path, row.subFolders, row.mask, row.minSize, row.maxSize, icon, row.minDate, row.maxDate},
                   ',');
    }
    return out;
}

SessionParametersRead ReadSessionParameters(std::string_view text) {
    SessionParametersRead read;
    if (text.empty()) return read;
    read.header = ReadSessionRecord(text, ',');
    while (!text.empty()) {
        if (text.front() == ';') break;  // the results begin
        std::vector<std::string> fields = ReadSessionRecord(text, ',');
        if (fields.size() < 6) {
            read.complete = false;
            break;
        }
        SearchFolderEntry row;
        row.path = fields[0];
        row.subFolders = fields[1];
        row.mask = fields[2];
        row.minSize = fields[3];
        row.maxSize = fields[4];
        row.icon = static_cast<int>(Val(fields[5]));
        if (fields.size() >= 8) {
            row.minDate = fields[6];
            row.maxDate = fields[7];
        }
        read.folders.push_back(std::move(row));
    }
    return read;
}

}  // namespace tw
