#include "tsql/codegen/BuiltinRuntime.h"

#include "tsql/Arithmetic.h"
#include "tsql/Convert.h"
#include "tsql/Like.h"
#include "tsql/SqlError.h"
#include "tsql/Utf8.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace tsql {

namespace {

using detail::toUtf16;
using detail::toUtf8;

Value text(const std::u16string& s, const DataType& type) {
    return convert(Value::text(toUtf8(s), DataType::nvarchar(DataType::kMax)), type, ConversionMode::Assign);
}

std::u16string u16(const Value& v) {
    return toUtf16(v.asText());
}

std::int64_t integer(const Value& v) {
    return v.asInt64();
}

bool anyNull(const std::vector<Value>& args) {
    return std::any_of(args.begin(), args.end(), [](const Value& v) { return v.isNull(); });
}

// Trailing blanks do not count for LEN.
std::size_t lengthWithoutTrailingBlanks(const std::u16string& s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    return n;
}

// Latin Extended-A pairs an upper-case letter with the next code point (Č/č, Ň/ň, Ž/ž, ...); which of
// the pair is upper case alternates between the runs of the block.
bool upperExtendedA(char16_t c) {
    return (c >= 0x100 && c <= 0x137 && c % 2 == 0 && c != 0x130) ||
           (c >= 0x139 && c <= 0x148 && c % 2 == 1) || (c >= 0x14A && c <= 0x177 && c % 2 == 0) ||
           (c >= 0x179 && c <= 0x17E && c % 2 == 1);
}

bool lowerExtendedA(char16_t c) {
    return (c >= 0x101 && c <= 0x137 && c % 2 == 1 && c != 0x131) ||
           (c >= 0x13A && c <= 0x148 && c % 2 == 0) || (c >= 0x14B && c <= 0x177 && c % 2 == 1) ||
           (c >= 0x17A && c <= 0x17E && c % 2 == 0);
}

std::u16string changeCase(std::u16string s, bool upper) {
    for (char16_t& c : s) {
        if (upper) {
            if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
                c = static_cast<char16_t>(c - 32);
            else if (lowerExtendedA(c))
                c = static_cast<char16_t>(c - 1);
        } else {
            if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
                c = static_cast<char16_t>(c + 32);
            else if (upperExtendedA(c))
                c = static_cast<char16_t>(c + 1);
        }
    }
    return s;
}

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    return changeCase(std::u16string(a), true) == changeCase(std::u16string(b), true);
}

// CHARINDEX: 1-based position of `what` in `in` from `start`, 0 when absent.
std::int64_t charIndex(const std::u16string& what, const std::u16string& in, std::int64_t start) {
    if (what.empty())
        return 0;
    const std::size_t from = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    for (std::size_t i = from; i + what.size() <= in.size(); ++i)
        if (equalIgnoringCase(std::u16string_view(in).substr(i, what.size()), what))
            return static_cast<std::int64_t>(i + 1);
    return 0;
}

std::u16string replaceAll(const std::u16string& s, const std::u16string& what, const std::u16string& with) {
    if (what.empty())
        return s;
    std::u16string out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (i + what.size() <= s.size() &&
            equalIgnoringCase(std::u16string_view(s).substr(i, what.size()), what)) {
            out += with;
            i += what.size();
        } else {
            out += s[i++];
        }
    }
    return out;
}

std::u16string substring(const std::u16string& s, std::int64_t start, std::int64_t length) {
    if (length < 0)
        throw SqlError(537, 16, 1, "Invalid length parameter passed to the LEFT or SUBSTRING function.");
    std::int64_t end = start + length; // exclusive, 1-based
    start = std::max<std::int64_t>(start, 1);
    end = std::min<std::int64_t>(end, static_cast<std::int64_t>(s.size()) + 1);
    if (end <= start)
        return {};
    return s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(end - start));
}

Value floatValue(double d) {
    if (std::isnan(d) || std::isinf(d))
        throw SqlError(3623, 16, 1, "An invalid floating point operation occurred.");
    return Value::floating(d);
}

Value numericResult(const Value& v, const DataType& result) {
    return convert(v, result, ConversionMode::Implicit);
}

