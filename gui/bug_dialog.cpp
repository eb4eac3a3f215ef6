#include "gui/bug_dialog.h"

#include "base/bug_frm.h"
#include "gui/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tw::gui {

namespace {

QLabel* wrappedLabel(const std::string& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(qs(text), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(name);
    push->setAutoDefault(false);
    return push;
}

}  // namespace

BugDialog::BugDialog(BugFrm& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("BugFrm");
    setWindowTitle(qs(model_.caption()));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* messages = new QVBoxLayout;
    messages->addWidget(wrappedLabel(model_.lblmsg1(), "lblmsg1", this));
    messages->addWidget(wrappedLabel(model_.lblmsg2(), "lblmsg2", this));
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(messages, 1);

    auto* text = new QPlainTextEdit(this);
    text->setObjectName("Text1");
    // The facts end in CR LF; the text box shows plain line breaks.
    QString facts = qs(model_.Text1());
    facts.remove(QLatin1Char('\r'));
    text->setPlainText(facts);
    text->setMinimumSize(420, 120);

    auto* retry = button(tr("Retry"), "cmdRetry", this);
    auto* abort = button(tr("Abort"), "cmdAbort", this);
    auto* send = button(tr("Send Error Report"), "cmdSendReport", this);
    retry->setDefault(true);
    connect(retry, &QPushButton::clicked, this, [this] {
        model_.cmdRetry_Click();
        closeIfFinished();
    });
    connect(abort, &QPushButton::clicked, this, [this] {
        model_.cmdAbort_Click();
        closeIfFinished();
    });
    connect(send, &QPushButton::clicked, this, [this] { model_.cmdSendReport_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(send);
    buttons->addStretch(1);
    buttons->addWidget(retry);
    buttons->addWidget(abort);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
}

void BugDialog::closeIfFinished() {
    if (model_.finished()) accept();
}

}  // namespace tw::gui
