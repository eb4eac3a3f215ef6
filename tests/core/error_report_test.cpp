#include "base/app_error.h"
#include "base/bug_frm.h"
#include "base/procedure.h"
#include "base/system_information.h"
#include "platform/file_system.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace tw {
namespace {

// Answers each bug report with the next scripted button and records what it showed.
struct BugScript {
    std::vector<int16_t> buttons;
    std::vector<FailureRecord> shown;

    void attach(test::ScriptedUi& ui) {
        ui.onModal = [this](DialogModel& dialog) {
            auto& bug = dynamic_cast<BugFrm&>(dialog);
            shown.push_back({std::stoi(bug.lblErrNo()), bug.lblErrDesc(), bug.lblErrPro(), std::stoi(bug.lblErrLine())});
            int16_t button = shown.size() <= buttons.size() ? buttons[shown.size() - 1] : BugFrm::Abort;
            button == BugFrm::Retry ? bug.cmdRetry_Click() : bug.cmdAbort_Click();
        };
    }
};

TEST(Procedure, RetryRunsTheFailingStatementAgainAndAbortSkipsTheRest) {
    test::ScriptedUi ui;
    ErrorReporter reporter(ui, {});
    BugScript script{{BugFrm::Retry, BugFrm::Retry}, {}};
    script.attach(ui);

    std::vector<int> ran;
    int attempts = 0;
    Procedure proc(reporter, "Loading");
    proc.run(1, [&] { ran.push_back(1); });
    proc.run(2, [&] {
        ran.push_back(2);
        if (++attempts < 3) throw AppError(err::FileNotFound);
    });
    proc.run(3, [&] { ran.push_back(3); });
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 2, 2, 3}));
    ASSERT_EQ(script.shown.size(), 2u);
    for (const FailureRecord& failure : script.shown) {
        EXPECT_EQ(failure.number, 53);
        EXPECT_EQ(failure.description, "File not found");
        EXPECT_EQ(failure.procedure, "Loading");
        EXPECT_EQ(failure.line, 2);
    }

    ran.clear();
    Procedure aborted(reporter, "Unloading");
    aborted.run(1, [&] { throw std::runtime_error("boom"); });
    EXPECT_FALSE(aborted.run(2, [&] { ran.push_back(2); }));
    EXPECT_TRUE(aborted.aborted());
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(script.shown.back().number, err::InternalError);
    EXPECT_EQ(script.shown.back().description, "boom");
}

TEST(Procedure, ClosingTheReportWithoutAnswerAbandonsTheProcedure) {
    test::ScriptedUi ui;  // no script: the dialog is shown and closed
    ErrorReporter reporter(ui, {});
    Procedure proc(reporter, "New Session");
    EXPECT_FALSE(proc.run(4, [] { throw AppError(err::PermissionDenied); }));
    EXPECT_EQ(ui.modalDialogs, std::vector<std::string>{"BugFrm"});
}

TEST(OsError, NumbersFollowTheCause) {
    test::TempDir dir;
    struct Case {
        int errnoValue;
        std::string path;
        int32_t number;
    } cases[] = {
        {ENOENT, dir / "missing.txt", err::FileNotFound},
        {ENOENT, dir / "no/such/folder/file.txt", err::PathNotFound},
        {ENOTDIR, dir / "x", err::PathNotFound},
        {EACCES, dir / "x", err::PermissionDenied},
        {EROFS, dir / "x", err::PermissionDenied},
        {EEXIST, dir / "x", err::FileAlreadyExists},
        {ENOSPC, dir / "x", err::DiskFull},
        {EBUSY, dir / "x", err::PathFileAccessError},
    };
    for (const Case& c : cases) {
        AppError error = OsError(c.errnoValue, c.path);
        EXPECT_EQ(error.number(), c.number) << c.path;
        EXPECT_NE(std::string(error.what()).find(c.path), std::string::npos);
    }
    EXPECT_EQ(ErrorDescription(err::KeyAlreadyPresent),
              "This key is already associated with an element of this collection");
}

