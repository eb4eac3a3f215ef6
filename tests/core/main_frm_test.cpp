#include "app/command_line.h"
#include "app/frm_tip.h"
#include "app/main_frm.h"
#include "base/date_text.h"
#include "platform/file_system.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

class MainFrmTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScopedEnv runtime{"XDG_RUNTIME_DIR", dir.path()};
    SettingsStore settings{dir / "settings.ini"};
    test::ScriptedUi ui;
    int geometryApplied = 0;
    int closeRequests = 0;

    std::unique_ptr<MainFrm> makeWindow(std::string commandLine = {}) {
        auto window = std::make_unique<MainFrm>(settings, ui, AppFolders{dir / "res", dir / "data"},
                                                std::move(commandLine));
        window->setObserver({{}, [this] { ++geometryApplied; }, [this] { ++closeRequests; }});
        window->Form_Load();
        return window;
    }
};

TEST_F(MainFrmTest, FirstLoadUsesDefaults) {
    auto window = makeWindow();
    const Geometry& g = window->geometry();
    EXPECT_EQ(g.Width, 12000);
    EXPECT_EQ(g.Height, 8000);
    EXPECT_EQ(g.Top, 0);
    EXPECT_EQ(g.Left, 0);
    EXPECT_EQ(window->panel(1), "");
    EXPECT_EQ(window->panel(2), "Duplicates : 0");
    EXPECT_EQ(window->panel(3), "Files : 0");
    EXPECT_EQ(window->panel(4), "Folders : 0");
    EXPECT_EQ(window->panel(5), "");
    EXPECT_TRUE(window->isChecked("MPicViewer"));
    EXPECT_TRUE(window->isChecked("MSendToRecycleBin"));
    EXPECT_EQ(window->toolbarImage(PictureViewerButton), 10);
    EXPECT_EQ(window->toolbarImage(RecycleBinButton), 12);
    EXPECT_EQ(window->caption(), "Twinsweep v3.4");
    EXPECT_EQ(window->engine(), 1);
    EXPECT_TRUE(window->protect());
    EXPECT_FALSE(window->includeHidden());
    EXPECT_FALSE(window->isEnabled("MCancel"));
    EXPECT_TRUE(platform::isRegularFile(dir / "TWMutex"));
}

TEST_F(MainFrmTest, SavedPositionFarOffScreenIsPulledBack) {
    struct Case {
        const char* top;
        const char* left;
        float expectedTop;
        float expectedLeft;
    } cases[] = {
        {"-32000", "-32000", 100, 100},
        {"-150", "-450", -150, -450},
        {"-200", "-500", -200, -500},
        {"-200.5", "-500.5", 100, 100},
        {"300", "700", 300, 700},
        {"junk", "", 0, 0},
    };
    for (const Case& c : cases) {
        settings.SaveSetting(settings::WindowTop, c.top);
        settings.SaveSetting(settings::WindowLeft, c.left);
        auto window = makeWindow();
        EXPECT_EQ(window->geometry().Top, c.expectedTop) << c.top;
        EXPECT_EQ(window->geometry().Left, c.expectedLeft) << c.left;
    }
}

TEST_F(MainFrmTest, StoredOptionsPickImagesAndTicks) {
    struct Case {
        const char* display;
        const char* recycleBin;
        int previewImage;
        int recycleImage;
    } cases[] = {
        {"10", "12", 10, 12},
        {"9", "11", 9, 11},
        {"7", "3", 9, 12},  // only an explicit 11 turns the trash off
        {"", "junk", 9, 12},
    };
    for (const Case& c : cases) {
        settings.SaveSetting(settings::Display, c.display);
        settings.SaveSetting(settings::RecycleBin, c.recycleBin);
        auto window = makeWindow();
        EXPECT_EQ(window->toolbarImage(PictureViewerButton), c.previewImage) << c.display;
        EXPECT_EQ(window->toolbarImage(RecycleBinButton), c.recycleImage) << c.recycleBin;
        EXPECT_EQ(window->isChecked("MPicViewer"), c.previewImage == 10);
        EXPECT_EQ(window->isChecked("MSendToRecycleBin"), c.recycleImage == 12);
    }
}

