#pragma once
// The name every session's database answers to: DB_NAME(), the catalog views' catalog columns
// and the texts of constraint errors.

namespace tsql {

inline constexpr const char* kDatabaseName = "provozmat";

} // namespace tsql
