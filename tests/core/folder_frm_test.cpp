#include "setup/file_masks.h"
#include "setup/folder_frm.h"
#include "setup/search_folder_list.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// Records where and under which title each folder picker opened.
class PickerUi : public test::ScriptedUi {
public:
    std::vector<std::pair<std::string, std::string>> pickers;  // title, start folder
    std::string browseForFolder(const std::string& title, const std::string& start) override {
        pickers.emplace_back(title, start);
        return ScriptedUi::browseForFolder(title, start);
    }
};

class FolderFrmTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore settings{dir / "settings.ini"};
    PickerUi ui;
    ErrorReporter reporter{ui, {}};
    FolderPickerMemory picker;
    std::string photos = dir.makeFolder("photos") + "/";

    // An add dialog whose folder picker returns `picked`.
    std::unique_ptr<FolderFrm> addDialog(const std::string& picked) {
        ui.pickedPaths.push_back(picked);
        auto dialog = std::make_unique<FolderFrm>(settings, ui, reporter, picker);
        dialog->Form_Activate();
        return dialog;
    }

    std::vector<std::pair<std::string, std::string>> maskSection() const {
        return settings.EnumerateSection(settings::FileMaskSection);
    }
};

TEST_F(FolderFrmTest, FirstAddOffersPresetsAndDefaults) {
    auto dialog = addDialog(dir / "photos");
    EXPECT_EQ(dialog->maskList(), PresetFileMasks());
    EXPECT_EQ(dialog->maskText(), "All files(*.*)");
    EXPECT_EQ(dialog->txtMin(), "10");
    EXPECT_EQ(dialog->txtMax(), "");
    EXPECT_EQ(dialog->Text1(), photos);
    EXPECT_TRUE(dialog->cmdOKEnabled());
    EXPECT_EQ(ui.pickers.at(0).first, "Choose Folder to Search");

    auto cancelled = addDialog("");
    EXPECT_EQ(cancelled->Text1(), "");
    EXPECT_FALSE(cancelled->cmdOKEnabled());
}

TEST_F(FolderFrmTest, OkRefusesBadInputWithTheMessageAndFocus) {
    struct Case {
        std::string folder, min, max, minDate, maxDate, message;
        FolderControl focus;
    };
    const std::string sizes = "Maximum size must be greater then minimum size";
    const Case cases[] = {
        {photos, "10", "10", "", "", sizes, FolderControl::txtMax},
        {photos, "abc", "10", "", "", sizes, FolderControl::txtMax},  // the minimum becomes 10 first
        {photos, "10.6", "11", "", "", sizes, FolderControl::txtMax},  // compared as whole numbers
        {photos, "20", " 5 ", "", "", sizes, FolderControl::txtMax},
        {photos, "10", "", "13/01/2024", "", "13/01/2024 is not a valid date", FolderControl::txtMinDate},
        {photos, "10", "", "2/30/2023", "", "2/30/2023 is not a valid date", FolderControl::txtMinDate},
        {photos, "10", "", "1/1/2024", "soon", "soon is not a valid date", FolderControl::txtMaxDate},
        {photos, "10", "", " ", "1/1/2024", "You cannot enter Max-Date until Min-Date is valid",
         FolderControl::txtMinDate},
        {photos, "10", "", "2/1/2024", "1/31/2024", "Max-Date must be greater than Min-Date",
         FolderControl::txtMaxDate},
        {dir / "missing", "10", "", "", "", dir / "missing" + " is not an existing folder", FolderControl::Text1},
        {"photos", "10", "", "", "", "photos is not an existing folder", FolderControl::Text1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ui.messages.clear();
        FolderFrm dialog(settings, ui, reporter, picker);
        dialog.loadRow({c.folder, "Yes", "All files(*.*)", c.min, c.max, c.minDate, c.maxDate});
        dialog.Form_Activate();
        dialog.cmdOK_Click();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].title, "Error");
        EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
        EXPECT_EQ(dialog.takeFocusRequest(), c.focus);
        EXPECT_FALSE(dialog.finished());
    }
    EXPECT_EQ(settings.GetSetting(settings::MinFileSize), "10");  // nothing saved by a refused OK
    EXPECT_TRUE(maskSection().empty());
}

