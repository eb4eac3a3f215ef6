#pragma once
// The main window: a view over MainFrm. It builds its menus and toolbar from
// the command table, places the form's controls by the model's layout rules,
// shows the model's state and hands every user action to the model.

#include "app/main_frm.h"

#include <QMainWindow>

#include <array>
#include <map>
#include <string>
#include <vector>

class QAction;
class QBoxLayout;
class QCheckBox;
class QLabel;
class QMenu;
class QRadioButton;
class QToolButton;
class QTreeView;
class QTreeWidget;

namespace tw::gui {

class QtUiPort;
class ResultTableModel;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // With a Qt UI port, the window owns the port's dialogs and lends it its
    // menus for pop-ups; with another port (tests) it only shows the model.
    explicit MainWindow(MainFrm& model, QtUiPort* port = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Form_Load, then the saved position and size.
    void load();

    // Shows the model's current state in every control.
    void refresh();

    QMenu* createPopupMenu() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void fillMenu(QMenu* menu, const MenuEntry& entry);
    void buildToolbar();
    void buildForm();
    void buildStatusBar();

    WindowState formState() const;
    void applyGeometry();
    void resizeForm(WindowState state);
    void applyLayout();
    void scheduleActivation();
    void refreshSearchList();
    void bindResultListEvents();
    bool resultListEvent(QEvent* event);
    void refreshSortIndicator();

    MainFrm& model_;
    QtUiPort* port_;

    std::map<std::string, QAction*, std::less<>> commands_;  // menu commands by name
    std::map<std::string, QMenu*, std::less<>> menus_;       // submenus by name
    std::map<int, QAction*> toolbarButtons_;                 // by button index; separators left out
    std::map<int, int> toolbarImages_;                       // the image each button shows

    QWidget* form_ = nullptr;
    QTreeWidget* searchList_ = nullptr;
    std::vector<SearchFolderEntry> shownFolders_;
    std::array<QToolButton*, 3> searchButtons_{};
    QWidget* engineArea_ = nullptr;
    std::array<QRadioButton*, 4> engines_{};
    QCheckBox* chkFuzzy_ = nullptr;
    QCheckBox* chkProtect_ = nullptr;
    QCheckBox* chkIncludeHidden_ = nullptr;
    QBoxLayout* optionRow_ = nullptr;
    QTreeView* rlv_ = nullptr;
    ResultTableModel* results_ = nullptr;
    std::array<QLabel*, StatusPanelCount> panels_{};

    FormLayout layout_;
    bool haveLayout_ = false;
    int resultListWidth_ = 0;
    int resultListHeight_ = 0;
    Geometry normal_;  // the last position and size in the normal state, in twips
    bool loaded_ = false;
    bool unloaded_ = false;
    bool activationPending_ = false;
};

}  // namespace tw::gui
