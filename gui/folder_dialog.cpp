#include "gui/folder_dialog.h"

#include "gui/qt_text.h"
#include "setup/folder_frm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace tw::gui {

namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// Sets the text unless it is already shown, so the cursor and undo history
// of an unchanged box stay as they are.
void showText(QLineEdit* edit, const std::string& text) {
    if (str(edit->text()) != text) edit->setText(qs(text));
}

}  // namespace

FolderDialog::FolderDialog(FolderFrm& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("FolderFrm");
    setWindowTitle(qs(FolderFrm::Caption));

    Text1_ = lineEdit(this, "Text1");
    Text1_->setMinimumWidth(320);
    Command2_ = new QPushButton(tr("Browse..."), this);
    Command2_->setObjectName("Command2");
    Command2_->setAutoDefault(false);

    Check1_ = new QCheckBox(qs(FolderFrm::Check1Caption), this);
    Check1_->setObjectName("Check1");
    Check2_ = new QCheckBox(qs(FolderFrm::Check2Caption), this);
    Check2_->setObjectName("Check2");

    cmbFileMask_ = new QComboBox(this);
    cmbFileMask_->setObjectName("cmbFileMask");
    cmbFileMask_->setEditable(true);
    cmbFileMask_->setInsertPolicy(QComboBox::NoInsert);  // the model keeps the list
    cmbFileMask_->setCompleter(nullptr);
    cmbFileMask_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbFileMask_->setMinimumContentsLength(30);

    txtMin_ = lineEdit(this, "txtMin");
    txtMax_ = lineEdit(this, "txtMax");
    txtMinDate_ = lineEdit(this, "txtMinDate");
    txtMaxDate_ = lineEdit(this, "txtMaxDate");
    txtMinDate_->setPlaceholderText("mm/dd/yyyy");
    txtMaxDate_->setPlaceholderText("mm/dd/yyyy");

    cmdOK_ = new QPushButton(tr("OK"), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    Command1_ = new QPushButton(tr("Cancel"), this);
    Command1_->setObjectName("Command1");
    Command1_->setAutoDefault(false);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(Text1_, 1);
    folderRow->addWidget(Command2_);
    auto* checks = new QHBoxLayout;
    checks->addWidget(Check1_);
    checks->addWidget(Check2_);
    checks->addStretch(1);

    auto* grid = new QGridLayout;
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* shown = new QLabel(text, this);
        shown->setBuddy(buddy);
        return shown;
    };
    grid->addWidget(label(tr("&Folder:"), Text1_), 0, 0);
    grid->addLayout(folderRow, 0, 1, 1, 3);
    grid->addLayout(checks, 1, 1, 1, 3);
    grid->addWidget(label(tr("File &Type:"), cmbFileMask_), 2, 0);
    grid->addWidget(cmbFileMask_, 2, 1, 1, 3);
    grid->addWidget(label(tr("M&in Size (KB):"), txtMin_), 3, 0);
    grid->addWidget(txtMin_, 3, 1);
    grid->addWidget(label(tr("M&ax Size (KB):"), txtMax_), 3, 2);
    grid->addWidget(txtMax_, 3, 3);
    grid->addWidget(label(tr("Min &Date:"), txtMinDate_), 4, 0);
    grid->addWidget(txtMinDate_, 4, 1);
    grid->addWidget(label(tr("Max Dat&e:"), txtMaxDate_), 4, 2);
    grid->addWidget(txtMaxDate_, 4, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(Command1_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(Text1_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setText1(str(text));
        cmdOK_->setEnabled(model_.cmdOKEnabled());
    });
    connect(Command2_, &QPushButton::clicked, this, [this] {
        model_.Command2_Click();
        refresh();
    });
    connect(Check1_, &QCheckBox::clicked, this, [this](bool ticked) {
        model_.setCheck1(ticked);
        refresh();
    });
    connect(Check2_, &QCheckBox::clicked, this, [this](bool ticked) {
        model_.Check2_Click(ticked);
        refresh();
    });
    connect(cmbFileMask_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!updating_) model_.setMaskText(str(text));
    });
    connect(txtMin_, &QLineEdit::textEdited, this, [this](const QString& text) { model_.setTxtMin(str(text)); });
    connect(txtMax_, &QLineEdit::textEdited, this, [this](const QString& text) { model_.setTxtMax(str(text)); });
    connect(txtMinDate_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.setTxtMinDate(str(text)); });
    connect(txtMaxDate_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.setTxtMaxDate(str(text)); });
    connect(cmdOK_, &QPushButton::clicked, this, &FolderDialog::okClicked);
    connect(Command1_, &QPushButton::clicked, this, &FolderDialog::reject);

    for (QWidget* box : {static_cast<QWidget*>(txtMin_), static_cast<QWidget*>(txtMax_),
                         static_cast<QWidget*>(cmbFileMask_)})
        box->installEventFilter(this);

    refresh();
}

void FolderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_ || event->spontaneous()) return;
    activated_ = true;
    // After the dialog is on screen, so that the folder picker of an add opens over it.
    QTimer::singleShot(0, this, [this] {
        model_.Form_Activate();
        refresh();
    });
}

void FolderDialog::refresh() {
    updating_ = true;
    showText(Text1_, model_.Text1());
    Check1_->setChecked(model_.Check1());
    Check1_->setEnabled(model_.check1Enabled());
    Check2_->setChecked(model_.Check2());

    QStringList masks;
    for (const std::string& mask : model_.maskList()) masks << qs(mask);
    QStringList shown;
    for (int i = 0; i < cmbFileMask_->count(); ++i) shown << cmbFileMask_->itemText(i);
    if (shown != masks) {
        cmbFileMask_->clear();
        cmbFileMask_->addItems(masks);
    }
    if (str(cmbFileMask_->currentText()) != model_.maskText()) cmbFileMask_->setEditText(qs(model_.maskText()));

    showText(txtMin_, model_.txtMin());
    showText(txtMax_, model_.txtMax());
    showText(txtMinDate_, model_.txtMinDate());
    showText(txtMaxDate_, model_.txtMaxDate());
    for (QWidget* box : {static_cast<QWidget*>(txtMin_), static_cast<QWidget*>(txtMax_),
                         static_cast<QWidget*>(cmbFileMask_)})
        box->setEnabled(model_.filtersEnabled());
    cmdOK_->setEnabled(model_.cmdOKEnabled());
    updating_ = false;
}

QWidget* FolderDialog::control(FolderControl which) const {
    switch (which) {
    case FolderControl::Text1: return Text1_;
    case FolderControl::Command2: return Command2_;
    case FolderControl::Check1: return Check1_;
    case FolderControl::Check2: return Check2_;
    case FolderControl::cmbFileMask: return cmbFileMask_;
    case FolderControl::txtMin: return txtMin_;
    case FolderControl::txtMax: return txtMax_;
    case FolderControl::txtMinDate: return txtMinDate_;
    case FolderControl::txtMaxDate: return txtMaxDate_;
    case FolderControl::cmdOK: return cmdOK_;
    case FolderControl::Command1: return Command1_;
    }
    return nullptr;
}

void FolderDialog::applyFocusRequest() {
    auto request = model_.takeFocusRequest();
    if (!request) return;
    QWidget* box = control(*request);
    if (!box || !box->isEnabled()) return;
    box->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
}

bool FolderDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !model_.finished()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* box = static_cast<QWidget*>(watched);
        QWidget* next = QApplication::focusWidget();
        // Switching windows or opening the box's own list is not leaving it;
        // OK runs every check itself and Cancel needs none.
        const bool leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                             next != cmdOK_ && next != Command1_ && !(next && box->isAncestorOf(next));
        if (leaving) QTimer::singleShot(0, this, [this, box] { leftBox(box); });
    }
    return QDialog::eventFilter(watched, event);
}

void FolderDialog::leftBox(QWidget* box) {
    if (model_.finished() || !isVisible()) return;
    if (box == txtMin_) model_.txtMin_LostFocus();
    else if (box == txtMax_) model_.txtMax_LostFocus();
    else if (box == cmbFileMask_) model_.cmbFileMask_LostFocus();
    refresh();
    applyFocusRequest();
}

void FolderDialog::okClicked() {
    model_.cmdOK_Click();
    refresh();
    applyFocusRequest();
    if (model_.finished()) QDialog::accept();
}

void FolderDialog::reject() {
    if (!model_.finished()) model_.Command1_Click();
    QDialog::reject();
}

}  // namespace tw::gui
