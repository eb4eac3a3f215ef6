// The main window as a user sees it: menus, toolbar, lists, status bar,
// layout and lifetime, over a model that asks through a scripted UI port.

#include "gui/icons.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui_test_support.h"
#include "platform/user_dirs.h"
#include "results/result_list.h"
#include "setup/folder_frm.h"
#include "setup/search_list_columns.h"
#include "support/scripted_ui.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>

using namespace tw;
using namespace tw::gui;

namespace {

// One window over its own model, settings and scripted answers.
struct Harness {
    QTemporaryDir dir;
    SettingsStore settings{str(dir.filePath("settings.ini"))};
    tw::test::ScriptedUi ui;
    MainFrm model{settings, ui, AppFolders{platform::resourceFolder(), str(dir.filePath("data"))}, ""};
    MainWindow window{model};

    void load(bool show = true) {
        window.load();
        if (!show) return;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(model.firstActivation());
    }

    template <typename T>
    T* child(const char* name) {
        T* found = window.findChild<T*>(name);
        if (!found) qFatal("no control named %s", name);
        return found;
    }
    QAction* command(const char* name) { return child<QAction>(name); }
    QAction* toolbarButton(int index) { return child<QAction>(qPrintable(QString("Toolbar1Button%1").arg(index))); }
};

// Clicks a check box or option button on its indicator, as a user would.
void clickBox(QAbstractButton* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

QImage imageOf(const QIcon& icon) { return icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32); }

bool showsImage(QAction* action, int number) { return imageOf(action->icon()) == imageOf(numberedIcon(number)); }

QStringList headersOf(QTreeView* view) {
    QStringList headers;
    QAbstractItemModel* model = view->model();
    for (int column = 0; column < model->columnCount(); ++column)
        headers << model->headerData(column, Qt::Horizontal).toString();
    return headers;
}

// Compares one menu with its entries in the command table, depth first.
void compareMenu(QMenu* menu, const MenuEntry& entry) {
    QCOMPARE(menu->objectName(), qs(entry.name));
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), static_cast<qsizetype>(entry.children.size()));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const MenuEntry& child = entry.children[static_cast<size_t>(i)];
        QAction* action = actions[i];
        if (child.isSeparator()) {
            QVERIFY2(action->isSeparator(), qPrintable(QString("%1: item %2").arg(menu->title()).arg(i)));
            continue;
        }
        QCOMPARE(action->text(), qs(child.caption));
        if (child.isSubmenu()) {
            QVERIFY(action->menu());
            compareMenu(action->menu(), child);
            continue;
        }
        QCOMPARE(action->objectName(), qs(child.name));
        QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), qs(child.shortcut));
    }
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void menusFollowTheCommandTable();
    void toolbarHasItsButtonsAndIcons();
    void listsShowTheirColumns();
    void loadShowsCaptionAndPanels();
    void disabledCommandsAreDisabled();
    void recycleBinToggleAsksBeforeTurningOff_data();
    void recycleBinToggleAsksBeforeTurningOff();
    void toolbarClicksReachTheModel();
    void untickingProtectAsksOnlyTheUser_data();
    void untickingProtectAsksOnlyTheUser();
    void engineOptionsFollowTheModel();
    void newSessionResetsTheControls();
    void escapeDoesNothingWhileCancelIsDisabled();
    void layoutFollowsTheModelsRules_data();
    void layoutFollowsTheModelsRules();
    void resizingBelowTheMinimumSnapsBack();
    void geometryRoundTripsThroughTheSettings_data();
    void geometryRoundTripsThroughTheSettings();
    void closeCommandSavesTheSizeAndCloses();
    void firstActivationShowsTheTipOnce();
    void resultViewShadesChecksAndSorts();
    void addAFolderScanAndSeeTheGroups();
};

