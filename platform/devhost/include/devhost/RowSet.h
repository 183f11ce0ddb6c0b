#pragma once
// A result set as the host hands it to the plug-in: column names and rows of variants.

#include "ov/Variant.h"
#include "tsql/exec/BatchResult.h"

#include <QString>

#include <vector>

namespace devhost {

struct RowSet {
    std::vector<QString> columns;
    std::vector<std::vector<ov::Variant>> rows;

    // The column's index, ignoring case; -1 when there is none.
    int columnIndex(const QString& name) const;
    bool hasColumns() const { return !columns.empty(); }
};

RowSet toRowSet(const tsql::ResultSet& result);

} // namespace devhost
