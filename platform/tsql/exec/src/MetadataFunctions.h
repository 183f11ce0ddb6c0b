#pragma once
// The metadata functions (OBJECT_ID, OBJECT_NAME, OBJECT_DEFINITION, COL_NAME, COL_LENGTH,
// COLUMNPROPERTY, OBJECTPROPERTY, INDEXPROPERTY, INDEX_COL, TYPE_NAME, TYPE_ID, SCHEMA_NAME,
// SCHEMA_ID, DB_ID) over the catalog of the connection they are called on. Generated SQL calls them
// as tsql_meta(...); they are never evaluated without the database.

#include "tsql/Value.h"
#include "tsql/binder/Builtins.h"

#include <vector>

struct sqlite3;

namespace tsql {

// Registers tsql_meta on the connection.
void registerMetadataFunctions(sqlite3* db);

// The function's value; NULL where the server gives NULL (no such object, column or property).
Value callMetadata(sqlite3* db, BuiltinId id, const DataType& result, const std::vector<Value>& args);

// The statements the functions keep prepared on the connection; to be called before it is closed.
void releaseMetadataStatements(sqlite3* db);

} // namespace tsql
