#pragma once
// The text the server keeps for a default, a check, a computed column or an index filter: the parsed
// expression printed again in one normal form, not the text as written. Constants stand in
// parentheses ((0), (-1), (1.5)) except strings ('x', N'x'); column names are bracketed ([Typ]);
// built-in functions are lower case (getdate()); x IN (a, b) reads ([x]=(a) OR [x]=(b)) and
// BETWEEN reads [x]>=(a) AND [x]<=(b); operators are written without blanks, AND and OR with them;
// parentheses appear where the operators' precedence needs them, and one pair wraps the whole.

#include "tsql/syntax/AstExpressions.h"

#include <string>

namespace tsql {

std::string serverText(const Expr& e);
// A name in brackets, ] doubled: [Typ], [a]]b].
std::string bracketed(const std::string& name);

} // namespace tsql
