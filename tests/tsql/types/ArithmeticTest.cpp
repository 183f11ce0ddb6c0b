#include "tsql/Arithmetic.h"
#include "tsql/Convert.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>

namespace tsql {
namespace {

using testing::errorNumberOf;

Value num(std::string_view text, int p, int s) {
    return convert(Value::varchar(std::string(text)), DataType::numeric(p, s));
}
Value i32(std::int64_t v) {
    return Value::integer(v);
}

struct Case {
    ArithmeticOp op;
    Value left, right;
    std::string expected; // "type value", or "error N"
};

std::string run(const Case& c) {
    try {
        const Value v = evaluate(c.op, c.left, c.right);
        return v.type().fullName() + " " + v.toDisplayString();
    } catch (const SqlError& e) {
        return "error " + std::to_string(e.number);
    }
}

TEST(ArithmeticTest, Evaluation) {
    const DataType dt = DataType::of(TypeId::DateTime);
    const Value noon = Value::dateTime(DateTime::parse("20260826 12:00"));
    const std::vector<Case> cases = {
        {ArithmeticOp::Add, i32(2147483646), i32(1), "int 2147483647"},
        {ArithmeticOp::Add, i32(2147483647), i32(1), "error 8115"},
        {ArithmeticOp::Divide, i32(7), i32(2), "int 3"},
        {ArithmeticOp::Divide, i32(-7), i32(2), "int -3"},
        {ArithmeticOp::Modulo, i32(7), i32(-3), "int 1"},
        {ArithmeticOp::Divide, i32(1), i32(0), "error 8134"},
        {ArithmeticOp::Add, Value::integer(200, TypeId::TinyInt), Value::integer(100, TypeId::TinyInt),
         "error 8115"},
        {ArithmeticOp::Add, Value::varchar("5"), i32(1), "int 6"},
        {ArithmeticOp::Add, Value::varchar("abc"), i32(1), "error 245"},
        {ArithmeticOp::Add, Value::null(DataType::varchar(1)), Value::varchar("x"), "varchar(2) <NULL>"},
        {ArithmeticOp::Add, Value::nvarchar("Číslo: "), Value::nvarchar("42"), "nvarchar(9) Číslo: 42"},
        {ArithmeticOp::Add, Value::varchar("abc"), Value::varchar("de"), "varchar(5) abcde"},
        {ArithmeticOp::Add, Value::text(std::string(8000, 'x'), DataType::varchar(8000)), Value::varchar("y"),
         "varchar(8000) " + std::string(8000, 'x')},
        {ArithmeticOp::Divide, i32(2), num("3.0", 2, 1), "numeric(17,6) 0.666666"},
        {ArithmeticOp::Multiply, num("60.0", 3, 1), i32(2), "numeric(14,1) 120.0"},
        {ArithmeticOp::Divide, num("7200", 19, 6), num("3600.0", 5, 1), "numeric(26,12) 2.000000000000"},
        {ArithmeticOp::Divide, num("1", 19, 6), num("0", 19, 6), "error 8134"},
        {ArithmeticOp::Add, num("9999999999999.999999", 19, 6), num("1", 19, 6),
         "numeric(20,6) 10000000000000.999999"},
        {ArithmeticOp::Divide, Value::floating(1.0), i32(0), "error 8134"},
        {ArithmeticOp::Multiply, Value::floating(1.5), num("2.5", 2, 1), "float 3.75"},
        {ArithmeticOp::Multiply, convert(Value::varchar("1.2345"), DataType::of(TypeId::Money)), i32(2),
         "money 2.4690"},
        {ArithmeticOp::Add, noon, i32(1), "datetime 2026-08-27 12:00:00.0"},
        {ArithmeticOp::Subtract, noon, num("0.5", 1, 1), "datetime 2026-08-26 00:00:00.0"},
        {ArithmeticOp::Subtract, noon, convert(Value::varchar("20260825"), dt),
         "datetime 1900-01-02 12:00:00.0"},
        {ArithmeticOp::Add, convert(Value::varchar("99991231"), dt), i32(1), "error 8115"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run(c), c.expected) << c.left.toDisplayString().substr(0, 20) << " " << operatorName(c.op)
                                      << " " << c.right.toDisplayString();
}

TEST(ArithmeticTest, UnaryMinus) {
    EXPECT_EQ(negate(i32(5)).toDisplayString(), "-5");
    EXPECT_EQ(negate(num("2.50", 3, 2)).toDisplayString(), "-2.50");
    EXPECT_EQ(errorNumberOf([] { (void)negate(i32(-2147483648LL)); }), 8115);
    EXPECT_EQ(errorNumberOf([] { (void)negate(Value::varchar("x")); }), 8117);
    EXPECT_TRUE(negate(Value::null(DataType::of(TypeId::Int))).isNull());
}

} // namespace
} // namespace tsql
