#pragma once
// An exact decimal of up to 38 digits: a signed 128-bit mantissa and a scale, with SQL Server's
// arithmetic. Results take the precision and scale the type rules give; digits beyond the result
// scale are rounded half away from zero (division truncates, as the server's does), and a result
// with more digits than its precision raises error 8115.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tsql {

class Decimal {
public:
    __extension__ using Mantissa = __int128;

    Decimal() = default;
    Decimal(Mantissa mantissa, int scale);

    static Decimal fromInt64(std::int64_t v) { return Decimal(v, 0); }

    // "[+-]digits[.digits]" with optional surrounding blanks; digits beyond 38 after the point are
    // rounded away. nullopt for malformed text or more than 38 digits before the point.
    static std::optional<Decimal> parse(std::string_view text);
    // The value of a double at the given scale, from its shortest round-trip decimal form, rounded
    // half away from zero; nullopt when it does not fit 38 digits.
    static std::optional<Decimal> fromDouble(double v, int scale);

    Mantissa mantissa() const { return mantissa_; }
    int scale() const { return scale_; }
    // The number of digits of the mantissa (at least 1).
    int digits() const;
    bool isZero() const { return mantissa_ == 0; }
    bool isNegative() const { return mantissa_ < 0; }
    int sign() const { return mantissa_ < 0 ? -1 : (mantissa_ > 0 ? 1 : 0); }

    // "-12.340": all digits of the scale, a leading zero before the point.
    std::string toString() const;
    double toDouble() const;
    // Truncated toward zero; nullopt outside int64.
    std::optional<std::int64_t> toInt64() const;

    // The value at another scale, rounded half away from zero (or truncated); nullopt when the
    // result would need more than `precision` digits.
    std::optional<Decimal> rescale(int scale, int precision = 38, bool round = true) const;
    bool fits(int precision) const;
    Decimal negated() const { return Decimal(-mantissa_, scale_); }
    Decimal abs() const { return isNegative() ? negated() : *this; }

    // Arithmetic into a result of the given precision and scale; SqlError 8115 on overflow and
    // 8134 on a zero divisor. `typeName` names the result type in the overflow message.
    static Decimal add(const Decimal& a, const Decimal& b, int precision, int scale);
    static Decimal subtract(const Decimal& a, const Decimal& b, int precision, int scale);
    static Decimal multiply(const Decimal& a, const Decimal& b, int precision, int scale);
    static Decimal divide(const Decimal& a, const Decimal& b, int precision, int scale);
    static Decimal modulo(const Decimal& a, const Decimal& b, int precision, int scale);

    // ROUND(x, digits[, truncate]): the scale stays, digits after `digits` become zero, rounding
    // half away from zero (or truncating); negative digits round left of the point. SqlError 8115
    // when the result needs more than `precision` digits (ROUND(748.58, -3) in numeric(5,2)).
    Decimal round(int digits, bool truncate, int precision) const;
    // FLOOR and CEILING: scale 0.
    Decimal floor() const;
    Decimal ceiling() const;

    // Exact comparison whatever the scales.
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

private:
    Mantissa mantissa_ = 0;
    std::uint8_t scale_ = 0;
};

} // namespace tsql
