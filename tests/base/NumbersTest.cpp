#include "base/Numbers.h"
#include "base/PluginError.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace provozmat;

TEST(Numbers, ParseIntFallsBackToTheDefaultText) {
    EXPECT_EQ(parseInt(" 42 "), 42);
    EXPECT_EQ(parseInt("", "7"), 7);
    EXPECT_EQ(parseInt("12a", "-1"), -1);
    EXPECT_THROW(parseInt("x", "y"), PluginError);
}

TEST(Numbers, ParseDecimalAcceptsACommaAndNothingElse) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {{"12,5", 12.5},
                          {"12.5", 12.5},
                          {" -0,25 ", -0.25},
                          {",5", 0.5},
                          {"3", 3.0},
                          {"", std::nullopt},
                          {"1.2.3", std::nullopt},
                          {"12 5", std::nullopt},
                          {"abc", std::nullopt},
                          {"1e400", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(parseDecimal(c.text), c.expected) << c.text;
}

TEST(Numbers, FormatDecimalUsesAFullStopWhateverTheLocale) {
    QLocale::setDefault(QLocale(QLocale::Czech));
    EXPECT_EQ(formatDecimal(12.5), "12.5");
    EXPECT_EQ(formatDecimal(-0.0), "0");
    EXPECT_EQ(formatDecimal(1e20), "100000000000000000000");
    EXPECT_EQ(formatDecimal(0.1), "0.1");
    QLocale::setDefault(QLocale::c());
}

TEST(Numbers, RoundsHalvesAwayFromZeroAndTruncates) {
    struct Case {
        double value;
        int places;
        double rounded;
        double truncated;
    };
    const Case cases[] = {{2.675, 2, 2.68, 2.67}, {-2.675, 2, -2.68, -2.67}, {2.5, 0, 3, 2},
                          {-2.5, 0, -3, -2},      {0.005, 2, 0.01, 0},       {1.23456789, 4, 1.2346, 1.2345},
                          {12.0, 2, 12, 12},      {0.0004, 2, 0, 0},         {99.995, 2, 100, 99.99}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(roundHalfAwayFromZero(c.value, c.places), c.rounded) << c.value;
        EXPECT_DOUBLE_EQ(truncateTo(c.value, c.places), c.truncated) << c.value;
    }
}
