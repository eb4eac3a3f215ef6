#pragma once
// The command line's side of the UI port: it never waits for a person. Every
// question gets a fixed answer: messages take their default button (and are
// shown on standard error), the too-many-files warning is answered OK, a bug
// report is shown and answered Abort, and pickers choose nothing. An
// interrupt (Ctrl+C) asks the scan to cancel at its next yield.

#include "base/ui_port.h"

#include <functional>
#include <ostream>

namespace tw::cli {

class CliUiPort : public UiPort {
public:
    explicit CliUiPort(std::ostream& errors) : errors_(errors) {}

    // Runs at the next yield after an interrupt.
    std::function<void()> onInterrupt;
    // Called at every yield, for progress reports.
    std::function<void()> onYield;

    Answer showMessage(const Message& message) override;
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::string browseForFolder(const std::string&, const std::string&) override { return {}; }
    std::string showOpenDialog(const std::string&, const std::string&) override { return {}; }
    std::string showSaveDialog(const std::string&, const std::string&, const std::string&,
                               const std::string&) override {
        return {};
    }
    void showModal(DialogModel& dialog) override;
    void popupMenu(std::string_view) override {}
    OpenResult openDocument(const std::string&) override { return OpenResult::Failed; }
    void setClipboardText(const std::string&) override {}
    void playSound(const std::string&) override {}
    void processEvents() override;

    // Catches SIGINT for the life of the program.
    static void catchInterrupts();

private:
    std::ostream& errors_;
};

}  // namespace tw::cli
