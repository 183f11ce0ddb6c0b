#pragma once
// Engine values as the host hands them to the plug-in: BIT as Boolean, tinyint to int as I4,
// bigint as I8, decimal and numeric as the exact decimal, money as currency, float and real as
// R8, the date and time types as OLE dates, character types as text, binary as bytes, a
// uniqueidentifier as its text and NULL as Null.

#include "ov/Variant.h"
#include "tsql/Value.h"

#include <QString>

#include <optional>

namespace devhost {

ov::Variant toVariant(const tsql::Value& value);

// A variant as a grid cell shows it ("" for Null).
QString displayText(const ov::Variant& value);

// The variant as a whole number when it holds one (integers, whole decimals, numeric text).
std::optional<std::int64_t> wholeNumber(const ov::Variant& value);

// Whether two variants hold the same value: numbers by value whatever their types, text
// ignoring case, Null equal to nothing.
bool sameValue(const ov::Variant& a, const ov::Variant& b);

} // namespace devhost