TEST_F(MainFrmTest, FirstActivationShowsTipsOnceAndReappliesGeometry) {
    settings.SaveSetting(settings::WindowWidth, "15000");
    auto window = makeWindow();
    settings.SaveSetting(settings::WindowWidth, "16000");  // changed behind the window's back
    window->Form_Activate(WindowState::Normal);
    EXPECT_EQ(ui.modalDialogs, std::vector<std::string>{"frmTip"});
    EXPECT_EQ(geometryApplied, 1);
    EXPECT_EQ(window->geometry().Width, 16000);

    window->Form_Activate(WindowState::Normal);
    EXPECT_EQ(ui.modalDialogs.size(), 1u) << "a second activation repeats nothing";
    EXPECT_EQ(geometryApplied, 1);
}

TEST_F(MainFrmTest, TipsOffAndMaximisedWindowSkipTheirSteps) {
    settings.SaveSetting(settings::ShowTipsAtStartup, "0");
    auto window = makeWindow();
    window->Form_Activate(WindowState::Maximized);
    EXPECT_TRUE(ui.modalDialogs.empty());
    EXPECT_EQ(geometryApplied, 0);
}

TEST_F(MainFrmTest, CommandLineSessionSkipsTipsAndReportsMissingFile) {
    auto missing = makeWindow("\"" + dir.path() + "/my folder/missing.twf\"");
    missing->Form_Activate(WindowState::Normal);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "\"" + dir.path() + "/my folder/missing.twf\"");
    EXPECT_EQ(ui.messages[0].title, "File Not Found");
    EXPECT_EQ(ui.messages[0].icon, Icon::Critical);
    EXPECT_TRUE(ui.modalDialogs.empty());

    dir.writeFile("tree/a.txt", "x");
    std::string existing = dir.writeFile("saved session.twf", "1,1,0\r\n" + dir.path() + "/tree/,Yes,*.*,,,15,,\r\n");
    auto present = makeWindow(existing);
    present->Form_Activate(WindowState::Normal);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.modalDialogs.empty());
    EXPECT_EQ(present->panel(1), "Search Completed.") << "a command-line session is scanned at once";
    EXPECT_EQ(present->panel(3), "Files : 1");
}

TEST_F(MainFrmTest, ResizeKeepsTheMinimumAndPlacesTheParts) {
    struct Case {
        float width, height;
        WindowState state;
        float expectedWidth, expectedHeight;
        bool resultListResized;
    } cases[] = {
        {12000, 8000, WindowState::Normal, 12000, 8000, true},
        {9000, 4000, WindowState::Normal, 10350, 5000, true},
        {9000, 4000, WindowState::Minimized, 10350, 5000, false},
        {20000, 4999, WindowState::Maximized, 20000, 5000, true},
    };
    auto window = makeWindow();
    for (const Case& c : cases) {
        window->geometry().Width = c.width;
        window->geometry().Height = c.height;
        FormLayout layout = window->Form_Resize(c.state);
        EXPECT_EQ(window->geometry().Width, c.expectedWidth);
        EXPECT_EQ(window->geometry().Height, c.expectedHeight);
        EXPECT_EQ(layout.searchListWidth, c.expectedWidth - 6650);
        EXPECT_EQ(layout.searchButtonsLeft, c.expectedWidth - 6630);
        EXPECT_EQ(layout.engineFrameLeft, c.expectedWidth - 6100);
        EXPECT_EQ(layout.resultListResized, c.resultListResized);
        if (c.resultListResized) {
            EXPECT_EQ(layout.resultListHeight, c.expectedHeight - 3400);
            EXPECT_EQ(layout.resultListWidth, c.expectedWidth - 200);
        }
    }
}

