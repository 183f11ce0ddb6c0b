#pragma once
// Expressions that read no table (SET @v = @w + 1, IF @x > 0, RAISERROR arguments) evaluated
// without a round trip through SQLite, with the same value functions the generated SQL calls.

#include "tsql/binder/Bound.h"

#include <functional>
#include <optional>

namespace tsql {

// The value of a Variable or Session node.
using ParameterValue = std::function<Value(const BoundExpr&)>;

// Whether the tree can be evaluated here (no columns, subqueries or aggregates).
bool isDirect(const BoundExpr& e);
// The value (a condition gives bit 1 or 0, or NULL for unknown). Requires isDirect(e).
Value evaluateDirect(const BoundExpr& e, const ParameterValue& parameter);

} // namespace tsql
