// The Qt side of the UI port and the small dialogs it shows: what each
// dialog displays, what the user's answer comes back as, and where it sits.

#include "app/frm_tip.h"
#include "base/app_error.h"
#include "base/procedure.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/qt_ui_port.h"
#include "gui/tip_dialog.h"
#include "gui_test_support.h"
#include "platform/user_dirs.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <deque>
#include <memory>

using namespace tw;
using namespace tw::gui;
using tw::gui::test::whenModalShown;
using tw::gui::test::whenPopupShown;

Q_DECLARE_METATYPE(tw::Answer)

namespace {

bool centredOnScreen(const QWidget* window) {
    const QRect area = window->screen()->availableGeometry();
    const QPoint offset = window->frameGeometry().center() - area.center();
    return qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1;
}

template <typename T>
T* childOf(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no control named %s", name);
    return found;
}

class FakeModel : public DialogModel {
public:
    explicit FakeModel(std::string_view name) : name_(name) {}
    std::string_view dialogName() const override { return name_; }

private:
    std::string_view name_;
};

}  // namespace

class UiPortTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsWhatItIsAsked_data();
    void messageBoxShowsWhatItIsAsked();
    void inputBoxGivesTheTextOrNothing_data();
    void inputBoxGivesTheTextOrNothing();
    void fileDialogsGiveTheChosenPath();
    void nameFiltersFromPipeText_data();
    void nameFiltersFromPipeText();
    void showModalPicksTheRegisteredView();
    void tipDialogSavesTheStartupChoiceAtOnce_data();
    void tipDialogSavesTheStartupChoiceAtOnce();
    void popupMenuShowsTheWindowsMenu();
    void bugReportRetriesThenAbandons();
    void openDocumentReportsTheLaunchersAnswer_data();
    void openDocumentReportsTheLaunchersAnswer();
};

void UiPortTest::messageBoxShowsWhatItIsAsked_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("press");  // a standard button, or 0 for Esc
    QTest::addColumn<tw::Answer>("answer");
    QTest::addColumn<int>("shownButtons");
    QTest::addColumn<int>("shownDefault");
    QTest::addColumn<int>("shownIcon");
    using B = QMessageBox;
    QTest::newRow("Ok") << int(Buttons::Ok) << 1 << int(Icon::None) << int(B::Ok) << Answer::Ok << int(B::Ok)
                        << int(B::Ok) << int(B::NoIcon);
    QTest::newRow("Yes over default No") << int(Buttons::YesNo) << 2 << int(Icon::Critical) << int(B::Yes)
                                         << Answer::Yes << int(B::Yes | B::No) << int(B::No) << int(B::Critical);
    QTest::newRow("Esc answers No") << int(Buttons::YesNo) << 1 << int(Icon::Question) << 0 << Answer::No
                                    << int(B::Yes | B::No) << int(B::Yes) << int(B::Question);
    QTest::newRow("Esc answers Cancel") << int(Buttons::YesNoCancel) << 3 << int(Icon::Exclamation) << 0
                                        << Answer::Cancel << int(B::Yes | B::No | B::Cancel) << int(B::Cancel)
                                        << int(B::Warning);
    QTest::newRow("Retry") << int(Buttons::RetryCancel) << 1 << int(Icon::Information) << int(B::Retry)
                           << Answer::Retry << int(B::Retry | B::Cancel) << int(B::Retry) << int(B::Information);
    QTest::newRow("Ignore") << int(Buttons::AbortRetryIgnore) << 2 << int(Icon::None) << int(B::Ignore)
                            << Answer::Ignore << int(B::Abort | B::Retry | B::Ignore) << int(B::Retry)
                            << int(B::NoIcon);
    QTest::newRow("default past the last") << int(Buttons::OkCancel) << 7 << int(Icon::None) << int(B::Ok)
                                           << Answer::Ok << int(B::Ok | B::Cancel) << int(B::Cancel) << int(B::NoIcon);
}

