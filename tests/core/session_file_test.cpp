#include "persist/session_file.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

SessionHeader sampleHeader() { return {"1", "1", "0", "12", "340", "25", "6", "1048576", "0"}; }

TEST(SessionFile, ParametersAreWrittenByteForByte) {
    std::vector<SearchFolderEntry> rows = {
        {"/home/me/Pictures/", "Yes", "All files(*.*)", "10", "", "", "", SearchFolderIcon},
        {"/home/me/Pictures/old/", "No", "*.jpg;*.png;", "", "500", "01/02/2024", "12/31/2024", LeaveOutFolderIcon},
    };
    EXPECT_EQ(SessionParametersText(sampleHeader(), rows),
              "1,1,0,12,340,25,6,1048576,0\r\n"
              "/home/me/Pictures/,Yes,All files(*.*),10,,15,,\r\n"
              "/home/me/Pictures/old/,No,*.jpg;*.png;,,500,16,01/02/2024,12/31/2024\r\n");
    EXPECT_EQ(SessionParametersText(sampleHeader(), {}), "1,1,0,12,340,25,6,1048576,0\r\n");
}

TEST(SessionFile, AwkwardFieldsAreQuotedAndReadBackWhole) {
    const std::string awkward[] = {
        "/data/a,b/", "/data/\"quoted\"/", "/data/line\nbreak/", ";starts-with-semicolon/", "\"lead/", "/plain?/",
        std::string("/bytes\xff\xfe/", 9),
    };
    for (const std::string& path : awkward) {
        std::vector<SearchFolderEntry> rows = {{path, "Yes", "a,b;", "1", "2", "", "", SearchFolderIcon},
                                               {"/next/", "No", "*.*", "", "", "", "", SearchFolderIcon}};
        std::string text = SessionParametersText(sampleHeader(), rows) + ";result?line\r\n";
        SessionParametersRead read = ReadSessionParameters(text);
        ASSERT_TRUE(read.complete) << path;
        ASSERT_EQ(read.folders.size(), 2u) << path;
        EXPECT_EQ(read.folders[0].path, path);
        EXPECT_EQ(read.folders[0].mask, "a,b;");
        EXPECT_EQ(read.folders[1].path, "/next/");
        EXPECT_EQ(read.header.size(), 9u);
    }
    EXPECT_EQ(SessionField("/plain/", ',', true), "/plain/");
    EXPECT_EQ(SessionField("a;b", ',', false), "a;b");
    EXPECT_EQ(SessionField(";x", ',', false), ";x") << "only a line's first field can look like the results";
}

TEST(SessionFile, FilesInTheOriginalFormatReadAsBefore) {
    struct Case {
        const char* text;
        size_t folders;
        bool complete;
        const char* firstMaxDate;
    } cases[] = {
        {"2,0,1,0,,,0,0,0\r\n/a/,Yes,*.*,10,,15,01/01/2020,02/02/2020\r\n", 1, true, "02/02/2020"},
        {"1,1,0,3,10,2,2,20,1\r\n/a/,Yes,*.*,,,16\r\n/b/,No,*.*,,,15,x\r\n;r?1\r\n/c/,Yes,*.*,,,15\r\n", 2, true, ""},
        {"1,1,0\r\n/a/,Yes,*.*,,,15\r\n/b/,Yes,*.*,,\r\n/c/,Yes,*.*,,,15\r\n", 1, false, ""},
        {"1,1,0\r\n/a/,Yes,*.*,,,15\r\n\r\n/c/,Yes,*.*,,,15\r\n", 1, false, ""},
        {"1,1,0\n/unix/,Yes,*.*,,,15\n", 1, true, ""},
        {"", 0, true, ""},
    };
    for (const Case& c : cases) {
        SessionParametersRead read = ReadSessionParameters(c.text);
        EXPECT_EQ(read.folders.size(), c.folders) << c.text;
        EXPECT_EQ(read.complete, c.complete) << c.text;
        if (!read.folders.empty()) {
            EXPECT_EQ(read.folders[0].maxDate, c.firstMaxDate) << c.text;
        }
    }
    SessionParametersRead icons = ReadSessionParameters(cases[1].text);
    EXPECT_EQ(icons.folders[0].icon, LeaveOutFolderIcon);
    EXPECT_EQ(icons.header[0], "1");
}

}  // namespace
}  // namespace tw
