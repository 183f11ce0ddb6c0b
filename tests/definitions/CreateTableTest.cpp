#include "DefinitionFixture.h"

#include "definitions/CompiledDefinitions.h"
#include "definitions/Constraints.h"
#include "definitions/CreateTable.h"
#include "definitions/Preparation.h"
#include "definitions/SqlTypes.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace provozmat;
using namespace provozmat::test;

namespace {

// A CREATE TABLE statement as the server gets it: the header, the column and constraint
// lines separated by "," CR LF, and the closing parenthesis.
QString statement(const char* table, const QStringList& lines) {
    return QStringLiteral("CREATE TABLE dbo.") + table + "(\r\n" + lines.join(",\r\n") + ")";
}

class CreateTable : public ::testing::Test {
protected:
    CreateTable() {
        pripravDefinice(d, pluginOwner(), h.host);
        for (int i = 1; i <= kPosledniTabulka; ++i)
            odvodConstrainty(*d.tabulka(i));
    }
    QString rendered(int index) const { return createTable(d.tabulka(index), index); }

    PreparedHost h;
    TplgDefinice d = zkompilovaneDefinice();
};

TEST_F(CreateTable, Konfigurace) {
    const char* t = "KTab_LCDKonfigurace7EK";
    const QString df = QStringLiteral(" CONSTRAINT DF__KTab_LCDKonfigurace7EK__");
    EXPECT_EQ(rendered(t_LCDKonfigurace),
              statement(t, {"ID INT NOT NULL",
                            "HesloLCDQuit INT NULL",
                            "ZpusobPrihlaseni SMALLINT NOT NULL" + df + "ZpusobPrihlaseni DEFAULT 0",
                            "PozadovatHeslo BIT NOT NULL" + df + "PozadovatHeslo DEFAULT 0",
                            "RealizovatVydej BIT NOT NULL" + df + "RealizovatVydej DEFAULT 1",
                            "RealizovatPrijem BIT NOT NULL" + df + "RealizovatPrijem DEFAULT 0",
                            "SysNazevSlSKodemCipu NVARCHAR(30) NULL",
                            "SysNazevSlSHeslemZam NVARCHAR(30) NULL",
                            "COM_Port NVARCHAR(10) NOT NULL" + df + "COM_Port DEFAULT 'COM1'",
                            "COM_PocetZnakuNaCipu INT NOT NULL" + df + "COM_PocetZnakuNaCipu DEFAULT 14",
                            "COM_PocetOriznutoZleva INT NOT NULL" + df + "COM_PocetOriznutoZleva DEFAULT 3",
                            "COM_PocetOriznutoZprava INT NOT NULL" + df + "COM_PocetOriznutoZprava DEFAULT 3",
                            "COMDebug BIT NOT NULL" + df + "COMDebug DEFAULT 0",
                            "NazevPocitace NVARCHAR(100) NOT NULL" + df + "NazevPocitace DEFAULT ''",
                            "Autor NVARCHAR(128) NOT NULL" + df + "Autor DEFAULT SUSER_SNAME()",
                            "DatPorizeni DATETIME NOT NULL" + df + "DatPorizeni DEFAULT GETDATE()",
                            "Zmenil NVARCHAR(128) NULL",
                            "DatZmeny DATETIME NULL",
                            "MaxCasNeaktivitaMin INT NOT NULL" + df + "MaxCasNeaktivitaMin DEFAULT 15",
                            "StrediskoLCD NVARCHAR(30) NULL",
                            "JmenoTiskarnyTiskStitku NVARCHAR(100) NULL",
                            "DatumBlokaceTiskuStitkuSVC DATETIME NULL",
                            "DatumBlokaceTiskuStitkuBezVC DATETIME NULL",
                            "IDTiskuStitkuSVC INT NULL",
                            "IDTiskuStitkuBezVC INT NULL",
                            "LimitCasuVP NUMERIC(19,6) NULL",
                            "CONSTRAINT PK__KTab_LCDKonfigurace7EK__ID PRIMARY KEY(ID)",
                            "CONSTRAINT UQ__KTab_LCDKonfigurace7EK__NazevPocitace UNIQUE(NazevPocitace)"}));
}

TEST_F(CreateTable, TerminalLeavesOutTheViewColumns) {
    EXPECT_EQ(
        rendered(t_LCDTerminal),
        statement("KTab_LCDTerminal7EK",
                  {"ID INT IDENTITY NOT NULL",
                   "IDKolegy INT NULL",
                   "PomocnikProIDKolegy INT NULL",
                   "ID1 INT NULL",
                   "IPTerm NVARCHAR(15) NULL",
                   "NazevTerm NVARCHAR(20) NULL",
                   "Akce INT NOT NULL",
                   "DatumPor DATETIME NOT NULL",
                   "IDZam INT NOT NULL",
                   "IDPrikaz INT NULL",
                   "Doklad INT NULL",
                   "Alt NCHAR(1) NULL",
                   "KusyDobre NUMERIC(19,6) NULL",
                   "KusySpatne_opr NUMERIC(19,6) NULL",
                   "KusySpatne_IO NUMERIC(19,6) NULL",
                   "KusySpatne_neopr NUMERIC(19,6) NULL",
                   "Prostoj_Zavada NVARCHAR(6) NULL",
                   "IDMzdy INT NULL",
                   "CelkCasS INT NULL",
                   "IDPracoviste INT NULL",
                   "S_cas_obsluhy_s INT NULL",
                   "Sk_Strojni_Cas INT NULL",
                   "ZahajSdruzene BIT NOT NULL CONSTRAINT DF__KTab_LCDTerminal7EK__ZahajSdruzene DEFAULT 0",
                   "CONSTRAINT PK__KTab_LCDTerminal7EK__ID PRIMARY KEY(ID)"}));
}

TEST_F(CreateTable, ControlProcedureHeader) {
    const QString df = QStringLiteral(" CONSTRAINT DF__KTab_KontrolniPostupHlavicka7EK__");
    EXPECT_EQ(
        rendered(t_KontrolniPostupHlavicka),
        statement("KTab_KontrolniPostupHlavicka7EK",
                  {"ID INT IDENTITY NOT NULL", "IDDilce INT NULL", "PrefixKmenZbozi NVARCHAR(15) NULL",
                   "IDPracoviste INT NULL",
                   "HodnotaZakazky NUMERIC(19,6) NOT NULL" + df + "HodnotaZakazky DEFAULT 0.0",
                   "Autor NVARCHAR(128) NOT NULL" + df + "Autor DEFAULT SUSER_SNAME()",
                   "DatPorizeni DATETIME NOT NULL" + df + "DatPorizeni DEFAULT GETDATE()",
                   "Zmenil NVARCHAR(128) NULL", "DatZmeny DATETIME NULL", "BlokovaniEditoru SMALLINT NULL",
                   "CONSTRAINT PK__KTab_KontrolniPostupHlavicka7EK__ID PRIMARY KEY(ID)"}));
}

TEST_F(CreateTable, ControlProcedureItemWithoutItsForeignKey) {
    const QString df = QStringLiteral(" CONSTRAINT DF__KTab_KontrolniPostupPolozka7EK__");
    EXPECT_EQ(
        rendered(t_KontrolniPostupPolozka),
        statement("KTab_KontrolniPostupPolozka7EK",
                  {"ID INT IDENTITY NOT NULL", "IDKP INT NULL", "TextDotazu NVARCHAR(50) NULL",
                   "Typ INT NOT NULL" + df + "Typ DEFAULT 1",
                   "Autor NVARCHAR(128) NOT NULL" + df + "Autor DEFAULT SUSER_SNAME()",
                   "DatPorizeni DATETIME NOT NULL" + df + "DatPorizeni DEFAULT GETDATE()",
                   "Zmenil NVARCHAR(128) NULL", "DatZmeny DATETIME NULL", "BlokovaniEditoru SMALLINT NULL",
                   "CONSTRAINT PK__KTab_KontrolniPostupPolozka7EK__ID PRIMARY KEY(ID)"}));
}

TEST_F(CreateTable, MeasuredValuesWithTheComputedColumnLast) {
    const QString df = QStringLiteral(" CONSTRAINT DF__KTab_KontrolniPostupHodnoty7EK__");
    EXPECT_EQ(rendered(t_KontrolniPostupHodnoty),
              statement("KTab_KontrolniPostupHodnoty7EK",
                        {"ID INT IDENTITY NOT NULL", "IDPolKontroly INT NULL", "IDPrikaz INT NULL",
                         "Doklad INT NULL", "Alternativa NVARCHAR(1) NULL", "Operace NVARCHAR(4) NULL",
                         "IDScanData INT NULL", "IDZamestnanec INT NULL", "DatumPorizeni DATETIME NULL",
                         "Parametr NVARCHAR(50) NULL", "Hodnota NUMERIC(19,6) NULL", "Poznamka NTEXT NULL",
                         "CisloOrganizace INT NULL",
                         "Autor NVARCHAR(128) NOT NULL" + df + "Autor DEFAULT SUSER_SNAME()",
                         "DatPorizeni DATETIME NOT NULL" + df + "DatPorizeni DEFAULT GETDATE()",
                         "Zmenil NVARCHAR(128) NULL", "DatZmeny DATETIME NULL",
                         "Poznamka255 AS (SUBSTRING(REPLACE(SUBSTRING([Poznamka],1,255),(NCHAR(13) + "
                         "NCHAR(10)),NCHAR(32)),1,255))",
                         "CONSTRAINT PK__KTab_KontrolniPostupHodnoty7EK__ID PRIMARY KEY(ID)"}));
}

TEST_F(CreateTable, UndefinedTableIsAComment) {
    EXPECT_EQ(createTable(nullptr, 7), "/* TABULKA č.7 NENI DEFINOVANA */");
}

TEST_F(CreateTable, DerivedConstraintsAreNamedByKindTableAndColumns) {
    const auto& item = d.tabulka(t_KontrolniPostupPolozka)->Constraints;
    ASSERT_EQ(item.size(), 5u); // PK, FK and the defaults of Typ, Autor, DatPorizeni
    EXPECT_EQ(item[0].JmenoSys, "PK__KTab_KontrolniPostupPolozka7EK__ID");
    EXPECT_EQ(item[1].JmenoSys, "FK__KTab_KontrolniPostupPolozka7EK__IDKP");
    EXPECT_EQ(item[1].CiziTabulka, "KTab_KontrolniPostupHlavicka7EK");
    EXPECT_EQ(item[1].CiziAtributy, "ID");
    EXPECT_EQ(item[2].JmenoSys, "DF__KTab_KontrolniPostupPolozka7EK__Typ");
    EXPECT_EQ(item[2].Vyraz, "1");
    // Deriving again adds nothing.
    odvodConstrainty(*d.tabulka(t_KontrolniPostupPolozka));
    EXPECT_EQ(d.tabulka(t_KontrolniPostupPolozka)->Constraints.size(), 5u);
}

// A one-table set with the given columns, prepared.
TplgTabulkaDef preparedTable(std::vector<TplgAtributTabulky> columns) {
    TplgDefinice d;
    d.sablony = uzivatelskeAtributy();
    TplgTabulkaDef t{.SelfIdent = t_LCDKonfigurace, .JmenoSys = "T", .Atributy = std::move(columns)};
    d.tabulky = {std::nullopt, std::move(t)};
    pouzijSablony(d);
    doplnVychoziHodnoty(d);
    odvodConstrainty(*d.tabulka(1));
    return *d.tabulka(1);
}

TEST(CreateTableColumns, TemplateColumnWithNothingElseSet) {
    const auto t = preparedTable({{.UTyp = plg_utaAutor}});
    EXPECT_EQ(
        createTable(&t, 1),
        "CREATE TABLE dbo.T(\r\nAutor NVARCHAR(128) NOT NULL CONSTRAINT DF__T__Autor DEFAULT SUSER_SNAME())");
}

TEST(CreateTableColumns, ChecksAndMaximalLengths) {
    const auto t = preparedTable({{.JmenoSys = "X", .Typ = taInt, .CHECK = " > 0 "},
                                  {.JmenoSys = "Y", .Typ = taNVarChar, .Delka = -1, .Null = nNULL}});
    EXPECT_EQ(createTable(&t, 1), "CREATE TABLE dbo.T(\r\nX INT NOT NULL,\r\nY NVARCHAR(MAX) NULL,\r\n"
                                  "CONSTRAINT CK__T__X CHECK(X > 0))");
}

TEST(CheckCondition, ColumnIsPutInFrontOfAnIncompleteCondition) {
    struct Case {
        const char* check;
        const char* condition;
    };
    const Case cases[] = {
        {"IN (1,2)", "Typ IN (1,2)"},
        {"in(1,2)", "Typ in(1,2)"},
        {"> 0", "Typ > 0"},
        {"<>3", "Typ <>3"},
        {"=1", "Typ =1"},
        {"BETWEEN 1 AND 2", "Typ BETWEEN 1 AND 2"},
        {"LIKE '[0-9]%'", "Typ LIKE '[0-9]%'"},
        {"NOT NULL", "Typ NOT NULL"},
        {"  Typ>0  ", "Typ>0"}, // a complete condition stays
        {"Index>0", "Index>0"}, // begins with "In", but not with the word IN
        {"1", "1"},             // one character stays
        {"ISNULL(Typ,0)>0", "ISNULL(Typ,0)>0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(podminkaCheck("Typ", c.check), c.condition) << c.check;
}

TEST(ColumnTypeText, TypesWithLengthPrecisionIdentityAndNullability) {
    struct Case {
        TplgAtributTabulky column;
        const char* text;
    };
    const Case cases[] = {
        {{.Typ = taNVarChar, .Delka = 30, .Null = nNULL}, "NVARCHAR(30) NULL"},
        {{.Typ = taVarBinary, .Delka = -1, .Null = nNOTNULL}, "VARBINARY(MAX) NOT NULL"},
        {{.Typ = taIdentity, .Null = nNOTNULL}, "INT IDENTITY(1,1) NOT NULL"},
        {{.Typ = taIdentity64, .Null = nNOTNULL}, "BIGINT IDENTITY(1,1) NOT NULL"},
        {{.Typ = taNumeric_19_6, .Null = nNOTNULL}, "NUMERIC(19,6) NOT NULL"},
        {{.Typ = taNumeric_15_0, .Null = nNULL}, "NUMERIC(15,0) NULL"},
        {{.Typ = taBoolean, .Null = nNOTNULL}, "BIT NOT NULL"},
        {{.Typ = taNText, .Null = nNULL}, "NTEXT NULL"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textTypuAtributu(c.column), c.text);
}

TEST(TypeClasses, SumsOnlyOnNumbersThatAreNotBits) {
    EXPECT_TRUE(lzeSumovat(taInt));
    EXPECT_TRUE(lzeSumovat(taFloat));
    EXPECT_TRUE(lzeSumovat(taNumeric_4_2));
    EXPECT_FALSE(lzeSumovat(taBoolean));
    EXPECT_FALSE(lzeSumovat(taNVarChar));
    EXPECT_FALSE(lzeSumovat(taDateTime));
    EXPECT_EQ(tridaTypu(taVarBinary), 0);
    EXPECT_EQ(tridaTypu(taImage), 5);
    EXPECT_EQ(tridaTypu(taTime), 4);
}

} // namespace