void WindowTest::menusFollowTheCommandTable() {
    Harness h;
    h.load(false);
    const QList<QAction*> top = h.window.menuBar()->actions();
    QCOMPARE(top.size(), static_cast<qsizetype>(MenuTree().size()));
    for (size_t i = 0; i < MenuTree().size(); ++i) {
        QCOMPARE(top[static_cast<qsizetype>(i)]->text(), qs(MenuTree()[i].caption));
        compareMenu(top[static_cast<qsizetype>(i)]->menu(), MenuTree()[i]);
    }
    for (const char* toggle : {"MPicViewer", "MSendToRecycleBin"}) {
        QVERIFY(h.command(toggle)->isCheckable());
        QVERIFY(h.command(toggle)->isChecked());
    }
    QVERIFY(!h.command("MScan")->isCheckable());
}

void WindowTest::toolbarHasItsButtonsAndIcons() {
    Harness h;
    h.load(false);
    auto* toolbar = h.child<QToolBar>("Toolbar1");
    const QList<QAction*> actions = toolbar->actions();
    QCOMPARE(actions.size(), 12);
    for (const ToolbarButton& button : ToolbarButtons()) {
        QAction* action = actions[button.index - 1];
        QCOMPARE(action->isSeparator(), button.index == 3 || button.index == 9);
        if (action->isSeparator()) continue;
        QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
        QVERIFY(showsImage(action, h.model.toolbarImage(button.index)));
        QCOMPARE(action->toolTip(), qs(button.hint));
    }
    QVERIFY(showsImage(h.toolbarButton(11), 10));
    QVERIFY(showsImage(h.toolbarButton(12), 12));
}

void WindowTest::listsShowTheirColumns() {
    Harness h;
    h.load(false);
    auto* searchList = h.child<QTreeWidget>("SearchList");
    QStringList expected;
    for (const ColumnSpec& column : SearchListColumns) expected << qs(column.header);
    QCOMPARE(headersOf(searchList), expected);
    QVERIFY(!searchList->rootIsDecorated());

    auto* results = h.child<QTreeView>("RLV");
    expected.clear();
    for (const ColumnSpec& column : ResultColumns) expected << qs(column.header);
    QCOMPARE(headersOf(results), expected);
    for (int column = 0; column < static_cast<int>(ResultColumns.size()); ++column) {
        bool key = expected[column].startsWith("sort");
        QCOMPARE(results->isColumnHidden(column), key);
    }
    QCOMPARE(results->model()->rowCount(), 0);
    QVERIFY(results->uniformRowHeights());
    QVERIFY(!results->rootIsDecorated());
    QCOMPARE(results->selectionMode(), QAbstractItemView::ExtendedSelection);
}

void WindowTest::loadShowsCaptionAndPanels() {
    Harness h;
    h.load(false);
    QCOMPARE(h.window.windowTitle(), QString("Twinsweep v3.4"));
    const QStringList expected = {"", "Duplicates : 0", "Files : 0", "Folders : 0", ""};
    for (int number = 1; number <= 5; ++number)
        QCOMPARE(h.child<QLabel>(qPrintable(QString("Panel%1").arg(number)))->text(), expected[number - 1]);
    QVERIFY(h.child<QCheckBox>("chkProtect")->isChecked());
    QVERIFY(!h.child<QCheckBox>("chkIncludeHidden")->isChecked());
    QVERIFY(h.child<QRadioButton>("Option1")->isChecked());
    QCOMPARE(h.child<QRadioButton>("Option4")->text(), QString("Zero Size Files "));
    QCOMPARE(h.child<QToolButton>("cmdExclude")->toolTip(), QString("Click here for Exclusion List"));
}

void WindowTest::disabledCommandsAreDisabled() {
    Harness h;
    h.load(false);
    for (const char* off : {"MCancel", "MDelete"}) QVERIFY2(!h.command(off)->isEnabled(), off);
    for (const char* on : {"MScan", "MNewSession", "MExport", "MClose", "MAbout", "mnuTip"})
        QVERIFY2(h.command(on)->isEnabled(), on);
    for (QAction* action : h.window.findChildren<QAction*>()) {
        if (action->objectName().startsWith('M') || action->objectName().startsWith("mnu") ||
            action->objectName() == "minvert")
            QCOMPARE(action->isEnabled(), h.model.isEnabled(str(action->objectName())));
    }
    for (const ToolbarButton& button : ToolbarButtons())
        if (!button.isSeparator())
            QCOMPARE(h.toolbarButton(button.index)->isEnabled(), h.model.isToolbarButtonEnabled(button.index));

    QSignalSpy deletes(h.command("MDelete"), &QAction::triggered);
    h.command("MDelete")->trigger();
    QCOMPARE(deletes.count(), 0);
}