TEST_F(MainFrmTest, PictureViewerToggleFlipsAndPersists) {
    auto window = makeWindow();
    window->Toolbar1_ButtonClick(PictureViewerButton);
    EXPECT_FALSE(window->isChecked("MPicViewer"));
    EXPECT_EQ(window->toolbarImage(PictureViewerButton), 9);
    EXPECT_EQ(settings.GetSetting(settings::Display), "9");
    window->runCommand("MPicViewer");
    EXPECT_TRUE(window->isChecked("MPicViewer"));
    EXPECT_EQ(settings.GetSetting(settings::Display), "10");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainFrmTest, RecycleBinOffNeedsConfirmation) {
    auto window = makeWindow();
    ui.answers = {Answer::No};
    window->Toolbar1_ButtonClick(RecycleBinButton);
    ASSERT_EQ(ui.messages.size(), 1u);
    const Message& asked = ui.messages[0];
    EXPECT_EQ(asked.text,
              "This will delete the files permanently i.e., they are not sent to the recycle bin.\r\n"
              "Are you sure you want to preceed.");
    EXPECT_EQ(asked.title, "Confirm");
    EXPECT_EQ(asked.buttons, Buttons::YesNo);
    EXPECT_EQ(asked.defaultButton, 2);
    EXPECT_TRUE(window->isChecked("MSendToRecycleBin"));
    EXPECT_EQ(window->toolbarImage(RecycleBinButton), 12);
    EXPECT_EQ(settings.GetSetting(settings::RecycleBin), "12");

    ui.answers = {Answer::Yes};
    window->runCommand("MSendToRecycleBin");
    EXPECT_FALSE(window->isChecked("MSendToRecycleBin"));
    EXPECT_EQ(settings.GetSetting(settings::RecycleBin), "11");

    window->Toolbar1_ButtonClick(RecycleBinButton);
    EXPECT_EQ(ui.messages.size(), 2u) << "turning the trash back on does not ask";
    EXPECT_EQ(settings.GetSetting(settings::RecycleBin), "12");
}

TEST_F(MainFrmTest, NewSessionResetsTheSearchState) {
    auto window = makeWindow();
    window->selectEngine(3);
    window->setIncludeHidden(true);
    window->chkProtect_Click(false, CheckSource::ThruFile);
    window->FilesScanned = 7;
    window->runCommand("MNewSession");
    EXPECT_EQ(window->engine(), 1);
    EXPECT_TRUE(window->protect());
    EXPECT_FALSE(window->includeHidden());
    EXPECT_FALSE(window->fuzzy());
    EXPECT_FALSE(window->isEnabled("cmdRemove"));
    EXPECT_EQ(window->panel(1), "Add search path and click on the scan button to start search.");
    for (int panel : {2, 3, 4}) EXPECT_EQ(window->panel(panel), "");
    EXPECT_EQ(window->panel(5), "00:00:00");
    EXPECT_EQ(window->FilesScanned, 7) << "counters are left alone";
    EXPECT_TRUE(window->searchList().empty());
    EXPECT_TRUE(window->resultList().empty());
}

TEST_F(MainFrmTest, UntickingProtectAsksOnlyTheUser) {
    struct Case {
        CheckSource source;
        std::optional<Answer> answer;
        bool expectedProtect;
        size_t expectedQuestions;
    } cases[] = {
        {CheckSource::Direct, Answer::Yes, true, 1},
        {CheckSource::Direct, Answer::No, false, 1},
        {CheckSource::ThruFile, std::nullopt, false, 0},
    };
    for (const Case& c : cases) {
        auto window = makeWindow();
        ui.messages.clear();
        if (c.answer) ui.answers = {*c.answer};
        window->chkProtect_Click(false, c.source);
        EXPECT_EQ(window->protect(), c.expectedProtect);
        ASSERT_EQ(ui.messages.size(), c.expectedQuestions);
        if (c.expectedQuestions == 1) {
            EXPECT_EQ(ui.messages[0].text,
                      "It is highly recommended to leave this option checked to prevent loss of data.\r\n"
                      "Do you want to leave this option");
            EXPECT_EQ(ui.messages[0].icon, Icon::Critical);
            EXPECT_EQ(ui.messages[0].defaultButton, 2);
        }
    }
    auto window = makeWindow();
    ui.messages.clear();
    window->chkProtect_Click(true);
    EXPECT_TRUE(ui.messages.empty()) << "ticking never asks";
}

