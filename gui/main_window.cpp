#include "gui/main_window.h"

#include "gui/icons.h"
#include "gui/qt_text.h"
#include "gui/qt_ui_port.h"
#include "gui/result_table_model.h"
#include "results/result_list.h"
#include "setup/search_list_columns.h"

#include <QAction>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

namespace tw::gui {

namespace {

// The form's own spacing, in twips like the model's rules.
constexpr float FormMargin = 100;
constexpr float FormGap = 60;
constexpr float SearchButtonHeight = 420;

constexpr int ToolbarIconSize = 24;

constexpr std::array<std::string_view, 3> SearchButtonNames = {"cmdAdd", "cmdRemove", "cmdExclude"};
constexpr std::array<std::string_view, 3> SearchButtonCaptions = {"Add", "Remove", "Exclude"};
constexpr std::array<std::string_view, 3> SearchButtonHints = {
    "Click here to add search path", "Click here to remove selected search path", "Click here for Exclusion List"};
constexpr std::array<std::string_view, 3> SearchButtonIcons = {"add", "remove", "exclude"};

constexpr std::array<std::string_view, 4> EngineCaptions = {
    "Byte to Byte", "Cyclic Redundancy Check (CRC32)", "Same Name Files", "Zero Size Files "};

bool isToggleCommand(std::string_view name) { return name == "MPicViewer" || name == "MSendToRecycleBin"; }

bool sameFolders(const std::vector<SearchFolderEntry>& a, const std::vector<SearchFolderEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SearchFolderEntry& x, const SearchFolderEntry& y) {
        return x.path == y.path && x.subFolders == y.subFolders && x.mask == y.mask && x.minSize == y.minSize &&
               x.maxSize == y.maxSize && x.minDate == y.minDate && x.maxDate == y.maxDate && x.icon == y.icon;
    });
}

// Keeps a stored twips value unless the window's pixels really changed, so
// that sizes survive the rounding of a start and an exit untouched.
void follow(float& storedTwips, int shownPixels) {
    if (pixels(storedTwips) != shownPixels) storedTwips = twips(shownPixels);
}

QLabel* statusPanel(int number, int minimumWidth, QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString("Panel%1").arg(number));
    panel->setTextFormat(Qt::PlainText);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    panel->setMargin(1);
    panel->setMinimumWidth(minimumWidth);
    return panel;
}

// A column as wide as its twips say, but never narrower than its header.
void setColumnWidth(QTreeView& view, int column, int widthTwips) {
    view.setColumnWidth(column, std::max(pixels(widthTwips), view.header()->sectionSizeHint(column)));
}

}  // namespace

MainWindow::MainWindow(MainFrm& model, QtUiPort* port, QWidget* parent)
    : QMainWindow(parent), model_(model), port_(port) {
    setObjectName("MainFrm");
    setWindowTitle(qs(model_.caption()));
    setWindowIcon(namedIcon("twinsweep"));
    setMinimumSize(pixels(MinimumWidth), pixels(MinimumHeight));
    if (port_) port_->setOwner(this);

    buildMenus();
    buildToolbar();
    buildForm();
    buildStatusBar();

    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setObjectName("Command1");
    connect(esc, &QShortcut::activated, this, [this] { model_.Command1_Click(); });

    // The elapsed-time display and the end sound; each does nothing while the model has it switched off.
    auto* ticks = new QTimer(this);
    ticks->setObjectName("Timer1");
    ticks->setInterval(1000);
    connect(ticks, &QTimer::timeout, this, [this] {
        model_.Timer1_Timer();
        model_.Timer2_Timer();
    });
    ticks->start();

    model_.setObserver({
        [this] { refresh(); },
        [this] { applyGeometry(); },
        [this] { close(); },
    });
    refresh();
}

MainWindow::~MainWindow() {
    model_.setObserver({});
    if (port_ && port_->owner() == this) port_->setOwner(nullptr);
}

void MainWindow::buildMenus() {
    for (const MenuEntry& top : MenuTree()) fillMenu(menuBar()->addMenu(qs(top.caption)), top);
}

void MainWindow::fillMenu(QMenu* menu, const MenuEntry& entry) {
    std::string name(entry.name);
    menu->setObjectName(qs(name));
    menus_[name] = menu;
    if (port_) port_->registerMenu(name, menu);
    for (const MenuEntry& child : entry.children) {
        if (child.isSeparator()) {
            menu->addSeparator();
        } else if (child.isSubmenu()) {
            fillMenu(menu->addMenu(qs(child.caption)), child);
        } else {
            QAction* action = menu->addAction(qs(child.caption));
            action->setObjectName(qs(child.name));
            if (!child.shortcut.empty())
                action->setShortcut(QKeySequence::fromString(qs(child.shortcut), QKeySequence::PortableText));
            action->setCheckable(isToggleCommand(child.name));
            connect(action, &QAction::triggered, this, [this, command = std::string(child.name)] {
                model_.runCommand(command);
                refresh();
            });
            commands_[std::string(child.name)] = action;
        }
    }
}

