#pragma once
// A value read from the host (a field, a current-row ID), with the conversions the plug-in
// applies to it: NULL reads as an empty text or zero, Booleans as 1 and 0, decimals exactly.

#include "ov/Variant.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace provozmat {

class HostValue {
public:
    HostValue() = default;
    explicit HostValue(ov::Variant value) : value_(std::move(value)) {}

    bool isNull() const noexcept { return value_.isNull() || value_.isEmpty(); }
    const ov::Variant& variant() const noexcept { return value_; }

    // Text form: NULL is empty, numbers with a full stop, Booleans as "True"/"False" would be
    // ambiguous in SQL, so they read as 1 and 0, dates as yyyy-MM-dd hh:mm:ss.zzz.
    QString toString() const;
    // Integer; NULL is 0, text is parsed, decimals are truncated toward zero. A text that is
    // not a number raises an error.
    std::int64_t toInt64() const;
    int toInt() const;
    double toDouble() const;
    bool toBool() const;
    // The value as an OLE day number converted to local date and time; NULL gives nullopt.
    std::optional<QDateTime> toDateTime() const;

private:
    ov::Variant value_;
};

// An exact decimal of the boundary written with a full stop ("-12.500000").
QString decimalText(const OvDecimal& value);

// OLE day number (days since 1899-12-30, time as fraction) <-> date and time, to the millisecond.
QDateTime oleDateToDateTime(double oleDays);
double dateTimeToOleDate(const QDateTime& dateTime);

} // namespace provozmat