TEST_F(MainFrmTest, ExitStoresTheGeometryAsDecimalText) {
    auto window = makeWindow();
    window->geometry() = Geometry{13500, 9000.5f, -15, 2400};
    window->Form_QueryUnload();
    EXPECT_EQ(settings.GetSetting(settings::WindowWidth), "13500");
    EXPECT_EQ(settings.GetSetting(settings::WindowHeight), "9000.5");
    EXPECT_EQ(settings.GetSetting(settings::WindowTop), "-15");
    EXPECT_EQ(settings.GetSetting(settings::WindowLeft), "2400");
}

TEST_F(MainFrmTest, HelpMenuOpensPagesAndReportsFailures) {
    auto window = makeWindow();
    window->runCommand("MHelpTopics");
    window->runCommand("mnuFaq");
    window->runCommand("mnuchkforupdate");
    ASSERT_EQ(ui.opened.size(), 3u);
    EXPECT_EQ(ui.opened[0], dir / "res/Help.html");
    EXPECT_EQ(ui.opened[1], FaqPage());
    EXPECT_NE(ui.opened[2].find("version=3.4"), std::string::npos);
    EXPECT_TRUE(ui.messages.empty());

    ui.openResult = OpenResult::NoAssociation;
    window->runCommand("MHelpTopics");
    EXPECT_TRUE(ui.messages.empty()) << "the help page's result is not examined";
    window->runCommand("mnuHelponline");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Error");

    window->runCommand("MAbout");
    window->runCommand("mnuTip");
    EXPECT_EQ(ui.modalDialogs, (std::vector<std::string>{"frmAbout", "frmTip"}));
}

TEST_F(MainFrmTest, DisabledCommandsAndButtonsDoNothing) {
    auto window = makeWindow();
    window->Command1_Click();
    window->runCommand("MCancel");
    window->Toolbar1_ButtonClick(2);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(window->isToolbarButtonEnabled(2)) << "Cancel while no scan runs";
    EXPECT_FALSE(window->isToolbarButtonEnabled(3)) << "separator";
    EXPECT_TRUE(window->isToolbarButtonEnabled(PictureViewerButton));

    window->Toolbar1_ButtonClick(MarkButton);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No items marked/checked");
    EXPECT_EQ(ui.messages[0].title, "Error");
    EXPECT_TRUE(ui.popups.empty());

    window->runCommand("MClose");
    EXPECT_EQ(closeRequests, 1);
}

TEST(TipOfTheDay, RandomPickAndStartupBoxSavedAtOnce) {
    test::TempDir dir;
    SettingsStore settings(dir / "settings.ini");
    std::vector<double> draws = {0.0, 0.999999, 0.5};
    size_t next = 0;
    frmTip tip(settings, [&] { return draws.at(next++); });
    EXPECT_EQ(tip.lblTipText(), tip.tips().front());
    EXPECT_TRUE(tip.chkLoadTipsAtStartup());
    tip.cmdNextTip_Click();
    EXPECT_EQ(tip.lblTipText(), tip.tips().back());
    tip.cmdNextTip_Click();
    EXPECT_EQ(tip.lblTipText(), tip.tips().at(tip.tips().size() / 2));

    tip.chkLoadTipsAtStartup_Click(false);
    EXPECT_EQ(settings.GetSetting(settings::ShowTipsAtStartup), "0");
    frmTip reopened(settings, [] { return 0.0; });
    EXPECT_FALSE(reopened.chkLoadTipsAtStartup());
}

