#include "ParseCase.h"

namespace tsql::testing {
namespace {

class Expressions : public ::testing::TestWithParam<ParseCase> {};
TEST_P(Expressions, ParseToTheExpectedTree) {
    expectParse(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Parser, Expressions,
    ::testing::Values(
        // literals of every kind, kept as written
        ParseCase{"SELECT N'a''b', 'x', 12, 60.0, 1.5E3, 0x1F, $2.5, NULL",
                  "(select (items N'a''b' 'x' 12 60.0 1.5E3 0x1F $2.5 NULL))"},
        ParseCase{"SELECT -1, - -2, ~3, +4", "(select (items (- 1) (- (- 2)) (~ 3) (+ 4)))"},
        // precedence: * binds tighter than +, + - & | ^ share a level and go left to right
        ParseCase{"SELECT 1+2*3-4", "(select (items (- (+ 1 (* 2 3)) 4)))"},
        ParseCase{"SELECT a&b|c^d", "(select (items (^ (| (& a b) c) d)))"},
        ParseCase{"SELECT prp.Kusy_Zive*prp.TAC_S/(60.0*prp.DavkaTPV_VO)",
                  "(select (items (/ (* prp.Kusy_Zive prp.TAC_S) (* 60.0 prp.DavkaTPV_VO))))"},
        ParseCase{"SELECT ''''+@NazevSys+''''", "(select (items (+ (+ '''' @NazevSys) '''')))"},
        // names
        ParseCase{"SELECT [db]..TabUserCfg.x, sys.objects.name, a.b.c.d",
                  "(select (items [db]..TabUserCfg.x sys.objects.name a.b.c.d))"},
        ParseCase{"SELECT @@ROWCOUNT, @v", "(select (items @@ROWCOUNT @v))"},
        // functions, including reserved words that are functions
        ParseCase{"SELECT getdate(), SUser_SName(), dbo.hf_FormatError(@ErrID, '')",
                  "(select (items (call getdate) (call SUser_SName) (call dbo.hf_FormatError @ErrID '')))"},
        ParseCase{
            "SELECT COUNT(*), COUNT(DISTINCT a), COALESCE(a,b,0), NULLIF(a,0), LEFT(s,2), RIGHT(s,1)",
            "(select (items (call COUNT *) (call COUNT distinct a) (call COALESCE a b 0) (call NULLIF a 0) "
            "(call LEFT s 2) (call RIGHT s 1)))"},
        ParseCase{"SELECT CURRENT_TIMESTAMP, USER",
                  "(select (items (niladic CURRENT_TIMESTAMP) (niladic USER)))"},
        ParseCase{"SELECT DATEDIFF(MINUTE, @d, GetDate()), DATEPART(day, DatumPor)",
                  "(select (items (call DATEDIFF MINUTE @d (call GetDate)) (call DATEPART day DatumPor)))"},
        ParseCase{"SELECT TRIM(x), CONCAT(a, b), IIF(a = 1, 2, 3)",
                  "(select (items (call TRIM x) (call CONCAT a b) (call IIF (= a 1) 2 3)))"},
        // casts
        ParseCase{
            "SELECT CAST(CAST(GUID AS UNIQUEIDENTIFIER) AS NVARCHAR(36)), convert(nvarchar, cz.Cislo)",
            "(select (items (cast (cast GUID UNIQUEIDENTIFIER) NVARCHAR(36)) (convert nvarchar cz.Cislo)))"},
        ParseCase{
            "SELECT CONVERT(varchar(10), d, 104), CAST(x AS NUMERIC(19,6)), CAST(t AS nvarchar(max))",
            "(select (items (convert varchar(10) d 104) (cast x NUMERIC(19,6)) (cast t nvarchar(MAX))))"},
        ParseCase{"SELECT TRY_CONVERT(int, x), TRY_CAST(x AS int)",
                  "(select (items (try_convert int x) (try_cast x int)))", 110},
        // CASE both forms, with and without ELSE
        ParseCase{"SELECT CASE X.A WHEN 10 THEN 1 WHEN 30 then 2 END",
                  "(select (items (case X.A (when 10 1) (when 30 2))))"},
        ParseCase{"SELECT CASE WHEN ISNULL(IDKolegy,-1)<0 THEN 0 ELSE 1 END",
                  "(select (items (case (when (< (call ISNULL IDKolegy (- 1)) 0) 0) (else 1))))"},
        // predicates
        ParseCase{"SELECT 1 WHERE a=1 AND b<>2 OR NOT c>=3",
                  "(select (items 1) (where (or (and (= a 1) (<> b 2)) (not (>= c 3)))))"},
        ParseCase{"SELECT 1 WHERE a != b AND a !< b AND a !> b",
                  "(select (items 1) (where (and (and (<> a b) (!< a b)) (!> a b))))"},
        ParseCase{"SELECT 1 WHERE (p.ID is null or PrP.ID is not null)",
                  "(select (items 1) (where (or (is-null p.ID) (is-not-null PrP.ID))))"},
        ParseCase{"SELECT 1 WHERE name LIKE N'I%' AND n NOT LIKE 'a!%' ESCAPE '!'",
                  "(select (items 1) (where (and (like name N'I%') (not-like n 'a!%' escape '!'))))"},
        ParseCase{"SELECT 1 WHERE x BETWEEN 1 AND 2 AND y NOT BETWEEN a+1 AND b",
                  "(select (items 1) (where (and (between x 1 2) (not-between y (+ a 1) b))))"},
        ParseCase{
            "SELECT 1 WHERE Akce in (20,30) AND Soudek NOT IN(SELECT Soudek FROM TabSoudky)",
            "(select (items 1) (where (and (in Akce (list 20 30)) (not-in Soudek (select (items Soudek) "
            "(from (table TabSoudky)))))))"},
        ParseCase{"SELECT 1 WHERE NOT EXISTS(SELECT * FROM t) AND x > ALL (SELECT y FROM u)",
                  "(select (items 1) (where (and (not (exists (select (items *) (from (table t))))) (> all x "
                  "(select (items y) (from (table u)))))))"},
        ParseCase{"SELECT 1 WHERE (a) = (b) AND ((c = d))",
                  "(select (items 1) (where (and (= a b) (= c d))))"},
        ParseCase{
            "SELECT ID=isnull((select max(k.id)+1 from t k),1)",
            "(select (items (as (call isnull (subquery (select (items (+ (call max k.id) 1)) (from (table t "
            "k)))) 1) ID)))"},
        ParseCase{"SELECT a COLLATE Czech_CI_AS + b", "(select (items (+ (collate a Czech_CI_AS) b)))"}));

TEST(Expressions, LikeAfterValueInWhereIsAPredicate) {
    EXPECT_EQ(printed("SELECT 1 WHERE kz.RegCis like ph.Prefix+'%'"),
              "(select (items 1) (where (like kz.RegCis (+ ph.Prefix '%'))))");
}

TEST(Expressions, EveryNodeKnowsItsSourceRange) {
    const std::string sql = "SELECT a + b * 2 FROM t\rWHERE x = N'y'";
    const Batch batch = parseBatch(sql);
    const auto& selectSpec = *batch.statements[0]->as<SelectStmt>().query->body->selectSpec;
    const Expr& item = *selectSpec.items[0].expr;
    EXPECT_EQ(batch.textOf(item.range), "a + b * 2");
    EXPECT_EQ(batch.textOf(item.as<BinaryExpr>().right->range), "b * 2");
    EXPECT_EQ(batch.textOf(selectSpec.where->range), "x = N'y'");
    EXPECT_EQ(selectSpec.where->pos.line, 2u);
    EXPECT_EQ(selectSpec.where->pos.column, 7u);
    EXPECT_EQ(selectSpec.where->as<ComparisonExpr>().right->pos.column, 11u);
}

} // namespace
} // namespace tsql::testing