void MainWindow::buildToolbar() {
    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName("Toolbar1");
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(ToolbarIconSize, ToolbarIconSize));
    for (const ToolbarButton& button : ToolbarButtons()) {
        if (button.isSeparator()) {
            toolbar->addSeparator()->setObjectName(QString("Toolbar1Button%1").arg(button.index));
            continue;
        }
        QAction* action = toolbar->addAction(qs(button.hint));
        action->setObjectName(QString("Toolbar1Button%1").arg(button.index));
        action->setToolTip(qs(button.hint));
        connect(action, &QAction::triggered, this, [this, index = button.index] {
            model_.Toolbar1_ButtonClick(index);
            refresh();
        });
        toolbarButtons_[button.index] = action;
    }
}

void MainWindow::buildForm() {
    form_ = new QWidget(this);
    form_->setObjectName("Form");
    form_->installEventFilter(this);
    setCentralWidget(form_);

    searchList_ = new QTreeWidget(form_);
    searchList_->setObjectName("SearchList");
    searchList_->setColumnCount(static_cast<int>(SearchListColumns.size()));
    QStringList headers;
    for (const ColumnSpec& column : SearchListColumns) headers << qs(column.header);
    searchList_->setHeaderLabels(headers);
    for (int i = 0; i < searchList_->columnCount(); ++i)
        setColumnWidth(*searchList_, i, SearchListColumns[static_cast<size_t>(i)].widthTwips);
    searchList_->setRootIsDecorated(false);
    searchList_->setUniformRowHeights(true);
    searchList_->setAllColumnsShowFocus(true);
    searchList_->setSelectionMode(QAbstractItemView::SingleSelection);
    searchList_->setIconSize(QSize(16, 16));
    connect(searchList_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        model_.searchFolders().select(current ? searchList_->indexOfTopLevelItem(current) : -1);
        refresh();
    });
    connect(searchList_, &QTreeWidget::itemDoubleClicked, this, [this] {
        model_.searchFolders().SearchList_DblClick();
        refresh();
    });

    for (size_t i = 0; i < searchButtons_.size(); ++i) {
        auto* button = new QToolButton(form_);
        button->setObjectName(qs(SearchButtonNames[i]));
        button->setText(qs(SearchButtonCaptions[i]));
        button->setAccessibleName(qs(SearchButtonCaptions[i]));
        button->setToolTip(qs(SearchButtonHints[i]));
        button->setIcon(namedIcon(SearchButtonIcons[i]));
        button->setIconSize(QSize(16, 16));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        connect(button, &QToolButton::clicked, this, [this, name = std::string(SearchButtonNames[i])] {
            model_.runCommand(name);
            refresh();
        });
        searchButtons_[i] = button;
    }

    engineArea_ = new QWidget(form_);
    engineArea_->setObjectName("EngineArea");
    auto* frame = new QGroupBox(tr("Search Engine"), engineArea_);
    frame->setObjectName("fraSearchEngine");
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 2, 8, 4);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    auto* group = new QButtonGroup(this);
    for (size_t i = 0; i < engines_.size(); ++i) {
        auto* option = new QRadioButton(qs(EngineCaptions[i]), frame);
        option->setObjectName(QString("Option%1").arg(i + 1));
        group->addButton(option, static_cast<int>(i) + 1);
        grid->addWidget(option, static_cast<int>(i % 2), static_cast<int>(i / 2));
        connect(option, &QRadioButton::toggled, this, [this, engine = static_cast<int>(i) + 1](bool on) {
            if (on && model_.engine() != engine) model_.selectEngine(engine);
        });
        engines_[i] = option;
    }
    chkFuzzy_ = new QCheckBox(tr("Use Fuzzy Logic"), frame);
    chkFuzzy_->setObjectName("chkFuzzy");
    grid->addWidget(chkFuzzy_, 2, 0);
    grid->setColumnStretch(2, 1);
    connect(chkFuzzy_, &QCheckBox::clicked, this, [this](bool on) { model_.chkFuzzy_Click(on); });

    chkProtect_ = new QCheckBox(tr("Protect Windows Folders"), engineArea_);
    chkProtect_->setObjectName("chkProtect");
    connect(chkProtect_, &QCheckBox::clicked, this,
            [this](bool ticked) { model_.chkProtect_Click(ticked, CheckSource::Direct); refresh(); });
    chkIncludeHidden_ = new QCheckBox(tr("Include Hidden Folders and Files"), engineArea_);
    chkIncludeHidden_->setObjectName("chkIncludeHidden");
    connect(chkIncludeHidden_, &QCheckBox::clicked, this, [this](bool on) { model_.setIncludeHidden(on); });

    optionRow_ = new QBoxLayout(QBoxLayout::LeftToRight);
    optionRow_->setSpacing(8);
    optionRow_->setContentsMargins(0, 0, 0, 0);
    optionRow_->addWidget(chkProtect_);
    optionRow_->addWidget(chkIncludeHidden_);
    auto* area = new QVBoxLayout(engineArea_);
    area->setContentsMargins(0, 0, 0, 0);
    area->setSpacing(4);
    area->addWidget(frame);
    area->addLayout(optionRow_);
    area->setAlignment(optionRow_, Qt::AlignLeft | Qt::AlignTop);
    area->addStretch(1);

    results_ = new ResultTableModel(model_.resultList(), this);
    rlv_ = new QTreeView(form_);
    rlv_->setObjectName("RLV");
    rlv_->setModel(results_);
    rlv_->setUniformRowHeights(true);
    rlv_->setRootIsDecorated(false);
    rlv_->setItemsExpandable(false);
    rlv_->setAllColumnsShowFocus(true);
    rlv_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rlv_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rlv_->header()->setStretchLastSection(false);
    rlv_->header()->setSectionsMovable(false);
    for (size_t i = 0; i < ResultColumns.size(); ++i) {
        int column = static_cast<int>(i);
        if (ResultColumns[i].widthTwips == 0) rlv_->setColumnHidden(column, true);
        else setColumnWidth(*rlv_, column, ResultColumns[i].widthTwips);
    }
    bindResultListEvents();
}

