#include "app/frm_export.h"
#include "app/main_frm.h"
#include "platform/file_system.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <optional>

namespace tw {
namespace {

using Delimiter = frmExport::Delimiter;

// Also records what each save dialog was asked to show.
class SaveDialogUi : public test::ScriptedUi {
public:
    struct Request {
        std::string filter;
        std::string title;
        std::string initialFolder;
        std::string proposedName;
    };
    std::vector<Request> saveDialogs;

    std::string showSaveDialog(const std::string& filter, const std::string& title, const std::string& initialFolder,
                               const std::string& proposedName) override {
        saveDialogs.push_back({filter, title, initialFolder, proposedName});
        return ScriptedUi::showSaveDialog(filter, title, initialFolder, proposedName);
    }
};

class ExportWizardTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore settings{dir / "settings.ini"};
    SaveDialogUi ui;
    ErrorReporter reporter{ui, {}};
    ResultList list;
    std::string endSound = dir / "res/end.wav";

    std::unique_ptr<frmExport> makeWizard() {
        return std::make_unique<frmExport>(
            settings, ui, reporter, list,
            [](int number) { return number == 2 ? "Duplicate Files: 2  Size: 20 Bytes" : "Files : 7"; }, endSound);
    }

    void fillList() {
        list.beginFill();
        list.appendRow({"a&b.txt", 10, "1/2/2026", "N/A", 1, "/data/", MarkedCode});
        list.appendRow({"c.txt", 10, "1/2/2026", "N/A", 1, "/other/", UnmarkedCode});
        list.endFill();
    }

    // A wizard on page 2 for the format, ready to write to `path`.
    std::unique_ptr<frmExport> wizardOnPage2(ExportFormat format, const std::string& path) {
        fillList();
        auto wizard = makeWizard();
        wizard->setFormat(format);
        wizard->btn_Click();
        wizard->setTxtPath(path);
        return wizard;
    }
};

TEST_F(ExportWizardTest, StoredSettingsFillTheControls) {
    struct Case {
        std::optional<std::string> type, format, openFile;
        ExportRows rows;
        ExportFormat expectedFormat;
        bool openafter;
    } cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, ExportRows::All, ExportFormat::Xml, true},
        {"2", "1", "0", ExportRows::Marked, ExportFormat::Html, false},
        {"3", "3", "5", ExportRows::Selected, ExportFormat::Delimited, true},
        {"9", "7", "junk", ExportRows::All, ExportFormat::Delimited, false},
        {"1", "", "1", ExportRows::All, ExportFormat::Delimited, true},
    };
    for (const Case& c : cases) {
        settings.DeleteSetting("Export");
        if (c.type) settings.SaveSetting(settings::ExportType, *c.type);
        if (c.format) settings.SaveSetting(settings::ExportFormat, *c.format);
        if (c.openFile) settings.SaveSetting(settings::ExportOpenFile, *c.openFile);
        auto wizard = makeWizard();
        SCOPED_TRACE(c.type.value_or("-") + "/" + c.format.value_or("-") + "/" + c.openFile.value_or("-"));
        EXPECT_EQ(wizard->rows(), c.rows);
        EXPECT_EQ(wizard->format(), c.expectedFormat);
        EXPECT_EQ(wizard->openafter(), c.openafter);
        EXPECT_EQ(wizard->page(), 1);
        EXPECT_FALSE(wizard->Command1Enabled());
    }
}

TEST_F(ExportWizardTest, ChoicesAreSavedOnCancelAndOnClose) {
    struct Case {
        ExportFormat format;
        ExportRows rows;
        bool openafter;
        Delimiter delimiter;
        bool cancel;  // else closed another way
        const char* type;
        const char* formatValue;
        const char* openFile;
        const char* exportChar;  // "3" was stored before: untouched
    } cases[] = {
        {ExportFormat::Html, ExportRows::Marked, false, Delimiter::None, true, "2", "1", "0", "3"},
        {ExportFormat::Xml, ExportRows::All, true, Delimiter::None, false, "1", "2", "1", "3"},
        {ExportFormat::Delimited, ExportRows::Selected, true, Delimiter::Other, false, "3", "3", "1", "4"},
        {ExportFormat::Delimited, ExportRows::All, false, Delimiter::Tab, true, "1", "3", "0", "1"},
    };
    for (const Case& c : cases) {
        settings.DeleteSetting("Export");
        settings.SaveSetting(settings::ExportChar, "3");
        auto wizard = makeWizard();
        wizard->setFormat(c.format);
        wizard->setRows(c.rows);
        wizard->setOpenafter(c.openafter);
        wizard->setDelimiter(c.delimiter);
        if (c.cancel) wizard->Command2_Click();
        else wizard->Form_Unload();
        SCOPED_TRACE(std::string(c.type) + c.formatValue + c.openFile + c.exportChar);
        EXPECT_EQ(wizard->closed(), c.cancel);
        EXPECT_EQ(settings.GetSetting(settings::ExportType), c.type);
        EXPECT_EQ(settings.GetSetting(settings::ExportFormat), c.formatValue);
        EXPECT_EQ(settings.GetSetting(settings::ExportOpenFile), c.openFile);
        EXPECT_EQ(settings.GetSetting(settings::ExportChar), c.exportChar);
    }
}

