#include "base/HostValue.h"
#include "base/PluginError.h"

#include <gtest/gtest.h>

using namespace provozmat;

namespace {
HostValue text(const char16_t* s) {
    return HostValue(ov::Variant::fromString(s));
}
} // namespace

TEST(HostValue, NullReadsAsEmptyAndZero) {
    const HostValue null(ov::Variant::null());
    EXPECT_TRUE(null.isNull());
    EXPECT_EQ(null.toString(), "");
    EXPECT_EQ(null.toInt(), 0);
    EXPECT_FALSE(null.toDateTime());
}

TEST(HostValue, ConvertsTheBoundaryTypes) {
    EXPECT_EQ(HostValue(ov::Variant::fromBool(true)).toInt(), 1);
    EXPECT_EQ(HostValue(ov::Variant::fromBool(false)).toString(), "0");
    EXPECT_EQ(HostValue(ov::Variant::fromInt64(5'000'000'000)).toString(), "5000000000");
    EXPECT_EQ(HostValue(ov::Variant::fromDouble(12.5)).toString(), "12.5");
    EXPECT_EQ(HostValue(ov::Variant::fromCurrency(-125000)).toString(), "-12.5000");
    EXPECT_EQ(text(u" 17 ").toInt(), 17);
    EXPECT_EQ(text(u"12.9").toInt(), 12);
    EXPECT_EQ(text(u"-12.9").toInt(), -12);
    EXPECT_THROW(text(u"abc").toInt(), PluginError);
    EXPECT_THROW(HostValue(ov::Variant::fromInt64(1LL << 40)).toInt(), PluginError);
    EXPECT_DOUBLE_EQ(text(u"2,5").toDouble(), 2.5);
    EXPECT_TRUE(text(u"True").toBool());
}

TEST(HostValue, WritesExactDecimals) {
    EXPECT_EQ(decimalText({12500000, 0, 6, 0}), "12.500000");
    EXPECT_EQ(decimalText({5, 0, 6, 1}), "-0.000005");
    EXPECT_EQ(decimalText({0, 0, 2, 1}), "0.00");
    EXPECT_EQ(decimalText({0, 1, 0, 0}), "18446744073709551616");
    EXPECT_EQ(HostValue(ov::Variant::fromDecimal({1234, 0, 1, 0})).toInt(), 123);
}

TEST(HostValue, OleDatesRoundTrip) {
    const QDateTime t(QDate(2026, 8, 26), QTime(13, 45, 10, 123));
    EXPECT_EQ(oleDateToDateTime(dateTimeToOleDate(t)), t);
    EXPECT_EQ(oleDateToDateTime(2.25), QDateTime(QDate(1900, 1, 1), QTime(6, 0)));
    // Before the epoch the fraction still counts forward from midnight.
    EXPECT_EQ(oleDateToDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(HostValue(ov::Variant::fromDate(2.5)).toDateTime(), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
}
