#include "ParseCase.h"

namespace tsql::testing {
namespace {

class Queries : public ::testing::TestWithParam<ParseCase> {};
TEST_P(Queries, ParseToTheExpectedTree) {
    expectParse(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Parser, Queries,
    ::testing::Values(
        ParseCase{"SELECT Cislo FROM TabObecnyPrehled WHERE NazevSys=N'x'",
                  "(select (items Cislo) (from (table TabObecnyPrehled)) (where (= NazevSys N'x')))"},
        ParseCase{"SELECT ukoncit=1, 'b' = 2, c AS d, e f, g 'h'",
                  "(select (items (as 1 ukoncit) (as 2 [b]) (as c d) (as e f) (as g [h])))"},
        ParseCase{"SELECT *,CelkCasN=CelkCasS/60.0, s.*, dbo.t.* FROM t s",
                  "(select (items * (as (/ CelkCasS 60.0) CelkCasN) s.* dbo.t.*) (from (table t s)))"},
        ParseCase{"SELECT DISTINCT TOP 1 a FROM t", "(select distinct (top 1) (items a) (from (table t)))"},
        ParseCase{
            "SELECT TOP (@n) PERCENT WITH TIES a FROM t ORDER BY a",
            "(query (select (top @n percent with-ties) (items a) (from (table t))) (order-by (asc a)))"},
        ParseCase{"SELECT @a=1, @b+=2", "(select (items (set @a = 1) (set @b += 2)))"},
        ParseCase{"SELECT Pozn=@PoznV WHERE @PoznV IS NOT NULL UNION ALL SELECT N'x'",
                  "(union-all (select (items (as @PoznV Pozn)) (where (is-not-null @PoznV))) (select (items "
                  "N'x')))"},
        ParseCase{
            "SELECT 1 UNION SELECT 2 EXCEPT SELECT 3 INTERSECT SELECT 4",
            "(except (union (select (items 1)) (select (items 2))) (intersect (select (items 3)) (select "
            "(items 4))))"},
        ParseCase{"(SELECT 1) UNION (SELECT 2) ORDER BY 1 DESC",
                  "(query (union (select (items 1)) (select (items 2))) (order-by (desc 1)))"},
        ParseCase{
            "SELECT * FROM a INNER JOIN b on b.ID = a.ID LEFT JOIN c ON (c.x=a.x) LEFT OUTER JOIN d ON 1=1",
            "(select (items *) (from (left-join (left-join (inner-join (table a) (table b) (= b.ID a.ID)) "
            "(table c) (= c.x a.x)) (table d) (= 1 1))))"},
        ParseCase{
            "SELECT * FROM a JOIN b JOIN c ON c.x=b.x ON b.y=a.y",
            "(select (items *) (from (inner-join (table a) (inner-join (table b) (table c) (= c.x b.x)) (= "
            "b.y a.y))))"},
        ParseCase{
            "SELECT * FROM sysobjects,syscomments,sysobjects o2 WHERE sysobjects.id=syscomments.id",
            "(select (items *) (from (table sysobjects) (table syscomments) (table sysobjects o2)) (where (= "
            "sysobjects.id syscomments.id)))"},
        ParseCase{
            "SELECT * FROM t AS lcd OUTER APPLY (SELECT TOP 1 x FROM u ORDER BY y DESC) as kph "
            "CROSS APPLY (SELECT cislo = 1) poradi",
            "(select (items *) (from (cross-apply (outer-apply (table t lcd) (derived (query (select (top 1) "
            "(items x) (from (table u))) (order-by (desc y))) kph)) (derived (select (items (as 1 cislo))) "
            "poradi))))"},
        ParseCase{
            "SELECT * FROM a CROSS JOIN b RIGHT JOIN c ON 1=1 FULL OUTER JOIN d ON 1=1",
            "(select (items *) (from (full-join (right-join (cross-join (table a) (table b)) (table c) (= 1 "
            "1)) (table d) (= 1 1))))"},
        ParseCase{
            "SELECT VerzePluginu FROM TabPluginInfo WITH(TABLOCKX) WHERE 1=1",
            "(select (items VerzePluginu) (from (table TabPluginInfo (hints TABLOCKX))) (where (= 1 1)))"},
        ParseCase{"SELECT * FROM t x WITH (UPDLOCK, INDEX(ix1), NOLOCK)",
                  "(select (items *) (from (table t x (hints UPDLOCK INDEX(ix1) NOLOCK))))"},
        ParseCase{"SELECT * FROM @t v, #x, ##y, dbo.f(1, 'a') z",
                  "(select (items *) (from (table @t v) (table #x) (table ##y) (tvf dbo.f (args 1 'a') z)))"},
        ParseCase{"SELECT * FROM (VALUES (1, 'a'), (2, 'b')) AS v (n, s)",
                  "(select (items *) (from (values (row 1 'a') (row 2 'b') v (columns n s))))"},
        ParseCase{"SELECT * FROM (a JOIN b ON 1=1)",
                  "(select (items *) (from (inner-join (table a) (table b) (= 1 1))))"},
        ParseCase{
            "SELECT a, SUM(b) FROM t GROUP BY a HAVING SUM(b) > 0",
            "(select (items a (call SUM b)) (from (table t)) (group-by a) (having (> (call SUM b) 0)))"},
        ParseCase{"SELECT a INTO #x FROM t", "(select (items a) (into #x) (from (table t)))"},
        ParseCase{"WITH IMP (GUID, Jazyk) AS (SELECT 1, 2 UNION ALL SELECT 3, 4) SELECT * FROM IMP",
                  "(query (with (cte IMP (columns GUID Jazyk) (union-all (select (items 1 2)) (select (items "
                  "3 4)))))"
                  " (select (items *) (from (table IMP))))"},
        ParseCase{"SELECT a FROM t ORDER BY a OFFSET 10 ROWS FETCH NEXT 5 ROWS ONLY",
                  "(query (select (items a) (from (table t))) (order-by (asc a)) (offset 10) (fetch 5))",
                  110},
        ParseCase{
            "SELECT text, name, type, definition, Collation, SCOPE_IDENTITY, UP, Typ FROM t",
            "(select (items text name type definition Collation SCOPE_IDENTITY UP Typ) (from (table t)))"}));

class DataStatements : public ::testing::TestWithParam<ParseCase> {};
TEST_P(DataStatements, ParseToTheExpectedTree) {
    expectParse(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Parser, DataStatements,
    ::testing::Values(
        ParseCase{"INSERT INTO t(ID,a) VALUES(0,N'x')", "(insert t (columns ID a) (values (row 0 N'x')))"},
        ParseCase{"INSERT t(a)VALUES(1),(DEFAULT)", "(insert t (columns a) (values (row 1) (row DEFAULT)))"},
        ParseCase{"INSERT INTO t SELECT a FROM u", "(insert t (select (items a) (from (table u))))"},
        ParseCase{"INSERT t (a) (SELECT 1)", "(insert t (columns a) (select (items 1)))"},
        ParseCase{"INSERT #t DEFAULT VALUES", "(insert #t default-values)"},
        ParseCase{"INSERT @t EXEC p 1", "(insert @t (exec p 1))"},
        ParseCase{"INSERT TOP (5) INTO t WITH (TABLOCK) SELECT 1",
                  "(insert (top 5) t (hints TABLOCK) (select (items 1)))"},
        ParseCase{"Update TabCisZam_Ext\rSET a=1, t.b += 2, @v = c = 3\rWHERE ID=5",
                  "(update TabCisZam_Ext (set (= a 1) (+= t.b 2) (= @v c 3)) (where (= ID 5)))"},
        ParseCase{"UPDATE t SET a = DEFAULT FROM t JOIN u ON u.id = t.id WHERE CURRENT OF c",
                  "(update t (set (= a DEFAULT)) (from (inner-join (table t) (table u) (= u.id t.id))) "
                  "(current-of c))"},
        ParseCase{"DELETE FROM TabDefTisk WHERE LoginName=SUser_SName()",
                  "(delete TabDefTisk (where (= LoginName (call SUser_SName))))"},
        ParseCase{"DELETE KTab WHERE PomocnikProIDKolegy=1",
                  "(delete KTab (where (= PomocnikProIDKolegy 1)))"},
        ParseCase{"DELETE t FROM KTab t LEFT JOIN p ON p.ID=t.IDPrikaz WHERE p.ID is null",
                  "(delete t (from (left-join (table KTab t) (table p) (= p.ID t.IDPrikaz))) (where (is-null "
                  "p.ID)))"},
        ParseCase{"TRUNCATE TABLE TabTriggeryZakazane", "(truncate TabTriggeryZakazane)"},
        ParseCase{
            "WITH IMP (G) AS (SELECT 1) MERGE INTO TabExtHlasky AS TRG USING IMP AS SRC ON TRG.G = SRC.G "
            "WHEN MATCHED THEN UPDATE SET Hlaska = SRC.H WHEN NOT MATCHED THEN INSERT (G, H) VALUES (SRC.G, "
            "SRC.H) WHEN NOT MATCHED BY SOURCE AND TRG.X = 1 THEN DELETE;",
            "(merge (with (cte IMP (columns G) (select (items 1)))) TabExtHlasky TRG (using (table IMP SRC)) "
            "(on (= TRG.G SRC.G)) (when-matched (update (set (= Hlaska SRC.H)))) (when-not-matched (insert "
            "(columns G H) (values SRC.G SRC.H))) (when-not-matched-by-source (and (= TRG.X 1)) "
            "(delete)))"}));

class ProceduralStatements : public ::testing::TestWithParam<ParseCase> {};
TEST_P(ProceduralStatements, ParseToTheExpectedTree) {
    expectParse(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Parser, ProceduralStatements,
    ::testing::Values(
        ParseCase{
            "DECLARE @Cislo INT, @GUID BINARY(16), @M NVARCHAR(MAX), @d AS DATETIME = GETDATE()",
            "(declare (@Cislo INT) (@GUID BINARY(16)) (@M NVARCHAR(MAX)) (@d DATETIME (call GETDATE)))"},
        ParseCase{
            "DECLARE @t TABLE (ID INT IDENTITY PRIMARY KEY, n NVARCHAR(10) NULL)",
            "(declare-table @t (column ID INT (identity 1 1) (primary-key)) (column n NVARCHAR(10) null))"},
        ParseCase{"SET @Offset = @Offset - 1 SET @x += 1", "(set @Offset = (- @Offset 1)) (set @x += 1)"},
        ParseCase{"SET NOCOUNT ON SET ANSI_NULLS, QUOTED_IDENTIFIER OFF SET IDENTITY_INSERT dbo.t ON",
                  "(set-option NOCOUNT ON) (set-option ANSI_NULLS QUOTED_IDENTIFIER OFF) (set-option "
                  "IDENTITY_INSERT dbo.t ON)"},
        ParseCase{"SET TRANSACTION ISOLATION LEVEL READ COMMITTED SET DATEFORMAT dmy SET ROWCOUNT @n SET "
                  "LANGUAGE N'Czech'",
                  "(set-option TRANSACTION ISOLATION LEVEL READ COMMITTED) (set-option DATEFORMAT DMY) "
                  "(set-option ROWCOUNT @n) (set-option LANGUAGE N'Czech')"},
        ParseCase{"IF @@ROWCOUNT=0\rINSERT INTO t(a) VALUES(1)",
                  "(if (= @@ROWCOUNT 0) (insert t (columns a) (values (row 1))))"},
        ParseCase{"IF OBJECT_ID(N'x', N'P') IS NULL SELECT 0 ELSE SELECT 1",
                  "(if (is-null (call OBJECT_ID N'x' N'P')) (select (items 0)) else (select (items 1)))"},
        ParseCase{"IF a=1 IF b=2 SELECT 1 ELSE SELECT 2",
                  "(if (= a 1) (if (= b 2) (select (items 1)) else (select (items 2))))"},
        ParseCase{
            "IF(SELECT V FROM t WITH(TABLOCKX))>=5 BEGIN ROLLBACK RAISERROR(N'x', 16, 1) RETURN END",
            "(if (>= (subquery (select (items V) (from (table t (hints TABLOCKX))))) 5) (begin (rollback) "
            "(raiserror N'x' 16 1) (return)))"},
        ParseCase{"WHILE @@FETCH_STATUS = 0 BEGIN IF @i > 3 BREAK ELSE CONTINUE END",
                  "(while (= @@FETCH_STATUS 0) (begin (if (> @i 3) (break) else (continue))))"},
        ParseCase{
            "IF @@ERROR<>0 GOTO CHYBA\rCOMMIT\rRETURN\rCHYBA:\rROLLBACK\rKONEC:",
            "(if (<> @@ERROR 0) (goto CHYBA)) (commit) (return) (label CHYBA) (rollback) (label KONEC)"},
        ParseCase{"RETURN 1 RETURN (SELECT 2) RETURN -1",
                  "(return 1) (return (subquery (select (items 2)))) (return (- 1))"},
        ParseCase{"BEGIN TRY SELECT 1/0 END TRY BEGIN CATCH SELECT ERROR_NUMBER(), ERROR_MESSAGE() END CATCH",
                  "(try-catch (try (select (items (/ 1 0)))) (catch (select (items (call ERROR_NUMBER) (call "
                  "ERROR_MESSAGE)))))"},
        ParseCase{"BEGIN TRY SELECT 1 END TRY BEGIN CATCH END CATCH",
                  "(try-catch (try (select (items 1))) (catch))"},
        ParseCase{"PRINT N'x' + CAST(@i AS NVARCHAR(10))", "(print (+ N'x' (cast @i NVARCHAR(10))))"},
        ParseCase{"RaisError(N'%s: %d',16,1, @s, 5) WITH NOWAIT, LOG",
                  "(raiserror N'%s: %d' 16 1 @s 5 (with NOWAIT LOG))"},
        ParseCase{"BEGIN CATCH_X: END_X: SELECT 1 END",
                  "(begin (label CATCH_X) (label END_X) (select (items 1)))"},
        ParseCase{"THROW 50001, N'x', 1; BEGIN TRY SELECT 1 END TRY BEGIN CATCH THROW; END CATCH",
                  "(throw 50001 N'x' 1) (try-catch (try (select (items 1))) (catch (throw)))", 110},
        ParseCase{
            "BEGIN TRANSACTION BEGIN TRAN t1 COMMIT TRANSACTION COMMIT TRAN t1 COMMIT WORK ROLLBACK TRAN "
            "SAVE TRAN s1 ROLLBACK TRANSACTION s1 COMMIT",
            "(begin-tran) (begin-tran t1) (commit) (commit t1) (commit) (rollback) (save-tran s1) (rollback "
            "s1) (commit)"},
        ParseCase{"EXEC dbo.p @IDLogLCD=5,@IDZam=NULL", "(exec dbo.p (@IDLogLCD 5) (@IDZam NULL))"},
        ParseCase{"EXEC dbo.hp 12, -1, 'x', N'y', 0x01, DEFAULT, name",
                  "(exec dbo.hp 12 (- 1) 'x' N'y' 0x01 DEFAULT name)"},
        ParseCase{"EXEC @RetGMN = dbo.hp NULL, @DatPorizeni = @D",
                  "(exec @RetGMN = dbo.hp NULL (@DatPorizeni @D))"},
        ParseCase{"EXEC dbo.K @CelkCasS OUT, @IDTerm EXECUTE p @a = @b OUTPUT WITH RECOMPILE",
                  "(exec dbo.K (arg @CelkCasS out) @IDTerm) (exec p (@a @b out) with-recompile)"},
        ParseCase{"exec hp_Pred\rKONEC:", "(exec hp_Pred) (label KONEC)"},
        ParseCase{
            "EXEC(@Skript) EXEC (N'SELECT ' + @x + N' FROM t') EXEC sp_executesql N'SELECT 1'",
            "(exec-string @Skript) (exec-string N'SELECT ' @x N' FROM t') (exec sp_executesql N'SELECT 1')"},
        ParseCase{"sp_who", "(exec sp_who)"},
        ParseCase{
            "DECLARE Trig CURSOR LOCAL FAST_FORWARD\rFOR SELECT a FROM t\rOPEN Trig\rFETCH NEXT FROM Trig "
            "INTO "
            "@cmd\rCLOSE Trig\rDEALLOCATE Trig",
            "(declare-cursor Trig (options LOCAL FAST_FORWARD) (select (items a) (from (table t)))) (open "
            "Trig) (fetch next Trig (into @cmd)) (close Trig) (deallocate Trig)"},
        ParseCase{
            "DECLARE c INSENSITIVE SCROLL CURSOR FOR SELECT a FROM t FOR UPDATE OF a FETCH ABSOLUTE 2 FROM "
            "GLOBAL c FETCH c",
            "(declare-cursor c (options INSENSITIVE SCROLL) (select (items a) (from (table t))) (for-update "
            "a)) (fetch absolute 2 global c) (fetch next c)"},
        ParseCase{"USE [db]", "(use [db])"}, ParseCase{";;SELECT 1;;", "(select (items 1))"},
        ParseCase{"/* skript: x */", ""}, ParseCase{"", ""}));

TEST(Statements, RangesCoverEachStatementWithoutItsSemicolon) {
    const Batch batch = parseBatch("SELECT 1;\r  UPDATE t SET a = 1 WHERE b = 2 ;PRINT 'x'");
    ASSERT_EQ(batch.statements.size(), 3u);
    EXPECT_EQ(batch.textOf(batch.statements[0]->range), "SELECT 1");
    EXPECT_EQ(batch.textOf(batch.statements[1]->range), "UPDATE t SET a = 1 WHERE b = 2");
    EXPECT_EQ(batch.statements[1]->pos.line, 2u);
    EXPECT_EQ(batch.statements[1]->pos.column, 3u);
    EXPECT_EQ(batch.textOf(batch.statements[2]->range), "PRINT 'x'");
}

} // namespace
} // namespace tsql::testing
