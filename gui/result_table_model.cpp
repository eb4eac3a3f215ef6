#include "gui/result_table_model.h"

#include "gui/qt_text.h"
#include "results/result_list.h"

#include <algorithm>
#include <limits>

namespace tw::gui {

namespace {

int clampedRowCount(const ResultList& rows) {
    constexpr size_t most = static_cast<size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(std::min(rows.rowCount(), most));
}

}  // namespace

ResultTableModel::ResultTableModel(const ResultList& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), shownRows_(clampedRowCount(rows)) {}

int ResultTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ResultColumns.size());
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shownRows_) return {};
    if (role == Qt::TextAlignmentRole) return headerData(index.column(), Qt::Horizontal, role);
    return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const ColumnSpec& column = ResultColumns[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole) return qs(column.header);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (column.align == Align::Right ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

void ResultTableModel::refresh() {
    int rows = clampedRowCount(rows_);
    if (rows == shownRows_) return;
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
}

}  // namespace tw::gui
