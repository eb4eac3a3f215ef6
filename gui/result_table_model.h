#pragma once
// The result list's rows as a Qt table model for the view `RLV`. It reads the
// core's ResultList, holds no copy of the rows, and produces each cell's text,
// check image and shading only when the view paints it.

#include <QAbstractTableModel>

namespace tw {
class ResultList;
}

namespace tw::gui {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResultTableModel(ResultList& rows, QObject* parent = nullptr);
    ~ResultTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void reorder(const std::vector<uint32_t>& newToOld);

    ResultList& rows_;
};

}  // namespace tw::gui
