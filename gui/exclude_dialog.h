#pragma once
// The exclusion list dialog, a view over ExcludeFrm.

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tw {
class ExcludeFrm;
}

namespace tw::gui {

class ExcludeDialog : public QDialog {
    Q_OBJECT

public:
    ExcludeDialog(ExcludeFrm& model, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showModel();
    // After an add: the box is emptied and focused when the extension was added.
    void showAddedExtension();

    ExcludeFrm& model_;
    QListWidget* lstExFolders_;
    QListWidget* lstExExtension_;
    QLineEdit* txtAddExtension_;
    QPushButton* cmdRemoveExFolder_;
    QPushButton* cmdRemoveExExtension_;
};

}  // namespace tw::gui
