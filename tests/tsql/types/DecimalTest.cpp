#include "tsql/Decimal.h"
#include "tsql/SqlError.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>

namespace tsql {
namespace {

Decimal dec(std::string_view text) {
    auto d = Decimal::parse(text);
    if (!d)
        throw std::runtime_error("bad decimal in test: " + std::string(text));
    return *d;
}

using testing::errorNumberOf;

TEST(DecimalTest, ParseAndPrintKeepTheScale) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"0", "0"},
        {"2.060000", "2.060000"},
        {"-0.5", "-0.5"},
        {".5", "0.5"},
        {"  12.30 ", "12.30"},
        {"+7", "7"},
        {"-0.000", "0.000"},
        {"00042.10", "42.10"},
        {"99999999999999999999999999999999999999", "99999999999999999999999999999999999999"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(dec(in).toString(), out) << in;
    for (const std::string& bad :
         std::vector<std::string>{"", "-", "1.2.3", "1e5", "abc", "1 2", std::string(39, '9')})
        EXPECT_FALSE(Decimal::parse(bad).has_value()) << bad;
}

struct RescaleCase {
    std::string value;
    int precision, scale;
    std::string expected; // empty: overflow
};

TEST(DecimalTest, StoringRoundsHalfAwayFromZero) {
    const std::vector<RescaleCase> cases = {
        {"2.5", 10, 0, "3"},
        {"-2.5", 10, 0, "-3"},
        {"2.4999", 10, 0, "2"},
        {"1.45", 10, 1, "1.5"},
        {"-1.45", 10, 1, "-1.5"},
        {"0.0000009", 38, 6, "0.000001"},
        {"123.4567", 19, 6, "123.456700"},
        {"9999999999999.9999995", 19, 6, ""},
        {"9999999999999.999999", 19, 6, "9999999999999.999999"},
        {"12345.6", 5, 1, ""},
        {"1234.56", 5, 1, "1234.6"},
        {"99.95", 3, 1, ""},
    };
    for (const auto& c : cases) {
        const auto r = dec(c.value).rescale(c.scale, c.precision);
        if (c.expected.empty())
            EXPECT_FALSE(r.has_value()) << c.value;
        else
            EXPECT_EQ(r ? r->toString() : "overflow", c.expected) << c.value;
    }
}

TEST(DecimalTest, ConversionToIntegerTruncatesTowardZero) {
    EXPECT_EQ(dec("2.7").toInt64(), 2);
    EXPECT_EQ(dec("-2.7").toInt64(), -2);
    EXPECT_EQ(dec("59.999999").toInt64(), 59);
    EXPECT_FALSE(dec("99999999999999999999").toInt64().has_value());
}

struct ArithmeticCase {
    char op;
    std::string a, b;
    int precision, scale;
    std::string expected;
};

TEST(DecimalTest, ArithmeticIntoTheResultType) {
    const std::vector<ArithmeticCase> cases = {
        {'+', "1.5", "2.25", 4, 2, "3.75"},
        {'-', "1.5", "2.25", 4, 2, "-0.75"},
        {'*', "1.5", "2.25", 6, 3, "3.375"},
        {'*', "-1.5", "2", 6, 1, "-3.0"},
        // The server's examples: the product fits numeric(38,17), or is rounded to numeric(38,6).
        {'*', "0.00000090000000000000", "1.00000000000000000000", 38, 17, "0.00000090000000000"},
        {'*', "0.0000009000", "1.0000000000", 38, 6, "0.000001"},
        // 2/3.0 is numeric(17,6): division truncates.
        {'/', "2", "3.0", 17, 6, "0.666666"},
        {'/', "-2", "3.0", 17, 6, "-0.666666"},
        {'/', "1.0", "8", 13, 12, "0.125000000000"},
        {'/', "7200", "3600.0", 17, 6, "2.000000"},
        {'%', "7.5", "2", 5, 1, "1.5"},
        {'%', "-7", "3", 10, 0, "-1"},
        {'+', "99999999999999999999999999999999999998", "1", 38, 0, "99999999999999999999999999999999999999"},
        {'*', "9999999999999.999999", "9999999999999.999999", 38, 11,
         "99999999999999999980000000.00000000000"},
    };
    for (const auto& c : cases) {
        const Decimal a = dec(c.a), b = dec(c.b);
        Decimal r;
        switch (c.op) {
        case '+':
            r = Decimal::add(a, b, c.precision, c.scale);
            break;
        case '-':
            r = Decimal::subtract(a, b, c.precision, c.scale);
            break;
        case '*':
            r = Decimal::multiply(a, b, c.precision, c.scale);
            break;
        case '/':
            r = Decimal::divide(a, b, c.precision, c.scale);
            break;
        default:
            r = Decimal::modulo(a, b, c.precision, c.scale);
            break;
        }
        EXPECT_EQ(r.toString(), c.expected) << c.a << c.op << c.b;
    }
}

TEST(DecimalTest, OverflowAndDivisionByZeroRaiseTheServersErrors) {
    EXPECT_EQ(errorNumberOf([] { (void)Decimal::divide(dec("1"), dec("0.00"), 10, 6); }), 8134);
    EXPECT_EQ(errorNumberOf([] { (void)Decimal::modulo(dec("1"), dec("0"), 10, 0); }), 8134);
    EXPECT_EQ(errorNumberOf([] { (void)Decimal::add(dec("999.9"), dec("0.1"), 4, 1); }), 8115);
    try {
        (void)Decimal::multiply(dec(std::string(38, '9')), dec("10"), 38, 0);
        FAIL() << "no overflow";
    } catch (const SqlError& e) {
        EXPECT_EQ(e.number, 8115);
        EXPECT_EQ(e.severity, 16);
        EXPECT_EQ(e.message, "Arithmetic overflow error converting expression to data type numeric.");
    }
}

TEST(DecimalTest, ComparisonIsExactAcrossScales) {
    EXPECT_EQ(dec("1.50"), dec("1.5"));
    EXPECT_LT(dec("-1"), dec("0.5"));
    EXPECT_LT(dec("-2.5"), dec("-2.49"));
    EXPECT_GT(dec("0.00000000000000000000000000000000000001"), dec("0"));
    EXPECT_LT(dec("99999999999999999999999999999999999998"), dec("99999999999999999999999999999999999999"));
    EXPECT_EQ(dec("0.000"), dec("-0"));
}

TEST(DecimalTest, RoundFloorAndCeiling) {
    struct Case {
        std::string value;
        int digits;
        bool truncate;
        std::string expected; // empty: overflow
    };
    // The server's ROUND examples.
    const std::vector<Case> cases = {
        {"123.9994", 3, false, "123.9990"},
        {"123.9995", 3, false, "124.0000"},
        {"123.4545", 2, false, "123.4500"},
        {"123.45", -2, false, "100.00"},
        {"150.75", 0, false, "151.00"},
        {"150.75", 0, true, "150.00"},
        {"748.58", -1, false, "750.00"},
        {"748.58", -2, false, "700.00"},
        {"748.58", -4, false, "0.00"},
        {"748.58", -3, false, ""},
        {"-2.5", 0, false, "-3.0"},
        {"-2.55", 1, true, "-2.50"},
        {"1.23456789", 4, true, "1.23450000"},
        {"5", 2, false, "5"},
    };
    for (const auto& c : cases) {
        const Decimal d = dec(c.value);
        const int precision = std::max(d.digits(), d.scale());
        std::string got;
        try {
            got = d.round(c.digits, c.truncate, precision).toString();
        } catch (const SqlError& e) {
            EXPECT_EQ(e.number, 8115);
        }
        EXPECT_EQ(got, c.expected) << "ROUND(" << c.value << ", " << c.digits << ")";
    }
    EXPECT_EQ(dec("123.45").ceiling().toString(), "124");
    EXPECT_EQ(dec("-123.45").ceiling().toString(), "-123");
    EXPECT_EQ(dec("-123.45").floor().toString(), "-124");
    EXPECT_EQ(dec("123.45").floor().toString(), "123");
    EXPECT_EQ(dec("-0.5").ceiling().toString(), "0");
}

TEST(DecimalTest, FromAndToDouble) {
    EXPECT_EQ(Decimal::fromDouble(0.1, 2)->toString(), "0.10");
    EXPECT_EQ(Decimal::fromDouble(2.675, 2)->toString(), "2.68");
    EXPECT_EQ(Decimal::fromDouble(-1234.5, 0)->toString(), "-1235");
    EXPECT_EQ(Decimal::fromDouble(1e-30, 6)->toString(), "0.000000");
    EXPECT_EQ(Decimal::fromDouble(1.5e20, 0)->toString(), "150000000000000000000");
    EXPECT_FALSE(Decimal::fromDouble(1e40, 0).has_value());
    EXPECT_DOUBLE_EQ(dec("2.060000").toDouble(), 2.06);
}

} // namespace
} // namespace tsql
