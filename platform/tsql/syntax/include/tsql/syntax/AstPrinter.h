#pragma once
// Prints a syntax tree as compact S-expressions, e.g. (select (items (col a)) (from (table t))),
// so that tests can state the expected shape of a parse in one line.

#include "tsql/syntax/Ast.h"

#include <string>

namespace tsql {

std::string toString(const Expr& expr);
std::string toString(const Query& query);
std::string toString(const Stmt& stmt);
// The statements of a batch, separated by one blank.
std::string toString(const Batch& batch);

} // namespace tsql
