#include "tsql/DataType.h"

#include "tsql/SqlError.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace tsql {

namespace {

struct TypeInfo {
    TypeId id;
    std::string_view name;
    std::uint8_t precision;
    std::uint8_t scale;
    int precedence;
};

// Precedence follows SQL Server's list from binary (lowest) up to datetime2; the types the engine
// does not have (image, timestamp, datetimeoffset, xml, sql_variant) keep their gaps.
constexpr std::array<TypeInfo, 25> kTypes{{
    {TypeId::Bit, "bit", 1, 0, 12},
    {TypeId::TinyInt, "tinyint", 3, 0, 13},
    {TypeId::SmallInt, "smallint", 5, 0, 14},
    {TypeId::Int, "int", 10, 0, 15},
    {TypeId::BigInt, "bigint", 19, 0, 16},
    {TypeId::Decimal, "decimal", 18, 0, 19},
    {TypeId::Numeric, "numeric", 18, 0, 19},
    {TypeId::Money, "money", 19, 4, 18},
    {TypeId::SmallMoney, "smallmoney", 10, 4, 17},
    {TypeId::Float, "float", 53, 0, 21},
    {TypeId::Real, "real", 24, 0, 20},
    {TypeId::DateTime, "datetime", 0, 0, 26},
    {TypeId::SmallDateTime, "smalldatetime", 0, 0, 25},
    {TypeId::Date, "date", 0, 0, 24},
    {TypeId::Time, "time", 0, 0, 23},
    {TypeId::DateTime2, "datetime2", 0, 0, 27},
    {TypeId::Char, "char", 0, 0, 3},
    {TypeId::VarChar, "varchar", 0, 0, 4},
    {TypeId::NChar, "nchar", 0, 0, 5},
    {TypeId::NVarChar, "nvarchar", 0, 0, 6},
    {TypeId::Text, "text", 0, 0, 10},
    {TypeId::NText, "ntext", 0, 0, 11},
    {TypeId::Binary, "binary", 0, 0, 1},
    {TypeId::VarBinary, "varbinary", 0, 0, 2},
    {TypeId::UniqueIdentifier, "uniqueidentifier", 0, 0, 7},
}};

const TypeInfo& info(TypeId id) {
    return kTypes.at(static_cast<std::size_t>(id));
}

std::string lower(std::string_view s) {
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return r;
}

SqlError sizeTooLarge(int size, std::string_view type, int max) {
    return SqlError(131, 15, 2,
                    "The size (" + std::to_string(size) + ") given to the type '" + std::string(type) +
                        "' exceeds the maximum allowed for any data type (" + std::to_string(max) + ").");
}

SqlError invalidParameters(std::string_view type) {
    return SqlError(291, 16, 1,
                    "CAST or CONVERT: invalid attributes specified for type '" + std::string(type) + "'");
}

} // namespace

DataType DataType::of(TypeId id) {
    DataType t;
    t.id = id;
    t.precision = info(id).precision;
    t.scale = info(id).scale;
    if (t.hasLength())
        t.length = 1;
    return t;
}

DataType DataType::decimal(int precision, int scale) {
    DataType t = of(TypeId::Decimal);
    t.precision = static_cast<std::uint8_t>(precision);
    t.scale = static_cast<std::uint8_t>(scale);
    return t;
}

DataType DataType::numeric(int precision, int scale) {
    DataType t = decimal(precision, scale);
    t.id = TypeId::Numeric;
    return t;
}

DataType DataType::character(TypeId id, std::int32_t length) {
    DataType t = of(id);
    t.length = length;
    return t;
}

std::optional<DataType> DataType::fromName(std::string_view name, const std::vector<int>& params,
                                           LengthDefault lengthDefault) {
    const std::string n = lower(name);
    if (n == "sysname") {
        if (!params.empty())
            throw invalidParameters(n);
        return sysname();
    }
    std::string_view canonical = n;
    if (n == "integer")
        canonical = "int";
    else if (n == "dec")
        canonical = "decimal";
    else if (n == "character")
        canonical = "char";
    const auto it =
        std::find_if(kTypes.begin(), kTypes.end(), [&](const TypeInfo& i) { return i.name == canonical; });
    if (it == kTypes.end())
        return std::nullopt;
    DataType t = of(it->id);
    if (t.isDecimal()) {
        if (params.size() > 2)
            throw invalidParameters(canonical);
        const int p = params.empty() ? 18 : params[0];
        const int s = params.size() < 2 ? 0 : params[1];
        if (p < 1 || p > kMaxPrecision)
            throw SqlError(2750, 16, 1,
                           "Column or parameter #1: Specified column precision " + std::to_string(p) +
                               " is greater than the maximum precision of 38.");
        if (s < 0 || s > p)
            throw SqlError(2751, 16, 1,
                           "Column or parameter #1: Specified column scale " + std::to_string(s) +
                               " is greater than the specified precision of " + std::to_string(p) + ".");
        t.precision = static_cast<std::uint8_t>(p);
        t.scale = static_cast<std::uint8_t>(s);
        return t;
    }
    if (t.id == TypeId::Float) {
        // float(1..24) is real, float(25..53) is float.
        if (params.size() > 1)
            throw invalidParameters(canonical);
        if (params.size() == 1) {
            if (params[0] < 1 || params[0] > 53)
                throw invalidParameters(canonical);
            if (params[0] <= 24)
                return of(TypeId::Real);
        }
        return t;
    }
    if (t.hasLength()) {
        if (params.size() > 1)
            throw invalidParameters(canonical);
        if (params.empty()) {
            t.length = lengthDefault == LengthDefault::Cast ? 30 : 1;
            return t;
        }
        const int len = params[0];
        if (len == kMax) {
            if (t.isFixedLength())
                throw invalidParameters(canonical);
            t.length = kMax;
            return t;
        }
        if (len < 1)
            throw invalidParameters(canonical);
        if (len > t.maxDeclaredLength())
            throw sizeTooLarge(len, canonical, t.maxDeclaredLength());
        t.length = len;
        return t;
    }
    // time(n) and datetime2(n) take a fractional precision the engine does not keep.
    if ((t.id == TypeId::Time || t.id == TypeId::DateTime2) && params.size() <= 1)
        return t;
    if (!params.empty())
        throw invalidParameters(canonical);
    return t;
}

std::string_view DataType::name() const {
    return info(id).name;
}

std::string DataType::fullName() const {
    std::string r(name());
    if (isDecimal())
        r += "(" + std::to_string(precision) + "," + std::to_string(scale) + ")";
    else if (hasLength())
        r += length == kMax ? std::string("(max)") : "(" + std::to_string(length) + ")";
    return r;
}

int DataType::precedence() const {
    return info(id).precedence;
}

bool DataType::isInteger() const {
    return id == TypeId::TinyInt || id == TypeId::SmallInt || id == TypeId::Int || id == TypeId::BigInt;
}

bool DataType::isExactNumeric() const {
    return isInteger() || id == TypeId::Bit || isDecimal() || isMoney();
}

bool DataType::isCharacter() const {
    return id == TypeId::Char || id == TypeId::VarChar || id == TypeId::NChar || id == TypeId::NVarChar ||
           id == TypeId::Text || id == TypeId::NText;
}

bool DataType::isDateTime() const {
    return id == TypeId::DateTime || id == TypeId::SmallDateTime || id == TypeId::Date ||
           id == TypeId::Time || id == TypeId::DateTime2;
}

std::int32_t DataType::maxDeclaredLength() const {
    return (id == TypeId::NChar || id == TypeId::NVarChar) ? kMaxNCharLength : kMaxCharLength;
}

} // namespace tsql
