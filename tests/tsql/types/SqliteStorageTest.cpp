#include "tsql/Convert.h"
#include "tsql/SqliteFunctions.h"
#include "tsql/SqliteValues.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

namespace tsql {
namespace {

using testing::errorNumberOf;

DataType num(int p, int s) {
    return DataType::numeric(p, s);
}
Value dec(std::string_view text, const DataType& t) {
    return convert(Value::varchar(std::string(text)), t);
}

class SqliteStorageTest : public ::testing::Test {
protected:
    SqliteStorageTest() {
        sqlite3* raw = nullptr;
        sqlite3_open(":memory:", &raw);
        db_.reset(raw);
        registerEngineFunctions(db_.get());
    }

    struct StmtCloser {
        void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
    };
    using Stmt = std::unique_ptr<sqlite3_stmt, StmtCloser>;

    Stmt prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_.get(), sql, -1, &s, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db_.get());
        return Stmt(s);
    }
    void exec(const char* sql) {
        ASSERT_EQ(sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db_.get());
    }
    void insert(const char* sql, const Value& v) {
        Stmt s = prepare(sql);
        bindValue(s.get(), 1, v);
        ASSERT_EQ(sqlite3_step(s.get()), SQLITE_DONE) << sqlite3_errmsg(db_.get());
    }
    std::vector<std::string> column(const char* sql, const DataType& type) {
        std::vector<std::string> out;
        Stmt s = prepare(sql);
        while (sqlite3_step(s.get()) == SQLITE_ROW)
            out.push_back(readColumn(s.get(), 0, type).toDisplayString());
        return out;
    }

    struct DbCloser {
        void operator()(sqlite3* db) const { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, DbCloser> db_;
};

TEST_F(SqliteStorageTest, EveryTypeRoundTrips) {
    const std::vector<Value> values = {
        Value::bit(true),
        Value::integer(-5, TypeId::SmallInt),
        Value::integer(INT64_MIN, TypeId::BigInt),
        dec("-1234567.890123", num(19, 6)),
        dec("-99999999999999999999999999999999.999999", num(38, 6)),
        dec("1234.5678", DataType::of(TypeId::Money)),
        Value::floating(0.1),
        Value::dateTime(DateTime::parse("17530101 00:00:00.003")),
        Value::nvarchar("Číslo"),
        Value::binary(std::string("\x00\xFF", 2), DataType::character(TypeId::VarBinary, 2)),
        Value::guid(*Guid::parse("6F9619FF-8B86-D011-B42D-00C04FC964FF")),
        Value::null(num(19, 6)),
    };
    exec("CREATE TABLE t(v)");
    for (const Value& v : values) {
        exec("DELETE FROM t");
        insert("INSERT INTO t VALUES (?)", v);
        Stmt s = prepare("SELECT v FROM t");
        ASSERT_EQ(sqlite3_step(s.get()), SQLITE_ROW);
        EXPECT_EQ(readColumn(s.get(), 0, v.type()), v) << v.type().fullName() << " " << v.toDisplayString();
    }
}

TEST_F(SqliteStorageTest, OrderingAndGroupingAreExact) {
    for (const DataType& type : {num(19, 6), num(38, 10)}) {
        exec("DROP TABLE IF EXISTS t");
        exec("CREATE TABLE t(v)");
        for (const char* text :
             {"0.0000000001", "-0.0000000002", "12.5", "-12.5", "0", "12.5", "-9999999.9999999999"})
            insert("INSERT INTO t VALUES (?)", dec(text, type));
        const auto ordered = column("SELECT v FROM t ORDER BY v", type);
        const std::vector<std::string> grouped = column("SELECT v FROM t GROUP BY v ORDER BY v", type);
        ASSERT_EQ(ordered.size(), 7U);
        for (std::size_t i = 1; i < ordered.size(); ++i)
            EXPECT_LE(compareValues(dec(ordered[i - 1], type), dec(ordered[i], type)), 0) << type.fullName();
        EXPECT_EQ(grouped.size(), type.scale == 6 ? 4U : 6U)
            << type.fullName(); // at scale 6 the tiny ones are 0
        EXPECT_EQ(column("SELECT max(v) FROM t", type),
                  std::vector<std::string>{type.scale == 6 ? "12.500000" : "12.5000000000"});
    }
}

TEST_F(SqliteStorageTest, Numeric19BeyondInt64IsAnOverflow) {
    Stmt s = prepare("SELECT ?");
    EXPECT_EQ(errorNumberOf([&] { bindValue(s.get(), 1, dec("9999999999999.999999", num(19, 6))); }), 8115);
    EXPECT_EQ(errorNumberOf([&] { bindValue(s.get(), 1, dec("9223372036854.775807", num(19, 6))); }), 0);
}

TEST_F(SqliteStorageTest, DecimalSumAndAverageAreExact) {
    exec("CREATE TABLE t(v)");
    for (const char* text : {"0.1", "0.2", "0.3", "9223372036854.775807", "9223372036854.775807"})
        insert("INSERT INTO t VALUES (?)", dec(text, num(19, 6)));
    insert("INSERT INTO t VALUES (?)", Value::null(num(19, 6)));
    EXPECT_EQ(column("SELECT tsql_dec_sum(v, 19, 6) FROM t", num(38, 6)),
              std::vector<std::string>{"18446744073710.151614"});
    EXPECT_EQ(column("SELECT tsql_dec_avg(v, 19, 6) FROM t", num(38, 6)),
              std::vector<std::string>{"3689348814742.030322"});
    EXPECT_EQ(column("SELECT tsql_dec_sum(v, 19, 6) FROM t WHERE v IS NULL", num(38, 6)),
              std::vector<std::string>{"<NULL>"});
}

TEST_F(SqliteStorageTest, ErrorsInsideFunctionsComeBackAsSqlErrors) {
    exec("CREATE TABLE t(v)");
    const Value big = dec("99999999999999999999999999999999999999", num(38, 0));
    insert("INSERT INTO t VALUES (?)", big);
    insert("INSERT INTO t VALUES (?)", big);
    Stmt s = prepare("SELECT tsql_dec_sum(v, 38, 0) FROM t");
    EXPECT_EQ(sqlite3_step(s.get()), SQLITE_ERROR);
    const auto error = sqlErrorFromSqlite(sqlite3_errmsg(db_.get()));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->number, 8115);
    EXPECT_EQ(error->message, "Arithmetic overflow error converting expression to data type numeric.");
    EXPECT_FALSE(sqlErrorFromSqlite("no such table: x").has_value());
}

} // namespace
} // namespace tsql
