// The session API: what a batch gives back, in order, and the session state it keeps.

#include "tsql/exec/Session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tsql {
namespace {

class SessionTest : public ::testing::Test {
protected:
    SessionTest() : session(Database::open(":memory:"), options()) {}

    static SessionOptions options() {
        SessionOptions o;
        o.login = "DOMAIN\\joe";
        o.clock = [] { return *DateTime::fromCivil({2026, 8, 26, 13, 45, 10, 0}); };
        return o;
    }

    Session session;
};

const ResultSet& resultAt(const BatchResult& r, std::size_t i) {
    return std::get<ResultSet>(r.items.at(i));
}

TEST_F(SessionTest, ResultSetCarriesNamesTypesAndValues) {
    const BatchResult r = session.run("SELECT who = SUSER_SNAME(), GETDATE() AS now, 1.5 + 1");
    ASSERT_EQ(r.items.size(), 1u);
    const ResultSet& set = resultAt(r, 0);
    ASSERT_EQ(set.columns.size(), 3u);
    EXPECT_EQ(set.columns[0].name, "who");
    EXPECT_EQ(set.columns[0].type, DataType::sysname());
    EXPECT_EQ(set.columns[1].name, "now");
    EXPECT_EQ(set.columns[2].name, "");
    EXPECT_EQ(set.columns[2].type.fullName(), "numeric(12,1)");
    ASSERT_EQ(set.rows.size(), 1u);
    EXPECT_EQ(set.rows[0][0].asText(), "DOMAIN\\joe");
    EXPECT_EQ(set.rows[0][1].toDisplayString(), "2026-08-26 13:45:10.0");
    EXPECT_EQ(set.rows[0][2].toDisplayString(), "2.5");
    EXPECT_EQ(r.firstError(), nullptr);
}

TEST_F(SessionTest, ErrorsKeepTheirPlaceAndLine) {
    const BatchResult r = session.run("SELECT 1\nRAISERROR('bad', 16, 3)\nSELECT 2");
    ASSERT_EQ(r.items.size(), 3u);
    const Message& m = std::get<Message>(r.items[1]);
    EXPECT_EQ(m.number, 50000);
    EXPECT_EQ(m.severity, 16);
    EXPECT_EQ(m.state, 3);
    EXPECT_EQ(m.line, 2u);
    EXPECT_EQ(r.firstError(), &m);
    EXPECT_EQ(resultAt(r, 2).rows[0][0].asInt64(), 2);
}

TEST_F(SessionTest, SyntaxErrorRunsNothing) {
    const BatchResult r = session.run("SELECT 1\nSELECT 1 +");
    ASSERT_EQ(r.items.size(), 1u);
    EXPECT_EQ(std::get<Message>(r.items[0]).number, 102);
    EXPECT_EQ(std::get<Message>(r.items[0]).line, 2u);
}

TEST_F(SessionTest, UnsupportedConstructIsRefusedBeforeAnythingRuns) {
    const BatchResult r = session.run("SELECT 1\nMERGE t USING s ON t.a = s.a WHEN MATCHED THEN DELETE;");
    ASSERT_EQ(r.items.size(), 1u);
    const Message& m = std::get<Message>(r.items[0]);
    EXPECT_EQ(m.number, 50900);
    EXPECT_NE(m.text.find("MERGE"), std::string::npos);
}

TEST_F(SessionTest, TransactionSpansBatchesAndVariablesDoNot) {
    session.run("DECLARE @v int = 1 BEGIN TRAN");
    EXPECT_EQ(session.tranCount(), 1);
    const BatchResult r = session.run("SELECT @v");
    EXPECT_EQ(std::get<Message>(r.items.at(0)).number, 137);
    session.run("ROLLBACK");
    EXPECT_EQ(session.tranCount(), 0);
}

TEST_F(SessionTest, PrintIsAnInformationalMessage) {
    const BatchResult r = session.run("PRINT N'hello'");
    ASSERT_EQ(r.items.size(), 1u);
    const Message& m = std::get<Message>(r.items[0]);
    EXPECT_FALSE(m.isError());
    EXPECT_EQ(m.text, "hello");
}

} // namespace
} // namespace tsql

