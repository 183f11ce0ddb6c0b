#include "tsql/SqlError.h"

namespace tsql::errors {

namespace {
SqlError level16(int number, std::string text) {
    return SqlError(number, 16, 1, std::move(text));
}

std::string str(std::string_view s) {
    return std::string(s);
}
} // namespace

SqlError arithmeticOverflow(std::string_view from, std::string_view to) {
    return level16(8115,
                   "Arithmetic overflow error converting " + str(from) + " to data type " + str(to) + ".");
}

SqlError integerOverflow(std::string_view type, long long value) {
    return level16(220, "Arithmetic overflow error for data type " + str(type) +
                            ", value = " + std::to_string(value) + ".");
}

SqlError divideByZero() {
    return level16(8134, "Divide by zero error encountered.");
}

SqlError conversionFailed(std::string_view fromType, std::string_view value, std::string_view toType) {
    return level16(245, "Conversion failed when converting the " + str(fromType) + " value '" + str(value) +
                            "' to data type " + str(toType) + ".");
}

SqlError errorConverting(std::string_view from, std::string_view to) {
    return level16(8114, "Error converting data type " + str(from) + " to " + str(to) + ".");
}

SqlError truncated() {
    return level16(8152, "String or binary data would be truncated.");
}

SqlError dateFromString() {
    return level16(241, "Conversion failed when converting date and/or time from character string.");
}

SqlError dateOutOfRange(std::string_view from, std::string_view to) {
    return level16(242, "The conversion of a " + str(from) + " data type to a " + str(to) +
                            " data type resulted in an out-of-range value.");
}

SqlError dateAddOverflow(std::string_view type) {
    return level16(517, "Adding a value to a '" + str(type) + "' column caused an overflow.");
}

SqlError dateDiffOverflow() {
    return level16(535,
                   "The datediff function resulted in an overflow. The number of dateparts separating two "
                   "date/time instances is too large. Try to use datediff with a less precise datepart.");
}

SqlError guidFromString() {
    return level16(8169, "Conversion failed when converting from a character string to uniqueidentifier.");
}

SqlError explicitNotAllowed(std::string_view from, std::string_view to) {
    return level16(529,
                   "Explicit conversion from data type " + str(from) + " to " + str(to) + " is not allowed.");
}

SqlError implicitNotAllowed(std::string_view from, std::string_view to) {
    return level16(257, "Implicit conversion from data type " + str(from) + " to " + str(to) +
                            " is not allowed. Use the CONVERT function to run this query.");
}

SqlError operandTypeClash(std::string_view left, std::string_view right) {
    return level16(206, "Operand type clash: " + str(left) + " is incompatible with " + str(right));
}

SqlError incompatibleInOperator(std::string_view left, std::string_view right, std::string_view op) {
    return level16(402, "The data types " + str(left) + " and " + str(right) + " are incompatible in the " +
                            str(op) + " operator.");
}

SqlError invalidOperand(std::string_view type, std::string_view op) {
    return level16(8117, "Operand data type " + str(type) + " is invalid for " + str(op) + " operator.");
}

SqlError invalidEscape(std::string_view escape, std::string_view predicate) {
    return level16(506, "The invalid escape character \"" + str(escape) + "\" was specified in a " +
                            str(predicate) + " predicate.");
}

} // namespace tsql::errors
