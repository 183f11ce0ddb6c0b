#include "devhost/HostSchema.h"

#include "tsql/exec/Database.h"
#include "tsql/exec/Session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace devhost {
namespace {

using Cells = std::vector<std::string>;

// One order of ten pieces of a serial-tracked part with a three-operation routing and one
// bill-of-material row, a material stock card of 100 and the document kinds of a cost centre.
constexpr const char* kSmallPlant = R"(
INSERT INTO TabHGlob (RadaPrijemZmetku) VALUES (N'PZN')
INSERT INTO TabStrom (Cislo, Nazev, Sklad) VALUES (N'001', N'Sklad materiálu', 1), (N'002', N'Sklad výrobků', 1),
    (N'200', N'Výroba', 0)
INSERT INTO TabMJ (Kod, Nedelitelna) VALUES (N'ks', 1)
INSERT INTO TabSkupinyZbozi (SkupZbo, Nazev) VALUES (N'600', N'Výrobky'), (N'100', N'Materiál')
INSERT INTO TabKmenZbozi (SkupZbo, RegCis, Nazev1, MJEvidence, KontrolaVyrC)
VALUES (N'600', N'600001', N'Pohon', N'ks', N'A'), (N'100', N'100001', N'Tyč', N'ks', N'N')
INSERT INTO TabStavSkladu (IDSklad, IDKmenZbozi, Mnozstvi) VALUES (N'001', 2, 100)
INSERT INTO TabDruhDokZbo (RadaDokladu, DruhPohybuZbo) VALUES (N'VYR', 2), (N'PRV', 0), (N'PZN', 0)
INSERT INTO TabRadyPrikazu (Rada) VALUES (N'VP')
INSERT INTO TabCisZam (Cislo, Prijmeni, Jmeno, Stredisko) VALUES (101, N'Novák', N'Jan', N'200')
INSERT INTO TabCPraco (Pracoviste, Nazev, IDTabStrom) VALUES (N'CNC01', N'Soustruh', N'200')
INSERT INTO TabPrikaz (Rada, Prikaz, RadaPrikaz, IDTabKmen, IDPrikazRidici, kusy_zad, kusy_ciste, kusy_zive,
    StavPrikazu, KmenoveStredisko)
VALUES (N'VP', 1, N'VP/000001', 1, 1, 10, 10, 10, 30, N'002')
INSERT INTO TabPrPostup (IDPrikaz, Doklad, Alt, Operace, pracoviste, Dilec, Barcode, Kusy_zad, Kusy_zive,
    KusyPredOperaci, Odvadeci)
VALUES (1, 1, N'A', N'  10', 1, 1, N'A000000101B', 10, 10, 10, 0),
       (1, 2, N'A', N'  20', 1, 1, N'A000000102B', 10, 10, 0, 0),
       (1, 3, N'A', N'  30', 1, 1, N'A000000103B', 10, 10, 0, 1)
INSERT INTO TabPrKVazby (IDPrikaz, Doklad, vyssi, nizsi, operace, Sklad, mnoz_zad, mnozstvi)
VALUES (1, 1, 1, 2, N'  10', N'001', 20, 2)
INSERT INTO TabVyrCisPrikaz (IDPrikaz, VyrCislo, Mnozstvi)
VALUES (1, N'600001000000001', 1), (1, N'600001000000002', 1)
)";

constexpr const char* kIssueTables = R"(
CREATE TABLE #TabGenRezVyd (ID INT NOT NULL)
CREATE TABLE #TabPrKVazbyGen (ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY, Generuj BIT NULL, IDPrKV INT NULL,
    Sklad NVARCHAR(30) NULL, MnozstviPoz NUMERIC(19,6) NULL, Dodavatel INT NULL, IDPohZbo INT NULL)
CREATE TABLE #TabPrKVazbyGenVC (ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY, IDPolozky INT NULL,
    VyrCislo NVARCHAR(25) NULL, Mnozstvi NUMERIC(19,6) NULL, IDVyrCP INT NULL)
CREATE TABLE #TabPrKVazbyGen_IDMzdy (IDPrikaz INT NULL, Doklad INT NULL, IDMzdy INT NULL)
)";

