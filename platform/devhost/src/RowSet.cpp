#include "devhost/RowSet.h"

#include "devhost/ValueMapping.h"

namespace devhost {

int RowSet::columnIndex(const QString& name) const {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

RowSet toRowSet(const tsql::ResultSet& result) {
    RowSet set;
    set.columns.reserve(result.columns.size());
    for (const tsql::ResultColumn& column : result.columns)
        set.columns.push_back(QString::fromStdString(column.name));
    set.rows.reserve(result.rows.size());
    for (const auto& row : result.rows) {
        std::vector<ov::Variant> values;
        values.reserve(row.size());
        for (const tsql::Value& value : row)
            values.push_back(toVariant(value));
        set.rows.push_back(std::move(values));
    }
    return set;
}

} // namespace devhost
