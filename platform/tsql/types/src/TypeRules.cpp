#include "tsql/TypeRules.h"

#include "tsql/Utf8.h"
#include "tsql/SqlError.h"

#include <algorithm>
#include <array>

namespace tsql {

namespace {

enum Group { Bin, Chr, Lob, DtOld, Dat, Tim, Dt2, Num, Gid, kGroups };

Group groupOf(TypeId id) {
    const DataType t = DataType::of(id);
    if (t.isBinary())
        return Bin;
    if (t.isLob())
        return Lob;
    if (t.isCharacter())
        return Chr;
    switch (id) {
    case TypeId::DateTime:
    case TypeId::SmallDateTime:
        return DtOld;
    case TypeId::Date:
        return Dat;
    case TypeId::Time:
        return Tim;
    case TypeId::DateTime2:
        return Dt2;
    case TypeId::UniqueIdentifier:
        return Gid;
    default:
        return Num;
    }
}

constexpr ConversionKind I = ConversionKind::Implicit;
constexpr ConversionKind E = ConversionKind::Explicit;
constexpr ConversionKind N = ConversionKind::NotAllowed;

// Rows: from; columns: to, in the order of Group.
constexpr std::array<std::array<ConversionKind, kGroups>, kGroups> kTable{{
    //         Bin Chr Lob DtO Dat Tim Dt2 Num Gid
    /* Bin */ {{I, I, N, E, N, N, N, I, I}},
    /* Chr */ {{E, I, I, I, I, I, I, I, I}},
    /* Lob */ {{N, I, I, N, N, N, N, N, N}},
    /* DtO */ {{E, I, N, I, I, I, I, E, N}},
    /* Dat */ {{E, I, N, I, I, N, I, N, N}},
    /* Tim */ {{E, I, N, I, N, I, I, N, N}},
    /* Dt2 */ {{E, I, N, I, I, I, I, N, N}},
    /* Num */ {{I, I, N, I, N, N, N, I, N}},
    /* Gid */ {{I, I, N, N, N, N, N, N, I}},
}};

bool implicitlyConvertible(const DataType& from, const DataType& to) {
    return conversionKind(from.id, to.id) == ConversionKind::Implicit;
}

const DataType& higher(const DataType& a, const DataType& b) {
    return b.precedence() > a.precedence() ? b : a;
}

// The digits of a type when it takes part in decimal arithmetic. Numeric types bring their fixed
// precision (int is 10,0); any other operand is converted to the decimal type it meets.
DataType asDecimal(const DataType& t, const DataType& other) {
    if (t.isDecimal())
        return t;
    if (t.isExactNumeric())
        return DataType::numeric(t.precision, t.scale);
    return asDecimal(other, DataType::numeric(18, 0));
}

std::int32_t addLengths(std::int32_t a, std::int32_t b, std::int32_t cap) {
    if (a == DataType::kMax || b == DataType::kMax)
        return DataType::kMax;
    return std::min(a + b, cap);
}

std::int32_t maxLength(std::int32_t a, std::int32_t b) {
    if (a == DataType::kMax || b == DataType::kMax)
        return DataType::kMax;
    return std::max(a, b);
}

// Precision above 38 gives up digits after the point, but keeps at least min(scale, 6) of them.
DataType capped(TypeId id, int precision, int scale) {
    if (precision > DataType::kMaxPrecision) {
        const int integral = precision - scale;
        const int kept = std::max(DataType::kMaxPrecision - integral, std::min(scale, 6));
        scale = std::min(scale, kept);
        precision = DataType::kMaxPrecision;
    }
    DataType t = DataType::numeric(precision, scale);
    t.id = id;
    return t;
}

SqlError bigNumber(std::string_view text) {
    return SqlError(1007, 15, 1,
                    "The number '" + std::string(text) +
                        "' is out of the range for numeric representation (maximum precision 38).");
}

} // namespace

ConversionKind conversionKind(TypeId from, TypeId to) {
    if (from == to)
        return ConversionKind::Implicit;
    if (groupOf(from) == Bin && (to == TypeId::Float || to == TypeId::Real))
        return ConversionKind::NotAllowed;
    return kTable.at(groupOf(from)).at(groupOf(to));
}

std::string_view operatorName(ArithmeticOp op) {
    switch (op) {
    case ArithmeticOp::Add:
        return "add";
    case ArithmeticOp::Subtract:
        return "subtract";
    case ArithmeticOp::Multiply:
        return "multiply";
    case ArithmeticOp::Divide:
        return "divide";
    case ArithmeticOp::Modulo:
        return "modulo";
    }
    return "add";
}

DataType decimalArithmeticType(ArithmeticOp op, const DataType& left, const DataType& right) {
    const DataType l = asDecimal(left, right);
    const DataType r = asDecimal(right, left);
    const int p1 = l.precision, s1 = l.scale, p2 = r.precision, s2 = r.scale;
    const TypeId id =
        left.id == TypeId::Decimal || right.id == TypeId::Decimal ? TypeId::Decimal : TypeId::Numeric;
    switch (op) {
    case ArithmeticOp::Add:
    case ArithmeticOp::Subtract:
        return capped(id, std::max(s1, s2) + std::max(p1 - s1, p2 - s2) + 1, std::max(s1, s2));
    case ArithmeticOp::Multiply:
        return capped(id, p1 + p2 + 1, s1 + s2);
    case ArithmeticOp::Divide: {
        const int scale = std::max(6, s1 + p2 + 1);
        return capped(id, p1 - s1 + s2 + scale, scale);
    }
    case ArithmeticOp::Modulo:
        return capped(id, std::min(p1 - s1, p2 - s2) + std::max(s1, s2), std::max(s1, s2));
    }
    return l;
}

DataType concatenationType(const DataType& left, const DataType& right) {
    const DataType& top = higher(left, right);
    DataType t = top;
    const std::int32_t cap = t.isUnicode() ? DataType::kMaxNCharLength : DataType::kMaxCharLength;
    t.length = addLengths(left.length, right.length, cap);
    return t;
}

DataType arithmeticType(ArithmeticOp op, const DataType& left, const DataType& right) {
    const DataType& top = higher(left, right);
    if (!implicitlyConvertible(left, top) || !implicitlyConvertible(right, top))
        throw errors::operandTypeClash(implicitlyConvertible(left, top) ? right.name() : left.name(),
                                       top.name());
    const std::string_view opName = operatorName(op);
    if (top.isLob())
        throw errors::incompatibleInOperator(left.name(), right.name(), opName);
    if (top.isCharacter() || top.isBinary()) {
        if (op == ArithmeticOp::Add)
            return concatenationType(left, right);
        throw errors::incompatibleInOperator(left.name(), right.name(), opName);
    }
    switch (top.id) {
    case TypeId::Bit:
    case TypeId::UniqueIdentifier:
    case TypeId::Date:
    case TypeId::Time:
    case TypeId::DateTime2:
        throw errors::invalidOperand(top.name(), opName);
    case TypeId::DateTime:
    case TypeId::SmallDateTime:
        if (op != ArithmeticOp::Add && op != ArithmeticOp::Subtract)
            throw errors::invalidOperand(top.name(), opName);
        return DataType::of(top.id);
    case TypeId::Float:
    case TypeId::Real:
        if (op == ArithmeticOp::Modulo)
            throw errors::incompatibleInOperator(left.name(), right.name(), opName);
        return DataType::of(top.id);
    case TypeId::Decimal:
    case TypeId::Numeric:
        return decimalArithmeticType(op, left, right);
    default:
        return DataType::of(top.id);
    }
}

DataType comparisonType(const DataType& left, const DataType& right, std::string_view operatorText) {
    const DataType& top = higher(left, right);
    if (!implicitlyConvertible(left, top) || !implicitlyConvertible(right, top))
        throw errors::operandTypeClash(implicitlyConvertible(left, top) ? right.name() : left.name(),
                                       top.name());
    if (top.isLob() && operatorText != "like")
        throw errors::incompatibleInOperator(left.name(), right.name(), operatorText);
    DataType t = top;
    if (t.hasLength())
        t.length = maxLength(left.hasLength() ? left.length : 1, right.hasLength() ? right.length : 1);
    return t;
}

DataType combinedType(const std::vector<std::optional<DataType>>& branches) {
    std::optional<DataType> result;
    for (const auto& b : branches) {
        if (!b)
            continue;
        if (!result) {
            result = *b;
            continue;
        }
        const DataType top = higher(*result, *b);
        if (!implicitlyConvertible(*result, top) || !implicitlyConvertible(*b, top))
            throw errors::operandTypeClash(implicitlyConvertible(*result, top) ? b->name() : result->name(),
                                           top.name());
        DataType next = top;
        if (top.isDecimal()) {
            const DataType l = asDecimal(*result, *b), r = asDecimal(*b, *result);
            const int scale = std::max(l.scale, r.scale);
            const int integral = std::max(l.precision - l.scale, r.precision - r.scale);
            next = capped(top.id, integral + scale, scale);
        } else if (top.hasLength()) {
            next.length =
                maxLength(result->hasLength() ? result->length : 30, b->hasLength() ? b->length : 30);
        }
        result = next;
    }
    return result ? *result : DataType::of(TypeId::Int);
}

DataType isnullType(const std::optional<DataType>& check, const std::optional<DataType>& replacement) {
    if (check)
        return *check;
    if (replacement)
        return *replacement;
    return DataType::of(TypeId::Int);
}

DataType integerLiteralType(std::string_view digits) {
    std::size_t first = digits.find_first_not_of('0');
    const std::string_view significant =
        first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
    if (significant.size() > 38)
        throw bigNumber(digits);
    if (significant.size() < 10 || (significant.size() == 10 && significant <= "2147483647"))
        return DataType::of(TypeId::Int);
    return DataType::numeric(static_cast<int>(significant.size()), 0);
}

DataType decimalLiteralType(std::string_view text) {
    const std::size_t dot = text.find('.');
    std::string_view whole = dot == std::string_view::npos ? text : text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    const std::size_t first = whole.find_first_not_of('0');
    whole = first == std::string_view::npos ? std::string_view() : whole.substr(first);
    const int scale = static_cast<int>(fraction.size());
    const int precision = std::max(1, static_cast<int>(whole.size()) + scale);
    if (precision > 38)
        throw bigNumber(text);
    return DataType::numeric(precision, scale);
}

DataType stringLiteralType(std::string_view utf8, bool unicode) {
    const auto n = static_cast<std::int32_t>(detail::textLength(utf8, unicode));
    const std::int32_t cap = unicode ? DataType::kMaxNCharLength : DataType::kMaxCharLength;
    return DataType::character(unicode ? TypeId::NVarChar : TypeId::VarChar,
                               n > cap ? DataType::kMax : std::max<std::int32_t>(n, 1));
}

DataType binaryLiteralType(std::size_t bytes) {
    const auto n = static_cast<std::int32_t>(std::min<std::size_t>(bytes, 1'000'000'000));
    return DataType::character(TypeId::VarBinary,
                               n > DataType::kMaxCharLength ? DataType::kMax : std::max<std::int32_t>(n, 1));
}

} // namespace tsql
