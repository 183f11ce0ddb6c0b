#include "tsql/DateTime.h"

#include "tsql/SqlError.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tsql {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

// Days from 1970-01-01 of a proleptic Gregorian date (and back).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

const std::int64_t kEpoch = daysFromCivil(1900, 1, 1);

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays.at(static_cast<std::size_t>(m - 1));
}

constexpr std::array<std::string_view, 12> kMonthNames{"january",   "february", "march",    "april",
                                                       "may",       "june",     "july",     "august",
                                                       "september", "october",  "november", "december"};
constexpr std::array<std::string_view, 12> kMonthAbbrev{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::int64_t ticksFromMs(std::int64_t ms) {
    return (ms * 3 + 5) / 10;
} // nearest tick, halves up
int msFromTicks(std::int64_t ticks) {
    return static_cast<int>((ticks * 10 + 1) / 3);
}

std::string lower(std::string_view s) {
    std::string r;
    for (const char c : s)
        r.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return r;
}

// A cursor over the text being read as a date.
class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}

    bool atEnd() const { return pos_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[pos_]; }
    bool accept(char c) {
        if (peek() != c)
            return false;
        ++pos_;
        return true;
    }
    void skipBlanks() {
        while (!atEnd() && (s_[pos_] == ' ' || s_[pos_] == '\t'))
            ++pos_;
    }
    // Up to maxDigits digits; the number of digits read goes to `count`.
    std::optional<int> number(int maxDigits, int* count = nullptr) {
        int n = 0, v = 0;
        while (n < maxDigits && !atEnd() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
            v = v * 10 + (s_[pos_] - '0');
            ++pos_;
            ++n;
        }
        if (count)
            *count = n;
        if (n == 0)
            return std::nullopt;
        return v;
    }
    std::string_view word() {
        const std::size_t start = pos_;
        while (!atEnd() && std::isalpha(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
        return s_.substr(start, pos_ - start);
    }
    std::size_t position() const { return pos_; }
    void reset(std::size_t p) { pos_ = p; }
    std::string_view rest() const { return s_.substr(pos_); }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
};

struct Fields {
    int year = 1900, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

SqlError unreadable() {
    return errors::dateFromString();
}

// [h]h[:mi[:ss[.fff|:fff]]][ ][AM|PM]; the reader stands at the first digit.
bool readTime(Reader& r, Fields& f) {
    const auto h = r.number(2);
    if (!h)
        return false;
    f.hour = *h;
    bool hasMinutes = false;
    if (r.accept(':')) {
        const auto mi = r.number(2);
        if (!mi)
            return false;
        f.minute = *mi;
        hasMinutes = true;
        if (r.accept(':')) {
            const auto ss = r.number(2);
            if (!ss)
                return false;
            f.second = *ss;
            if (r.peek() == '.' || r.peek() == ':') {
                const bool dotted = r.peek() == '.';
                r.accept(r.peek());
                int count = 0;
                const auto frac = r.number(9, &count);
                if (!frac || count > 3)
                    return false;
                if (dotted)
                    f.millisecond = *frac * (count == 1 ? 100 : count == 2 ? 10 : 1);
                else
                    f.millisecond = *frac;
            }
        }
    }
    r.skipBlanks();
    const std::size_t before = r.position();
    const std::string meridian = lower(r.word());
    if (meridian == "am" || meridian == "pm") {
        if (f.hour < 1 || f.hour > 12)
            return false;
        if (meridian == "am" && f.hour == 12)
            f.hour = 0;
        else if (meridian == "pm" && f.hour != 12)
            f.hour += 12;
    } else {
        r.reset(before);
        if (!meridian.empty() || !hasMinutes)
            return false;
    }
    return true;
}

// After a date: the end, or blanks and a time.
bool readOptionalTime(Reader& r, Fields& f) {
    if (r.atEnd())
        return true;
    r.skipBlanks();
    if (r.atEnd())
        return true;
    if (!readTime(r, f))
        return false;
    r.skipBlanks();
    return r.atEnd();
}

std::optional<int> monthFromName(std::string_view word) {
    const std::string w = lower(word);
    if (w.size() < 3)
        return std::nullopt;
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (kMonthNames[i] == w || kMonthNames[i].substr(0, 3) == w)
            return static_cast<int>(i) + 1;
    }
    return std::nullopt;
}

bool readDateAndTime(std::string_view text, Fields& f) {
    Reader r(text);
    if (std::isalpha(static_cast<unsigned char>(r.peek()))) {
        // Mon dd yyyy [time]
        const auto m = monthFromName(r.word());
        if (!m)
            return false;
        r.skipBlanks();
        const auto d = r.number(2);
        r.skipBlanks();
        r.accept(',');
        r.skipBlanks();
        int yearDigits = 0;
        const auto y = r.number(4, &yearDigits);
        if (!d || !y || yearDigits != 4)
            return false;
        f.year = *y;
        f.month = *m;
        f.day = *d;
        return readOptionalTime(r, f);
    }
    int count = 0;
    const std::size_t start = r.position();
    const auto first = r.number(8, &count);
    if (!first)
        return false;
    if (count == 8 && (r.atEnd() || r.peek() == ' ' || r.peek() == 'T')) {
        // yyyymmdd
        f.year = *first / 10000;
        f.month = *first / 100 % 100;
        f.day = *first % 100;
        if (r.accept('T'))
            return readTime(r, f) && r.atEnd();
        return readOptionalTime(r, f);
    }
    if (count == 4 && (r.peek() == '-' || r.peek() == '/' || r.peek() == '.')) {
        // yyyy-mm-dd
        const char sep = r.peek();
        r.accept(sep);
        const auto m = r.number(2);
        if (!m || !r.accept(sep))
            return false;
        const auto d = r.number(2);
        if (!d)
            return false;
        f.year = *first;
        f.month = *m;
        f.day = *d;
        if (r.accept('T'))
            return readTime(r, f) && (r.skipBlanks(), r.atEnd());
        return readOptionalTime(r, f);
    }
    if (count <= 2 && (r.peek() == '/' || r.peek() == '-' || r.peek() == '.')) {
        // mm/dd/yyyy
        const char sep = r.peek();
        r.accept(sep);
        const auto d = r.number(2);
        if (!d || !r.accept(sep))
            return false;
        int yearDigits = 0;
        const auto y = r.number(4, &yearDigits);
        if (!y || (yearDigits != 4 && yearDigits != 2))
            return false;
        f.year = yearDigits == 2 ? (*y < 50 ? 2000 + *y : 1900 + *y) : *y;
        f.month = *first;
        f.day = *d;
        return readOptionalTime(r, f);
    }
    // A bare time.
    r.reset(start);
    if (!readTime(r, f))
        return false;
    r.skipBlanks();
    return r.atEnd();
}

std::string twoDigits(int v) {
    std::array<char, 8> b{};
    std::snprintf(b.data(), b.size(), "%02d", v);
    return b.data();
}

} // namespace

