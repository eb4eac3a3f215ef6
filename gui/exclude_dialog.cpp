#include "gui/exclude_dialog.h"

#include "gui/qt_text.h"
#include "setup/exclude_frm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QValidator>
#include <QVBoxLayout>

namespace tw::gui {

namespace {

// Keeps the extension box to the characters the model takes, whether typed or pasted.
class ExtensionValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        for (QChar character : input)
            if (!ExtensionCharacterAllowed(character.unicode())) return Invalid;
        return Acceptable;
    }
};

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(name);
    push->setAutoDefault(false);
    return push;
}

QListWidget* entryList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

void fill(QListWidget& list, const std::vector<ExclusionEntry>& entries, int selected) {
    QSignalBlocker block(&list);
    list.clear();
    for (const ExclusionEntry& entry : entries) {
        auto* item = new QListWidgetItem(qs(entry.text), &list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.active ? Qt::Checked : Qt::Unchecked);
    }
    list.setCurrentRow(selected);
}

}  // namespace

ExcludeDialog::ExcludeDialog(ExcludeFrm& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("ExcludeFrm");
    setWindowTitle(qs(ExcludeFrm::Caption));

    auto* folderFrame = new QGroupBox(qs(ExcludeFrm::FolderFrameCaption), this);
    lstExFolders_ = entryList("lstExFolders", folderFrame);
    auto* cmdAddExFolder = button(tr("Add..."), "cmdAddExFolder", folderFrame);
    cmdRemoveExFolder_ = button(qs(ExcludeFrm::RemoveCaption), "cmdRemoveExFolder", folderFrame);
    auto* folderButtons = new QVBoxLayout;
    folderButtons->addWidget(cmdAddExFolder);
    folderButtons->addWidget(cmdRemoveExFolder_);
    folderButtons->addStretch(1);
    auto* folderLayout = new QHBoxLayout(folderFrame);
    folderLayout->addWidget(lstExFolders_, 1);
    folderLayout->addLayout(folderButtons);

    auto* extensionFrame = new QGroupBox(qs(ExcludeFrm::ExtensionFrameCaption), this);
    auto* extensionLabel = new QLabel(qs(ExcludeFrm::ExtensionLabel), extensionFrame);
    lstExExtension_ = entryList("lstExExtension", extensionFrame);
    txtAddExtension_ = new QLineEdit(extensionFrame);
    txtAddExtension_->setObjectName("txtAddExtension");
    txtAddExtension_->setValidator(new ExtensionValidator(txtAddExtension_));
    txtAddExtension_->installEventFilter(this);
    auto* cmdAddExExtension = button(tr("Add"), "cmdAddExExtension", extensionFrame);
    cmdRemoveExExtension_ = button(qs(ExcludeFrm::RemoveCaption), "cmdRemoveExExtension", extensionFrame);
    auto* extensionButtons = new QVBoxLayout;
    extensionButtons->addWidget(txtAddExtension_);
    extensionButtons->addWidget(cmdAddExExtension);
    extensionButtons->addWidget(cmdRemoveExExtension_);
    extensionButtons->addStretch(1);
    auto* extensionRow = new QHBoxLayout;
    extensionRow->addWidget(lstExExtension_, 1);
    extensionRow->addLayout(extensionButtons);
    auto* extensionLayout = new QVBoxLayout(extensionFrame);
    extensionLayout->addWidget(extensionLabel);
    extensionLayout->addLayout(extensionRow);

    auto* hint = new QLabel(qs(ExcludeFrm::Hint), this);
    hint->setTextFormat(Qt::PlainText);
    hint->setWordWrap(true);
    auto* ok = button(tr("OK"), "cmdOK", this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(ok, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderFrame, 3);
    layout->addWidget(extensionFrame, 2);
    layout->addLayout(bottom);
    resize(520, 460);

    for (auto [list, isFolder] : {std::pair{lstExFolders_, true}, std::pair{lstExExtension_, false}}) {
        connect(list, &QListWidget::itemChanged, this, [this, list, isFolder](QListWidgetItem* item) {
            int row = list->row(item);
            bool ticked = item->checkState() == Qt::Checked;
            if (isFolder) model_.tickFolder(row, ticked);
            else model_.tickExtension(row, ticked);
        });
        connect(list, &QListWidget::currentRowChanged, this, [this, isFolder](int row) {
            if (isFolder) model_.setLstExFoldersIndex(row);
            else model_.setLstExExtensionIndex(row);
        });
    }
    connect(txtAddExtension_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.setTxtAddExtension(str(text)); });
    connect(cmdAddExFolder, &QPushButton::clicked, this, [this] {
        model_.cmdAddExFolder_Click();
        showModel();
    });
    connect(cmdRemoveExFolder_, &QPushButton::clicked, this, [this] {
        model_.cmdRemoveExFolder_Click();
        showModel();
    });
    connect(cmdAddExExtension, &QPushButton::clicked, this, [this] {
        model_.cmdAddExExtension_Click();
        showAddedExtension();
    });
    connect(cmdRemoveExExtension_, &QPushButton::clicked, this, [this] {
        model_.cmdRemoveExExtension_Click();
        showModel();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        model_.cmdOK_Click();
        if (model_.hiddenByOK()) accept();
    });

    showModel();
}

bool ExcludeDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter adds the typed extension; it must not reach the dialog, which would take it as OK.
    if (watched == txtAddExtension_ && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            model_.txtAddExtension_KeyPress(ExcludeFrm::KeyEnter);
            showAddedExtension();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ExcludeDialog::showAddedExtension() {
    showModel();
    if (model_.txtAddExtension().empty()) {
        txtAddExtension_->clear();
        txtAddExtension_->setFocus();
    }
}

void ExcludeDialog::showModel() {
    fill(*lstExFolders_, model_.lstExFolders(), model_.lstExFoldersIndex());
    fill(*lstExExtension_, model_.lstExExtension(), model_.lstExExtensionIndex());
    cmdRemoveExFolder_->setEnabled(model_.cmdRemoveExFolderEnabled());
    cmdRemoveExExtension_->setEnabled(model_.cmdRemoveExExtensionEnabled());
}

}  // namespace tw::gui
