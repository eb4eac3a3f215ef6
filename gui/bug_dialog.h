#pragma once
// The bug report window, a view over BugFrm.

#include <QDialog>

namespace tw {
class BugFrm;
}

namespace tw::gui {

class BugDialog : public QDialog {
    Q_OBJECT

public:
    BugDialog(BugFrm& model, QWidget* parent = nullptr);

private:
    void closeIfFinished();

    BugFrm& model_;
};

}  // namespace tw::gui