constexpr const char* kReceiptTables = R"(
CREATE TABLE #TabGenPrijem (ID INT NOT NULL)
CREATE TABLE #TabOdved (ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY, IDPrikaz INT NULL, IDDilec INT NULL,
    IDZakazModif INT NULL, Sklad NVARCHAR(30) NULL, mnozstvi NUMERIC(19,6) NULL, KodUmisteni NVARCHAR(15) NULL,
    IDZakazka INT NULL, IDPohZbo INT NULL)
CREATE TABLE #TabVyrCisProGenOdv (ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY, IDOdvedeni INT NULL,
    IDPrikaz INT NULL, VyrCislo NVARCHAR(25) NULL, Mnozstvi NUMERIC(19,6) NULL, MaxMnozstvi NUMERIC(19,6) NULL,
    IDVyrCP INT NULL)
CREATE TABLE #TabOdved_IDMzdy (IDPrikaz INT NULL, IDMzdy INT NULL)
)";

class HostProceduresTest : public ::testing::Test {
protected:
    void SetUp() override { freshPlant(); }

    // A new database with the schema and the small plant, for each case that changes stock.
    void freshPlant() {
        session_ = std::make_unique<tsql::Session>(tsql::Database::open(":memory:"));
        ASSERT_TRUE(runHostSchema(*session_).empty());
        const auto seeded = session_->run(kSmallPlant);
        ASSERT_EQ(seeded.firstError(), nullptr) << seeded.firstError()->text;
    }

    void run(const std::string& batch) { result_ = session_->run(batch); }
    const tsql::Message* error() const { return result_.firstError(); }

    // The result sets of the last batch, each row as the shell prints its values.
    std::vector<std::vector<Cells>> sets() const {
        std::vector<std::vector<Cells>> out;
        for (const auto& item : result_.items) {
            if (const auto* set = std::get_if<tsql::ResultSet>(&item)) {
                std::vector<Cells> rows;
                for (const auto& row : set->rows) {
                    Cells cells;
                    for (const auto& v : row)
                        cells.push_back(v.toDisplayString());
                    rows.push_back(cells);
                }
                out.push_back(rows);
            }
        }
        return out;
    }
    std::vector<Cells> lastSet() const {
        const auto all = sets();
        return all.empty() ? std::vector<Cells>{} : all.back();
    }

    std::unique_ptr<tsql::Session> session_;
    tsql::BatchResult result_;
};

TEST_F(HostProceduresTest, WageRecordCarriesTheFinishedOperationAndMovesTheRouting) {
    run(R"(
DECLARE @IDMzdy INT
EXEC @IDMzdy = hp_EvidenceOperace @IDPrikaz = 1, @Doklad = 1, @Alt = N'A', @Kusy_odv = 4, @Kusy_zmet_neopr = 1,
    @DatumZahajeniOp = '20260826 06:00:00', @DatumUkonceniOp = '20260826 07:30:00', @Sk_Cas_S = 5400,
    @Sk_Cas_Obsluhy_S = 5400, @IDZam = 1, @IDPracoviste = 1
SELECT @IDMzdy, ID, IDPrikaz, DokladPrPostup, AltPrPostup, kusy_odv, kusy_zmet_neopr, Sk_cas_Obsluhy_S,
    Sk_cas_Obsluhy_N, Zamestnanec, IDPracoviste, datum_X, Stav, ZbyvaOdvestNaSkladNeshod
FROM TabPrikazMzdyAZmetky
SELECT Doklad, Kusy_real, Kusy_zive, KusyPredOperaci FROM TabPrPostup ORDER BY Doklad
)");
    ASSERT_EQ(error(), nullptr) << error()->text;
    const auto all = sets();
    ASSERT_GE(all.size(), 2u);
    const auto& record = all[all.size() - 2];
    ASSERT_EQ(record.size(), 1u);
    EXPECT_EQ(record[0], (Cells{"1", "1", "1", "1", "A", "4.000000", "1.000000", "5400.000000", "90.000000",
                                "1", "1", "2026-08-26 07:30:00.0", "1", "1.000000"}));
    // Four good and one scrapped piece leave five live pieces; the good ones wait at operation 20.
    EXPECT_EQ(all.back(), (std::vector<Cells>{{"1", "4.000000", "5.000000", "5.000000"},
                                              {"2", "0.000000", "10.000000", "4.000000"},
                                              {"3", "0.000000", "10.000000", "0.000000"}}));
}

