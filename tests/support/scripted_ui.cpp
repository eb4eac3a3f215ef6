#include "support/scripted_ui.h"

namespace tw::test {

namespace {

template <typename T>
T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

Answer ScriptedUi::showMessage(const Message& message) {
    messages.push_back(message);
    return takeFront(answers, DefaultAnswer(message));
}

std::optional<std::string> ScriptedUi::inputBox(const std::string&, const std::string&, const std::string&) {
    return takeFront(inputs, std::optional<std::string>{});
}

std::string ScriptedUi::browseForFolder(const std::string&, const std::string&) {
    return takeFront(pickedPaths, std::string{});
}

std::string ScriptedUi::showOpenDialog(const std::string&, const std::string&) {
    return takeFront(pickedPaths, std::string{});
}

std::string ScriptedUi::showSaveDialog(const std::string&, const std::string&, const std::string&,
                                       const std::string&) {
    return takeFront(pickedPaths, std::string{});
}

void ScriptedUi::showModal(DialogModel& dialog) {
    modalDialogs.emplace_back(dialog.dialogName());
    if (onModal) onModal(dialog);
}

void ScriptedUi::popupMenu(std::string_view menuName) { popups.emplace_back(menuName); }

OpenResult ScriptedUi::openDocument(const std::string& target) {
    opened.push_back(target);
    return openResult;
}

void ScriptedUi::setClipboardText(const std::string& text) { clipboard = text; }

void ScriptedUi::playSound(const std::string& path) { sounds.push_back(path); }

void ScriptedUi::processEvents() {
    ++yields;
    if (onYield) onYield();
}

}  // namespace tw::test