TEST_F(ExportWizardTest, NextWithAnEmptyListStaysOnTheFirstPage) {
    auto wizard = makeWizard();
    wizard->btn_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "No duplicate file has been found!\r\nFirst you must perform a search and find at least one duplicate "
              "file.");
    EXPECT_EQ(ui.messages[0].title, "Error");
    EXPECT_EQ(ui.messages[0].icon, Icon::Critical);
    EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
    EXPECT_EQ(wizard->page(), 1);
    EXPECT_EQ(wizard->btnCaption(), "Next >");
    EXPECT_FALSE(wizard->Command1Enabled());
}

TEST_F(ExportWizardTest, SecondPageOffersTheDelimitersOfTheFormat) {
    struct Case {
        ExportFormat format;
        const char* storedChar;
        Delimiter delimiter;
        bool optionsEnabled;
        bool webpageEnabled;
        bool webpageSelected;
        bool txtOtherEnabled;
    } cases[] = {
        {ExportFormat::Html, "3", Delimiter::None, false, true, true, true},
        {ExportFormat::Xml, "3", Delimiter::None, false, false, false, true},
        {ExportFormat::Delimited, "1", Delimiter::Tab, true, false, false, false},
        {ExportFormat::Delimited, "2", Delimiter::Comma, true, false, false, false},
        {ExportFormat::Delimited, "3", Delimiter::Semicolon, true, false, false, false},
        {ExportFormat::Delimited, "4", Delimiter::Other, true, false, false, true},
        {ExportFormat::Delimited, "5", Delimiter::None, true, false, false, true},
    };
    fillList();
    for (const Case& c : cases) {
        settings.SaveSetting(settings::ExportChar, c.storedChar);
        auto wizard = makeWizard();
        // Visiting page 2 as HTML first must not leave "Webpage" chosen.
        wizard->setFormat(ExportFormat::Html);
        wizard->btn_Click();
        wizard->Command1_Click();
        EXPECT_EQ(wizard->page(), 1);
        EXPECT_EQ(wizard->btnCaption(), "Next >");
        EXPECT_TRUE(wizard->btnEnabled());
        EXPECT_FALSE(wizard->Command1Enabled());

        wizard->setFormat(c.format);
        wizard->btn_Click();
        SCOPED_TRACE(std::to_string(static_cast<int>(c.format)) + "/" + c.storedChar);
        EXPECT_EQ(wizard->page(), 2);
        EXPECT_EQ(wizard->btnCaption(), "Export");
        EXPECT_TRUE(wizard->Command1Enabled());
        EXPECT_EQ(wizard->delimiter(), c.delimiter);
        EXPECT_EQ(wizard->delimiterOptionsEnabled(), c.optionsEnabled);
        EXPECT_EQ(wizard->webpageEnabled(), c.webpageEnabled);
        EXPECT_EQ(wizard->webpageSelected(), c.webpageSelected);
        EXPECT_EQ(wizard->txtOtherEnabled(), c.txtOtherEnabled);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ExportWizardTest, DelimiterOptionGivesItsTextAndSwitchesTheOtherBox) {
    struct Case {
        Delimiter option;
        const char* typed;
        const char* text;
        bool txtOtherEnabled;
    } cases[] = {
        {Delimiter::Tab, "x", "\t", false},
        {Delimiter::Comma, "x", ",", false},
        {Delimiter::Semicolon, "x", ";", false},
        {Delimiter::Other, " || ", " || ", true},
        {Delimiter::Other, "", "", true},
    };
    for (const Case& c : cases) {
        auto wizard = makeWizard();
        wizard->setTxtOther(c.typed);
        wizard->setDelimiter(c.option);
        EXPECT_EQ(wizard->delimiterText(), c.text) << static_cast<int>(c.option);
        EXPECT_EQ(wizard->txtOtherEnabled(), c.txtOtherEnabled) << static_cast<int>(c.option);
    }
    auto untouched = makeWizard();
    untouched->setTxtOther("|");
    EXPECT_EQ(untouched->delimiterText(), "|") << "no option chosen";
}

TEST_F(ExportWizardTest, BrowseAsksForAFileOfTheFormat) {
    struct Case {
        ExportFormat format;
        const char* filter;
        const char* title;
    } cases[] = {
        {ExportFormat::Html, "Webpage(*.htm)|*.htm", "Export Location"},
        {ExportFormat::Xml, "XML(*.xml)|*.xml", "Export Location"},
        {ExportFormat::Delimited, "Delimited Format(*.csv)|*.csv", "Export Locations"},
    };
    for (const Case& c : cases) {
        ui.saveDialogs.clear();
        ui.pickedPaths = {"/tmp/list.out"};
        auto wizard = makeWizard();
        wizard->setFormat(c.format);
        wizard->setTxtPath("/old/path");
        wizard->cmdAdd_Click();
        ASSERT_EQ(ui.saveDialogs.size(), 1u);
        EXPECT_EQ(ui.saveDialogs[0].filter, c.filter);
        EXPECT_EQ(ui.saveDialogs[0].title, c.title);
        EXPECT_EQ(ui.saveDialogs[0].initialFolder, "");
        EXPECT_EQ(ui.saveDialogs[0].proposedName, "");
        EXPECT_EQ(wizard->txtPath(), "/tmp/list.out");
        wizard->cmdAdd_Click();  // cancelled
        EXPECT_EQ(wizard->txtPath(), "");
    }
}

TEST_F(ExportWizardTest, ExportWithoutAFileNameMarksTheBox) {
    auto wizard = wizardOnPage2(ExportFormat::Xml, "   ");
    wizard->btn_Click();
    EXPECT_EQ(wizard->focus(), frmExport::Focus::TxtPath);
    EXPECT_TRUE(wizard->txtPathLightRed());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Output filename not specified");
    EXPECT_EQ(ui.messages[0].title, "Error");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
    EXPECT_TRUE(wizard->btnEnabled());
    EXPECT_TRUE(ui.sounds.empty());
}

TEST_F(ExportWizardTest, ExportWritesTheFileThenPlaysAndOpensIt) {
    struct Case {
        ExportFormat format;
        Delimiter delimiter;
        bool openafter;
        OpenResult openResult;
        const char* start;
        bool noAssociationMessage;
    } cases[] = {
        {ExportFormat::Xml, Delimiter::None, true, OpenResult::Opened, "<?xml version=\"1.0\"?>\r\n<Files>\r\n", false},
        {ExportFormat::Delimited, Delimiter::Tab, false, OpenResult::Opened, "File Name\tSize(Bytes)\t", false},
        {ExportFormat::Html, Delimiter::None, true, OpenResult::NoAssociation, "<html><head>\r\n", true},
    };
    for (const Case& c : cases) {
        list.clear();
        ui = SaveDialogUi{};
        ui.openResult = c.openResult;
        std::string path = dir.writeFile("out/export.txt", "older export");
        auto wizard = wizardOnPage2(c.format, path);
        wizard->setDelimiter(c.delimiter);
        wizard->setOpenafter(c.openafter);
        int repaints = 0;
        wizard->progressChanged = [&] { ++repaints; };
        wizard->btn_Click();

        SCOPED_TRACE(c.start);
        std::optional<std::string> written = platform::readWholeFile(path);
        ASSERT_TRUE(written);
        EXPECT_EQ(written->substr(0, std::string_view(c.start).size()), c.start);
        EXPECT_EQ(written->substr(written->size() - 2), "\r\n");
        EXPECT_EQ(wizard->PBMax(), 2u);
        EXPECT_EQ(wizard->PBValue(), 2u);
        EXPECT_EQ(repaints, 1) << "repainted every few hundred rows and at the last";
        EXPECT_FALSE(wizard->btnEnabled()) << "stays disabled until Back";
        EXPECT_EQ(wizard->page(), 2);
        EXPECT_EQ(ui.sounds, std::vector<std::string>{endSound});
        EXPECT_EQ(ui.opened, c.openafter ? std::vector<std::string>{path} : std::vector<std::string>{});
        if (c.noAssociationMessage) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, "There is no program associated with the specified type of file.");
            EXPECT_EQ(ui.messages[0].title, "Error");
        } else {
            EXPECT_TRUE(ui.messages.empty());
        }
        EXPECT_TRUE(ui.modalDialogs.empty());
    }
}

