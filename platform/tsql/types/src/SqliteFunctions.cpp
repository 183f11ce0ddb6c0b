#include "tsql/SqliteFunctions.h"

#include "WideInt.h"

#include "tsql/Collation.h"
#include "tsql/Like.h"
#include "tsql/SqliteValues.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <string>

namespace tsql {

namespace {

constexpr std::string_view kMarker = "tsql-error|";

// SQLite's aggregate memory is only 8-byte aligned: the 128-bit sum is kept in two halves.
struct DecimalAccumulator {
    std::uint64_t low;
    std::uint64_t high;
    std::int64_t count;
    int scale;

    Decimal sum() const {
        const auto bits = (static_cast<detail::UInt128>(high) << 64) | low;
        return Decimal(static_cast<Decimal::Mantissa>(bits), scale);
    }
    void setSum(const Decimal& d) {
        const auto bits = static_cast<detail::UInt128>(d.mantissa());
        low = static_cast<std::uint64_t>(bits);
        high = static_cast<std::uint64_t>(bits >> 64);
        scale = d.scale();
    }
};

DecimalAccumulator* accumulator(sqlite3_context* ctx, bool create) {
    // SQLite hands out zeroed memory: an empty sum.
    return static_cast<DecimalAccumulator*>(
        sqlite3_aggregate_context(ctx, create ? static_cast<int>(sizeof(DecimalAccumulator)) : 0));
}

void decimalStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return;
    DecimalAccumulator* acc = accumulator(ctx, true);
    if (acc == nullptr) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    try {
        const int precision = std::clamp(sqlite3_value_int(argv[1]), 1, 38);
        const int scale = std::clamp(sqlite3_value_int(argv[2]), 0, precision);
        const Value v = readValue(argv[0], DataType::numeric(precision, scale));
        if (acc->count == 0)
            acc->scale = scale;
        acc->setSum(Decimal::add(acc->sum(), v.asDecimal(), 38, scale));
        ++acc->count;
    } catch (const SqlError& e) {
        reportToSqlite(ctx, e);
    }
}

void sumFinal(sqlite3_context* ctx) {
    const DecimalAccumulator* acc = accumulator(ctx, false);
    if (acc == nullptr || acc->count == 0) {
        sqlite3_result_null(ctx);
        return;
    }
    resultValue(ctx, Value::decimal(acc->sum(), DataType::numeric(38, acc->scale)));
}

void avgFinal(sqlite3_context* ctx) {
    const DecimalAccumulator* acc = accumulator(ctx, false);
    if (acc == nullptr || acc->count == 0) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        const int scale = std::max(acc->scale, 6);
        const Decimal avg = Decimal::divide(acc->sum(), Decimal::fromInt64(acc->count), 38, scale);
        resultValue(ctx, Value::decimal(avg, DataType::numeric(38, scale)));
    } catch (const SqlError& e) {
        reportToSqlite(ctx, e);
    }
}

void check(sqlite3* db, int rc, std::string_view what) {
    if (rc != SQLITE_OK)
        throw SqlError(50000, 16, 1, "Cannot register " + std::string(what) + ": " + sqlite3_errmsg(db));
}

} // namespace

void reportToSqlite(sqlite3_context* ctx, const SqlError& error) {
    const std::string text = std::string(kMarker) + std::to_string(error.number) + "|" +
                             std::to_string(error.severity) + "|" + std::to_string(error.state) + "|" +
                             error.message;
    sqlite3_result_error(ctx, text.c_str(), static_cast<int>(text.size()));
}

std::optional<SqlError> sqlErrorFromSqlite(std::string_view message) {
    const std::size_t at = message.find(kMarker);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = message.substr(at + kMarker.size());
    int fields[3] = {0, 0, 0};
    for (int& f : fields) {
        const std::size_t bar = rest.find('|');
        if (bar == std::string_view::npos)
            return std::nullopt;
        const auto r = std::from_chars(rest.data(), rest.data() + bar, f);
        if (r.ec != std::errc() || r.ptr != rest.data() + bar)
            return std::nullopt;
        rest.remove_prefix(bar + 1);
    }
    return SqlError(fields[0], fields[1], fields[2], std::string(rest));
}

void registerDecimalAggregates(sqlite3* db) {
    check(db,
          sqlite3_create_function_v2(db, "tsql_dec_sum", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     nullptr, decimalStep, sumFinal, nullptr),
          "tsql_dec_sum");
    check(db,
          sqlite3_create_function_v2(db, "tsql_dec_avg", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     nullptr, decimalStep, avgFinal, nullptr),
          "tsql_dec_avg");
}

void registerEngineFunctions(sqlite3* db) {
    Collation::registerOn(db);
    LikePattern::registerOn(db);
    registerDecimalAggregates(db);
}

} // namespace tsql