void UiPortTest::messageBoxShowsWhatItIsAsked() {
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(int, icon);
    QFETCH(int, press);
    QFETCH(tw::Answer, answer);
    QFETCH(int, shownButtons);
    QFETCH(int, shownDefault);
    QFETCH(int, shownIcon);

    QtUiPort port;
    struct Seen {
        QString title, text;
        int buttons = 0, defaultButton = 0, icon = -1;
        bool centred = false;
    } seen;
    whenModalShown([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        seen = {box->windowTitle(), box->text(), int(box->standardButtons()),
                box->defaultButton() ? int(box->standardButton(box->defaultButton())) : 0, int(box->icon()),
                centredOnScreen(box)};
        if (press) box->button(QMessageBox::StandardButton(press))->click();
        else QTest::keyClick(box, Qt::Key_Escape);
    });
    Message message{"First line\r\nSecond line", "Confirm", Buttons(buttons), Icon(icon), defaultButton};
    QCOMPARE(port.showMessage(message), answer);
    QCOMPARE(seen.title, QString("Confirm"));
    QCOMPARE(seen.text, QString("First line\nSecond line"));
    QCOMPARE(seen.buttons, shownButtons);
    QCOMPARE(seen.defaultButton, shownDefault);
    QCOMPARE(seen.icon, shownIcon);
    QVERIFY(seen.centred);
}

void UiPortTest::inputBoxGivesTheTextOrNothing_data() {
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");  // null: left as proposed
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("hasResult");
    QTest::newRow("typed") << true << QString("photos (old).jpg") << QString("photos (old).jpg") << true;
    QTest::newRow("proposed") << true << QString() << QString("holiday.jpg") << true;
    QTest::newRow("emptied") << true << QString("") << QString("") << true;
    QTest::newRow("cancelled") << false << QString("ignored") << QString() << false;
}

void UiPortTest::inputBoxGivesTheTextOrNothing() {
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(bool, hasResult);
    QtUiPort port;
    QString label, proposed;
    whenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        QVERIFY(dialog);
        label = dialog->labelText();
        proposed = dialog->textValue();
        QVERIFY(centredOnScreen(dialog));
        if (!typed.isNull()) dialog->setTextValue(typed);
        accept ? dialog->accept() : dialog->reject();
    });
    std::optional<std::string> answer = port.inputBox("New name:", "Rename", "holiday.jpg");
    QCOMPARE(label, QString("New name:"));
    QCOMPARE(proposed, QString("holiday.jpg"));
    QCOMPARE(answer.has_value(), hasResult);
    if (hasResult) QCOMPARE(qs(*answer), result);
}

