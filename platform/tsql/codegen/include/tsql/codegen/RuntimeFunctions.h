#pragma once
// The functions generated SQL calls, registered on each connection:
//   tsql_cvt(x, from, to, mode, style)    a conversion with the server's rules and errors
//   tsql_arith(op, x, tx, y, ty)          + - * / % on values of those types
//   tsql_neg(x, t)                        unary minus
//   tsql_fn(builtin, result, x1, t1, ...) a scalar built-in function
//   tsql_single(x)                        aggregate: the only value, NULL for none, 512 for more
// besides the collation, tsql_like and the decimal aggregates of the types layer. Types travel as
// typeCode() integers; errors as the server's errors (sqlErrorFromSqlite reads them back).

struct sqlite3;

namespace tsql {

void registerRuntimeFunctions(sqlite3* db);

} // namespace tsql
