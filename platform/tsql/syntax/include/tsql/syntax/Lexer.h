#pragma once
// Splits a T-SQL batch into tokens. White space is space, TAB, CR and LF; comments (-- and nested
// /* */) are skipped; tokens need no blanks between them (SELECT*FROM, )IS, )VALUES().

#include "tsql/syntax/Token.h"

#include <string_view>
#include <vector>

namespace tsql {

// Returns the tokens of `text`, ending with one EndOfInput token. The tokens' text views point into
// `text`, which must outlive them. Throws SyntaxError (105, 113, 102, 103, 1007, 168) on bad input.
std::vector<Token> tokenize(std::string_view text);

} // namespace tsql
