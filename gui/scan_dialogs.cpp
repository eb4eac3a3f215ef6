#include "gui/scan_dialogs.h"

#include "app/scan_dialogs.h"
#include "gui/qt_text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw::gui {

namespace {

QLabel* textLabel(const std::string& text, const char* name, QWidget* parent, bool bold = false) {
    auto* label = new QLabel(qs(text), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

}  // namespace

TooManyFilesDialog::TooManyFilesDialog(frmTooManyFiles& model, QWidget* parent) : QDialog(parent) {
    setObjectName("frmTooManyFiles");
    setWindowTitle(qs(model.caption()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel(model.lblTitle(), "lblTitle", this, true));
    layout->addWidget(textLabel(model.lblWarning(), "lblWarning", this));
    layout->addWidget(textLabel(model.lblContinue(), "lblContinue", this));
    layout->addWidget(textLabel(model.lblRecommendationTitle(), "lblRecommendationTitle", this, true));
    layout->addWidget(textLabel(model.lblRecommendation(), "lblRecommendation", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cmdCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, [this, &model] {
        model.cmdOK_Click();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, [this, &model] {
        model.cmdCancel_Click();
        reject();
    });
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

FuzzyDialog::FuzzyDialog(FuzzyFrm& model, QWidget* parent) : QDialog(parent) {
    setObjectName("FuzzyFrm");
    setWindowTitle(qs(model.caption()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel(model.lblExplanation(), "lblExplanation", this));
    auto* example = new QLabel(
        tr("Example: two copies of a 2,000-byte file whose first 1,000 bytes are equal count as similar."), this);
    example->setObjectName("lblExample");
    example->setWordWrap(true);
    layout->addWidget(example);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(400);
}

}  // namespace tw::gui
