#pragma once
// The about box, a view over frmAbout.

#include <QDialog>

namespace tw {
class frmAbout;
}

namespace tw::gui {

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    AboutDialog(const frmAbout& model, QWidget* parent = nullptr);
};

}  // namespace tw::gui
