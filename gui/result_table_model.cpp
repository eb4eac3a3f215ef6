#include "gui/result_table_model.h"

#include "gui/icons.h"
#include "gui/qt_text.h"
#include "results/result_list.h"

#include <QColor>

#include <limits>

namespace tw::gui {

namespace {

const QColor ShadedBackground(213, 233, 249);

}  // namespace

ResultTableModel::ResultTableModel(ResultList& rows, QObject* parent) : QAbstractTableModel(parent), rows_(rows) {
    rows_.setObserver({
        [this] { beginResetModel(); },
        [this] { endResetModel(); },
        [this](const std::vector<uint32_t>& newToOld) { reorder(newToOld); },
        [this](size_t first, size_t last) {
            emit dataChanged(index(static_cast<int>(first), 0),
                             index(static_cast<int>(last), columnCount() - 1));
        },
    });
}

ResultTableModel::~ResultTableModel() { rows_.setObserver({}); }

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(std::min<size_t>(rows_.rowCount(), std::numeric_limits<int>::max()));
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ResultColumns.size());
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    auto row = static_cast<size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole: return qs(rows_.cell(row, static_cast<size_t>(index.column())));
    case Qt::DecorationRole:
        if (index.column() == 0) return numberedIcon(rows_.markCode(row));
        return {};
    case Qt::BackgroundRole:
        if (rows_.shaded(row)) return ShadedBackground;
        return {};
    case Qt::TextAlignmentRole: return headerData(index.column(), Qt::Horizontal, role);
    default: return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const ColumnSpec& column = ResultColumns[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole) return qs(column.header);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (column.align == Align::Right ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

// The core has already put the rows in their new order; the persistent indexes
// (current row, selection) follow them here.
void ResultTableModel::reorder(const std::vector<uint32_t>& newToOld) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> oldToNew(newToOld.size());
    for (size_t i = 0; i < newToOld.size(); ++i) oldToNew[newToOld[i]] = static_cast<int>(i);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(old.isValid() && static_cast<size_t>(old.row()) < oldToNew.size()
                         ? index(oldToNew[static_cast<size_t>(old.row())], old.column())
                         : QModelIndex());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace tw::gui
