#include "tsql/Convert.h"

#include "CodePage.h"
#include "Hex.h"
#include "tsql/Utf8.h"
#include "tsql/FloatFormat.h"
#include "tsql/SqlError.h"
#include "tsql/TypeRules.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace tsql {

namespace {

struct Range {
    std::int64_t min, max;
};

Range integerRange(TypeId id) {
    switch (id) {
    case TypeId::Bit:
        return {0, 1};
    case TypeId::TinyInt:
        return {0, 255};
    case TypeId::SmallInt:
        return {-32768, 32767};
    case TypeId::Int:
        return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    default:
        return {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()};
    }
}

int integerBytes(TypeId id) {
    switch (id) {
    case TypeId::Bit:
    case TypeId::TinyInt:
        return 1;
    case TypeId::SmallInt:
        return 2;
    case TypeId::Int:
        return 4;
    default:
        return 8;
    }
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

std::string_view sourceName(const Value& v) {
    return v.type().name();
}

// ---- integers ---------------------------------------------------------------------------------

Value checkedInteger(std::int64_t v, const DataType& target, bool fromInteger, std::string_view from) {
    const Range r = integerRange(target.id);
    if (v < r.min || v > r.max) {
        if (fromInteger && (target.id == TypeId::TinyInt || target.id == TypeId::SmallInt))
            throw errors::integerOverflow(target.name(), v);
        throw errors::arithmeticOverflow(fromInteger ? "expression" : from, target.name());
    }
    return Value::integer(v, target.id);
}

// [+-]digits with blanks around; '' and blanks are 0.
std::optional<std::int64_t> parseInteger(std::string_view text, bool& overflow) {
    overflow = false;
    std::string_view s = trimBlanks(text);
    if (s.empty())
        return 0;
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    std::uint64_t v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        if (v > (std::numeric_limits<std::uint64_t>::max() - 9) / 10) {
            overflow = true;
            v = std::numeric_limits<std::uint64_t>::max() / 10;
        }
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (v > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0))
        overflow = true;
    if (overflow)
        return std::nullopt;
    return negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
}

SqlError stringOverflowsInteger(const Value& v, const DataType& target) {
    if (target.id == TypeId::Int)
        return SqlError(248, 16, 1,
                        "The conversion of the " + std::string(sourceName(v)) + " value '" + v.asText() +
                            "' overflowed an int column.");
    if (target.id == TypeId::BigInt)
        return errors::arithmeticOverflow("expression", "bigint");
    return SqlError(244, 16, 1,
                    "The conversion of the " + std::string(sourceName(v)) + " value '" + v.asText() +
                        "' overflowed an " + std::string(target.name()) +
                        " column. Use a larger integer column.");
}

std::int64_t bigEndian(std::string_view bytes, int size) {
    // The last `size` bytes, padded with zeros in front, as a signed big-endian number.
    std::uint64_t v = 0;
    const std::size_t start =
        bytes.size() > static_cast<std::size_t>(size) ? bytes.size() - static_cast<std::size_t>(size) : 0;
    for (std::size_t i = start; i < bytes.size(); ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[i]);
    if (size < 8) {
        const std::uint64_t signBit = std::uint64_t{1} << (size * 8 - 1);
        if (v & signBit)
            v |= ~((signBit << 1) - 1);
    }
    return static_cast<std::int64_t>(v);
}

Value toInteger(const Value& v, const DataType& target) {
    const DataType& src = v.type();
    if (target.id == TypeId::Bit) {
        if (src.isCharacter()) {
            const std::string_view s = trimBlanks(v.asText());
            std::string lowered;
            for (const char c : s)
                lowered.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
            if (lowered == "true")
                return Value::bit(true);
            if (lowered == "false")
                return Value::bit(false);
            bool overflow = false;
            const auto n = parseInteger(v.asText(), overflow);
            if (!n)
                throw errors::conversionFailed(sourceName(v), v.asText(), "bit");
            return Value::bit(*n != 0);
        }
        if (src.id == TypeId::Bit)
            return v;
        if (src.isInteger())
            return Value::bit(v.asInt64() != 0);
        if (src.isDecimal() || src.isMoney())
            return Value::bit(!v.asDecimal().isZero());
        if (src.isApproximate())
            return Value::bit(v.asDouble() != 0.0);
    }
    if (src.id == TypeId::Bit)
        return Value::integer(v.asBool() ? 1 : 0, target.id);
    if (src.isInteger())
        return checkedInteger(v.asInt64(), target, true, src.name());
    if (src.isDecimal() || src.isMoney()) {
        const Decimal& d = v.asDecimal();
        // decimal truncates toward zero, money rounds.
        const auto whole = src.isMoney() ? d.rescale(0) : std::optional<Decimal>(d);
        const auto i = whole ? whole->toInt64() : std::nullopt;
        if (!i)
            throw errors::arithmeticOverflow(src.name(), target.name());
        return checkedInteger(*i, target, false, src.name());
    }
    if (src.isApproximate()) {
        const double t = std::trunc(v.asDouble());
        if (!std::isfinite(t) || t < -9.2233720368547758e18 || t >= 9.2233720368547758e18)
            throw errors::arithmeticOverflow(src.name(), target.name());
        return checkedInteger(static_cast<std::int64_t>(t), target, false, src.name());
    }
    if (src.isCharacter()) {
        bool overflow = false;
        const auto n = parseInteger(v.asText(), overflow);
        if (overflow)
            throw stringOverflowsInteger(v, target);
        if (!n)
            throw errors::conversionFailed(sourceName(v), v.asText(), target.name());
        const Range r = integerRange(target.id);
        if (*n < r.min || *n > r.max)
            throw stringOverflowsInteger(v, target);
        return Value::integer(*n, target.id);
    }
    if (src.id == TypeId::DateTime || src.id == TypeId::SmallDateTime)
        return checkedInteger(v.asDateTime().toRoundedDays(), target, false, src.name());
    if (src.isBinary())
        return Value::integer(bigEndian(v.asBytes(), integerBytes(target.id)), target.id);
    throw errors::explicitNotAllowed(src.name(), target.name());
}

// ---- decimal and money ------------------------------------------------------------------------

Value toDecimal(const Value& v, const DataType& target) {
    const DataType& src = v.type();
    int precision = target.precision;
    const int scale = target.scale;
    if (target.isMoney())
        precision = target.id == TypeId::Money ? 19 : 10;
    std::optional<Decimal> d;
    if (src.id == TypeId::Bit)
        d = Decimal::fromInt64(v.asBool() ? 1 : 0).rescale(scale, precision);
    else if (src.isInteger())
        d = Decimal::fromInt64(v.asInt64()).rescale(scale, precision);
    else if (src.isDecimal() || src.isMoney())
        d = v.asDecimal().rescale(scale, precision);
    else if (src.isApproximate() || src.id == TypeId::DateTime || src.id == TypeId::SmallDateTime) {
        const double x = src.isApproximate() ? v.asDouble() : v.asDateTime().toDouble();
        const auto exact = Decimal::fromDouble(x, scale);
        if (exact)
            d = exact->rescale(scale, precision);
    } else if (src.isCharacter()) {
        const auto parsed = Decimal::parse(v.asText());
        if (!parsed) {
            if (target.isMoney())
                throw SqlError(235, 16, 0,
                               "Cannot convert a char value to money. The char value has incorrect syntax.");
            throw errors::errorConverting(sourceName(v), target.name());
        }
        d = parsed->rescale(scale, precision);
    } else {
        throw errors::errorConverting(src.name(), target.name());
    }
    if (d && target.isMoney()) {
        // money is an int64 count of ten-thousandths; smallmoney an int32 one.
        const Decimal::Mantissa m = d->mantissa();
        const bool fits = target.id == TypeId::Money ? (m >= std::numeric_limits<std::int64_t>::min() &&
                                                        m <= std::numeric_limits<std::int64_t>::max())
                                                     : (m >= std::numeric_limits<std::int32_t>::min() &&
                                                        m <= std::numeric_limits<std::int32_t>::max());
        if (!fits)
            d.reset();
    }
    if (!d)
        throw errors::arithmeticOverflow(src.isInteger() || src.id == TypeId::Bit ? "expression" : src.name(),
                                         target.name());
    return Value::decimal(*d, target);
}

// ---- float and real ---------------------------------------------------------------------------

std::optional<double> parseFloat(std::string_view text) {
    std::string_view s = trimBlanks(text);
    if (s.empty())
        return 0.0;
    if (s.front() == '+')
        s.remove_prefix(1);
    double d = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), d, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        return std::nullopt;
    return d;
}

