#include "DemoOrganisation.h"

#include "InsertWriter.h"

#include <array>

namespace devhost::detail {

namespace {

struct CostCentre {
    const char* code;
    const char* name;
    bool warehouse;
    bool withSeries; // production centres issue and receive with the plant's document kinds
    bool blocked;
};

constexpr std::array kCostCentres{
    CostCentre{"100", "Vedení a technická příprava", false, false, false},
    CostCentre{"200", "Obrobna", false, true, false},
    CostCentre{"210", "Svařovna a lakovna", false, true, false},
    CostCentre{"300", "Montáž", false, true, false},
    CostCentre{"400", "Údržba (zrušeno)", false, false, true},
    CostCentre{kMaterialWarehouse, "Sklad materiálu", true, false, false},
    CostCentre{kProductWarehouse, "Sklad hotových výrobků", true, false, false},
    CostCentre{kNonconformingWarehouse, "Sklad neshodných výrobků", true, false, false},
};

struct Workplace {
    const char* code;
    const char* name;
    const char* centre;
    bool grouping;
    bool blocked;
    const char* processingLocation;
};

constexpr std::array kWorkplaces{
    Workplace{"PIL01", "Pila pásová", "200", false, false, ""},
    Workplace{"CNC01", "Soustruh CNC SP 280", "200", false, false, "V-OBR"},
    Workplace{"CNC02", "Soustruh CNC SP 430", "200", false, false, "V-OBR"},
    Workplace{"FRE01", "Frézovací centrum MCV 1000", "200", false, false, "V-OBR"},
    Workplace{"FRE02", "Frézka konzolová FA 5", "200", false, false, ""},
    Workplace{"VRT01", "Vrtačka sloupová", "200", false, false, ""},
    Workplace{"BRU01", "Bruska na kulato", "200", false, false, ""},
    Workplace{"SVA01", "Svařovací pracoviště MIG", "210", false, false, ""},
    Workplace{"SVA02", "Svařovací robot", "210", true, false, ""},
    Workplace{"LAK01", "Lakovací box", "210", true, false, ""},
    Workplace{"MON01", "Montážní linka 1", "300", false, false, "V-MON"},
    Workplace{"MON02", "Montážní linka 2", "300", false, false, "V-MON"},
    Workplace{"KON01", "Výstupní kontrola", "300", false, false, ""},
    Workplace{"OHR01", "Ohraňovací lis (vyřazen)", "200", false, true, ""},
};

constexpr std::array kSurnames{"Novák",  "Svoboda", "Novotný", "Dvořák", "Černý",    "Procházka", "Kučera",
                               "Veselý", "Horák",   "Němec",   "Marek",  "Pospíšil", "Hájek",     "Jelínek",
                               "Král",   "Růžička", "Beneš",   "Fiala",  "Sedláček", "Doležal"};
constexpr std::array kFirstNames{"Jan",   "Petr",     "Josef",    "Pavel",  "Martin",
                                 "Tomáš", "Jaroslav", "Miroslav", "Jiří",   "Karel",
                                 "Lukáš", "David",    "Ondřej",   "Zdeněk", "Michal"};

} // namespace

void writeHostSettings(DemoContext& demo) {
    InsertWriter glob(demo.session, "TabHGlob",
                      {"Legislativa", "DelkaPoziceKV", "ZarovnaniPoziceKV", "DelkaRegCislaZbozi",
                       "ZarovnaniRegCislaZbozi", "ZarovnaniOperaceTechPos", "RadaPrijemZmetku",
                       "NazevFirmy"});
    glob.add({integer(0), integer(0), integer(0), integer(6), integer(1), integer(1), text("PZN"),
              text("Strojírna Dolní Lhota s.r.o.")});
    glob.finish();

    InsertWriter users(demo.session, "TabUziv", {"LoginName", "Jmeno", "Jazyk", "Jazyk2"});
    InsertWriter config(demo.session, "TabUserCfg", {"LoginName", "SadaIkonek"});
    for (const char* login : {"sa", "mistr", "terminal1", "terminal2"}) {
        users.add({text(login), text(login), integer(1), integer(-1)});
        config.add({text(login), integer(0)});
    }
    users.finish();
    config.finish();

    InsertWriter kinds(demo.session, "TabDruhDokZbo", {"RadaDokladu", "DruhPohybuZbo", "Nazev"});
    kinds.add({text("VYR"), integer(2), text("Výdejka materiálu do výroby")}); // 1
    kinds.add({text("PRV"), integer(0), text("Příjemka z výroby")});           // 2
    kinds.add({text("PZN"), integer(0), text("Příjemka zmetků")});             // 3
    kinds.add({text("PRE"), integer(4), text("Převodka mezi sklady")});        // 4
    kinds.add({text("OBP"), integer(9), text("Objednávka přijatá")});          // 5: customers' reservations
    kinds.finish();

    InsertWriter orgs(demo.session, "TabCisOrg", {"CisloOrg", "Nazev"});
    orgs.add({integer(1001), text("Ocelárny Třinec a.s.")});
    orgs.add({integer(1002), text("Ložiska Brno s.r.o.")});
    orgs.add({integer(1003), text("Pohony Přerov a.s.")});
    orgs.finish();

    InsertWriter vat(demo.session, "TabDPH", {"Sazba", "Nazev"});
    vat.add({quantity(0), text("Osvobozeno")});
    vat.add({quantity(12000), text("Snížená sazba")});
    vat.add({quantity(21000), text("Základní sazba")});
    vat.finish();

    InsertWriter currencies(demo.session, "TabKodMen", {"Kod", "Nazev"});
    currencies.add({text("CZK"), text("Koruna česká")});
    currencies.add({text("EUR"), text("Euro")});
    currencies.finish();
}

void writeCostCentres(DemoContext& demo) {
    InsertWriter tree(demo.session, "TabStrom", {"Cislo", "CisloStr", "Nazev", "IDPredek", "Sklad"});
    InsertWriter ext(demo.session, "TabStrom_EXT", {"ID", "_RadaVydejVyroba", "_RadaPrijemVyroba"}, false);
    InsertWriter periods(demo.session, "TabStromDef", {"IDStrom", "IDObdobi", "Blokovano", "Zakazano"});
    ext.dependsOn(tree);
    periods.dependsOn(tree);
    for (const auto& c : kCostCentres) {
        const std::string code = c.code;
        const std::string dotted = code.substr(0, 1) + "." + code.substr(1);
        const auto id = tree.add({text(code), text(dotted), text(c.name), none(), flag(c.warehouse)});
        if (c.withSeries) {
            ext.add({integer(id), integer(1), integer(2)});
            demo.plant.productionCentres.push_back(code);
        }
        periods.add({integer(id), integer(0), flag(c.blocked), flag(c.blocked)});
    }
    tree.finish();
    ext.finish();
    periods.finish();
}

void writeWorkplaces(DemoContext& demo) {
    InsertWriter workplaces(demo.session, "TabCPraco", {"Pracoviste", "Nazev", "IDTabStrom", "Blokovano"});
    InsertWriter ext(demo.session, "TabCPraco_EXT", {"ID", "_SdruzeniOperaci", "_UmisteniZpracovaniVP"},
                     false);
    ext.dependsOn(workplaces);
    for (int i = 0; i < demo.counts.workplaces; ++i) {
        Workplace w{};
        std::string code;
        std::string name;
        if (i < static_cast<int>(kWorkplaces.size())) {
            w = kWorkplaces[static_cast<std::size_t>(i)];
            code = w.code;
            name = w.name;
        } else {
            w = Workplace{"", "", demo.random.pick(demo.plant.productionCentres).c_str(), false, false, ""};
            code = "PRC" + zeroPadded(i + 1, 2);
            name = "Pracoviště " + std::to_string(i + 1);
        }
        const std::string centre = w.centre;
        const auto id = workplaces.add({text(code), text(name), text(centre), flag(w.blocked)});
        const std::string location = w.processingLocation;
        ext.add({integer(id), flag(w.grouping), location.empty() ? none() : text(location)});
        demo.plant.workplaces.push_back(DemoWorkplace{id, code, centre, w.blocked});
    }
    workplaces.finish();
    ext.finish();
}

void writeEmployees(DemoContext& demo) {
    InsertWriter employees(demo.session, "TabCisZam",
                           {"Cislo", "Prijmeni", "Jmeno", "PrijmeniJmeno", "Stredisko", "KodCipu"});
    InsertWriter ext(demo.session, "TabCisZam_Ext", {"ID", "_VstupniKodLCD"}, false);
    InsertWriter circles(demo.session, "TabNakladovyOkruh", {"Cislo", "Nazev"});
    ext.dependsOn(employees);
    const std::vector<std::string> surnames(kSurnames.begin(), kSurnames.end());
    const std::vector<std::string> firstNames(kFirstNames.begin(), kFirstNames.end());
    for (int i = 0; i < demo.counts.employees; ++i) {
        const int number = 101 + i;
        const std::string surname = demo.random.pick(surnames);
        const std::string firstName = demo.random.pick(firstNames);
        // The last employee of every thirty sits in the management centre, which has no series.
        const std::string centre =
            (i % 30 == 29) ? std::string("100") : demo.random.pick(demo.plant.productionCentres);
        const std::string chip =
            zeroPadded(4200000 + static_cast<std::int64_t>(i) * 7919 + demo.random.between(0, 7918), 10);
        const auto id = employees.add({integer(number), text(surname), text(firstName),
                                       text(surname + " " + firstName), text(centre), text(chip)});
        ext.add({integer(id), text(chip)});
        demo.plant.employees.push_back(id);
        if (i < 5)
            circles.add({text(std::to_string(number)), text("Nákladový okruh " + surname)});
    }
    circles.add({text("A1"), text("Režie dílny")});
    employees.finish();
    ext.finish();
    circles.finish();
}

} // namespace devhost::detail
