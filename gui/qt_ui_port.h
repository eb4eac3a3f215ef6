#pragma once
// The UI port with real Qt dialogs. Every modal dialog it shows is centred on
// the work area of the screen its owner is on.

#include "base/ui_port.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QMenu;
class QWidget;

namespace tw::gui {

// Places a top-level widget in the middle of its screen's available area.
void centreOnWorkArea(QWidget& window);

// "description|pattern|description|pattern" (patterns separated by ";") as
// Qt name filters: "description (pattern pattern)".
QStringList nameFilters(const std::string& filter);

class QtUiPort : public UiPort {
public:
    // Makes the view of a dialog model; the view works on the model it is given.
    using DialogView = std::function<std::unique_ptr<QDialog>(DialogModel& model, QWidget* owner)>;

    QtUiPort();
    ~QtUiPort() override;

    // The window that owns the dialogs; none until the main window exists.
    void setOwner(QWidget* owner);
    QWidget* owner() const { return owner_; }

    // popupMenu(name) shows this menu.
    void registerMenu(const std::string& name, QMenu* menu);

    // showModal of a model whose dialogName() is `name` shows this view.
    void registerDialog(const std::string& name, DialogView view);

    template <typename View, typename Model>
    void registerDialog(const std::string& name) {
        registerDialog(name, [](DialogModel& model, QWidget* owner) -> std::unique_ptr<QDialog> {
            auto* typed = dynamic_cast<Model*>(&model);
            if (!typed) return nullptr;
            return std::make_unique<View>(*typed, owner);
        });
    }

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

private:
    QPointer<QWidget> owner_;
    std::map<std::string, QPointer<QMenu>, std::less<>> menus_;
    std::map<std::string, DialogView, std::less<>> dialogs_;
};

}  // namespace tw::gui
