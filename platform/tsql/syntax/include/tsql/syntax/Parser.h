#pragma once
// Parses one T-SQL batch into its syntax tree.

#include "tsql/syntax/Ast.h"
#include "tsql/syntax/CompatibilityLevel.h"

#include <cstddef>
#include <string>

namespace tsql {

struct ParseOptions {
    int compatibilityLevel = kDefaultCompatibilityLevel;
    // Nesting of parentheses, subqueries, CASE and blocks beyond this is refused with error 191,
    // so that no input can exhaust the stack.
    std::size_t maxNestingDepth = 128;
};

// Parses a whole batch (no GO separators). Throws SyntaxError for any syntax error, with SQL
// Server's number, and std::invalid_argument for an unknown compatibility level.
Batch parseBatch(std::string text, const ParseOptions& options = {});

} // namespace tsql
