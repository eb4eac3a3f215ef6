#include "gui/export_dialog.h"

#include "app/frm_export.h"
#include "gui/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace tw::gui {

namespace {

const QColor LightRed(255, 192, 192);

QPushButton* button(std::string_view caption, const char* name, QWidget* parent) {
    auto* push = new QPushButton(qs(caption), parent);
    push->setObjectName(name);
    push->setAutoDefault(false);
    return push;
}

// A radio button of `group`, known there by `id`.
QRadioButton* option(std::string_view caption, const char* name, QButtonGroup* group, int id, QWidget* parent) {
    auto* radio = new QRadioButton(qs(caption), parent);
    radio->setObjectName(name);
    group->addButton(radio, id);
    return radio;
}

// Sets the text unless it is already shown, so the cursor of an unchanged box stays where it is.
void showText(QLineEdit* edit, const std::string& text) {
    if (str(edit->text()) != text) edit->setText(qs(text));
}

void check(QButtonGroup* group, int id) {
    if (QAbstractButton* chosen = group->button(id)) chosen->setChecked(true);
}

int progressUnits(size_t value) { return static_cast<int>(std::min<size_t>(value, INT_MAX)); }

}  // namespace

ExportDialog::ExportDialog(frmExport& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("frmExport");
    setWindowTitle(qs(frmExport::Caption));

    pages_ = new QStackedWidget(this);
    pages_->addWidget(makePage1());
    pages_->addWidget(makePage2());

    Command1_ = button(frmExport::BackCaption, "Command1", this);
    btn_ = button(model_.btnCaption(), "btn", this);
    btn_->setDefault(true);
    auto* Command2 = button(frmExport::CancelCaption, "Command2", this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1_);
    buttons->addWidget(btn_);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);

    connect(openafter_, &QCheckBox::clicked, this, [this](bool ticked) {
        model_.setOpenafter(ticked);
        refresh();
    });
    connect(formatGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.setFormat(static_cast<ExportFormat>(id));
        refresh();
    });
    connect(rowsGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.setRows(static_cast<ExportRows>(id));
        refresh();
    });
    connect(delimiterGroup_, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* clicked) {
        // "Webpage" only stands in for the delimiter of an HTML page; it is no choice of its own.
        if (clicked != webpage_) model_.setDelimiter(static_cast<frmExport::Delimiter>(delimiterGroup_->id(clicked)));
        refresh();
    });
    connect(txtPath_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setTxtPath(str(text));
        refresh();
    });
    connect(txtOther_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setTxtOther(str(text));
        refresh();
    });
    connect(btn_, &QPushButton::clicked, this, [this] {
        model_.btn_Click();
        refresh();
        if (model_.focus() == frmExport::Focus::TxtPath) txtPath_->setFocus(Qt::OtherFocusReason);
    });
    connect(Command1_, &QPushButton::clicked, this, [this] {
        model_.Command1_Click();
        refresh();
    });
    connect(Command2, &QPushButton::clicked, this, [this] {
        model_.Command2_Click();
        reject();
    });

    // The export runs inside btn_Click: the bar is painted at once, without waiting for the event loop.
    model_.progressChanged = [this] {
        showProgress();
        PB_->repaint();
    };
    refresh();
}

ExportDialog::~ExportDialog() { model_.progressChanged = nullptr; }

QWidget* ExportDialog::makePage1() {
    auto* page = new QWidget;
    page->setObjectName("f1");

    openafter_ = new QCheckBox(qs(frmExport::OpenAfterCaption), page);
    openafter_->setObjectName("openafter");

    auto* formatFrame = new QGroupBox(qs(frmExport::FormatFrameCaption), page);
    formatGroup_ = new QButtonGroup(this);
    auto* formatLayout = new QVBoxLayout(formatFrame);
    formatLayout->addWidget(option(frmExport::XmlCaption, "optXml", formatGroup_, int(ExportFormat::Xml), formatFrame));
    formatLayout->addWidget(
        option(frmExport::HtmlCaption, "optHtml", formatGroup_, int(ExportFormat::Html), formatFrame));
    formatLayout->addWidget(
        option(frmExport::DelimitedCaption, "OptDeli", formatGroup_, int(ExportFormat::Delimited), formatFrame));

    auto* rowsFrame = new QGroupBox(qs(frmExport::RowsFrameCaption), page);
    rowsGroup_ = new QButtonGroup(this);
    auto* rowsLayout = new QVBoxLayout(rowsFrame);
    rowsLayout->addWidget(option(frmExport::MarkedCaption, "optMark", rowsGroup_, int(ExportRows::Marked), rowsFrame));
    rowsLayout->addWidget(option(frmExport::AllCaption, "optAllFiles", rowsGroup_, int(ExportRows::All), rowsFrame));
    rowsLayout->addWidget(
        option(frmExport::SelectedCaption, "optSelected", rowsGroup_, int(ExportRows::Selected), rowsFrame));

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(openafter_);
    layout->addWidget(formatFrame);
    layout->addWidget(rowsFrame);
    layout->addStretch(1);
    return page;
}