Value toFloat(const Value& v, const DataType& target) {
    const DataType& src = v.type();
    double d = 0;
    if (src.id == TypeId::Bit)
        d = v.asBool() ? 1 : 0;
    else if (src.isInteger())
        d = static_cast<double>(v.asInt64());
    else if (src.isDecimal() || src.isMoney())
        d = v.asDecimal().toDouble();
    else if (src.isApproximate())
        d = v.asDouble();
    else if (src.id == TypeId::DateTime || src.id == TypeId::SmallDateTime)
        d = v.asDateTime().toDouble();
    else if (src.isCharacter()) {
        const auto parsed = parseFloat(v.asText());
        if (!parsed)
            throw errors::errorConverting(sourceName(v), target.name());
        d = *parsed;
    } else {
        throw errors::explicitNotAllowed(src.name(), target.name());
    }
    if (target.id == TypeId::Real) {
        if (std::fabs(d) > FLT_MAX)
            throw errors::arithmeticOverflow(src.isCharacter() ? "expression" : src.name(), "real");
        d = static_cast<float>(d);
    }
    return Value::floating(d, target.id);
}

// ---- date and time ----------------------------------------------------------------------------

const DateTime kSmallDateTimeMin = DateTime(0, 0);
const DateTime kSmallDateTimeMax = DateTime(65378, 1439 * 60 * DateTime::kTicksPerSecond); // 2079-06-06 23:59

