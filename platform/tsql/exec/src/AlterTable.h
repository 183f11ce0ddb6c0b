#pragma once
// ALTER TABLE: ADD columns and constraints, DROP columns and constraints, ALTER COLUMN, CHECK and
// NOCHECK CONSTRAINT, ENABLE and DISABLE TRIGGER. Where SQLite cannot change the storage in place
// the table is rebuilt: its rows are copied with their rowids into a new storage table that takes
// the old one's name, so identity values and the next identity stay. The statement runs inside the
// executor's statement savepoint, so a failure leaves schema and data as they were.

#include "RowWriter.h"
#include "SessionCatalog.h"

#include "tsql/syntax/Ast.h"

namespace tsql {

void alterTable(const AlterTableStmt& s, SessionCatalog& catalog, sqlite3* db, const RowContext& context);

} // namespace tsql