TEST_F(ExportWizardTest, RefusedFileIsReportedAndLeftUntouched) {
    std::vector<std::string> refused;
    // A write-protected file refuses only ordinary users; a read-only kernel
    // setting refuses root as well.
    if (::geteuid() != 0) {
        std::string readOnly = dir.writeFile("held.xml", "the user's data");
        ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
        refused.push_back(readOnly);
    }
    if (platform::isRegularFile("/proc/sys/kernel/osrelease")) refused.push_back("/proc/sys/kernel/osrelease");
    if (refused.empty()) GTEST_SKIP() << "no file here refuses writing";
    fillList();
    for (const std::string& path : refused) {
        ui = SaveDialogUi{};
        std::optional<std::string> before = platform::readWholeFile(path);
        auto wizard = makeWizard();
        wizard->setFormat(ExportFormat::Xml);
        wizard->btn_Click();
        wizard->setTxtPath(path);
        wizard->btn_Click();

        SCOPED_TRACE(path);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "File is already open please close it and proceed.");
        EXPECT_EQ(ui.messages[0].title, "Permission denied");
        EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
        EXPECT_EQ(platform::readWholeFile(path), before);
        EXPECT_TRUE(ui.sounds.empty());
        EXPECT_TRUE(ui.modalDialogs.empty()) << "no bug report";
        EXPECT_FALSE(wizard->btnEnabled());
        wizard->Command1_Click();
        EXPECT_TRUE(wizard->btnEnabled());
    }
}

