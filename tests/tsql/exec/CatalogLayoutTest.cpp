// The catalog tables as DDL leaves them: the texts kept for defaults, checks and computed columns,
// generated constraint names, key indexes, view columns, and the refusal of an older layout.

#include "tsql/SqlError.h"
#include "tsql/exec/Database.h"
#include "tsql/exec/Session.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace tsql {
namespace {

class CatalogLayoutTest : public ::testing::Test {
protected:
    CatalogLayoutTest() : db(Database::open(":memory:")), session(db) {}

    void run(const std::string& batch) {
        const BatchResult r = session.run(batch);
        ASSERT_EQ(r.firstError(), nullptr) << r.firstError()->text;
    }

    // The first column of each row of a query on the catalog tables, as text ("NULL" for NULL).
    std::vector<std::string> column(const std::string& sql) {
        sqlite3_stmt* s = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db->handle(), sql.c_str(), -1, &s, nullptr), SQLITE_OK) << sql;
        std::vector<std::string> out;
        while (sqlite3_step(s) == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(s, 0);
            out.emplace_back(text ? reinterpret_cast<const char*>(text) : "NULL");
        }
        sqlite3_finalize(s);
        return out;
    }

    std::string one(const std::string& sql) {
        const auto rows = column(sql);
        return rows.empty() ? "<none>" : rows[0];
    }

    std::shared_ptr<Database> db;
    Session session;
};

