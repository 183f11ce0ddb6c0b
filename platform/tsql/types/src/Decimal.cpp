#include "tsql/Decimal.h"

#include "WideInt.h"
#include "tsql/SqlError.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace tsql {

using detail::Int128;
using detail::pow10u128;
using detail::UInt128;
using detail::UInt256;

namespace {

struct Signed {
    bool negative = false;
    UInt256 magnitude;
};

UInt128 magnitudeOf(Int128 v) {
    return v < 0 ? static_cast<UInt128>(0) - static_cast<UInt128>(v) : static_cast<UInt128>(v);
}

Signed widen(const Decimal& d, int toScale) {
    Signed s{d.isNegative(), UInt256::from(magnitudeOf(d.mantissa()))};
    detail::multiplyPow10(s.magnitude, toScale - d.scale()); // at most 38 + 38 digits: always fits
    return s;
}

SqlError overflow() {
    return errors::arithmeticOverflow("expression", "numeric");
}

// Brings a value at `fromScale` to (precision, scale), or throws 8115.
Decimal finish(Signed v, int fromScale, int precision, int scale, bool round) {
    if (scale < fromScale)
        detail::dropDigits(v.magnitude, fromScale - scale, round);
    else if (!detail::multiplyPow10(v.magnitude, scale - fromScale))
        throw overflow();
    if (!v.magnitude.fitsU128() || v.magnitude.low128() >= pow10u128(precision))
        throw overflow();
    const auto m = static_cast<Int128>(v.magnitude.low128());
    return Decimal(v.negative ? -m : m, scale);
}

Signed addSigned(Signed a, const Signed& b) {
    if (a.negative == b.negative) {
        detail::add(a.magnitude, b.magnitude);
        return a;
    }
    if (compare(a.magnitude, b.magnitude) >= 0) {
        detail::subtract(a.magnitude, b.magnitude);
        return a;
    }
    Signed r = b;
    detail::subtract(r.magnitude, a.magnitude);
    return r;
}

std::string_view trimBlanks(std::string_view s) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

Decimal::Decimal(Mantissa mantissa, int scale)
    : mantissa_(mantissa), scale_(static_cast<std::uint8_t>(scale)) {
    if (scale < 0 || scale > 38)
        throw std::invalid_argument("decimal scale out of range");
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    UInt256 m;
    int scale = 0;
    int significant = 0;
    bool seenDot = false, seenDigit = false, roundUp = false, dropping = false;
    for (const char c : text) {
        if (c == '.') {
            if (seenDot)
                return std::nullopt;
            seenDot = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        seenDigit = true;
        if (dropping)
            continue;
        if (seenDot && (significant >= 38 || scale >= 38)) {
            // Beyond 38 digits only the first dropped digit matters: half away from zero.
            roundUp = c >= '5';
            dropping = true;
            continue;
        }
        if (significant > 0 || c != '0')
            ++significant;
        if (!seenDot && significant > 38)
            return std::nullopt;
        detail::multiplySmall(m, 10);
        detail::add(m, UInt256::from(static_cast<UInt128>(c - '0')));
        if (seenDot)
            ++scale;
    }
    if (!seenDigit)
        return std::nullopt;
    if (roundUp)
        detail::add(m, UInt256::from(1));
    if (!m.fitsU128() || m.low128() >= pow10u128(38))
        return std::nullopt;
    const auto v = static_cast<Int128>(m.low128());
    return Decimal(negative ? -v : v, scale);
}

std::optional<Decimal> Decimal::fromDouble(double v, int scale) {
    if (!std::isfinite(v))
        return std::nullopt;
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::scientific);
    std::string_view s(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const std::size_t e = s.find('e');
    const int exponent = std::stoi(std::string(s.substr(e + 1)));
    std::string mantissaDigits;
    bool negative = false;
    for (const char c : s.substr(0, e)) {
        if (c == '-')
            negative = true;
        else if (c != '.')
            mantissaDigits.push_back(c);
    }
    // value = 0.d1d2d3... * 10^(exponent + 1)
    const int pointPos = exponent + 1;
    std::string text = negative ? "-" : "";
    if (pointPos <= 0) {
        if (-pointPos + static_cast<int>(mantissaDigits.size()) > 80)
            return Decimal(0, 0).rescale(scale);
        text += "0." + std::string(static_cast<std::size_t>(-pointPos), '0') + mantissaDigits;
    } else if (pointPos >= static_cast<int>(mantissaDigits.size())) {
        if (pointPos > 38)
            return std::nullopt;
        text += mantissaDigits + std::string(static_cast<std::size_t>(pointPos) - mantissaDigits.size(), '0');
    } else {
        text += mantissaDigits.substr(0, static_cast<std::size_t>(pointPos)) + "." +
                mantissaDigits.substr(static_cast<std::size_t>(pointPos));
    }
    const auto d = parse(text);
    if (!d)
        return std::nullopt;
    return d->rescale(scale);
}

int Decimal::digits() const {
    const UInt128 m = magnitudeOf(mantissa_);
    int n = 1;
    while (n < 39 && m >= pow10u128(n))
        ++n;
    return n;
}

std::string Decimal::toString() const {
    UInt128 m = magnitudeOf(mantissa_);
    std::string digitsText;
    do {
        digitsText.insert(digitsText.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    if (static_cast<int>(digitsText.size()) <= scale_)
        digitsText.insert(0, static_cast<std::size_t>(scale_) + 1 - digitsText.size(), '0');
    if (scale_ > 0)
        digitsText.insert(digitsText.size() - scale_, 1, '.');
    return isNegative() ? "-" + digitsText : digitsText;
}

double Decimal::toDouble() const {
    // Through the text form, so that the nearest double is chosen.
    return std::stod(toString());
}

std::optional<std::int64_t> Decimal::toInt64() const {
    const Mantissa whole = mantissa_ / static_cast<Mantissa>(pow10u128(scale_));
    if (whole > INT64_MAX || whole < INT64_MIN)
        return std::nullopt;
    return static_cast<std::int64_t>(whole);
}

std::optional<Decimal> Decimal::rescale(int scale, int precision, bool round) const {
    try {
        return finish(widen(*this, scale_), scale_, precision, scale, round);
    } catch (const SqlError&) {
        return std::nullopt;
    }
}

bool Decimal::fits(int precision) const {
    return magnitudeOf(mantissa_) < pow10u128(precision);
}

Decimal Decimal::add(const Decimal& a, const Decimal& b, int precision, int scale) {
    const int common = std::max(a.scale(), b.scale());
    return finish(addSigned(widen(a, common), widen(b, common)), common, precision, scale, true);
}

Decimal Decimal::subtract(const Decimal& a, const Decimal& b, int precision, int scale) {
    return add(a, b.negated(), precision, scale);
}

Decimal Decimal::multiply(const Decimal& a, const Decimal& b, int precision, int scale) {
    Signed p{a.isNegative() != b.isNegative(),
             detail::multiply(magnitudeOf(a.mantissa()), magnitudeOf(b.mantissa()))};
    if (p.magnitude.isZero())
        p.negative = false;
    return finish(p, a.scale() + b.scale(), precision, scale, true);
}

Decimal Decimal::divide(const Decimal& a, const Decimal& b, int precision, int scale) {
    if (b.isZero())
        throw errors::divideByZero();
    // quotient at `scale` = a.m * 10^(scale - a.s + b.s) / b.m, truncated.
    const int shift = scale - a.scale() + b.scale();
    UInt256 numerator = UInt256::from(magnitudeOf(a.mantissa()));
    UInt256 denominator = UInt256::from(magnitudeOf(b.mantissa()));
    if (shift >= 0) {
        if (!detail::multiplyPow10(numerator, shift))
            throw overflow();
    } else {
        detail::multiplyPow10(denominator, -shift);
    }
    Signed q{a.isNegative() != b.isNegative(), detail::divide(numerator, denominator)};
    if (q.magnitude.isZero())
        q.negative = false;
    return finish(q, scale, precision, scale, false);
}

Decimal Decimal::modulo(const Decimal& a, const Decimal& b, int precision, int scale) {
    if (b.isZero())
        throw errors::divideByZero();
    const int common = std::max(a.scale(), b.scale());
    const Signed x = widen(a, common), y = widen(b, common);
    UInt256 quotient = detail::divide(x.magnitude, y.magnitude);
    UInt256 rest = x.magnitude;
    // rest = x - (x / y) * y; both factors are below 10^38, so the product fits.
    const UInt256 taken = detail::multiply(quotient.low128(), y.magnitude.low128());
    detail::subtract(rest, taken);
    Signed r{x.negative && !rest.isZero(), rest};
    return finish(r, common, precision, scale, true);
}

Decimal Decimal::round(int digits, bool truncate, int precision) const {
    const int dropped = scale_ - digits;
    if (dropped <= 0)
        return *this;
    if (dropped > 38)
        return Decimal(0, scale_);
    const UInt128 factor = pow10u128(dropped);
    const UInt128 m = magnitudeOf(mantissa_);
    UInt128 q = m / factor;
    if (!truncate && (m % factor) >= factor - factor / 2)
        ++q;
    Signed r{isNegative(), detail::multiply(q, factor)};
    if (r.magnitude.isZero())
        r.negative = false;
    return finish(r, scale_, precision, scale_, false);
}

Decimal Decimal::floor() const {
    const UInt128 factor = pow10u128(scale_);
    const UInt128 m = magnitudeOf(mantissa_);
    UInt128 q = m / factor;
    if (isNegative() && m % factor != 0)
        ++q;
    const auto v = static_cast<Int128>(q);
    return Decimal(isNegative() ? -v : v, 0);
}

Decimal Decimal::ceiling() const {
    return negated().floor().negated();
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    if (a.sign() != b.sign())
        return a.sign() <=> b.sign();
    const int common = std::max(a.scale(), b.scale());
    const Signed x = widen(a, common), y = widen(b, common);
    const int c = compare(x.magnitude, y.magnitude);
    const int oriented = a.isNegative() ? -c : c;
    return oriented <=> 0;
}

} // namespace tsql
