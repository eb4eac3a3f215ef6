#pragma once
// The session file: a header line, one line per search folder and, in a file
// saved with results, one line per result row after a line that begins with
// ";". Lines end in CR LF and fields are separated by "," (folders) or "?"
// (results).
//
// Fields are written byte for byte, except a field that holds the separator,
// a double quote or a line break, or a first field that begins with ";" or a
// double quote: that one is written in double quotes with inner quotes
// doubled, so it reads back whole. Files without such fields read exactly as
// they always have.

#include "setup/search_folder_entry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The header's nine fields, as written.
struct SessionHeader {
    std::string engine;          // "1" .. "4"
    std::string protect;         // "0" or "1"
    std::string includeHidden;   // "0" or "1"
    std::string resultRowCount;
    std::string filesScanned;
    std::string foldersScanned;
    std::string duplicateFiles;
    std::string duplicateBytes;  // whole bytes
    std::string fuzzy;           // "0" or "1"
};

// The header line and the folder lines, each ended by CR LF.
std::string SessionParametersText(const SessionHeader& header, const std::vector<SearchFolderEntry>& folders);

struct SessionParametersRead {
    std::vector<std::string> header;            // the header's fields, as many as the line has
    std::vector<SearchFolderEntry> folders;     // folder lines before the results, in file order
    bool complete = true;                       // false when a folder line had fewer than six fields
};

// Reads the header and the folder lines of a session's text; the result lines
// are not looked at. Reading stops at a folder line with fewer than six fields
// (complete is then false; the folders read so far are kept).
SessionParametersRead ReadSessionParameters(std::string_view text);

// Splits one line at `separator`, honouring double-quoted fields; `rest`
// moves past the line and its line end. Exposed for the result-line reader.
std::vector<std::string> ReadSessionRecord(std::string_view& rest, char separator);

// The field as it is written: quoted only when it must be.
std::string SessionField(std::string_view field, char separator, bool firstOfLine);

}  // namespace tw
