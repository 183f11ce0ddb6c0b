#pragma once
// Checks a whole batch before any of it runs, as the server compiles a batch: variables must be
// declared (textually) before use, every expression must type-check with the server's rules,
// columns of tables that exist must resolve (207, 209, 4104), and constructs not built yet are
// refused. Statements on tables that do not exist yet are left to run time (deferred name
// resolution, 208 when they run).

#include "Catalog.h"
#include "ExecutionContext.h"

#include "tsql/syntax/Ast.h"

#include <cstdint>

namespace tsql {

// Throws the first SqlError found; `line` receives the line of the statement it was found in.
void bindBatch(const Batch& batch, const Catalog& catalog, const ExecutionContext& session,
               std::uint32_t& line);

} // namespace tsql
