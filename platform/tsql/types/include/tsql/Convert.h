#pragma once
// Conversions between values with the server's rules: which conversions the context allows,
// rounding and truncation, and the server's errors when a value does not convert.

#include "tsql/Collation.h"
#include "tsql/Value.h"

namespace tsql {

enum class ConversionMode {
    Implicit, // chosen by the binder inside an expression; refused ones raise 257
    Explicit, // CAST and CONVERT; refused ones raise 529; too-long text is cut
    Assign,   // SET @v = ..., parameters: implicit rules, too-long text is cut
    Store,    // INSERT and UPDATE of a column: implicit rules, too-long text raises 8152
};

// `style` is CONVERT's style number (0 when there is none): 1 and 2 write binary as hexadecimal
// text, 112/120/121/126 format datetime. Throws SqlError with the server's number and text.
Value convert(const Value& value, const DataType& target, ConversionMode mode = ConversionMode::Explicit,
              int style = 0);

// SQL's comparison of two non-NULL values, both converted to their comparison type first:
// <0, 0 or >0. Text compares with the collation. Throws SqlError for values that cannot meet.
int compareValues(const Value& a, const Value& b, const Collation& collation = Collation::standard());

} // namespace tsql
