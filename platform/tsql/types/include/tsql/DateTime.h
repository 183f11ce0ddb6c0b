#pragma once
// SQL Server's DATETIME: whole days from 1900-01-01 and the time of day in ticks of 1/300 s, so
// that milliseconds show as .000, .003 or .007. Range 1753-01-01 to 9999-12-31 23:59:59.997.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tsql {

enum class DatePart {
    Year,
    Quarter,
    Month,
    DayOfYear,
    Day,
    Week,
    Weekday,
    Hour,
    Minute,
    Second,
    Millisecond
};

// "year", "yy", "yyyy", "mi", "n", "ms", ... in any case; nullopt for an unknown part.
std::optional<DatePart> parseDatePart(std::string_view name);

struct CivilDateTime {
    int year = 1900, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class DateTime {
public:
    static constexpr std::int32_t kTicksPerSecond = 300;
    static constexpr std::int32_t kTicksPerDay = 86400 * kTicksPerSecond;
    static constexpr std::int32_t kMinDay = -53690;  // 1753-01-01
    static constexpr std::int32_t kMaxDay = 2958463; // 9999-12-31

    DateTime() = default;
    // SqlError 242 when outside the range.
    DateTime(std::int32_t days, std::int32_t ticks);

    // Milliseconds round to the nearest tick (23:59:59.999 becomes the next day); nullopt for an
    // invalid or out-of-range date.
    static std::optional<DateTime> fromCivil(const CivilDateTime& c);
    // The forms the engine reads: 'yyyymmdd[ hh:mi[:ss[.mmm]]]', 'yyyy-mm-dd[ hh:mi:ss[.mmm]]',
    // 'yyyy-mm-ddThh:mi:ss[.mmm]', 'mm/dd/yyyy[ time]', 'Mon dd yyyy[ hh:mi[:ss][AM|PM]]', a bare
    // time (on 1900-01-01) and '' (1900-01-01). SqlError 241 for text it cannot read, 242 for a
    // date outside the range or a day the month does not have.
    static DateTime parse(std::string_view text);
    // Day numbers with a fraction of a day (the server's FLOAT <-> DATETIME); the fraction rounds
    // to a tick. SqlError 8115 outside the range.
    static DateTime fromDouble(double days);
    static DateTime fromDays(std::int64_t days); // INT -> DATETIME; SqlError 8115 outside the range
    // OLE automation dates count from 1899-12-30, and before it the fraction counts forward again.
    static std::optional<DateTime> fromOleDate(double ole);
    // The integer used in storage: days * kTicksPerDay + ticks; it orders like the value.
    static DateTime fromStorage(std::int64_t serial);

    std::int32_t days() const { return days_; }
    std::int32_t ticks() const { return ticks_; }
    std::int64_t storage() const { return static_cast<std::int64_t>(days_) * kTicksPerDay + ticks_; }
    CivilDateTime civil() const;

    double toDouble() const;
    // DATETIME -> INT rounds: noon and later count as the next day.
    std::int64_t toRoundedDays() const;
    double toOleDate() const;

    // 'yyyy-mm-dd hh:mi:ss.mmm'
    std::string toString() const;
    // The result shell's form: '2016-11-14 15:12:10.0' (shortest fraction, at least one digit).
    std::string toShellString() const;
    // CONVERT(varchar, d) without a style: 'Nov 14 2016  3:12PM'.
    std::string toDefaultString() const;
    // CONVERT styles 112 ('yyyymmdd'), 120 ('yyyy-mm-dd hh:mi:ss'), 121 (toString) and 126
    // ('yyyy-mm-ddThh:mi:ss[.mmm]'); nullopt for other styles.
    std::optional<std::string> toStyleString(int style) const;

    // DATEADD; SqlError 517 when the result leaves the range.
    DateTime add(DatePart part, std::int64_t amount) const;
    // DATEDIFF(part, *this, other): the number of part boundaries crossed; SqlError 535 beyond int.
    std::int64_t diff(DatePart part, const DateTime& other) const;
    // DATEPART with SET DATEFIRST 7 (Sunday is day 1).
    int part(DatePart part) const;

    // SMALLDATETIME keeps whole minutes; half a minute and more rounds up.
    DateTime roundedToMinute() const;

    friend auto operator<=>(const DateTime&, const DateTime&) = default;

private:
    std::int32_t days_ = 0;
    std::int32_t ticks_ = 0;
};

} // namespace tsql