void WindowTest::recycleBinToggleAsksBeforeTurningOff_data() {
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<bool>("yes");
    QTest::newRow("toolbar, No keeps the trash") << false << false;
    QTest::newRow("toolbar, Yes deletes permanently") << false << true;
    QTest::newRow("menu, No keeps the trash") << true << false;
    QTest::newRow("menu, Yes deletes permanently") << true << true;
}

void WindowTest::recycleBinToggleAsksBeforeTurningOff() {
    QFETCH(bool, fromMenu);
    QFETCH(bool, yes);
    Harness h;
    h.load(false);
    h.ui.answers = {yes ? Answer::Yes : Answer::No};
    (fromMenu ? h.command("MSendToRecycleBin") : h.toolbarButton(12))->trigger();

    QCOMPARE(h.ui.messages.size(), size_t{1});
    QCOMPARE(qs(h.ui.messages[0].title), QString("Confirm"));
    QCOMPARE(h.command("MSendToRecycleBin")->isChecked(), !yes);
    QVERIFY(showsImage(h.toolbarButton(12), yes ? 11 : 12));
    QCOMPARE(qs(h.settings.GetSetting(settings::RecycleBin)), QString(yes ? "11" : "12"));

    // Turning the trash back on never asks.
    (fromMenu ? h.command("MSendToRecycleBin") : h.toolbarButton(12))->trigger();
    QCOMPARE(h.ui.messages.size(), size_t{yes ? 1u : 2u});
}

void WindowTest::toolbarClicksReachTheModel() {
    Harness h;
    h.load(false);
    h.toolbarButton(4)->trigger();
    QCOMPARE(h.ui.messages.size(), size_t{1});
    QCOMPARE(qs(h.ui.messages[0].text), QString("No items marked/checked"));
    QVERIFY(h.ui.popups.empty());

    h.toolbarButton(11)->trigger();
    QVERIFY(showsImage(h.toolbarButton(11), 9));
    QVERIFY(!h.command("MPicViewer")->isChecked());
    h.command("MPicViewer")->trigger();
    QVERIFY(showsImage(h.toolbarButton(11), 10));
    QVERIFY(h.command("MPicViewer")->isChecked());
    QCOMPARE(qs(h.settings.GetSetting(settings::Display)), QString("10"));
}

void WindowTest::untickingProtectAsksOnlyTheUser_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes ticks it again") << true;
    QTest::newRow("No leaves it unticked") << false;
}

void WindowTest::untickingProtectAsksOnlyTheUser() {
    QFETCH(bool, yes);
    Harness h;
    h.load();
    auto* protect = h.child<QCheckBox>("chkProtect");
    h.ui.answers = {yes ? Answer::Yes : Answer::No};
    clickBox(protect);
    QCOMPARE(h.ui.messages.size(), size_t{1});
    QCOMPARE(h.ui.messages[0].icon, Icon::Critical);
    QCOMPARE(protect->isChecked(), yes);
    QCOMPARE(h.model.protect(), yes);

    // A loader's change shows in the box without asking.
    h.model.chkProtect_Click(true, CheckSource::ThruFile);
    h.model.chkProtect_Click(false, CheckSource::ThruFile);
    QVERIFY(!protect->isChecked());
    QCOMPARE(h.ui.messages.size(), size_t{1});
    // Ticking it by hand never asks.
    clickBox(protect);
    QVERIFY(protect->isChecked() && h.model.protect());
    QCOMPARE(h.ui.messages.size(), size_t{1});
}