Value fitDateTime(const DateTime& d, const DataType& target, std::string_view from) {
    switch (target.id) {
    case TypeId::SmallDateTime: {
        if (d < kSmallDateTimeMin || d > DateTime(65378, DateTime::kTicksPerDay - 1))
            throw errors::dateOutOfRange(from, "smalldatetime");
        const DateTime r = d.roundedToMinute();
        if (r > kSmallDateTimeMax)
            throw errors::dateOutOfRange(from, "smalldatetime");
        return Value::dateTime(r, target.id);
    }
    case TypeId::Date:
        return Value::dateTime(DateTime(d.days(), 0), target.id);
    case TypeId::Time:
        return Value::dateTime(DateTime(0, d.ticks()), target.id);
    default:
        return Value::dateTime(d, target.id);
    }
}

Value toDateTime(const Value& v, const DataType& target) {
    const DataType& src = v.type();
    if (src.isDateTime()) {
        if (src.id == TypeId::Time && target.id == TypeId::Date)
            throw errors::operandTypeClash("time", "date");
        return fitDateTime(v.asDateTime(), target, src.name());
    }
    if (src.isCharacter()) {
        try {
            return fitDateTime(DateTime::parse(v.asText()), target, src.name());
        } catch (const SqlError& e) {
            if (e.number == 242)
                throw errors::dateOutOfRange(src.name(), target.name());
            throw;
        }
    }
    if (target.id == TypeId::Date || target.id == TypeId::Time || target.id == TypeId::DateTime2)
        throw errors::explicitNotAllowed(src.name(), target.name());
    if (src.id == TypeId::Bit)
        return fitDateTime(DateTime::fromDays(v.asBool() ? 1 : 0), target, src.name());
    if (src.isInteger())
        return fitDateTime(DateTime::fromDays(v.asInt64()), target, src.name());
    if (src.isDecimal() || src.isMoney())
        return fitDateTime(DateTime::fromDouble(v.asDecimal().toDouble()), target, src.name());
    if (src.isApproximate())
        return fitDateTime(DateTime::fromDouble(v.asDouble()), target, src.name());
    throw errors::explicitNotAllowed(src.name(), target.name());
}

// ---- text ---------------------------------------------------------------------------------------

// The text of a non-text value and whether a target too short for it is an error (numbers) or
// cuts it (dates, binary).
struct Rendered {
    std::string text;
    enum { Cut, Star, Overflow, GuidSpace } whenTooLong = Cut;
};

