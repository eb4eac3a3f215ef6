#include "gui/qt_ui_port.h"

#include "app/frm_export.h"
#include "app/frm_tip.h"
#include "base/product.h"
#include "app/scan_dialogs.h"
#include "base/bug_frm.h"
#include "base/general.h"
#include "gui/about_dialog.h"
#include "gui/bug_dialog.h"
#include "gui/folder_dialog.h"
#include "gui/exclude_dialog.h"
#include "gui/export_dialog.h"
#include "gui/qt_text.h"
#include "gui/scan_dialogs.h"
#include "gui/tip_dialog.h"
#include "platform/desktop.h"
#include "setup/folder_frm.h"
#include "setup/exclude_frm.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QShowEvent>
#include <QStandardPaths>

#include <algorithm>
#include <vector>

namespace tw::gui {

namespace {

// A Qt dialog that centres itself once it knows its final size: message boxes
// settle their size only while they are being shown.
template <typename Base>
class Centred : public Base {
public:
    using Base::Base;

protected:
    void showEvent(QShowEvent* event) override {
        Base::showEvent(event);
        if (!event->spontaneous()) centreOnWorkArea(*this);
    }
};

// Centres any window when it is shown, once it has its platform window.
class CentreOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            centreOnWorkArea(*static_cast<QWidget*>(watched));
        return false;
    }
};

struct ButtonSet {
    std::vector<QMessageBox::StandardButton> buttons;  // in the order the default button counts them
    QMessageBox::StandardButton escape;
};

ButtonSet buttonsFor(Buttons buttons) {
    using B = QMessageBox;
    switch (buttons) {
    case Buttons::Ok: return {{B::Ok}, B::Ok};
    case Buttons::OkCancel: return {{B::Ok, B::Cancel}, B::Cancel};
    case Buttons::YesNo: return {{B::Yes, B::No}, B::No};
    case Buttons::YesNoCancel: return {{B::Yes, B::No, B::Cancel}, B::Cancel};
    case Buttons::RetryCancel: return {{B::Retry, B::Cancel}, B::Cancel};
    case Buttons::AbortRetryIgnore: return {{B::Abort, B::Retry, B::Ignore}, B::Abort};
    }
    return {{B::Ok}, B::Ok};
}

Answer answerFor(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Abort: return Answer::Abort;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: return Answer::Ok;
    }
}

QMessageBox::Icon iconFor(Icon icon) {
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Messages break their lines with CR LF.
QString messageText(const std::string& text) {
    QString shown = qs(text);
    shown.replace("\r\n", "\n");
    shown.replace('\r', '\n');
    return shown;
}

QString dialogTitle(const std::string& title) { return qs(title.empty() ? ProductName : std::string_view(title)); }

// The extension a save dialog adds when the user types none: that of the
// filter's first pattern, when it is a plain "*.ext".
QString suffixOf(const QString& nameFilter) {
    qsizetype open = nameFilter.lastIndexOf('(');
    QString patterns = nameFilter.mid(open + 1).chopped(nameFilter.endsWith(')') ? 1 : 0);
    QString first = patterns.section(' ', 0, 0);
    if (!first.startsWith("*.")) return {};
    QString suffix = first.mid(2);
    if (suffix.isEmpty() || suffix.contains('*') || suffix.contains('?')) return {};
    return suffix;
}

QString chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace

void centreOnWorkArea(QWidget& window) {
    QScreen* screen = nullptr;
    if (QWidget* parent = window.parentWidget()) screen = parent->window()->screen();
    if (!screen) screen = window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    Rect place = CenterForm(Rect{area.x(), area.y(), area.width(), area.height()}, size.width(), size.height());
    window.move(place.left, place.top);
}

QStringList nameFilters(const std::string& filter) {
    const QStringList parts = qs(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty()) continue;
        // A description that already shows its patterns gets them again in
        // the blank-separated form Qt reads.
        if (description.endsWith(')')) {
            qsizetype open = description.lastIndexOf('(');
            if (open >= 0) description = description.left(open).trimmed();
        }
        QString joined = patterns.join(' ');
        filters << (description.isEmpty() ? joined : description + " (" + joined + ")");
    }
    return filters;
}