Value roundValue(const Value& x, std::int64_t digits, bool truncate, const DataType& result) {
    const DataType& t = x.type();
    if (t.isApproximate()) {
        const double scale = std::pow(10.0, static_cast<double>(digits));
        double v = x.asDouble() * scale;
        v = truncate ? std::trunc(v) : std::round(v);
        return floatValue(v / scale);
    }
    if (t.isInteger()) {
        const Decimal d = Decimal::fromInt64(x.asInt64()).round(static_cast<int>(digits), truncate, 38);
        return convert(Value::decimal(d, DataType::numeric(38, 0)), result, ConversionMode::Implicit);
    }
    const Decimal d = x.asDecimal().round(static_cast<int>(digits), truncate, t.precision);
    return Value::decimal(d, result);
}

Value signOf(const Value& x, const DataType& result) {
    const DataType& t = x.type();
    int sign = 0;
    if (t.isApproximate())
        sign = x.asDouble() > 0 ? 1 : (x.asDouble() < 0 ? -1 : 0);
    else if (t.isInteger())
        sign = x.asInt64() > 0 ? 1 : (x.asInt64() < 0 ? -1 : 0);
    else
        sign = x.asDecimal().isNegative() ? -1 : (x.asDecimal().mantissa() == 0 ? 0 : 1);
    return convert(Value::integer(sign), result, ConversionMode::Implicit);
}

Value absOf(const Value& x, const DataType& result) {
    const DataType& t = x.type();
    if (t.isApproximate())
        return Value::floating(std::fabs(x.asDouble()), t.id);
    if (t.isInteger()) {
        if (x.asInt64() < 0)
            return negate(x);
        return x;
    }
    return Value::decimal(x.asDecimal().abs(), result);
}

Value floorOrCeiling(const Value& x, bool ceiling, const DataType& result) {
    const DataType& t = x.type();
    if (t.isApproximate())
        return Value::floating(ceiling ? std::ceil(x.asDouble()) : std::floor(x.asDouble()), t.id);
    if (t.isInteger())
        return x;
    const Decimal d = ceiling ? x.asDecimal().ceiling() : x.asDecimal().floor();
    return convert(Value::decimal(d, DataType::numeric(38, t.scale)), result, ConversionMode::Implicit);
}

bool isNumericText(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    if (i < s.size() && s[i] == '$')
        ++i;
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9')
            digits = true;
        else if (s[i] == '.' && !point)
            point = true;
        else if ((s[i] == 'e' || s[i] == 'E') && digits) {
            ++i;
            if (i < s.size() && (s[i] == '+' || s[i] == '-'))
                ++i;
            bool exp = false;
            while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
                exp = true;
                ++i;
            }
            while (i < s.size() && s[i] == ' ')
                ++i;
            return exp && i == s.size();
        } else
            break;
    }
    while (i < s.size() && s[i] == ' ')
        ++i;
    return digits && i == s.size();
}

