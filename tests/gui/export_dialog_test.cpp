// The export wizard: the pages and the states its model gives them, an export
// through the dialog, and that closing it unloads the model once.

#include "app/frm_export.h"
#include "base/bug_frm.h"
#include "base/settings_store.h"
#include "gui/export_dialog.h"
#include "gui/qt_text.h"
#include "gui/qt_ui_port.h"
#include "gui_test_support.h"
#include "platform/file_system.h"
#include "support/scripted_ui.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include <functional>

using namespace tw;
using namespace tw::gui;
using tw::gui::test::whenModalShown;

namespace {

const QStringList DelimiterOptions{"optTab", "optComma", "optSemi", "optOther"};

template <typename T>
T* childOf(QWidget* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no control named %s", qPrintable(name));
    return found;
}

void click(QWidget* dialog, const QString& name) { childOf<QAbstractButton>(dialog, name)->click(); }

QString page(QWidget* dialog) { return dialog->findChild<QStackedWidget*>()->currentWidget()->objectName(); }

// The delimiter options in the given state, such as &QWidget::isEnabled.
template <typename State>
QStringList delimiterOptions(QWidget* dialog, State state) {
    QStringList names;
    for (const QString& name : DelimiterOptions)
        if (std::invoke(state, childOf<QAbstractButton>(dialog, name))) names << name;
    return names;
}

bool checked(QWidget* dialog, const QString& name) { return childOf<QAbstractButton>(dialog, name)->isChecked(); }

ResultList sampleList() {
    ResultList list;
    list.beginFill();
    list.appendRow({"a.txt", 5, "1/2/2026 3:04:05 PM", "N/A", 1, "/data/"});
    list.appendRow({"b.txt", 5, "1/2/2026 3:04:05 PM", "N/A", 1, "/data/old/"});
    list.appendRow({"c.bin", 9, "1/3/2026 8:00:00 AM", "N/A", 2, "/data/"});
    list.endFill();
    return list;
}

template <typename Ui>
struct Fixture {
    QTemporaryDir dir;
    SettingsStore settings{str(dir.filePath("settings.ini"))};
    Ui ui;
    ErrorReporter reporter{ui, {}};
    ResultList list = sampleList();
    frmExport model{settings, ui, reporter, list, [](int) { return std::string(); }, ""};
};

}  // namespace

class ExportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void secondPageShowsTheFormatsDelimiterStates_data();
    void secondPageShowsTheFormatsDelimiterStates();
    void exportWritesTheChosenFile();
    void closingUnloadsTheModelOnce();
    void cancelThroughThePortSavesAndCloses();
};

void ExportDialogTest::secondPageShowsTheFormatsDelimiterStates_data() {
    // Each format's page 2 is shown after another's, so that a choice left checked would show.
    QTest::addColumn<QString>("visitedBefore");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("optionsEnabled");
    QTest::addColumn<bool>("webpageEnabled");
    QTest::addColumn<bool>("webpageChecked");
    QTest::addColumn<QStringList>("checkedOptions");
    QTest::newRow("XML after HTML") << "optHtml" << "optXml" << false << false << false << QStringList();
    QTest::newRow("HTML after delimited") << "OptDeli" << "optHtml" << false << true << true << QStringList();
    QTest::newRow("delimited after HTML, stored Comma")
        << "optHtml" << "OptDeli" << true << false << false << QStringList{"optComma"};
}