std::optional<DatePart> parseDatePart(std::string_view name) {
    const std::string n = lower(name);
    struct Alias {
        std::string_view name;
        DatePart part;
    };
    static constexpr std::array<Alias, 29> kAliases{{
        {"year", DatePart::Year},
        {"yy", DatePart::Year},
        {"yyyy", DatePart::Year},
        {"quarter", DatePart::Quarter},
        {"qq", DatePart::Quarter},
        {"q", DatePart::Quarter},
        {"month", DatePart::Month},
        {"mm", DatePart::Month},
        {"m", DatePart::Month},
        {"dayofyear", DatePart::DayOfYear},
        {"dy", DatePart::DayOfYear},
        {"y", DatePart::DayOfYear},
        {"day", DatePart::Day},
        {"dd", DatePart::Day},
        {"d", DatePart::Day},
        {"week", DatePart::Week},
        {"wk", DatePart::Week},
        {"ww", DatePart::Week},
        {"weekday", DatePart::Weekday},
        {"dw", DatePart::Weekday},
        {"hour", DatePart::Hour},
        {"hh", DatePart::Hour},
        {"minute", DatePart::Minute},
        {"mi", DatePart::Minute},
        {"n", DatePart::Minute},
        {"second", DatePart::Second},
        {"ss", DatePart::Second},
        {"s", DatePart::Second},
        {"millisecond", DatePart::Millisecond},
    }};
    for (const auto& a : kAliases) {
        if (a.name == n)
            return a.part;
    }
    if (n == "ms")
        return DatePart::Millisecond;
    if (n == "w")
        return DatePart::Weekday;
    return std::nullopt;
}

