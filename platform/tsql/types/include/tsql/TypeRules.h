#pragma once
// SQL Server's static typing rules: which conversions are implicit, explicit or refused, the result
// types of operators and of CASE, COALESCE and ISNULL, and the types of literals.

#include "tsql/DataType.h"

#include <optional>
#include <string_view>
#include <vector>

namespace tsql {

enum class ConversionKind { Implicit, Explicit, NotAllowed };

// The server's conversion table between the engine's types. A type converts to itself implicitly.
ConversionKind conversionKind(TypeId from, TypeId to);

enum class ArithmeticOp { Add, Subtract, Multiply, Divide, Modulo };

// The operator's name as the server's messages spell it: "add", "subtract", "multiply", ...
std::string_view operatorName(ArithmeticOp op);

// The type of `left op right`. `+` on two character (or two binary) operands is concatenation.
// Throws SqlError 206, 402 or 8117 where the server refuses the operation at compile time.
DataType arithmeticType(ArithmeticOp op, const DataType& left, const DataType& right);

// The precision and scale of a decimal result (both operands as decimals), with the reduction of
// the scale when the precision would exceed 38.
DataType decimalArithmeticType(ArithmeticOp op, const DataType& left, const DataType& right);

// The type of a concatenation of two character or binary operands.
DataType concatenationType(const DataType& left, const DataType& right);

// The type both sides of a comparison are converted to. `operatorText` names the operator for the
// server's message ("equal to", "less than", "like", ...). Throws SqlError 206 or 402.
DataType comparisonType(const DataType& left, const DataType& right,
                        std::string_view operatorText = "equal to");

// The type of CASE, COALESCE, and the UNION of several branches: the highest precedence among the
// typed branches, with lengths and decimal digits wide enough for all. nullopt stands for a bare
// NULL; if every branch is NULL the result is int. Throws SqlError 206 for branches that cannot meet.
DataType combinedType(const std::vector<std::optional<DataType>>& branches);

// ISNULL(check, replacement) has the type of its first argument (of the second when the first is a
// bare NULL).
DataType isnullType(const std::optional<DataType>& check, const std::optional<DataType>& replacement);

// Literal types: 42 -> int, 3000000000 -> numeric(10,0), 60.0 -> numeric(3,1), 1e3 -> float,
// 'abc' -> varchar(3), N'abc' -> nvarchar(3), 0x0102 -> varbinary(2).
// Throws SqlError 1007 for a number beyond 38 digits.
DataType integerLiteralType(std::string_view digits);
DataType decimalLiteralType(std::string_view text);
DataType stringLiteralType(std::string_view utf8, bool unicode);
DataType binaryLiteralType(std::size_t bytes);

} // namespace tsql
