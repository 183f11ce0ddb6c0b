#pragma once
// Number routines shared by the whole plug-in. Numbers are shown and spliced with a full stop
// as the decimal separator whatever the workstation's locale; entered numbers may use a comma.

#include <QString>

#include <optional>

namespace provozmat {

// The integer in text; when text is empty or not an integer, the integer in defaultText.
// A default that is not an integer either raises an error.
int parseInt(const QString& text, const QString& defaultText = QStringLiteral("0"));

// A decimal number; a comma counts as the decimal separator. Blanks around it are ignored;
// anything else that is not a number gives nullopt.
std::optional<double> parseDecimal(const QString& text);

// The shortest text that reads back as the same double, with a full stop and no exponent.
QString formatDecimal(double value);

// Rounds to places decimal places, halves away from zero. The value is taken as the decimal
// it was written as (15 significant digits), so 2.675 rounds to 2.68.
double roundHalfAwayFromZero(double value, int places);
// Cuts off everything after places decimal places (toward zero), on the same decimal reading.
double truncateTo(double value, int places);

} // namespace provozmat
