#pragma once
// The too-many-files warning and the fuzzy-match explanation.

#include <QDialog>

namespace tw {
class frmTooManyFiles;
class FuzzyFrm;
}  // namespace tw

namespace tw::gui {

class TooManyFilesDialog : public QDialog {
    Q_OBJECT

public:
    TooManyFilesDialog(frmTooManyFiles& model, QWidget* parent = nullptr);
};

class FuzzyDialog : public QDialog {
    Q_OBJECT

public:
    FuzzyDialog(FuzzyFrm& model, QWidget* parent = nullptr);
};

}  // namespace tw::gui