QWidget* ExportDialog::makePage2() {
    using Delimiter = frmExport::Delimiter;
    auto* page = new QWidget;
    page->setObjectName("F2");

    auto* outputFrame = new QGroupBox(qs(frmExport::OutputFrameCaption), page);
    txtPath_ = new QLineEdit(outputFrame);
    txtPath_->setObjectName("txtPath");
    txtPath_->setMinimumWidth(320);
    auto* cmdAdd = button("...", "cmdAdd", outputFrame);
    connect(cmdAdd, &QPushButton::clicked, this, [this] {
        model_.cmdAdd_Click();
        refresh();
    });
    auto* outputLayout = new QHBoxLayout(outputFrame);
    outputLayout->addWidget(txtPath_, 1);
    outputLayout->addWidget(cmdAdd);

    auto* delimiterFrame = new QGroupBox(qs(frmExport::DelimiterFrameCaption), page);
    delimiterGroup_ = new QButtonGroup(this);
    txtOther_ = new QLineEdit(delimiterFrame);
    txtOther_->setObjectName("txtOther");
    // -1 lets the group number it below zero, apart from every delimiter.
    webpage_ = option(frmExport::WebpageCaption, "webpage", delimiterGroup_, -1, delimiterFrame);
    auto* delimiterLayout = new QGridLayout(delimiterFrame);
    delimiterLayout->addWidget(option(frmExport::TabCaption, "optTab", delimiterGroup_, int(Delimiter::Tab),
                                      delimiterFrame), 0, 0);
    delimiterLayout->addWidget(option(frmExport::CommaCaption, "optComma", delimiterGroup_, int(Delimiter::Comma),
                                      delimiterFrame), 0, 1);
    delimiterLayout->addWidget(option(frmExport::SemicolonCaption, "optSemi", delimiterGroup_,
                                      int(Delimiter::Semicolon), delimiterFrame), 0, 2);
    delimiterLayout->addWidget(webpage_, 0, 3);
    delimiterLayout->addWidget(option(frmExport::OtherCaption, "optOther", delimiterGroup_, int(Delimiter::Other),
                                      delimiterFrame), 1, 0, 1, 2);
    delimiterLayout->addWidget(txtOther_, 1, 2, 1, 2);

    PB_ = new QProgressBar(page);
    PB_->setObjectName("PB");
    PB_->setTextVisible(false);
    auto* progressLabel = new QLabel(qs(frmExport::ProgressCaption), page);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(outputFrame);
    layout->addWidget(delimiterFrame);
    layout->addWidget(progressLabel);
    layout->addWidget(PB_);
    layout->addStretch(1);
    return page;
}

void ExportDialog::refresh() {
    pages_->setCurrentIndex(model_.page() - 1);

    openafter_->setChecked(model_.openafter());
    check(formatGroup_, int(model_.format()));
    check(rowsGroup_, int(model_.rows()));

    showText(txtPath_, model_.txtPath());
    QPalette pathColours = txtPath_->palette();
    pathColours.setColor(QPalette::Base, model_.txtPathLightRed() ? LightRed : palette().color(QPalette::Base));
    txtPath_->setPalette(pathColours);

    // An exclusive group cannot uncheck its last checked button.
    delimiterGroup_->setExclusive(false);
    for (QAbstractButton* radio : delimiterGroup_->buttons()) {
        int id = delimiterGroup_->id(radio);
        radio->setChecked(radio == webpage_ ? model_.webpageSelected() : id == int(model_.delimiter()));
        radio->setEnabled(radio == webpage_ ? model_.webpageEnabled() : model_.delimiterOptionsEnabled());
    }
    delimiterGroup_->setExclusive(true);
    showText(txtOther_, model_.txtOther());
    txtOther_->setEnabled(model_.txtOtherEnabled());

    showProgress();
    btn_->setText(qs(model_.btnCaption()));
    btn_->setEnabled(model_.btnEnabled());
    Command1_->setEnabled(model_.Command1Enabled());
}

void ExportDialog::showProgress() {
    // A range of 0 to 0 would show a busy bar; an export that has not started shows an empty one.
    PB_->setRange(0, std::max(progressUnits(model_.PBMax()), 1));
    PB_->setValue(progressUnits(model_.PBValue()));
}

void ExportDialog::done(int result) {
    if (!unloaded_) {
        unloaded_ = true;
        model_.Form_Unload();
    }
    QDialog::done(result);
}

}  // namespace tw::gui
