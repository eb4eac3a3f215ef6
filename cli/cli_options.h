#pragma once
// The command line of twinsweep-cli.

#include <optional>
#include <string>
#include <vector>

namespace tw::cli {

enum class OutputFormat { Text, Json, Csv, Xml, Html };

struct CliOptions {
    std::vector<std::string> folders;
    std::string session;
    int engine = 1;
    bool fuzzy = false;
    std::string mask = "All files(*.*)";
    std::string minKb;
    std::string maxKb;
    std::string minDate;
    std::string maxDate;
    bool subFolders = true;
    bool hidden = false;
    bool protect = true;
    std::vector<std::string> excludeFolders;
    std::vector<std::string> excludeExtensions;
    bool useExclusionList = false;
    OutputFormat format = OutputFormat::Text;
    // Between the fields of --format csv: "tab", "comma" and "semicolon" are
    // replaced by the character they name, any other text is used as it is.
    std::string delimiter = ",";
    std::string output;
    bool progress = false;
    bool quiet = false;
};

struct ParsedCommandLine {
    std::optional<CliOptions> options;  // empty when the program should end with exitCode
    int exitCode = 0;
    std::string message;  // help, version or the usage error, for the caller to print
};

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace tw::cli
