#include "app/file_record.h"
#include "app/main_frm.h"
#include "app/scan_dialogs.h"
#include "results/sort_strings.h"
#include "support/scripted_ui.h"
#include "support/window_fixture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw {
namespace {

class ScanTest : public test::WindowFixture {
protected:

    void SetUp() override {
        dir.writeFile("tree/a/one.txt", "same content");
        dir.writeFile("tree/b/two.txt", "same content");
        dir.writeFile("tree/b/ONE.txt", "other bytes!");
        dir.writeFile("tree/c/one.txt", "differs");
        dir.writeFile("tree/empty.log", "");
        dir.writeFile("other/three.txt", "same content");
    }

    SearchFolderEntry folder(const std::string& relative, int icon = SearchFolderIcon) {
        return {dir / relative + "/", "Yes", "All files(*.*)", "", "", "", "", icon};
    }

    std::vector<std::string> rows() {
        std::vector<std::string> out;
        const ResultList& list = window.resultList();
        for (size_t row = 0; row < list.rowCount(); ++row)
            out.push_back(list.cell(row, 4) + ":" + list.fullPath(row).substr(dir.path().size() + 1));
        return out;
    }
};

TEST_F(ScanTest, EachEngineFindsItsGroups) {
    struct Case {
        int engine;
        std::vector<std::string> expected;
        const char* duplicates;
    } cases[] = {
        {1, {"1:tree/a/one.txt", "1:tree/b/two.txt"}, "Duplicate Files: 1  Size: 12 Bytes"},
        {2, {"1:tree/a/one.txt", "1:tree/b/two.txt"}, "Duplicate Files: 1  Size: 12 Bytes"},
        // Same-name records sort by name, then size: the 7-byte file leads its group.
        {3, {"1:tree/c/one.txt", "1:tree/a/one.txt", "1:tree/b/ONE.txt"}, "Duplicate Files: 2  Size: 24 Bytes"},
        {4, {"N/A:tree/empty.log"}, "Duplicate Files: 0  Size: 0 Bytes"},
    };
    for (const Case& c : cases) {
        window.runCommand("MNewSession");
        window.searchFolders().addLoadedRow(folder("tree"));
        window.selectEngine(c.engine);
        window.runCommand("MScan");
        EXPECT_EQ(rows(), c.expected) << "engine " << c.engine;
        EXPECT_EQ(window.panel(1), "Search Completed.");
        EXPECT_EQ(window.panel(2), c.duplicates) << "engine " << c.engine;
        EXPECT_EQ(window.panel(3), c.engine == 4 ? "Files : 1" : "Files : 4");
        EXPECT_EQ(window.panel(4), "Folders : 3");
        EXPECT_FALSE(window.busy());
        EXPECT_TRUE(window.timer2Enabled());
    }
}

TEST_F(ScanTest, RowsLeftOutOverlapsAndSizeBoundsPerRow) {
    window.runCommand("MNewSession");
    SearchFolderList& list = window.searchFolders();
    list.addLoadedRow(folder("tree/a"));
    list.addLoadedRow(folder("tree"));  // covers tree/a again: its files are listed once
    list.addLoadedRow(folder("other", LeaveOutFolderIcon));
    window.runCommand("MScan");
    EXPECT_EQ(rows(), (std::vector<std::string>{"1:tree/a/one.txt", "1:tree/b/two.txt"}));
    EXPECT_EQ(window.panel(3), "Files : 4") << "the second listing of tree/a/one.txt is taken off";

    list.clear();
    SearchFolderEntry small = folder("tree");
    small.maxSize = "0.005";  // 5 bytes: nothing in tree is that small but empty.log, never reported
    list.addLoadedRow(small);
    list.addLoadedRow(folder("other"));
    window.runCommand("MScan");
    EXPECT_EQ(window.panel(3), "Files : 1") << "the second row has no upper bound";
    EXPECT_TRUE(rows().empty());
}

TEST_F(ScanTest, AHardLinkIsOneFileForEveryEngine) {
    std::filesystem::create_directories(dir / "tree/h");
    std::filesystem::create_hard_link(dir / "tree/a/one.txt", dir / "tree/h/one.txt");
    const std::pair<int, std::vector<std::string>> cases[] = {
        {1, {"1:tree/a/one.txt", "1:tree/b/two.txt"}},
        {2, {"1:tree/a/one.txt", "1:tree/b/two.txt"}},
        {3, {"1:tree/c/one.txt", "1:tree/a/one.txt", "1:tree/b/ONE.txt"}},
    };
    for (const auto& [engine, expected] : cases) {
        window.runCommand("MNewSession");
        window.searchFolders().addLoadedRow(folder("tree"));
        window.selectEngine(engine);
        window.runCommand("MScan");
        EXPECT_EQ(rows(), expected) << "engine " << engine;
        EXPECT_EQ(window.panel(3), "Files : 4") << "engine " << engine << ": five names, four files";
    }
}

TEST_F(ScanTest, EmptyListAsksForAFolderAndLeftOutRowsWalkNothing) {
    window.runCommand("MNewSession");
    window.runCommand("MScan");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Please add search path first.");
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);