void UiPortTest::fileDialogsGiveTheChosenPath() {
    QTemporaryDir dir;
    QtUiPort port;

    whenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
        QCOMPARE(dialog->windowTitle(), QString("Search folder"));
        static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(qs(port.browseForFolder("Search folder", str(dir.path()))), dir.path());

    whenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), (QStringList{"Twinsweep Session (*.twf)", "All files (*.*)"}));
        QCOMPARE(dialog->directory().absolutePath(), dir.path());
        QVERIFY(centredOnScreen(dialog));
        auto* name = childOf<QLineEdit>(dialog, "fileNameEdit");
        QCOMPARE(name->text(), QString("Default.twf"));
        name->setText("my search");  // typed without an extension
        static_cast<QDialog*>(dialog)->accept();
    });
    std::string saved = port.showSaveDialog("Twinsweep Session (*.twf)|*.twf|All files|*.*", "Save Session",
                                            str(dir.path()), "Default.twf");
    QCOMPARE(qs(saved), dir.filePath("my search.twf"));

    QFile existing(dir.filePath("found.twf"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    whenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        childOf<QLineEdit>(dialog, "fileNameEdit")->setText(existing.fileName());
        static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(qs(port.showOpenDialog("Twinsweep Session|*.twf", "Load Session")), existing.fileName());

    whenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QCOMPARE(port.showOpenDialog("Twinsweep Session|*.twf", "Load Session"), std::string());
}

void UiPortTest::nameFiltersFromPipeText_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("description with its pattern") << "Twinsweep Session (*.twf)|*.twf"
                                                   << QStringList{"Twinsweep Session (*.twf)"};
    QTest::newRow("plain description") << "XML Files|*.xml" << QStringList{"XML Files (*.xml)"};
    QTest::newRow("several patterns") << "Text (*.txt;*.csv)|*.txt;*.csv|All files (*.*)|*.*"
                                      << QStringList{"Text (*.txt *.csv)", "All files (*.*)"};
    QTest::newRow("no description") << "|*.htm" << QStringList{"*.htm"};
    QTest::newRow("pattern missing") << "Pictures|" << QStringList{};
    QTest::newRow("dangling description") << "Web page|*.html|Other" << QStringList{"Web page (*.html)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void UiPortTest::nameFiltersFromPipeText() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(nameFilters(str(filter)), expected);
}

void UiPortTest::showModalPicksTheRegisteredView() {
    QTemporaryDir dir;
    SettingsStore settings(str(dir.filePath("settings.ini")));
    QtUiPort port;

    frmTip tip(settings, [] { return 0.0; });
    QString shown, tipText;
    bool centred = false;
    whenModalShown([&](QWidget* modal) {
        shown = modal->objectName();
        centred = centredOnScreen(modal);
        tipText = childOf<QLabel>(modal, "lblTipText")->text();
        childOf<QPushButton>(modal, "cmdOK")->click();
    });
    port.showModal(tip);
    QCOMPARE(shown, QString("frmTip"));
    QCOMPARE(tipText, qs(tip.tips().front()));
    QVERIFY(centred);

    frmAbout about;
    QString title, version;
    whenModalShown([&](QWidget* modal) {
        shown = modal->objectName();
        title = modal->windowTitle();
        version = childOf<QLabel>(modal, "lblVersion")->text();
        centred = centredOnScreen(modal);
        childOf<QPushButton>(modal, "cmdOK")->click();
    });
    port.showModal(about);
    QCOMPARE(shown, QString("frmAbout"));
    QCOMPARE(title, QString("About Twinsweep"));
    QCOMPARE(version, QString("Version 3.4"));
    QVERIFY(centred);

    // A later dialog joins with one registration.
    port.registerDialog("frmFake", [](DialogModel&, QWidget* owner) {
        auto dialog = std::make_unique<QDialog>(owner);
        dialog->setObjectName("fake");
        dialog->resize(200, 100);
        return dialog;
    });
    FakeModel fake("frmFake");
    whenModalShown([&](QWidget* modal) {
        shown = modal->objectName();
        centred = centredOnScreen(modal);
        qobject_cast<QDialog*>(modal)->accept();
    });
    port.showModal(fake);
    QCOMPARE(shown, QString("fake"));
    QVERIFY(centred);

    FakeModel unknown("frmNowhere");
    QTest::ignoreMessage(QtWarningMsg, "No window is registered for the dialog frmNowhere");
    port.showModal(unknown);
    QVERIFY(!QApplication::activeModalWidget());
}

void UiPortTest::tipDialogSavesTheStartupChoiceAtOnce_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("never chosen") << QString() << true;
    QTest::newRow("on") << QString("1") << true;
    QTest::newRow("off") << QString("0") << false;
}

