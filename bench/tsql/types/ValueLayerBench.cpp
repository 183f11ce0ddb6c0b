// Costs of the value layer's hot paths: decimal arithmetic, DATETIME parsing, collation
// comparison, LIKE and text-to-number conversion.

#include "tsql/Arithmetic.h"
#include "tsql/Collation.h"
#include "tsql/Convert.h"
#include "tsql/Like.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tsql;

Value num(std::string_view text) {
    return convert(Value::varchar(std::string(text)), DataType::numeric(19, 6));
}

void DecimalMultiply(benchmark::State& state) {
    const Value a = num("1234.567891"), b = num("98.765432");
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluate(ArithmeticOp::Multiply, a, b));
}
BENCHMARK(DecimalMultiply);

void DecimalDivide(benchmark::State& state) {
    const Value a = num("1234.567891"), b = num("98.765432");
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluate(ArithmeticOp::Divide, a, b));
}
BENCHMARK(DecimalDivide);

void DecimalStoreRounding(benchmark::State& state) {
    const Value a = convert(Value::varchar("1234.5678912345"), DataType::numeric(38, 10));
    for (auto _ : state)
        benchmark::DoNotOptimize(convert(a, DataType::numeric(19, 6), ConversionMode::Store));
}
BENCHMARK(DecimalStoreRounding);

void DateTimeParse(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(DateTime::parse("20260826 13:45:10.123"));
}
BENCHMARK(DateTimeParse);

void DateDiffMinute(benchmark::State& state) {
    const DateTime a = DateTime::parse("20260826 13:45:10.123"), b = DateTime::parse("20260827 01:02:03");
    for (auto _ : state)
        benchmark::DoNotOptimize(a.diff(DatePart::Minute, b));
}
BENCHMARK(DateDiffMinute);

void CollationCompare(benchmark::State& state) {
    const Collation& c = Collation::standard();
    for (auto _ : state)
        benchmark::DoNotOptimize(c.compare("Příliš žluťoučký kůň", "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ  "));
}
BENCHMARK(CollationCompare);

void LikeMatch(benchmark::State& state) {
    const LikePattern p("%kůň%");
    for (auto _ : state)
        benchmark::DoNotOptimize(p.matches("Příliš žluťoučký KŮŇ úpěl ďábelské ódy"));
}
BENCHMARK(LikeMatch);

void TextToInt(benchmark::State& state) {
    const Value v = Value::nvarchar("123456");
    const DataType t = DataType::of(TypeId::Int);
    for (auto _ : state)
        benchmark::DoNotOptimize(convert(v, t, ConversionMode::Implicit));
}
BENCHMARK(TextToInt);

} // namespace
