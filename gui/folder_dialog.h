#pragma once
// The folder dialog "Add/Exclude Folders", a view over FolderFrm.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tw {
class FolderFrm;
enum class FolderControl;
}  // namespace tw

namespace tw::gui {

class FolderDialog : public QDialog {
    Q_OBJECT

public:
    FolderDialog(FolderFrm& model, QWidget* parent = nullptr);

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void applyFocusRequest();
    void leftBox(QWidget* box);
    void okClicked();
    QWidget* control(FolderControl which) const;

    FolderFrm& model_;
    QLineEdit* Text1_;
    QPushButton* Command2_;
    QCheckBox* Check1_;
    QCheckBox* Check2_;
    QComboBox* cmbFileMask_;
    QLineEdit* txtMin_;
    QLineEdit* txtMax_;
    QLineEdit* txtMinDate_;
    QLineEdit* txtMaxDate_;
    QPushButton* cmdOK_;
    QPushButton* Command1_;
    bool activated_ = false;
    bool updating_ = false;
};

}  // namespace tw::gui
