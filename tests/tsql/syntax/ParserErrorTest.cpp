#include "ParseCase.h"

#include <random>
#include <string>

namespace tsql::testing {
namespace {

class Errors : public ::testing::TestWithParam<ErrorCase> {};
TEST_P(Errors, RaiseSqlServersError) {
    expectError(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Parser, Errors,
    ::testing::Values(
        ErrorCase{"SELECT * FROM", 156, "Incorrect syntax near the keyword 'FROM'."},
        ErrorCase{"SELECT 1 +", 102, "Incorrect syntax near '+'."},
        ErrorCase{"SELECT a b c", 102, "Incorrect syntax near 'c'."},
        ErrorCase{"SELECT a\rFROM t\rWHERE", 156, "Incorrect syntax near the keyword 'WHERE'.", 3},
        ErrorCase{"SELECT kz.R like x", 156, "Incorrect syntax near the keyword 'like'."},
        ErrorCase{"SELECT a, FROM t", 156, "Incorrect syntax near the keyword 'FROM'."},
        ErrorCase{"SELECT 'a' 'b' 'c'", 102, "Incorrect syntax near 'c'."},
        ErrorCase{"SELECT 1 = 1", 102, "Incorrect syntax near '='."},
        ErrorCase{"SELECT 1 WHERE a = b = c", 102, "Incorrect syntax near '='."},
        ErrorCase{
            "SELECT 1 WHERE 1 ORDER BY 1", 4145,
            "An expression of non-boolean type specified in a context where a condition is expected, near "
            "'ORDER'."},
        ErrorCase{
            "IF @x SELECT 1", 4145,
            "An expression of non-boolean type specified in a context where a condition is expected, near "
            "'SELECT'."},
        ErrorCase{
            "SELECT CASE WHEN @v THEN 1 END", 4145,
            "An expression of non-boolean type specified in a context where a condition is expected, near "
            "'THEN'."},
        ErrorCase{"SELECT 1 WHERE 1 AND a = 1", 4145, nullptr},
        ErrorCase{"SELECT 1\rCREATE VIEW v AS SELECT 1", 111,
                  "'CREATE VIEW' must be the first statement in a query batch.", 2},
        ErrorCase{"SELECT 1\r\nCREATE PROCEDURE p AS SELECT 1", 111,
                  "'CREATE/ALTER PROCEDURE' must be the first statement in a query batch.", 2},
        ErrorCase{"IF 1=1 ALTER FUNCTION f() RETURNS INT AS BEGIN RETURN 1 END", 111,
                  "'ALTER FUNCTION' must be the first statement in a query batch."},
        ErrorCase{"PRINT 1 CREATE TRIGGER t ON x AFTER INSERT AS SELECT 1", 111,
                  "'CREATE TRIGGER' must be the first statement in a query batch."},
        ErrorCase{"CREATE VIEW v AS SELECT 1 SELECT 2", 156, "Incorrect syntax near the keyword 'SELECT'."},
        ErrorCase{"MERGE t USING s ON 1=1 WHEN MATCHED THEN DELETE", 10713,
                  "A MERGE statement must be terminated by a semi-colon (;)."},
        ErrorCase{
            "SELECT 1 WITH c AS (SELECT 1) SELECT * FROM c", 319,
            "Incorrect syntax near the keyword 'WITH'. If this statement is a common table expression, an "
            "xmlnamespaces clause or a change tracking context clause, the previous statement must be "
            "terminated with a semicolon."},
        ErrorCase{"IF 1=1 GOTO Konec", 133,
                  "A GOTO statement references the label 'Konec' but the label has not been declared."},
        ErrorCase{
            "L1:\rSELECT 1\rl1:", 132,
            "The label 'l1' has already been declared. Label names must be unique within a query batch or "
            "stored procedure.",
            3},
        ErrorCase{"BEGIN END", 156, "Incorrect syntax near the keyword 'END'."},
        ErrorCase{"IF 1=1 SELECT 1; ELSE SELECT 2", 156, "Incorrect syntax near the keyword 'ELSE'."},
        ErrorCase{"DECLARE @x INT SET @x = ", 102, "Incorrect syntax near '='."},
        ErrorCase{"EXEC p 1+1", 102, "Incorrect syntax near '+'."},
        ErrorCase{"SELECT * FROM t WHERE a IN ()", 102, "Incorrect syntax near ')'."},
        ErrorCase{"INSERT t VALUES", 156, "Incorrect syntax near the keyword 'VALUES'."},
        ErrorCase{"CREATE TABLE t (a INT,", 102, "Incorrect syntax near ','."},
        // syntax newer than the compatibility level, refused as SQL Server 2008 refuses it
        ErrorCase{"THROW 50000, 'x', 1", 102, "Incorrect syntax near 'THROW'."},
        ErrorCase{"SELECT a FROM t ORDER BY a OFFSET 1 ROWS", 102, "Incorrect syntax near 'OFFSET'."},
        ErrorCase{"DROP TABLE IF EXISTS t", 156, "Incorrect syntax near the keyword 'IF'."},
        ErrorCase{"CREATE OR ALTER VIEW v AS SELECT 1", 156, "Incorrect syntax near the keyword 'OR'."},
        ErrorCase{"MERGE t USING s ON 1=1 WHEN MATCHED THEN DELETE;", 156,
                  "Incorrect syntax near the keyword 'MERGE'.", 1, 90},
        ErrorCase{"SET @x += 1", 102, "Incorrect syntax near '+='.", 1, 90},
        ErrorCase{"INSERT t VALUES (1), (2)", 156, "Incorrect syntax near the keyword 'VALUES'.", 1, 90},
        // constructs the engine refuses by name
        ErrorCase{"SELECT ROW_NUMBER() OVER (ORDER BY a) FROM t", 50900,
                  "The construct 'OVER (window functions)' is not supported by this engine."},
        ErrorCase{"WAITFOR DELAY '00:00:01'", 50900,
                  "The construct 'WAITFOR' is not supported by this engine."},
        ErrorCase{"SELECT a FROM t FOR XML AUTO", 50900,
                  "The construct 'FOR XML' is not supported by this engine."},
        ErrorCase{"SELECT * FROM t PIVOT (SUM(a) FOR b IN ([1])) p", 50900,
                  "The construct 'PIVOT' is not supported by this engine."},
        ErrorCase{"INSERT t OUTPUT inserted.a VALUES (1)", 50900,
                  "The construct 'OUTPUT clause' is not supported by this engine."},
        ErrorCase{"CREATE SCHEMA s", 50900, "The construct 'CREATE SCHEMA' is not supported by this engine."},
        ErrorCase{"DECLARE @c CURSOR", 50900,
                  "The construct 'cursor variables' is not supported by this engine."}));

std::string nested(const std::string& open, const std::string& middle, const std::string& close, int depth) {
    std::string s;
    for (int i = 0; i < depth; ++i)
        s += open;
    s += middle;
    for (int i = 0; i < depth; ++i)
        s += close;
    return s;
}

TEST(Robustness, DeepNestingIsRefusedWithError191) {
    for (const std::string& sql : {
             "SELECT " + nested("(", "1", ")", 20000),
             "SELECT " + nested("- ", "1", "", 20000),
             "SELECT 1 WHERE " + nested("NOT ", "1=1", "", 20000),
             nested("IF 1=1 ", "SELECT 1", "", 5000),
             nested("BEGIN ", "SELECT 1", " END", 5000),
             "SELECT 1 WHERE a IN " + nested("(SELECT a FROM t WHERE a IN ", "(1)", ")", 2000),
             "SELECT " + nested("CASE WHEN 1=1 THEN ", "1", " END", 2000),
         }) {
        try {
            parseBatch(sql);
            ADD_FAILURE() << "no error for nesting " << sql.substr(0, 40);
        } catch (const SyntaxError& e) {
            EXPECT_EQ(e.number(), 191) << sql.substr(0, 40);
        }
    }
}

TEST(Robustness, ModerateNestingParses) {
    EXPECT_NO_THROW(parseBatch("SELECT " + nested("(", "1", ")", 30)));
    EXPECT_NO_THROW(
        parseBatch("SELECT 1 WHERE a IN " + nested("(SELECT a FROM t WHERE a IN ", "(1)", ")", 10)));
    EXPECT_NO_THROW(parseBatch(nested("IF 1=1 ", "SELECT 1", "", 30)));
}

TEST(Robustness, LongFlatExpressionsDoNotRecurse) {
    std::string sql = "SELECT 1";
    for (int i = 0; i < 20000; ++i)
        sql += "+1";
    sql += " WHERE 1=1";
    for (int i = 0; i < 20000; ++i)
        sql += " AND 1=1";
    EXPECT_NO_THROW(parseBatch(sql));
}

// Every prefix of a realistic batch either parses or raises a SyntaxError; nothing else escapes.
TEST(Robustness, EveryPrefixOfABatchFailsCleanly) {
    const std::string sql =
        "DECLARE @cmd NVARCHAR(MAX)\rBEGIN TRY\rDECLARE Trig CURSOR LOCAL FAST_FORWARD FOR SELECT N'DISABLE "
        "TRIGGER ' + [Triger] + N' ON ' + Tabulka FROM TabT WITH(TABLOCKX) WHERE x IN (SELECT name FROM "
        "sys.triggers WHERE is_disabled = 0)\rOPEN Trig\rFETCH NEXT FROM Trig INTO @cmd\rWHILE "
        "@@FETCH_STATUS = 0 "
        "BEGIN EXEC(@cmd) FETCH NEXT FROM Trig INTO @cmd END\rCLOSE Trig DEALLOCATE Trig\rEND TRY\rBEGIN "
        "CATCH\r"
        "RAISERROR(N'Chyba: ' /* x */, 16, 1) -- y\rEND CATCH\rSELECT CASE WHEN a = 1 THEN 0x1F ELSE 1.5e3 "
        "END "
        "FROM t OUTER APPLY (SELECT TOP 1 b FROM u ORDER BY b) k";
    for (std::size_t n = 0; n <= sql.size(); ++n) {
        try {
            parseBatch(sql.substr(0, n));
        } catch (const SyntaxError&) {
        }
    }
    EXPECT_NO_THROW(parseBatch(sql));
}

TEST(Robustness, RandomBytesFailCleanly) {
    std::mt19937 random(12345);
    const std::string alphabet =
        "SELECT FROM WHERE ( ) , . ; ' N[ ] @ # 0x 1.5e 'a' /* */ -- \r\n\t=<>!+-*/%^~&|";
    for (int round = 0; round < 2000; ++round) {
        std::string sql;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) {
            if (random() % 8 == 0)
                sql += static_cast<char>(random() % 256);
            else
                sql += alphabet[random() % alphabet.size()];
        }
        try {
            parseBatch(sql);
        } catch (const SyntaxError&) {
        }
    }
    SUCCEED();
}

TEST(Options, UnknownCompatibilityLevelIsRefused) {
    ParseOptions options;
    options.compatibilityLevel = 105;
    EXPECT_THROW(parseBatch("SELECT 1", options), std::invalid_argument);
}

TEST(Options, BuiltinFunctionLevels) {
    EXPECT_EQ(builtinFunctionLevel("trim"), 140);
    EXPECT_EQ(builtinFunctionLevel("CONCAT"), 110);
    EXPECT_EQ(builtinFunctionLevel("Iif"), 110);
    EXPECT_EQ(builtinFunctionLevel("TRY_CONVERT"), 110);
    EXPECT_EQ(builtinFunctionLevel("FORMAT"), 110);
    EXPECT_EQ(builtinFunctionLevel("STRING_AGG"), 140);
    EXPECT_EQ(builtinFunctionLevel("ISNULL"), std::nullopt);
    EXPECT_EQ(builtinFunctionLevel("hf_FormatError"), std::nullopt);
}

} // namespace
} // namespace tsql::testing
