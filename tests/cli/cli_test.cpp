#include "cli/cli_options.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace tw::cli {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

// Runs the installed binary through the shell; standard error goes to err.txt in the folder.
CliRun runCli(const test::TempDir& dir, const std::string& arguments) {
    std::string command = "cd '" + dir.path() + "' && XDG_CONFIG_HOME='" + dir.path() + "/config' XDG_DATA_HOME='" +
                          dir.path() + "/data' " TWINSWEEP_CLI_BINARY " " + arguments + " 2>err.txt";
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, got);
    int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(CliArguments, UsageErrorsAndChoices) {
    struct Case {
        std::vector<const char*> args;
        int exitCode;
        bool parsed;
    } cases[] = {
        {{"twinsweep-cli"}, 2, false},
        {{"twinsweep-cli", "/a", "--session", "s.twf"}, 2, false},
        {{"twinsweep-cli", "--engine", "fast", "/a"}, 2, false},
        {{"twinsweep-cli", "--engine", "crc", "--fuzzy", "/a"}, 2, false},
        {{"twinsweep-cli", "--min-kb", "ten", "/a"}, 2, false},
        {{"twinsweep-cli", "--min-date", "2024-01-31", "/a"}, 2, false},
        {{"twinsweep-cli", "--min-date", "02/30/2024", "/a"}, 2, false},
        {{"twinsweep-cli", "--format", "pdf", "/a"}, 2, false},
        {{"twinsweep-cli", "--format", "xml", "--delimiter", "tab", "/a"}, 2, false},
        {{"twinsweep-cli", "--help"}, 0, false},
        {{"twinsweep-cli", "--version"}, 0, false},
        {{"twinsweep-cli", "--engine", "name", "--min-kb", "1.5", "--max-date", "01/31/2024", "/a", "/b"}, 0, true},
    };
    for (const Case& c : cases) {
        ParsedCommandLine parsed = ParseCommandLine(static_cast<int>(c.args.size()), c.args.data());
        EXPECT_EQ(parsed.exitCode, c.exitCode) << c.args.back();
        EXPECT_EQ(parsed.options.has_value(), c.parsed) << c.args.back();
    }
    const char* full[] = {"twinsweep-cli", "--engine", "zero", "--no-subfolders", "--no-protect", "--hidden", "/a"};
    CliOptions options = *ParseCommandLine(7, full).options;
    EXPECT_EQ(options.engine, 4);
    EXPECT_FALSE(options.subFolders);
    EXPECT_FALSE(options.protect);
    EXPECT_TRUE(options.hidden);
    struct DelimiterCase {
        const char* given;
        const char* expected;
    } delimiters[] = {{"tab", "\t"}, {"comma", ","}, {"semicolon", ";"}, {"||", "||"}, {"", ""}};
    for (const DelimiterCase& c : delimiters) {
        const char* args[] = {"twinsweep-cli", "--format", "csv", "--delimiter", c.given, "/a"};
        EXPECT_EQ(ParseCommandLine(6, args).options->delimiter, c.expected) << c.given;
    }
    const char* version[] = {"twinsweep-cli", "--version"};
    EXPECT_EQ(ParseCommandLine(2, version).message, "Twinsweep 3.4\n");
}

TEST(CliScan, JsonOfASmallTreeWithAwkwardNames) {
    test::TempDir dir;
    std::string awkward = std::string("we?ird,name\xff") + ".txt";
    dir.writeFile("tree/a/plain.txt", "same bytes");
    dir.writeFile("tree/b/" + awkward, "same bytes");
    dir.writeFile("tree/b/other.txt", "different!");
    CliRun run = runCli(dir, "--format json --quiet tree");
    ASSERT_EQ(run.status, 0);
    auto document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["summary"]["files_scanned"], 3);
    EXPECT_EQ(document["summary"]["duplicate_files"], 1);
    EXPECT_EQ(document["summary"]["duplicate_bytes"], 10);
    EXPECT_EQ(document["summary"]["cancelled"], false);
    ASSERT_EQ(document["groups"].size(), 1u);
    const auto& files = document["groups"][0]["files"];
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0]["path"], dir / "tree/a/plain.txt");
    EXPECT_EQ(files[1]["name"], "we?ird,name\\xFF.txt");
    EXPECT_EQ(files[1]["escaped"], true);
    EXPECT_EQ(files[1]["size"], 10);
    EXPECT_EQ(files[1]["version"], "N/A");

    EXPECT_EQ(runCli(dir, "--quiet missing-folder").status, 1);
    EXPECT_EQ(runCli(dir, "--session nothing.twf").status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "data/twinsweep/Default.twf")) << "the command line leaves no traces";
    EXPECT_FALSE(std::filesystem::exists(dir / "config/twinsweep/settings.ini"));
}

TEST(CliScan, SessionFileAndTextOutput) {
    test::TempDir dir;
    dir.writeFile("tree/x.bin", "1234");
    dir.writeFile("tree/sub/y.bin", "1234");
    dir.writeFile("tree/sub/z.log", "");
    dir.writeFile("s.twf", "4,1,0,0,,,0,0,0\r\n" + dir.path() + "/tree/,Yes,All files(*.*),,,15,,\r\n");
    CliRun zero = runCli(dir, "--quiet --session s.twf");
    EXPECT_EQ(zero.status, 0);
    EXPECT_NE(zero.out.find("Empty files\n"), std::string::npos);
    EXPECT_NE(zero.out.find(dir / "tree/sub/z.log"), std::string::npos);
    EXPECT_EQ(zero.out.find("y.bin"), std::string::npos);

    CliRun text = runCli(dir, "--quiet --output result.txt tree");
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.empty());
    std::ifstream written(dir / "result.txt");
    std::string first;
    std::getline(written, first);
    EXPECT_EQ(first, "Group 1");
}

TEST(CliScan, ExportDocumentsOfEveryRow) {
    test::TempDir dir;
    dir.writeFile("tree/a/R&D <1>.txt", "same bytes");
    dir.writeFile("tree/b/copy.txt", "same bytes");
    struct Case {
        const char* arguments;
        std::string start;
        std::string line;  // a line every run must hold
    } cases[] = {
        {"--format xml", "<?xml version=\"1.0\"?>\r\n<Files>\r\n<File>\r\n", "<FileName>R&amp;D &lt;1>.txt</FileName>"},
        {"--format csv --delimiter tab", "File Name\tSize(Bytes)\tLast Modified\tVersion\tGroup\tPath\r\n",
         "R&D <1>.txt\t10\t"},
        {"--format csv", "File Name,Size(Bytes),", "copy.txt,10,"},
        {"--format html", "<html><head>\r\n", "<tr><td class='odd'>R&amp;D &lt;1&gt;.txt</td>"},
    };
    for (const Case& c : cases) {
        CliRun run = runCli(dir, std::string("--quiet ") + c.arguments + " tree");
        EXPECT_EQ(run.status, 0) << c.arguments;
        EXPECT_EQ(run.out.substr(0, c.start.size()), c.start) << c.arguments;
        EXPECT_NE(run.out.find(c.line), std::string::npos) << c.arguments << "\n" << run.out;
        EXPECT_EQ(run.out.substr(run.out.size() - 2), "\r\n") << c.arguments;
    }
}

}  // namespace
}  // namespace tw::cli