void MainWindow::bindResultListEvents() {
    rlv_->setMouseTracking(true);
    rlv_->viewport()->installEventFilter(this);
    rlv_->installEventFilter(this);
    rlv_->header()->setSectionsClickable(true);
    connect(rlv_->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { model_.RLV_ColumnClick(section + 1); });
    connect(rlv_, &QTreeView::clicked, this, [this] { model_.RLV_ItemClick(); });
    connect(rlv_, &QTreeView::doubleClicked, this, [this] { model_.RLV_DblClick(); });
    connect(rlv_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                ResultList& list = model_.resultList();
                auto mark = [&list](const QItemSelection& ranges, bool on) {
                    for (const QItemSelectionRange& range : ranges)
                        for (int row = range.top(); row <= range.bottom(); ++row)
                            if (static_cast<size_t>(row) < list.rowCount()) list.setSelected(static_cast<size_t>(row), on);
                };
                mark(deselected, false);
                mark(selected, true);
            });
    connect(rlv_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        model_.resultList().setFocusedRow(current.isValid() ? static_cast<size_t>(current.row())
                                                            : static_cast<size_t>(-1));
    });
}

// Mouse and key events of the result list, handed to the model as the list's own events.
bool MainWindow::resultListEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
        model_.RLV_MouseMove(static_cast<float>(static_cast<QMouseEvent*>(event)->position().x() * TwipsPerPixel));
        return false;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            // Let the view select the row first, as a click would.
            QTimer::singleShot(0, this, [this] { model_.RLV_MouseUp(2); });
        } else {
            model_.RLV_MouseUp(1);
        }
        return false;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) return false;
        if (key->key() == Qt::Key_Space) model_.RLV_KeyUp(32);
        else if (key->key() == Qt::Key_Up) model_.RLV_KeyUp(38);
        else if (key->key() == Qt::Key_Down) model_.RLV_KeyUp(40);
        return false;
    }
    default: return false;
    }
}

