#include "definitions/SchemaVerification.h"
#include "definitions/Constraints.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace provozmat;

namespace {

constexpr std::int32_t kServer2019 = 0x0F000000;
constexpr std::int32_t kServer2022 = 0x10000000;

// One small table with a key, a default, a check, a foreign key, a computed column and an index.
TplgDefinice jednaTabulka() {
    TplgTabulkaDef t;
    t.SelfIdent = t_LCDKonfigurace;
    t.JmenoSys = QStringLiteral("T");
    t.Atributy = {
        {.JmenoSys = "ID", .Typ = taIdentity, .Null = nNOTNULL, .PK_UQ = puPrimaryKey},
        {.JmenoSys = "Nazev", .Typ = taNVarChar, .Delka = 100, .Null = nNULL},
        {.JmenoSys = "Typ", .Typ = taSmallInt, .Null = nNOTNULL, .ServerDEFAULT = "0", .CHECK = "IN (0,1,2)"},
        {.JmenoSys = "IDRodic", .Typ = taInt, .Null = nNULL, .ForeignKey = "R(ID)"},
        {.JmenoSys = "Dvojnasobek", .Typ = taInt, .Pocitany = "(Typ*2)", .Null = nNULL},
        {.JmenoSys = "Pohled", .Typ = taInt, .Null = nNULL, .DalsiVlastnosti = kAtrJenVPohledu},
    };
    t.Constraints = {{.JmenoSys = "IX__T__Nazev", .Typ = coIndex, .Atributy = "Nazev"}};
    odvodConstrainty(t);
    TplgDefinice d;
    d.tabulky.resize(2);
    d.tabulky[1] = std::move(t);
    return d;
}

DbSloupec sloupec(const char* jmeno, const char* typ, bool nullable, const char* presnost = "0",
                  const char* pocitany = "") {
    return DbSloupec{.jmeno = jmeno,
                     .typ = typ,
                     .identity = false,
                     .nullable = nullable,
                     .presnost = presnost,
                     .numPresnost = "0",
                     .scale = "0",
                     .pocitany = pocitany};
}

// The table as the catalogue holds it when nothing has drifted.
std::vector<DbSloupec> shodneSloupce() {
    auto id = sloupec("ID", "int", false);
    id.identity = true;
    return {id, sloupec("Nazev", "nvarchar", true, "100"), sloupec("Typ", "smallint", false),
            sloupec("IDRodic", "int", true), sloupec("Dvojnasobek", "int", true, "0", "([Typ]*(2))")};
}

class Overeni : public ::testing::Test {
protected:
    Overeni() { tx.setTestDB(QStringLiteral("Db"), {1}); }

    void sloupce(const std::vector<DbSloupec>& radky) {
        tx.SetTabulka(1);
        for (const auto& r : radky)
            tx.Kontrola(r);
        tx.SetTabulka(0);
    }

