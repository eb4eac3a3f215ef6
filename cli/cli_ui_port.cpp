#include "cli/cli_ui_port.h"

#include "app/scan_dialogs.h"
#include "base/bug_frm.h"

#include <atomic>
#include <csignal>

namespace tw::cli {

namespace {

std::atomic<bool> interrupted{false};

void onSignal(int) { interrupted = true; }

}  // namespace

void CliUiPort::catchInterrupts() { std::signal(SIGINT, onSignal); }

Answer CliUiPort::showMessage(const Message& message) {
    // The only question asked after an interrupt is whether to cancel the scan.
    if (interrupted && message.buttons == Buttons::YesNo) return Answer::Yes;
    errors_ << "twinsweep-cli: " << message.text << "\n";
    return DefaultAnswer(message);
}

void CliUiPort::showModal(DialogModel& dialog) {
    if (auto* warning = dynamic_cast<frmTooManyFiles*>(&dialog)) {
        warning->cmdOK_Click();
    } else if (auto* bug = dynamic_cast<BugFrm*>(&dialog)) {
        errors_ << "twinsweep-cli: unexpected failure in " << bug->lblErrPro() << " at line " << bug->lblErrLine()
                << ": " << bug->lblErrDesc() << " (error " << bug->lblErrNo() << ")\n";
        bug->cmdAbort_Click();
    }
}

void CliUiPort::processEvents() {
    if (onYield) onYield();
    if (interrupted.exchange(false) && onInterrupt) {
        interrupted = true;  // keeps the cancel question answered Yes
        onInterrupt();
    }
}

}  // namespace tw::cli
