#pragma once
// The bug report: the dialog that shows an unexpected failure and lets the
// user retry the failing statement, abandon the procedure, or write a problem
// report page that describes the failure, the machine and the current search.

#include "base/ui_port.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tw {

struct FailureRecord {
    int32_t number = 0;
    std::string description;
    std::string procedure;
    int line = 0;
};

// What the problem report says about the search in progress.
struct SearchSnapshot {
    std::string engineText;
    std::string foldersText;
    std::string statusText;
};

struct ProblemReportSetup {
    std::string templatePath;  // "bug.dmp" among the program's files
    std::string reportPath;    // "report.htm" in the user's data folder
    std::function<SearchSnapshot()> snapshot;
    std::function<std::string()> systemInformation;
    std::function<std::string()> now;  // the current date and time as text
};

// Fills the template: every occurrence of each placeholder is replaced by its
// value, HTML-escaped. The template is scanned once, so a value that happens
// to contain a placeholder's name is never replaced again.
std::string BuildProblemReport(const std::string& templateText, const FailureRecord& failure,
                               const SearchSnapshot& search, const std::string& systemInformation,
                               const std::string& dateTime);

class BugFrm : public DialogModel {
public:
    static constexpr int16_t Retry = 1;
    static constexpr int16_t Abort = 2;

    BugFrm(UiPort& ui, const ProblemReportSetup& setup, FailureRecord failure);
    std::string_view dialogName() const override { return "BugFrm"; }

    std::string caption() const { return "Bug Report"; }
    std::string lblmsg1() const;
    std::string lblmsg2() const;
    std::string lblErrNo() const { return std::to_string(failure_.number); }
    const std::string& lblErrDesc() const { return failure_.description; }
    const std::string& lblErrPro() const { return failure_.procedure; }
    std::string lblErrLine() const { return std::to_string(failure_.line); }
    // The four facts as shown in the text box, each line ended by CR LF.
    std::string Text1() const;

    void cmdRetry_Click() { finish(Retry); }
    void cmdAbort_Click() { finish(Abort); }
    // Writes the problem report and opens it; the dialog stays open.
    void cmdSendReport_Click();

    // 1 Retry, 2 Abort, 0 when the dialog was closed without either.
    int16_t ReturnCode = 0;
    // Set when the view should hide the dialog.
    bool finished() const { return finished_; }

private:
    void finish(int16_t code);

    UiPort& ui_;
    const ProblemReportSetup& setup_;
    FailureRecord failure_;
    bool finished_ = false;
};

// Shows failures through the UI port.
class ErrorReporter {
public:
    ErrorReporter(UiPort& ui, ProblemReportSetup setup) : ui_(ui), setup_(std::move(setup)) {}
    // True when the user asks to retry.
    bool report(const FailureRecord& failure);

private:
    UiPort& ui_;
    ProblemReportSetup setup_;
};

}  // namespace tw
