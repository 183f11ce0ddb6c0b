#include "tsql/DataType.h"
#include "tsql/SqlError.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tsql {
namespace {

TEST(DataTypeTest, PrecedenceFollowsTheServersListFromHighestToLowest) {
    const std::vector<TypeId> documented = {
        TypeId::DateTime2, TypeId::DateTime, TypeId::SmallDateTime,    TypeId::Date,     TypeId::Time,
        TypeId::Float,     TypeId::Real,     TypeId::Decimal,          TypeId::Money,    TypeId::SmallMoney,
        TypeId::BigInt,    TypeId::Int,      TypeId::SmallInt,         TypeId::TinyInt,  TypeId::Bit,
        TypeId::NText,     TypeId::Text,     TypeId::UniqueIdentifier, TypeId::NVarChar, TypeId::NChar,
        TypeId::VarChar,   TypeId::Char,     TypeId::VarBinary,        TypeId::Binary};
    for (std::size_t i = 1; i < documented.size(); ++i)
        EXPECT_GT(DataType::of(documented[i - 1]).precedence(), DataType::of(documented[i]).precedence())
            << DataType::of(documented[i - 1]).name() << " above " << DataType::of(documented[i]).name();
    EXPECT_EQ(DataType::of(TypeId::Numeric).precedence(), DataType::of(TypeId::Decimal).precedence());
}

TEST(DataTypeTest, NamesAsTheServerPrintsThem) {
    const std::vector<std::pair<DataType, std::string>> cases = {
        {DataType::of(TypeId::Int), "int"},
        {DataType::numeric(19, 6), "numeric(19,6)"},
        {DataType::decimal(18, 0), "decimal(18,0)"},
        {DataType::nvarchar(30), "nvarchar(30)"},
        {DataType::nvarchar(DataType::kMax), "nvarchar(max)"},
        {DataType::character(TypeId::Binary, 16), "binary(16)"},
        {DataType::of(TypeId::UniqueIdentifier), "uniqueidentifier"},
        {DataType::of(TypeId::DateTime), "datetime"},
        {DataType::of(TypeId::NText), "ntext"},
        {DataType::sysname(), "nvarchar(128)"},
    };
    for (const auto& [type, name] : cases)
        EXPECT_EQ(type.fullName(), name);
}

TEST(DataTypeTest, FixedPrecisionOfNonDecimalNumerics) {
    EXPECT_EQ(DataType::of(TypeId::Int).precision, 10);
    EXPECT_EQ(DataType::of(TypeId::BigInt).precision, 19);
    EXPECT_EQ(DataType::of(TypeId::TinyInt).precision, 3);
    EXPECT_EQ(DataType::of(TypeId::SmallInt).precision, 5);
    EXPECT_EQ(DataType::of(TypeId::Money).precision, 19);
    EXPECT_EQ(DataType::of(TypeId::Money).scale, 4);
    EXPECT_EQ(DataType::of(TypeId::SmallMoney).precision, 10);
}

struct NameCase {
    std::string name;
    std::vector<int> params;
    LengthDefault lengthDefault;
    std::string expected;
};

TEST(DataTypeTest, FromNameWithDefaultsAndAliases) {
    const std::vector<NameCase> cases = {
        {"NVARCHAR", {}, LengthDefault::Cast, "nvarchar(30)"},
        {"nvarchar", {}, LengthDefault::Declaration, "nvarchar(1)"},
        {"NVarchar", {DataType::kMax}, LengthDefault::Declaration, "nvarchar(max)"},
        {"numeric", {}, LengthDefault::Declaration, "numeric(18,0)"},
        {"DECIMAL", {10}, LengthDefault::Declaration, "decimal(10,0)"},
        {"dec", {19, 6}, LengthDefault::Declaration, "decimal(19,6)"},
        {"integer", {}, LengthDefault::Declaration, "int"},
        {"float", {24}, LengthDefault::Declaration, "real"},
        {"float", {53}, LengthDefault::Declaration, "float"},
        {"sysname", {}, LengthDefault::Declaration, "nvarchar(128)"},
        {"varchar", {8000}, LengthDefault::Declaration, "varchar(8000)"},
        {"datetime2", {3}, LengthDefault::Declaration, "datetime2"},
    };
    for (const auto& c : cases) {
        const auto t = DataType::fromName(c.name, c.params, c.lengthDefault);
        ASSERT_TRUE(t.has_value()) << c.name;
        EXPECT_EQ(t->fullName(), c.expected) << c.name;
    }
    EXPECT_FALSE(DataType::fromName("xml", {}).has_value());
}

TEST(DataTypeTest, FromNameRefusesParametersTheServerRefuses) {
    const auto number = [](const std::string& name, std::vector<int> params) {
        try {
            (void)DataType::fromName(name, params);
        } catch (const SqlError& e) {
            return e.number;
        }
        return 0;
    };
    EXPECT_EQ(number("nvarchar", {4001}), 131);
    EXPECT_EQ(number("varchar", {8001}), 131);
    EXPECT_EQ(number("numeric", {39, 0}), 2750);
    EXPECT_EQ(number("numeric", {5, 6}), 2751);
    EXPECT_EQ(number("char", {DataType::kMax}), 291);
    EXPECT_EQ(number("int", {4}), 291);
}

} // namespace
} // namespace tsql
