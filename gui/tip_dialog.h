#pragma once
// The tip of the day window, a view over frmTip.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tw {
class frmTip;
}

namespace tw::gui {

class TipDialog : public QDialog {
    Q_OBJECT

public:
    TipDialog(frmTip& model, QWidget* parent = nullptr);

private:
    void showTip();

    frmTip& model_;
    QLabel* lblTipText_;
    QCheckBox* chkLoadTipsAtStartup_;
    QPushButton* cmdNextTip_;
};

}  // namespace tw::gui