void MainWindow::refreshSortIndicator() {
    QHeaderView* header = rlv_->header();
    const ResultList& list = model_.resultList();
    for (size_t column = 0; column < ResultColumns.size(); ++column) {
        SortIndicator indicator = list.sortIndicator(column);
        if (indicator == SortIndicator::None) continue;
        header->setSortIndicatorShown(true);
        header->setSortIndicator(static_cast<int>(column),
                                 indicator == SortIndicator::Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        return;
    }
    header->setSortIndicatorShown(false);
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    const std::array<int, StatusPanelCount> minimumWidths = {0, 160, 110, 110, 70};
    for (int number = 1; number <= StatusPanelCount; ++number) {
        QLabel* panel = statusPanel(number, minimumWidths[static_cast<size_t>(number - 1)], bar);
        if (number == 1) bar->addWidget(panel, 1);
        else bar->addPermanentWidget(panel);
        panels_[static_cast<size_t>(number - 1)] = panel;
    }
}

QMenu* MainWindow::createPopupMenu() { return nullptr; }  // no menu to hide the toolbar

void MainWindow::load() {
    model_.Form_Load();
    loaded_ = true;
    applyGeometry();
    refresh();
}

void MainWindow::refresh() {
    for (const auto& [name, action] : commands_) {
        action->setEnabled(model_.isEnabled(name));
        if (action->isCheckable()) action->setChecked(model_.isChecked(name));
    }
    for (const auto& [name, menu] : menus_) menu->menuAction()->setEnabled(model_.isEnabled(name));
    for (const auto& [index, action] : toolbarButtons_) {
        int image = model_.toolbarImage(index);
        if (toolbarImages_[index] != image) {
            action->setIcon(numberedIcon(image));
            toolbarImages_[index] = image;
        }
        action->setEnabled(model_.isToolbarButtonEnabled(index));
    }
    for (const auto& [name, action] : commands_) action->setVisible(model_.isVisible(name));
    const bool idle = !model_.busy();
    for (size_t i = 0; i < searchButtons_.size(); ++i)
        searchButtons_[i]->setEnabled(idle && model_.isEnabled(SearchButtonNames[i]));
    searchList_->setEnabled(idle);
    rlv_->setEnabled(idle);
    chkProtect_->setEnabled(idle);
    chkIncludeHidden_->setEnabled(idle);

    for (size_t i = 0; i < engines_.size(); ++i) {
        QSignalBlocker quiet(engines_[i]);
        bool chosen = model_.engine() == static_cast<int>(i) + 1;
        engines_[i]->setChecked(chosen);
        engines_[i]->setEnabled(idle);
        QFont font = engines_[i]->font();
        font.setBold(chosen);
        engines_[i]->setFont(font);
    }
    {
        QSignalBlocker quietFuzzy(chkFuzzy_);
        QSignalBlocker quietProtect(chkProtect_);
        QSignalBlocker quietHidden(chkIncludeHidden_);
        chkFuzzy_->setChecked(model_.fuzzy());
        chkFuzzy_->setEnabled(idle && model_.fuzzyEnabled());
        chkProtect_->setChecked(model_.protect());
        chkIncludeHidden_->setChecked(model_.includeHidden());
    }

    for (int number = 1; number <= StatusPanelCount; ++number)
        panels_[static_cast<size_t>(number - 1)]->setText(qs(model_.panel(number)));
    setWindowTitle(qs(model_.caption()));
    refreshSearchList();
    refreshSortIndicator();
}

void MainWindow::refreshSearchList() {
    const std::vector<SearchFolderEntry>& folders = model_.searchList();
    if (sameFolders(folders, shownFolders_)) return;
    searchList_->clear();
    for (const SearchFolderEntry& folder : folders) {
        auto* row = new QTreeWidgetItem(searchList_, QStringList{qs(folder.path), qs(folder.subFolders), qs(folder.mask),
                                                                 qs(folder.minSize), qs(folder.maxSize),
                                                                 qs(folder.minDate), qs(folder.maxDate)});
        row->setIcon(0, numberedIcon(folder.icon));
    }
    shownFolders_ = folders;
    int selected = model_.searchFolders().selectedIndex();
    if (selected >= 0 && selected < searchList_->topLevelItemCount()) {
        QSignalBlocker quiet(searchList_);
        searchList_->setCurrentItem(searchList_->topLevelItem(selected));
    }
}

WindowState MainWindow::formState() const {
    if (isMinimized()) return WindowState::Minimized;
    if (isMaximized() || isFullScreen()) return WindowState::Maximized;
    return WindowState::Normal;
}

void MainWindow::applyGeometry() {
    normal_ = model_.geometry();
    if (formState() != WindowState::Normal) return;
    move(pixels(normal_.Left), pixels(normal_.Top));
    resize(pixels(normal_.Width), pixels(normal_.Height));
    // A size the window already has sends no resize event; the model's rules
    // (its minimum above all) still apply.
    resizeForm(WindowState::Normal);
}

void MainWindow::resizeForm(WindowState state) {
    Geometry& geometry = model_.geometry();
    if (state == WindowState::Normal) {
        follow(normal_.Width, width());
        follow(normal_.Height, height());
        geometry.Width = normal_.Width;
        geometry.Height = normal_.Height;
    } else if (state == WindowState::Maximized) {
        geometry.Width = twips(width());
        geometry.Height = twips(height());
    }
    layout_ = model_.Form_Resize(state);
    haveLayout_ = true;
    setWindowTitle(qs(model_.caption()));
    if (state == WindowState::Normal) {
        // The model keeps its minimum size; a window made smaller grows back.
        normal_.Width = geometry.Width;
        normal_.Height = geometry.Height;
        QSize kept(std::max(width(), pixels(geometry.Width)), std::max(height(), pixels(geometry.Height)));
        if (kept != size()) resize(kept);
    }
    applyLayout();
}

void MainWindow::applyLayout() {
    if (!haveLayout_) return;
    const int margin = pixels(FormMargin);
    const int gap = pixels(FormGap);
    const int formWidth = form_->width();
    const int formHeight = form_->height();
    const int buttonsLeft = pixels(layout_.searchButtonsLeft);
    const int frameLeft = pixels(layout_.engineFrameLeft);
    const int engineWidth = std::max(0, formWidth - margin - frameLeft);

    // The two check boxes sit side by side when they fit, else one above the other.
    int sideBySide = chkProtect_->sizeHint().width() + optionRow_->spacing() + chkIncludeHidden_->sizeHint().width() +
                     optionRow_->contentsMargins().left();
    optionRow_->setDirection(sideBySide <= engineWidth ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    engineArea_->layout()->invalidate();

    const int buttonHeight = pixels(SearchButtonHeight);
    const int buttonsHeight = static_cast<int>(searchButtons_.size()) * (buttonHeight + gap) - gap;
    const int bandNeeded = std::max(engineArea_->sizeHint().height(), buttonsHeight);

    if (layout_.resultListResized) {
        resultListWidth_ = pixels(layout_.resultListWidth);
        resultListHeight_ = pixels(layout_.resultListHeight);
    }
    // The result list keeps its height at the bottom of the form; the band
    // above it takes what is left, but never less than its controls need.
    const int bandTop = margin;
    int listTop = formHeight - margin - resultListHeight_;
    int listHeight = resultListHeight_;
    int bandHeight = listTop - gap - bandTop;
    if (bandHeight < bandNeeded) {
        bandHeight = bandNeeded;
        listTop = bandTop + bandHeight + gap;
        listHeight = std::max(0, formHeight - margin - listTop);
    }

    searchList_->setGeometry(margin, bandTop, std::max(0, pixels(layout_.searchListWidth) - margin - gap), bandHeight);
    const int buttonWidth = std::max(0, frameLeft - buttonsLeft - gap);
    for (size_t i = 0; i < searchButtons_.size(); ++i)
        searchButtons_[i]->setGeometry(buttonsLeft, bandTop + static_cast<int>(i) * (buttonHeight + gap), buttonWidth,
                                       buttonHeight);
    engineArea_->setGeometry(frameLeft, bandTop, engineWidth, bandHeight);
    rlv_->setGeometry(margin, listTop, resultListWidth_, listHeight);
}

void MainWindow::scheduleActivation() {
    if (!loaded_ || activationPending_ || model_.firstActivation()) return;
    activationPending_ = true;
    // Run outside the event that asked for it: the model may open a modal window.
    QTimer::singleShot(0, this, [this] {
        activationPending_ = false;
        model_.Form_Activate(formState());
        refresh();
    });
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) scheduleActivation();
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_ && event->type() == QEvent::Resize) applyLayout();
    if (rlv_ && (watched == rlv_->viewport() || watched == rlv_) && resultListEvent(event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    scheduleActivation();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (loaded_ && !unloaded_) resizeForm(formState());
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (!loaded_ || unloaded_ || formState() != WindowState::Normal) return;
    follow(normal_.Left, x());
    follow(normal_.Top, y());
    model_.geometry().Left = normal_.Left;
    model_.geometry().Top = normal_.Top;
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && loaded_ && !unloaded_ &&
        formState() == WindowState::Minimized)
        resizeForm(WindowState::Minimized);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (loaded_ && !unloaded_) {
        unloaded_ = true;
        Geometry& geometry = model_.geometry();
        geometry = normal_;
        if (formState() != WindowState::Normal && normalGeometry().isValid()) {
            follow(geometry.Width, normalGeometry().width());
            follow(geometry.Height, normalGeometry().height());
        }
        model_.Form_QueryUnload();
    }
    event->accept();
}

}  // namespace tw::gui
