#pragma once
// CREATE TABLE, DROP, TRUNCATE TABLE and CREATE VIEW: the catalog's records and the storage they own.

#include "SessionCatalog.h"

#include "tsql/syntax/Ast.h"

namespace tsql {

void createTable(const CreateTableStmt& s, const Batch& batch, SessionCatalog& catalog);
// A table of the given (already resolved) name: also the temporary table behind a table variable.
void createTable(const std::string& name, const TableDefinition& definition, const Batch& batch,
                 SessionCatalog& catalog);
void dropObjects(const DropStmt& s, SessionCatalog& catalog);
void truncateTable(const TruncateStmt& s, SessionCatalog& catalog, sqlite3* db);
// The view's text is its CREATE statement as written; the view's query must bind now.
void createView(const CreateViewStmt& s, const Batch& batch, SessionCatalog& catalog, bool alter);

} // namespace tsql
