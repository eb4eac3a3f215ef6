// Times the Scan command in the Qt window against the same scan with the
// command line's UI port, on one folder tree: what letting the window's
// events run at the yield points costs.
//
//   window_scan_bench TREE [RUNS]

#include "app/main_frm.h"
#include "base/settings_store.h"
#include "cli/cli_ui_port.h"
#include "gui/main_window.h"
#include "gui/qt_ui_port.h"

#include <QApplication>

#include <algorithm>
#include <limits>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string scratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "window_scan_bench.XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    return pattern;
}

// Seconds the Scan command takes on the tree, hidden files in, system folders not protected.
double timeScan(tw::MainFrm& model, const std::string& tree) {
    model.MNewSession_Click();
    model.searchFolders().addLoadedRow({tree, "Yes", "All files(*.*)", "", "", "", "", tw::SearchFolderIcon});
    model.setIncludeHidden(true);
    model.chkProtect_Click(false, tw::CheckSource::ThruFile);
    auto start = std::chrono::steady_clock::now();
    model.runCommand("MScan");
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: window_scan_bench TREE [RUNS]\n";
        return 2;
    }
    std::string tree = std::filesystem::absolute(argv[1]).string();
    if (tree.back() != '/') tree += '/';
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    QApplication application(argc, argv);
    const std::string scratch = scratchFolder();
    tw::SettingsStore settings(scratch + "/settings.ini");
    settings.SaveSetting(tw::settings::ShowTipsAtStartup, "0");
    const tw::AppFolders folders{scratch, scratch};

    tw::gui::QtUiPort port;
    tw::MainFrm windowModel(settings, port, folders, "");
    windowModel.keepUserFiles = false;
    windowModel.TooManyFiles = std::numeric_limits<int64_t>::max();  // the warning would wait for a click
    tw::gui::MainWindow window(windowModel, &port);
    window.load();
    window.show();

    tw::cli::CliUiPort headless(std::cerr);
    tw::MainFrm headlessModel(settings, headless, folders, "");
    headlessModel.keepUserFiles = false;

    timeScan(headlessModel, tree);  // warms the page cache
    std::vector<double> inWindow, withoutWindow;
    for (int run = 0; run < runs; ++run) {
        inWindow.push_back(timeScan(windowModel, tree));
        withoutWindow.push_back(timeScan(headlessModel, tree));
    }
    std::printf("files %d, duplicates %d\n", windowModel.FilesScanned, windowModel.DuplicateFileCount);
    std::printf("window    %.3f s (median of %d)\n", median(inWindow), runs);
    std::printf("headless  %.3f s\n", median(withoutWindow));
    std::printf("ratio     %.2f\n", median(inWindow) / median(withoutWindow));
    std::filesystem::remove_all(scratch);
    return 0;
}
