#pragma once
// Types and values of scalar expressions and conditions of the supported subset. Types follow the
// server's static rules: an expression's type is known without running it, and a value is
// converted to that type when it is produced (so CASE and ISNULL give their combined type).

#include "ExecutionContext.h"

#include "tsql/SqlError.h"
#include "tsql/syntax/AstExpressions.h"

#include <optional>

namespace tsql {

// The static type of an expression; nullopt for a bare NULL literal (it takes its context's type).
// Throws SqlError for operands the server refuses at compile time, and for constructs not built.
std::optional<DataType> staticType(const Expr& expr, const ExecutionContext& context);

// The value of a scalar expression, of its static type.
Value evaluateScalar(const Expr& expr, ExecutionContext& context);

// A condition in SQL's three-valued logic: nullopt for UNKNOWN.
std::optional<bool> evaluateCondition(const Expr& expr, ExecutionContext& context);

// A DataType from a type name as written in DECLARE, CAST and CONVERT; SqlError 2715 when unknown.
DataType resolveType(const TypeName& name, LengthDefault lengthDefault);

// 137 "Must declare the scalar variable "@name"."
SqlError undeclaredVariable(std::string_view name);

// Refuses the conditions not built yet (EXISTS, ALL/ANY/SOME, IN with a subquery); returns for
// the others.
void refuseUnbuiltCondition(const Expr& expr);

// Whether the expression holds COUNT, SUM, MIN or MAX.
bool containsAggregate(const Expr& expr);

// The engine's refusal of a construct it does not implement yet (50900, severity 16).
[[noreturn]] void refuse(std::string_view construct);

} // namespace tsql
