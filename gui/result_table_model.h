#pragma once
// The result list's rows as a Qt table model for the view `RLV`. It reads the
// core's ResultList and holds no copy of the rows.

#include <QAbstractTableModel>

namespace tw {
class ResultList;
}

namespace tw::gui {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResultTableModel(const ResultList& rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Tells the view that the rows were replaced, when their number changed.
    void refresh();

private:
    const ResultList& rows_;
    int shownRows_ = 0;
};

}  // namespace tw::gui