void ExportDialogTest::secondPageShowsTheFormatsDelimiterStates() {
    QFETCH(QString, visitedBefore);
    QFETCH(QString, format);
    QFETCH(bool, optionsEnabled);
    QFETCH(bool, webpageEnabled);
    QFETCH(bool, webpageChecked);
    QFETCH(QStringList, checkedOptions);
    Fixture<tw::test::ScriptedUi> f;
    ExportDialog dialog(f.model);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Export Wizard"));
    QCOMPARE(page(&dialog), QString("f1"));
    QVERIFY(!childOf<QPushButton>(&dialog, "Command1")->isEnabled());

    click(&dialog, visitedBefore);
    click(&dialog, "btn");
    click(&dialog, "Command1");
    click(&dialog, format);
    click(&dialog, "btn");
    QCOMPARE(page(&dialog), QString("F2"));
    QCOMPARE(childOf<QPushButton>(&dialog, "btn")->text(), QString("Export"));
    QVERIFY(childOf<QPushButton>(&dialog, "Command1")->isEnabled());
    QCOMPARE(delimiterOptions(&dialog, &QWidget::isEnabled), optionsEnabled ? DelimiterOptions : QStringList());
    QCOMPARE(delimiterOptions(&dialog, &QAbstractButton::isChecked), checkedOptions);
    QCOMPARE(childOf<QWidget>(&dialog, "webpage")->isEnabled(), webpageEnabled);
    QCOMPARE(checked(&dialog, "webpage"), webpageChecked);

    click(&dialog, "Command1");
    QCOMPARE(page(&dialog), QString("f1"));
    QCOMPARE(childOf<QPushButton>(&dialog, "btn")->text(), QString("Next >"));
    QVERIFY(childOf<QPushButton>(&dialog, "btn")->isEnabled());
    QVERIFY(!childOf<QPushButton>(&dialog, "Command1")->isEnabled());
}

void ExportDialogTest::exportWritesTheChosenFile() {
    Fixture<tw::test::ScriptedUi> f;
    ExportDialog dialog(f.model);
    dialog.show();
    QVERIFY(checked(&dialog, "openafter"));
    click(&dialog, "openafter");
    click(&dialog, "OptDeli");
    click(&dialog, "btn");
    auto* txtOther = childOf<QLineEdit>(&dialog, "txtOther");
    click(&dialog, "optOther");
    QVERIFY(txtOther->isEnabled());
    click(&dialog, "optSemi");
    QVERIFY(!txtOther->isEnabled());

    auto* txtPath = childOf<QLineEdit>(&dialog, "txtPath");
    click(&dialog, "btn");
    QCOMPARE(txtPath->palette().color(QPalette::Base), QColor(255, 192, 192));
    QCOMPARE(dialog.focusWidget(), txtPath);
    QCOMPARE(f.ui.messages.size(), size_t(1));
    QCOMPARE(qs(f.ui.messages[0].text), QString("Output filename not specified"));

    const std::string path = str(f.dir.filePath("out.csv"));
    f.ui.pickedPaths = {path};
    click(&dialog, "cmdAdd");
    QCOMPARE(str(txtPath->text()), path);

    auto* PB = childOf<QProgressBar>(&dialog, "PB");
    QList<int> progress;
    auto repaintBar = f.model.progressChanged;
    QVERIFY(repaintBar);
    f.model.progressChanged = [&] {
        repaintBar();
        progress << PB->value();
    };
    click(&dialog, "btn");
    QCOMPARE(progress.value(progress.size() - 1), 3);
    QCOMPARE(PB->maximum(), 3);
    QVERIFY(!childOf<QPushButton>(&dialog, "btn")->isEnabled());
    QVERIFY(f.ui.opened.empty());
    const QString written = qs(platform::readWholeFile(path).value_or("<missing>"));
    QVERIFY2(written.startsWith("File Name;Size(Bytes);Last Modified;Version;Group;Path\r\na.txt;5;"),
             qPrintable(written));
}

void ExportDialogTest::closingUnloadsTheModelOnce() {
    Fixture<tw::test::ScriptedUi> f;
    {
        ExportDialog dialog(f.model);
        dialog.show();
        click(&dialog, "optHtml");
        dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(f.settings.GetSetting(settings::ExportFormat), std::string("1"));

        f.settings.SaveSetting(settings::ExportFormat, "2");
        dialog.reject();
        QCOMPARE(f.settings.GetSetting(settings::ExportFormat), std::string("2"));
    }
    QVERIFY2(!f.model.progressChanged, "a view that is gone is not called");
}

void ExportDialogTest::cancelThroughThePortSavesAndCloses() {
    Fixture<QtUiPort> f;
    QString shown;
    bool closedByCancel = false;
    whenModalShown([&](QWidget* modal) {
        shown = modal->objectName();
        click(modal, "optSelected");
        click(modal, "Command2");
        closedByCancel = !modal->isVisible();
    });
    f.ui.showModal(f.model);
    QCOMPARE(shown, QString("frmExport"));
    QVERIFY(closedByCancel);
    QCOMPARE(f.settings.GetSetting(settings::ExportType), std::string("3"));
}

TWINSWEEP_GUI_TEST_MAIN(ExportDialogTest)
#include "export_dialog_test.moc"
