#pragma once
// T-SQL literal text for a value, so that generated statements carry data only as literals and
// never as spliced raw text.

#include "tsql/Value.h"

#include <string>

namespace tsql {

// The literal that reads back as `value`: NULL; 1/0 for bit; integers in decimal; exact numerics
// with a full stop and all digits of their scale; float and real in exponent form (1.5E0); text as
// N'...' with apostrophes doubled; datetime as '20260826 13:45:10.123' (date and time types in the
// matching part of that form); binary as 0x...; uniqueidentifier as its quoted text form.
// std::invalid_argument for a float that is not finite (the server has no literal for it).
std::string sqlLiteral(const Value& value);

} // namespace tsql
