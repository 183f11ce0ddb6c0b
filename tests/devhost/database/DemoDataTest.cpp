#include "devhost/HostDatabase.h"

#include "tsql/exec/Database.h"
#include "tsql/exec/Session.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace devhost {
namespace {

using Rows = std::vector<std::vector<tsql::Value>>;

class DemoDatabase {
public:
    explicit DemoDatabase(std::uint32_t seed, DemoSize size = DemoSize::Demo) {
        createHostDatabase(session, size, seed);
    }
    Rows query(const std::string& sql) {
        const auto result = session.run(sql);
        if (const auto* error = result.firstError())
            throw std::runtime_error(sql + ": " + error->text);
        for (const auto& item : result.items) {
            if (const auto* set = std::get_if<tsql::ResultSet>(&item))
                return set->rows;
        }
        return {};
    }
    std::int64_t count(const std::string& table, const std::string& where = "") {
        return query("SELECT COUNT(*) FROM " + table + (where.empty() ? "" : " WHERE " + where))[0][0]
            .asInt64();
    }
    // The whole table as text, in ID order, for comparing databases.
    std::string dump(const std::string& table, const std::string& order = "ID") {
        std::string out;
        for (const auto& row : query("SELECT * FROM " + table + " ORDER BY " + order)) {
            for (const auto& v : row)
                out += v.toDisplayString() + "|";
            out += "\n";
        }
        return out;
    }
    tsql::Session session{tsql::Database::open(":memory:")};
};

class DemoDataTest : public ::testing::Test {
protected:
    // One demo database for the read-only checks: building it is the slow part.
    static void SetUpTestSuite() { demo_ = std::make_unique<DemoDatabase>(1); }
    static void TearDownTestSuite() { demo_.reset(); }
    DemoDatabase& demo() { return *demo_; }

private:
    static std::unique_ptr<DemoDatabase> demo_;
};
std::unique_ptr<DemoDatabase> DemoDataTest::demo_;

TEST_F(DemoDataTest, WritesThePlantOfTheDemoSize) {
    const DemoCounts counts = demoCounts(DemoSize::Demo);
    struct Expected {
        const char* table;
        const char* where;
        std::int64_t rows;
    };
    const std::vector<Expected> expected{
        {"TabCisZam", "", counts.employees},
        {"TabCisZam_Ext", "_VstupniKodLCD IS NOT NULL", counts.employees},
        {"TabCPraco", "", counts.workplaces},
        {"TabCPraco", "Blokovano = 1", 1},
        {"TabCPraco_EXT", "_SdruzeniOperaci = 1", 2},
        {"TabPrikaz", "StavPrikazu = 30", counts.releasedOrders},
        {"TabPrikaz", "", counts.releasedOrders + counts.otherOrders},
        {"TabPrikaz_EXT", "", counts.releasedOrders + counts.otherOrders},
        {"TabPrikazP", "", counts.releasedOrders + counts.otherOrders},
        {"TabKmenZbozi", "", counts.materials + counts.products},
        {"TabBarCodeZbo", "", counts.materials},
        {"TabStrom", "Sklad = 1", 3},
        {"TabStrom_EXT", "_RadaVydejVyroba IS NOT NULL AND _RadaPrijemVyroba IS NOT NULL", 3},
        {"TabHGlob", "", 1},
        {"TabRadyPrikazu", "", 3},
        {"TabMJ", "Kod = N'ks' AND Nedelitelna = 1", 1},
        {"TabAdvKapacPlan", "Aktivni = 1", 1},
    };
    for (const auto& e : expected)
        EXPECT_EQ(demo().count(e.table, e.where), e.rows) << e.table << " WHERE " << e.where;
}

TEST_F(DemoDataTest, EveryOrderHasARoutingOfThreeToEightOperationsWithUniqueBarCodes) {
    std::map<std::int64_t, int> operations;
    for (const auto& row : demo().query("SELECT IDPrikaz, COUNT(*) FROM TabPrPostup "
                                        "WHERE Alt = N'A' AND IDOdchylkyDo IS NULL GROUP BY IDPrikaz"))
        operations[row[0].asInt64()] = static_cast<int>(row[1].asInt64());
    EXPECT_EQ(static_cast<std::int64_t>(operations.size()), demo().count("TabPrikaz"));
    for (const auto& [order, n] : operations) {
        EXPECT_GE(n, 3) << "order " << order;
        EXPECT_LE(n, 8) << "order " << order;
    }
    std::set<std::string> codes;
    for (const auto& row : demo().query("SELECT Barcode FROM TabPrPostup WHERE IDOdchylkyDo IS NULL")) {
        const std::string code = row[0].asText();
        EXPECT_EQ(code.front(), 'A');
        EXPECT_EQ(code.back(), 'B');
        EXPECT_TRUE(codes.insert(code).second) << "duplicate bar code " << code;
    }
    // Exactly one reporting operation per order, and the first operation holds all pieces.
    EXPECT_EQ(demo().count("TabPrPostup", "Odvadeci = 1"), demo().count("TabPrikaz"));
    EXPECT_EQ(
        demo().count("TabPrPostup", "Doklad = 1 AND IDOdchylkyDo IS NULL AND KusyPredOperaci <> Kusy_zad"),
        0);
    EXPECT_EQ(demo().count("TabPrPostup", "ID1 IS NULL"), 0);
}

TEST_F(DemoDataTest, StockCardsHoldWhatLiesOnTheirLocations) {
    std::map<std::int64_t, std::string> onLocations;
    for (const auto& row :
         demo().query("SELECT IDStavSkladu, SUM(Mnozstvi) FROM Korvel_PohybUmisteni GROUP BY IDStavSkladu"))
        onLocations[row[0].asInt64()] = row[1].toDisplayString();
    ASSERT_FALSE(onLocations.empty());
    for (const auto& row : demo().query("SELECT ID, Mnozstvi FROM TabStavSkladu WHERE Mnozstvi > 0")) {
        const auto it = onLocations.find(row[0].asInt64());
        ASSERT_NE(it, onLocations.end()) << "card " << row[0].asInt64();
        EXPECT_EQ(tsql::Decimal::parse(it->second)->rescale(3), row[1].asDecimal().rescale(3))
            << "card " << row[0].asInt64();
    }
    // Serial-tracked stock is one row per serial number, and the card counts them.
    for (const auto& row : demo().query("SELECT ss.ID, ss.Mnozstvi, SUM(vc.Mnozstvi) FROM TabStavSkladu ss "
                                        "INNER JOIN TabVyrCS vc ON vc.IDStavSkladu = ss.ID "
                                        "INNER JOIN TabKmenZbozi kz ON kz.ID = ss.IDKmenZbozi "
                                        "WHERE kz.KontrolaVyrC = N'A' GROUP BY ss.ID, ss.Mnozstvi"))
        EXPECT_EQ(row[1].asDecimal().rescale(3), row[2].asDecimal().rescale(3))
            << "card " << row[0].asInt64();
}

TEST_F(DemoDataTest, SerialNumbersAreTheItemsNumberAndNineDigits) {
    const auto rows = demo().query("SELECT kz.RegCis, vc.Nazev1 FROM TabVyrCS vc "
                                   "INNER JOIN TabStavSkladu ss ON ss.ID = vc.IDStavSkladu "
                                   "INNER JOIN TabKmenZbozi kz ON kz.ID = ss.IDKmenZbozi");
    ASSERT_FALSE(rows.empty());
    std::set<std::string> seen;
    for (const auto& row : rows) {
        const std::string regCis = row[0].asText();
        const std::string serial = row[1].asText();
        ASSERT_EQ(serial.size(), regCis.size() + 9) << serial;
        EXPECT_EQ(serial.substr(0, regCis.size()), regCis);
        EXPECT_EQ(serial.find_first_not_of("0123456789", regCis.size()), std::string::npos) << serial;
        EXPECT_TRUE(seen.insert(serial).second) << "duplicate serial number " << serial;
    }
    EXPECT_GT(demo().count("TabVyrCisPrikaz"), 0);
}

// Measured values take the customer's organisation from the order's reservations.
TEST_F(DemoDataTest, OrderSourcesLeadToACustomersOrganisation) {
    const auto sources = demo().count("TabPrikazZdrojOZ");
    EXPECT_GT(sources, 0);
    const auto withOrganisation = demo().query("SELECT COUNT(*) FROM TabPrikazZdrojOZ zd "
                                               "INNER JOIN TabPohybyZbozi pz ON pz.ID = zd.IDRezervace "
                                               "INNER JOIN TabDokladyZbozi d ON d.ID = pz.IDDoklad "
                                               "INNER JOIN TabCisOrg o ON o.CisloOrg = d.CisloOrg "
                                               "WHERE pz.IDPrikaz = zd.IDPrikaz");
    EXPECT_EQ(withOrganisation[0][0].asInt64(), sources);
}

TEST(DemoDataSeedTest, TheSameSeedGivesTheSameDatabase) {
    DemoDatabase a(7);
    DemoDatabase b(7);
    DemoDatabase c(8);
    bool anyDifference = false;
    for (const char* table :
         {"TabCisZam", "TabCisZam_Ext", "TabCPraco", "TabKmenZbozi", "TabStavSkladu", "Korvel_PohybUmisteni",
          "TabVyrCS", "TabPrikaz", "TabPrPostup", "TabPrKVazby", "TabVyrCisPrikaz"}) {
        EXPECT_EQ(a.dump(table), b.dump(table)) << table;
        anyDifference = anyDifference || a.dump(table) != c.dump(table);
    }
    EXPECT_TRUE(anyDifference) << "another seed gave the same plant";
}

TEST(DemoDataSeedTest, RefusesADatabaseThatAlreadyHoldsRows) {
    DemoDatabase demo(1);
    EXPECT_THROW(loadDemoData(demo.session, DemoSize::Demo, 1), std::runtime_error);
}

} // namespace
} // namespace devhost

namespace devhost {
namespace {

TEST(DemoDataBenchmarkSizeTest, ScalesThePlantUp) {
    const DemoCounts counts = demoCounts(DemoSize::Benchmark);
    DemoDatabase demo(1, DemoSize::Benchmark);
    EXPECT_EQ(demo.count("TabPrikaz", "StavPrikazu = 30"), counts.releasedOrders);
    EXPECT_EQ(demo.count("TabCisZam"), counts.employees);
    EXPECT_EQ(demo.count("TabCPraco"), counts.workplaces);
    EXPECT_GE(demo.count("TabPrPostup"), 3 * (counts.releasedOrders + counts.otherOrders));
}

} // namespace
} // namespace devhost