void WindowTest::engineOptionsFollowTheModel() {
    Harness h;
    h.load();
    auto* fuzzy = h.child<QCheckBox>("chkFuzzy");
    struct Step {
        int click;   // option the user clicks, or 0
        int select;  // engine the model selects, or 0
        int engine;
    };
    for (const Step& step : {Step{3, 0, 3}, Step{1, 0, 1}, Step{0, 2, 2}, Step{4, 0, 4}, Step{0, 1, 1}}) {
        if (step.click) clickBox(h.child<QRadioButton>(qPrintable(QString("Option%1").arg(step.click))));
        if (step.select) h.model.selectEngine(step.select);
        QCOMPARE(h.model.engine(), step.engine);
        for (int option = 1; option <= 4; ++option)
            QCOMPARE(h.child<QRadioButton>(qPrintable(QString("Option%1").arg(option)))->isChecked(),
                     option == step.engine);
        QCOMPARE(fuzzy->isEnabled(), step.engine == 1);
    }
    clickBox(fuzzy);
    QVERIFY(h.model.fuzzy());
    clickBox(h.child<QCheckBox>("chkIncludeHidden"));
    QVERIFY(h.model.includeHidden());
}

void WindowTest::newSessionResetsTheControls() {
    Harness h;
    h.load();
    clickBox(h.child<QRadioButton>("Option3"));
    clickBox(h.child<QCheckBox>("chkIncludeHidden"));
    QTest::keyClick(&h.window, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(h.child<QRadioButton>("Option1")->isChecked());
    QVERIFY(!h.child<QCheckBox>("chkIncludeHidden")->isChecked());
    QCOMPARE(h.child<QLabel>("Panel1")->text(), QString("Add search path and click on the scan button to start search."));
    QCOMPARE(h.child<QLabel>("Panel3")->text(), QString());
    QCOMPARE(h.child<QLabel>("Panel5")->text(), QString("00:00:00"));
    QVERIFY(!h.child<QToolButton>("cmdRemove")->isEnabled());
}

void WindowTest::escapeDoesNothingWhileCancelIsDisabled() {
    Harness h;
    h.load();
    auto* esc = h.child<QShortcut>("Command1");
    QCOMPARE(esc->key(), QKeySequence(Qt::Key_Escape));
    QSignalSpy pressed(esc, &QShortcut::activated);
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    QTest::keyClick(&h.window, Qt::Key_Escape);
    QCOMPARE(pressed.count(), 1);
    QVERIFY(h.window.isVisible());
    QVERIFY(h.ui.messages.empty());
    QCOMPARE(h.ui.modalDialogs.size(), size_t{1});  // only the tip of the first activation
}

void WindowTest::layoutFollowsTheModelsRules_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("default") << QSize(800, 533);
    QTest::newRow("minimum") << QSize(690, 333);
    QTest::newRow("large") << QSize(1200, 760);
}

void WindowTest::layoutFollowsTheModelsRules() {
    QFETCH(QSize, size);
    Harness h;
    h.load();
    h.window.resize(size);
    QCOMPARE(h.window.size(), size);
    const float width = h.model.geometry().Width;
    const float height = h.model.geometry().Height;
    QCOMPARE(pixels(width), size.width());
    QCOMPARE(pixels(height), size.height());

    auto* results = h.child<QTreeView>("RLV");
    QCOMPARE(results->width(), pixels(width - 200));
    QCOMPARE(results->height(), pixels(height - 3400));
    QCOMPARE(h.child<QToolButton>("cmdAdd")->x(), pixels(width - 6630));
    QCOMPARE(h.child<QWidget>("EngineArea")->x(), pixels(width - 6100));
    auto* searchList = h.child<QTreeWidget>("SearchList");
    QVERIFY(searchList->geometry().right() < h.child<QToolButton>("cmdAdd")->x());
    QVERIFY(searchList->width() > 0);
    // Nothing overlaps: the band above the result list holds every control.
    for (const char* name : {"SearchList", "cmdAdd", "cmdRemove", "cmdExclude", "EngineArea"})
        QVERIFY2(h.child<QWidget>(name)->geometry().bottom() < results->y(), name);
    for (const char* name : {"Option2", "Option4", "chkFuzzy", "chkProtect", "chkIncludeHidden"}) {
        auto* control = h.child<QWidget>(name);
        QRect inForm(control->mapTo(h.window.centralWidget(), QPoint(0, 0)), control->size());
        QVERIFY2(inForm.bottom() < results->y(), name);
        QVERIFY2(inForm.right() < h.window.centralWidget()->width(), name);
    }
}

