#include "DemoStock.h"

#include "InsertWriter.h"

#include <array>

namespace devhost::detail {

namespace {

struct ItemTemplate {
    const char* group;
    const char* regCis;
    const char* name;
    const char* unit;
    int grams; // weight of one unit
    char serialCheck;
    bool overhead;
    bool blocked;
    const char* warning;
};

constexpr std::array kMaterials{
    ItemTemplate{"100", "100001", "Tyč kruhová 11SMn30 ø20", "m", 2466, 'N', false, false, ""},
    ItemTemplate{"100", "100002", "Tyč kruhová C45 ø40", "m", 9865, 'N', false, false, ""},
    ItemTemplate{"100", "100003", "Plech P3 S235JR 1500x3000", "kg", 1000, 'N', false, false, ""},
    ItemTemplate{"100", "100004", "Plech P5 S235JR 1500x3000", "kg", 1000, 'N', false, false, ""},
    ItemTemplate{"100", "100005", "Trubka bezešvá 48,3x3,2", "m", 3560, 'N', false, false, ""},
    ItemTemplate{"100", "100006", "Profil L 50x50x5", "m", 3770, 'N', false, false, ""},
    ItemTemplate{"200", "200001", "Šroub M8x25 8.8 ISO 4017", "ks", 13, 'N', false, false, ""},
    ItemTemplate{"200", "200002", "Šroub M10x30 8.8 ISO 4017", "ks", 24, 'N', false, false, ""},
    ItemTemplate{"200", "200003", "Matice M8 ISO 4032", "ks", 5, 'N', false, false, ""},
    ItemTemplate{"200", "200004", "Podložka 8,4 ISO 7089", "ks", 2, 'N', false, false, ""},
    ItemTemplate{"200", "200005", "Kolík válcový 6x20", "ks", 4, 'N', false, false, ""},
    ItemTemplate{"300", "300001", "Ložisko 6204-2RS", "ks", 110, 'N', false, false, ""},
    ItemTemplate{"300", "300002", "Ložisko 6305-2Z", "ks", 230, 'N', false, false, ""},
    ItemTemplate{"300", "300003", "Elektromotor 1,1 kW 4P", "ks", 13500, 'A', false, false, ""},
    ItemTemplate{"300", "300004", "Převodovka šneková 1:30", "ks", 7800, 'A', false, false, ""},
    ItemTemplate{"300", "300005", "Těsnění hřídelové 25x40x7", "ks", 10, 'N', false, false, ""},
    ItemTemplate{"300", "300006", "Barva základní šedá", "kg", 1000, 'N', true, false, ""},
    ItemTemplate{"300", "300007", "Drát svařovací G3Si1 1,0", "kg", 1000, 'N', true, false, ""},
    ItemTemplate{"300", "300008", "Řemen klínový SPZ 1000", "ks", 150, 'N', false, true, ""},
    ItemTemplate{"300", "300009", "Kabel CYKY 3x1,5", "m", 120, 'N', false, false,
                 "Nahrazuje se typem CYKY-J 3x1,5"},
};

constexpr std::array kParts{
    ItemTemplate{"500", "500001", "Hřídel hnací", "ks", 1850, 'N', false, false, ""},
    ItemTemplate{"500", "500002", "Příruba motoru", "ks", 920, 'N', false, false, ""},
    ItemTemplate{"500", "500003", "Svařenec rámu", "ks", 24500, 'N', false, false, ""},
    ItemTemplate{"500", "500004", "Pouzdro ložiska", "ks", 640, 'N', false, false, ""},
    ItemTemplate{"600", "600001", "Pohon dopravníku PD 1", "ks", 38000, 'A', false, false, ""},
    ItemTemplate{"600", "600002", "Pohon dopravníku PD 2", "ks", 42000, 'A', false, false, ""},
    ItemTemplate{"600", "600003", "Napínací stanice NS 400", "ks", 16500, 'B', false, false, ""},
    ItemTemplate{"600", "600004", "Válec dopravníku VD 89", "ks", 7400, 'N', false, false, ""},
    ItemTemplate{"600", "600005", "Rám dopravníku RD 2000", "ks", 61000, 'N', false, false, ""},
    ItemTemplate{"600", "600006", "Konzola uchycení KU 1", "ks", 2100, 'N', false, false, ""},
};

struct Location {
    const char* warehouse;
    const char* code;
    const char* name;
    bool blocked;
    bool forProduction; // receipt of finished parts
    bool forScrap;      // receipt of scrap
};

constexpr std::array kLocations{
    Location{kMaterialWarehouse, "A-01-01", "Regál A, pole 1, patro 1", false, false, false},
    Location{kMaterialWarehouse, "A-01-02", "Regál A, pole 1, patro 2", false, false, false},
    Location{kMaterialWarehouse, "A-02-01", "Regál A, pole 2, patro 1", false, false, false},
    Location{kMaterialWarehouse, "A-02-02", "Regál A, pole 2, patro 2", false, false, false},
    Location{kMaterialWarehouse, "B-01-01", "Konzolový regál B, pole 1", false, false, false},
    Location{kMaterialWarehouse, "B-01-02", "Konzolový regál B, pole 2", false, false, false},
    Location{kMaterialWarehouse, "A-09-09", "Regál A, pole 9 (v opravě)", true, false, false},
    Location{kMaterialWarehouse, "V-OBR", "Příruční sklad obrobny", false, false, false},
    Location{kMaterialWarehouse, "V-MON", "Příruční sklad montáže", false, false, false},
    Location{kProductWarehouse, "H-01", "Expediční plocha 1", false, true, false},
    Location{kProductWarehouse, "H-02", "Expediční plocha 2", false, false, false},
    Location{kProductWarehouse, "H-03", "Mezisklad dílců", false, true, false},
    Location{kNonconformingWarehouse, "N-01", "Karanténa", false, false, true},
    Location{kNonconformingWarehouse, "N-02", "Šrotiště", false, false, false},
};
constexpr int kStorageLocationsForMaterial = 6; // the first six hold the material stock

DemoItem itemFrom(const ItemTemplate& t) {
    return DemoItem{0, t.group, t.regCis, t.name, t.unit, t.serialCheck, t.overhead, t.blocked};
}

// The templates first, then generated items of the same groups up to the count.
std::vector<std::pair<DemoItem, const ItemTemplate*>> itemsOf(const auto& templates, int count,
                                                              int firstNumber) {
    std::vector<std::pair<DemoItem, const ItemTemplate*>> items;
    for (int i = 0; i < count; ++i) {
        const auto& t = templates[static_cast<std::size_t>(i) % templates.size()];
        if (i < static_cast<int>(templates.size())) {
            items.emplace_back(itemFrom(t), &t);
            continue;
        }
        DemoItem generated = itemFrom(t);
        generated.regCis = zeroPadded(firstNumber + i, 6);
        generated.name = std::string(t.name) + " var. " + std::to_string(i / templates.size());
        generated.blocked = false;
        items.emplace_back(generated, &t);
    }
    return items;
}

} // namespace

void writeItems(DemoContext& demo) {
    InsertWriter units(demo.session, "TabMJ", {"Kod", "Nazev", "Nedelitelna"});
    units.add({text("ks"), text("kus"), flag(true)});
    units.add({text("kg"), text("kilogram"), flag(false)});
    units.add({text("m"), text("metr"), flag(false)});
    units.add({text("l"), text("litr"), flag(false)});
    units.finish();

    InsertWriter groups(demo.session, "TabSkupinyZbozi", {"SkupZbo", "Nazev"});
    groups.add({text("100"), text("Hutní materiál")});
    groups.add({text("200"), text("Spojovací materiál")});
    groups.add({text("300"), text("Nakupované díly")});
    groups.add({text("500"), text("Polotovary vlastní výroby")});
    groups.add({text("600"), text("Výrobky")});
    groups.finish();

    InsertWriter items(demo.session, "TabKmenZbozi",
                       {"SkupZbo", "RegCis", "Nazev1", "MJEvidence", "Hmotnost", "KontrolaVyrC", "Blokovano",
                        "Upozorneni", "montaz"});
    InsertWriter barCodes(demo.session, "TabBarCodeZbo", {"IDKmenZbo", "BarCode"});
    InsertWriter parameters(demo.session, "TabParKmZ", {"IDKmenZbozi", "SkladNeshod"});
    InsertWriter ext(demo.session, "TabKmenZbozi_EXT", {"ID", "_Dunar_FyzyckyPrevazeno"}, false);
    barCodes.dependsOn(items);
    parameters.dependsOn(items);
    ext.dependsOn(items);
    auto write = [&](const DemoItem& item, const ItemTemplate& t) {
        const std::string warning = t.warning;
        const std::string serialCheck(1, item.serialCheck);
        return items.add({text(item.group), text(item.regCis), text(item.name), text(item.unit),
                          quantity(t.grams), text(serialCheck), flag(item.blocked),
                          warning.empty() ? none() : text(warning), flag(item.group == "600")});
    };
    for (auto& [item, t] : itemsOf(kMaterials, demo.counts.materials, 110000)) {
        item.id = write(item, *t);
        barCodes.add({integer(item.id), text("8590000" + item.regCis)});
        demo.plant.materials.push_back(item);
    }
    int partIndex = 0;
    for (auto& [item, t] : itemsOf(kParts, demo.counts.products, 610000)) {
        item.id = write(item, *t);
        if (item.group == "600") {
            if (partIndex % 2 == 0)
                parameters.add({integer(item.id), text(kNonconformingWarehouse)});
            ext.add({integer(item.id), flag(false)});
        }
        demo.plant.parts.push_back(item);
        ++partIndex;
    }
    items.finish();
    barCodes.finish();
    parameters.finish();
    ext.finish();
}

void writeStock(DemoContext& demo) {
    InsertWriter locations(demo.session, "TabUmisteni", {"IDSklad", "Kod", "Nazev", "Blokovano"});
    InsertWriter locationExt(demo.session, "TabUmisteni_EXT",
                             {"ID", "_UmisteniProPrijemZVyroby", "_UmisteniProPrijemZmetku"}, false);
    locationExt.dependsOn(locations);
    std::vector<std::int32_t> materialLocations;
    std::int32_t productLocation = 0;
    for (const auto& l : kLocations) {
        const auto id = locations.add({text(l.warehouse), text(l.code), text(l.name), flag(l.blocked)});
        locationExt.add({integer(id), flag(l.forProduction), flag(l.forScrap)});
        if (static_cast<int>(materialLocations.size()) < kStorageLocationsForMaterial)
            materialLocations.push_back(id);
        if (std::string(l.code) == "H-02")
            productLocation = id;
    }
    locations.finish();
    locationExt.finish();

    InsertWriter cards(demo.session, "TabStavSkladu", {"IDSklad", "IDKmenZbozi", "Mnozstvi"});
    InsertWriter serials(demo.session, "TabVyrCS", {"IDStavSkladu", "Nazev1", "Mnozstvi", "DatPorizeni"});
    InsertWriter moves(demo.session, "Korvel_PohybUmisteni",
                       {"IDStavSkladu", "IDKmenZbozi", "IDVyrCis", "IDUmisteni", "DruhPohybu", "Mnozstvi",
                        "IDPohZbo", "DatPorizeni"});
    serials.dependsOn(cards);
    moves.dependsOn(serials);
    // Every card's quantity lies on its locations: one movement in per location (and per serial number).
    auto stockUp = [&](const DemoItem& item, const char* warehouse, std::int64_t thousandths, int serialCount,
                       const std::vector<std::int32_t>& places) {
        const std::int64_t total = serialCount > 0 ? serialCount * 1000LL : thousandths;
        const auto card = cards.add({text(warehouse), integer(item.id), quantity(total)});
        demo.plant.stockCards[{warehouse, item.id}] = card;
        if (serialCount > 0) {
            for (int s = 0; s < serialCount; ++s) {
                const auto serial = serials.add(
                    {integer(card), text(demo.takeSerialNumber(item)), quantity(1000), at(-20, s)});
                moves.add({integer(card), integer(item.id), integer(serial),
                           integer(demo.random.pick(places)), integer(1), quantity(1000), none(),
                           at(-20, s)});
            }
            return;
        }
        if (total == 0)
            return;
        const std::int32_t first = demo.random.pick(places);
        const std::int32_t second = demo.random.pick(places);
        const std::int64_t firstPart = (first == second) ? total : total * demo.random.between(30, 70) / 100;
        moves.add({integer(card), integer(item.id), none(), integer(first), integer(1), quantity(firstPart),
                   none(), at(-21)});
        if (firstPart < total) {
            moves.add({integer(card), integer(item.id), none(), integer(second), integer(1),
                       quantity(total - firstPart), none(), at(-21)});
        }
    };
    for (const auto& m : demo.plant.materials) {
        if (m.serialTracked()) {
            stockUp(m, kMaterialWarehouse, 0, demo.random.between(8, 15), materialLocations);
        } else if (m.countedInPieces()) {
            stockUp(m, kMaterialWarehouse, demo.random.between(100, 2000) * 1000LL, 0, materialLocations);
        } else {
            stockUp(m, kMaterialWarehouse, demo.random.between(20000, 3000000), 0, materialLocations);
        }
    }
    const std::vector<std::int32_t> productPlaces{productLocation};
    for (const auto& p : demo.plant.parts) {
        const char* warehouse = p.group == "600" ? kProductWarehouse : kMaterialWarehouse;
        const auto& places = p.group == "600" ? productPlaces : materialLocations;
        if (p.serialTracked())
            stockUp(p, warehouse, 0, demo.random.between(0, 3), places);
        else
            stockUp(p, warehouse, demo.random.between(0, 40) * 1000LL, 0, places);
    }
    cards.finish();
    serials.finish();
    moves.finish();
    demo.plant.stockSerialRows = serials.rowsAdded();
}

void writeDrawings(DemoContext& demo) {
    InsertWriter documents(demo.session, "TabDokumenty", {"Popis", "JmenoACesta"});
    InsertWriter links(demo.session, "TabDokumVazba", {"IdDok", "IdentVazby", "IdTab"});
    links.dependsOn(documents);
    constexpr int kStockItemLink = 8;
    for (const auto& p : demo.plant.parts) {
        const auto drawing =
            documents.add({text("Výkres " + p.regCis + " " + p.name), text("vykresy/" + p.regCis + ".pdf")});
        links.add({integer(drawing), integer(kStockItemLink), integer(p.id)});
        if (p.group == "600" && demo.random.percent(40)) {
            const auto manual =
                documents.add({text("Montážní návod " + p.regCis), text("navody/" + p.regCis + ".pdf")});
            links.add({integer(manual), integer(kStockItemLink), integer(p.id)});
        }
    }
    documents.finish();
    links.finish();
}

} // namespace devhost::detail
