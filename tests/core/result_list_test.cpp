#include "app/main_frm.h"
#include "results/load_searched_result.h"
#include "support/scripted_ui.h"
#include "support/window_fixture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct Entry {
    int64_t size;
    std::string name;
    int shade;
    std::string modified = "12/7/2026 9:05:00 PM";
    std::string version = "N/A";
};

class ResultListTest : public test::WindowFixture {
protected:

    // A result collection whose files exist unless their name starts with "gone".
    CHive resultsOf(const std::vector<Entry>& entries) {
        CHive hive;
        for (const Entry& e : entries) {
            if (e.name.rfind("gone", 0) != 0) dir.writeFile("files/" + e.name, std::string(static_cast<size_t>(e.size), 'x'));
            char size[16];
            std::snprintf(size, sizeof size, "%012lld", static_cast<long long>(e.size));
            hive.Add({std::string(size), e.name, dir / "files/", e.version, int64_t{e.shade}, e.modified});
        }
        return hive;
    }

    std::vector<std::string> column(size_t cell) {
        std::vector<std::string> out;
        for (size_t row = 0; row < window.resultList().rowCount(); ++row)
            out.push_back(window.resultList().cell(row, cell));
        return out;
    }

    std::vector<bool> shading() {
        std::vector<bool> out;
        for (size_t row = 0; row < window.resultList().rowCount(); ++row) out.push_back(window.resultList().shaded(row));
        return out;
    }
};

TEST_F(ResultListTest, LoadNumbersGroupsByKeyChangesAndSkipsVanishedFiles) {
    window.LoadSearchedResult(resultsOf({{5, "a.txt", 1, "1/2/2026 3:04:05 PM", "1.2.3.4"},
                                         {5, "b.txt", 1},
                                         {7, "gone1.bin", 2},
                                         {7, "gone2.bin", 2},
                                         {9, "c", 1},
                                         {9, "d.tar.gz", 1},
                                         {1000, "e.dat", 2},
                                         {1000, "f.dat", 2}}));
    const ResultList& list = window.resultList();
    ASSERT_EQ(list.rowCount(), 6u);
    std::vector<std::string> first;
    for (size_t cell = 0; cell < 10; ++cell) first.push_back(list.cell(0, cell));
    EXPECT_EQ(first, (std::vector<std::string>{"a.txt", "5", "1/2/2026 3:04:05 PM", "1.2.3.4", "1", dir / "files/",
                                               "000000000005", "20260102150405", "00000000001", "txt"}));
    EXPECT_EQ(column(4), (std::vector<std::string>{"1", "1", "1", "1", "2", "2"}))
        << "the vanished group between two of key 1 merges them";
    EXPECT_EQ(column(9), (std::vector<std::string>{"txt", "txt", "", "gz", "dat", "dat"}));
    EXPECT_EQ(list.GroupCount, 2);
    EXPECT_EQ(list.GroupSize, (std::vector<int32_t>{0, 4, 2}));
    EXPECT_EQ(shading(), (std::vector<bool>{false, false, false, false, true, true}));
    EXPECT_EQ(list.markCode(0), UnmarkedCode);
    EXPECT_EQ(list.distinctFolders(), std::vector<std::string>{dir / "files/"});
}

TEST_F(ResultListTest, HeaderClicksToggleTheSharedOrderAndShadeRuns) {
    window.LoadSearchedResult(resultsOf({{1000, "g1a", 1}, {1000, "g1b", 1}, {999, "g2a", 2}, {999, "g2b", 2},
                                         {1001, "g3a", 1}}));
    const ResultList& list = window.resultList();
    struct Step {
        int column;
        SortIndicator indicator;
        std::vector<std::string> names;
    } steps[] = {
        // The list starts ascending, so the first click sorts descending.
        {2, SortIndicator::Descending, {"g3a", "g1a", "g1b", "g2a", "g2b"}},
        {2, SortIndicator::Ascending, {"g2a", "g2b", "g1a", "g1b", "g3a"}},
        {5, SortIndicator::Descending, {"g3a", "g2a", "g2b", "g1a", "g1b"}},
        {1, SortIndicator::Ascending, {"g1a", "g1b", "g2a", "g2b", "g3a"}},
        {7, SortIndicator::Descending, {"g3a", "g2b", "g2a", "g1b", "g1a"}},  // hidden column: key kept
    };
    for (const Step& step : steps) {
        window.RLV_ColumnClick(step.column);
        EXPECT_EQ(column(0), step.names) << "column " << step.column;
        for (int c = 1; c <= 10; ++c)
            EXPECT_EQ(list.sortIndicator(static_cast<size_t>(c - 1)),
                      c == step.column ? step.indicator : SortIndicator::None);
    }
    window.SortCols(2, "Asc");
    EXPECT_EQ(column(1), (std::vector<std::string>{"999", "999", "1000", "1000", "1001"}));
    window.SortCols(5, "Asc");
    EXPECT_EQ(shading(), (std::vector<bool>{false, false, true, true, false}));

    // Sorted by name, groups interleave: every change of group starts a new run.
    window.SortCols(1, "Asc");
    window.SortCols(1, "None");
    window.SortCols(1, "None");
    EXPECT_EQ(column(4), (std::vector<std::string>{"1", "1", "2", "2", "3"}));
}

