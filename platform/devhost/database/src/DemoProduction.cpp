#include "DemoProduction.h"

#include "InsertWriter.h"
#include "RunBatch.h"

#include <algorithm>
#include <array>

namespace devhost::detail {

namespace {

constexpr int kReleased = 30;
constexpr int kPlanned = 20;
constexpr int kFinished = 40;

struct OperationTemplate {
    const char* name;
    std::array<const char*, 2> workplaces; // the second is an alternative, or empty
};

// Routings of parts made from bars and plates, and of welded and assembled products.
constexpr std::array kMachiningRouting{
    OperationTemplate{"Dělení materiálu", {"PIL01", ""}},
    OperationTemplate{"Soustružení", {"CNC01", "CNC02"}},
    OperationTemplate{"Frézování", {"FRE01", "FRE02"}},
    OperationTemplate{"Vrtání a závitování", {"VRT01", ""}},
    OperationTemplate{"Broušení", {"BRU01", ""}},
    OperationTemplate{"Odjehlení", {"VRT01", ""}},
    OperationTemplate{"Konzervace", {"LAK01", ""}},
    OperationTemplate{"Kontrola rozměrů", {"KON01", ""}},
};
constexpr std::array kAssemblyRouting{
    OperationTemplate{"Svaření rámu", {"SVA01", "SVA02"}},
    OperationTemplate{"Tryskání", {"LAK01", ""}},
    OperationTemplate{"Lakování", {"LAK01", ""}},
    OperationTemplate{"Předmontáž", {"MON01", ""}},
    OperationTemplate{"Montáž pohonu", {"MON01", "MON02"}},
    OperationTemplate{"Zkouška chodu", {"KON01", ""}},
    OperationTemplate{"Balení", {"MON02", ""}},
    OperationTemplate{"Výstupní kontrola", {"KON01", ""}},
};

struct Series {
    const char* code;
    const char* name;
    int share; // per cent of the orders
};
constexpr std::array kSeries{Series{"VP", "Výrobní příkazy", 80}, Series{"VPS", "Servisní zakázky", 15},
                             Series{"PRO", "Prototypy", 5}};

const DemoWorkplace* findWorkplace(const DemoPlant& plant, const std::string& code) {
    for (const auto& w : plant.workplaces) {
        if (w.code == code)
            return &w;
    }
    return nullptr;
}

std::string operationNumber(int doklad) {
    std::string number = std::to_string(doklad * 10);
    return std::string(4 - std::min<std::size_t>(4, number.size()), ' ') + number;
}

struct OrderWriters {
    OrderWriters(tsql::Session& s, std::int32_t stockSerialRows)
        : orders(s, "TabPrikaz",
                 {"Rada", "Prikaz", "RadaPrikaz", "IDTabKmen", "IDZakazka", "IDPlan", "IDPrikazRidici",
                  "kusy_zad", "kusy_ciste", "kusy_zive", "StavPrikazu", "KmenoveStredisko", "CelkNakl",
                  "DatPorizeni"}),
          orderExt(s, "TabPrikaz_EXT", {"ID", "_puvodniZadaneMnozstvi"}, false),
          routing(s, "TabPrPostup", {"IDPrikaz",        "Doklad",        "Alt",      "IDOdchylkyOd",
                                     "IDOdchylkyDo",    "Operace",       "Nazev",    "pracoviste",
                                     "Dilec",           "Barcode",       "Kusy_zad", "Kusy_zive",
                                     "KusyPredOperaci", "Prednastaveno", "Odvadeci", "TAC_S",
                                     "TAC_J_S",         "DavkaTPV_VO",   "TBC_N",    "TEC_N",
                                     "BlokovaniEditoru"}),
          materials(s, "TabPrKVazby",
                    {"IDPrikaz", "Doklad", "vyssi", "nizsi", "operace", "pozice", "RezijniMat", "Sklad",
                     "mnoz_zad", "mnozstvi", "mnozstviSeZtratou", "DavkaTPV", "VyrStredisko", "IDPracoviste",
                     "priorita"}),
          items(s, "TabPrikazP", {"IDPrikaz", "IDKmenZbozi", "mnoz_zad", "DavkaTPV"}),
          orderSerials(s, "TabVyrCisPrikaz", {"IDPrikaz", "VyrCislo", "Mnozstvi", "DatPorizeni"}),
          stockSerials(s, "TabVyrCS", {"IDStavSkladu", "Nazev1", "Mnozstvi", "DatPorizeni"}, true,
                       stockSerialRows),
          reservations(s, "TabDokladyZbozi",
                       {"RadaDokladu", "DruhPohybuZbo", "PoradoveCislo", "ParovaciZnak", "IDSklad",
                        "CisloOrg", "IDPrikaz", "DatPorizeni"}),
          reservationItems(s, "TabPohybyZbozi",
                           {"IDDoklad", "IDZboSklad", "Mnozstvi", "PrepMnozstvi", "IDPrikaz"}),
          sources(s, "TabPrikazZdrojOZ", {"IDPrikaz", "IDRezervace"}) {
        for (InsertWriter* child : {&orderExt, &routing, &materials, &items, &orderSerials, &sources})
            child->dependsOn(orders);
        reservationItems.dependsOn(reservations);
        sources.dependsOn(reservationItems);
    }
    void finish() {
        for (InsertWriter* w : {&orders, &orderExt, &routing, &materials, &items, &orderSerials,
                                &stockSerials, &reservations, &reservationItems, &sources})
            w->finish();
    }
    InsertWriter orders, orderExt, routing, materials, items, orderSerials, stockSerials, reservations,
        reservationItems, sources;
};

struct OrderPlan {
    std::int32_t id = 0;
    int index = 0;
    int state = kReleased;
    const DemoItem* part = nullptr;
    std::int64_t pieces = 0; // whole pieces
    std::string warehouse;
};

void writeRouting(DemoContext& demo, OrderWriters& w, const OrderPlan& order,
                  std::vector<std::pair<std::string, std::int32_t>>& operations) {
    const bool assembled = order.part->group == "600";
    const auto& templates =
        assembled ? std::vector<OperationTemplate>(kAssemblyRouting.begin(), kAssemblyRouting.end())
                  : std::vector<OperationTemplate>(kMachiningRouting.begin(), kMachiningRouting.end());
    const int count = demo.random.between(3, 8);
    const auto pieces = quantity(order.pieces * 1000);
    for (int k = 0; k < count; ++k) {
        const int doklad = k + 1;
        const auto& t = templates[static_cast<std::size_t>(k)];
        std::string code = t.workplaces[0];
        if (std::string(t.workplaces[1]).size() > 0 && demo.random.percent(50))
            code = t.workplaces[1];
        const DemoWorkplace* place = findWorkplace(demo.plant, code);
        // Bigger plants spread some of the work over their further workplaces.
        if (static_cast<int>(demo.plant.workplaces.size()) > 14 && demo.random.percent(20))
            place = &demo.plant.workplaces[static_cast<std::size_t>(
                demo.random.between(14, static_cast<int>(demo.plant.workplaces.size()) - 1))];
        const int batch = demo.random.percent(20) ? 10 : 1;
        const int unitSeconds = demo.random.between(60, 1800);
        const std::string barcode = "A" + zeroPadded(order.id, 7) + zeroPadded(doklad, 2) + "B";
        const bool first = k == 0;
        const bool last = k == count - 1;
        // Order 4 had its first operation changed by a deviation; order 5 has an operation from a
        // deviation that is no longer valid; order 6 has a row open in a host editor.
        if (order.index == 3 && first) {
            w.routing.add({integer(order.id),
                           integer(doklad),
                           text("A"),
                           none(),
                           integer(demo.plant.validDeviation),
                           text(operationNumber(doklad)),
                           text(std::string(t.name) + " (původní)"),
                           integer(place->id),
                           integer(order.part->id),
                           none(),
                           pieces,
                           pieces,
                           pieces,
                           flag(true),
                           flag(false),
                           integer(unitSeconds * batch),
                           integer(unitSeconds),
                           integer(batch),
                           integer(15),
                           integer(0),
                           none()});
        }
        const auto deviationFrom = (order.index == 3 && first)    ? integer(demo.plant.validDeviation)
                                   : (order.index == 4 && k == 1) ? integer(demo.plant.invalidDeviation)
                                                                  : none();
        const auto editor = (order.index == 5 && first) ? integer(60) : none();
        w.routing.add({integer(order.id),
                       integer(doklad),
                       text("A"),
                       deviationFrom,
                       none(),
                       text(operationNumber(doklad)),
                       text(t.name),
                       integer(place->id),
                       integer(order.part->id),
                       text(barcode),
                       pieces,
                       pieces,
                       first ? pieces : quantity(0),
                       flag(true),
                       flag(last),
                       integer(unitSeconds * batch),
                       integer(unitSeconds),
                       integer(batch),
                       integer(demo.random.between(0, 60)),
                       integer(0),
                       editor});
        operations.emplace_back(operationNumber(doklad), place->id);
        // Every tenth order may run its second operation on an alternative workplace.
        if (order.index % 10 == 9 && k == 1) {
            const DemoWorkplace* alternative =
                findWorkplace(demo.plant, t.workplaces[1][0] ? t.workplaces[1] : "KON01");
            w.routing.add({integer(order.id),
                           integer(doklad),
                           text("B"),
                           none(),
                           none(),
                           text(operationNumber(doklad)),
                           text(std::string(t.name) + " (alternativa)"),
                           integer(alternative->id),
                           integer(order.part->id),
                           text("A" + zeroPadded(order.id, 7) + zeroPadded(doklad, 2) + "2B"),
                           pieces,
                           pieces,
                           quantity(0),
                           flag(false),
                           flag(false),
                           integer(unitSeconds * batch * 2),
                           integer(unitSeconds * 2),
                           integer(batch),
                           integer(30),
                           integer(0),
                           none()});
        }
    }
}

void writeBillOfMaterial(DemoContext& demo, OrderWriters& w, const OrderPlan& order,
                         const std::vector<std::pair<std::string, std::int32_t>>& operations) {
    const bool assembled = order.part->group == "600";
    std::vector<const DemoItem*> candidates;
    for (const auto& m : demo.plant.materials) {
        const bool fits = assembled ? (m.group != "100") : (m.group == "100" || m.group == "200");
        if (fits)
            candidates.push_back(&m);
    }
    if (assembled) {
        for (const auto& p : demo.plant.parts) {
            if (p.group == "500")
                candidates.push_back(&p);
        }
    }
    std::vector<const DemoItem*> chosen;
    const int count = demo.random.between(2, 5);
    for (int tries = 0; static_cast<int>(chosen.size()) < count && tries < 40; ++tries) {
        const DemoItem* c = demo.random.pick(candidates);
        if (std::find(chosen.begin(), chosen.end(), c) == chosen.end())
            chosen.push_back(c);
    }
    int doklad = 0;
    for (const DemoItem* m : chosen) {
        ++doklad;
        const std::int64_t perPiece =
            m->countedInPieces() ? demo.random.between(1, 8) * 1000LL : demo.random.between(250, 5000);
        const std::int64_t total = perPiece * order.pieces;
        const bool firstOperation = demo.random.percent(20);
        const auto& operation = firstOperation ? operations.front()
                                               : operations[static_cast<std::size_t>(demo.random.between(
                                                     0, static_cast<int>(operations.size()) - 1))];
        w.materials.add({integer(order.id), integer(doklad), integer(order.part->id), integer(m->id),
                         firstOperation ? text("") : text(operation.first), text(zeroPadded(doklad * 10, 3)),
                         flag(m->overhead), text(kMaterialWarehouse), quantity(total), quantity(perPiece),
                         quantity(total), integer(1), text(demo.random.pick(demo.plant.productionCentres)),
                         integer(operation.second), integer(doklad)});
    }
}

void writeSerialNumbers(DemoContext& demo, OrderWriters& w, const OrderPlan& order) {
    const auto card = demo.plant.stockCards.find({order.warehouse, order.part->id});
    if (card == demo.plant.stockCards.end())
        return;
    for (std::int64_t s = 0; s < order.pieces; ++s) {
        const std::string serial = demo.takeSerialNumber(*order.part);
        w.orderSerials.add({integer(order.id), text(serial), quantity(1000), at(-2, static_cast<int>(s))});
        w.stockSerials.add({integer(card->second), text(serial), quantity(0), at(-2, static_cast<int>(s))});
    }
}

// A customer's order of the products, which the production order makes: the organisation of the
// measured values comes from it.
void writeReservation(DemoContext& demo, OrderWriters& w, const OrderPlan& order) {
    const auto card = demo.plant.stockCards.find({kProductWarehouse, order.part->id});
    if (card == demo.plant.stockCards.end())
        return;
    const int number = w.reservations.rowsAdded() + 1;
    const auto document =
        w.reservations.add({text("OBP"), integer(9), integer(number), text("OBP-" + zeroPadded(number, 6)),
                            text(kProductWarehouse), integer(demo.random.between(1001, 1003)),
                            integer(order.id), at(-demo.random.between(40, 60))});
    const auto item =
        w.reservationItems.add({integer(document), integer(card->second), quantity(order.pieces * 1000),
                                quantity(1000), integer(order.id)});
    w.sources.add({integer(order.id), integer(item)});
}

} // namespace

void writeSeriesAndJobs(DemoContext& demo) {
    InsertWriter series(
        demo.session, "TabRadyPrikazu",
        {"Rada", "Nazev", "PrijemZmetku_SkladProGenHlavDZ", "PredvyplnitVyrCisPriPrijmuZmetku"});
    InsertWriter ext(demo.session, "TabRadyPrikazu_EXT",
                     {"ID", "_PolozkaKusovnikuZLCD", "_ZjednuduseniEvidenceLCD"}, false);
    ext.dependsOn(series);
    const auto vp =
        series.add({text("VP"), text("Výrobní příkazy"), text(kNonconformingWarehouse), flag(true)});
    const auto vps = series.add({text("VPS"), text("Servisní zakázky"), none(), flag(false)});
    series.add({text("PRO"), text("Prototypy"), none(), flag(false)});
    ext.add({integer(vp), flag(true), flag(false)});
    ext.add({integer(vps), flag(false), flag(true)});
    series.finish();
    ext.finish();

    InsertWriter jobs(demo.session, "TabZakazka", {"CisloZakazky", "Nazev"});
    for (const char* name : {"Dopravník DP 12 - Cukrovar Hrušovany", "Linka balení - Pekárny Zlín",
                             "Náhradní díly 2026", "Modernizace lakovny", "Dopravníky pro sklad Ostrava"})
        demo.plant.jobs.push_back(jobs.add({text("Z26-" + zeroPadded(jobs.rowsAdded() + 1, 3)), text(name)}));
    jobs.finish();

    InsertWriter plans(demo.session, "TabPlan", {"Rada", "Nazev", "IDZakazka"});
    plans.dependsOn(jobs);
    demo.plant.plans.push_back(
        plans.add({text("PL"), text("Plán výroby srpen"), integer(demo.plant.jobs[0])}));
    demo.plant.plans.push_back(
        plans.add({text("PL"), text("Plán výroby září"), integer(demo.plant.jobs[4])}));
    demo.plant.plans.push_back(plans.add({text("PL"), text("Rezerva kapacit"), none()}));
    plans.finish();

    InsertWriter deviations(demo.session, "TabCOdchylek", {"Cislo", "Nazev", "platnost"});
    demo.plant.validDeviation = deviations.add({text("OD-01"), text("Změna technologie dělení"), flag(true)});
    demo.plant.invalidDeviation =
        deviations.add({text("OD-02"), text("Zrušená odchylka lakování"), flag(false)});
    deviations.finish();
}

void writeOrders(DemoContext& demo) {
    OrderWriters w(demo.session, demo.plant.stockSerialRows);
    std::array<int, kSeries.size()> numbers{};
    std::vector<std::int32_t> productOrders;
    const int total = demo.counts.releasedOrders + demo.counts.otherOrders;
    for (int i = 0; i < total; ++i) {
        OrderPlan order;
        order.index = i;
        order.id = w.orders.rowsAdded() + 1;
        order.state = i < demo.counts.releasedOrders
                          ? kReleased
                          : ((i - demo.counts.releasedOrders) % 5 < 3 ? kPlanned : kFinished);
        order.part = &demo.random.pick(demo.plant.parts);
        order.pieces = order.part->serialTracked() ? demo.random.between(1, 5) : demo.random.between(5, 60);
        // Order 8 lacks the warehouse its parts are received into.
        order.warehouse =
            i == 7 ? std::string() : (order.part->group == "600" ? kProductWarehouse : kMaterialWarehouse);
        const int roll = demo.random.between(1, 100);
        std::size_t s = 0;
        for (int acc = kSeries[0].share; roll > acc && s + 1 < kSeries.size(); acc += kSeries[++s].share) {
        }
        const int number = ++numbers[s];
        const std::string rada = kSeries[s].code;
        const bool hasJob = demo.random.percent(60);
        const bool hasPlan = demo.random.percent(30);
        // Semi-products are often made for an earlier product order, which governs them.
        std::int32_t governing = order.id;
        if (order.part->group == "500" && !productOrders.empty() && demo.random.percent(50))
            governing = demo.random.pick(productOrders);
        if (order.part->group == "600")
            productOrders.push_back(order.id);
        const auto pieces = quantity(order.pieces * 1000);
        w.orders.add({text(rada), integer(number), text(rada + "/" + zeroPadded(number, 6)),
                      integer(order.part->id), hasJob ? integer(demo.random.pick(demo.plant.jobs)) : none(),
                      hasPlan ? integer(demo.random.pick(demo.plant.plans)) : none(), integer(governing),
                      pieces, pieces, order.state == kFinished ? quantity(0) : pieces, integer(order.state),
                      order.warehouse.empty() ? none() : text(order.warehouse),
                      quantity(demo.random.between(1000, 250000) * 1000LL), at(-demo.random.between(3, 40))});
        w.orderExt.add({integer(order.id), pieces});
        std::vector<std::pair<std::string, std::int32_t>> operations;
        writeRouting(demo, w, order, operations);
        writeBillOfMaterial(demo, w, order, operations);
        w.items.add({integer(order.id), integer(order.part->id), pieces, integer(1)});
        if (order.state == kReleased && order.part->serialTracked() && i % 2 == 0)
            writeSerialNumbers(demo, w, order);
        if (order.part->group == "600" && demo.random.percent(40))
            writeReservation(demo, w, order);
    }
    w.finish();
    // A routing row's first version is its own.
    runOrThrow(demo.session, "UPDATE TabPrPostup SET ID1 = ID WHERE ID1 IS NULL",
               "demo data for TabPrPostup");
}

void writeCapacityPlans(DemoContext& demo) {
    InsertWriter resources(demo.session, "TabVyrPerZdroje", {"Nazev", "IDZam"});
    InsertWriter plans(demo.session, "TabAdvKapacPlan", {"Nazev", "Aktivni"});
    InsertWriter batches(demo.session, "TabAdvKPDavky",
                         {"IDAdvKapacPlan", "LocalID", "IDPrikaz", "DokladPrPostup", "AltPrPostup"});
    InsertWriter professions(demo.session, "TabAdvKPProfese",
                             {"IDAdvKapacPlan", "LocalID", "LocalIDDavky", "IDVyrPerZdroje"});
    batches.dependsOn(plans);
    professions.dependsOn(plans);
    professions.dependsOn(resources);
    std::vector<std::int32_t> resourceIds;
    for (std::size_t i = 0; i < 5 && i < demo.plant.employees.size(); ++i)
        resourceIds.push_back(
            resources.add({text("Obsluha " + std::to_string(i + 1)), integer(demo.plant.employees[i])}));
    const auto active = plans.add({text("Plán kapacit 33. týden"), flag(true)});
    const auto old = plans.add({text("Plán kapacit 32. týden"), flag(false)});
    int local = 0;
    for (const auto plan : {active, old}) {
        for (int order = 1; order <= 10; ++order) {
            ++local;
            batches.add({integer(plan), integer(local), integer(order), integer(1), text("A")});
            professions.add({integer(plan), integer(local), integer(local),
                             integer(resourceIds[static_cast<std::size_t>(order) % resourceIds.size()])});
        }
    }
    resources.finish();
    plans.finish();
    batches.finish();
    professions.finish();
}

} // namespace devhost::detail