TEST_F(FolderFrmTest, OkAcceptsAndGivesTheRowCells) {
    struct Case {
        std::string min, max, minDate, maxDate;
        std::string rowMin, rowMax, rowMinDate, rowMaxDate;
    };
    const Case cases[] = {
        {"abc", "", "", "", "10", "", "", ""},
        {"", "x", "", "", "10", "", "", ""},  // a maximum that is no number is dropped
        {" 12 ", "   ", "", "", "12", "", "", ""},
        {"10", "11", "", "", "10", "11", "", ""},
        {"10", "", "1/5/2024", "01/05/2024", "10", "", "01/05/2024", "01/05/2024"},  // equal dates
        {"10", "", "2024-1-5", "", "10", "", "01/05/2024", ""},
        {"10", "", "1/5/99", "12-31-29", "10", "", "01/05/1999", "12/31/2029"},
        {"10", "", "2/29/2024", "", "10", "", "02/29/2024", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.min + "|" + c.max + "|" + c.minDate + "|" + c.maxDate);
        FolderFrm dialog(settings, ui, reporter, picker);
        dialog.loadRow({photos, "No", "Text files  (*.txt *.bak)", c.min, c.max, c.minDate, c.maxDate});
        dialog.Form_Activate();
        dialog.cmdOK_Click();
        ASSERT_TRUE(dialog.accepted());
        SearchFolderEntry row = dialog.resultRow();
        EXPECT_EQ(row.path, photos);
        EXPECT_EQ(row.subFolders, "No");
        EXPECT_EQ(row.mask, "Text files  (*.txt *.bak)");
        EXPECT_EQ(row.minSize, c.rowMin);
        EXPECT_EQ(row.maxSize, c.rowMax);
        EXPECT_EQ(row.minDate, c.rowMinDate);
        EXPECT_EQ(row.maxDate, c.rowMaxDate);
        EXPECT_EQ(row.icon, SearchFolderIcon);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FolderFrmTest, OkRemembersTheChoicesForTheNextAdd) {
    auto first = addDialog(photos);
    first->setMaskText("Images  (*.bmp *.gif *.jpg *.jpeg *.pcx *.png *.psd *.tif *.wmf)");
    first->setTxtMin("5");
    first->setTxtMax("900");
    first->cmdOK_Click();
    ASSERT_TRUE(first->accepted());

    auto next = addDialog(photos);
    EXPECT_EQ(next->maskText(), first->maskText());
    EXPECT_EQ(next->txtMin(), "5");
    EXPECT_EQ(next->txtMax(), "900");
    EXPECT_TRUE(maskSection().empty()) << "a preset needs no list of the user's own";
}

TEST_F(FolderFrmTest, NewMaskGoesOnTopAndTheStoredListIsRewritten) {
    // An older, longer list with a stray value: none of it may survive the rewrite.
    for (int i = 0; i < 5; ++i) settings.SaveSetting("FileMask", std::to_string(i), "*.m" + std::to_string(i));
    settings.SaveSetting("FileMask", "stray", "*.m1");
    auto dialog = addDialog(photos);
    EXPECT_EQ(dialog->maskList(), (std::vector<std::string>{"*.m0", "*.m1", "*.m2", "*.m3", "*.m4"}));

    dialog->setMaskText("*.m2");
    dialog->cmbFileMask_LostFocus();  // already listed: nothing stored
    EXPECT_EQ(maskSection().size(), 6u);

    dialog->setMaskText("   ");
    dialog->cmbFileMask_LostFocus();
    EXPECT_EQ(dialog->maskList().size(), 5u);

    dialog->setMaskText("Raw photos (*.cr2 *.nef)");
    dialog->cmdOK_Click();
    const std::vector<std::string> expected{"Raw photos (*.cr2 *.nef)", "*.m0", "*.m1", "*.m2", "*.m3", "*.m4"};
    EXPECT_EQ(dialog->maskList(), expected);
    auto stored = maskSection();
    ASSERT_EQ(stored.size(), expected.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(stored[i].first, std::to_string(i));
        EXPECT_EQ(stored[i].second, expected[i]);
    }
    EXPECT_EQ(addDialog(photos)->maskList(), expected);
}

TEST_F(FolderFrmTest, ExcludeFolderHoldsSubfoldersAndEmptiesTheSizes) {
    auto dialog = addDialog(photos);
    dialog->setCheck1(false);
    dialog->Check2_Click(true);
    EXPECT_TRUE(dialog->Check1());
    EXPECT_FALSE(dialog->check1Enabled());
    EXPECT_FALSE(dialog->filtersEnabled());
    dialog->Check2_Click(false);
    EXPECT_FALSE(dialog->Check1()) << "the earlier subfolder choice comes back";
    EXPECT_TRUE(dialog->filtersEnabled());

    dialog->Check2_Click(true);
    dialog->setMaskText("*.iso");
    dialog->setTxtMin("20");
    dialog->setTxtMax("5");  // not checked: the sizes of a folder left out are dropped
    dialog->cmdOK_Click();
    ASSERT_TRUE(dialog->accepted());
    EXPECT_TRUE(dialog->Exclude);
    EXPECT_EQ(dialog->FileTypes, "");
    SearchFolderEntry row = dialog->resultRow();
    EXPECT_EQ(row.icon, LeaveOutFolderIcon);
    EXPECT_EQ(row.subFolders, "Yes");
    EXPECT_EQ(row.mask, "*.iso");
    EXPECT_EQ(row.minSize, "");
    EXPECT_EQ(row.maxSize, "");
    EXPECT_EQ(settings.GetSetting(settings::MinFileSize), "");
    EXPECT_EQ(settings.GetSetting(settings::MaxFileSize), "");
}

TEST_F(FolderFrmTest, EditStartsFromTheRowWithoutAPicker) {
    FolderFrm excluded(settings, ui, reporter, picker);
    excluded.loadRow({photos, "No", "*.iso", "", "", "", "", LeaveOutFolderIcon});
    excluded.Form_Activate();
    EXPECT_TRUE(ui.pickers.empty());
    EXPECT_TRUE(excluded.Check2());
    EXPECT_TRUE(excluded.Check1());
    EXPECT_FALSE(excluded.filtersEnabled());
    excluded.Check2_Click(false);
    EXPECT_FALSE(excluded.Check1());

    FolderFrm plain(settings, ui, reporter, picker);
    plain.loadRow({photos, "Yes", "", "3", "7", "01/02/2020", ""});
    plain.Form_Activate();
    EXPECT_TRUE(plain.Check1());
    EXPECT_FALSE(plain.Check2());
    EXPECT_EQ(plain.maskText(), "All files(*.*)");
    EXPECT_EQ(plain.txtMin(), "3");
    EXPECT_EQ(plain.txtMinDate(), "01/02/2020");
}

TEST_F(FolderFrmTest, LeavingTheSizeBoxes) {
    FolderFrm dialog(settings, ui, reporter, picker);
    dialog.setTxtMin("ten");
    dialog.txtMin_LostFocus();
    EXPECT_EQ(dialog.txtMin(), "10");
    dialog.setTxtMax("lots");
    EXPECT_TRUE(dialog.txtMax_LostFocus());
    EXPECT_EQ(dialog.txtMax(), "");
    dialog.setTxtMax("9");
    EXPECT_FALSE(dialog.txtMax_LostFocus());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Maximum size must be greater then minimum size");
    EXPECT_EQ(dialog.takeFocusRequest(), FolderControl::txtMax);
    EXPECT_EQ(dialog.txtMax(), "9");
}

TEST_F(FolderFrmTest, PickerOpensOnTheLastChosenFolder) {
    addDialog(dir / "photos");
    addDialog("");
    addDialog(dir.path());
    ASSERT_EQ(ui.pickers.size(), 3u);
    EXPECT_EQ(ui.pickers[0].second, "");
    EXPECT_EQ(ui.pickers[1].second, photos);
    EXPECT_EQ(ui.pickers[2].second, photos) << "a cancelled pick keeps the folder";
    EXPECT_EQ(picker.lastFolder, dir.path() + "/");
}

TEST(SearchFolderText, KeepsEveryByteAndEndsInSlash) {
    const std::pair<std::string, std::string> cases[] = {
        {"/a//b/./c", "/a/b/c/"},
        {"/", "/"},
        {"/a/", "/a/"},
        {" /lead", " /lead/"},
        {"/x\xff\n y \x01z", "/x\xff\n y \x01z/"},
        {"", ""},
    };
    for (const auto& [typed, kept] : cases) EXPECT_EQ(FolderText(typed), kept) << typed;
}

class SearchFolderListTest : public FolderFrmTest {
protected:
    SearchFolderList list{settings, ui, reporter};

    // The next dialog is confirmed with this folder typed in and `change` applied.
    void answerDialog(const std::string& folder, std::function<void(FolderFrm&)> change = {}) {
        ui.onModal = [this, folder, change](DialogModel& model) {
            auto& dialog = dynamic_cast<FolderFrm&>(model);
            ui.pickedPaths.push_back(folder);
            dialog.Form_Activate();
            if (change) change(dialog);
            dialog.cmdOK_Click();
        };
    }
};

TEST_F(SearchFolderListTest, AddAppendsOrUpdatesTheSamePath) {
    const std::string odd = dir.makeFolder("odd\xff name ");
    EXPECT_FALSE(list.cmdRemoveEnabled());
    answerDialog(dir / "photos");
    list.cmdAdd_Click();
    answerDialog(odd);
    list.cmdAdd_Click();
    answerDialog(dir.makeFolder("Photos"));
    list.cmdAdd_Click();
    answerDialog(dir / "photos", [](FolderFrm& d) { d.setTxtMin("99"); d.Check2_Click(true); });
    list.cmdAdd_Click();
    ui.onModal = [](DialogModel& model) { dynamic_cast<FolderFrm&>(model).Command1_Click(); };
    list.cmdAdd_Click();

    ASSERT_EQ(list.rows().size(), 3u);
    EXPECT_EQ(list.rows()[0].path, photos);
    EXPECT_EQ(list.rows()[0].icon, LeaveOutFolderIcon);
    EXPECT_EQ(list.rows()[0].minSize, "");
    EXPECT_EQ(list.rows()[1].path, odd + "/");
    EXPECT_EQ(list.rows()[1].icon, SearchFolderIcon);
    EXPECT_EQ(list.rows()[2].path, dir / "Photos/");
    EXPECT_TRUE(list.cmdRemoveEnabled());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SearchFolderListTest, DoubleClickEditsTheSelectedRowInPlace) {
    list.SearchList_DblClick();
    EXPECT_TRUE(ui.modalDialogs.empty()) << "an empty list opens no dialog";

    dir.makeFolder("music");
    list.addLoadedRow({dir / "music/", "Yes", "*.mp3", "1", "", "", ""});
    list.addLoadedRow({photos, "No", "*.jpg", "4", "8", "01/02/2020", "03/04/2021"});
    list.select(1);
    SearchFolderEntry shown;
    ui.onModal = [&](DialogModel& model) {
        auto& dialog = dynamic_cast<FolderFrm&>(model);
        EXPECT_TRUE(list.EditSearchFolder);
        dialog.Form_Activate();
        shown = {dialog.Text1(), dialog.Check1() ? "Yes" : "No", dialog.maskText(), dialog.txtMin(),
                 dialog.txtMax(), dialog.txtMinDate(), dialog.txtMaxDate()};
        dialog.setTxtMax("80");
        dialog.cmdOK_Click();
    };
    list.SearchList_DblClick();
    EXPECT_EQ(shown.path, photos);
    EXPECT_EQ(shown.subFolders, "No");
    EXPECT_EQ(shown.mask, "*.jpg");
    EXPECT_EQ(shown.maxSize, "8");
    EXPECT_EQ(shown.maxDate, "03/04/2021");
    EXPECT_FALSE(list.EditSearchFolder);
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[1].maxSize, "80");
    EXPECT_EQ(list.rows()[1].minDate, "01/02/2020");
    EXPECT_TRUE(ui.pickers.empty());
}

TEST_F(SearchFolderListTest, RemoveTakesTheSelectedRow) {
    for (const char* name : {"/a/", "/b/", "/c/"}) list.addLoadedRow({name, "Yes", "", "", "", "", ""});
    list.cmdRemove_Click();
    EXPECT_EQ(list.rows().size(), 3u) << "nothing selected";
    list.select(1);
    list.cmdRemove_Click();
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[1].path, "/c/");
    EXPECT_EQ(list.selectedIndex(), 1);
    list.cmdRemove_Click();
    list.cmdRemove_Click();
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_FALSE(list.cmdRemoveEnabled());
}

}  // namespace
}  // namespace tw
