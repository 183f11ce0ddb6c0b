#pragma once
// An error as SQL Server reports it: message number, severity, state and the expanded text.
// Every layer of the engine throws and reports this one type.

#include <stdexcept>
#include <string>
#include <string_view>

namespace tsql {

class SqlError : public std::runtime_error {
public:
    SqlError(int number, int severity, int state, std::string message, int line = 0)
        : std::runtime_error(message), number(number), severity(severity), state(state),
          message(std::move(message)), line(line) {}

    int number;
    int severity;
    int state;
    std::string message;
    int line; // the line of the batch or module it was raised on, 0 when not known yet
};

// The server errors raised by the value layer, with SQL Server's numbers and texts.
namespace errors {
// 8115 "Arithmetic overflow error converting %ls to data type %ls."
SqlError arithmeticOverflow(std::string_view from, std::string_view to);
// 220 "Arithmetic overflow error for data type %ls, value = %ld."
SqlError integerOverflow(std::string_view type, long long value);
// 8134 "Divide by zero error encountered."
SqlError divideByZero();
// 245 "Conversion failed when converting the %ls value '%.*ls' to data type %ls."
SqlError conversionFailed(std::string_view fromType, std::string_view value, std::string_view toType);
// 8114 "Error converting data type %ls to %ls."
SqlError errorConverting(std::string_view from, std::string_view to);
// 8152 "String or binary data would be truncated."
SqlError truncated();
// 241 "Conversion failed when converting date and/or time from character string."
SqlError dateFromString();
// 242 "The conversion of a %ls data type to a %ls data type resulted in an out-of-range value."
SqlError dateOutOfRange(std::string_view from, std::string_view to);
// 517 "Adding a value to a '%ls' column caused an overflow."
SqlError dateAddOverflow(std::string_view type);
// 535 "The datediff function resulted in an overflow. ..."
SqlError dateDiffOverflow();
// 8169 "Conversion failed when converting from a character string to uniqueidentifier."
SqlError guidFromString();
// 529 "Explicit conversion from data type %ls to %ls is not allowed."
SqlError explicitNotAllowed(std::string_view from, std::string_view to);
// 257 "Implicit conversion from data type %ls to %ls is not allowed. Use the CONVERT function to run this
// query."
SqlError implicitNotAllowed(std::string_view from, std::string_view to);
// 206 "Operand type clash: %ls is incompatible with %ls"
SqlError operandTypeClash(std::string_view left, std::string_view right);
// 402 "The data types %s and %s are incompatible in the %s operator."
SqlError incompatibleInOperator(std::string_view left, std::string_view right, std::string_view op);
// 8117 "Operand data type %ls is invalid for %ls operator."
SqlError invalidOperand(std::string_view type, std::string_view op);
// 506 "The invalid escape character "%.*ls" was specified in a %ls predicate."
SqlError invalidEscape(std::string_view escape, std::string_view predicate);
} // namespace errors

} // namespace tsql
