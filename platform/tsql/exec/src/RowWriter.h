#pragma once
// Writes rows of one table into its storage: each value converted to its column's type with the
// store rules (8152 for text that does not fit), NULL refused for NOT NULL columns (515) and a
// duplicate key reported as the server reports it (2627).

#include "SqliteStatement.h"

#include "tsql/binder/TableInfo.h"

#include <memory>
#include <optional>
#include <vector>

namespace tsql {

class RowWriter {
public:
    RowWriter(sqlite3* db, const TableInfo& table) : db_(db), table_(table) {}

    void insert(const std::vector<Value>& row);
    // Writes the given columns of the row stored under `rowid`; `row` holds every column.
    void update(std::int64_t rowid, const std::vector<Value>& row, const std::vector<std::size_t>& columns);

private:
    Value storeForm(const Value& v, std::size_t column, const char* verb) const;
    void check(SqliteStatement& s, const std::vector<Value>& row);

    sqlite3* db_;
    const TableInfo& table_;
    std::unique_ptr<SqliteStatement> insert_;
    std::unique_ptr<SqliteStatement> update_;
};

} // namespace tsql