TEST(CommandLine, QuitOptionAndSessionPath) {
    struct Case {
        std::vector<const char*> args;
        bool quits;
        const char* joined;
    } cases[] = {
        {{"twinsweep"}, false, ""},
        {{"twinsweep", "-un"}, true, "-un"},
        {{"twinsweep", "/tmp/x.twf", "-uninstall"}, true, "/tmp/x.twf -uninstall"},
        {{"twinsweep", "/data/re-union.twf"}, false, "/data/re-union.twf"},
        {{"twinsweep", "/my", "saved", "session.twf"}, false, "/my saved session.twf"},
    };
    for (const Case& c : cases) {
        int argc = static_cast<int>(c.args.size());
        EXPECT_EQ(AsksToQuitAtOnce(argc, c.args.data()), c.quits) << c.joined;
        EXPECT_EQ(JoinCommandLine(argc, c.args.data()), c.joined);
    }
    EXPECT_EQ(SessionPathFromCommandLine("\"/home/me/my \"saved\" session.twf\" "), "/home/me/my saved session.twf ");
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST_F(MainFrmTest, ProblemReportDescribesTheSearch) {
    auto window = makeWindow();
    window->runCommand("MNewSession");
    struct Case {
        int engine;
        bool fuzzy;
        const char* text;
    } cases[] = {
        {1, false, "Search Engine: Byte-By-Byte, Fuzzy Logic:0"},
        {1, true, "Search Engine: Byte-By-Byte, Fuzzy Logic:1"},
        {2, false, "Search Engine: CRC32"},
        {3, false, "Search Engine: Same Names"},
        {4, false, "Search Engine: Zero Size"},
    };
    for (const Case& c : cases) {
        window->selectEngine(c.engine);
        window->setFuzzy(c.fuzzy);
        EXPECT_EQ(window->SearchEngineText(), c.text);
    }
    EXPECT_EQ(window->StatusText(),
              "Status: Add search path and click on the scan button to start search.{}{}{}{}00:00:00");

    EXPECT_EQ(SearchFolderText({}), "");
    std::vector<SearchFolderEntry> rows = {{"/home/me/", "Yes", "*.*", "10", "", "", "", SearchFolderIcon},
                                           {"/data/", "No", "*.jpg;", "", "500", "", "", SearchFolderIcon}};
    EXPECT_EQ(SearchFolderText(rows),
              "/home/me/ {SF} Yes {FT} *.* {MN} 10 {MX}  Second/data/ {SF} No {FT} *.jpg; {MN}  {MX} 500 Second");
}

TEST(DateText, GeneralDateFormat) {
    struct Case {
        platform::LocalDateTime when;
        const char* text;
    } cases[] = {
        {{2026, 12, 7, 21, 5, 9}, "12/7/2026 9:05:09 PM"},
        {{2026, 1, 2, 0, 0, 0}, "1/2/2026"},
        {{2026, 1, 2, 0, 0, 1}, "1/2/2026 12:00:01 AM"},
        {{2026, 1, 2, 12, 30, 0}, "1/2/2026 12:30:00 PM"},
        {{999, 10, 31, 11, 59, 59}, "10/31/0999 11:59:59 AM"},
    };
    for (const Case& c : cases) EXPECT_EQ(GeneralDateText(c.when), c.text);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST_F(MainFrmTest, DefaultSessionIsWrittenOnExitAndReadAtLoad) {
    dir.writeFile("data/Default.twf", "3,0,1,0,,,0,0,0\r\n/a,b/,Yes,*.*,10,,15,,\r\n/skip/,No,*.*,,,16,,\r\n");
    auto window = makeWindow();
    EXPECT_EQ(window->engine(), 3);
    EXPECT_FALSE(window->protect());
    EXPECT_TRUE(window->includeHidden());
    EXPECT_TRUE(ui.messages.empty()) << "a loaded session never asks about protection";
    ASSERT_EQ(window->searchList().size(), 2u);
    EXPECT_EQ(window->searchList()[0].path, "/a");  // the original format splits at every comma
    EXPECT_EQ(window->searchList()[1].icon, LeaveOutFolderIcon);

    window->Form_QueryUnload();
    EXPECT_EQ(platform::readWholeFile(dir / "data/Default.twf").value_or(""),
              "3,0,1,0,,,0,0,0\r\n/a,b/,Yes,*.*,10,0,15,\r\n/skip/,No,*.*,,,16,,\r\n")
        << "the old file's unquoted comma shifted the fields; they are written back as read";
}

}  // namespace
}  // namespace tw
