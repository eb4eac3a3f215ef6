// The exclusion list dialog: what it shows, what the user's actions change,
// and that only OK writes the file.

#include "gui/exclude_dialog.h"
#include "gui/qt_text.h"
#include "gui/qt_ui_port.h"
#include "gui_test_support.h"
#include "platform/file_system.h"
#include "setup/exclude_frm.h"
#include "support/scripted_ui.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace tw;
using namespace tw::gui;
using tw::gui::test::whenModalShown;

namespace {

const std::string SampleFile = "<<Folder List Start Here>>\r\n/home/u/cache/,True\r\n/mnt/old,files/,False\r\n"
                               "<<Extension List Start Here>>\r\n*.tmp,False\r\n";

template <typename T>
T* childOf(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no control named %s", name);
    return found;
}

// Each row of a list as its text and a "+" or "-" for the tick.
QStringList rows(QWidget* dialog, const char* list) {
    QStringList shown;
    auto* widget = childOf<QListWidget>(dialog, list);
    for (int i = 0; i < widget->count(); ++i)
        shown << (widget->item(i)->checkState() == Qt::Checked ? "+" : "-") + widget->item(i)->text();
    return shown;
}

std::string fileText(const std::string& path) { return platform::readWholeFile(path).value_or("<missing>"); }

}  // namespace

class ExcludeDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheEntriesWithTheirTicks();
    void editsAreWrittenByOk();
    void extensionBoxTakesExtensionKeysAndEnterAdds();
    void closingWithoutOkWritesNothing();

private:
    QTemporaryDir dir_;
    std::string path() const { return str(dir_.filePath("exclusion.lst")); }
    void writeSample() const { QVERIFY(platform::writeFileAtomically(path(), SampleFile)); }
};

void ExcludeDialogTest::showsTheEntriesWithTheirTicks() {
    writeSample();
    tw::test::ScriptedUi ui;
    ExcludeFrm model(ui, path());
    ExcludeDialog dialog(model);
    QCOMPARE(dialog.windowTitle(), QString("Exclusion List"));
    QCOMPARE(rows(&dialog, "lstExFolders"), (QStringList{"+/home/u/cache/", "-/mnt/old,files/"}));
    QCOMPARE(rows(&dialog, "lstExExtension"), QStringList{"-*.tmp"});
    QVERIFY(childOf<QPushButton>(&dialog, "cmdRemoveExFolder")->isEnabled());

    ExcludeFrm empty(ui, str(dir_.filePath("missing.lst")));
    ExcludeDialog emptyDialog(empty);
    QVERIFY(rows(&emptyDialog, "lstExFolders").isEmpty());
    QVERIFY(!childOf<QPushButton>(&emptyDialog, "cmdRemoveExFolder")->isEnabled());
    QVERIFY(!childOf<QPushButton>(&emptyDialog, "cmdRemoveExExtension")->isEnabled());
}

void ExcludeDialogTest::editsAreWrittenByOk() {
    writeSample();
    tw::test::ScriptedUi ui;
    ui.pickedPaths = {"/srv/backup"};
    ExcludeFrm model(ui, path());
    ExcludeDialog dialog(model);
    dialog.show();

    childOf<QPushButton>(&dialog, "cmdAddExFolder")->click();
    childOf<QListWidget>(&dialog, "lstExFolders")->item(0)->setCheckState(Qt::Unchecked);
    auto* extensions = childOf<QListWidget>(&dialog, "lstExExtension");
    extensions->setCurrentRow(0);
    childOf<QPushButton>(&dialog, "cmdRemoveExExtension")->click();
    QCOMPARE(rows(&dialog, "lstExFolders"), (QStringList{"-/home/u/cache/", "-/mnt/old,files/", "+/srv/backup/"}));
    QVERIFY(!childOf<QPushButton>(&dialog, "cmdRemoveExExtension")->isEnabled());
    QCOMPARE(fileText(path()), SampleFile);

    childOf<QPushButton>(&dialog, "cmdOK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(qs(fileText(path())), qs("<<Folder List Start Here>>\r\n/home/u/cache/,False\r\n/mnt/old,files/,False\r\n"
                                      "/srv/backup/,True\r\n<<Extension List Start Here>>\r\n"));
}

void ExcludeDialogTest::extensionBoxTakesExtensionKeysAndEnterAdds() {
    tw::test::ScriptedUi ui;
    ExcludeFrm model(ui, str(dir_.filePath("typed.lst")));
    ExcludeDialog dialog(model);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* box = childOf<QLineEdit>(&dialog, "txtAddExtension");
    box->setFocus();
    QTest::keyClicks(box, "t-m p_");
    box->insert("x;y");
    QCOMPARE(box->text(), QString("tmp"));

    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(rows(&dialog, "lstExExtension"), QStringList{"+*.tmp"});
    QCOMPARE(box->text(), QString());
    QVERIFY2(dialog.isVisible(), "Enter in the box is not OK");
    QVERIFY(childOf<QPushButton>(&dialog, "cmdRemoveExExtension")->isEnabled());

    QTest::keyClicks(box, "TMP");
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(rows(&dialog, "lstExExtension"), QStringList{"+*.tmp"});
    QCOMPARE(box->text(), QString("TMP"));
    QVERIFY(!platform::isRegularFile(model.filePath()));
}

void ExcludeDialogTest::closingWithoutOkWritesNothing() {
    writeSample();
    QtUiPort port;
    ExcludeFrmInstance exclude(port, path());
    QString shown;
    whenModalShown([&](QWidget* modal) {
        shown = modal->objectName();
        childOf<QListWidget>(modal, "lstExFolders")->item(0)->setCheckState(Qt::Unchecked);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    exclude.Show();
    QCOMPARE(shown, QString("ExcludeFrm"));
    QCOMPARE(fileText(path()), SampleFile);
    QVERIFY(!exclude.loaded());
    QCOMPARE(exclude.ExcludedFolderText(), std::string("/home/u/cache/;"));
}

TWINSWEEP_GUI_TEST_MAIN(ExcludeDialogTest)
#include "exclude_dialog_test.moc"
