#include "devhost/HostSchema.h"

#include "tsql/exec/Database.h"
#include "tsql/exec/Session.h"
#include "tsql/syntax/Parser.h"
#include "tsql/syntax/SyntaxError.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace devhost {
namespace {

TEST(HostSchemaTest, EveryBatchParses) {
    const auto& batches = hostSchemaBatches();
    ASSERT_FALSE(batches.empty());
    for (const auto& batch : batches) {
        try {
            tsql::parseBatch(batch.text);
        } catch (const tsql::SyntaxError& e) {
            ADD_FAILURE() << batchPlace(batch) << " line " << e.line() << ": " << e.message();
        }
    }
}

TEST(HostSchemaTest, TheEngineRunsEveryBatchOfTheSchema) {
    tsql::Session session(tsql::Database::open(":memory:"));
    const auto deferred = runHostSchema(session);
    EXPECT_TRUE(deferred.empty()) << deferred.front();
}

struct TableColumns {
    const char* table;
    const char* columns;
};

// The host tables with the columns the plug-in's batches and procedures read, filter or write.
const std::vector<TableColumns> kReferencedColumns{
    {"TabPluginInfo",
     "NazevSys, VerzePluginu, CAST(ZmenyOK AS INT), NazevObjektu, NazevVerejny, DatumInstalace, "
     "DatumDistribTiskForm, DatumDistribFiltru, DatumDistribOpisu"},
    {"TabObecnyPrehled",
     "Cislo, NazevSys, Skupina, Nazev, DefView, DefAttrs, Pomocnicek, BlobTableName, DatZmeny, "
     "Zmenil, Systemovy, JeToDBView"},
    {"TabSoudky", "ID, Skupina, Soudek, BrowseID, Poradi, DatPorizeni, Autor, Systemovy, IDPredek"},
    {"TabPravaSoudky", "IDSoudek"},
    {"TabSoudkyPoradi", "Soudek, Poradi"},
    {"TabExtKom",
     "ID, GUID, Typ, IdBrowse, Popis, UP, ParamHe, HotKey, Skupina, NazevPodmenu, PoradiVPodmenu, "
     "DatPorizeni, Autor, DatZmeny, Zmenil, Napoveda, VerejnaAkce, Parametry"},
    {"TabObecnaVazba",
     "GUIDVazby, Systemovy, Popis, Skupina, TabL, NazevLP, NazevLPSys, TypLP, TabP, NazevPL, "
     "NazevPLSys, TypPL, Podminka, DatZmeny, Zmenil, DatPorizeni, Autor"},
    {"TabUzivAtr",
     "NazevTabulkySys, NazevAtrSys, NazevAtrVer, NazevAtrVerZkr, TypAtr, MaskaAtr, VerejnyAtr, "
     "SirkaSloupceAtr, SumovatAtr, PoznamkaAtr, DefiniceAtr, ExtEd_BrowseID, ExtEd_Atr, "
     "ExtEd_PrimaEditace, ExtEd_Zalozka, ExtEd_Poradi, Skupina, ExtEd_Podminka, ProcPruhAtr, BarvaAtr, "
     "KonverzeAtr, TiskAtr, BublinaAtr, StavAtr, Kopirovat, Obrazek, Externi, HromadneZmenyAtr, "
     "GenerujVazbu, VazbaTypMoje, VazbaNazevMoje, VazbaNazevMojeSys, VazbaTypCizi, VazbaNazevCizi, "
     "VazbaNazevCiziSys, JeKonverzeSQLSkript"},
    {"TabExtHlasky", "GUID, Jazyk, Hlaska, Skupina"},
    {"TabSkupinaExt", "Skupina"},
    {"TabHGlob", "Legislativa, DelkaPoziceKV, ZarovnaniPoziceKV, DelkaRegCislaZbozi, ZarovnaniRegCislaZbozi, "
                 "ZarovnaniOperaceTechPos"},
    {"TabUziv", "LoginName, Jazyk, Jazyk2"},
    {"TabUserCfg", "LoginName, SadaIkonek"},
    {"TabVelikostEditOkna", "LoginName, FormIdent, FormLeft, FormTop, FormWidth, FormHeight, Maximized"},
    {"TabDefTisk",
     "ID, FormDefID, LoginName, Nazev, Prednastaveno, Implicitni, ZobrazNahled, ZobrazTiskDialog, "
     "BezDiakritiky, OkrajHorni, OkrajDolni, OkrajLevy, OkrajPravy, PDFElPodpisOffsetX, "
     "PDFElPodpisOffsetY, PDFZobrazitElPodpis, VyskaStrany, SirkaStrany, Rozvrzeni, PocetKopii, "
     "Collation, DelegovatKopie, Duplex, TiskFronta, TiskDoSouboru, DoSouboruCesta"},
    {"TabCisZam", "ID, Cislo, PrijmeniJmeno, Stredisko, Jmeno, Prijmeni"},
    {"TabCisZam_Ext", "ID, _VstupniKodLCD"},
    {"TabCPraco", "ID, Pracoviste, Nazev, Blokovano, IDTabStrom"},
    {"TabCPraco_EXT", "ID, _SdruzeniOperaci, _UmisteniZpracovaniVP"},
    {"TabStrom", "ID, Cislo, CisloStr, Nazev"},
    {"TabStrom_EXT", "ID, _RadaVydejVyroba, _RadaPrijemVyroba"},
    {"TabStromDef", "IDStrom, IDObdobi, Blokovano, Zakazano"},
    {"TabNakladovyOkruh", "ID, Cislo"},
    {"TabPrikaz", "ID, Rada, Prikaz, RadaPrikaz, IDTabKmen, IDZakazka, kusy_zad, kusy_zive, StavPrikazu, "
                  "KmenoveStredisko, CelkNakl, IDPrikazRidici, IDPlan"},
    {"TabPrikaz_EXT", "ID, _puvodniZadaneMnozstvi"},
    {"TabRadyPrikazu", "ID, Rada, PrijemZmetku_SkladProGenHlavDZ, PredvyplnitVyrCisPriPrijmuZmetku"},
    {"TabRadyPrikazu_EXT", "ID, _PolozkaKusovnikuZLCD, _ZjednuduseniEvidenceLCD"},
    {"TabPrPostup",
     "ID, ID1, IDPrikaz, Doklad, Alt, IDOdchylkyDo, IDOdchylkyOd, Barcode, Operace, Nazev, pracoviste, "
     "Dilec, Kusy_zad, Kusy_zive, Kusy_real, KusyPredOperaci, Prednastaveno, Odvadeci, TAC_S, "
     "DavkaTPV_VO, TBC_N, TEC_N, TAC_J_S, BlokovaniEditoru, Uzavreno, AutorUzavreni"},
    {"TabPrKVazby",
     "ID, IDPrikaz, Doklad, vyssi, nizsi, operace, IDOdchylkyDo, IDOdchylkyOd, prednastaveno, "
     "uzavreno, AutorUzavreni, RezijniMat, Sklad, mnoz_zad, Mnoz_skut_realizovane, BlokovaniEditoru, "
     "DavkaTPV, mnozstvi, mnozstviSeZtratou, predzpracovano, Mnoz_nepotrebne, pozice, FixniMnozstvi, "
     "ProcZtrat, Prirez, VyraditZKalkulace, VyrStredisko, IDPracoviste, priorita"},
    {"TabPrikazP", "IDPrikaz, IDKmenZbozi, mnoz_zad, DavkaTPV"},
    {"TabCOdchylek", "ID, platnost"},
    {"TabPrikazMzdyAZmetky", "ID, IDPrikaz, DokladPrPostup, AltPrPostup, kusy_odv, kusy_zmet_neopr, "
                             "Sk_cas_Obsluhy_N, Sk_cas_Obsluhy_S, Zamestnanec, IDPracoviste, datum_X, Stav, "
                             "ZbyvaOdvestNaSkladNeshod, VyrCislo, GenerovanaMatVydejka"},
    {"TabVyrCisPrikaz", "ID, IDPrikaz, VyrCislo, Mnozstvi"},
    {"TabPrikazZdrojOZ", "IDPrikaz, IDRezervace"},
    {"TabZakazka", "ID, CisloZakazky"},
    {"TabPlan", "ID, IDZakazka"},
    {"TabAdvKapacPlan", "ID, Aktivni"},
    {"TabAdvKPProfese", "IDAdvKapacPlan, IDVyrPerZdroje, LocalID, LocalIDDavky"},
    {"TabAdvKPDavky", "IDPrikaz, DokladPrPostup, AltPrPostup, IDAdvKapacPlan, LocalID"},
    {"TabVyrPerZdroje", "ID, IDZam"},
    {"TabKmenZbozi",
     "ID, SkupZbo, RegCis, Nazev1, KontrolaVyrC, Hmotnost, MJEvidence, Blokovano, Upozorneni, "
     "IDKusovnik, montaz"},
    {"TabKmenZbozi_EXT", "ID, _Dunar_FyzyckyPrevazeno"},
    {"TabSkupinyZbozi", "SkupZbo, Nazev"},
    {"TabMJ", "Kod, Nedelitelna"},
    {"TabStavSkladu", "ID, IDSklad, IDKmenZbozi, Mnozstvi"},
    {"TabUmisteni", "ID, Kod, Nazev, IDSklad, Blokovano"},
    {"TabUmisteni_EXT", "ID, _UmisteniProPrijemZVyroby, _UmisteniProPrijemZmetku"},
    {"TabVyrCS", "ID, IDStavSkladu, Nazev1, Mnozstvi"},
    {"TabVyrCP", "ID, IDPolozkaDokladu, Mnozstvi, IDVyrCS"},
    {"TabBarCodeZbo", "IDKmenZbo, BarCode"},
    {"TabParKmZ", "IDKmenZbozi, SkladNeshod"},
    {"TabDruhDokZbo", "ID, RadaDokladu, DruhPohybuZbo"},
    {"TabDokladyZbozi", "ID, ParovaciZnak, CisloZam, NOkruhCislo, CisloOrg"},
    {"TabPohybyZbozi", "ID, IDDoklad, IDZboSklad, Mnozstvi, PrepMnozstvi"},
    {"TabDokumenty", "ID"},
    {"TabDokumVazba", "IdDok, IdentVazby, IdTab"},
    {"TabCisOrg", "CisloOrg"},
    {"TabDPH", "Sazba"},
    {"TabKodMen", "Kod"},
    {"Korvel_PohybUmisteni",
     "IDStavSkladu, IDKmenZbozi, IDVyrCis, IDUmisteni, DruhPohybu, Mnozstvi, IDPohZbo"},
    {"TabZurnal", "Druh, Akce, Popis"},
};

tsql::SessionOptions optionsFor(const std::string& login) {
    tsql::SessionOptions options;
    options.login = login;
    return options;
}

class HostTablesTest : public ::testing::Test {
protected:
    void SetUp() override { runHostSchema(session); }

