#pragma once
// A value of the engine: NULL or a value of a SQL Server type, with the type it carries (the
// declared type of a column, variable or expression).

#include "tsql/DataType.h"
#include "tsql/DateTime.h"
#include "tsql/Decimal.h"
#include "tsql/Guid.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace tsql {

class Value {
public:
    // NULL of type int, as a bare NULL literal is.
    Value() = default;

    static Value null(const DataType& type);
    static Value bit(bool v);
    // tinyint, smallint, int or bigint; the caller keeps the value inside the type's range.
    static Value integer(std::int64_t v, TypeId type = TypeId::Int);
    // decimal, numeric, money or smallmoney; the value already has the type's scale.
    static Value decimal(const Decimal& v, const DataType& type);
    static Value floating(double v, TypeId type = TypeId::Float);
    // datetime, smalldatetime, and the date and time types the engine only classifies.
    static Value dateTime(const DateTime& v, TypeId type = TypeId::DateTime);
    // UTF-8 text of a character type.
    static Value text(std::string v, const DataType& type);
    static Value varchar(std::string v);  // varchar of the text's length (at least 1)
    static Value nvarchar(std::string v); // nvarchar of the text's length (at least 1)
    static Value binary(std::string bytes, const DataType& type);
    static Value guid(const Guid& v);

    bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
    const DataType& type() const { return type_; }

    // The stored value; std::bad_variant_access when the value is of another kind or NULL.
    bool asBool() const { return std::get<bool>(data_); }
    std::int64_t asInt64() const { return std::get<std::int64_t>(data_); }
    const Decimal& asDecimal() const { return std::get<Decimal>(data_); }
    double asDouble() const { return std::get<double>(data_); }
    const DateTime& asDateTime() const { return std::get<DateTime>(data_); }
    const std::string& asText() const { return std::get<std::string>(data_); }  // text types, UTF-8
    const std::string& asBytes() const { return std::get<std::string>(data_); } // binary types
    const Guid& asGuid() const { return std::get<Guid>(data_); }

    // The value as the result shell prints it: NULL as <NULL>, numeric padded to its scale, bit as
    // 1/0, datetime as '2016-11-14 15:12:10.0', float in shortest round-trip form, binary as 0x...
    std::string toDisplayString() const;

    // Same type and same stored value (NULLs of one type are equal here; this is not SQL's `=`).
    friend bool operator==(const Value&, const Value&) = default;

private:
    using Data =
        std::variant<std::monostate, bool, std::int64_t, Decimal, double, DateTime, std::string, Guid>;
    Value(DataType type, Data data) : type_(type), data_(std::move(data)) {}

    DataType type_ = DataType::of(TypeId::Int);
    Data data_;
};

} // namespace tsql