Rendered render(const Value& v, const DataType& target, int style) {
    const DataType& src = v.type();
    if (src.id == TypeId::Bit)
        return {v.asBool() ? "1" : "0", Rendered::Star};
    if (src.isInteger())
        return {std::to_string(v.asInt64()), Rendered::Star};
    if (src.isDecimal())
        return {v.asDecimal().toString(), Rendered::Overflow};
    if (src.isMoney()) {
        const Decimal d = *v.asDecimal().rescale(style == 2 ? 4 : 2);
        std::string s = d.toString();
        if (style == 1) {
            // 1,234.56
            const std::size_t dot = s.find('.');
            const std::size_t firstDigit = s.front() == '-' ? 1 : 0;
            for (std::size_t i = dot; i > firstDigit + 3; i -= 3)
                s.insert(i - 3, ",");
        }
        return {s, Rendered::Overflow};
    }
    if (src.isApproximate())
        return {floatStyle0Text(v.asDouble()), Rendered::Overflow};
    if (src.id == TypeId::DateTime || src.id == TypeId::SmallDateTime) {
        const auto s = v.asDateTime().toStyleString(style);
        if (!s)
            throw SqlError(281, 16, 1,
                           std::to_string(style) + " is not a valid style number when converting from " +
                               std::string(src.name()) + " to a character string.");
        return {*s, Rendered::Cut};
    }
    if (src.isDateTime()) {
        const std::string full = v.asDateTime().toString();
        if (src.id == TypeId::Date)
            return {full.substr(0, 10), Rendered::Cut};
        if (src.id == TypeId::Time)
            return {full.substr(11), Rendered::Cut};
        return {full, Rendered::Cut};
    }
    if (src.id == TypeId::UniqueIdentifier)
        return {v.asGuid().toString(), Rendered::GuidSpace};
    if (src.isBinary()) {
        if (style == 1 || style == 2)
            return {detail::hexText(v.asBytes(), style == 1), Rendered::Cut};
        return {target.isUnicode() ? detail::decodeUtf16Le(v.asBytes()) : detail::decodeCodePage(v.asBytes()),
                Rendered::Cut};
    }
    return {v.asText(), Rendered::Cut};
}

bool onlyBlanks(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

Value toText(const Value& v, const DataType& target, ConversionMode mode, int style) {
    const DataType& src = v.type();
    const bool fromText = src.isCharacter();
    Rendered r = fromText ? Rendered{v.asText(), Rendered::Cut} : render(v, target, style);
    std::string text = target.isUnicode() ? std::move(r.text) : detail::toCodePageRepertoire(r.text);
    if (target.hasLength() && !target.isMax()) {
        const auto limit = static_cast<std::size_t>(target.length);
        const bool unicode = target.isUnicode();
        if (detail::textLength(text, unicode) > limit) {
            switch (r.whenTooLong) {
            case Rendered::Star:
                if (!unicode)
                    return Value::text("*", target);
                throw errors::arithmeticOverflow("expression", target.name());
            case Rendered::Overflow:
                throw errors::arithmeticOverflow(
                    src.isMoney() || src.isApproximate() ? "expression" : src.name(), target.name());
            case Rendered::GuidSpace:
                throw SqlError(8170, 16, 1,
                               "Insufficient result space to convert uniqueidentifier value to char.");
            case Rendered::Cut: {
                const std::string_view kept = detail::prefixOfLength(text, limit, unicode);
                if (mode == ConversionMode::Store && fromText &&
                    !onlyBlanks(std::string_view(text).substr(kept.size())))
                    throw errors::truncated();
                text = std::string(kept);
                break;
            }
            }
        }
        if (target.isFixedLength()) {
            const std::size_t have = detail::textLength(text, unicode);
            if (have < limit)
                text.append(limit - have, ' ');
        }
    }
    return Value::text(std::move(text), target);
}

// ---- binary and uniqueidentifier --------------------------------------------------------------

std::string integerBigEndian(std::int64_t v, int size) {
    std::string out(static_cast<std::size_t>(size), '\0');
    auto u = static_cast<std::uint64_t>(v);
    for (int i = size - 1; i >= 0; --i) {
        out[static_cast<std::size_t>(i)] = static_cast<char>(u & 0xFF);
        u >>= 8;
    }
    return out;
}

Value toBinary(const Value& v, const DataType& target, ConversionMode mode) {
    const DataType& src = v.type();
    std::string bytes;
    bool numeric = false;
    if (src.id == TypeId::Bit) {
        bytes = std::string(1, v.asBool() ? '\x01' : '\x00');
        numeric = true;
    } else if (src.isInteger()) {
        bytes = integerBigEndian(v.asInt64(), integerBytes(src.id));
        numeric = true;
    } else if (src.isApproximate()) {
        const double d = v.asDouble();
        std::uint64_t u = 0;
        std::memcpy(&u, &d, sizeof u);
        bytes = integerBigEndian(static_cast<std::int64_t>(u), 8);
        numeric = true;
    } else if (src.isBinary()) {
        bytes = v.asBytes();
    } else if (src.id == TypeId::UniqueIdentifier) {
        bytes = v.asGuid().toBinary();
    } else if (src.isCharacter()) {
        bytes = src.isUnicode() ? detail::encodeUtf16Le(v.asText()) : detail::encodeCodePage(v.asText());
    } else if (src.id == TypeId::DateTime || src.id == TypeId::SmallDateTime) {
        const DateTime& d = v.asDateTime();
        bytes = integerBigEndian(d.days(), 4) + integerBigEndian(d.ticks(), 4);
    } else {
        throw errors::errorConverting(src.name(), target.name());
    }
    if (!target.isMax()) {
        const auto limit = static_cast<std::size_t>(target.length);
        if (bytes.size() > limit) {
            if (numeric) {
                bytes = bytes.substr(bytes.size() - limit); // the low-order bytes stay
            } else {
                if (mode == ConversionMode::Store)
                    throw errors::truncated();
                bytes.resize(limit);
            }
        }
        if (target.id == TypeId::Binary && bytes.size() < limit) {
            if (numeric)
                bytes.insert(0, limit - bytes.size(), '\0');
            else
                bytes.append(limit - bytes.size(), '\0');
        }
    }
    return Value::binary(std::move(bytes), target);
}

Value toGuid(const Value& v) {
    const DataType& src = v.type();
    if (src.isCharacter()) {
        const auto g = Guid::parse(v.asText());
        if (!g)
            throw errors::guidFromString();
        return Value::guid(*g);
    }
    if (src.isBinary())
        return Value::guid(Guid::fromBinary(v.asBytes()));
    return v;
}

} // namespace