TEST_F(CatalogLayoutTest, ExpressionsAreKeptInTheServersText) {
    run("CREATE TABLE T (a INT CONSTRAINT D1 DEFAULT 0, b NVARCHAR(10) CONSTRAINT D2 DEFAULT N'x', "
        "c VARCHAR(10) CONSTRAINT D3 DEFAULT 'COM1', d DATETIME CONSTRAINT D4 DEFAULT getdate(), "
        "e INT CONSTRAINT D5 DEFAULT (-1), f NVARCHAR(128) CONSTRAINT D6 DEFAULT SUSER_SNAME(), "
        "g DATETIME CONSTRAINT D7 DEFAULT CURRENT_TIMESTAMP, Typ INT CONSTRAINT C1 CHECK (Typ IN (0,1,2)), "
        "h INT, CONSTRAINT C2 CHECK (h BETWEEN 1 AND 5 AND (h > a OR h IS NULL)), "
        "CONSTRAINT C3 CHECK (c LIKE 'A%' AND (a + e) * 2 <> a - (e - 1)), p AS SUBSTRING(b, 1, 255))");
    const struct {
        const char* object;
        const char* text;
    } cases[] = {
        {"D1", "((0))"},
        {"D2", "(N'x')"},
        {"D3", "('COM1')"},
        {"D4", "(getdate())"},
        {"D5", "((-1))"},
        {"D6", "(suser_sname())"},
        {"D7", "(getdate())"},
        {"C1", "([Typ]=(0) OR [Typ]=(1) OR [Typ]=(2))"},
        {"C2", "([h]>=(1) AND [h]<=(5) AND ([h]>[a] OR [h] IS NULL))"},
        {"C3", "([c] like 'A%' AND ([a]+[e])*(2)<>[a]-([e]-(1)))"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(one(std::string("SELECT definition FROM main.tsql_catalog_objects WHERE name = '") +
                      c.object + "'"),
                  c.text)
            << c.object;
    EXPECT_EQ(one("SELECT computed_text FROM main.tsql_catalog_columns WHERE name = 'p'"),
              "(substring([b],(1),(255)))");
    // A check naming one column records it; one naming several records none.
    EXPECT_EQ(one("SELECT k.columns FROM main.tsql_catalog_constraints k JOIN main.tsql_catalog_objects o ON "
                  "o.id = k.id "
                  "WHERE o.name = 'C1'"),
              "8");
    EXPECT_EQ(one("SELECT k.columns FROM main.tsql_catalog_constraints k JOIN main.tsql_catalog_objects o ON "
                  "o.id = k.id "
                  "WHERE o.name = 'C2'"),
              "");
}

TEST_F(CatalogLayoutTest, UnnamedConstraintsTakeGeneratedNamesAndKeysTheirIndexes) {
    run("CREATE TABLE Objednavka (ID INT PRIMARY KEY, Cislo NVARCHAR(10) UNIQUE, Stav INT DEFAULT 0 CHECK "
        "(Stav >= 0))");
    const auto names = column("SELECT name FROM main.tsql_catalog_objects WHERE parent_id = (SELECT id FROM "
                              "main.tsql_catalog_objects WHERE name = 'Objednavka') ORDER BY id");
    ASSERT_EQ(names.size(), 4u);
    EXPECT_TRUE(std::regex_match(names[0], std::regex("DF__Objednavka__Stav__[0-9A-F]{8}"))) << names[0];
    EXPECT_TRUE(std::regex_match(names[1], std::regex("PK__Objednav__[0-9A-F]{16}"))) << names[1];
    EXPECT_TRUE(std::regex_match(names[2], std::regex("UQ__Objednav__[0-9A-F]{16}"))) << names[2];
    EXPECT_TRUE(std::regex_match(names[3], std::regex("CK__Objednavka__Stav__[0-9A-F]{8}"))) << names[3];
    EXPECT_EQ(
        column(
            "SELECT index_id || ' ' || name || ' ' || is_clustered || is_primary_key || is_unique_constraint "
            "FROM main.tsql_catalog_indexes WHERE object_id = 1 ORDER BY index_id"),
        (std::vector<std::string>{"1 " + names[1] + " 110", "2 " + names[2] + " 001"}));
    EXPECT_EQ(one("SELECT default_id FROM main.tsql_catalog_columns WHERE name = 'Stav'"),
              one("SELECT id FROM main.tsql_catalog_objects WHERE type = 'D' ORDER BY id"));
}

TEST_F(CatalogLayoutTest, ForeignKeysRecordReferencedColumnIdsAndDroppedColumnsLeaveGaps) {
    run("CREATE TABLE P (A INT, B INT NOT NULL, CONSTRAINT UQ_P UNIQUE (B))");
    run("CREATE TABLE C (X INT, Y INT CONSTRAINT FK_C FOREIGN KEY REFERENCES P (B) ON DELETE CASCADE)");
    EXPECT_EQ(one("SELECT columns || '>' || ref_columns || ' ' || on_delete || on_update FROM "
                  "main.tsql_catalog_constraints WHERE kind = 'F'"),
              "2>2 10");
    run("ALTER TABLE C DROP COLUMN X");
    run("ALTER TABLE C ADD Z INT");
    EXPECT_EQ(column("SELECT column_id || ':' || ordinal || ':' || name FROM main.tsql_catalog_columns WHERE "
                     "object_id "
                     "= (SELECT id FROM main.tsql_catalog_objects WHERE name = 'C') ORDER BY ordinal"),
              (std::vector<std::string>{"2:0:Y", "3:1:Z"}));
    EXPECT_EQ(one("SELECT columns FROM main.tsql_catalog_constraints WHERE kind = 'F'"), "2");
}

TEST_F(CatalogLayoutTest, ViewsKeepTheirTextAndResultColumns) {
    run("CREATE TABLE T (a INT, b NVARCHAR(20))");
    run("CREATE VIEW V AS SELECT a, b FROM T");
    run("ALTER VIEW V AS SELECT a, c = a / 2.0, b FROM T");
    EXPECT_EQ(one("SELECT definition FROM main.tsql_catalog_objects WHERE name = 'V'"),
              "CREATE VIEW V AS SELECT a, c = a / 2.0, b FROM T");
    EXPECT_EQ(
        column(
            "SELECT name || ' ' || type_id FROM main.tsql_catalog_columns WHERE object_id = (SELECT id FROM "
            "main.tsql_catalog_objects WHERE name = 'V') ORDER BY column_id")
            .size(),
        3u);
}

TEST(CatalogLayout, AFileWithTheOlderLayoutIsRefused) {
    const std::string path = ::testing::TempDir() + "tsql_older_layout.db";
    std::remove(path.c_str());
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
        sqlite3_exec(raw, "CREATE TABLE tsql_catalog_tables(id INTEGER PRIMARY KEY, name TEXT)", nullptr,
                     nullptr, nullptr);
        sqlite3_close(raw);
    }
    try {
        Session s(Database::open(path));
        ADD_FAILURE() << "the older layout was accepted";
    } catch (const SqlError& e) {
        EXPECT_NE(e.message.find("older version of the engine; create it again"), std::string::npos)
            << e.message;
    }
    for (const char* suffix : {"", "-wal", "-shm"})
        std::remove((path + suffix).c_str());
}

} // namespace
} // namespace tsql
