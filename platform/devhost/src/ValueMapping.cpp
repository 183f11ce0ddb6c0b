#include "devhost/ValueMapping.h"

#include "tsql/DateTime.h"
#include "tsql/Decimal.h"

#include <QByteArray>

#include <cmath>

namespace devhost {

namespace {

__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

ov::Variant fromDecimal(const tsql::Decimal& d) {
    const Int128 mantissa = d.mantissa();
    const UInt128 magnitude = mantissa < 0 ? static_cast<UInt128>(-mantissa) : static_cast<UInt128>(mantissa);
    OvDecimal raw{};
    raw.lo = static_cast<std::uint64_t>(magnitude);
    raw.hi = static_cast<std::uint64_t>(magnitude >> 64);
    raw.scale = static_cast<std::uint8_t>(d.scale());
    raw.negative = mantissa < 0 ? 1 : 0;
    return ov::Variant::fromDecimal(raw);
}

ov::Variant fromMoney(const tsql::Decimal& d) {
    const auto scaled = d.rescale(4);
    const Int128 mantissa = scaled ? scaled->mantissa() : 0;
    return ov::Variant::fromCurrency(static_cast<std::int64_t>(mantissa));
}

ov::Variant fromText(const std::string& utf8) {
    return ov::Variant::fromString(ov::utf8ToUtf16(utf8));
}

tsql::Decimal toEngineDecimal(const OvDecimal& raw) {
    const UInt128 magnitude = (static_cast<UInt128>(raw.hi) << 64) | raw.lo;
    const Int128 signedValue =
        raw.negative ? -static_cast<Int128>(magnitude) : static_cast<Int128>(magnitude);
    return tsql::Decimal(signedValue, raw.scale);
}

QString textOf(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Numbers compare by value; nullopt for a variant that holds no number.
std::optional<double> numberOf(const ov::Variant& v) {
    switch (v.type()) {
    case OV_VT_I4:
        return v.asInt();
    case OV_VT_I8:
        return static_cast<double>(v.asInt64());
    case OV_VT_R8:
    case OV_VT_DATE:
        return v.asDouble();
    case OV_VT_CY:
        return static_cast<double>(v.asCurrency()) / 10000.0;
    case OV_VT_DECIMAL:
        return toEngineDecimal(v.asDecimal()).toDouble();
    case OV_VT_BOOL:
        return v.asBool() ? 1.0 : 0.0;
    default:
        return std::nullopt;
    }
}

} // namespace

ov::Variant toVariant(const tsql::Value& value) {
    if (value.isNull())
        return ov::Variant::null();
    const tsql::DataType& type = value.type();
    switch (type.id) {
    case tsql::TypeId::Bit:
        return ov::Variant::fromBool(value.asBool());
    case tsql::TypeId::TinyInt:
    case tsql::TypeId::SmallInt:
    case tsql::TypeId::Int:
        return ov::Variant::fromInt(static_cast<std::int32_t>(value.asInt64()));
    case tsql::TypeId::BigInt:
        return ov::Variant::fromInt64(value.asInt64());
    case tsql::TypeId::Decimal:
    case tsql::TypeId::Numeric:
        return fromDecimal(value.asDecimal());
    case tsql::TypeId::Money:
    case tsql::TypeId::SmallMoney:
        return fromMoney(value.asDecimal());
    case tsql::TypeId::Float:
    case tsql::TypeId::Real:
        return ov::Variant::fromDouble(value.asDouble());
    case tsql::TypeId::DateTime:
    case tsql::TypeId::SmallDateTime:
    case tsql::TypeId::Date:
    case tsql::TypeId::Time:
    case tsql::TypeId::DateTime2:
        return ov::Variant::fromDate(value.asDateTime().toOleDate());
    case tsql::TypeId::Char:
    case tsql::TypeId::VarChar:
    case tsql::TypeId::NChar:
    case tsql::TypeId::NVarChar:
    case tsql::TypeId::Text:
    case tsql::TypeId::NText:
        return fromText(value.asText());
    case tsql::TypeId::Binary:
    case tsql::TypeId::VarBinary: {
        const std::string& bytes = value.asBytes();
        return ov::Variant::fromBytes(std::span<const unsigned char>(
            reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    }
    case tsql::TypeId::UniqueIdentifier:
        return fromText(value.asGuid().toString());
    }
    return fromText(value.toDisplayString());
}

QString displayText(const ov::Variant& value) {
    switch (value.type()) {
    case OV_VT_EMPTY:
    case OV_VT_NULL:
        return {};
    case OV_VT_I4:
        return QString::number(value.asInt());
    case OV_VT_I8:
        return QString::number(value.asInt64());
    case OV_VT_R8:
        return QString::number(value.asDouble(), 'g', 15);
    case OV_VT_CY:
        return QString::fromStdString(tsql::Decimal(value.asCurrency(), 4).toString());
    case OV_VT_DECIMAL:
        return QString::fromStdString(toEngineDecimal(value.asDecimal()).toString());
    case OV_VT_BOOL:
        return value.asBool() ? QStringLiteral("1") : QStringLiteral("0");
    case OV_VT_DATE: {
        const auto date = tsql::DateTime::fromOleDate(value.asDate());
        return date ? QString::fromStdString(date->toString()) : QString::number(value.asDate());
    }
    case OV_VT_BSTR:
        return textOf(value.asString());
    case OV_VT_BYTES: {
        const auto bytes = value.asBytes();
        return QStringLiteral("0x") +
               QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()))
                                       .toHex()
                                       .toUpper());
    }
    }
    return {};
}

std::optional<std::int64_t> wholeNumber(const ov::Variant& value) {
    switch (value.type()) {
    case OV_VT_I4:
        return value.asInt();
    case OV_VT_I8:
        return value.asInt64();
    case OV_VT_DECIMAL: {
        const tsql::Decimal d = toEngineDecimal(value.asDecimal());
        const auto whole = d.toInt64();
        if (whole && tsql::Decimal::fromInt64(*whole) == d)
            return whole;
        return std::nullopt;
    }
    case OV_VT_R8:
        if (std::trunc(value.asDouble()) == value.asDouble() && std::abs(value.asDouble()) < 9.0e15)
            return static_cast<std::int64_t>(value.asDouble());
        return std::nullopt;
    case OV_VT_BSTR: {
        bool ok = false;
        const qint64 n = textOf(value.asString()).trimmed().toLongLong(&ok);
        return ok ? std::optional<std::int64_t>(n) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

bool sameValue(const ov::Variant& a, const ov::Variant& b) {
    if (a.isNull() || b.isNull() || a.isEmpty() || b.isEmpty())
        return false;
    const auto na = numberOf(a);
    const auto nb = numberOf(b);
    if (na && nb)
        return *na == *nb;
    if (a.type() == OV_VT_BSTR || b.type() == OV_VT_BSTR)
        return displayText(a).compare(displayText(b), Qt::CaseInsensitive) == 0;
    return displayText(a) == displayText(b);
}

} // namespace devhost
