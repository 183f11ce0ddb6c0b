#include "tsql/Literal.h"

#include "tsql/FloatFormat.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace tsql {

namespace {

std::string quotedText(const std::string& text) {
    std::string out = "N'";
    out.reserve(text.size() + 3);
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    out += '\'';
    return out;
}

std::string hexBytes(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "0x";
    out.reserve(2 + bytes.size() * 2);
    for (unsigned char b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
    }
    return out;
}

// A float literal needs an exponent; without one the server reads the digits as a decimal.
std::string floatLiteral(double v, bool real) {
    if (!std::isfinite(v))
        throw std::invalid_argument("a float that is not finite has no T-SQL literal");
    std::string text = real ? shortestRealText(static_cast<float>(v)) : shortestFloatText(v);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
    }
    if (text.find('E') == std::string::npos)
        text += "E0";
    return text;
}

std::string dateTimeLiteral(const DateTime& v, TypeId type) {
    const CivilDateTime c = v.civil();
    char buffer[40];
    if (type == TypeId::Date) {
        std::snprintf(buffer, sizeof buffer, "'%04d%02d%02d'", c.year, c.month, c.day);
    } else if (type == TypeId::Time) {
        std::snprintf(buffer, sizeof buffer, "'%02d:%02d:%02d.%03d'", c.hour, c.minute, c.second,
                      c.millisecond);
    } else {
        std::snprintf(buffer, sizeof buffer, "'%04d%02d%02d %02d:%02d:%02d.%03d'", c.year, c.month, c.day,
                      c.hour, c.minute, c.second, c.millisecond);
    }
    return buffer;
}

} // namespace

std::string sqlLiteral(const Value& value) {
    if (value.isNull())
        return "NULL";
    const DataType& type = value.type();
    switch (type.id) {
    case TypeId::Bit:
        return value.asBool() ? "1" : "0";
    case TypeId::TinyInt:
    case TypeId::SmallInt:
    case TypeId::Int:
    case TypeId::BigInt:
        return std::to_string(value.asInt64());
    case TypeId::Decimal:
    case TypeId::Numeric:
    case TypeId::Money:
    case TypeId::SmallMoney:
        return value.asDecimal().toString();
    case TypeId::Float:
        return floatLiteral(value.asDouble(), false);
    case TypeId::Real:
        return floatLiteral(value.asDouble(), true);
    case TypeId::DateTime:
    case TypeId::SmallDateTime:
    case TypeId::Date:
    case TypeId::Time:
    case TypeId::DateTime2:
        return dateTimeLiteral(value.asDateTime(), type.id);
    case TypeId::Char:
    case TypeId::VarChar:
    case TypeId::NChar:
    case TypeId::NVarChar:
    case TypeId::Text:
    case TypeId::NText:
        return quotedText(value.asText());
    case TypeId::Binary:
    case TypeId::VarBinary:
        return hexBytes(value.asBytes());
    case TypeId::UniqueIdentifier:
        return "'" + value.asGuid().toString() + "'";
    }
    throw std::invalid_argument("a value of an unknown type has no T-SQL literal");
}

} // namespace tsql