TEST_F(HostProceduresTest, WageRecordOfAnUnknownOperationIsRefused) {
    run("DECLARE @IDMzdy INT\n"
        "EXEC @IDMzdy = hp_EvidenceOperace @IDPrikaz = 1, @Doklad = 9, @Alt = N'A', @Kusy_odv = 1\n"
        "SELECT @IDMzdy, (SELECT COUNT(*) FROM TabPrikazMzdyAZmetky)");
    ASSERT_NE(error(), nullptr);
    EXPECT_EQ(lastSet(), (std::vector<Cells>{{"0", "0"}}));
}

TEST_F(HostProceduresTest, IssueDocumentLowersStockOnlyWhenThereIsEnough) {
    struct Case {
        const char* quantity;
        const char* failed;
        const char* stockAfter;
        const char* issuedAfter;
    };
    for (const Case& c :
         {Case{"7.5", "0", "92.500000", "7.500000"}, Case{"150", "1", "100.000000", "0.000000"}}) {
        SCOPED_TRACE(c.quantity);
        freshPlant();
        run(std::string(kIssueTables) +
            "INSERT INTO #TabPrKVazbyGen (Generuj, IDPrKV, Sklad, MnozstviPoz) "
            "VALUES (1, 1, N'001', " +
            c.quantity + R"()
DECLARE @r INT, @IDDok INT, @Chyba BIT
EXEC @r = hp_generujRezVyd @RadaDokladu = N'VYR', @DruhPohybuZbo = 2
SELECT @IDDok = ID FROM #TabGenRezVyd
EXEC dbo.hp_realizuj_vydej @IDDok, NULL, 0, 0, @Chyba OUT
SELECT @r, @Chyba, (SELECT Mnozstvi FROM TabStavSkladu WHERE ID = 1),
    (SELECT Mnoz_skut_realizovane FROM TabPrKVazby WHERE ID = 1),
    (SELECT ParovaciZnak FROM TabDokladyZbozi WHERE ID = @IDDok),
    (SELECT COUNT(*) FROM #TabPrKVazbyGen WHERE IDPohZbo IS NOT NULL)
)");
        const auto rows = lastSet();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], (Cells{"0", c.failed, c.stockAfter, c.issuedAfter, "VYR-000001", "1"}));
    }
}