    // The last result set of a batch that must run without an error (empty after a failure).
    tsql::ResultSet lastResult(const std::string& batch) {
        const auto result = session.run(batch);
        const tsql::Message* error = result.firstError();
        EXPECT_EQ(error, nullptr) << (error ? error->text : "");
        if (error != nullptr || result.items.empty() ||
            !std::holds_alternative<tsql::ResultSet>(result.items.back()))
            return {};
        return std::get<tsql::ResultSet>(result.items.back());
    }

    tsql::Session session{tsql::Database::open(":memory:"), optionsFor("terminal1")};
};

TEST_F(HostTablesTest, EveryReferencedColumnExists) {
    for (const auto& t : kReferencedColumns) {
        const auto result = session.run(std::string("SELECT TOP 1 ") + t.columns + " FROM " + t.table);
        const tsql::Message* error = result.firstError();
        EXPECT_EQ(error, nullptr) << t.table << ": " << (error ? error->text : "");
    }
}

// The window-size INSERT leaves the login out and relies on the column's default.
TEST_F(HostTablesTest, WindowSizeRowsBelongToTheLoggedInUser) {
    const auto set = lastResult("INSERT INTO TabVelikostEditOkna (FormIdent, FormLeft, FormTop, FormWidth, "
                                "FormHeight, Maximized) VALUES (N'plgEdit_1', 10, 20, 640, 480, 0)\n"
                                "SELECT LoginName FROM TabVelikostEditOkna WHERE FormIdent = N'plgEdit_1'");
    ASSERT_EQ(set.rows.size(), 1u);
    EXPECT_EQ(set.rows[0][0].asText(), "terminal1");
}

// The plug-in's workplace view lists its own columns and then every column of the cost-centre
// table; a view needs unique column names.
TEST_F(HostTablesTest, CostCentreColumnsDoNotClashWithTheWorkplaceViewsOwn) {
    const auto set =
        lastResult("SELECT X_ID = cp.ID, Pracoviste = cp.Pracoviste, PracovisteNazev = cp.Nazev, "
                   "StromCislo = s.CisloStr, StromNazev = s.Nazev, s.* FROM TabCPraco cp "
                   "INNER JOIN TabStrom s ON s.Cislo = cp.IDTabStrom WHERE cp.Blokovano = 0");
    ASSERT_FALSE(set.columns.empty());
    std::set<std::string> names;
    for (const auto& column : set.columns) {
        std::string lower = column.name;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(names.insert(lower).second) << "column " << column.name << " twice";
    }
}

// A stock card the plug-in creates names only its warehouse and item; it starts empty.
TEST_F(HostTablesTest, NewStockCardsAndSerialNumbersStartEmpty) {
    const auto set = lastResult(
        "INSERT INTO TabStrom (Cislo, Sklad) VALUES (N'002', 1)\n"
        "INSERT INTO TabSkupinyZbozi (SkupZbo, Nazev) VALUES (N'600', N'Výrobky')\n"
        "INSERT INTO TabKmenZbozi (SkupZbo, RegCis) VALUES (N'600', N'600001')\n"
        "INSERT INTO TabStavSkladu (IDSklad, IDKmenZbozi) VALUES (N'002', SCOPE_IDENTITY())\n"
        "INSERT INTO TabVyrCS (IDStavSkladu, Nazev1) VALUES (SCOPE_IDENTITY(), N'600001000000001')\n"
        "SELECT ss.Mnozstvi, vc.Mnozstvi FROM TabStavSkladu ss "
        "INNER JOIN TabVyrCS vc ON vc.IDStavSkladu = ss.ID");
    ASSERT_EQ(set.rows.size(), 1u);
    EXPECT_TRUE(set.rows[0][0].asDecimal().isZero());
    EXPECT_TRUE(set.rows[0][1].asDecimal().isZero());
}

} // namespace
} // namespace devhost