    window.searchFolders().addLoadedRow(folder("tree", LeaveOutFolderIcon));
    window.runCommand("MScan");
    EXPECT_EQ(window.panel(1), "Search Completed.");
    EXPECT_EQ(window.panel(3), "Files : 0");
    EXPECT_EQ(window.panel(4), "Folders : 0");
}

TEST_F(ScanTest, CancelDuringTheWalkAndTheTooManyFilesWarning) {
    for (int i = 0; i < 40; ++i) dir.writeFile("many/f" + std::to_string(i), "x");
    window.runCommand("MNewSession");
    window.searchFolders().addLoadedRow(folder("many"));
    window.searchFolders().addLoadedRow(folder("tree"));
    ui.answers = {Answer::Yes};
    ui.onYield = [&] {
        if (window.isEnabled("MCancel") && !ui.answers.empty()) window.runCommand("MCancel");
    };
    window.runCommand("MScan");
    ui.onYield = nullptr;
    EXPECT_EQ(window.panel(1), "Search Terminated.");
    EXPECT_TRUE(window.resultList().empty());
    EXPECT_EQ(ui.messages.back().text, "Are you sure to cancel searching?");

    window.TooManyFiles = 3;
    for (bool ok : {false, true}) {
        ui.onModal = [ok](DialogModel& dialog) {
            auto& warning = dynamic_cast<frmTooManyFiles&>(dialog);
            EXPECT_EQ(warning.lblTitle(), "You are about to scan a collection of too many files, total 44 files.");
            ok ? warning.cmdOK_Click() : warning.cmdCancel_Click();
        };
        window.runCommand("MScan");
        EXPECT_EQ(window.panel(1), ok ? "Search Completed." : "Search Terminated.");
        EXPECT_EQ(window.resultList().empty(), !ok);
    }
}

TEST(FileRecords, SortAsTheirJoinedTextIgnoringCase) {
    struct Case {
        const char* name;
        int64_t size;
        double lastWrite;
        const char* folder;
    };
    const Case cases[] = {
        {"b?c", 12, 0, "/x/"},   {"B", 12, 0, "/x/"},        {"b", 12, 0, "/X?/"},       {"a", 13, 0, "/x/"},
        {"b", 12, 45000.5, "/x/"}, {"b?", 12, 0, "/x/"},     {"b", 1234567890123, 0, "/x/"}, {"b", 99, 0, "/x/"},
        {"?", 12, 0, "/x/"},     {"b?/x/", 12, 0, "/x/"},    {"A", 13, 0, "/X?/"},       {"", 12, 0, "/x/"},
    };
    ScannedFiles files;
    for (const Case& file : cases) files.add(file.name, file.folder, file.size, file.lastWrite, 0, 0);
    auto joined = [&](const FileRecord& record, int engine) {
        std::string size = SizeText(record.size);
        std::string name(files.name(record));
        std::string front = engine == 3 ? name + "?" + size : size + "?" + name;
        return front + "?" + files.folder(record) + "?" + TimeText(record.lastWrite);
    };
    for (int engine : {1, 3}) {
        RecordOrder order(engine, files);
        for (const FileRecord& a : files.records())
            for (const FileRecord& b : files.records())
                EXPECT_EQ(order(a, b), CompareText(joined(a, engine), joined(b, engine)))
                    << joined(a, engine) << " against " << joined(b, engine);
    }
    EXPECT_EQ(SizeText(1234), "000000001234");
    EXPECT_EQ(TimeText(45000.5), "3/15/2023 12:00:00 PM");
    EXPECT_EQ(ElapsedText(3907), "01:05:07");
    EXPECT_EQ(ElapsedText(59), "00:00:59");
}

}  // namespace
}  // namespace tw