void UiPortTest::tipDialogSavesTheStartupChoiceAtOnce() {
    QFETCH(QString, stored);
    QFETCH(bool, ticked);
    QTemporaryDir dir;
    SettingsStore settings(str(dir.filePath("settings.ini")));
    if (!stored.isNull()) settings.SaveSetting(settings::ShowTipsAtStartup, str(stored));
    std::deque<double> draws = {0.0, 0.999};
    frmTip model(settings, [&draws] {
        double r = draws.front();
        draws.pop_front();
        return r;
    });
    TipDialog dialog(model);
    QCOMPARE(dialog.windowTitle(), QString("Tip of the Day"));
    auto* box = childOf<QCheckBox>(&dialog, "chkLoadTipsAtStartup");
    auto* next = childOf<QPushButton>(&dialog, "cmdNextTip");
    auto* text = childOf<QLabel>(&dialog, "lblTipText");
    QCOMPARE(box->text(), QString("&Show Tips at Startup"));
    QCOMPARE(next->text(), QString("&Next Tip"));
    QCOMPARE(box->isChecked(), ticked);
    QCOMPARE(text->text(), qs(model.tips().front()));

    next->click();
    QCOMPARE(text->text(), qs(model.tips().back()));

    box->click();
    QCOMPARE(qs(settings.GetSetting(settings::ShowTipsAtStartup)), QString(ticked ? "0" : "1"));
    box->click();
    QCOMPARE(qs(settings.GetSetting(settings::ShowTipsAtStartup)), QString(ticked ? "1" : "0"));
}

void UiPortTest::popupMenuShowsTheWindowsMenu() {
    QTemporaryDir dir;
    SettingsStore settings(str(dir.filePath("settings.ini")));
    QtUiPort port;
    MainFrm model(settings, port, AppFolders{platform::resourceFolder(), str(dir.filePath("data"))}, "");
    MainWindow window(model, &port);
    QCOMPARE(port.owner(), &window);

    QString popped;
    whenPopupShown([&](QWidget* popup) {
        popped = popup->objectName();
        popup->close();
    });
    port.popupMenu("MMark");
    QCOMPARE(popped, QString("MMark"));

    port.popupMenu("NoSuchMenu");  // returns at once
    QVERIFY(!QApplication::activePopupWidget());
}

void UiPortTest::openDocumentReportsTheLaunchersAnswer_data() {
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("result");
    QTest::newRow("opened") << 0 << int(OpenResult::Opened);
    QTest::newRow("no method") << 3 << int(OpenResult::NoAssociation);
    QTest::newRow("no handler") << 4 << int(OpenResult::NoAssociation);
    QTest::newRow("broken") << 1 << int(OpenResult::Failed);
}

void UiPortTest::openDocumentReportsTheLaunchersAnswer() {
    QFETCH(int, exitCode);
    QFETCH(int, result);
    QTemporaryDir bin;
    QFile launcher(bin.filePath("xdg-open"));
    QVERIFY(launcher.open(QIODevice::WriteOnly));
    launcher.write(QString("#!/bin/sh\nexit %1\n").arg(exitCode).toUtf8());
    launcher.close();
    launcher.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ":" + path);
    QtUiPort port;
    OpenResult answer = port.openDocument("/tmp/no such file.txt");
    qputenv("PATH", path);
    QCOMPARE(int(answer), result);
}

void UiPortTest::bugReportRetriesThenAbandons() {
    QtUiPort port;
    ErrorReporter reporter(port, {});
    Procedure proc(reporter, "Loading");
    QStringList facts;
    QString title;
    std::function<void(QWidget*)> answer = [&](QWidget* modal) {
        title = modal->windowTitle();
        facts << childOf<QPlainTextEdit>(modal, "Text1")->toPlainText();
        bool again = facts.size() == 1;
        if (again) whenModalShown(answer);
        childOf<QPushButton>(modal, again ? "cmdRetry" : "cmdAbort")->click();
    };
    whenModalShown(answer);
    int attempts = 0;
    proc.run(8, [&] {
        ++attempts;
        throw AppError(err::PathNotFound);
    });
    bool later = false;
    proc.run(9, [&] { later = true; });
    QCOMPARE(title, QString("Bug Report"));
    QCOMPARE(attempts, 2);
    QVERIFY(!later);
    QCOMPARE(facts.size(), 2);
    QCOMPARE(facts[1], QString("Error       : 76\nDescription : Path not found\nProcedure   : Loading\n"
                               "Error Line  : 8\n"));
}

TWINSWEEP_GUI_TEST_MAIN(UiPortTest)
#include "ui_port_test.moc"