void WindowTest::resizingBelowTheMinimumSnapsBack() {
    Harness h;
    h.load();
    h.window.resize(300, 200);
    QCOMPARE(h.window.size(), QSize(690, 333));
    QCOMPARE(h.model.geometry().Width, 10350.0f);
    QCOMPARE(h.model.geometry().Height, 5000.0f);

    // Where the window manager ignores the minimum, the model's rule grows it back.
    h.window.setMinimumSize(0, 0);
    h.window.resize(400, 250);
    QCOMPARE(h.window.size(), QSize(690, 333));
    QCOMPARE(h.model.geometry().Width, 10350.0f);
}

void WindowTest::geometryRoundTripsThroughTheSettings_data() {
    QTest::addColumn<QStringList>("saved");     // W, H, T, L
    QTest::addColumn<QStringList>("restored");  // as stored after a close without changes
    QTest::newRow("defaults") << QStringList{} << QStringList{"12000", "8000", "0", "0"};
    QTest::newRow("odd twips survive") << QStringList{"15007", "9001", "300", "450"}
                                       << QStringList{"15007", "9001", "300", "450"};
    QTest::newRow("closed while minimised") << QStringList{"12000", "8000", "-32000", "-32000"}
                                            << QStringList{"12000", "8000", "100", "100"};
    QTest::newRow("too small") << QStringList{"3000", "2000", "0", "0"} << QStringList{"10350", "5000", "0", "0"};
}

void WindowTest::geometryRoundTripsThroughTheSettings() {
    QFETCH(QStringList, saved);
    QFETCH(QStringList, restored);
    const SettingKey keys[] = {settings::WindowWidth, settings::WindowHeight, settings::WindowTop, settings::WindowLeft};
    Harness h;
    for (qsizetype i = 0; i < saved.size(); ++i) h.settings.SaveSetting(keys[i], str(saved[i]));
    h.settings.SaveSetting(settings::ShowTipsAtStartup, "0");
    h.load();
    QCOMPARE(h.window.size(), QSize(pixels(restored[0].toFloat()), pixels(restored[1].toFloat())));
    QCOMPARE(h.window.pos(), QPoint(pixels(restored[3].toFloat()), pixels(restored[2].toFloat())));
    h.window.close();
    for (qsizetype i = 0; i < restored.size(); ++i) QCOMPARE(qs(h.settings.GetSetting(keys[i])), restored[i]);
}

void WindowTest::closeCommandSavesTheSizeAndCloses() {
    Harness h;
    h.load();
    h.window.resize(900, 600);
    h.command("MClose")->trigger();
    QVERIFY(!h.window.isVisible());
    QCOMPARE(qs(h.settings.GetSetting(settings::WindowWidth)), QString("13500"));
    QCOMPARE(qs(h.settings.GetSetting(settings::WindowHeight)), QString("9000"));
}

void WindowTest::firstActivationShowsTheTipOnce() {
    Harness h;
    h.load();
    QCOMPARE(h.ui.modalDialogs, std::vector<std::string>{"frmTip"});
    h.window.hide();
    h.window.show();
    h.window.activateWindow();
    QTest::qWait(50);
    QCOMPARE(h.ui.modalDialogs.size(), size_t{1});
    h.command("mnuTip")->trigger();
    h.command("MAbout")->trigger();
    QCOMPARE(h.ui.modalDialogs, (std::vector<std::string>{"frmTip", "frmTip", "frmAbout"}));
}