TEST_F(ExportWizardTest, UnexpectedFailureGoesToTheBugReportUnderTheFormatsLabel) {
    struct Case {
        ExportFormat format;
        const char* label;
    } cases[] = {
        {ExportFormat::Xml, "Exporting XML"},
        {ExportFormat::Delimited, "Exporting CSV"},
        {ExportFormat::Html, "Exporting HTML"},
    };
    std::vector<std::string> labels;
    ui.onModal = [&](DialogModel& dialog) {
        auto& bug = dynamic_cast<BugFrm&>(dialog);
        labels.push_back(bug.lblErrPro());
        bug.cmdAbort_Click();
    };
    fillList();
    for (const Case& c : cases) {
        auto wizard = makeWizard();
        wizard->setFormat(c.format);
        wizard->btn_Click();
        wizard->setTxtPath(dir.makeFolder("a folder"));  // cannot be written as a file
        wizard->btn_Click();
        ASSERT_FALSE(labels.empty());
        EXPECT_EQ(labels.back(), c.label);
    }
    EXPECT_EQ(labels.size(), 3u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.sounds.empty());
}

class ExportCommandTest : public test::WindowFixture {};

TEST_F(ExportCommandTest, ExportCommandOpensTheWizardOverTheWindowsData) {
    window.Form_Load();
    ResultList& rows = window.resultList();
    rows.beginFill();
    rows.appendRow({"a.txt", 10, "1/2/2026", "N/A", 1, "/data/", UnmarkedCode});
    rows.endFill();
    settings.SaveSetting(settings::ExportFormat, "1");
    settings.SaveSetting(settings::ExportOpenFile, "0");
    std::string path = dir / "page.htm";
    int shown = 0;
    ui.onModal = [&](DialogModel& dialog) {
        auto& wizard = dynamic_cast<frmExport&>(dialog);
        ++shown;
        EXPECT_EQ(wizard.format(), ExportFormat::Html);
        wizard.btn_Click();
        wizard.setTxtPath(path);
        wizard.btn_Click();
        wizard.Form_Unload();
    };

    window.runCommand("MExport");
    window.Toolbar1_ButtonClick(10);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(ui.modalDialogs, (std::vector<std::string>{"frmExport", "frmExport"}));
    EXPECT_EQ(ui.sounds, (std::vector<std::string>{dir / "res/end.wav", dir / "res/end.wav"}));
    std::optional<std::string> page = platform::readWholeFile(path);
    ASSERT_TRUE(page);
    // Panel 3 reads "Files : 0": the summary shows it from its 8th character on.
    EXPECT_NE(page->find("<td width='220'><b> 0</b>"), std::string::npos);
    EXPECT_NE(page->find("a.txt"), std::string::npos);
}

}  // namespace
}  // namespace tw
