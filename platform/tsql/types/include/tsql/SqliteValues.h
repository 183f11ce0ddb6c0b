#pragma once
// How values are kept in SQLite so that SQLite's own comparisons, sorting, GROUP BY, DISTINCT,
// MIN and MAX are exact for a column of one declared type:
//  - bit and integers: INTEGER;
//  - decimal/numeric up to precision 19, money, smallmoney: INTEGER holding the value scaled by
//    10^scale (numeric(19,s) values beyond the int64 range raise 8115: a narrowing of the server);
//  - decimal/numeric of precision 20 to 38: a 16-byte BLOB, the scaled mantissa big-endian with its
//    sign bit flipped, so that byte order is numeric order;
//  - float and real: REAL;
//  - datetime and the other date types: INTEGER ticks (DateTime::storage);
//  - character types: TEXT (UTF-8, compared with the collation the column declares);
//  - binary types: BLOB; uniqueidentifier: its 16-byte sort key as a BLOB.
// Values of different declared types are converted to one type before they meet in SQL.

#include "tsql/Value.h"

#include <string>

struct sqlite3_stmt;
struct sqlite3_value;
struct sqlite3_context;

namespace tsql {

enum class StorageClass { Integer, Real, Text, Blob };

StorageClass storageClassOf(const DataType& type);

// The 16-byte order-preserving form of a decimal's mantissa, and back.
std::string encodeWideDecimal(const Decimal& value);
Decimal decodeWideDecimal(std::string_view bytes, int scale);

// Binds the value to a statement parameter (1-based). SqlError 8115 for a numeric(19,s) value
// outside the int64 range.
void bindValue(sqlite3_stmt* stmt, int index, const Value& value);
// Reads a column (0-based) or a function argument as a value of the declared type.
Value readColumn(sqlite3_stmt* stmt, int column, const DataType& type);
Value readValue(sqlite3_value* value, const DataType& type);
// Sets a function's result to the value in its storage form.
void resultValue(sqlite3_context* ctx, const Value& value);

} // namespace tsql
