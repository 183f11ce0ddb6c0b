#include "ParseCase.h"

namespace tsql::testing {
namespace {

class Definitions : public ::testing::TestWithParam<ParseCase> {};
TEST_P(Definitions, ParseToTheExpectedTree) {
    expectParse(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Parser, Definitions,
    ::testing::Values(
        ParseCase{
            "CREATE TABLE dbo.KTab(\r\nID INT IDENTITY NOT NULL,\r\n"
            "Autor NVARCHAR(128) NOT NULL CONSTRAINT DF__T__Autor DEFAULT SUSER_SNAME(),\r\n"
            "Hodnota NUMERIC(19,6) NULL DEFAULT 0.0,\r\n"
            "Poznamka255 AS (SUBSTRING([Poznamka],1,255)),\r\n"
            "CONSTRAINT PK__KTab__ID PRIMARY KEY(ID),\r\nCONSTRAINT UQ__KTab__N UNIQUE NONCLUSTERED (N "
            "DESC))",
            "(create-table dbo.KTab (column ID INT (identity 1 1) not-null) (column Autor NVARCHAR(128) "
            "not-null (default DF__T__Autor (call SUSER_SNAME))) (column Hodnota NUMERIC(19,6) null (default "
            "0.0)) (column Poznamka255 (as (call SUBSTRING [Poznamka] 1 255))) (primary-key PK__KTab__ID "
            "(columns ID)) (unique UQ__KTab__N nonclustered (columns N desc)))"},
        ParseCase{"CREATE TABLE #RestartPlease(ID INT NOT NULL)",
                  "(create-table #RestartPlease (column ID INT not-null))"},
        ParseCase{
            "CREATE TABLE #m (ID INT IDENTITY(1,1) NOT NULL, s NVARCHAR(100) COLLATE database_default NULL, "
            "b BIT DEFAULT (0), r INT CONSTRAINT FK_r REFERENCES t(ID) ON DELETE CASCADE, "
            "c INT CHECK (c > 0), u UNIQUEIDENTIFIER ROWGUIDCOL, p AS a * 2 PERSISTED)",
            "(create-table #m (column ID INT (identity 1 1) not-null) (column s NVARCHAR(100) (collate "
            "database_default) null) (column b BIT (default 0)) (column r INT (foreign-key FK_r (references "
            "t "
            "ID) on-delete cascade)) (column c INT (check (> c 0))) (column u UNIQUEIDENTIFIER rowguidcol) "
            "(column p (as (* a 2)) persisted))"},
        ParseCase{
            "CREATE TABLE t (a INT, b INT, CONSTRAINT FK_a FOREIGN KEY (a, b) REFERENCES u (x, y) ON UPDATE "
            "SET NULL NOT FOR REPLICATION, CHECK (a IN (0,1,2)))",
            "(create-table t (column a INT) (column b INT) (foreign-key FK_a (columns a b) (references u x "
            "y) "
            "on-update set-null) (check (in a (list 0 1 2))))"},
        ParseCase{
            "ALTER TABLE t ADD c INT NULL CONSTRAINT DF__t____Pom DEFAULT 0\rALTER TABLE t DROP CONSTRAINT "
            "DF__t____Pom",
            "(alter-table t (add (column c INT null (default DF__t____Pom 0)))) (alter-table t (drop "
            "(constraint DF__t____Pom)))"},
        ParseCase{"ALTER TABLE t ADD x AS a+1, CONSTRAINT PK_t PRIMARY KEY CLUSTERED (ID)",
                  "(alter-table t (add (column x (as (+ a 1))) (primary-key PK_t clustered (columns ID))))"},
        ParseCase{"ALTER TABLE t ADD CONSTRAINT DF_x DEFAULT GETDATE() FOR x",
                  "(alter-table t (add (default DF_x (call GETDATE) for x)))"},
        ParseCase{
            "ALTER TABLE KTab_P ADD CONSTRAINT FK__P__IDKP FOREIGN KEY (IDKP) REFERENCES KTab_H (ID)",
            "(alter-table KTab_P (add (foreign-key FK__P__IDKP (columns IDKP) (references KTab_H ID))))"},
        ParseCase{"ALTER TABLE t WITH CHECK ADD CONSTRAINT CK_t CHECK (a>0)",
                  "(alter-table t with-check (add (check CK_t (> a 0))))"},
        ParseCase{
            "ALTER TABLE t WITH CHECK CHECK CONSTRAINT CK_t ALTER TABLE t NOCHECK CONSTRAINT ALL",
            "(alter-table t with-check (check-constraint CK_t)) (alter-table t (nocheck-constraint all))"},
        ParseCase{"ALTER TABLE t DROP COLUMN a, CONSTRAINT b, c",
                  "(alter-table t (drop (column a) (constraint b) (constraint c)))"},
        ParseCase{"ALTER TABLE t ALTER COLUMN a NVARCHAR(30) COLLATE Czech_CI_AS NOT NULL",
                  "(alter-table t (alter-column (column a NVARCHAR(30) (collate Czech_CI_AS) not-null)))"},
        ParseCase{"ALTER TABLE t ENABLE TRIGGER tr1 ALTER TABLE t DISABLE TRIGGER ALL",
                  "(alter-table t (enable-trigger tr1)) (alter-table t (disable-trigger all))"},
        ParseCase{
            "DROP TABLE #x DROP VIEW dbo.v, w DROP PROCEDURE p DROP PROC q DROP FUNCTION f DROP TRIGGER tr",
            "(drop-table #x) (drop-view dbo.v w) (drop-procedure p) (drop-procedure q) (drop-function f) "
            "(drop-trigger tr)"},
        ParseCase{"DROP INDEX t.i1 DROP INDEX i2 ON dbo.t", "(drop-index t.i1) (drop-index i2 on dbo.t)"},
        ParseCase{"DROP TABLE IF EXISTS t", "(drop-table if-exists t)", 130},
        ParseCase{"CREATE UNIQUE NONCLUSTERED INDEX I_x ON dbo.t(a, b DESC) INCLUDE (c) WHERE a IS NOT NULL "
                  "WITH (FILLFACTOR = 80)",
                  "(create-index unique nonclustered I_x dbo.t (columns a b desc) (include c) (where "
                  "(is-not-null a)) "
                  "(with FILLFACTOR=80))"},
        ParseCase{"CREATE INDEX i ON t(a)", "(create-index i t (columns a))"},
        ParseCase{"ENABLE TRIGGER tr ON dbo.t DISABLE TRIGGER ALL ON DATABASE",
                  "(enable-trigger tr on dbo.t) (disable-trigger all on DATABASE)"},
        ParseCase{"DISABLE TRIGGER Trg1 ON TabX", "(disable-trigger Trg1 on TabX)"},
        ParseCase{"GRANT ALL ON dbo.v TO PUBLIC", "(grant (ALL) (on dbo.v) (to PUBLIC))"},
        ParseCase{"GRANT SELECT, INSERT, EXECUTE ON t TO [u1], r WITH GRANT OPTION",
                  "(grant (SELECT, INSERT, EXECUTE) (on t) (to [u1] r) with-grant-option)"},
        ParseCase{
            "GRANT VIEW DEFINITION TO u DENY DELETE ON t TO u CASCADE REVOKE GRANT OPTION FOR ALL PRIVILEGES "
            "ON t FROM u",
            "(grant (VIEW DEFINITION) (to u)) (deny (DELETE) (on t) (to u) cascade) (revoke grant-option-for "
            "(ALL) (on t) (to u))"}));

class Modules : public ::testing::TestWithParam<ParseCase> {};
TEST_P(Modules, ParseToTheExpectedTree) {
    expectParse(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Parser, Modules,
    ::testing::Values(
        ParseCase{"CREATE VIEW dbo.hvw AS\rSELECT a, s.* FROM t s",
                  "(create-view dbo.hvw (select (items a s.*) (from (table t s))))"},
        ParseCase{
            "ALTER VIEW v (x, y) WITH SCHEMABINDING AS SELECT 1, 2 WITH CHECK OPTION;",
            "(alter-view v (options SCHEMABINDING) (columns x y) (select (items 1 2)) with-check-option)"},
        ParseCase{
            "CREATE PROCEDURE dbo.KEP_X @IDZam INT = NULL, @SkCas NUMERIC(19,6) OUT, @Alt NCHAR(1) = N'A', "
            "@n INT = -1\rAS\rSET NOCOUNT ON\rIF @IDZam IS NULL RETURN 1\rRETURN 0",
            "(create-procedure dbo.KEP_X (params (@IDZam INT = NULL) (@SkCas NUMERIC(19,6) out) (@Alt "
            "NCHAR(1) "
            "= N'A') (@n INT = (- 1))) (body (set-option NOCOUNT ON) (if (is-null @IDZam) (return 1)) "
            "(return "
            "0)))"},
        ParseCase{
            "CREATE PROC p (@a INT OUTPUT) WITH RECOMPILE, EXECUTE AS OWNER AS BEGIN SELECT @a = 1 END",
            "(create-procedure p (options RECOMPILE EXECUTE AS OWNER) (params (@a INT out)) (body (begin "
            "(select (items (set @a = 1))))))"},
        ParseCase{"ALTER PROCEDURE p AS SELECT 1 GOTO K K:",
                  "(alter-procedure p (body (select (items 1)) (goto K) (label K)))"},
        ParseCase{
            "CREATE FUNCTION dbo.hf_FormatError(@ErrID INT, @p NVARCHAR(255))\rRETURNS NVARCHAR(4000)\rAS\r"
            "BEGIN\rRETURN N'x' + @p\rEND",
            "(create-function dbo.hf_FormatError (params (@ErrID INT) (@p NVARCHAR(255))) (returns "
            "NVARCHAR(4000)) (body (return (+ N'x' @p))))"},
        ParseCase{
            "CREATE FUNCTION f() RETURNS INT WITH SCHEMABINDING BEGIN DECLARE @x INT SET @x = 1 RETURN @x "
            "END",
            "(create-function f (options SCHEMABINDING) (returns INT) (body (declare (@x INT)) (set @x = 1) "
            "(return @x)))"},
        ParseCase{"CREATE FUNCTION f(@a INT) RETURNS TABLE AS RETURN (SELECT @a AS a)",
                  "(create-function f (params (@a INT)) (returns-table (select (items (as @a a)))))"},
        ParseCase{
            "CREATE FUNCTION f() RETURNS @r TABLE (a INT) AS BEGIN INSERT @r VALUES (1) RETURN END",
            "(create-function f (returns @r (column a INT)) (body (insert @r (values (row 1))) (return)))"},
        ParseCase{
            "CREATE TRIGGER tr ON dbo.t AFTER INSERT, UPDATE AS\rIF @@ROWCOUNT = 0 RETURN\rUPDATE t SET a=1",
            "(create-trigger tr on dbo.t after INSERT UPDATE (body (if (= @@ROWCOUNT 0) (return)) (update t "
            "(set (= a 1)))))"},
        ParseCase{"ALTER TRIGGER tr ON t INSTEAD OF DELETE AS SELECT 1",
                  "(alter-trigger tr on t instead-of DELETE (body (select (items 1))))"},
        ParseCase{"CREATE OR ALTER VIEW v AS SELECT 1", "(create-or-alter-view v (select (items 1)))", 130}));

TEST(Modules, KeepTheExactSourceRangeOfTheModule) {
    const std::string sql = "/* lead */\r\nCREATE PROCEDURE dbo.p\rAS\r-- c\rSELECT 1\r/* tail */ ";
    const Batch batch = parseBatch(sql);
    const auto& proc = batch.statements.at(0)->as<CreateProcedureStmt>();
    EXPECT_EQ(batch.textOf(proc.header.moduleRange), "CREATE PROCEDURE dbo.p\rAS\r-- c\rSELECT 1");
    EXPECT_FALSE(proc.header.alter);

    const Batch view = parseBatch("ALTER VIEW v AS SELECT a FROM t;");
    const auto& v = view.statements.at(0)->as<CreateViewStmt>();
    EXPECT_TRUE(v.header.alter);
    EXPECT_EQ(view.textOf(v.header.moduleRange), "ALTER VIEW v AS SELECT a FROM t");
}

} // namespace
} // namespace tsql::testing