TEST_F(HostProceduresTest, ReceiptRaisesStockAndPutsTheOrdersSerialNumbersInIt) {
    run(std::string(kReceiptTables) + R"(
INSERT INTO #TabOdved (IDPrikaz, IDDilec, Sklad, mnozstvi) VALUES (1, 1, N'002', 2)
DECLARE @IDDok INT, @Chyba BIT
EXEC hp_PrednabidniTabVyrCisProGenOdv
EXEC hp_OdvedeniPrikazu @RadaDokladu = N'PRV', @KonecneOdvedeni = 0
SELECT @IDDok = ID FROM #TabGenPrijem
EXEC dbo.hp_Realizuj_Prijem @IDDok, NULL, 0, @Chyba OUT
SELECT @Chyba, ss.Mnozstvi, (SELECT COUNT(*) FROM TabVyrCS vc WHERE vc.IDStavSkladu = ss.ID AND vc.Mnozstvi = 1),
    (SELECT COUNT(*) FROM #TabVyrCisProGenOdv WHERE IDVyrCP IS NOT NULL),
    (SELECT COUNT(*) FROM #TabOdved WHERE IDPohZbo IS NOT NULL)
FROM TabStavSkladu ss WHERE ss.IDSklad = N'002' AND ss.IDKmenZbozi = 1
)");
    ASSERT_EQ(error(), nullptr) << error()->text;
    EXPECT_EQ(lastSet(), (std::vector<Cells>{{"0", "2.000000", "2", "2", "1"}}));
}

TEST_F(HostProceduresTest, OrderQuantityChangeRecalculatesMaterialAndOperations) {
    run(R"(
EXEC dbo.hp_ZmenaKusyZadVyrPrikazu @IDPrikaz = 1, @kusy_zad_new = 20, @kusy_ciste_new = 20, @prepocitatMatPol = 1,
    @prepocitatOperace = 1, @prepocitatVyrCis = 1, @prepocitatOPNzTPV = 1, @prepocitatVedProd = 1
SELECT p.kusy_zad, p.kusy_zive, (SELECT mnoz_zad FROM TabPrKVazby WHERE ID = 1),
    (SELECT KusyPredOperaci FROM TabPrPostup WHERE Doklad = 1), (SELECT Kusy_zad FROM TabPrPostup WHERE Doklad = 3)
FROM TabPrikaz p WHERE p.ID = 1
)");
    ASSERT_EQ(error(), nullptr) << error()->text;
    EXPECT_EQ(lastSet(),
              (std::vector<Cells>{{"20.000000", "20.000000", "40.000000", "20.000000", "20.000000"}}));
}

TEST_F(HostProceduresTest, FirstFreeNumberIsBothReturnedAndSelected) {
    struct Case {
        const char* call;
        const char* number;
    };
    for (const Case& c : {Case{"N'TabObecnyPrehled', N'Cislo', 1, 9999999, '', 1, 1", "3"},
                          Case{"N'TabObecnyPrehled', N'Cislo', 1, 9999999, '', 0, 0", "5"},
                          Case{"N'TabObecnyPrehled', N'Cislo', 1, 9999999, N'Cislo > 1', 0, 1", "1"},
                          Case{"N'TabObecnyPrehled', N'Cislo', 1, 2, '', 0, 1", "<NULL>"}}) {
        SCOPED_TRACE(c.call);
        run(std::string(
                "DELETE FROM TabObecnyPrehled\n"
                "INSERT INTO TabObecnyPrehled (Cislo, NazevSys) VALUES (1, N'a'), (2, N'b'), (4, N'c')\n"
                "DECLARE @Cislo INT\n"
                "EXEC @Cislo = dbo.hp_NajdiPrvniVolny ") +
            c.call + "\nSELECT @Cislo");
        const auto all = sets();
        ASSERT_EQ(all.size(), 2u);
        EXPECT_EQ(all[0], (std::vector<Cells>{{c.number}}));
        EXPECT_EQ(all[1], (std::vector<Cells>{{std::string(c.number) == "<NULL>" ? "-1" : c.number}}));
    }
}

TEST_F(HostProceduresTest, ExtensionColumnsGoIntoTheExtTableCreatedOnDemand) {
    run(R"(
EXEC dbo.hp_ExterniTabulka N'TabDokumenty', N'_Poznamka', N'NVARCHAR(100)'
EXEC dbo.hp_ExterniTabulka N'TabDokumenty', N'_Poznamka', N'NVARCHAR(100)'
EXEC dbo.hp_ExterniTabulka N'TabDokumenty', N'_Pocet', N'NUMERIC(19,6)'
INSERT INTO TabDokumenty_EXT (ID, _Poznamka, _Pocet) VALUES (1, N'výkres', 2.5)
SELECT ID, _Poznamka, _Pocet FROM TabDokumenty_EXT
)");
    ASSERT_EQ(error(), nullptr) << error()->text;
    EXPECT_EQ(lastSet(), (std::vector<Cells>{{"1", "výkres", "2.500000"}}));
}

TEST_F(HostProceduresTest, ExtensionColumnWithATypeThatIsNoTypeIsRefused) {
    run("EXEC dbo.hp_ExterniTabulka N'TabDokumenty', N'_X', N'INT NULL; DROP TABLE TabCisZam --'\n"
        "SELECT COUNT(*) FROM TabCisZam");
    ASSERT_NE(error(), nullptr);
    EXPECT_EQ(lastSet(), (std::vector<Cells>{{"1"}}));
}

TEST_F(HostProceduresTest, JournalAndHostMessages) {
    run("EXEC dbo.hp_ZapisDoZurnalu 0, 77, N'Provozmat - Instalace OK - 2.0'\n"
        "SELECT Druh, Akce, Popis FROM TabZurnal\n"
        "SELECT dbo.hf_FormatError(2500088, ''), dbo.hf_FormatError(2500103, N'VP/000001')");
    ASSERT_EQ(error(), nullptr) << error()->text;
    const auto all = sets();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], (std::vector<Cells>{{"0", "77", "Provozmat - Instalace OK - 2.0"}}));
    EXPECT_EQ(all[1],
              (std::vector<Cells>{{"Řádek je otevřen v editoru jiného uživatele, nelze jej nyní změnit.",
                                   "Řádek pochází z neplatné odchylky, nelze jej změnit. (VP/000001)"}}));
}

} // namespace
} // namespace devhost