Value convert(const Value& value, const DataType& target, ConversionMode mode, int style) {
    const DataType& src = value.type();
    const ConversionKind kind = conversionKind(src.id, target.id);
    if (kind == ConversionKind::NotAllowed ||
        (kind == ConversionKind::Explicit && mode != ConversionMode::Explicit)) {
        if (mode == ConversionMode::Explicit)
            throw errors::explicitNotAllowed(src.name(), target.name());
        throw errors::implicitNotAllowed(src.name(), target.name());
    }
    if (value.isNull())
        return Value::null(target);
    if (target.isCharacter())
        return toText(value, target, mode, style);
    if (target.isBinary())
        return toBinary(value, target, mode);
    if (target.id == TypeId::UniqueIdentifier)
        return toGuid(value);
    if (target.isDateTime())
        return toDateTime(value, target);
    if (target.isApproximate())
        return toFloat(value, target);
    if (target.isDecimal() || target.isMoney())
        return toDecimal(value, target);
    return toInteger(value, target);
}

int compareValues(const Value& a, const Value& b, const Collation& collation) {
    const DataType common = comparisonType(a.type(), b.type());
    const Value x = convert(a, common, ConversionMode::Implicit);
    const Value y = convert(b, common, ConversionMode::Implicit);
    const auto order = [](const auto& l, const auto& r) { return l < r ? -1 : (r < l ? 1 : 0); };
    if (common.isCharacter())
        return collation.compare(x.asText(), y.asText());
    if (common.isBinary())
        return order(x.asBytes(), y.asBytes());
    switch (common.id) {
    case TypeId::Bit:
        return order(x.asBool(), y.asBool());
    case TypeId::Float:
    case TypeId::Real:
        return order(x.asDouble(), y.asDouble());
    case TypeId::UniqueIdentifier:
        return order(x.asGuid(), y.asGuid());
    default:
        break;
    }
    if (common.isDateTime())
        return order(x.asDateTime(), y.asDateTime());
    if (common.isDecimal() || common.isMoney())
        return order(x.asDecimal(), y.asDecimal());
    return order(x.asInt64(), y.asInt64());
}

} // namespace tsql