namespace tsql {
namespace {

// A database file removed with its WAL files when the test ends.
struct TempDatabaseFile {
    std::string path = ::testing::TempDir() + "tsql_exec_" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db";
    ~TempDatabaseFile() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((path + suffix).c_str());
    }
};

TEST(SessionOnFile, CatalogAndRowsOutliveTheConnection) {
    TempDatabaseFile file;
    {
        Session s(Database::open(file.path));
        const BatchResult r = s.run(
            "CREATE TABLE T (ID int IDENTITY(1,1) PRIMARY KEY, Txt nvarchar(10) NOT NULL DEFAULT N'x')\n"
            "INSERT T DEFAULT VALUES");
        ASSERT_EQ(r.firstError(), nullptr) << r.firstError()->text;
    }
    Session s(Database::open(file.path));
    const BatchResult r = s.run("INSERT T (Txt) VALUES (N'y') SELECT ID, Txt FROM T ORDER BY ID");
    ASSERT_EQ(r.firstError(), nullptr) << r.firstError()->text;
    const ResultSet& set = std::get<ResultSet>(r.items.at(1));
    ASSERT_EQ(set.rows.size(), 2u);
    EXPECT_EQ(set.rows[0][1].asText(), "x");
    EXPECT_EQ(set.rows[1][0].asInt64(), 2);
    EXPECT_EQ(set.columns[1].type, DataType::nvarchar(10));
}

TEST(SessionOnFile, TwoSessionsSeeEachOthersCommittedRows) {
    TempDatabaseFile file;
    Session writer(Database::open(file.path));
    Session reader(Database::open(file.path));
    ASSERT_EQ(writer.run("CREATE TABLE T (A int)").firstError(), nullptr);
    writer.run("BEGIN TRAN INSERT T VALUES (1)");
    const BatchResult during = reader.run("SELECT A FROM T");
    ASSERT_EQ(during.firstError(), nullptr) << during.firstError()->text;
    EXPECT_TRUE(std::get<ResultSet>(during.items.at(0)).rows.empty());
    writer.run("COMMIT");
    const BatchResult after = reader.run("SELECT A FROM T");
    EXPECT_EQ(std::get<ResultSet>(after.items.at(0)).rows.size(), 1u);
}

TEST(SessionOnFile, FailedStatementIsUndoneInsideATransaction) {
    TempDatabaseFile file;
    Session s(Database::open(file.path));
    s.run("CREATE TABLE T (A int CONSTRAINT PK_T PRIMARY KEY)");
    const BatchResult r =
        s.run("BEGIN TRAN INSERT T VALUES (1) INSERT T VALUES (2), (1) COMMIT SELECT A FROM T");
    ASSERT_NE(r.firstError(), nullptr);
    EXPECT_EQ(r.firstError()->number, 2627);
    const ResultSet& set = std::get<ResultSet>(r.items.back());
    ASSERT_EQ(set.rows.size(), 1u);
    EXPECT_EQ(set.rows[0][0].asInt64(), 1);
    EXPECT_EQ(s.tranCount(), 0);
}

} // namespace
} // namespace tsql

namespace tsql {
namespace {

struct ErrorCase {
    const char* batch;
    int number;
};

class BatchErrors : public ::testing::TestWithParam<ErrorCase> {};

// Each batch runs after the table T (A identity, B with a default, C varchar(2)) exists.
TEST_P(BatchErrors, ReportTheServersNumber) {
    Session s(Database::open(":memory:"));
    ASSERT_EQ(s.run("CREATE TABLE T (A int IDENTITY(1,1), B int DEFAULT 7, C varchar(2))").firstError(),
              nullptr);
    const BatchResult r = s.run(GetParam().batch);
    ASSERT_NE(r.firstError(), nullptr) << GetParam().batch;
    EXPECT_EQ(r.firstError()->number, GetParam().number) << r.firstError()->text;
}

INSTANTIATE_TEST_SUITE_P(
    Session, BatchErrors,
    ::testing::Values(ErrorCase{"INSERT INTO T (B) VALUES (1, 2)", 110},
                      ErrorCase{"INSERT INTO T (B, C) VALUES (1)", 109},
                      ErrorCase{"INSERT INTO T (A) VALUES (1)", 544}, ErrorCase{"UPDATE T SET A = 1", 8102},
                      ErrorCase{"INSERT T (C) VALUES ('abc')", 8152},
                      ErrorCase{"SELECT * FROM T ORDER BY 5", 108}, ErrorCase{"GOTO nowhere", 133},
                      ErrorCase{"BREAK", 135}, ErrorCase{"SELECT * FROM T t, T t", 1013},
                      ErrorCase{"SELECT x.A FROM T", 4104},
                      ErrorCase{"CREATE TABLE T2 (A int PRIMARY KEY, B int PRIMARY KEY)", 8110},
                      ErrorCase{"CREATE TABLE T (A int)", 2714}, ErrorCase{"DROP TABLE Nope", 3701},
                      ErrorCase{"CREATE TABLE T3 (A int IDENTITY(99999999999999999999, 1))", 8115},
                      ErrorCase{"DECLARE @a int DECLARE @a int", 134}, ErrorCase{"SELECT NOSUCHFN(1)", 195},
                      ErrorCase{"DECLARE @a int SELECT @a = 1, 2", 141}, ErrorCase{"ROLLBACK", 3903},
                      ErrorCase{"INSERT T (B) VALUES (1), (2) SELECT (SELECT B FROM T)", 512}));

} // namespace
} // namespace tsql
