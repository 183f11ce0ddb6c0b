#pragma once
// The arithmetic operators on values: the result type from the type rules, the operands converted
// to it, NULL in gives NULL out, and the server's errors for overflow (8115) and division by zero
// (8134). `+` on text or binary concatenates, cutting the result to its type's length.

#include "tsql/TypeRules.h"
#include "tsql/Value.h"

namespace tsql {

Value evaluate(ArithmeticOp op, const Value& left, const Value& right);
// Unary minus; SqlError 8117 for types without one, 8115 when the negation overflows.
Value negate(const Value& v);

} // namespace tsql
