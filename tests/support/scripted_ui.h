#pragma once
// A UI port for tests: answers come from a script, everything shown is recorded.

#include "base/ui_port.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tw::test {

class ScriptedUi : public UiPort {
public:
    // Answers for the coming message boxes, in order. With none left a message
    // gets the answer of its default button.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::string> pickedPaths;
    // Runs when a modal dialog is shown; the dialog's model is passed in.
    std::function<void(DialogModel&)> onModal;
    OpenResult openResult = OpenResult::Opened;

    std::vector<Message> messages;
    std::vector<std::string> modalDialogs;
    std::vector<std::string> popups;
    std::vector<std::string> opened;
    std::vector<std::string> sounds;
    std::string clipboard;
    int yields = 0;
    std::function<void()> onYield;

    Answer showMessage(const Message& message) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::string browseForFolder(const std::string& title, const std::string& startFolder) override;
    std::string showOpenDialog(const std::string& filter, const std::string& title) override;
    std::string showSaveDialog(const std::string& filter, const std::string& title, const std::string& initialFolder,
                               const std::string& proposedName) override;
    void showModal(DialogModel& dialog) override;
    void popupMenu(std::string_view menuName) override;
    OpenResult openDocument(const std::string& target) override;
    void setClipboardText(const std::string& text) override;
    void playSound(const std::string& path) override;
    void processEvents() override;
};

}  // namespace tw::test
