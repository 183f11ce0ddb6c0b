#pragma once
// A read-only table model over a row set, for the browse windows and the pick dialog.

#include "devhost/RowSet.h"

#include <QAbstractTableModel>

#include <memory>

namespace devhost {

class RowSetModel final : public QAbstractTableModel {
public:
    explicit RowSetModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setRows(std::shared_ptr<const RowSet> rows);
    const RowSet* rows() const noexcept { return rows_.get(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const RowSet> rows_ = std::make_shared<const RowSet>();
};

} // namespace devhost
