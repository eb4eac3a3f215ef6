#pragma once
// The export wizard "Export Wizard", a view over frmExport.

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace tw {
class frmExport;
}

namespace tw::gui {

class ExportDialog : public QDialog {
    Q_OBJECT

public:
    ExportDialog(frmExport& model, QWidget* parent = nullptr);
    ~ExportDialog() override;

    // Every way of closing ends here; the model is unloaded the first time.
    void done(int result) override;

private:
    QWidget* makePage1();
    QWidget* makePage2();
    void refresh();
    void showProgress();

    frmExport& model_;
    QStackedWidget* pages_;
    QCheckBox* openafter_;
    QButtonGroup* formatGroup_;
    QButtonGroup* rowsGroup_;
    QLineEdit* txtPath_;
    // The four delimiter options and webpage; none of them is checked while
    // the model has no choice.
    QButtonGroup* delimiterGroup_;
    QRadioButton* webpage_;
    QLineEdit* txtOther_;
    QProgressBar* PB_;
    QPushButton* Command1_;
    QPushButton* btn_;
    bool unloaded_ = false;
};

}  // namespace tw::gui
