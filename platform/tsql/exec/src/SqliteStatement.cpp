#include "SqliteStatement.h"

#include "tsql/SqlError.h"
#include "tsql/SqliteFunctions.h"
#include "tsql/SqliteValues.h"

namespace tsql {

namespace {
[[noreturn]] void storageFailure(sqlite3* db) {
    const std::string text = sqlite3_errmsg(db);
    if (auto e = sqlErrorFromSqlite(text))
        throw *e;
    // SQLite's SUM() of integers leaving the 64-bit range.
    if (text == "integer overflow")
        throw SqlError(8115, 16, 2, "Arithmetic overflow error converting expression to data type bigint.");
    throw SqlError(50902, 16, 1, "The storage failed: " + text);
}
} // namespace

SqliteStatement::SqliteStatement(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        storageFailure(db);
}

void SqliteStatement::bind(int index, const Value& v) {
    bindValue(stmt_, index, v);
}

bool SqliteStatement::step(std::string* constraintError) {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    if ((rc & 0xff) == SQLITE_CONSTRAINT && constraintError) {
        *constraintError = sqlite3_errmsg(db_);
        return false;
    }
    storageFailure(db_);
}

std::string SqliteStatement::textAt(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
}

Value SqliteStatement::valueAt(int column, const DataType& type) const {
    return readColumn(stmt_, column, type);
}

} // namespace tsql