DateTime::DateTime(std::int32_t days, std::int32_t ticks) : days_(days), ticks_(ticks) {
    if (days < kMinDay || days > kMaxDay || ticks < 0 || ticks >= kTicksPerDay)
        throw errors::dateOutOfRange("datetime", "datetime");
}

std::optional<DateTime> DateTime::fromCivil(const CivilDateTime& c) {
    if (c.year < 1753 || c.year > 9999 || c.month < 1 || c.month > 12 || c.day < 1 ||
        c.day > daysInMonth(c.year, c.month) || c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 ||
        c.second < 0 || c.second > 59 || c.millisecond < 0 || c.millisecond > 999)
        return std::nullopt;
    std::int64_t days =
        daysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) - kEpoch;
    const std::int64_t ms = ((c.hour * 60LL + c.minute) * 60 + c.second) * 1000 + c.millisecond;
    std::int64_t ticks = ticksFromMs(ms);
    if (ticks >= kTicksPerDay) {
        ticks -= kTicksPerDay;
        ++days;
    }
    if (days > kMaxDay)
        return std::nullopt;
    return DateTime(static_cast<std::int32_t>(days), static_cast<std::int32_t>(ticks));
}

DateTime DateTime::parse(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.empty())
        return DateTime();
    Fields f;
    if (!readDateAndTime(text, f))
        throw unreadable();
    if (f.hour > 23 || f.minute > 59 || f.second > 59)
        throw unreadable();
    const auto dt = fromCivil({f.year, f.month, f.day, f.hour, f.minute, f.second, f.millisecond});
    if (!dt)
        throw errors::dateOutOfRange("varchar", "datetime");
    return *dt;
}

DateTime DateTime::fromDouble(double days) {
    if (!std::isfinite(days) || days < kMinDay || days >= kMaxDay + 1.0)
        throw errors::arithmeticOverflow("expression", "datetime");
    const double whole = std::floor(days);
    auto ticks = static_cast<std::int64_t>(std::llround((days - whole) * kTicksPerDay));
    auto d = static_cast<std::int64_t>(whole);
    if (ticks >= kTicksPerDay) {
        ticks -= kTicksPerDay;
        ++d;
    }
    if (d > kMaxDay)
        throw errors::arithmeticOverflow("expression", "datetime");
    return DateTime(static_cast<std::int32_t>(d), static_cast<std::int32_t>(ticks));
}

DateTime DateTime::fromDays(std::int64_t days) {
    if (days < kMinDay || days > kMaxDay)
        throw errors::arithmeticOverflow("expression", "datetime");
    return DateTime(static_cast<std::int32_t>(days), 0);
}

std::optional<DateTime> DateTime::fromOleDate(double ole) {
    if (!std::isfinite(ole))
        return std::nullopt;
    const double whole = std::trunc(ole);
    const double fraction = std::fabs(ole - whole);
    auto ticks = static_cast<std::int64_t>(std::llround(fraction * kTicksPerDay));
    auto days = static_cast<std::int64_t>(whole) - 2;
    if (ticks >= kTicksPerDay) {
        ticks -= kTicksPerDay;
        ++days;
    }
    if (days < kMinDay || days > kMaxDay)
        return std::nullopt;
    return DateTime(static_cast<std::int32_t>(days), static_cast<std::int32_t>(ticks));
}

DateTime DateTime::fromStorage(std::int64_t serial) {
    std::int64_t days = serial / kTicksPerDay;
    std::int64_t ticks = serial % kTicksPerDay;
    if (ticks < 0) {
        ticks += kTicksPerDay;
        --days;
    }
    if (days < kMinDay || days > kMaxDay)
        throw errors::dateOutOfRange("bigint", "datetime");
    return DateTime(static_cast<std::int32_t>(days), static_cast<std::int32_t>(ticks));
}

