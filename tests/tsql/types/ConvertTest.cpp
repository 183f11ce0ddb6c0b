#include "tsql/Convert.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>

namespace tsql {
namespace {

using testing::errorNumberOf;

DataType type(std::string_view name, std::vector<int> params = {}) {
    return *DataType::fromName(name, params, LengthDefault::Cast);
}

Value dec(std::string_view text, int p, int s) {
    return Value::decimal(*Decimal::parse(text), DataType::numeric(p, s));
}

struct Case {
    Value from;
    DataType to;
    std::string expected; // display form, or "error N"
    ConversionMode mode = ConversionMode::Explicit;
};

std::string run(const Case& c) {
    try {
        return convert(c.from, c.to, c.mode).toDisplayString();
    } catch (const SqlError& e) {
        return "error " + std::to_string(e.number);
    }
}

void check(const std::vector<Case>& cases) {
    for (const auto& c : cases)
        EXPECT_EQ(run(c), c.expected)
            << c.from.type().fullName() << " '" << c.from.toDisplayString() << "' -> " << c.to.fullName();
}

TEST(ConvertTest, TextToNumbers) {
    check({
        {Value::varchar("42"), type("int"), "42"},
        {Value::varchar("  -7 "), type("int"), "-7"},
        {Value::varchar(""), type("int"), "0"},
        {Value::varchar("1.5"), type("int"), "error 245"},
        {Value::varchar("abc"), type("int"), "error 245"},
        {Value::varchar("99999999999"), type("int"), "error 248"},
        {Value::varchar("300"), type("tinyint"), "error 244"},
        {Value::varchar("12,5"), type("numeric", {19, 6}), "error 8114"},
        {Value::varchar("12.5"), type("numeric", {19, 6}), "12.500000"},
        {Value::varchar("12.3456785"), type("numeric", {19, 6}), "12.345679"},
        {Value::varchar("12345678901234"), type("numeric", {19, 6}), "error 8115"},
        {Value::varchar(""), type("numeric", {19, 6}), "error 8114"},
        {Value::varchar("1e3"), type("float"), "1000"},
        {Value::varchar("x"), type("float"), "error 8114"},
        {Value::varchar("true"), type("bit"), "1"},
        {Value::varchar("FALSE"), type("bit"), "0"},
        {Value::varchar("0"), type("bit"), "0"},
        {Value::varchar("5"), type("bit"), "1"},
        {Value::varchar("ano"), type("bit"), "error 245"},
        {Value::varchar("12.34567"), type("money"), "12.3457"},
    });
    try {
        (void)convert(Value::varchar("Číslo"), type("int"));
    } catch (const SqlError& e) {
        EXPECT_EQ(e.message, "Conversion failed when converting the varchar value 'Číslo' to data type int.");
    }
    try {
        (void)convert(Value::nvarchar("1,5"), type("numeric", {19, 6}));
    } catch (const SqlError& e) {
        EXPECT_EQ(e.message, "Error converting data type nvarchar to numeric.");
    }
}

TEST(ConvertTest, BetweenNumbers) {
    check({
        // Truncation toward zero into integers; money rounds.
        {dec("59.999999", 19, 6), type("int"), "59"},
        {dec("-2.5", 3, 1), type("int"), "-2"},
        {Value::decimal(*Decimal::parse("2.5000"), type("money")), type("int"), "3"},
        {Value::floating(-3.99), type("int"), "-3"},
        {Value::floating(3e10), type("int"), "error 8115"},
        {dec("3000000000", 10, 0), type("int"), "error 8115"},
        {Value::integer(300), type("tinyint"), "error 220"},
        {Value::integer(3'000'000'000, TypeId::BigInt), type("int"), "error 8115"},
        {Value::integer(-1), type("tinyint"), "error 220"},
        // Rounding half away from zero into a typed decimal.
        {dec("2.675", 4, 3), type("numeric", {3, 2}), "2.68"},
        {dec("-2.675", 4, 3), type("numeric", {3, 2}), "-2.68"},
        {Value::integer(12345), type("numeric", {4, 0}), "error 8115"},
        {Value::floating(0.1), type("numeric", {19, 6}), "0.100000"},
        {Value::floating(1e300), type("numeric", {19, 6}), "error 8115"},
        {Value::integer(7), type("float"), "7"},
        {dec("2.060000", 19, 6), type("float"), "2.06"},
        {Value::floating(1e39), type("real"), "error 8115"},
        {Value::integer(2), type("bit"), "1"},
        {Value::bit(true), type("int"), "1"},
        {dec("0.0", 2, 1), type("bit"), "0"},
        {dec("922337203685477.58075", 20, 5), type("money"), "error 8115"},
        {dec("214748.3647", 10, 4), type("smallmoney"), "214748.3647"},
        {dec("214748.3648", 10, 4), type("smallmoney"), "error 8115"},
    });
    try {
        (void)convert(dec("1000.5", 5, 1), type("numeric", {4, 1}));
    } catch (const SqlError& e) {
        EXPECT_EQ(e.message, "Arithmetic overflow error converting numeric to data type numeric.");
    }
}

TEST(ConvertTest, ToText) {
    check({
        {Value::integer(12345), type("nvarchar"), "12345"},
        {Value::integer(12345), type("varchar", {2}), "*"},
        {Value::integer(12345), type("nvarchar", {2}), "error 8115"},
        {dec("2.060000", 19, 6), type("varchar"), "2.060000"},
        {dec("-0.5", 2, 1), type("varchar"), "-0.5"},
        {dec("123.45", 5, 2), type("varchar", {3}), "error 8115"},
        {Value::decimal(*Decimal::parse("1234.5678"), type("money")), type("varchar"), "1234.57"},
        {Value::floating(1234567.0), type("varchar"), "1.23457e+006"},
        {Value::floating(0.1), type("varchar"), "0.1"},
        {Value::floating(123456.0), type("nvarchar"), "123456"},
        {Value::bit(true), type("nvarchar"), "1"},
        {Value::dateTime(DateTime::parse("20161114 15:12:10")), type("nvarchar"), "Nov 14 2016  3:12PM"},
        {Value::dateTime(DateTime::parse("20161114 15:12:10")), type("varchar", {6}), "Nov 14"},
        {Value::guid(*Guid::parse("6f9619ff-8b86-d011-b42d-00c04fc964ff")), type("nvarchar", {36}),
         "6F9619FF-8B86-D011-B42D-00C04FC964FF"},
        {Value::guid(*Guid::parse("6f9619ff-8b86-d011-b42d-00c04fc964ff")), type("varchar", {10}),
         "error 8170"},
        {Value::nvarchar("Číslo 日本"), type("varchar", {20}), "Číslo ??"},
        {Value::nvarchar("abc"), type("nchar", {5}), "abc  "},
        {Value::varchar("abcdef"), type("varchar", {3}), "abc"},
        {Value::binary("AB", type("varbinary", {2})), type("varchar"), "AB"},
    });
}

TEST(ConvertTest, StoringIntoShortColumnsTruncatesOnlyWithAnError) {
    check({
        {Value::varchar("abcdef"), type("varchar", {3}), "abc", ConversionMode::Assign},
        {Value::varchar("abcdef"), type("varchar", {3}), "error 8152", ConversionMode::Store},
        {Value::varchar("abc   "), type("varchar", {3}), "abc", ConversionMode::Store},
        {Value::nvarchar("Číslo"), type("nvarchar", {5}), "Číslo", ConversionMode::Store},
        {Value::binary(std::string(3, '\x01'), type("varbinary", {3})), type("binary", {2}), "error 8152",
         ConversionMode::Store},
        {dec("12345678901234.5", 15, 1), type("numeric", {19, 6}), "error 8115", ConversionMode::Store},
        {dec("1.2345678", 8, 7), type("numeric", {19, 6}), "1.234568", ConversionMode::Store},
    });
    try {
        (void)convert(Value::varchar("abcdef"), type("varchar", {3}), ConversionMode::Store);
    } catch (const SqlError& e) {
        EXPECT_EQ(e.message, "String or binary data would be truncated.");
    }
}

TEST(ConvertTest, DatesAndDayNumbers) {
    const Value when = Value::dateTime(DateTime::parse("20260826 13:45:10.123"));
    check({
        {Value::varchar("20260826 13:45:10.123"), type("datetime"), "2026-08-26 13:45:10.123"},
        {Value::varchar("2026-08-26T13:45:10"), type("datetime"), "2026-08-26 13:45:10.0"},
        {Value::varchar("x"), type("datetime"), "error 241"},
        {Value::varchar("17000101"), type("datetime"), "error 242"},
        {when, type("float"), "46258.57303383487"},
        {when, type("int"), "46259"},
        {when, type("int"), "error 257", ConversionMode::Assign},
        {Value::integer(46258), type("datetime"), "2026-08-26 00:00:00.0"},
        {Value::floating(1.5), type("datetime"), "1900-01-02 12:00:00.0"},
        {when, type("smalldatetime"), "2026-08-26 13:45:00.0"},
        {Value::varchar("20790607"), type("smalldatetime"), "error 242"},
        {when, type("date"), "2026-08-26 00:00:00.0"},
        {Value::integer(1), type("date"), "error 529"},
    });
    // CONVERT(DATETIME, CONVERT(INT, CONVERT(FLOAT, d))) is the date without its time.
    const Value asFloat = convert(when, type("float"));
    const Value asInt = convert(asFloat, type("int"));
    EXPECT_EQ(convert(asInt, type("datetime")).toDisplayString(), "2026-08-26 00:00:00.0");
}

TEST(ConvertTest, GuidBinaryAndText) {
    const Value text = Value::nvarchar("{6F9619FF-8B86-D011-B42D-00C04FC964FF}");
    const Value guid = convert(text, type("uniqueidentifier"));
    const Value bin = convert(guid, type("binary", {16}));
    EXPECT_EQ(bin.toDisplayString(), "0xFF19966F868B11D0B42D00C04FC964FF");
    EXPECT_EQ(convert(bin, type("uniqueidentifier")).toDisplayString(),
              "6F9619FF-8B86-D011-B42D-00C04FC964FF");
    EXPECT_EQ(convert(convert(bin, type("uniqueidentifier")), type("nvarchar", {36})).toDisplayString(),
              "6F9619FF-8B86-D011-B42D-00C04FC964FF");
    check({
        {Value::varchar("nonsense"), type("uniqueidentifier"), "error 8169"},
        {Value::integer(1), type("uniqueidentifier"), "error 529"},
        {Value::integer(1), type("binary", {2}), "0x0001"},
        {Value::integer(256), type("binary", {1}), "0x00"},
        {Value::integer(-1), type("varbinary", {4}), "0xFFFFFFFF"},
        {Value::binary(std::string("\x01\x02\x03\x04\x05", 5), type("varbinary", {5})), type("int"),
         "33752069"},
        {Value::binary(std::string("\xFF", 1), type("varbinary", {1})), type("smallint"), "255"},
        {Value::varchar("AB"), type("varbinary", {10}), "0x4142"},
        {Value::varchar("AB"), type("varbinary", {10}), "error 257", ConversionMode::Assign},
        {Value::nvarchar("AB"), type("varbinary", {10}), "0x41004200"},
        {Value::varchar("Č"), type("binary", {2}), "0xC800"},
    });
}

TEST(ConvertTest, NullConvertsToNullOfTheTarget) {
    const Value v = convert(Value::null(type("varchar", {3})), type("int"));
    EXPECT_TRUE(v.isNull());
    EXPECT_EQ(v.type().fullName(), "int");
    EXPECT_EQ(errorNumberOf([] { (void)convert(Value::null(type("uniqueidentifier")), type("int")); }), 529);
}

TEST(ConvertTest, CompareValuesUsesTheComparisonTypeAndCollation) {
    EXPECT_EQ(compareValues(Value::varchar("abc"), Value::nvarchar("ABC  ")), 0);
    EXPECT_LT(compareValues(Value::varchar("a"), Value::varchar("á")), 0);
    EXPECT_EQ(compareValues(Value::varchar("10"), Value::integer(10)), 0);
    EXPECT_LT(compareValues(Value::integer(2), dec("2.5", 2, 1)), 0);
    EXPECT_GT(compareValues(Value::dateTime(DateTime::parse("20260826")), Value::varchar("20260825")), 0);
    EXPECT_EQ(errorNumberOf([] { (void)compareValues(Value::varchar("x"), Value::integer(1)); }), 245);
    EXPECT_EQ(errorNumberOf([] { (void)compareValues(Value::guid(Guid()), Value::integer(1)); }), 206);
}

TEST(ConvertTest, GarbageTextGivesServerErrorsOnly) {
    const std::vector<std::string> inputs = {"",
                                             " ",
                                             "-",
                                             "+",
                                             ".",
                                             "-.",
                                             "1e",
                                             "1e999",
                                             "0x",
                                             "{",
                                             "}",
                                             "--1",
                                             "1.2.3",
                                             std::string(5000, '9'),
                                             "9" + std::string(40, '0') + ".5",
                                             "\xFF\xFE",
                                             std::string("\0a", 2),
                                             "2026-02-30",
                                             "T12:00",
                                             "12:",
                                             "AM",
                                             "99999999 99:99:99.999",
                                             "{00000000-0000-0000-0000-000000000000",
                                             "Ž",
                                             "1,5",
                                             "１２３"};
    const std::vector<DataType> targets = {type("bit"),
                                           type("tinyint"),
                                           type("int"),
                                           type("bigint"),
                                           type("numeric", {38, 10}),
                                           type("money"),
                                           type("float"),
                                           type("real"),
                                           type("datetime"),
                                           type("smalldatetime"),
                                           type("varchar", {2}),
                                           type("nchar", {3}),
                                           type("uniqueidentifier"),
                                           type("varbinary", {4})};
    for (const auto& text : inputs) {
        for (const auto& t : targets) {
            for (const Value& v : {Value::varchar(text), Value::nvarchar(text)}) {
                try {
                    (void)convert(v, t, ConversionMode::Explicit);
                } catch (const SqlError&) {
                } catch (const std::exception& e) {
                    ADD_FAILURE() << "'" << text.substr(0, 20) << "' -> " << t.fullName() << ": " << e.what();
                }
            }
        }
    }
}

} // namespace
} // namespace tsql
