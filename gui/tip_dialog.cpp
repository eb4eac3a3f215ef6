#include "gui/tip_dialog.h"

#include "app/frm_tip.h"
#include "gui/icons.h"
#include "gui/qt_text.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw::gui {

TipDialog::TipDialog(frmTip& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("frmTip");
    setWindowTitle(qs(frmTip::Caption));

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);

    auto* bulb = new QLabel(panel);
    bulb->setPixmap(namedIcon("tip").pixmap(32, 32));
    bulb->setAlignment(Qt::AlignTop);

    auto* heading = new QLabel(tr("Did you know..."), panel);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    heading->setFont(bold);

    lblTipText_ = new QLabel(panel);
    lblTipText_->setObjectName("lblTipText");
    lblTipText_->setTextFormat(Qt::PlainText);
    lblTipText_->setWordWrap(true);
    lblTipText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText_->setMinimumSize(340, 90);

    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(lblTipText_, 1);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(12, 12, 12, 12);
    panelLayout->setSpacing(12);
    panelLayout->addWidget(bulb, 0, Qt::AlignTop);
    panelLayout->addLayout(text, 1);

    chkLoadTipsAtStartup_ = new QCheckBox(qs(frmTip::ShowTipsCaption), this);
    chkLoadTipsAtStartup_->setObjectName("chkLoadTipsAtStartup");
    chkLoadTipsAtStartup_->setChecked(model_.chkLoadTipsAtStartup());
    connect(chkLoadTipsAtStartup_, &QCheckBox::toggled, this,
            [this](bool ticked) { model_.chkLoadTipsAtStartup_Click(ticked); });

    cmdNextTip_ = new QPushButton(qs(frmTip::NextTipCaption), this);
    cmdNextTip_->setObjectName("cmdNextTip");
    cmdNextTip_->setAutoDefault(false);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(cmdNextTip_, &QPushButton::clicked, this, [this] {
        model_.cmdNextTip_Click();
        showTip();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkLoadTipsAtStartup_);
    bottom->addStretch(1);
    bottom->addWidget(cmdNextTip_);
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(bottom);

    showTip();
}

void TipDialog::showTip() { lblTipText_->setText(qs(model_.lblTipText())); }

}  // namespace tw::gui
