#include "tsql/Collation.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

namespace tsql {
namespace {

int sign(int v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

TEST(CollationTest, CaseInsensitiveAccentSensitiveTrailingBlanksIgnored) {
    const Collation& c = Collation::standard();
    struct Case {
        std::string a, b;
        int expected;
    };
    const std::vector<Case> cases = {
        {"a", "A", 0},
        {"Číslo", "čÍSLO", 0},
        {"a", "á", -1},
        {"abc", "abc   ", 0},
        {"abc ", "abc", 0},
        {" abc", "abc", -1},
        {"abc", "abd", -1},
        // Czech order: č after c and before d, ch after h, ř after r, š after s, ž after z.
        {"cz", "č", -1},
        {"čz", "d", -1},
        {"hz", "ch", -1},
        {"ch", "i", -1},
        {"rz", "ř", -1},
        {"sz", "š", -1},
        {"zz", "ž", -1},
        {"", " ", 0},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(sign(c.compare(k.a, k.b)), k.expected) << k.a << " ? " << k.b;
        EXPECT_EQ(sign(c.compare(k.b, k.a)), -k.expected) << k.b << " ? " << k.a;
        EXPECT_EQ(sign(c.sortKey(k.a).compare(c.sortKey(k.b))), k.expected) << k.a << " key " << k.b;
    }
}

struct Db {
    Db() {
        sqlite3* raw = nullptr;
        sqlite3_open(":memory:", &raw);
        handle.reset(raw);
    }
    void exec(const char* sql) {
        ASSERT_EQ(sqlite3_exec(handle.get(), sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    }
    std::vector<std::string> column(const char* sql) {
        std::vector<std::string> out;
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(handle.get(), sql, -1, &stmt, nullptr), SQLITE_OK) << sql;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return out;
    }
    struct Closer {
        void operator()(sqlite3* db) const { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, Closer> handle;
};

TEST(CollationTest, OrdersGroupsAndComparesInSqlite) {
    Db db;
    Collation::registerOn(db.handle.get());
    db.exec("CREATE TABLE t(name TEXT COLLATE TSQL_CI_AS UNIQUE)");
    db.exec("INSERT INTO t VALUES ('chata'), ('Cesta'), ('čáp'), ('hrad'), ('Dům')");
    EXPECT_EQ(db.column("SELECT name FROM t ORDER BY name"),
              (std::vector<std::string>{"Cesta", "čáp", "Dům", "hrad", "chata"}));
    EXPECT_EQ(db.column("SELECT name FROM t WHERE name = 'CHATA  '"), std::vector<std::string>{"chata"});
    EXPECT_NE(sqlite3_exec(db.handle.get(), "INSERT INTO t VALUES ('HRAD ')", nullptr, nullptr, nullptr),
              SQLITE_OK);
    db.exec("INSERT INTO t VALUES ('hrád')");
    EXPECT_EQ(db.column("SELECT count(*) FROM (SELECT DISTINCT name FROM t)"), std::vector<std::string>{"6"});
}

} // namespace
} // namespace tsql
