#pragma once
// Writes rows of one table into its storage: each value converted to its column's type with the
// store rules (8152 for text that does not fit), NULL refused for NOT NULL columns (515), computed
// columns filled in and CHECK constraints kept (547) when the table has them, and a duplicate key
// reported as the server reports it (2627, 2601). The rows written are kept for the checks that
// run once the whole statement is done (foreign keys).

#include "RowExpressions.h"
#include "SqliteStatement.h"

#include "tsql/binder/TableInfo.h"

#include <memory>
#include <optional>
#include <vector>

namespace tsql {

// How a writer reaches the session: its values (GETDATE(), ...) and the database's name.
struct RowContext {
    ParameterValue session;
    std::string database;
};

class RowWriter {
public:
    RowWriter(sqlite3* db, const TableInfo& table, const RowRules* rules = nullptr, RowContext context = {})
        : db_(db), table_(table), rules_(rules && !rules->empty() ? rules : nullptr),
          context_(std::move(context)) {}

    void insert(const std::vector<Value>& row);
    // Writes the given columns of the row stored under `rowid`; `row` holds every column.
    void update(std::int64_t rowid, const std::vector<Value>& row, const std::vector<std::size_t>& columns);

    struct Written {
        std::int64_t rowid;
        std::vector<Value> row; // every column, as stored
    };
    const std::vector<Written>& written() const { return written_; }

private:
    Value storeForm(const Value& v, std::size_t column, const char* verb) const;
    void complete(std::vector<Value>& row, const char* verb) const;
    void check(SqliteStatement& s, const std::vector<Value>& row);

    sqlite3* db_;
    const TableInfo& table_;
    const RowRules* rules_;
    RowContext context_;
    std::unique_ptr<SqliteStatement> insert_;
    std::unique_ptr<SqliteStatement> update_;
    std::vector<std::size_t> updated_; // the columns update_ writes
    std::vector<Written> written_;
};

} // namespace tsql
