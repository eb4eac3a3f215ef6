#pragma once
// The one interface through which the core talks to the user. The window
// implements it with Qt dialogs, the command-line tool answers without asking,
// and tests script the answers and record every message.

#include <optional>
#include <string>
#include <string_view>

namespace tw {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct Message {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 1;  // 1-based position among the buttons
};

// The answer of a message's default button: what pressing Enter gives.
inline Answer DefaultAnswer(const Message& message) {
    bool second = message.defaultButton == 2;
    bool third = message.defaultButton == 3;
    switch (message.buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return second ? Answer::Cancel : Answer::Ok;
    case Buttons::YesNo: return second ? Answer::No : Answer::Yes;
    case Buttons::YesNoCancel: return third ? Answer::Cancel : second ? Answer::No : Answer::Yes;
    case Buttons::RetryCancel: return second ? Answer::Cancel : Answer::Retry;
    case Buttons::AbortRetryIgnore: return third ? Answer::Ignore : second ? Answer::Retry : Answer::Abort;
    }
    return Answer::Ok;
}

// The model of a modal dialog. Each front end maps dialogName() to its view.
class DialogModel {
public:
    virtual ~DialogModel() = default;
    virtual std::string_view dialogName() const = 0;
};

enum class OpenResult { Opened, NoAssociation, Failed };

class UiPort {
public:
    virtual ~UiPort() = default;

    virtual Answer showMessage(const Message& message) = 0;
    // Empty optional when the user cancels.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
    // Each returns the chosen path, or empty text when cancelled.
    virtual std::string browseForFolder(const std::string& title, const std::string& startFolder) = 0;
    virtual std::string showOpenDialog(const std::string& filter, const std::string& title) = 0;
    virtual std::string showSaveDialog(const std::string& filter, const std::string& title,
                                       const std::string& initialFolder, const std::string& proposedName) = 0;

    virtual void showModal(DialogModel& dialog) = 0;
    // Shows a submenu of the command table (by its name) as a pop-up at the pointer.
    virtual void popupMenu(std::string_view menuName) = 0;

    // Opens a file, folder or web address with the desktop's default program.
    virtual OpenResult openDocument(const std::string& target) = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    // Best effort: failures are ignored.
    virtual void playSound(const std::string& path) = 0;

    // Lets pending user events run; the yield points that make Cancel work.
    virtual void processEvents() = 0;
};

}  // namespace tw
