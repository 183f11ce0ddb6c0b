#pragma once
// Code generation: bound queries and expressions written as SQLite SQL over the storage tables.
// Values travel in their storage forms; the server's conversions, arithmetic and built-ins run in
// the engine's registered functions (RuntimeFunctions.h), comparisons of text use the collation,
// and every constant, variable and session value is a parameter bound when the statement runs.

#include "tsql/binder/Bound.h"
#include "tsql/binder/BoundStatements.h"

#include <string>
#include <vector>

namespace tsql {

struct GeneratedSql {
    std::string text;
    // Parameter i + 1 is the value of params[i]: a Constant, Variable or Session node of the bound
    // tree the SQL was generated from (which must outlive it).
    std::vector<const BoundExpr*> params;
};

// The query's rows with its result columns named c0, c1, ... in order.
GeneratedSql generateQuery(const BoundQuery& q);
// One row with the expression's value in its storage form (a condition gives 1, 0 or NULL).
GeneratedSql generateValue(const BoundExpr& e);
// UPDATE: the target's rowid, then its columns, then the new values of the SET items, for every
// row that changes. DELETE: the rowids of the rows to delete.
GeneratedSql generateChangeRows(const BoundChange& c, bool withValues);

} // namespace tsql
