#include "base/HostValue.h"

#include "base/Numbers.h"
#include "base/PluginError.h"
#include "base/Text.h"

#include <QRegularExpression>

#include <cmath>

namespace provozmat {

namespace {
__extension__ using UInt128 = unsigned __int128;
const QDate kOleEpoch(1899, 12, 30);
constexpr std::int64_t kMsPerDay = 86'400'000;
} // namespace

QString decimalText(const OvDecimal& value) {
    UInt128 mantissa = (static_cast<UInt128>(value.hi) << 64) | value.lo;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + static_cast<char16_t>(mantissa % 10)));
        mantissa /= 10;
    } while (mantissa != 0);
    const int scale = value.scale;
    if (digits.size() <= scale)
        digits = QString(scale - digits.size() + 1, u'0') + digits;
    if (scale > 0)
        digits.insert(digits.size() - scale, u'.');
    const bool zero = digits.count(u'0') + (scale > 0 ? 1 : 0) == digits.size();
    return value.negative && !zero ? u'-' + digits : digits;
}

QDateTime oleDateToDateTime(double oleDays) {
    // The OLE form keeps the time as the unsigned fraction also for days before the epoch.
    const double whole = std::trunc(oleDays);
    const double fraction = std::fabs(oleDays - whole);
    const auto ms = static_cast<std::int64_t>(std::llround(fraction * kMsPerDay));
    return QDateTime(kOleEpoch.addDays(static_cast<qint64>(whole)), QTime(0, 0)).addMSecs(ms);
}

double dateTimeToOleDate(const QDateTime& dateTime) {
    const qint64 days = kOleEpoch.daysTo(dateTime.date());
    const double fraction = static_cast<double>(dateTime.time().msecsSinceStartOfDay()) / kMsPerDay;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

QString HostValue::toString() const {
    switch (value_.type()) {
    case OV_VT_EMPTY:
    case OV_VT_NULL:
        return {};
    case OV_VT_I4:
        return QString::number(value_.asInt());
    case OV_VT_I8:
        return QString::number(value_.asInt64());
    case OV_VT_R8:
        return formatDecimal(value_.asDouble());
    case OV_VT_CY: {
        const OvDecimal d{static_cast<std::uint64_t>(std::llabs(value_.asCurrency())), 0, 4,
                          static_cast<std::uint8_t>(value_.asCurrency() < 0)};
        return decimalText(d);
    }
    case OV_VT_DECIMAL:
        return decimalText(value_.asDecimal());
    case OV_VT_DATE:
        return oleDateToDateTime(value_.asDate()).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    case OV_VT_BSTR:
        return fromU16(value_.asString());
    case OV_VT_BOOL:
        return value_.asBool() ? QStringLiteral("1") : QStringLiteral("0");
    case OV_VT_BYTES: {
        const auto bytes = value_.asBytes();
        return QStringLiteral("0x") +
               QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()))
                                       .toHex()
                                       .toUpper());
    }
    }
    return {};
}

std::int64_t HostValue::toInt64() const {
    switch (value_.type()) {
    case OV_VT_EMPTY:
    case OV_VT_NULL:
        return 0;
    case OV_VT_I4:
        return value_.asInt();
    case OV_VT_I8:
        return value_.asInt64();
    case OV_VT_BOOL:
        return value_.asBool() ? 1 : 0;
    case OV_VT_R8:
    case OV_VT_DATE:
        return static_cast<std::int64_t>(
            std::trunc(value_.type() == OV_VT_R8 ? value_.asDouble() : value_.asDate()));
    case OV_VT_CY:
        return value_.asCurrency() / 10'000;
    case OV_VT_DECIMAL:
    case OV_VT_BSTR:
    case OV_VT_BYTES:
        break;
    }
    // Text and exact decimals: the integer part of a plain decimal number, truncated toward zero.
    const QString text = toString().trimmed();
    static const QRegularExpression number(QStringLiteral("^([+-]?\\d+)(\\.\\d*)?$"));
    const auto match = number.match(text);
    bool ok = false;
    const qlonglong whole = match.hasMatch() ? match.captured(1).toLongLong(&ok) : 0;
    if (!ok)
        throw PluginError(QStringLiteral("Hodnota '%1' není celé číslo").arg(text));
    return whole;
}

int HostValue::toInt() const {
    const std::int64_t v = toInt64();
    if (v < INT32_MIN || v > INT32_MAX)
        throw PluginError(QStringLiteral("Hodnota %1 je mimo rozsah celého čísla").arg(v));
    return static_cast<int>(v);
}

double HostValue::toDouble() const {
    switch (value_.type()) {
    case OV_VT_EMPTY:
    case OV_VT_NULL:
        return 0;
    case OV_VT_R8:
        return value_.asDouble();
    case OV_VT_DATE:
        return value_.asDate();
    default: {
        const QString text = toString();
        const auto v = parseDecimal(text);
        if (!v)
            throw PluginError(QStringLiteral("Hodnota '%1' není číslo").arg(text));
        return *v;
    }
    }
}

bool HostValue::toBool() const {
    if (value_.type() == OV_VT_BOOL)
        return value_.asBool();
    if (value_.type() == OV_VT_BSTR) {
        const QString text = toString().trimmed();
        if (text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"false", Qt::CaseInsensitive) == 0 || text.isEmpty())
            return false;
    }
    return toDouble() != 0;
}

std::optional<QDateTime> HostValue::toDateTime() const {
    if (isNull())
        return std::nullopt;
    if (value_.type() == OV_VT_DATE)
        return oleDateToDateTime(value_.asDate());
    if (value_.type() == OV_VT_BSTR) {
        const QString text = toString().trimmed();
        for (const char* pattern : {"yyyy-MM-dd hh:mm:ss.zzz", "yyyy-MM-dd hh:mm:ss", "yyyyMMdd hh:mm:ss.zzz",
                                    "yyyyMMdd hh:mm:ss", "yyyy-MM-ddThh:mm:ss"}) {
            const QDateTime dt = QDateTime::fromString(text, QString::fromLatin1(pattern));
            if (dt.isValid())
                return dt;
        }
        throw PluginError(QStringLiteral("Hodnota '%1' není datum").arg(text));
    }
    return oleDateToDateTime(toDouble());
}

} // namespace provozmat
