// twinsweep-cli: the scan of the window, driven from the command line.

#include "app/main_frm.h"
#include "cli/cli_options.h"
#include "cli/cli_ui_port.h"
#include "cli/result_output.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/user_dirs.h"

#include <iostream>
#include <sstream>
#include <unistd.h>

using namespace tw;
using namespace tw::cli;

namespace {

constexpr int CouldNotRun = 1;
constexpr int64_t ProgressIntervalMs = 500;

std::string absoluteFolder(const std::string& folder) {
    std::string path = folder;
    if (path.empty() || path.front() != '/') {
        char buffer[4096];
        if (::getcwd(buffer, sizeof buffer)) path = std::string(buffer) + "/" + path;
    }
    if (path.back() != '/') path += '/';
    return path;
}

std::string extensionEntry(std::string extension) {
    if (extension.starts_with("*.")) return extension;
    if (extension.starts_with(".")) return "*" + extension;
    return "*." + extension;
}

}  // namespace

int main(int argc, char** argv) {
    ParsedCommandLine parsed = ParseCommandLine(argc, argv);
    if (!parsed.options) {
        (parsed.exitCode == 0 ? std::cout : std::cerr) << parsed.message;
        return parsed.exitCode;
    }
    const CliOptions& options = *parsed.options;

    std::ios::sync_with_stdio(false);
    CliUiPort ui(std::cerr);
    CliUiPort::catchInterrupts();
    SettingsStore settings(defaultSettingsPath());
    MainFrm window(settings, ui, AppFolders{platform::resourceFolder(), platform::dataFolder()}, "");
    window.keepUserFiles = false;

    if (!options.session.empty()) {
        if (!window.LoadSessionParameters(options.session)) {
            std::cerr << "twinsweep-cli: cannot read the session file \"" << options.session << "\"\n";
            return CouldNotRun;
        }
    } else {
        window.MNewSession_Click();
        for (const std::string& folder : options.folders) {
            std::string path = absoluteFolder(folder);
            if (!platform::isFolder(path)) {
                std::cerr << "twinsweep-cli: not a folder: " << folder << "\n";
                return CouldNotRun;
            }
            window.searchFolders().addLoadedRow({path, options.subFolders ? "Yes" : "No", options.mask, options.minKb,
                                           options.maxKb, options.minDate, options.maxDate, SearchFolderIcon});
        }
        window.selectEngine(options.engine);
        window.setFuzzy(options.fuzzy);
        window.setIncludeHidden(options.hidden);
        window.chkProtect_Click(options.protect, CheckSource::ThruFile);
    }

    MainFrm::ExclusionTexts exclusions;
    for (const std::string& extension : options.excludeExtensions) exclusions.extensions += extensionEntry(extension) + ";";
    for (const std::string& folder : options.excludeFolders) exclusions.folders += absoluteFolder(folder) + ";";
    window.exclusionOverride = exclusions;
    window.addExclusionList = options.useExclusionList;

    ui.onInterrupt = [&window] { window.runCommand("MCancel"); };
    int64_t lastProgress = 0;
    std::string lastStatus;
    if (options.progress)
        ui.onYield = [&] {
            int64_t now = platform::MonotonicMilliseconds();
            if (now - lastProgress < ProgressIntervalMs || window.panel(1) == lastStatus) return;
            lastProgress = now;
            lastStatus = window.panel(1);
            std::cerr << lastStatus << "\n";
        };

    window.runCommand("MScan");

    auto writeResult = [&](std::ostream& out) {
        switch (options.format) {
        case OutputFormat::Text: WriteText(out, window); break;
        case OutputFormat::Json: WriteJson(out, window); break;
        case OutputFormat::Csv: WriteExport(out, window, ExportFormat::Delimited, options.delimiter); break;
        case OutputFormat::Xml: WriteExport(out, window, ExportFormat::Xml, options.delimiter); break;
        case OutputFormat::Html: WriteExport(out, window, ExportFormat::Html, options.delimiter); break;
        }
    };
    if (options.output.empty()) {
        writeResult(std::cout);
        std::cout.flush();
    } else {
        std::ostringstream result;
        writeResult(result);
        if (!platform::writeFileAtomically(options.output, result.str())) {
            std::cerr << "twinsweep-cli: cannot write " << options.output << "\n";
            return CouldNotRun;
        }
    }
    if (!options.quiet) std::cerr << SummaryLine(window) << "\n";
    return 0;
}
