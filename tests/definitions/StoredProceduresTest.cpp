// The plug-in's four procedures run on the development host's database: each is created from
// its definition text and driven through the event-log rows the terminal writes.

#include "DefinitionFixture.h"

#include "definitions/CompiledDefinitions.h"
#include "definitions/Constraints.h"
#include "definitions/CreateTable.h"
#include "definitions/Preparation.h"

#include "devhost/HostSchema.h"

#include "tsql/DateTime.h"
#include "tsql/exec/Database.h"
#include "tsql/exec/Session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

using namespace provozmat;
using namespace provozmat::test;

namespace {

using Cells = std::vector<std::string>;
using Rows = std::vector<Cells>;

// A part with a three-operation routing of ten pieces, one bill-of-material row on the first
// operation, two workers and a workplace; the order's pieces go to warehouse 002.
constexpr const char* kPlant = R"(
INSERT INTO TabStrom (Cislo, Nazev, Sklad) VALUES (N'001', N'Sklad materiálu', 1), (N'002', N'Sklad výrobků', 1),
    (N'200', N'Výroba', 0)
INSERT INTO TabMJ (Kod, Nedelitelna) VALUES (N'ks', 1)
INSERT INTO TabSkupinyZbozi (SkupZbo, Nazev) VALUES (N'600', N'Výrobky'), (N'100', N'Materiál')
INSERT INTO TabKmenZbozi (SkupZbo, RegCis, Nazev1, MJEvidence, KontrolaVyrC)
VALUES (N'600', N'600001', N'Pohon', N'ks', N'A'), (N'100', N'100001', N'Tyč', N'ks', N'N')
INSERT INTO TabCisZam (Cislo, Prijmeni, Jmeno, Stredisko) VALUES (101, N'Novák', N'Jan', N'200'),
    (102, N'Dvořák', N'Petr', N'200')
INSERT INTO TabCPraco (Pracoviste, Nazev, IDTabStrom) VALUES (N'CNC01', N'Soustruh', N'200')
INSERT INTO TabRadyPrikazu (Rada) VALUES (N'VP')
INSERT INTO TabPrikaz (Rada, Prikaz, RadaPrikaz, IDTabKmen, IDPrikazRidici, kusy_zad, kusy_ciste, kusy_zive,
    StavPrikazu, KmenoveStredisko)
VALUES (N'VP', 1, N'VP/000001', 1, 1, 10, 10, 10, 30, N'002'),
       (N'VP', 2, N'VP/000002', 1, 2, 10, 10, 10, 30, NULL)
INSERT INTO TabPrPostup (IDPrikaz, Doklad, Alt, Operace, pracoviste, Dilec, Kusy_zad, Kusy_zive,
    KusyPredOperaci, TAC_J_S, Odvadeci)
VALUES (1, 1, N'A', N'  10', 1, 1, 10, 10, 10, 60, 0),
       (1, 2, N'A', N'  20', 1, 1, 10, 10, 0, 90, 0),
       (1, 3, N'A', N'  30', 1, 1, 10, 10, 0, 30, 1)
INSERT INTO TabPrKVazby (IDPrikaz, Doklad, vyssi, nizsi, operace, Sklad, mnoz_zad, mnozstvi)
VALUES (1, 1, 1, 2, N'  10', N'001', 20, 2)
)";

class StoredProcedures : public ::testing::Test {
protected:
    StoredProcedures() {
        tsql::SessionOptions options;
        options.clock = [] { return tsql::DateTime::parse("2026-08-26 08:00:00"); };
        session_ = std::make_unique<tsql::Session>(tsql::Database::open(":memory:"), options);
        devhost::runHostSchema(*session_);
        mustRun(kPlant);
        pripravDefinice(d_, pluginOwner(), h_.host);
        for (int i = 1; i <= kPosledniTabulka; ++i)
            odvodConstrainty(*d_.tabulka(i));
        mustRun(createTable(d_.tabulka(t_LCDTerminal), t_LCDTerminal).toStdString());
        const auto procedures = ulozeneProcedury();
        for (std::size_t i = 1; i < procedures.size(); ++i)
            mustRun(procedures[i].Text.toStdString());
    }

    void mustRun(const std::string& batch) {
        const auto r = session_->run(batch);
        ASSERT_EQ(r.firstError(), nullptr) << r.firstError()->text << "\n" << batch;
    }

    // Runs the batch and gives its last result set as the shell prints the values.
    Rows query(const std::string& batch) {
        last_ = session_->run(batch);
        Rows out;
        for (const auto& item : last_.items)
            if (const auto* set = std::get_if<tsql::ResultSet>(&item)) {
                out.clear();
                for (const auto& row : set->rows) {
                    Cells cells;
                    for (const auto& v : row)
                        cells.push_back(v.toDisplayString());
                    out.push_back(cells);
                }
            }
        return out;
    }
    std::string firstError() const { return last_.firstError() ? last_.firstError()->text : ""; }

