#include "cli/cli_options.h"

#include "base/product.h"
#include "base/date_text.h"

#include <CLI/CLI.hpp>

#include <map>

namespace tw::cli {

namespace {

constexpr int UsageError = 2;

bool isDate(const std::string& text) {
    auto when = ParseGeneralDate(text);
    return when && text.size() == 10 && when->hour == 0 && when->minute == 0 && when->second == 0;
}

bool isNumber(const std::string& text) {
    if (text.empty()) return false;
    try {
        size_t used = 0;
        double value = std::stod(text, &used);
        return used == text.size() && value >= 0;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv) {
    CliOptions options;
    CLI::App app{"Finds duplicate files in the given folders and lists them in groups.", "twinsweep-cli"};
    app.set_version_flag("--version", std::string(ProductName) + " " + std::string(ProductVersion));
    app.add_option("FOLDER", options.folders, "Folders to search");
    app.add_option("--session", options.session, "Take the search folders and options from a session file (.twf)");
    std::string engine = "byte";
    app.add_option("--engine", engine, "byte, crc, name or zero (default byte)")
        ->check(CLI::IsMember({"byte", "crc", "name", "zero"}));
    app.add_flag("--fuzzy", options.fuzzy, "Fuzzy comparison (byte engine only)");
    app.add_option("--mask", options.mask, "File mask, such as \"*.jpg;*.png;\" (default all files)");
    app.add_option("--min-kb", options.minKb, "Minimum size in KB (default: any non-empty file)");
    app.add_option("--max-kb", options.maxKb, "Maximum size in KB");
    app.add_option("--min-date", options.minDate, "Oldest last-modified date, MM/DD/YYYY");
    app.add_option("--max-date", options.maxDate, "Newest last-modified date, MM/DD/YYYY");
    bool noSubFolders = false;
    bool noProtect = false;
    app.add_flag("--no-subfolders", noSubFolders, "Do not search below the given folders");
    app.add_flag("--hidden", options.hidden, "Include hidden files and folders (names beginning with \".\")");
    app.add_flag("--no-protect", noProtect, "Also search the system's own folders (/usr, /etc, ...)");
    app.add_option("--exclude-folder", options.excludeFolders, "Leave out this folder and what lies below it");
    app.add_option("--exclude-ext", options.excludeExtensions, "Leave out files with this extension (txt or *.txt)");
    app.add_flag("--use-exclusion-list", options.useExclusionList, "Also apply the window's exclusion list");
    std::string format = "text";
    app.add_option("--format", format, "text, json, csv, xml or html (default text); csv, xml and html are the "
                                       "window's export documents with all files")
        ->check(CLI::IsMember({"text", "json", "csv", "xml", "html"}));
    std::string delimiter = "comma";
    auto* delimiterOption =
        app.add_option("--delimiter", delimiter, "Between the fields of --format csv: tab, comma, semicolon or any "
                                                 "text (default comma)");
    app.add_option("--output", options.output, "Write the result to this file instead of standard output");
    app.add_flag("--progress", options.progress, "Report progress on standard error");
    app.add_flag("--quiet", options.quiet, "No summary line on standard error");

    ParsedCommandLine parsed;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        parsed.message = app.help();
        return parsed;
    } catch (const CLI::CallForVersion& version) {
        parsed.message = std::string(version.what()) + "\n";
        return parsed;
    } catch (const CLI::ParseError& error) {
        parsed.exitCode = UsageError;
        parsed.message = std::string("twinsweep-cli: ") + error.what() + "\nRun with --help for more information.\n";
        return parsed;
    }
    auto usage = [&](const std::string& text) {
        parsed.exitCode = UsageError;
        parsed.message = "twinsweep-cli: " + text + "\nRun with --help for more information.\n";
        return parsed;
    };
    if (options.folders.empty() == options.session.empty())
        return usage("give either one or more folders or --session FILE");
    for (const std::string* size : {&options.minKb, &options.maxKb})
        if (!size->empty() && !isNumber(*size)) return usage("a size must be a number of KB: " + *size);
    for (const std::string* date : {&options.minDate, &options.maxDate})
        if (!date->empty() && !isDate(*date)) return usage("a date must read MM/DD/YYYY: " + *date);
    static const std::map<std::string, int> engines = {{"byte", 1}, {"crc", 2}, {"name", 3}, {"zero", 4}};
    options.engine = engines.at(engine);
    if (options.fuzzy && options.engine != 1) return usage("--fuzzy works with --engine byte only");
    options.subFolders = !noSubFolders;
    options.protect = !noProtect;
    static const std::map<std::string, OutputFormat> formats = {{"text", OutputFormat::Text},
                                                                {"json", OutputFormat::Json},
                                                                {"csv", OutputFormat::Csv},
                                                                {"xml", OutputFormat::Xml},
                                                                {"html", OutputFormat::Html}};
    options.format = formats.at(format);
    if (delimiterOption->count() > 0 && options.format != OutputFormat::Csv)
        return usage("--delimiter works with --format csv only");
    static const std::map<std::string, std::string> namedDelimiters = {
        {"tab", "\t"}, {"comma", ","}, {"semicolon", ";"}};
    auto named = namedDelimiters.find(delimiter);
    options.delimiter = named == namedDelimiters.end() ? delimiter : named->second;
    parsed.options = std::move(options);
    return parsed;
}

}  // namespace tw::cli
