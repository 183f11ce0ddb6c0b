#pragma once
// A prepared SQLite statement owned by RAII, with the engine's value binding and reading.

#include "tsql/Value.h"

#include <sqlite3.h>

#include <string>

namespace tsql {

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const std::string& sql);
    ~SqliteStatement() { sqlite3_finalize(stmt_); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bind(int index, const Value& v); // 1-based
    // Makes the statement ready to run again (bindings are kept until bound anew).
    void reset() { sqlite3_reset(stmt_); }
    int columnCount() const { return sqlite3_column_count(stmt_); }
    void bindInt(int index, std::int64_t v) { sqlite3_bind_int64(stmt_, index, v); }
    void bindText(int index, const std::string& v) {
        sqlite3_bind_text(stmt_, index, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    // Steps once: true while a row is there. SqlError for a failure; `constraintError` receives
    // SQLite's message of a constraint violation instead of throwing when it is given.
    bool step(std::string* constraintError = nullptr);
    std::int64_t intAt(int column) const { return sqlite3_column_int64(stmt_, column); }
    bool isNullAt(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
    std::string textAt(int column) const;
    Value valueAt(int column, const DataType& type) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace tsql
