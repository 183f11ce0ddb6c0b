#pragma once
// The server's catalog views (sysobjects, syscolumns, sys.objects, sys.columns,
// INFORMATION_SCHEMA.COLUMNS, ...) as SQLite TEMP views over the engine's catalog tables of the
// database file, made on each connection, and their columns as the binder sees them. They show the
// objects of the database only: #tables live in the temporary catalog, as the server keeps them in
// tempdb.

#include "tsql/binder/TableInfo.h"

#include <optional>
#include <string_view>

struct sqlite3;

namespace tsql {

// Creates the views and the fixed tables and functions they read (SqlError 50902 when SQLite fails).
void createCatalogViews(sqlite3* db);

// The view a name denotes ("sysobjects", "sys.objects", "INFORMATION_SCHEMA.COLUMNS", any case);
// nullopt when the name is not one.
std::optional<TableInfo> findSystemView(std::string_view name);

} // namespace tsql