FailureRecord sampleFailure() { return {70, "Permission denied: <img src=x onerror=alert(1)>.jpg", "Shell Delete", 12}; }

TEST(ProblemReport, PlaceholdersAreReplacedEverywhereAndEscaped) {
    SearchSnapshot search{"Search Engine: CRC32", "/a/ {SF} Yes {FT} *.* {MN} 1 {MX}  Second", "Status: a{}b{}c{}d{}e"};
    std::string page = BuildProblemReport("<p>vdatetime|vdatetime</p><p>verrno verrdesc vprocedure verrline</p>"
                                          "<p>vversion vse vpara vstage</p><pre>vsysteminfo</pre>",
                                          sampleFailure(), search, "Computer Name: host\r\n", "12/7/2026 9:05:00 PM");
    EXPECT_EQ(page,
              "<p>12/7/2026 9:05:00 PM|12/7/2026 9:05:00 PM</p>"
              "<p>70 Permission denied: &lt;img src=x onerror=alert(1)&gt;.jpg Shell Delete 12</p>"
              "<p>3.4 Search Engine: CRC32 /a/ {SF} Yes {FT} *.* {MN} 1 {MX}  Second Status: a{}b{}c{}d{}e</p>"
              "<pre>Computer Name: host\r\n</pre>");

    FailureRecord sneaky{53, "File not found: /data/vpara.txt", "X", 1};
    EXPECT_EQ(BuildProblemReport("verrdesc", sneaky, {"", "FOLDERS", ""}, "", ""), "File not found: /data/vpara.txt")
        << "a value is never searched for placeholders again";
}

TEST(ProblemReport, SendWritesThePageAndKeepsTheDialogUsableOnFailure) {
    test::TempDir dir;
    test::ScriptedUi ui;
    ProblemReportSetup setup{dir / "bug.dmp", dir / "data/report.htm", [] { return SearchSnapshot{"E", "F", "S"}; },
                             [] { return std::string("SYS"); }, [] { return std::string("NOW"); }};
    BugFrm dialog(ui, setup, sampleFailure());
    EXPECT_EQ(dialog.Text1(),
              "Error       : 70\r\nDescription : Permission denied: <img src=x onerror=alert(1)>.jpg\r\n"
              "Procedure   : Shell Delete\r\nError Line  : 12\r\n");

    dialog.cmdSendReport_Click();
    ASSERT_EQ(ui.messages.size(), 1u) << "missing template";
    EXPECT_NE(ui.messages[0].text.find("bug.dmp"), std::string::npos);
    EXPECT_FALSE(dialog.finished());

    dir.writeFile("bug.dmp", "vse/vpara/vstage/vsysteminfo/vdatetime");
    dialog.cmdSendReport_Click();
    EXPECT_EQ(platform::readWholeFile(setup.reportPath).value_or(""), "E/F/S/SYS/NOW\r\n");
    EXPECT_EQ(ui.opened, std::vector<std::string>{setup.reportPath});

    ProblemReportSetup blocked = setup;
    blocked.reportPath = dir.writeFile("file-not-folder") + "/report.htm";
    BugFrm second(ui, blocked, sampleFailure());
    second.cmdSendReport_Click();
    EXPECT_EQ(ui.messages.size(), 2u) << "unwritable report folder";
    EXPECT_FALSE(second.finished());
}

TEST(ProblemReport, SystemInformationLines) {
    platform::SystemFacts facts{"host", "Linux", "6.1.0", "#1 SMP", "Debian GNU/Linux 12 (bookworm)",
                                uint64_t{1043321} * 16000 + 521660, 1043321 * 2, "192.168.1.5"};
    EXPECT_EQ(SystemInformationText(facts),
              "Computer Name: host\r\nOS : Linux 6.1.0 Build #1 SMP\r\nService Pack: Debian GNU/Linux 12 (bookworm)\r\n"
              "Total Ram: 16000\r\nRam Available: 2\r\nIP Address: 192.168.1.5\r\n");
    facts.osName.clear();
    EXPECT_EQ(SystemInformationText(facts).find("OS :"), std::string::npos);
}

}  // namespace
}  // namespace tw
