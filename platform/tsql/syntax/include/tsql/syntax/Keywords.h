#pragma once
// SQL Server's reserved keywords and case-insensitive comparison of words.

#include <string_view>

namespace tsql {

// True when `word` (any case) is one of SQL Server's reserved keywords, which can be used as a
// name only when delimited. Everything else (TEXT, NAME, TYPE, COLLATION, ...) is an ordinary name.
bool isReservedKeyword(std::string_view word) noexcept;

// ASCII case-insensitive equality, as keywords compare.
bool equalsIgnoreCase(std::string_view a, std::string_view b) noexcept;

} // namespace tsql