    PreparedHost h_;
    TplgDefinice d_ = zkompilovaneDefinice();
    std::unique_ptr<tsql::Session> session_;
    tsql::BatchResult last_;
};

TEST_F(StoredProcedures, EndingAStartEndsItsOpenHelpersWithTheirNetPresence) {
    // Worker 1 starts at 07:00, worker 2 helps from 07:10, worker 1 was interrupted for five
    // minutes; a second helper row was ended already and stays as it is.
    mustRun(R"(
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, IDPracoviste, IDPrikaz, Doklad, Alt)
VALUES (10, '20260826 07:00', 1, 1, 1, 1, N'A')
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, IDPracoviste, IDPrikaz, Doklad, Alt, PomocnikProIDKolegy)
VALUES (40, '20260826 07:10', 2, 1, 1, 1, N'A', 1)
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, IDPracoviste, IDPrikaz, Doklad, Alt, CelkCasS)
VALUES (21, '20260826 07:40', 1, 1, 1, 1, N'A', 300)
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, IDPracoviste, IDPrikaz, Doklad, Alt, PomocnikProIDKolegy, IDKolegy)
VALUES (40, '20260826 07:05', 3, 1, 1, 1, N'A', 1, 99)
)");
    EXPECT_EQ(query("DECLARE @r INT EXEC @r = KEP_UkonciPomocnikaProIDLogZahajeni @IDLogLCD = 1 SELECT @r"),
              (Rows{{"0"}}))
        << firstError();
    EXPECT_EQ(query("SELECT ID, Akce, IDZam, DatumPor, CelkCasS, IDKolegy, PomocnikProIDKolegy "
                    "FROM KTab_LCDTerminal7EK WHERE ID IN (2, 4, 5) ORDER BY ID"),
              (Rows{{"2", "40", "2", "2026-08-26 07:10:00.0", "<NULL>", "5", "1"},
                    {"4", "40", "3", "2026-08-26 07:05:00.0", "<NULL>", "99", "1"},
                    {"5", "41", "2", "2026-08-26 08:00:00.0", "2700", "2", "1"}}));
}

TEST_F(StoredProcedures, EndingAStartForOneHelperLeavesTheOthersRunning) {
    mustRun(R"(
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, IDPracoviste, IDPrikaz, Doklad, Alt)
VALUES (10, '20260826 07:00', 1, 1, 1, 1, N'A')
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, IDPracoviste, IDPrikaz, Doklad, Alt, PomocnikProIDKolegy)
VALUES (40, '20260826 07:30', 2, 1, 1, 1, N'A', 1), (40, '20260826 07:45', 3, 1, 1, 1, N'A', 1)
EXEC KEP_UkonciPomocnikaProIDLogZahajeni 1, 3
)");
    EXPECT_EQ(query("SELECT IDZam, CelkCasS, IDKolegy FROM KTab_LCDTerminal7EK WHERE Akce = 41"),
              (Rows{{"3", "900", "3"}}));
    EXPECT_EQ(query("SELECT ID FROM KTab_LCDTerminal7EK WHERE Akce = 40 AND IDKolegy IS NULL"),
              (Rows{{"2"}}));
}

TEST_F(StoredProcedures, ActualTimeSharesEachSecondAmongTheRunsGoingAtOnce) {
    // Two runs of worker 1 overlap from 06:20 to 07:00: each gets half of those seconds, so
    // together they make the worker's hour; a third run is still open at 08:00.
    mustRun(R"(
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, ID1, IDPrikaz, Doklad, Alt)
VALUES (10, '20260826 06:00', 1, 101, 1, 1, N'A'), (10, '20260826 06:20', 1, 102, 1, 2, N'A')
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, ID1, IDKolegy, IDPrikaz, Doklad, Alt)
VALUES (11, '20260826 07:00', 1, 101, 1, 1, 1, N'A'), (11, '20260826 07:00', 1, 102, 2, 1, 2, N'A')
INSERT INTO KTab_LCDTerminal7EK (Akce, DatumPor, IDZam, ID1, IDPrikaz, Doklad, Alt)
VALUES (10, '20260826 07:30', 1, 103, 1, 3, N'A')
)");
    const auto actual = [&](int start) {
        return query("DECLARE @s NUMERIC(19,6), @r INT EXEC @r = KEP_SkutecnyCasZamestnance @s OUT, " +
                     std::to_string(start) + " SELECT @r, @s");
    };
    EXPECT_EQ(actual(1), (Rows{{"0", "2400.000000"}})) << firstError();
    EXPECT_EQ(actual(2), (Rows{{"0", "1200.000000"}})) << firstError();
    EXPECT_EQ(actual(5), (Rows{{"0", "1800.000000"}})) << firstError();
}

