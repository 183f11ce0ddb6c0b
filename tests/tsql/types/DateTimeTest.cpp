#include "tsql/DateTime.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>

namespace tsql {
namespace {

using testing::errorNumberOf;

DateTime at(std::string_view text) {
    return DateTime::parse(text);
}

TEST(DateTimeTest, FractionalSecondsRoundToTicks) {
    // The server's rounding table for datetime.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"19980101 23:59:59.999", "1998-01-02 00:00:00.000"},
        {"19980101 23:59:59.995", "1998-01-01 23:59:59.997"},
        {"19980101 23:59:59.996", "1998-01-01 23:59:59.997"},
        {"19980101 23:59:59.997", "1998-01-01 23:59:59.997"},
        {"19980101 23:59:59.998", "1998-01-01 23:59:59.997"},
        {"19980101 23:59:59.992", "1998-01-01 23:59:59.993"},
        {"19980101 23:59:59.993", "1998-01-01 23:59:59.993"},
        {"19980101 23:59:59.994", "1998-01-01 23:59:59.993"},
        {"19980101 23:59:59.990", "1998-01-01 23:59:59.990"},
        {"19980101 23:59:59.991", "1998-01-01 23:59:59.990"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(at(in).toString(), out) << in;
}

TEST(DateTimeTest, ReadsTheFormsTheBatchesUse) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"20260826 13:45:10.123", "2026-08-26 13:45:10.123"},
        {"20260826", "2026-08-26 00:00:00.000"},
        {"2026-08-26 13:45:10", "2026-08-26 13:45:10.000"},
        {"2026-08-26T13:45:10.5", "2026-08-26 13:45:10.500"},
        {"2026-08-26T13:45:10", "2026-08-26 13:45:10.000"},
        {"08/26/2026 1:45PM", "2026-08-26 13:45:00.000"},
        {"Aug 26 2026  1:45PM", "2026-08-26 13:45:00.000"},
        {"Aug 26 2026 12:05AM", "2026-08-26 00:05:00.000"},
        {"13:45", "1900-01-01 13:45:00.000"},
        {"", "1900-01-01 00:00:00.000"},
        {"  17530101  ", "1753-01-01 00:00:00.000"},
        {"99991231 23:59:59.997", "9999-12-31 23:59:59.997"},
        {"20240229", "2024-02-29 00:00:00.000"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(at(in).toString(), out) << in;
}

TEST(DateTimeTest, UnreadableTextAndOutOfRangeDatesFail) {
    for (const std::string& bad :
         std::vector<std::string>{"abc", "2026-08-26X", "20260826 25:00", "2026-08-26 10:00:00.1234", "13",
                                  "2026-08", "20260826 10:61"})
        EXPECT_EQ(errorNumberOf([&] { (void)at(bad); }), 241) << bad;
    for (const std::string& bad : std::vector<std::string>{"17521231", "20230229", "2026-13-01", "20260431"})
        EXPECT_EQ(errorNumberOf([&] { (void)at(bad); }), 242) << bad;
    try {
        (void)at("abc");
    } catch (const SqlError& e) {
        EXPECT_EQ(e.message, "Conversion failed when converting date and/or time from character string.");
    }
}

TEST(DateTimeTest, Formats) {
    const DateTime d = at("20161114 15:12:10");
    EXPECT_EQ(d.toShellString(), "2016-11-14 15:12:10.0");
    EXPECT_EQ(at("20161114 15:12:10.997").toShellString(), "2016-11-14 15:12:10.997");
    EXPECT_EQ(at("20161114 15:12:10.1").toShellString(), "2016-11-14 15:12:10.1");
    EXPECT_EQ(d.toDefaultString(), "Nov 14 2016  3:12PM");
    EXPECT_EQ(at("20161104 00:05").toDefaultString(), "Nov  4 2016 12:05AM");
    EXPECT_EQ(d.toStyleString(112), "20161114");
    EXPECT_EQ(d.toStyleString(120), "2016-11-14 15:12:10");
    EXPECT_EQ(d.toStyleString(126), "2016-11-14T15:12:10");
    EXPECT_EQ(at("20161114 15:12:10.5").toStyleString(126), "2016-11-14T15:12:10.500");
    EXPECT_FALSE(d.toStyleString(7).has_value());
}

TEST(DateTimeTest, DayNumbersAsFloatIntAndOleDate) {
    EXPECT_EQ(at("19000101").toDouble(), 0.0);
    EXPECT_EQ(at("19000102 12:00").toDouble(), 1.5);
    EXPECT_EQ(at("20000101").days(), 36524);
    EXPECT_EQ(DateTime::fromDouble(1.5).toString(), "1900-01-02 12:00:00.000");
    EXPECT_EQ(DateTime::fromDouble(-1).toString(), "1899-12-31 00:00:00.000");
    EXPECT_EQ(DateTime::fromDays(36524).toString(), "2000-01-01 00:00:00.000");
    // DATETIME -> INT rounds to the nearest day; through FLOAT and INT it truncates.
    EXPECT_EQ(at("20000101 11:59:59.997").toRoundedDays(), 36524);
    EXPECT_EQ(at("20000101 12:00").toRoundedDays(), 36525);
    EXPECT_EQ(errorNumberOf([] { (void)DateTime::fromDays(3'000'000); }), 8115);
    EXPECT_EQ(errorNumberOf([] { (void)DateTime::fromDouble(-60000); }), 8115);

    EXPECT_EQ(at("19000101").toOleDate(), 2.0);
    EXPECT_EQ(at("18991230").toOleDate(), 0.0);
    EXPECT_EQ(at("18991229 06:00").toOleDate(), -1.25);
    EXPECT_EQ(DateTime::fromOleDate(-1.25)->toString(), "1899-12-29 06:00:00.000");
    EXPECT_EQ(DateTime::fromOleDate(46260.5)->toString(), "2026-08-26 12:00:00.000");
    EXPECT_FALSE(DateTime::fromOleDate(1e9).has_value());
    const DateTime d = at("20260826 13:45:10.123");
    EXPECT_EQ(DateTime::fromStorage(d.storage()), d);
    EXPECT_LT(at("17530101").storage(), at("18991231 23:59:59.997").storage());
}

TEST(DateTimeTest, DateDiffCountsBoundaries) {
    struct Case {
        DatePart part;
        std::string from, to;
        std::int64_t expected;
    };
    const std::vector<Case> cases = {
        // One tick apart across a year end: every boundary is crossed once.
        {DatePart::Year, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::Quarter, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::Month, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::DayOfYear, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::Day, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::Week, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::Hour, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::Minute, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::Second, "20051231 23:59:59.997", "20060101", 1},
        {DatePart::Millisecond, "20051231 23:59:59.997", "20060101", 3},
        // Almost a whole unit apart without crossing a boundary.
        {DatePart::Year, "20050101", "20051231 23:59:59.997", 0},
        {DatePart::Minute, "20260826 10:00:00", "20260826 10:00:59.997", 0},
        {DatePart::Minute, "20260826 10:00:59.997", "20260826 10:01:00", 1},
        {DatePart::Minute, "20260826 10:00:30", "20260826 10:05:29", 5},
        {DatePart::Second, "20260826 10:00:00.997", "20260826 10:00:01", 1},
        {DatePart::Week, "20260822", "20260823", 1}, // Saturday to Sunday
        {DatePart::Week, "20260823", "20260829", 0}, // Sunday to Saturday
        {DatePart::Day, "20260826", "20260801", -25},
        {DatePart::Month, "20260131", "20260201", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(at(c.from).diff(c.part, at(c.to)), c.expected) << c.from << " .. " << c.to;
    EXPECT_EQ(errorNumberOf([] { (void)at("17530101").diff(DatePart::Millisecond, at("99991231")); }), 535);
}

TEST(DateTimeTest, DateAdd) {
    EXPECT_EQ(at("20260131").add(DatePart::Month, 1).toString(), "2026-02-28 00:00:00.000");
    EXPECT_EQ(at("20240229").add(DatePart::Year, 1).toString(), "2025-02-28 00:00:00.000");
    EXPECT_EQ(at("20261115 10:00").add(DatePart::Quarter, 1).toString(), "2027-02-15 10:00:00.000");
    EXPECT_EQ(at("20260826").add(DatePart::Day, -26).toString(), "2026-07-31 00:00:00.000");
    EXPECT_EQ(at("20260826 23:59").add(DatePart::Minute, 2).toString(), "2026-08-27 00:01:00.000");
    EXPECT_EQ(at("20260826").add(DatePart::Second, -1).toString(), "2026-08-25 23:59:59.000");
    EXPECT_EQ(at("20260826").add(DatePart::Millisecond, 1).toString(), "2026-08-26 00:00:00.000");
    EXPECT_EQ(at("20260826").add(DatePart::Millisecond, 2).toString(), "2026-08-26 00:00:00.003");
    EXPECT_EQ(at("20260826").add(DatePart::Week, 1).toString(), "2026-09-02 00:00:00.000");
    EXPECT_EQ(errorNumberOf([] { (void)at("99991231").add(DatePart::Day, 1); }), 517);
    EXPECT_EQ(errorNumberOf([] { (void)at("20260101").add(DatePart::Year, -300); }), 517);
    EXPECT_EQ(errorNumberOf([] { (void)at("20260101").add(DatePart::Second, INT64_MAX); }), 517);
}

TEST(DateTimeTest, DatePart) {
    const DateTime d = at("2007-10-30 12:15:32.123");
    const std::vector<std::pair<DatePart, int>> cases = {
        {DatePart::Year, 2007},     {DatePart::Quarter, 4},       {DatePart::Month, 10},
        {DatePart::DayOfYear, 303}, {DatePart::Day, 30},          {DatePart::Week, 44},
        {DatePart::Weekday, 3},     {DatePart::Hour, 12},         {DatePart::Minute, 15},
        {DatePart::Second, 32},     {DatePart::Millisecond, 123},
    };
    for (const auto& [part, expected] : cases)
        EXPECT_EQ(d.part(part), expected) << static_cast<int>(part);
    EXPECT_EQ(at("20070101").part(DatePart::Week), 1);
    EXPECT_EQ(at("20070107").part(DatePart::Week), 2); // 2007-01-07 is a Sunday
    EXPECT_EQ(parseDatePart("MI"), DatePart::Minute);
    EXPECT_EQ(parseDatePart("dd"), DatePart::Day);
    EXPECT_EQ(parseDatePart("ms"), DatePart::Millisecond);
    EXPECT_FALSE(parseDatePart("fortnight").has_value());
}

TEST(DateTimeTest, SmallDateTimeRoundsToMinutes) {
    EXPECT_EQ(at("20260826 10:00:29.997").roundedToMinute().toString(), "2026-08-26 10:00:00.000");
    EXPECT_EQ(at("20260826 10:00:30").roundedToMinute().toString(), "2026-08-26 10:01:00.000");
    EXPECT_EQ(at("20260826 23:59:59").roundedToMinute().toString(), "2026-08-27 00:00:00.000");
}

} // namespace
} // namespace tsql
