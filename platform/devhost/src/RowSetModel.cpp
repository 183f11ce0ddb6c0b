#include "devhost/RowSetModel.h"

#include "devhost/ValueMapping.h"

namespace devhost {

void RowSetModel::setRows(std::shared_ptr<const RowSet> rows) {
    beginResetModel();
    rows_ = rows ? std::move(rows) : std::make_shared<const RowSet>();
    endResetModel();
}

int RowSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_->rows.size());
}

int RowSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_->columns.size());
}

QVariant RowSetModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const auto& row = rows_->rows[static_cast<std::size_t>(index.row())];
    const auto& value = row[static_cast<std::size_t>(index.column())];
    return value.isNull() ? QVariant() : QVariant(displayText(value));
}

QVariant RowSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return rows_->columns[static_cast<std::size_t>(section)];
}

} // namespace devhost
