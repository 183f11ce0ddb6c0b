#pragma once
// CREATE INDEX and DROP INDEX, and renaming an index: catalog rows plus, for an index without a
// filter, a SQLite index on the storage that also keeps a UNIQUE index unique (2601).

#include "SessionCatalog.h"

#include "tsql/syntax/Ast.h"

namespace tsql {

// SqlError 1505 when rows of the table repeat the key.
void refuseDuplicateRows(sqlite3* db, const TableInfo& t, const std::vector<int>& key,
                         const std::string& index);
void createIndex(const CreateIndexStmt& s, SessionCatalog& catalog, sqlite3* db);
// DROP INDEX t.i or DROP INDEX i ON t.
void dropIndex(const DropTarget& target, bool ifExists, SessionCatalog& catalog);
// sp_rename 't.i', 'j', 'INDEX'.
void renameIndex(const std::string& qualifiedName, const std::string& newName, SessionCatalog& catalog);

} // namespace tsql