void WindowTest::resultViewShadesChecksAndSorts() {
    Harness h;
    h.load(false);
    ResultList& list = h.model.resultList();
    list.beginFill();
    const std::vector<std::pair<const char*, int>> rows = {{"b.txt", 1}, {"a.txt", 1}, {"c.jpg", 2}, {"d.jpg", 2}};
    for (const auto& [name, group] : rows)
        list.appendRow({name, 1000 * group, "1/2/2026 3:04:05 PM", "N/A", group, "/data/", UnmarkedCode});
    list.GroupSize = {0, 2, 2};
    list.GroupCount = 2;
    list.endFill();
    list.RefreshColorShade();

    auto* view = h.child<QTreeView>("RLV");
    QAbstractItemModel* model = view->model();
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(model->index(0, 0).data().toString(), QString("b.txt"));
    QCOMPARE(model->index(2, 6).data().toString(), QString("000000002000"));
    QVERIFY(!model->index(0, 0).data(Qt::BackgroundRole).isValid());
    QCOMPARE(model->index(2, 3).data(Qt::BackgroundRole).value<QColor>(), QColor(213, 233, 249));
    QVERIFY(imageOf(model->index(1, 0).data(Qt::DecorationRole).value<QIcon>()) == imageOf(numberedIcon(18)));

    // The focused row follows its file through a sort; a click on the check image marks it.
    view->setCurrentIndex(model->index(1, 0));
    h.model.RLV_ColumnClick(1);  // descending by name
    QCOMPARE(model->index(0, 0).data().toString(), QString("d.jpg"));
    QCOMPARE(view->currentIndex().data().toString(), QString("a.txt"));
    QVERIFY(view->header()->isSortIndicatorShown());
    QCOMPARE(view->header()->sortIndicatorSection(), 0);
    QCOMPARE(view->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(list.shaded(0), !list.shaded(2));  // shading follows the new order

    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    QRect cell = view->visualRect(view->currentIndex());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, cell.center().y()));
    QVERIFY(list.marked(static_cast<size_t>(view->currentIndex().row())));
    QVERIFY(imageOf(view->currentIndex().data(Qt::DecorationRole).value<QIcon>()) == imageOf(numberedIcon(17)));
    QCOMPARE(h.child<QLabel>("Panel1")->text(), QString("Total Files Marked 1 Size 1000 Bytes"));
}

void WindowTest::addAFolderScanAndSeeTheGroups() {
    Harness h;
    h.load(false);
    QDir(h.dir.path()).mkpath("tree/a");
    QDir(h.dir.path()).mkpath("tree/b");
    for (const char* name : {"tree/a/x.txt", "tree/b/y.txt"}) {
        QFile file(h.dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the same bytes");
    }
    std::string tree = str(h.dir.filePath("tree"));
    h.ui.pickedPaths = {tree};
    h.ui.onModal = [](DialogModel& dialog) {
        auto& folder = dynamic_cast<FolderFrm&>(dialog);
        folder.Form_Activate();  // an add opens the picker at once; the scripted picker answers
        folder.setTxtMin("0");
        folder.cmdOK_Click();
    };
    h.child<QToolButton>("cmdAdd")->click();
    auto* searchList = h.child<QTreeWidget>("SearchList");
    QCOMPARE(searchList->topLevelItemCount(), 1);
    QCOMPARE(searchList->topLevelItem(0)->text(0), qs(tree + "/"));

    h.toolbarButton(1)->trigger();
    auto* view = h.child<QTreeView>("RLV");
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(view->model()->index(1, 0).data().toString(), QString("y.txt"));
    QCOMPARE(view->model()->index(1, 4).data().toString(), QString("1"));
    QCOMPARE(h.child<QLabel>("Panel1")->text(), QString("Search Completed."));
    QCOMPARE(h.child<QLabel>("Panel2")->text(), QString("Duplicate Files: 1  Size: 14 Bytes"));
    QVERIFY(h.command("MScan")->isEnabled());
    QVERIFY(!h.command("MCancel")->isEnabled());
}

TWINSWEEP_GUI_TEST_MAIN(WindowTest)
#include "window_test.moc"