QtUiPort::QtUiPort() {
    registerDialog<TipDialog, frmTip>("frmTip");
    registerDialog<AboutDialog, frmAbout>("frmAbout");
    registerDialog<BugDialog, BugFrm>("BugFrm");
    registerDialog<FolderDialog, FolderFrm>("FolderFrm");
    registerDialog<TooManyFilesDialog, frmTooManyFiles>("frmTooManyFiles");
    registerDialog<FuzzyDialog, FuzzyFrm>("FuzzyFrm");
    registerDialog<ExcludeDialog, ExcludeFrm>("ExcludeFrm");
    registerDialog<ExportDialog, frmExport>("frmExport");
}

QtUiPort::~QtUiPort() = default;

void QtUiPort::setOwner(QWidget* owner) { owner_ = owner; }

void QtUiPort::registerMenu(const std::string& name, QMenu* menu) { menus_[name] = menu; }

void QtUiPort::registerDialog(const std::string& name, DialogView view) { dialogs_[name] = std::move(view); }

Answer QtUiPort::showMessage(const Message& message) {
    Centred<QMessageBox> box(owner_);
    box.setWindowTitle(dialogTitle(message.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(messageText(message.text));
    box.setIcon(iconFor(message.icon));
    const ButtonSet set = buttonsFor(message.buttons);
    for (QMessageBox::StandardButton button : set.buttons) box.addButton(button);
    size_t preferred = message.defaultButton >= 1 ? static_cast<size_t>(message.defaultButton) : 1;
    box.setDefaultButton(set.buttons.at(std::min(preferred, set.buttons.size()) - 1));
    box.setEscapeButton(set.escape);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return answerFor(clicked ? box.standardButton(clicked) : set.escape);
}

std::optional<std::string> QtUiPort::inputBox(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) {
    Centred<QInputDialog> dialog(owner_);
    dialog.setWindowTitle(dialogTitle(title));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(messageText(prompt));
    dialog.setTextValue(qs(defaultText));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return str(dialog.textValue());
}

std::string QtUiPort::browseForFolder(const std::string& title, const std::string& startFolder) {
    Centred<QFileDialog> dialog(owner_, dialogTitle(title), qs(startFolder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return str(chosenFile(dialog));
}

std::string QtUiPort::showOpenDialog(const std::string& filter, const std::string& title) {
    Centred<QFileDialog> dialog(owner_, dialogTitle(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters(filter));
    return str(chosenFile(dialog));
}

std::string QtUiPort::showSaveDialog(const std::string& filter, const std::string& title,
                                     const std::string& initialFolder, const std::string& proposedName) {
    Centred<QFileDialog> dialog(owner_, dialogTitle(title), qs(initialFolder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = nameFilters(filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.setDefaultSuffix(suffixOf(filters.first()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
    if (!proposedName.empty()) dialog.selectFile(qs(proposedName));
    return str(chosenFile(dialog));
}

void QtUiPort::showModal(DialogModel& dialog) {
    auto view = dialogs_.find(dialog.dialogName());
    if (view == dialogs_.end()) {
        qWarning("No window is registered for the dialog %s", std::string(dialog.dialogName()).c_str());
        return;
    }
    std::unique_ptr<QDialog> window = view->second(dialog, owner_);
    if (!window) return;
    window->installEventFilter(new CentreOnShow(window.get()));
    window->exec();
}

void QtUiPort::popupMenu(std::string_view menuName) {
    auto menu = menus_.find(menuName);
    if (menu == menus_.end() || !menu->second) return;
    menu->second->exec(QCursor::pos());
}

OpenResult QtUiPort::openDocument(const std::string& target) {
    switch (platform::openWithDesktop(target)) {
    case platform::LaunchResult::Started: return OpenResult::Opened;
    case platform::LaunchResult::NoAssociation: return OpenResult::NoAssociation;
    case platform::LaunchResult::Failed: return OpenResult::Failed;
    }
    return OpenResult::Failed;
}

void QtUiPort::setClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(qs(text)); }

void QtUiPort::playSound(const std::string& path) {
    if (path.empty() || !QFileInfo(qs(path)).isFile()) return;
    // No sound library is linked: hand the file to the first player the
    // desktop has, if any, and never wait for it.
    for (const char* player : {"pw-play", "paplay", "aplay"}) {
        QString program = QStandardPaths::findExecutable(player);
        if (program.isEmpty()) continue;
        QProcess process;
        process.setProgram(program);
        process.setArguments({qs(path)});
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.startDetached();
        return;
    }
}

void QtUiPort::processEvents() { QCoreApplication::processEvents(); }

}  // namespace tw::gui
