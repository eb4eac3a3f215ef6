#include "base/bug_frm.h"

#include "base/html_text.h"
#include "platform/file_system.h"

#include <array>
#include <utility>

namespace tw {

namespace {

constexpr std::string_view Version = "3.4";

}  // namespace

std::string BuildProblemReport(const std::string& templateText, const FailureRecord& failure,
                               const SearchSnapshot& search, const std::string& systemInformation,
                               const std::string& dateTime) {
    // Listed in the order the placeholders are tried at each position.
    const std::array<std::pair<std::string_view, std::string>, 10> values = {{
        {"vdatetime", dateTime},
        {"vsysteminfo", systemInformation},
        {"verrno", std::to_string(failure.number)},
        {"verrdesc", failure.description},
        {"vprocedure", failure.procedure},
        {"verrline", std::to_string(failure.line)},
        {"vversion", std::string(Version)},
        {"vse", search.engineText},
        {"vpara", search.foldersText},
        {"vstage", search.statusText},
    }};
    std::string out;
    out.reserve(templateText.size() + 1024);
    std::string_view rest = templateText;
    while (!rest.empty()) {
        bool replaced = false;
        for (const auto& [placeholder, value] : values) {
            if (rest.starts_with(placeholder)) {
                out += HtmlEscape(value);
                rest.remove_prefix(placeholder.size());
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += rest.front();
            rest.remove_prefix(1);
        }
    }
    return out;
}

BugFrm::BugFrm(UiPort& ui, const ProblemReportSetup& setup, FailureRecord failure)
    : ui_(ui), setup_(setup), failure_(std::move(failure)) {}

std::string BugFrm::lblmsg1() const { return "Please tell us about this problem."; }

std::string BugFrm::lblmsg2() const {
    return "We are very sorry for the inconvenience and we would like to provide a fix for this error. You may "
           "help us a great deal by reporting this error via email. please fill the text box below and press the "
           "Send Error Report button. Thanks for your time.";
}

std::string BugFrm::Text1() const {
    return "Error       : " + lblErrNo() + "\r\n" + "Description : " + failure_.description + "\r\n" +
           "Procedure   : " + failure_.procedure + "\r\n" + "Error Line  : " + lblErrLine() + "\r\n";
}

void BugFrm::finish(int16_t code) {
    ReturnCode = code;
    finished_ = true;
}

void BugFrm::cmdSendReport_Click() {
    auto templateText = platform::readWholeFile(setup_.templatePath);
    if (!templateText) {
        ui_.showMessage({"The report template \"" + setup_.templatePath + "\" could not be read.", caption(),
                         Buttons::Ok, Icon::Exclamation});
        return;
    }
    SearchSnapshot search = setup_.snapshot ? setup_.snapshot() : SearchSnapshot{};
    std::string report = BuildProblemReport(*templateText, failure_, search,
                                            setup_.systemInformation ? setup_.systemInformation() : std::string{},
                                            setup_.now ? setup_.now() : std::string{});
    if (!platform::writeFileAtomically(setup_.reportPath, report + "\r\n")) {
        ui_.showMessage({"The problem report could not be written to \"" + setup_.reportPath + "\".", caption(),
                         Buttons::Ok, Icon::Exclamation});
        return;
    }
    ui_.openDocument(setup_.reportPath);
}

bool ErrorReporter::report(const FailureRecord& failure) {
    BugFrm dialog(ui_, setup_, failure);
    ui_.showModal(dialog);
    return dialog.ReturnCode == BugFrm::Retry;
}

}  // namespace tw
