#pragma once
// The one way the plug-in writes values into T-SQL text: texts as N'…' with every apostrophe
// doubled, integers as decimal text, decimals with a full stop, a missing value as NULL.

#include <QString>

#include <cstdint>
#include <optional>

namespace provozmat::sql {

// N'text' with apostrophes doubled.
QString text(const QString& value);
// 'text' without the N prefix (for values the host compares as 8-bit text).
QString ansiText(const QString& value);
QString integer(std::int64_t value);
// A decimal with a full stop; not-a-number and infinities cannot be written and raise an error.
QString decimal(double value);
QString null();

// The value, or NULL when there is none.
QString optionalText(const std::optional<QString>& value);
QString optionalInteger(const std::optional<std::int64_t>& value);
QString optionalDecimal(const std::optional<double>& value);

// A name in square brackets with ']' doubled, for identifiers that are not regular.
QString bracketedName(const QString& name);
// Whether name is a regular identifier that needs no brackets.
bool isRegularIdentifier(const QString& name);

} // namespace provozmat::sql