CivilDateTime DateTime::civil() const {
    CivilDateTime c;
    civilFromDays(days_ + kEpoch, c.year, c.month, c.day);
    const std::int64_t ms = msFromTicks(ticks_);
    c.hour = static_cast<int>(ms / 3'600'000);
    c.minute = static_cast<int>(ms / 60'000 % 60);
    c.second = static_cast<int>(ms / 1000 % 60);
    c.millisecond = static_cast<int>(ms % 1000);
    return c;
}

double DateTime::toDouble() const {
    return days_ + static_cast<double>(ticks_) / kTicksPerDay;
}

std::int64_t DateTime::toRoundedDays() const {
    return days_ + (ticks_ >= kTicksPerDay / 2 ? 1 : 0);
}

double DateTime::toOleDate() const {
    const std::int64_t whole = static_cast<std::int64_t>(days_) + 2;
    const double fraction = static_cast<double>(ticks_) / kTicksPerDay;
    if (whole >= 0)
        return static_cast<double>(whole) + fraction;
    return static_cast<double>(whole) - fraction;
}

std::string DateTime::toString() const {
    const CivilDateTime c = civil();
    std::array<char, 32> b{};
    std::snprintf(b.data(), b.size(), "%04d-%02d-%02d %02d:%02d:%02d.%03d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second, c.millisecond);
    return b.data();
}

std::string DateTime::toShellString() const {
    std::string s = toString();
    while (s.back() == '0' && s[s.size() - 2] != '.')
        s.pop_back();
    return s;
}

std::string DateTime::toDefaultString() const {
    const CivilDateTime c = civil();
    const int hour12 = c.hour % 12 == 0 ? 12 : c.hour % 12;
    std::array<char, 32> b{};
    std::snprintf(b.data(), b.size(), "%s %2d %04d %2d:%02d%s",
                  std::string(kMonthAbbrev.at(static_cast<std::size_t>(c.month - 1))).c_str(), c.day, c.year,
                  hour12, c.minute, c.hour < 12 ? "AM" : "PM");
    return b.data();
}

std::optional<std::string> DateTime::toStyleString(int style) const {
    const CivilDateTime c = civil();
    const std::string date = std::to_string(c.year) + "-" + twoDigits(c.month) + "-" + twoDigits(c.day);
    const std::string time = twoDigits(c.hour) + ":" + twoDigits(c.minute) + ":" + twoDigits(c.second);
    switch (style) {
    case 0:
    case 100:
        return toDefaultString();
    case 112:
        return std::to_string(c.year) + twoDigits(c.month) + twoDigits(c.day);
    case 120:
        return date + " " + time;
    case 121:
        return toString();
    case 126: {
        std::string s = date + "T" + time;
        if (c.millisecond != 0)
            s += toString().substr(19);
        return s;
    }
    default:
        return std::nullopt;
    }
}

DateTime DateTime::add(DatePart part, std::int64_t amount) const {
    const auto overflow = [] { return errors::dateAddOverflow("datetime"); };
    switch (part) {
    case DatePart::Year:
    case DatePart::Quarter:
    case DatePart::Month: {
        const std::int64_t months = part == DatePart::Year      ? amount * 12
                                    : part == DatePart::Quarter ? amount * 3
                                                                : amount;
        const CivilDateTime c = civil();
        const std::int64_t index = c.year * 12LL + (c.month - 1) + months;
        const std::int64_t year = index >= 0 ? index / 12 : -1;
        if (year < 1753 || year > 9999)
            throw overflow();
        const int month = static_cast<int>(index % 12) + 1;
        const int day = std::min(c.day, daysInMonth(static_cast<int>(year), month));
        const std::int64_t days =
            daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch;
        return DateTime(static_cast<std::int32_t>(days), ticks_);
    }
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
    case DatePart::Week: {
        const std::int64_t days = days_ + (part == DatePart::Week ? amount * 7 : amount);
        if (days < kMinDay || days > kMaxDay)
            throw overflow();
        return DateTime(static_cast<std::int32_t>(days), ticks_);
    }
    default:
        break;
    }
    // Time parts, in thirds of a millisecond so that the result rounds to a tick like a stored value.
    std::int64_t unit = 0;
    switch (part) {
    case DatePart::Hour:
        unit = 3'600'000 * 3LL;
        break;
    case DatePart::Minute:
        unit = 60'000 * 3LL;
        break;
    case DatePart::Second:
        unit = 1000 * 3LL;
        break;
    default:
        unit = 3;
        break;
    }
    const std::int64_t limit = (static_cast<std::int64_t>(kMaxDay) - kMinDay + 2) * kMsPerDay * 3;
    if (amount > limit / unit || amount < -limit / unit)
        throw overflow();
    const std::int64_t thirds =
        (static_cast<std::int64_t>(days_) * kTicksPerDay + ticks_) * 10 + amount * unit;
    // Nearest tick (10 thirds of a millisecond), halves away from the past.
    const std::int64_t serial = thirds >= 0 ? (thirds + 5) / 10 : -((-thirds + 4) / 10);
    std::int64_t days = serial / kTicksPerDay, ticks = serial % kTicksPerDay;
    if (ticks < 0) {
        ticks += kTicksPerDay;
        --days;
    }
    if (days < kMinDay || days > kMaxDay)
        throw overflow();
    return DateTime(static_cast<std::int32_t>(days), static_cast<std::int32_t>(ticks));
}

std::int64_t DateTime::diff(DatePart part, const DateTime& other) const {
    const CivilDateTime a = civil(), b = other.civil();
    const std::int64_t dayDiff = static_cast<std::int64_t>(other.days_) - days_;
    std::int64_t r = 0;
    switch (part) {
    case DatePart::Year:
        r = b.year - a.year;
        break;
    case DatePart::Quarter:
        r = (b.year * 4LL + (b.month - 1) / 3) - (a.year * 4LL + (a.month - 1) / 3);
        break;
    case DatePart::Month:
        r = (b.year * 12LL + b.month) - (a.year * 12LL + a.month);
        break;
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
        r = dayDiff;
        break;
    case DatePart::Week: {
        // Weeks start on Sunday whatever SET DATEFIRST says; 1900-01-01 is a Monday.
        const auto week = [](std::int64_t d) { return d + 1 >= 0 ? (d + 1) / 7 : -((-(d + 1) + 6) / 7); };
        r = week(other.days_) - week(days_);
        break;
    }
    case DatePart::Hour:
        r = dayDiff * 24 + (b.hour - a.hour);
        break;
    case DatePart::Minute:
        r = dayDiff * 1440 + (b.hour * 60 + b.minute) - (a.hour * 60 + a.minute);
        break;
    case DatePart::Second:
        r = dayDiff * 86400 + (b.hour * 3600 + b.minute * 60 + b.second) -
            (a.hour * 3600 + a.minute * 60 + a.second);
        break;
    case DatePart::Millisecond:
        r = dayDiff * kMsPerDay + msFromTicks(other.ticks_) - msFromTicks(ticks_);
        break;
    }
    if (r > std::numeric_limits<std::int32_t>::max() || r < std::numeric_limits<std::int32_t>::min())
        throw errors::dateDiffOverflow();
    return r;
}

int DateTime::part(DatePart p) const {
    const CivilDateTime c = civil();
    // 1900-01-01 was a Monday: Sunday is 1 under SET DATEFIRST 7.
    const auto weekday = [](std::int64_t days) {
        const std::int64_t m = ((days % 7) + 7) % 7; // 0 = Monday
        return static_cast<int>((m + 1) % 7 + 1);
    };
    const std::int64_t jan1 = daysFromCivil(c.year, 1, 1) - kEpoch;
    switch (p) {
    case DatePart::Year:
        return c.year;
    case DatePart::Quarter:
        return (c.month - 1) / 3 + 1;
    case DatePart::Month:
        return c.month;
    case DatePart::DayOfYear:
        return static_cast<int>(days_ - jan1 + 1);
    case DatePart::Day:
        return c.day;
    case DatePart::Week:
        return static_cast<int>((days_ - jan1 + weekday(jan1) - 1) / 7 + 1);
    case DatePart::Weekday:
        return weekday(days_);
    case DatePart::Hour:
        return c.hour;
    case DatePart::Minute:
        return c.minute;
    case DatePart::Second:
        return c.second;
    case DatePart::Millisecond:
        return c.millisecond;
    }
    return 0;
}

DateTime DateTime::roundedToMinute() const {
    const std::int64_t ticksPerMinute = 60LL * kTicksPerSecond;
    // 29.997 seconds (the last tick before the half minute) rounds down, 30.000 up.
    std::int64_t minutes = (ticks_ + ticksPerMinute / 2) / ticksPerMinute;
    std::int64_t days = days_;
    if (minutes >= 1440) {
        minutes -= 1440;
        ++days;
    }
    return DateTime(static_cast<std::int32_t>(days), static_cast<std::int32_t>(minutes * ticksPerMinute));
}

} // namespace tsql
