// The folder dialog: what it shows of its model, the folder picker of an add,
// and the checks on OK and on leaving a box, with real message boxes.

#include "base/bug_frm.h"
#include "base/settings_store.h"
#include "gui/folder_dialog.h"
#include "gui/qt_text.h"
#include "gui/qt_ui_port.h"
#include "gui_test_support.h"
#include "setup/file_masks.h"
#include "setup/folder_frm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

using namespace tw;
using namespace tw::gui;
using tw::gui::test::whenModalShown;

namespace {

// Real dialogs, but the folder picker answers at once.
class PickingPort : public QtUiPort {
public:
    std::string picked;
    std::string browseForFolder(const std::string&, const std::string&) override { return picked; }
};

template <typename T>
T* childOf(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no control named %s", name);
    return found;
}

// Replaces a box's text as typing would.
void typeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

struct Fixture {
    QTemporaryDir dir;
    SettingsStore settings{str(dir.filePath("settings.ini"))};
    PickingPort port;
    ErrorReporter reporter{port, {}};
    FolderPickerMemory picker;
    FolderFrm model{settings, port, reporter, picker};
};

}  // namespace

class FolderDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheModelsFields_data();
    void showsTheModelsFields();
    void addPicksAFolderAndOkChecksTheSizes();
    void leavingABoxRunsItsCheck();
};

void FolderDialogTest::showsTheModelsFields_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("subFolders");
    QTest::addColumn<bool>("check1");
    QTest::addColumn<bool>("filtersEnabled");
    QTest::newRow("search") << SearchFolderIcon << "No" << false << true;
    QTest::newRow("leave out") << LeaveOutFolderIcon << "No" << true << false;
}

void FolderDialogTest::showsTheModelsFields() {
    QFETCH(int, icon);
    QFETCH(QString, subFolders);
    QFETCH(bool, check1);
    QFETCH(bool, filtersEnabled);
    Fixture f;
    f.model.loadRow({str(f.dir.path()) + "/", str(subFolders), "*.raw", "3", "9", "01/02/2020", "", icon});

    bool seen = false;
    whenModalShown([&](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QString("Add/Exclude Folders"));
        QTRY_COMPARE(childOf<QCheckBox>(modal, "Check1")->isChecked(), check1);
        QCOMPARE(childOf<QLineEdit>(modal, "Text1")->text(), f.dir.path() + "/");
        QCOMPARE(childOf<QCheckBox>(modal, "Check2")->isChecked(), icon == LeaveOutFolderIcon);
        QCOMPARE(childOf<QCheckBox>(modal, "Check1")->isEnabled(), filtersEnabled);
        auto* masks = childOf<QComboBox>(modal, "cmbFileMask");
        QCOMPARE(masks->currentText(), QString("*.raw"));
        QCOMPARE(masks->count(), int(FileMaskPresets.size()));
        QCOMPARE(masks->isEnabled(), filtersEnabled);
        QCOMPARE(childOf<QLineEdit>(modal, "txtMin")->text(), QString("3"));
        QCOMPARE(childOf<QLineEdit>(modal, "txtMax")->text(), QString("9"));
        QCOMPARE(childOf<QLineEdit>(modal, "txtMax")->isEnabled(), filtersEnabled);
        QCOMPARE(childOf<QLineEdit>(modal, "txtMinDate")->text(), QString("01/02/2020"));
        QVERIFY(childOf<QPushButton>(modal, "cmdOK")->isEnabled());
        seen = true;
        childOf<QPushButton>(modal, "Command1")->click();
    });
    f.port.showModal(f.model);
    QVERIFY(seen);
    QVERIFY(f.model.finished());
    QVERIFY(!f.model.accepted());
}

void FolderDialogTest::addPicksAFolderAndOkChecksTheSizes() {
    Fixture f;
    f.port.picked = str(f.dir.path());
    QString refusal;
    bool stayedOpen = false;
    whenModalShown([&](QWidget* modal) {
        auto* folder = childOf<QLineEdit>(modal, "Text1");
        QTRY_COMPARE(folder->text(), f.dir.path() + "/");
        auto* ok = childOf<QPushButton>(modal, "cmdOK");
        QVERIFY(ok->isEnabled());
        auto* max = childOf<QLineEdit>(modal, "txtMax");
        QCOMPARE(childOf<QLineEdit>(modal, "txtMin")->text(), QString("10"));
        typeInto(max, "10");

        whenModalShown([&](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            QVERIFY(message);
            refusal = message->windowTitle() + ": " + message->text();
            message->button(QMessageBox::Ok)->click();
        });
        ok->click();
        stayedOpen = modal->isVisible();
        QCOMPARE(modal->focusWidget(), max);
        QCOMPARE(max->selectedText(), QString("10"));

        typeInto(max, "50");
        ok->click();
    });
    f.port.showModal(f.model);
    QCOMPARE(refusal, QString("Error: Maximum size must be greater then minimum size"));
    QVERIFY(stayedOpen);
    QVERIFY(f.model.accepted());
    QCOMPARE(qs(f.model.Folder), f.dir.path() + "/");
    const SearchFolderEntry row = f.model.resultRow();
    QCOMPARE(qs(row.maxSize), QString("50"));
    QCOMPARE(qs(row.subFolders), QString("Yes"));
    QCOMPARE(qs(f.settings.GetSetting(settings::MaxFileSize)), QString("50"));
}

void FolderDialogTest::leavingABoxRunsItsCheck() {
    Fixture f;
    f.model.loadRow({str(f.dir.path()) + "/", "Yes", "", "10", "", "", ""});
    QStringList listed;
    int refusals = 0;
    whenModalShown([&](QWidget* modal) {
        auto* masks = childOf<QComboBox>(modal, "cmbFileMask");
        QTRY_COMPARE(masks->currentText(), QString("All files(*.*)"));
        masks->setFocus();
        masks->lineEdit()->selectAll();
        QTest::keyClicks(masks, "*.heic");
        QTest::keyClick(masks, Qt::Key_Tab);
        QTRY_COMPARE(masks->itemText(0), QString("*.heic"));
        QCOMPARE(masks->currentText(), QString("*.heic"));
        for (int i = 0; i < masks->count(); ++i) listed << masks->itemText(i);

        auto* max = childOf<QLineEdit>(modal, "txtMax");
        typeInto(max, "4");
        whenModalShown([&](QWidget* box) {
            ++refusals;
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
        QTest::keyClick(max, Qt::Key_Tab);
        QTRY_COMPARE(refusals, 1);
        QTRY_COMPARE(modal->focusWidget(), max);
        QCOMPARE(max->selectedText(), QString("4"));
        childOf<QPushButton>(modal, "Command1")->click();
    });
    f.port.showModal(f.model);
    QCOMPARE(listed.size(), int(FileMaskPresets.size()) + 1);
    auto stored = f.settings.EnumerateSection(settings::FileMaskSection);
    QCOMPARE(int(stored.size()), listed.size());
    QCOMPARE(qs(stored.front().second), QString("*.heic"));
    QCOMPARE(refusals, 1);
}

TWINSWEEP_GUI_TEST_MAIN(FolderDialogTest)
#include "folder_dialog_test.moc"