std::string_view monthName(int month) {
    static const char* names[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
    return names[(month - 1) % 12];
}

std::string_view dayName(int weekday) {
    static const char* names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
    return names[(weekday - 1) % 7];
}

Guid randomGuid() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    Guid::Bytes bytes{};
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    bytes[7] = static_cast<std::uint8_t>((bytes[7] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    return Guid(bytes);
}

} // namespace

Value callBuiltin(BuiltinId id, const DataType& result, const std::vector<Value>& args) {
    if (id == BuiltinId::NewId)
        return Value::guid(randomGuid());
    if (id == BuiltinId::Pi)
        return Value::floating(3.14159265358979323846);
    if (id == BuiltinId::Concat) {
        std::u16string out;
        for (const Value& v : args)
            if (!v.isNull())
                out += u16(v);
        return text(out, result);
    }
    if (id == BuiltinId::NullIf) {
        if (args[0].isNull())
            return Value::null(result);
        if (!args[1].isNull() && compareValues(args[0], args[1]) == 0)
            return Value::null(result);
        return convert(args[0], result, ConversionMode::Implicit);
    }
    if (id == BuiltinId::IsNumeric) {
        if (args[0].isNull())
            return Value::integer(0);
        if (args[0].type().isNumeric())
            return Value::integer(1);
        return Value::integer(isNumericText(args[0].asText()) ? 1 : 0);
    }
    if (id == BuiltinId::CharIndex && args.size() == 3 && args[2].isNull())
        return Value::null(result);
    if (anyNull(args))
        return Value::null(result);
    switch (id) {
    case BuiltinId::Len: {
        const std::u16string s = u16(args[0]);
        return convert(
            Value::integer(static_cast<std::int64_t>(lengthWithoutTrailingBlanks(s)), TypeId::BigInt), result,
            ConversionMode::Implicit);
    }
    case BuiltinId::DataLength: {
        const Value& v = args[0];
        std::int64_t n = 0;
        if (v.type().isCharacter())
            n = static_cast<std::int64_t>(v.type().isUnicode() ? 2 * detail::countUtf16Units(v.asText())
                                                               : detail::countCodePoints(v.asText()));
        else if (v.type().isBinary())
            n = static_cast<std::int64_t>(v.asBytes().size());
        else
            n = 8;
        return convert(Value::integer(n, TypeId::BigInt), result, ConversionMode::Implicit);
    }
    case BuiltinId::Left:
    case BuiltinId::Right: {
        const std::u16string s = u16(args[0]);
        const std::int64_t n = integer(args[1]);
        if (n < 0)
            throw SqlError(537, 16, 1,
                           std::string("Invalid length parameter passed to the ") +
                               (id == BuiltinId::Left ? "LEFT" : "RIGHT") + " function.");
        const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), s.size());
        return text(id == BuiltinId::Left ? s.substr(0, take) : s.substr(s.size() - take), result);
    }
    case BuiltinId::Substring:
        return text(substring(u16(args[0]), integer(args[1]), integer(args[2])), result);
    case BuiltinId::Replace:
        return text(replaceAll(u16(args[0]), u16(args[1]), u16(args[2])), result);
    case BuiltinId::Replicate: {
        const std::int64_t n = integer(args[1]);
        if (n < 0)
            return Value::null(result);
        const std::u16string s = u16(args[0]);
        std::u16string out;
        const std::size_t cap = result.isMax() ? 1u << 26 : static_cast<std::size_t>(result.length);
        for (std::int64_t i = 0; i < n && out.size() < cap; ++i)
            out += s;
        if (out.size() > cap)
            out.resize(cap);
        return text(out, result);
    }
    case BuiltinId::LTrim:
    case BuiltinId::RTrim:
    case BuiltinId::Trim: {
        std::u16string s = u16(args[0]);
        if (id != BuiltinId::RTrim)
            s.erase(0, std::min(s.find_first_not_of(u' '), s.size()));
        if (id != BuiltinId::LTrim)
            s.erase(lengthWithoutTrailingBlanks(s));
        return text(s, result);
    }
    case BuiltinId::Upper:
    case BuiltinId::Lower:
        return text(changeCase(u16(args[0]), id == BuiltinId::Upper), result);
    case BuiltinId::CharIndex: {
        const std::int64_t at = charIndex(u16(args[0]), u16(args[1]), args.size() > 2 ? integer(args[2]) : 1);
        return convert(Value::integer(at, TypeId::BigInt), result, ConversionMode::Implicit);
    }
    case BuiltinId::PatIndex: {
        const std::u16string pattern = u16(args[0]);
        const std::u16string s = u16(args[1]);
        const std::string full = toUtf8(pattern);
        // The first position from which the pattern (with its leading % removed) matches.
        std::string body = full;
        if (!body.empty() && body.front() == '%')
            body.erase(0, 1);
        const LikePattern like(body);
        for (std::size_t i = 0; i < s.size(); ++i)
            if (like.matches(toUtf8(s.substr(i))))
                return convert(Value::integer(static_cast<std::int64_t>(i + 1), TypeId::BigInt), result,
                               ConversionMode::Implicit);
        return convert(Value::integer(0), result, ConversionMode::Implicit);
    }
    case BuiltinId::NChar:
    case BuiltinId::Char: {
        const std::int64_t c = integer(args[0]);
        if (c < 0 || c > (id == BuiltinId::Char ? 255 : 65535))
            return Value::null(result);
        return text(std::u16string(1, static_cast<char16_t>(c)), result);
    }
    case BuiltinId::Ascii:
    case BuiltinId::Unicode: {
        const std::u16string s = u16(args[0]);
        if (s.empty())
            return Value::null(result);
        return Value::integer(s[0]);
    }
    case BuiltinId::Space: {
        const std::int64_t n = integer(args[0]);
        if (n < 0)
            return Value::null(result);
        return text(std::u16string(static_cast<std::size_t>(std::min<std::int64_t>(n, 8000)), u' '), result);
    }
    case BuiltinId::Stuff: {
        std::u16string s = u16(args[0]);
        const std::int64_t start = integer(args[1]), length = integer(args[2]);
        if (start < 1 || start > static_cast<std::int64_t>(s.size()) || length < 0)
            return Value::null(result);
        s.replace(static_cast<std::size_t>(start - 1),
                  static_cast<std::size_t>(
                      std::min<std::int64_t>(length, static_cast<std::int64_t>(s.size()) - start + 1)),
                  u16(args[3]));
        return text(s, result);
    }
    case BuiltinId::Reverse: {
        std::u16string s = u16(args[0]);
        std::reverse(s.begin(), s.end());
        return text(s, result);
    }
    case BuiltinId::Str: {
        const double v = args[0].asDouble();
        const std::int64_t length = args.size() > 1 ? integer(args[1]) : 10;
        const std::int64_t decimals = args.size() > 2 ? std::min<std::int64_t>(integer(args[2]), 16) : 0;
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(std::max<std::int64_t>(decimals, 0)),
                      v);
        std::string s = buffer;
        if (static_cast<std::int64_t>(s.size()) > length)
            s = std::string(static_cast<std::size_t>(std::max<std::int64_t>(length, 0)), '*');
        else
            s = std::string(static_cast<std::size_t>(length) - s.size(), ' ') + s;
        return convert(Value::varchar(s), result, ConversionMode::Assign);
    }
    case BuiltinId::QuoteName: {
        const std::u16string s = u16(args[0]);
        const std::u16string q = args.size() > 1 ? u16(args[1]) : u"[";
        if (s.size() > 128 || q.size() != 1)
            return Value::null(result);
        const char16_t open = q[0];
        const char16_t close = open == u'[' ? u']' : (open == u'(' ? u')' : (open == u'<' ? u'>' : open));
        std::u16string out(1, open);
        for (char16_t c : s) {
            out += c;
            if (c == close)
                out += c;
        }
        out += close;
        return text(out, result);
    }
    case BuiltinId::Abs:
        return absOf(args[0], result);
    case BuiltinId::Sign:
        return signOf(args[0], result);
    case BuiltinId::Ceiling:
    case BuiltinId::Floor:
        return floorOrCeiling(args[0], id == BuiltinId::Ceiling, result);
    case BuiltinId::Round:
        return roundValue(args[0], integer(args[1]), args.size() > 2 && integer(args[2]) != 0, result);
    case BuiltinId::Power: {
        const double base = convert(args[0], DataType::of(TypeId::Float)).asDouble();
        return numericResult(floatValue(std::pow(base, args[1].asDouble())), result);
    }
    case BuiltinId::Sqrt:
        return floatValue(std::sqrt(args[0].asDouble()));
    case BuiltinId::Square:
        return floatValue(args[0].asDouble() * args[0].asDouble());
    case BuiltinId::Exp:
        return floatValue(std::exp(args[0].asDouble()));
    case BuiltinId::Log:
        return floatValue(std::log(args[0].asDouble()));
    case BuiltinId::Log10:
        return floatValue(std::log10(args[0].asDouble()));
    case BuiltinId::DateDiff: {
        const auto part = static_cast<DatePart>(args[0].asInt64());
        return Value::integer(args[1].asDateTime().diff(part, args[2].asDateTime()));
    }
    case BuiltinId::DateAdd: {
        const auto part = static_cast<DatePart>(args[0].asInt64());
        return convert(Value::dateTime(args[2].asDateTime().add(part, args[1].asInt64())), result,
                       ConversionMode::Implicit);
    }
    case BuiltinId::DatePart: {
        const auto part = static_cast<DatePart>(args[0].asInt64());
        return Value::integer(args[1].asDateTime().part(part));
    }
    case BuiltinId::DateName: {
        const auto part = static_cast<DatePart>(args[0].asInt64());
        const int v = args[1].asDateTime().part(part);
        std::string s = part == DatePart::Month     ? std::string(monthName(v))
                        : part == DatePart::Weekday ? std::string(dayName(v))
                                                    : std::to_string(v);
        return Value::text(s, result);
    }
    case BuiltinId::Year:
        return Value::integer(args[0].asDateTime().part(DatePart::Year));
    case BuiltinId::Month:
        return Value::integer(args[0].asDateTime().part(DatePart::Month));
    case BuiltinId::Day:
        return Value::integer(args[0].asDateTime().part(DatePart::Day));
    default:
        break;
    }
    throw SqlError(50903, 16, 1, "Internal engine error: a built-in function without an implementation.");
}

} // namespace tsql
