#include "gui/about_dialog.h"

#include "app/frm_tip.h"
#include "base/product.h"
#include "gui/icons.h"
#include "gui/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw::gui {

AboutDialog::AboutDialog(const frmAbout& model, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(qs(model.caption()));

    auto* picture = new QLabel(this);
    picture->setPixmap(namedIcon("twinsweep").pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(qs(ProductName), this);
    name->setObjectName("lblTitle");
    QFont large = name->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.6);
    name->setFont(large);

    auto* version = new QLabel(qs(model.versionText()), this);
    version->setObjectName("lblVersion");

    auto* description = new QLabel(qs(model.description()), this);
    description->setObjectName("lblDescription");
    description->setTextFormat(Qt::PlainText);
    description->setWordWrap(true);
    description->setMinimumWidth(320);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(description);
    text->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
}

}  // namespace tw::gui
