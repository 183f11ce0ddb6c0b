#include "tsql/Arithmetic.h"

#include "tsql/Utf8.h"
#include "tsql/Convert.h"
#include "tsql/SqlError.h"

#include <cmath>
#include <limits>

namespace tsql {

namespace {

SqlError overflow(const DataType& t) {
    return errors::arithmeticOverflow("expression", t.name());
}

std::int64_t checkedRange(std::int64_t v, const DataType& t) {
    const auto fits = [&](std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; };
    bool ok = true;
    switch (t.id) {
    case TypeId::TinyInt:
        ok = fits(0, 255);
        break;
    case TypeId::SmallInt:
        ok = fits(-32768, 32767);
        break;
    case TypeId::Int:
        ok = fits(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
        break;
    default:
        break;
    }
    if (!ok)
        throw overflow(t);
    return v;
}

Value integerOp(ArithmeticOp op, std::int64_t a, std::int64_t b, const DataType& t) {
    std::int64_t r = 0;
    bool overflowed = false;
    switch (op) {
    case ArithmeticOp::Add:
        overflowed = __builtin_add_overflow(a, b, &r);
        break;
    case ArithmeticOp::Subtract:
        overflowed = __builtin_sub_overflow(a, b, &r);
        break;
    case ArithmeticOp::Multiply:
        overflowed = __builtin_mul_overflow(a, b, &r);
        break;
    case ArithmeticOp::Divide:
    case ArithmeticOp::Modulo:
        if (b == 0)
            throw errors::divideByZero();
        if (a == std::numeric_limits<std::int64_t>::min() && b == -1) {
            overflowed = op == ArithmeticOp::Divide;
            r = 0;
        } else {
            r = op == ArithmeticOp::Divide ? a / b : a % b;
        }
        break;
    }
    if (overflowed)
        throw overflow(t);
    return Value::integer(checkedRange(r, t), t.id);
}

Value floatOp(ArithmeticOp op, double a, double b, const DataType& t) {
    double r = 0;
    switch (op) {
    case ArithmeticOp::Add:
        r = a + b;
        break;
    case ArithmeticOp::Subtract:
        r = a - b;
        break;
    case ArithmeticOp::Multiply:
        r = a * b;
        break;
    default:
        if (b == 0)
            throw errors::divideByZero();
        r = a / b;
        break;
    }
    if (!std::isfinite(r) || (t.id == TypeId::Real && std::fabs(r) > std::numeric_limits<float>::max()))
        throw overflow(t);
    return Value::floating(t.id == TypeId::Real ? static_cast<float>(r) : r, t.id);
}

Value decimalOp(ArithmeticOp op, const Decimal& a, const Decimal& b, const DataType& t) {
    const int precision = t.isMoney() ? 19 : t.precision;
    Decimal r;
    switch (op) {
    case ArithmeticOp::Add:
        r = Decimal::add(a, b, precision, t.scale);
        break;
    case ArithmeticOp::Subtract:
        r = Decimal::subtract(a, b, precision, t.scale);
        break;
    case ArithmeticOp::Multiply:
        r = Decimal::multiply(a, b, precision, t.scale);
        break;
    case ArithmeticOp::Divide:
        r = Decimal::divide(a, b, precision, t.scale);
        break;
    case ArithmeticOp::Modulo:
        r = Decimal::modulo(a, b, precision, t.scale);
        break;
    }
    if (t.isMoney()) {
        const Decimal::Mantissa m = r.mantissa();
        const Decimal::Mantissa limit = t.id == TypeId::Money ? std::numeric_limits<std::int64_t>::max()
                                                              : std::numeric_limits<std::int32_t>::max();
        if (m > limit || m < -limit - 1)
            throw overflow(t);
    }
    return Value::decimal(r, t);
}

// The operand as a decimal of its own digits (int as numeric(10,0)) or, for other types, of the
// result's type.
Decimal decimalOperand(const Value& v, const DataType& result) {
    const DataType& t = v.type();
    if (t.isDecimal() || t.isMoney())
        return v.asDecimal();
    DataType own = t.isExactNumeric() && !t.isMoney() ? DataType::numeric(t.precision, t.scale) : result;
    if (result.isMoney())
        own = result;
    return convert(v, own, ConversionMode::Implicit).asDecimal();
}

Value concatenate(const Value& l, const Value& r, const DataType& t) {
    const bool binary = t.isBinary();
    const DataType asOwn =
        binary ? DataType::character(TypeId::VarBinary, DataType::kMax)
               : DataType::character(t.isUnicode() ? TypeId::NVarChar : TypeId::VarChar, DataType::kMax);
    std::string joined = convert(l, asOwn, ConversionMode::Implicit).asText() +
                         convert(r, asOwn, ConversionMode::Implicit).asText();
    if (!t.isMax()) {
        const auto limit = static_cast<std::size_t>(t.length);
        if (binary) {
            if (joined.size() > limit)
                joined.resize(limit);
        } else {
            joined = std::string(detail::prefixOfLength(joined, limit, t.isUnicode()));
        }
    }
    return binary ? Value::binary(std::move(joined), t) : Value::text(std::move(joined), t);
}

Value dateTimeOp(ArithmeticOp op, const Value& l, const Value& r, const DataType& t) {
    const DataType dt = DataType::of(TypeId::DateTime);
    const DateTime a = convert(l, dt, ConversionMode::Implicit).asDateTime();
    const DateTime b = convert(r, dt, ConversionMode::Implicit).asDateTime();
    const std::int64_t serial =
        op == ArithmeticOp::Add ? a.storage() + b.storage() : a.storage() - b.storage();
    DateTime result;
    try {
        result = DateTime::fromStorage(serial);
    } catch (const SqlError&) {
        throw overflow(t);
    }
    return convert(Value::dateTime(result), t, ConversionMode::Implicit);
}

} // namespace

Value evaluate(ArithmeticOp op, const Value& left, const Value& right) {
    const DataType t = arithmeticType(op, left.type(), right.type());
    if (left.isNull() || right.isNull())
        return Value::null(t);
    if (t.isCharacter() || t.isBinary())
        return concatenate(left, right, t);
    if (t.id == TypeId::DateTime || t.id == TypeId::SmallDateTime)
        return dateTimeOp(op, left, right, t);
    if (t.isApproximate()) {
        const DataType f = DataType::of(TypeId::Float);
        return floatOp(op, convert(left, f, ConversionMode::Implicit).asDouble(),
                       convert(right, f, ConversionMode::Implicit).asDouble(), t);
    }
    if (t.isDecimal() || t.isMoney())
        return decimalOp(op, decimalOperand(left, t), decimalOperand(right, t), t);
    const DataType big = DataType::of(TypeId::BigInt);
    return integerOp(op, convert(left, big, ConversionMode::Implicit).asInt64(),
                     convert(right, big, ConversionMode::Implicit).asInt64(), t);
}

Value negate(const Value& v) {
    const DataType& t = v.type();
    if (!t.isNumeric() || t.id == TypeId::Bit)
        throw errors::invalidOperand(t.name(), "minus");
    if (v.isNull())
        return v;
    if (t.isApproximate())
        return Value::floating(-v.asDouble(), t.id);
    if (t.isDecimal() || t.isMoney()) {
        if (t.isMoney() && v.asDecimal().mantissa() == std::numeric_limits<std::int64_t>::min())
            throw overflow(t);
        return Value::decimal(v.asDecimal().negated(), t);
    }
    if (t.id == TypeId::TinyInt && v.asInt64() != 0)
        throw overflow(t);
    if (v.asInt64() == std::numeric_limits<std::int64_t>::min())
        throw overflow(t);
    return Value::integer(checkedRange(-v.asInt64(), t), t.id);
}

} // namespace tsql