TEST_F(StoredProcedures, ActualTimeOfAnUnknownStartIsAnError) {
    EXPECT_EQ(query("DECLARE @s NUMERIC(19,6), @r INT EXEC @r = KEP_SkutecnyCasZamestnance @s OUT, 42 "
                    "SELECT @r, @s"),
              (Rows{{"1", "<NULL>"}}));
    EXPECT_EQ(firstError(), "Jeden z parametrů není správně zadán");
}

TEST_F(StoredProcedures, SerialNumbersContinueThePartsNumberingAndAreListedForTheCaller) {
    mustRun(R"(
INSERT INTO TabStavSkladu (IDSklad, IDKmenZbozi) VALUES (N'002', 1)
INSERT INTO TabVyrCS (IDStavSkladu, Nazev1) VALUES (1, N'600001000000007'), (1, N'600001X00000009')
)");
    EXPECT_EQ(query(R"(
CREATE TABLE #VyrCis_IDs (IDVC INT NULL, IDVCPrikaz INT NULL)
DECLARE @r INT
EXEC @r = KEP_GENERUJ_VCProTisk 2, 1
SELECT @r, @@TRANCOUNT, (SELECT COUNT(*) FROM #VyrCis_IDs i JOIN TabVyrCS vc ON vc.ID = i.IDVC
    JOIN TabVyrCisPrikaz p ON p.ID = i.IDVCPrikaz AND p.VyrCislo = vc.Nazev1 AND p.IDPrikaz = 1)
)"),
              (Rows{{"0", "0", "2"}}))
        << firstError();
    EXPECT_EQ(query("SELECT IDStavSkladu, Nazev1 FROM TabVyrCS WHERE ID > 2 ORDER BY ID"),
              (Rows{{"1", "600001000000008"}, {"1", "600001000000009"}}));
}

TEST_F(StoredProcedures, SerialNumbersNeedTheOrdersWarehouse) {
    EXPECT_EQ(
        query(
            "CREATE TABLE #VyrCis_IDs (IDVC INT NULL, IDVCPrikaz INT NULL)\n"
            "DECLARE @r INT EXEC @r = KEP_GENERUJ_VCProTisk 1, 2 SELECT @r, (SELECT COUNT(*) FROM TabVyrCS)"),
        (Rows{{"1", "0"}}));
    EXPECT_EQ(firstError(), "Na příkaze není zadán sklad pro odvedení.");
}

TEST_F(StoredProcedures, PiecesBeyondWhatReachedTheOperationAreBookedOnTheSkippedOnes) {
    // Four pieces finished at operation 30, which none had reached: operations 10 and 20 get a
    // wage record and a 70 row of four pieces each, once the material of operation 10 was issued.
    mustRun("UPDATE TabPrKVazby SET Mnoz_skut_realizovane = 20");
    EXPECT_EQ(
        query("DECLARE @r INT EXEC @r = KEP_EvidencePredeslychOperaci 7, 1, 3, N'A', 4, 0, 1 SELECT @r"),
        (Rows{{"0"}}))
        << firstError();
    EXPECT_EQ(query("SELECT DokladPrPostup, kusy_odv, Zamestnanec FROM TabPrikazMzdyAZmetky ORDER BY ID"),
              (Rows{{"1", "4.000000", "1"}, {"2", "4.000000", "1"}}));
    EXPECT_EQ(
        query("SELECT IDKolegy, Akce, Doklad, KusyDobre, CelkCasS FROM KTab_LCDTerminal7EK ORDER BY ID"),
        (Rows{{"7", "70", "1", "4.000000", "60"}, {"7", "70", "2", "4.000000", "90"}}));
}

TEST_F(StoredProcedures, SkippedOperationWithoutItsMaterialStopsTheBooking) {
    EXPECT_EQ(
        query("DECLARE @r INT EXEC @r = KEP_EvidencePredeslychOperaci 7, 1, 3, N'A', 4, 0, 1 SELECT @r, "
              "(SELECT COUNT(*) FROM TabPrikazMzdyAZmetky), (SELECT COUNT(*) FROM KTab_LCDTerminal7EK)"),
        (Rows{{"1", "0", "0"}}));
    EXPECT_EQ(firstError(), "Na operaci   10 není odvedeno dostatečné množství: 100 100001 Tyč");
}

TEST_F(StoredProcedures, NothingIsBookedWhenThePiecesHadReachedTheOperation) {
    mustRun("UPDATE TabPrPostup SET KusyPredOperaci = 5 WHERE Doklad = 3");
    EXPECT_EQ(
        query("DECLARE @r INT EXEC @r = KEP_EvidencePredeslychOperaci 7, 1, 3, N'A', 4, 1, 1 SELECT @r, "
              "(SELECT COUNT(*) FROM TabPrikazMzdyAZmetky)"),
        (Rows{{"0", "0"}}));
}

} // namespace
