#include "tsql/TypeRules.h"
#include "tsql/SqlError.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>

namespace tsql {
namespace {

DataType num(int p, int s) {
    return DataType::numeric(p, s);
}
DataType of(TypeId id) {
    return DataType::of(id);
}

using testing::errorNumberOf;

struct DecimalCase {
    ArithmeticOp op;
    DataType left, right;
    std::string expected;
};

TEST(TypeRulesTest, DecimalPrecisionAndScaleOfResults) {
    const std::vector<DecimalCase> cases = {
        {ArithmeticOp::Add, num(19, 6), num(19, 6), "numeric(20,6)"},
        {ArithmeticOp::Subtract, num(5, 2), num(10, 4), "numeric(11,4)"},
        {ArithmeticOp::Multiply, num(5, 2), num(3, 1), "numeric(9,3)"},
        {ArithmeticOp::Divide, num(5, 2), num(3, 1), "numeric(10,6)"},
        {ArithmeticOp::Modulo, num(5, 2), num(3, 0), "numeric(5,2)"},
        // An int operand takes part as numeric(10,0): 2/3.0 and CelkCasS/3600.0.
        {ArithmeticOp::Divide, of(TypeId::Int), num(2, 1), "numeric(17,6)"},
        {ArithmeticOp::Divide, num(19, 6), num(5, 1), "numeric(26,12)"},
        // Above 38 digits the scale is reduced (examples of the server's documentation).
        {ArithmeticOp::Multiply, num(30, 20), num(30, 20), "numeric(38,17)"},
        {ArithmeticOp::Multiply, num(30, 10), num(30, 10), "numeric(38,6)"},
        {ArithmeticOp::Multiply, num(19, 6), num(19, 6), "numeric(38,11)"},
        {ArithmeticOp::Divide, num(19, 6), num(19, 6), "numeric(38,19)"},
        {ArithmeticOp::Divide, num(38, 0), num(38, 0), "numeric(38,6)"},
        {ArithmeticOp::Add, num(38, 7), num(10, 0), "numeric(38,6)"},
        {ArithmeticOp::Multiply, num(38, 2), num(38, 2), "numeric(38,4)"},
        {ArithmeticOp::Multiply, of(TypeId::Money), num(5, 2), "numeric(25,6)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(arithmeticType(c.op, c.left, c.right).fullName(), c.expected)
            << c.left.fullName() << " " << operatorName(c.op) << " " << c.right.fullName();
}

TEST(TypeRulesTest, OperatorResultsByPrecedence) {
    const std::vector<DecimalCase> cases = {
        {ArithmeticOp::Add, of(TypeId::Int), of(TypeId::Int), "int"},
        {ArithmeticOp::Divide, of(TypeId::Int), of(TypeId::Int), "int"},
        {ArithmeticOp::Add, of(TypeId::TinyInt), of(TypeId::SmallInt), "smallint"},
        {ArithmeticOp::Add, of(TypeId::Int), of(TypeId::BigInt), "bigint"},
        {ArithmeticOp::Add, of(TypeId::Bit), of(TypeId::Int), "int"},
        {ArithmeticOp::Multiply, of(TypeId::Float), num(19, 6), "float"},
        {ArithmeticOp::Add, of(TypeId::Money), of(TypeId::Int), "money"},
        // 'text' + 1 is arithmetic on int, so the text fails to convert at run time.
        {ArithmeticOp::Add, DataType::varchar(4), of(TypeId::Int), "int"},
        {ArithmeticOp::Add, of(TypeId::DateTime), of(TypeId::Int), "datetime"},
        {ArithmeticOp::Subtract, of(TypeId::DateTime), of(TypeId::DateTime), "datetime"},
        // Concatenation.
        {ArithmeticOp::Add, DataType::varchar(3), DataType::varchar(5), "varchar(8)"},
        {ArithmeticOp::Add, DataType::nvarchar(10), DataType::varchar(5), "nvarchar(15)"},
        {ArithmeticOp::Add, DataType::varchar(8000), DataType::varchar(10), "varchar(8000)"},
        {ArithmeticOp::Add, DataType::nvarchar(4000), DataType::nvarchar(1), "nvarchar(4000)"},
        {ArithmeticOp::Add, DataType::nvarchar(DataType::kMax), DataType::varchar(5), "nvarchar(max)"},
        {ArithmeticOp::Add, DataType::character(TypeId::Char, 2), DataType::character(TypeId::Char, 3),
         "char(5)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(arithmeticType(c.op, c.left, c.right).fullName(), c.expected)
            << c.left.fullName() << " " << operatorName(c.op) << " " << c.right.fullName();
}

TEST(TypeRulesTest, OperatorsTheServerRefuses) {
    const auto check = [](ArithmeticOp op, DataType l, DataType r) {
        return errorNumberOf([&] { (void)arithmeticType(op, l, r); });
    };
    EXPECT_EQ(check(ArithmeticOp::Subtract, DataType::varchar(1), DataType::varchar(1)), 402);
    EXPECT_EQ(check(ArithmeticOp::Add, of(TypeId::Text), DataType::varchar(1)), 402);
    EXPECT_EQ(check(ArithmeticOp::Modulo, of(TypeId::Float), of(TypeId::Int)), 402);
    EXPECT_EQ(check(ArithmeticOp::Add, of(TypeId::Bit), of(TypeId::Bit)), 8117);
    EXPECT_EQ(check(ArithmeticOp::Multiply, of(TypeId::DateTime), of(TypeId::Int)), 8117);
    EXPECT_EQ(check(ArithmeticOp::Add, of(TypeId::UniqueIdentifier), of(TypeId::Int)), 206);
    EXPECT_EQ(check(ArithmeticOp::Add, of(TypeId::DateTime2), of(TypeId::Int)), 206);
    try {
        (void)arithmeticType(ArithmeticOp::Add, of(TypeId::UniqueIdentifier), of(TypeId::Int));
    } catch (const SqlError& e) {
        EXPECT_EQ(e.message, "Operand type clash: uniqueidentifier is incompatible with int");
        EXPECT_EQ(e.severity, 16);
    }
}

TEST(TypeRulesTest, ComparisonTypes) {
    EXPECT_EQ(comparisonType(DataType::varchar(3), of(TypeId::Int)).fullName(), "int");
    EXPECT_EQ(comparisonType(DataType::varchar(3), DataType::nvarchar(10)).fullName(), "nvarchar(10)");
    EXPECT_EQ(comparisonType(DataType::nvarchar(36), of(TypeId::UniqueIdentifier)).fullName(),
              "uniqueidentifier");
    EXPECT_EQ(comparisonType(num(19, 6), of(TypeId::Int)).fullName(), "numeric(19,6)");
    EXPECT_EQ(errorNumberOf([] { (void)comparisonType(of(TypeId::UniqueIdentifier), of(TypeId::Int)); }),
              206);
    EXPECT_EQ(errorNumberOf([] { (void)comparisonType(of(TypeId::NText), DataType::nvarchar(3)); }), 402);
    EXPECT_EQ(comparisonType(of(TypeId::NText), DataType::nvarchar(3), "like").fullName(), "ntext");
}

TEST(TypeRulesTest, CaseCoalesceAndIsnullTypes) {
    EXPECT_EQ(combinedType({of(TypeId::Int), num(3, 1)}).fullName(), "numeric(11,1)");
    EXPECT_EQ(combinedType({num(19, 6), num(38, 0)}).fullName(), "numeric(38,6)");
    EXPECT_EQ(combinedType({DataType::nvarchar(10), DataType::varchar(20)}).fullName(), "nvarchar(20)");
    EXPECT_EQ(combinedType({std::nullopt, of(TypeId::Bit), of(TypeId::Int)}).fullName(), "int");
    EXPECT_EQ(combinedType({std::nullopt, std::nullopt}).fullName(), "int");
    EXPECT_EQ(combinedType({DataType::varchar(1), of(TypeId::DateTime)}).fullName(), "datetime");
    EXPECT_EQ(errorNumberOf([] {
                  (void)combinedType({of(TypeId::UniqueIdentifier), of(TypeId::Int)});
              }),
              206);

    // ISNULL(HesloLCDQuit, '') with an int column is int.
    EXPECT_EQ(isnullType(of(TypeId::Int), DataType::varchar(1)).fullName(), "int");
    EXPECT_EQ(isnullType(DataType::nvarchar(5), DataType::nvarchar(100)).fullName(), "nvarchar(5)");
    EXPECT_EQ(isnullType(std::nullopt, DataType::varchar(2)).fullName(), "varchar(2)");
}

TEST(TypeRulesTest, LiteralTypes) {
    EXPECT_EQ(integerLiteralType("0").fullName(), "int");
    EXPECT_EQ(integerLiteralType("2147483647").fullName(), "int");
    EXPECT_EQ(integerLiteralType("2147483648").fullName(), "numeric(10,0)");
    EXPECT_EQ(integerLiteralType("9999999999").fullName(), "numeric(10,0)");
    EXPECT_EQ(integerLiteralType("0000000000001").fullName(), "int");
    EXPECT_EQ(decimalLiteralType("60.0").fullName(), "numeric(3,1)");
    EXPECT_EQ(decimalLiteralType("3600.0").fullName(), "numeric(5,1)");
    EXPECT_EQ(decimalLiteralType("0.0").fullName(), "numeric(1,1)");
    EXPECT_EQ(decimalLiteralType("0.05").fullName(), "numeric(2,2)");
    EXPECT_EQ(decimalLiteralType(".5").fullName(), "numeric(1,1)");
    EXPECT_EQ(decimalLiteralType("5.").fullName(), "numeric(1,0)");
    EXPECT_EQ(errorNumberOf([] { (void)integerLiteralType(std::string(39, '9')); }), 1007);
    EXPECT_EQ(stringLiteralType("abc", false).fullName(), "varchar(3)");
    EXPECT_EQ(stringLiteralType("Číslo: ", true).fullName(), "nvarchar(7)");
    EXPECT_EQ(stringLiteralType("Číslo", false).fullName(), "varchar(5)");
    EXPECT_EQ(stringLiteralType(std::string(8001, 'x'), false).fullName(), "varchar(max)");
    EXPECT_EQ(binaryLiteralType(16).fullName(), "varbinary(16)");
}

TEST(TypeRulesTest, ConversionTable) {
    struct Case {
        TypeId from, to;
        ConversionKind kind;
    };
    const std::vector<Case> cases = {
        {TypeId::VarChar, TypeId::Int, ConversionKind::Implicit},
        {TypeId::Int, TypeId::NVarChar, ConversionKind::Implicit},
        {TypeId::Int, TypeId::DateTime, ConversionKind::Implicit},
        {TypeId::DateTime, TypeId::Int, ConversionKind::Explicit},
        {TypeId::DateTime, TypeId::Float, ConversionKind::Explicit},
        {TypeId::VarChar, TypeId::VarBinary, ConversionKind::Explicit},
        {TypeId::Binary, TypeId::UniqueIdentifier, ConversionKind::Implicit},
        {TypeId::UniqueIdentifier, TypeId::Int, ConversionKind::NotAllowed},
        {TypeId::Int, TypeId::Date, ConversionKind::NotAllowed},
        {TypeId::NText, TypeId::Int, ConversionKind::NotAllowed},
        {TypeId::NText, TypeId::NVarChar, ConversionKind::Implicit},
        {TypeId::Float, TypeId::Binary, ConversionKind::Implicit},
        {TypeId::Binary, TypeId::Float, ConversionKind::NotAllowed},
        {TypeId::Bit, TypeId::Decimal, ConversionKind::Implicit},
    };
    for (const auto& c : cases)
        EXPECT_EQ(conversionKind(c.from, c.to), c.kind)
            << DataType::of(c.from).name() << " -> " << DataType::of(c.to).name();
}

} // namespace
} // namespace tsql
