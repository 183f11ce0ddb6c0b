#include "tsql/Literal.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace tsql {
namespace {

struct LiteralCase {
    const char* what;
    Value value;
    std::string literal;
};

Value decimalOf(const char* text, int precision, int scale) {
    return Value::decimal(*Decimal::parse(text)->rescale(scale), DataType::numeric(precision, scale));
}

TEST(LiteralTest, EachTypeGetsTheLiteralThatReadsBackAsIt) {
    const std::vector<LiteralCase> cases{
        {"null", Value::null(DataType::nvarchar(10)), "NULL"},
        {"bit true", Value::bit(true), "1"},
        {"bit false", Value::bit(false), "0"},
        {"int", Value::integer(-42), "-42"},
        {"bigint", Value::integer(9007199254740993LL, TypeId::BigInt), "9007199254740993"},
        {"numeric keeps its scale", decimalOf("12.5", 19, 6), "12.500000"},
        {"negative numeric", decimalOf("-0.25", 5, 2), "-0.25"},
        {"money", Value::decimal(*Decimal::parse("3.1400"), DataType::of(TypeId::Money)), "3.1400"},
        {"float needs an exponent", Value::floating(1.5), "1.5E0"},
        {"float with exponent", Value::floating(1e20), "1E+20"},
        {"real", Value::floating(0.5, TypeId::Real), "0.5E0"},
        {"nvarchar", Value::nvarchar("Novák"), "N'Novák'"},
        {"apostrophes doubled", Value::nvarchar("O'Brien''s"), "N'O''Brien''''s'"},
        {"empty text", Value::text("", DataType::nvarchar(10)), "N''"},
        {"varchar", Value::varchar("A-1"), "N'A-1'"},
        {"datetime", Value::dateTime(DateTime::parse("2026-08-26 13:45:10.123")), "'20260826 13:45:10.123'"},
        {"datetime midnight", Value::dateTime(DateTime::parse("19000101")), "'19000101 00:00:00.000'"},
        {"date", Value::dateTime(DateTime::parse("20260826"), TypeId::Date), "'20260826'"},
        {"binary", Value::binary(std::string("\x00\xAB\x0F", 3), DataType::character(TypeId::Binary, 3)),
         "0x00AB0F"},
        {"empty binary", Value::binary("", DataType::character(TypeId::VarBinary, 10)), "0x"},
        {"uniqueidentifier", Value::guid(*Guid::parse("6f9619ff-8b86-d011-b42d-00c04fc964ff")),
         "'6F9619FF-8B86-D011-B42D-00C04FC964FF'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sqlLiteral(c.value), c.literal) << c.what;
}

TEST(LiteralTest, FloatThatIsNotFiniteIsRefused) {
    EXPECT_THROW(sqlLiteral(Value::floating(std::numeric_limits<double>::infinity())), std::invalid_argument);
    EXPECT_THROW(sqlLiteral(Value::floating(std::numeric_limits<double>::quiet_NaN())),
                 std::invalid_argument);
}

} // namespace
} // namespace tsql