    TplgDefinice d = jednaTabulka();
    Tx tx{d, kServer2019};
};

TEST(ZmenySchematuTest, PositionsKeepDropsFirstAndComputedColumnsLast) {
    ZmenySchematu z;
    z.pridejKTabulce("T", "a", "x", "bezny1", PoradiPrikazu::Bezne);
    z.pridejKTabulce("T", "b", "x", "konec1", PoradiPrikazu::Konec);
    z.pridejKTabulce("T", "c", "x", "odebrani1", PoradiPrikazu::Odebrani);
    z.pridejKTabulce("T", "d", "x", "zacatek1", PoradiPrikazu::Zacatek);
    z.pridejKTabulce("T", "e", "x", "bezny2", PoradiPrikazu::Bezne);
    z.pridejKTabulce("T", "f", "x", "odebrani2", PoradiPrikazu::Odebrani);
    z.pridejKTabulce("T", "g", "x", "zacatek2", PoradiPrikazu::Zacatek);
    z.pridejKTabulce("T", "h", "x", "konec2", PoradiPrikazu::Konec);
    EXPECT_EQ(z.prikazy(), QStringList({"zacatek2", "zacatek1", "odebrani2", "odebrani1", "bezny1", "bezny2",
                                        "konec1", "konec2"}));
    ASSERT_EQ(z.tabulky().size(), 1u);
    EXPECT_EQ(z.tabulky()[0].objekty.size(), 8u);
}

TEST(ZmenySchematuTest, OneDescriptionCollectsItsStatementsAndEmptyOnesStay) {
    ZmenySchematu z;
    z.pridejKTabulce("T", "C", "popis", "a", PoradiPrikazu::Bezne);
    z.pridejKTabulce("t", "c", "POPIS", "b", PoradiPrikazu::Bezne);
    z.pridejKTabulce("T", "C", "jiny", "", PoradiPrikazu::Bezne);
    ASSERT_EQ(z.tabulky().size(), 1u);
    const auto& zmeny = z.tabulky()[0].objekty.at(0).zmeny;
    ASSERT_EQ(zmeny.size(), 2u);
    EXPECT_EQ(zmeny[0].prikazy, QStringList({"a", "b"}));
    EXPECT_EQ(zmeny[1].prikazy, QStringList({""}));
    EXPECT_EQ(z.prikazy().size(), 3);
}

TEST(ZmenySchematuTest, SeveralDatabasesWrapEveryStatement) {
    ZmenySchematu z;
    z.setDatabaze("My]Db");
    z.pridejKTabulce("T", "C", "x", "ALTER TABLE T ADD C NVARCHAR(1) NOT NULL DEFAULT 'a'",
                     PoradiPrikazu::Bezne);
    z.pridejKModulu("DBO.P", "x", "GRANT ALL ON DBO.P TO PUBLIC");
    EXPECT_EQ(z.prikazy(),
              QStringList({"USE [My]]Db]\rEXEC(N'ALTER TABLE T ADD C NVARCHAR(1) NOT NULL DEFAULT ''a''')",
                           "USE [My]]Db]\rEXEC(N'GRANT ALL ON DBO.P TO PUBLIC')"}));
}

// A catalogue text, a definition text, the server version and whether they say the same.
struct PorovnaniTextu {
    const char* db;
    const char* definice;
    std::int32_t verze;
    bool stejne;
};

TEST(SchemaTextTest, ExpressionsCompareWithoutBlanksBracketsParenthesesAndCase) {
    const PorovnaniTextu pripady[] = {
        {"(datepart(day,[DatumPor]))", "DATEPART(DAY, DatumPor)", kServer2019, true},
        {"([a] IS NOT DISTINCT FROM NULL)", "a IS NULL", kServer2022, true},
        {"([a] IS DISTINCT FROM NULL)", "a IS NOT NULL", kServer2022, true},
        {"([a] IS NOT DISTINCT FROM NULL)", "a IS NULL", kServer2019, false},
        {"(round([a],(2),0))", "ROUND(a,2)", kServer2022, true},
        {"([a]+(1))", "a+2", kServer2019, false},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(stejneVyrazy(p.db, p.definice, p.verze), p.stejne) << p.db << " / " << p.definice;
}

TEST(SchemaTextTest, ChecksCompareAsTheCatalogueRewritesThem) {
    const PorovnaniTextu pripady[] = {
        {"([Typ]=(0) OR [Typ]=(1) OR [Typ]=(2))", "Typ IN (0,1,2)", kServer2019, true},
        {"([Typ]=(2) OR [Typ]=(0) OR [Typ]=(1))", "Typ IN(0, 1, 2)", kServer2019, true},
        {"([Typ] = (0) OR [Typ] = (1) OR [Typ] = (2))", "Typ IN (0,1,2)", 0x08000000, true},
        {"([Typ]=(0) OR [Typ]=(1) OR [Typ]=(2) OR [Typ]=(3))", "Typ IN (0,1,2)", kServer2019, false},
        {"([Typ]=(0) OR [Typ]=(1))", "Typ IN (0,1,2)", kServer2019, false},
        {"([Typ]>=(1) AND [Typ]<=(5))", "Typ BETWEEN 1 AND 5", kServer2019, true},
        {"([Typ]>=(1) AND [Typ]<=(6))", "Typ BETWEEN 1 AND 5", kServer2019, false},
        {"([Typ]>(0))", "Typ > 0", kServer2019, true},
        {"([Typ]<>(0))", "Typ > 0", kServer2019, false},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(stejnyCheck(p.db, p.definice, "Typ", p.verze), p.stejne) << p.db << " / " << p.definice;
}

TEST(SchemaTextTest, ConstraintNamesAndTypeTextsReadBack) {
    const auto j = rozeberJmenoConstraintu("uq__Tab__A__B");
    EXPECT_EQ(j.druh, "UQ");
    EXPECT_EQ(j.tabulka, "Tab");
    EXPECT_EQ(j.atributy, "A,B");
    EXPECT_EQ(textTypuDb(sloupec("C", "nvarchar", true, "-1")), "NVARCHAR(MAX) NULL");
    auto n = sloupec("C", "numeric", false);
    n.numPresnost = "19";
    n.scale = "6";
    EXPECT_EQ(textTypuDb(n), "NUMERIC(19,6) NOT NULL");
}

TEST_F(Overeni, TableInLineFilesNothing) {
    sloupce(shodneSloupce());
    tx.KontrolujOmezeni_PK_UQ({{"PK__T__ID", {.Vyraz = "", .Blokovano = 0, .VlastniTabulka = "T"}}});
    tx.KontrolujDefaultyChecky(
        {{"DF__T__Typ", {.Vyraz = "((0))", .Blokovano = 0, .VlastniTabulka = "T"}},
         {"CK__T__Typ",
          {.Vyraz = "([Typ]=(0) OR [Typ]=(1) OR [Typ]=(2))", .Blokovano = 0, .VlastniTabulka = "T"}}});
    tx.KontrolujOmezeni_FK(
        {{"FK__T__IDRodic", {.Tabulka = "R", .Atributy = "ID", .Blokovano = 0, .VlastniTabulka = "T"}}});
    tx.KontrolujIndex({{"T", {.Jmeno = "IX__T__Nazev", .Atributy = "Nazev"}},
                       {"T", {.Jmeno = "IX_Vlastni", .Atributy = "Typ"}}});
    EXPECT_TRUE(tx.XSL().isEmpty()) << tx.XSL().join("\n").toStdString();
    bool zeptal = false;
    EXPECT_TRUE(tx.Konec([&](const ZmenySchematu&) { return zeptal = true; }));
    EXPECT_FALSE(zeptal);
}

// Drifts made by hand and the statements that repair them.
TEST_F(Overeni, ColumnDrifts) {
    struct Pripad {
        const char* popis;
        std::function<void(std::vector<DbSloupec>&)> zmena;
        QStringList prikazy;
    };
    const std::vector<Pripad> pripady = {
        {"changed length",
         [](auto& s) { s[1].presnost = "50"; },
         {"ALTER TABLE T ALTER COLUMN Nazev NVARCHAR(100) NULL"}},
        {"surplus column",
         [](auto& s) { s.push_back(sloupec("Navic", "int", true)); },
         {"ALTER TABLE T DROP COLUMN Navic"}},
        {"missing NOT NULL column with a default",
         [](auto& s) { s.erase(s.begin() + 2); },
         {"ALTER TABLE T ADD Typ SMALLINT NOT NULL CONSTRAINT DF__T__Typ DEFAULT 0"}},
        {"missing identity column",
         [](auto& s) { s.erase(s.begin()); },
         {"ALTER TABLE T ADD ID INT IDENTITY(1,1) NOT NULL"}},
        {"missing computed column",
         [](auto& s) { s.pop_back(); },
         {"ALTER TABLE T ADD Dvojnasobek AS (Typ*2)"}},
        {"computed expression changed",
         [](auto& s) { s[4].pocitany = "([Typ]*(3))"; },
         {"ALTER TABLE T DROP COLUMN Dvojnasobek", "ALTER TABLE T ADD Dvojnasobek AS (Typ*2)",
          "/* ALTER TABLE T ADD Dvojnasobek AS ([Typ]*(3)) */"}},
        {"computed in the database, ordinary in the definitions",
         [](auto& s) { s[3].pocitany = "([Typ]+(1))"; },
         {"ALTER TABLE T DROP COLUMN IDRodic", "ALTER TABLE T ADD IDRodic INT NULL"}},
    };
    for (const auto& p : pripady) {
        Tx t{d, kServer2019};
        t.setTestDB("Db", {1});
        auto radky = shodneSloupce();
        p.zmena(radky);
        t.SetTabulka(1);
        for (const auto& r : radky)
            t.Kontrola(r);
        t.SetTabulka(0);
        EXPECT_EQ(t.XSL(), p.prikazy) << p.popis << ": " << t.XSL().join(" | ").toStdString();
    }
}

TEST_F(Overeni, ChangedLengthIsDescribedFromDatabaseToDefinition) {
    auto radky = shodneSloupce();
    radky[1].presnost = "50";
    sloupce(radky);
    ASSERT_EQ(tx.zmeny().tabulky().size(), 1u);
    const auto& objekt = tx.zmeny().tabulky()[0].objekty.at(0);
    EXPECT_EQ(objekt.jmeno, "Nazev");
    EXPECT_EQ(objekt.zmeny.at(0).popis, "NVARCHAR(50) NULL -> NVARCHAR(100) NULL");
}

TEST(OvereniSloupcu, MissingNotNullColumnsWithoutDefaultGetATemporaryOne) {
    TplgTabulkaDef t;
    t.JmenoSys = "T";
    t.Atributy = {{.JmenoSys = "C", .Typ = taInt, .Null = nNOTNULL},
                  {.JmenoSys = "N", .Typ = taNVarChar, .Delka = 10, .Null = nNOTNULL},
                  {.JmenoSys = "D", .Typ = taDateTime, .Null = nNOTNULL}};
    TplgDefinice d;
    d.tabulky.resize(2);
    d.tabulky[1] = t;
    Tx tx{d, kServer2019};
    tx.setTestDB("Db", {1});
    tx.SetTabulka(1);
    tx.SetTabulka(0);
    EXPECT_EQ(tx.XSL(),
              QStringList({"ALTER TABLE T ADD C INT NOT NULL CONSTRAINT DF__T____OrvianPom DEFAULT 0\r"
                           "ALTER TABLE T DROP CONSTRAINT DF__T____OrvianPom",
                           "ALTER TABLE T ADD N NVARCHAR(10) NOT NULL CONSTRAINT DF__T____OrvianPom "
                           "DEFAULT ''\rALTER TABLE T DROP CONSTRAINT DF__T____OrvianPom",
                           "ALTER TABLE T ADD D DATETIME NOT NULL"}));
}

TEST_F(Overeni, ConstraintDrifts) {
    const TPomConstraintObject t{.Vyraz = "", .Blokovano = 0, .VlastniTabulka = "T"};
    const auto check = [](const char* vyraz, int vypnuto = 0) {
        return TPomConstraintObject{.Vyraz = vyraz, .Blokovano = vypnuto, .VlastniTabulka = "T"};
    };
    const char* ck = "([Typ]=(0) OR [Typ]=(1) OR [Typ]=(2))";
    struct Pripad {
        const char* popis;
        PojmenovaneRadky<TPomConstraintObject> db;
        QStringList prikazy;
    };
    const std::vector<Pripad> pripady = {
        {"dropped default",
         {{"CK__T__Typ", check(ck)}},
         {"ALTER TABLE T ADD CONSTRAINT DF__T__Typ DEFAULT 0 FOR Typ"}},
        {"changed default",
         {{"DF__T__Typ", check("((1))")}, {"CK__T__Typ", check(ck)}},
         {"ALTER TABLE T DROP CONSTRAINT DF__T__Typ \rALTER TABLE T ADD CONSTRAINT DF__T__Typ DEFAULT 0 FOR "
          "Typ",
          "/* ALTER TABLE T ADD CONSTRAINT DF__T__Typ DEFAULT ((1)) FOR Typ */"}},
        {"check with a fourth value",
         {{"DF__T__Typ", check("((0))")},
          {"CK__T__Typ", check("([Typ]=(0) OR [Typ]=(1) OR [Typ]=(2) OR [Typ]=(3))")}},
         {"ALTER TABLE T DROP CONSTRAINT CK__T__Typ \rALTER TABLE T ADD CONSTRAINT CK__T__Typ CHECK (Typ IN "
          "(0,1,2))",
          "/* ALTER TABLE T ADD CONSTRAINT CK__T__Typ CHECK (([Typ]=(0) OR [Typ]=(1) OR [Typ]=(2) OR "
          "[Typ]=(3))) */"}},
        {"disabled check",
         {{"DF__T__Typ", check("((0))")}, {"CK__T__Typ", check(ck, 1)}},
         {"ALTER TABLE T WITH CHECK CHECK CONSTRAINT CK__T__Typ"}},
        {"surplus check",
         {{"CK__T__Navic", check("([a]>(0))")}, {"DF__T__Typ", check("((0))")}, {"CK__T__Typ", check(ck)}},
         {"ALTER TABLE T DROP CONSTRAINT CK__T__Navic"}},
    };
    for (const auto& p : pripady) {
        Tx x{d, kServer2019};
        x.setTestDB("Db", {1});
        x.KontrolujDefaultyChecky(p.db);
        EXPECT_EQ(x.XSL(), p.prikazy) << p.popis << ": " << x.XSL().join(" | ").toStdString();
    }
    Tx klice{d, kServer2019};
    klice.setTestDB("Db", {1});
    klice.KontrolujOmezeni_PK_UQ({{"UQ__T__Nazev", t}});
    EXPECT_EQ(klice.XSL(), QStringList({"ALTER TABLE T DROP CONSTRAINT UQ__T__Nazev",
                                        "ALTER TABLE T ADD CONSTRAINT PK__T__ID PRIMARY KEY (ID)"}));
}

TEST_F(Overeni, DefaultCreatedWithItsColumnIsNotAddedAgain) {
    auto radky = shodneSloupce();
    radky.erase(radky.begin() + 2);
    sloupce(radky);
    tx.KontrolujDefaultyChecky(
        {{"CK__T__Typ",
          {.Vyraz = "([Typ]=(0) OR [Typ]=(1) OR [Typ]=(2))", .Blokovano = 0, .VlastniTabulka = "T"}}});
    EXPECT_EQ(tx.XSL(),
              QStringList({"ALTER TABLE T ADD Typ SMALLINT NOT NULL CONSTRAINT DF__T__Typ DEFAULT 0"}));
}

TEST_F(Overeni, ForeignKeyDrifts) {
    struct Pripad {
        const char* popis;
        PojmenovaneRadky<TPomConstraintFKObject> db;
        QStringList prikazy;
    };
    const auto fk = [](const char* tabulka, const char* sloupce, int vypnuto = 0) {
        return TPomConstraintFKObject{
            .Tabulka = tabulka, .Atributy = sloupce, .Blokovano = vypnuto, .VlastniTabulka = "T"};
    };
    const std::vector<Pripad> pripady = {
        {"missing",
         {},
         {"ALTER TABLE T ADD CONSTRAINT FK__T__IDRodic FOREIGN KEY (IDRodic) REFERENCES R (ID)"}},
        {"disabled",
         {{"FK__T__IDRodic", fk("R", "ID", 1)}},
         {"ALTER TABLE T WITH CHECK CHECK CONSTRAINT FK__T__IDRodic"}},
        {"other referenced table",
         {{"FK__T__IDRodic", fk("Q", "ID")}},
         {"ALTER TABLE T DROP CONSTRAINT FK__T__IDRodic",
          "ALTER TABLE T ADD CONSTRAINT FK__T__IDRodic FOREIGN KEY (IDRodic) REFERENCES R (ID)"}},
    };
    for (const auto& p : pripady) {
        Tx x{d, kServer2019};
        x.setTestDB("Db", {1});
        x.KontrolujOmezeni_FK(p.db);
        EXPECT_EQ(x.XSL(), p.prikazy) << p.popis << ": " << x.XSL().join(" | ").toStdString();
    }
}

TEST(OvereniCizichKlicu, ReferencedColumnsInAnotherOrderAreEqual) {
    TplgTabulkaDef t;
    t.JmenoSys = "T";
    t.Constraints = {{.JmenoSys = "FK__T__A__B",
                      .Typ = coForeignKey,
                      .VlastniAtributy = "A,B",
                      .CiziTabulka = "R",
                      .CiziAtributy = "X, Y"}};
    t.BylInitConstraints = true;
    TplgDefinice d;
    d.tabulky.resize(2);
    d.tabulky[1] = t;
    Tx tx{d, kServer2019};
    tx.setTestDB("Db", {1});
    tx.KontrolujOmezeni_FK(
        {{"FK__T__A__B", {.Tabulka = "R", .Atributy = "Y,X", .Blokovano = 0, .VlastniTabulka = "T"}}});
    EXPECT_TRUE(tx.XSL().isEmpty());
}

TEST_F(Overeni, IndexDrifts) {
    struct Pripad {
        const char* popis;
        PojmenovaneRadky<TIndexKontrola> db;
        QStringList prikazy;
    };
    const std::vector<Pripad> pripady = {
        {"missing", {}, {"CREATE NONCLUSTERED INDEX IX__T__Nazev ON T(Nazev) "}},
        {"renamed",
         {{"T", {.Jmeno = "IX_Stary", .Atributy = "NAZEV"}}},
         {"EXEC sp_rename N'T.IX_Stary', N'IX__T__Nazev', 'INDEX' "}},
        {"clustered",
         {{"T", {.Jmeno = "IX__T__Nazev", .Atributy = "Nazev", .Clustered = true}}},
         {"DROP INDEX T.IX__T__Nazev\rCREATE NONCLUSTERED INDEX IX__T__Nazev ON T(Nazev) "}},
        {"other table's and own unnamed indexes stay",
         {{"A", {.Jmeno = "IX_A", .Atributy = "Nazev"}},
          {"T", {.Jmeno = "IX_Jiny", .Atributy = "Typ"}},
          {"T", {.Jmeno = "IX__T__Nazev", .Atributy = "Nazev"}}},
         {}},
    };
    for (const auto& p : pripady) {
        Tx x{d, kServer2019};
        x.setTestDB("Db", {1});
        x.KontrolujIndex(p.db);
        EXPECT_EQ(x.XSL(), p.prikazy) << p.popis << ": " << x.XSL().join(" | ").toStdString();
    }
}

TEST(OvereniTriggeru, MissingChangedDisabledAndSurplus) {
    TplgDefinice d = jednaTabulka();
    const QString text = "CREATE TRIGGER dbo.[tr_T] ON [T] FOR INSERT AS\rSET NOCOUNT ON";
    EXPECT_EQ(klicTriggeru(text), "TTR_T");
    struct Pripad {
        const char* popis;
        std::vector<DbTrigger> db;
        QStringList prikazy;
    };
    const std::vector<Pripad> pripady = {
        {"missing", {}, {text}},
        {"same apart from trailing blanks", {{"Ttr_T", "-- x\r\n" + text + " \r\n", false, "tr_T"}}, {}},
        {"changed and disabled",
         {{"Ttr_T", "CREATE TRIGGER tr_T ON T FOR INSERT AS\rSELECT 1", true, "tr_T"}},
         {"ALTER TABLE T ENABLE TRIGGER tr_T",
          "ALTER TRIGGER dbo.[tr_T] ON [T] FOR INSERT AS\rSET NOCOUNT ON"}},
        {"surplus",
         {{"Ttr_T", text, false, "tr_T"},
          {"TTR_VIC", "CREATE TRIGGER tr_Vic ON T FOR DELETE AS SELECT 1", false, "tr_Vic"}},
         {"DROP TRIGGER tr_Vic"}},
    };
    for (const auto& p : pripady) {
        Tx x{d, kServer2019};
        x.setTestDB("Db", {1});
        x.KontrolujTriggers(p.db, {text});
        EXPECT_EQ(x.XSL(), p.prikazy) << p.popis << ": " << x.XSL().join(" | ").toStdString();
    }
    Tx x{d, kServer2019};
    x.setTestDB("Db", {1});
    EXPECT_ANY_THROW(x.KontrolujTriggers({}, {"CREATE TRIGGER et_T ON T FOR INSERT AS SELECT 1"}));
}

TEST(OvereniProcedur, MissingAndChangedTexts) {
    const auto def = definiceModulu("CREATE PROCEDURE [ep_Pokus] @a INT\rAS\rSELECT @a", false);
    EXPECT_EQ(def.klic, "DBO.EP_POKUS");
    EXPECT_EQ(def.jmeno, "ep_Pokus");
    EXPECT_EQ(def.text, "CREATE PROCEDURE dbo.[ep_Pokus] @a INT\rAS\rSELECT @a");
    const auto fn =
        definiceModulu("CREATE FUNCTION dbo.ef_Dvakrat (@a INT) RETURNS INT AS BEGIN RETURN 2*@a END", true);
    EXPECT_EQ(fn.klic, "DBO.EF_DVAKRAT");

    TplgDefinice d;
    Tx chybi{d, kServer2019};
    chybi.KontrolujUlozeneProcedury({}, {def});
    EXPECT_EQ(chybi.XSL(), QStringList({def.text, "GRANT ALL ON DBO.EP_POKUS TO PUBLIC"}));
    ASSERT_EQ(chybi.zmeny().moduly().size(), 1u);
    EXPECT_TRUE(chybi.zmeny().moduly()[0].zmeny.at(1).popis.startsWith(kPravaZnacka));

    Tx stejna{d, kServer2019};
    stejna.KontrolujUlozeneProcedury({{"ep_Pokus", "-- hlavicka\r\n" + def.text + "\r\n"}}, {def});
    EXPECT_TRUE(stejna.XSL().isEmpty());

    Tx zmenena{d, kServer2019};
    zmenena.KontrolujUlozeneProcedury({{"EP_POKUS", "CREATE PROCEDURE dbo.ep_Pokus AS SELECT 1"}}, {def});
    EXPECT_EQ(zmenena.XSL(), QStringList({"ALTER PROCEDURE dbo.[ep_Pokus] @a INT\rAS\rSELECT @a"}));
}

TEST(OvereniKonec, RefusalAndConfirmationDecide) {
    TplgDefinice d;
    Tx tx{d, kServer2019};
    tx.KontrolujUlozeneProcedury({}, {definiceModulu("CREATE PROC ep_X AS SELECT 1", false)});
    EXPECT_FALSE(tx.Konec([](const ZmenySchematu&) { return false; }));
    EXPECT_TRUE(tx.Konec([](const ZmenySchematu& z) { return z.prikazy().size() == 2; }));
}

} // namespace
