#pragma once
// What the engine registers on each SQLite connection: the collation, LIKE, and the exact decimal
// aggregates; and how a SqlError raised inside such a function travels through SQLite's error
// message to the caller.

#include "tsql/SqlError.h"

#include <optional>
#include <string_view>

struct sqlite3;
struct sqlite3_context;

namespace tsql {

// Makes the function fail with the error; sqlErrorFromSqlite reads it back from the message.
void reportToSqlite(sqlite3_context* ctx, const SqlError& error);
std::optional<SqlError> sqlErrorFromSqlite(std::string_view message);

// tsql_dec_sum(x, precision, scale): SUM of decimal(precision, scale) values in their storage form,
// giving decimal(38, scale) in its storage form; 8115 when it overflows.
// tsql_dec_avg(x, precision, scale): AVG, giving decimal(38, max(scale, 6)), truncated.
void registerDecimalAggregates(sqlite3* db);

// The collation, tsql_like and the decimal aggregates. SqlError when SQLite refuses one.
void registerEngineFunctions(sqlite3* db);

} // namespace tsql
