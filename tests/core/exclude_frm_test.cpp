#include "setup/exclude_frm.h"
#include "platform/file_system.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <iterator>
#include <random>

namespace tw {
namespace {

using Entries = std::vector<ExclusionEntry>;

std::string fileText(const std::string& path) { return platform::readWholeFile(path).value_or("<missing>"); }

TEST(ExclusionFile, ParsesEachKindOfLine) {
    const std::string head = "<<Folder List Start Here>>\r\n";
    const std::string mid = "<<Extension List Start Here>>\r\n";
    struct Case {
        const char* name;
        std::string content;
        Entries folders;
        Entries extensions;
    };
    const Case cases[] = {
        {"original format", head + "C:\\Temp,False\r\nD:\\Old,True\r\n" + mid + "*.tmp,True\r\n",
         {{"C:\\Temp", false}, {"D:\\Old", true}}, {{"*.tmp", true}}},
        {"only the markers", head + mid, {}, {}},
        {"empty file", "", {}, {}},
        {"comma in the path", head + "/a,b/c,d/,True\r\n" + mid, {{"/a,b/c,d/", true}}, {}},
        {"empty line goes on", head + "/a/,True\r\n\r\n/b/,False\r\n" + mid + "\r\n*.bak,True\r\n",
         {{"/a/", true}, {"/b/", false}}, {{"*.bak", true}}},
        {"no comma", head + "/plain/\r\n", {{"/plain/", false}}, {}},
        {"tail is no flag", head + "/x/,maybe\r\n", {{"/x/,maybe", false}}, {}},
        {"flags in any case and as numbers", head + "/a/,true\r\n/b/,FALSE\r\n/c/,0\r\n/d/,-1\r\n/e/, 2.5 \r\n",
         {{"/a/", true}, {"/b/", false}, {"/c/", false}, {"/d/", true}, {"/e/", true}}, {}},
        {"not numbers", head + "/a/,nan\r\n/b/,1x\r\n", {{"/a/,nan", false}, {"/b/,1x", false}}, {}},
        {"before any marker", "/early/,True\r\n" + head, {{"/early/", true}}, {}},
        {"empty text is dropped", head + ",True\r\n" + mid + ",False\r\n", {}, {}},
        {"lone LF, no final line end", head + "/a/,True\n" + mid + "*.x,False", {{"/a/", true}}, {{"*.x", false}}},
        {"any bytes", head + std::string("/\xff\x00\x01/,True\r\n", 12) + mid + "\xc3\xa9,True",
         {{std::string("/\xff\x00\x01/", 5), true}}, {{"\xc3\xa9", true}}},
        {"markers again", mid + "*.a,True\r\n" + head + "/f/,True\r\n" + mid + "*.b,True\r\n",
         {{"/f/", true}}, {{"*.a", true}, {"*.b", true}}},
    };
    for (const Case& c : cases) {
        ExclusionLists lists = ParseExclusionList(c.content);
        EXPECT_EQ(lists.folders, c.folders) << c.name;
        EXPECT_EQ(lists.extensions, c.extensions) << c.name;
    }
}

TEST(ExclusionFile, WritesTheFormatAndReadsItBack) {
    test::TempDir dir;
    std::string path = ExclusionFilePath(dir.path());
    EXPECT_EQ(path, dir.path() + "/exclusion.lst");
    EXPECT_EQ(ExclusionFilePath("/"), "/exclusion.lst");
    EXPECT_EQ(ReadExclusionFile(path), ExclusionLists{}) << "missing file";

    ASSERT_TRUE(WriteExclusionFile(path, {}));
    EXPECT_EQ(fileText(path), "<<Folder List Start Here>>\r\n<<Extension List Start Here>>\r\n");

    ExclusionLists lists{{{"/tmp/", false}, {"/a,b/", true}, {std::string("/\xff/", 3), true}},
                         {{"*.tmp", true}, {"*.BAK", false}}};
    ASSERT_TRUE(WriteExclusionFile(path, lists));
    EXPECT_EQ(fileText(path), "<<Folder List Start Here>>\r\n/tmp/,False\r\n/a,b/,True\r\n/\xff/,True\r\n"
                              "<<Extension List Start Here>>\r\n*.tmp,True\r\n*.BAK,False\r\n");
    EXPECT_EQ(ReadExclusionFile(path), lists);
    EXPECT_FALSE(WriteExclusionFile(dir.writeFile("file") + "/exclusion.lst", lists)) << "folder is a file";
}

TEST(ExclusionFile, AnythingReadIsWrittenBackTheSame) {
    const std::string pieces[] = {"<<Folder List Start Here>>", "<<Extension List Start Here>>", ",", ",True",
                                  ",0", "\r", "\n", "\r\n", "/", "a", " ", std::string(1, '\0'), "\xff"};
    std::mt19937 random(20240601);
    for (int round = 0; round < 2000; ++round) {
        std::string content;
        for (int n = std::uniform_int_distribution(0, 30)(random); n > 0; --n)
            content += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(random)];
        ExclusionLists lists = ParseExclusionList(content);
        ASSERT_EQ(ParseExclusionList(FormatExclusionList(lists)), lists) << ::testing::PrintToString(content);
    }
}

TEST(ExcludeFrm, ScanTextsHoldTheTickedEntries) {
    test::TempDir dir;
    std::string path = dir.writeFile("exclusion.lst", "<<Folder List Start Here>>\r\n/a/,True\r\n/b/,False\r\n"
                                                      "/c/,True\r\n<<Extension List Start Here>>\r\n*.tmp,True\r\n"
                                                      "*.bak,False\r\n");
    test::ScriptedUi ui;
    ExcludeFrmInstance exclude(ui, path);
    EXPECT_EQ(exclude.ExcludedFolderText(), "/a/;/c/;");
    EXPECT_EQ(exclude.ExcludedExtensionText(), "*.tmp;");
    EXPECT_TRUE(ui.modalDialogs.empty()) << "read without showing the dialog";

    exclude.form().tickFolder(0, false);
    exclude.form().tickExtension(1, true);
    exclude.form().tickExtension(7, true);
    exclude.AddFolder("/from/session/");
    EXPECT_EQ(exclude.ExcludedFolderText(), "/c/;/from/session/;");
    EXPECT_EQ(exclude.ExcludedExtensionText(), "*.tmp;*.bak;");

    ExcludeFrmInstance empty(ui, dir / "missing.lst");
    EXPECT_EQ(empty.ExcludedFolderText(), "");
    EXPECT_FALSE(empty.form().cmdRemoveExFolderEnabled());
}

TEST(ExcludeFrm, ExtensionBoxKeys) {
    const std::pair<int, bool> keys[] = {
        {'a', true}, {'Z', true}, {'0', true}, {'9', true}, {'*', true}, {'.', true}, {8, true},
        {'-', false}, {'_', false}, {' ', false}, {';', false}, {',', false}, {'/', false}, {0xE9, false},
        {13, false}, {0, false}, {-1, false}, {0x1F600, false},
    };
    test::ScriptedUi ui;
    ExcludeFrm form(ui, "/nonexistent/exclusion.lst");
    for (auto [key, kept] : keys) EXPECT_EQ(form.txtAddExtension_KeyPress(key), kept ? key : 0) << key;
}

TEST(ExcludeFrm, AddingExtensionsSkipsEntriesThatExistInAnyCase) {
    test::ScriptedUi ui;
    ExcludeFrm form(ui, "/nonexistent/exclusion.lst");
    struct Step {
        std::string typed;
        size_t count;           // entries afterwards
        std::string boxAfter;   // the box is emptied only when an entry is added
    };
    const Step steps[] = {
        {"", 0, ""}, {"tmp", 1, ""}, {"*.tmp", 1, "*.tmp"}, {"TMP", 1, "TMP"}, {"*.Bak", 2, ""}, {"*bak", 3, ""},
        {"a\nb", 3, "a\nb"},
    };
    for (const Step& step : steps) {
        form.setTxtAddExtension(step.typed);
        form.cmdAddExExtension_Click();
        EXPECT_EQ(form.lstExExtension().size(), step.count) << step.typed;
        EXPECT_EQ(form.txtAddExtension(), step.boxAfter) << step.typed;
    }
    EXPECT_EQ(form.lstExExtension(), (Entries{{"*.tmp", true}, {"*.Bak", true}, {"*.*bak", true}}));
    form.setTxtAddExtension("log");
    EXPECT_EQ(form.txtAddExtension_KeyPress(ExcludeFrm::KeyEnter), 0);
    EXPECT_EQ(form.lstExExtension().back(), (ExclusionEntry{"*.log", true})) << "Enter adds";
}

TEST(ExcludeFrm, AddingAndRemovingFolders) {
    test::ScriptedUi ui;
    ui.pickedPaths = {"/data/old", "", "/data/old/", "/Data/Old", "/bad\nname", "/"};
    ExcludeFrm form(ui, "/nonexistent/exclusion.lst");
    for (size_t i = 0; i < 6; ++i) form.cmdAddExFolder_Click();
    EXPECT_EQ(form.lstExFolders(), (Entries{{"/data/old/", true}, {"/Data/Old/", true}, {"/", true}}));
    EXPECT_TRUE(form.cmdRemoveExFolderEnabled());

    form.cmdRemoveExFolder_Click();
    EXPECT_EQ(form.lstExFolders().size(), 3u) << "nothing selected";
    form.setLstExFoldersIndex(1);
    form.cmdRemoveExFolder_Click();
    EXPECT_EQ(form.lstExFolders(), (Entries{{"/data/old/", true}, {"/", true}}));
    EXPECT_EQ(form.lstExFoldersIndex(), -1);
    for (int i = 0; i < 2; ++i) {
        form.setLstExFoldersIndex(0);
        form.cmdRemoveExFolder_Click();
    }
    EXPECT_TRUE(form.lstExFolders().empty());
    EXPECT_FALSE(form.cmdRemoveExFolderEnabled());
}

TEST(ExcludeFrm, OnlyOkWritesTheFile) {
    test::TempDir dir;
    const std::string original = "<<Folder List Start Here>>\r\n/keep/,True\r\n<<Extension List Start Here>>\r\n";
    std::string path = dir.writeFile("exclusion.lst", original);
    test::ScriptedUi ui;
    ExcludeFrmInstance exclude(ui, path);

    ui.onModal = [](DialogModel& model) { static_cast<ExcludeFrm&>(model).AddFolder("/lost/"); };
    exclude.Show();
    EXPECT_EQ(fileText(path), original) << "closed without OK";
    EXPECT_FALSE(exclude.loaded());
    EXPECT_EQ(exclude.ExcludedFolderText(), "/keep/;") << "the next use reads the file again";

    ui.onModal = [](DialogModel& model) {
        auto& form = static_cast<ExcludeFrm&>(model);
        form.tickFolder(0, false);
        form.cmdOK_Click();
    };
    exclude.Show();
    EXPECT_TRUE(exclude.loaded()) << "OK only hides the dialog";
    EXPECT_EQ(fileText(path), "<<Folder List Start Here>>\r\n/keep/,False\r\n<<Extension List Start Here>>\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ExcludeFrm, OkKeepsEntriesTheOldReaderLost) {
    test::TempDir dir;
    std::string path = dir.writeFile("exclusion.lst", "<<Folder List Start Here>>\r\n/a,b/,False\r\n\r\n/c/,True\r\n"
                                                      "<<Extension List Start Here>>\r\n*.tmp,True\r\n");
    test::ScriptedUi ui;
    ExcludeFrm form(ui, path);
    form.cmdOK_Click();
    EXPECT_EQ(ReadExclusionFile(path),
              (ExclusionLists{{{"/a,b/", false}, {"/c/", true}}, {{"*.tmp", true}}}));
}

TEST(ExcludeFrm, UnwritableFileIsReportedAndTheEditsStay) {
    test::TempDir dir;
    test::ScriptedUi ui;
    ExcludeFrm form(ui, dir.writeFile("blocker") + "/exclusion.lst");
    form.AddFolder("/x/");
    form.cmdOK_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The exclusion list could not be saved to " + form.filePath() + ".");
    EXPECT_EQ(ui.messages[0].title, "Exclusion List");
    EXPECT_TRUE(form.hiddenByOK());
    EXPECT_EQ(form.ExcludedFolderText(), "/x/;");
}

}  // namespace
}  // namespace tw