TEST_F(ResultListTest, InterleavedGroupsShadeEveryRun) {
    // Same-name groups can hold files of different sizes; sorted by size they interleave.
    window.LoadSearchedResult(resultsOf({{10, "x1", 1}, {30, "x2", 1}, {20, "y1", 2}, {40, "y2", 2}}));
    window.SortCols(2, "Asc");
    EXPECT_EQ(column(4), (std::vector<std::string>{"1", "2", "1", "2"}));
    EXPECT_EQ(window.resultList().RowGroupNumbers()[2], 3);
    EXPECT_EQ(shading(), (std::vector<bool>{false, true, false, true}));
}

TEST_F(ResultListTest, MarkingEventsAndTheCounter) {
    window.LoadSearchedResult(resultsOf({{524288, "a", 1}, {524288, "b", 1}, {524288, "c", 2}, {524288, "d", 2}}));
    ResultList& list = window.resultList();
    list.setFocusedRow(1);
    list.setSelected(1, true);

    window.RLV_MouseMove(301);
    window.RLV_ItemClick();
    EXPECT_FALSE(list.marked(1)) << "a click beside the check image only selects";
    window.RLV_MouseMove(300);
    window.RLV_ItemClick();
    EXPECT_TRUE(list.marked(1));
    EXPECT_EQ(window.panel(1), "Total Files Marked 1 Size 512.00 KB");

    list.setSelected(2, true);
    list.setSelected(3, true);
    window.RLV_KeyUp(32);  // the focused row is marked: unmark the selection
    EXPECT_EQ(window.panel(1), "Total Files Marked 0 Size 0 Bytes");
    window.RLV_DblClick();  // on the check image: mark the selection
    EXPECT_EQ(window.panel(1), "Total Files Marked 3 Size 1.50 MB");
    EXPECT_TRUE(ui.opened.empty());

    window.RLV_MouseMove(2000);
    ui.openResult = OpenResult::NoAssociation;
    window.RLV_DblClick();
    EXPECT_EQ(ui.opened, std::vector<std::string>{dir / "files/b"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "There is no program associated with the specified type of file.");

    window.RLV_MouseUp(2);
    window.RLV_MouseUp(1);
    EXPECT_EQ(ui.popups, std::vector<std::string>{"MAction"});
    window.runCommand("MNewSession");
    window.RLV_MouseUp(2);
    EXPECT_EQ(ui.popups.size(), 1u) << "no context menu on an empty list";
}

TEST_F(ResultListTest, ZeroSizeListIsNeverShadedAndSwitchesMenus) {
    window.selectEngine(4);
    EXPECT_TRUE(window.isVisible("MMarkAll"));
    EXPECT_FALSE(window.isVisible("MMarkAllDuplicates"));
    EXPECT_FALSE(window.isVisible("mnuAdvMarkForm"));
    ResultList& list = window.resultList();
    list.beginFill();
    for (const char* name : {"b", "a"}) list.appendRow({name, 0, "1/1/2026", "N/A", 0, dir / "z/", UnmarkedCode});
    list.endFill();
    window.SortCols(1, "Asc");
    EXPECT_EQ(column(0), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(column(4), (std::vector<std::string>{"N/A", "N/A"}));
    EXPECT_EQ(column(8), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(shading(), (std::vector<bool>{false, false}));
    window.selectEngine(1);
    EXPECT_FALSE(window.isVisible("MMarkAll"));
    EXPECT_TRUE(window.isVisible("MMarkAllDuplicates"));
}

TEST_F(ResultListTest, MainMenusSwitchTogether) {
    window.EnableMainMenus(false);
    for (const char* name : {"MNewSession", "MClose", "MAction", "MHelp", "MnuFile"}) EXPECT_FALSE(window.isEnabled(name));
    window.EnableMainMenus(true);
    for (const char* name : {"MNewSession", "MClose", "MAction", "MHelp", "MnuFile"}) EXPECT_TRUE(window.isEnabled(name));
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST(ZeroSizeListing, ListsTheFilesThatStillExistWithoutGroups) {
    test::TempDir dir;
    dir.writeFile("a/empty1");
    dir.writeFile("b/empty2.log");
    CHive files;
    for (const char* path : {"a/empty1", "a/deleted-since-the-walk", "b/empty2.log"}) {
        std::string text(path);
        size_t slash = text.find('/');
        files.Add({std::string("000000000000"), text.substr(slash + 1), dir / text.substr(0, slash + 1),
                   std::string("3/4/2026 5:06:00 AM"), int64_t{1}, int64_t{1}});
    }
    ResultList list;
    ListZeroSizeFiles(list, HiveEntries(files), {});
    ASSERT_EQ(list.rowCount(), 2u);
    std::vector<std::string> cells;
    for (size_t cell = 0; cell < 10; ++cell) cells.push_back(list.cell(1, cell));
    EXPECT_EQ(cells, (std::vector<std::string>{"empty2.log", "0", "3/4/2026 5:06:00 AM", "N/A", "N/A", dir / "b/",
                                               "000000000000", "20260304050600", "", "log"}));
    EXPECT_EQ(list.GroupCount, 0);
    EXPECT_FALSE(list.shaded(0));
}

}  // namespace
}  // namespace tw
