// Schema verification on the development host's database: the five tables created as a fresh
// installation creates them are reported in line, and drifts made by hand are found and
// repaired by running the collected statements.

#include "HostDatabaseFixture.h"

#include "definitions/CompiledDefinitions.h"
#include "definitions/Constraints.h"
#include "definitions/CreateTable.h"
#include "definitions/Preparation.h"
#include "definitions/SchemaCatalog.h"

#include "base/Format.h"
#include "devhost/BrowseCatalog.h"
#include "devhost/HostSchema.h"
#include "devhost/HostWindows.h"
#include "devhost/ScriptedDialogs.h"
#include "devhost/Workstation.h"
#include "tsql/exec/Database.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace provozmat;
using namespace provozmat::test;

namespace {

class SchemaOnEngine : public HostDatabaseFixture {
protected:
    SchemaOnEngine() {
        for (int i = 1; i <= kPosledniTabulka; ++i)
            odvodConstrainty(*d.tabulka(i));
    }

    void install() {
        for (int i = 1; i <= kPosledniTabulka; ++i)
            host.execSql(createTable(d.tabulka(i), i));
        for (int i = 1; i <= kPosledniTabulka; ++i)
            for (const auto& c : d.tabulka(i)->Constraints)
                if (c.Typ == coForeignKey)
                    host.execSql(format(
                        QStringLiteral("ALTER TABLE %s ADD CONSTRAINT %s FOREIGN KEY (%s) "
                                       "REFERENCES %s (%s)"),
                        {d.jmenoTabulky(i), c.JmenoSys, c.VlastniAtributy, c.CiziTabulka, c.CiziAtributy}));
    }
};

TEST_F(SchemaOnEngine, FreshTablesAreInLine) {
    install();
    EXPECT_EQ(verifyTables(), QStringList()) << verifyTables().join("\n").toStdString();
}

TEST_F(SchemaOnEngine, HandMadeDriftsAreFoundAndRepaired) {
    install();
    QString foreignKey;
    QString foreignKeyTable;
    for (int i = 1; i <= kPosledniTabulka && foreignKey.isEmpty(); ++i)
        for (const auto& c : d.tabulka(i)->Constraints)
            if (c.Typ == coForeignKey) {
                foreignKey = c.JmenoSys;
                foreignKeyTable = d.jmenoTabulky(i);
            }
    ASSERT_FALSE(foreignKey.isEmpty());
    const QString konfigurace = d.jmenoTabulky(t_LCDKonfigurace);
    struct Drift {
        const char* what;
        QString sql;
    };
    const std::vector<Drift> drifts = {
        {"dropped default", format(QStringLiteral("ALTER TABLE %s DROP CONSTRAINT DF__%s__COM_Port"),
                                   {konfigurace, konfigurace})},
        {"changed column length",
         format(QStringLiteral("ALTER TABLE %s ALTER COLUMN StrediskoLCD NVARCHAR(10) NULL"), {konfigurace})},
        {"missing foreign key",
         format(QStringLiteral("ALTER TABLE %s DROP CONSTRAINT %s"), {foreignKeyTable, foreignKey})},
    };
    for (const auto& drift : drifts) {
        host.execSql(drift.sql);
        const auto repair = verifyTables();
        ASSERT_FALSE(repair.isEmpty()) << drift.what;
        for (const auto& statement : repair)
            host.execSql(statement);
        EXPECT_EQ(verifyTables(), QStringList())
            << drift.what << ": " << verifyTables().join("\n").toStdString();
    }
}

TEST_F(SchemaOnEngine, ChangedProcedureTextIsAlteredBack) {
    const auto procedures = ulozeneProcedury();
    ASSERT_GT(procedures.size(), 1u);
    const auto defined = definiceModulu(procedures[1].Text, false);
    host.execSql(defined.text);
    const auto check = [&] {
        Tx tx{d, host.sqlServerVersion()};
        KatalogSchematu(host, tx).procedury({defined});
        return tx.XSL();
    };
    EXPECT_EQ(check(), QStringList()) << check().join("\n").toStdString();
    host.execSql(QStringLiteral("ALTER PROCEDURE dbo.") + defined.jmeno + QStringLiteral(" AS SELECT 1"));
    const auto repair = check();
    ASSERT_EQ(repair.size(), 1);
    EXPECT_TRUE(repair[0].startsWith(QStringLiteral("ALTER PROC"))) << repair[0].toStdString();
    host.execSql(repair[0]);
    EXPECT_EQ(check(), QStringList());
}

} // namespace
