// The installation on the development host's database: a silent run on a fresh database, a
// second run of the same version, a run over an older version and the columns a silent run
// leaves in place because they hold data.

#include "HostDatabaseFixture.h"

#include "definitions/CompiledDefinitions.h"
#include "definitions/HostColumnsInstall.h"
#include "definitions/Installation.h"
#include "definitions/Preparation.h"
#include "definitions/SchemaCatalog.h"
#include "hostui/InstallationRun.h"

#include "base/Format.h"
#include "core/PluginKonfig.h"
#include "devhost/BrowseCatalog.h"
#include "devhost/HostSchema.h"
#include "devhost/HostWindows.h"
#include "devhost/ScriptedDialogs.h"
#include "devhost/Workstation.h"
#include "tsql/exec/Database.h"

#include <gtest/gtest.h>

using namespace provozmat;
using namespace provozmat::test;

namespace {

IdentitaInstalace identita() {
    return identitaInstalace();
}

class Installation : public HostDatabaseFixture {
protected:
    VysledekInstalace install(bool silent) {
        return Instalace(host, d, identita(), silent,
                         [this](const QString& title, const ZmenySchematu& z) {
                             shown.append(title);
                             for (const auto& t : z.tabulky())
                                 shownTables.append(t.jmeno);
                             return true;
                         })
            .spust();
    }

    QString one(const QString& sql) {
        HostQuery q = host.openSql(sql);
        return q.eof() ? QString() : q.value(0).toString();
    }

    // Installs, then adds the surplus columns Stare (a value in every row) and Prazdne (none) to
    // the configuration table; returns its row count.
    QString installWithSurplusColumns() {
        EXPECT_TRUE(install(true).dokonceno);
        const QString table = d.jmenoTabulky(t_LCDKonfigurace);
        host.execSql("ALTER TABLE " + table + " ADD Stare INT NULL, Prazdne INT NULL");
        host.execSql("UPDATE " + table + " SET Stare = 5");
        shown.clear();
        shownTables.clear();
        return one("SELECT COUNT(*) FROM " + table);
    }

    // A silent installation over a database that records version.
    VysledekInstalace reinstallFrom(const QString& version) {
        host.execSql("UPDATE TabPluginInfo SET VerzePluginu = N'" + version + "'");
        return install(true);
    }

    QStringList shown;
    QStringList shownTables;
};

TEST_F(Installation, SilentRunOnAFreshDatabaseLeavesNothingToRepair) {
    const auto result = install(true);
    EXPECT_TRUE(result.dokonceno);
    EXPECT_EQ(result.puvodniVerze, "000000000000");
    EXPECT_TRUE(shown.isEmpty()) << "a silent run asks nothing";
    for (int i = 1; i <= kPosledniTabulka; ++i)
        EXPECT_EQ(
            one(format(QStringLiteral("SELECT COUNT(*) FROM sysobjects WHERE name = N'%s' AND xtype='U'"),
                       {d.jmenoTabulky(i)})),
            "1")
            << d.jmenoTabulky(i).toStdString();
    EXPECT_EQ(one("SELECT VerzePluginu + N'/' + CAST(CAST(ZmenyOK AS INT) AS NVARCHAR(1)) FROM TabPluginInfo "
                  "WHERE NazevSys = N'" +
                  identita().systemoveJmeno + "'"),
              "020020260826/1");
    EXPECT_EQ(one("SELECT COUNT(*) FROM TabZurnal WHERE Popis LIKE N'%Instalace OK%'"), "1");
    EXPECT_TRUE(workstation->restartRequested());
    for (std::size_t i = 1; i < d.extAtributy.size(); ++i) {
        const auto& column = d.extAtributy[i];
        EXPECT_EQ(one("SELECT COUNT(*) FROM syscolumns c JOIN sysobjects o ON o.id = c.id WHERE o.name = N'" +
                      column.JmenoTabulky + "_EXT' AND c.name = N'" + column.JmenoSys + "'"),
                  "1")
            << column.JmenoSys.toStdString();
        EXPECT_EQ(one("SELECT TypAtr + N'/' + CAST(Externi AS NVARCHAR(1)) FROM TabUzivAtr WHERE "
                      "NazevTabulkySys = N'" +
                      column.JmenoTabulky + "' AND NazevAtrSys = N'" + column.JmenoSys + "'"),
                  typHostitelskehoSloupce(column) + "/1");
    }
    for (std::size_t i = 1; i < d.procedury.size(); ++i) {
        const auto procedure = definiceModulu(d.procedury[i].Text, false);
        EXPECT_EQ(
            one("SELECT COUNT(*) FROM sys.objects WHERE type = 'P' AND name = N'" + procedure.jmeno + "'"),
            "1")
            << procedure.jmeno.toStdString();
    }
    EXPECT_EQ(verifyTables(), QStringList()) << verifyTables().join("\n").toStdString();
}

TEST_F(Installation, SecondRunOfTheSameVersionChangesNoTable) {
    ASSERT_TRUE(install(true).dokonceno);
    const auto second = install(false);
    EXPECT_TRUE(second.dokonceno);
    EXPECT_EQ(second.puvodniVerze, "020020260826");
    EXPECT_TRUE(shownTables.isEmpty()) << shownTables.join(", ").toStdString();
}

TEST_F(Installation, RefusalKeepsZmenyOKAtZeroAndJournalsTheError) {
    const auto result = Instalace(host, d, identita(), false, [](const QString&, const ZmenySchematu&) {
                            return false;
                        }).spust();
    EXPECT_FALSE(result.dokonceno);
    EXPECT_EQ(one("SELECT CAST(ZmenyOK AS INT) FROM TabPluginInfo"), "0");
    EXPECT_EQ(one("SELECT COUNT(*) FROM TabZurnal WHERE Popis LIKE N'%Instalace ERROR%'"), "1");
    EXPECT_EQ(one("SELECT COUNT(*) FROM sysobjects WHERE xtype='U' AND name LIKE N'KTab%'"), "0");
}

TEST_F(Installation, OlderVersionRunsOnlyTheScriptsAboveIt) {
    ASSERT_TRUE(install(true).dokonceno);
    d.zmenoveSkripty = {
        {},
        {.PlatiOd = 0x00000200'20150101ULL, .Skript = "INSERT TabZurnal(Druh,Akce,Popis) VALUES(9,9,N'old')"},
        {.PlatiOd = 0x00000200'20160628ULL,
         .Skript = "INSERT TabZurnal(Druh,Akce,Popis) VALUES(9,9,N'new')"}};
    const auto result = reinstallFrom("020020150522");
    EXPECT_TRUE(result.dokonceno);
    EXPECT_EQ(result.zmenoveSkripty, 1);
    EXPECT_EQ(one("SELECT COUNT(*) FROM TabZurnal WHERE Druh = 9 AND Popis = N'new'"), "1");
    EXPECT_EQ(one("SELECT COUNT(*) FROM TabZurnal WHERE Druh = 9 AND Popis = N'old'"), "0");
    ASSERT_TRUE(install(true).dokonceno);
    EXPECT_EQ(one("SELECT COUNT(*) FROM TabZurnal WHERE Druh = 9"), "1") << "a script runs once";
}

TEST_F(Installation, SilentRunLeavesSurplusColumnsThatHoldData) {
    const QString rows = installWithSurplusColumns();
    const QString table = d.jmenoTabulky(t_LCDKonfigurace);
    const auto result = install(true);
    EXPECT_TRUE(result.dokonceno);
    EXPECT_EQ(result.ponechaneSloupce, QStringList({table + ".Stare (" + rows + ")"}));
    EXPECT_EQ(one("SELECT COUNT(*) FROM syscolumns WHERE name = N'Stare'"), "1");
    EXPECT_EQ(one("SELECT COUNT(*) FROM syscolumns WHERE name = N'Prazdne'"), "0");
}

TEST_F(Installation, ConfirmedRunShowsTheRowCountsOfSurplusColumnsWithData) {
    const QString rows = installWithSurplusColumns();
    QStringList descriptions;
    const auto result = Instalace(host, d, identita(), false, [&](const QString&, const ZmenySchematu& z) {
                            for (const auto& t : z.tabulky())
                                for (const auto& o : t.objekty)
                                    for (const auto& c : o.zmeny)
                                        descriptions.append(o.jmeno + ": " + c.popis);
                            return true;
                        }).spust();
    EXPECT_TRUE(result.dokonceno);
    EXPECT_TRUE(result.ponechaneSloupce.isEmpty());
    EXPECT_TRUE(descriptions.contains("Stare: Řádků s hodnotou: " + rows))
        << descriptions.join(", ").toStdString();
    EXPECT_EQ(one("SELECT COUNT(*) FROM syscolumns WHERE name = N'Stare'"), "0");
}

TEST_F(Installation, FailingChangeScriptLeavesTheStepUndone) {
    ASSERT_TRUE(install(true).dokonceno);
    d.zmenoveSkripty = {{},
                        {.PlatiOd = 0x00000200'20160628ULL, .Skript = "CREATE TABLE KTab_Pokus (ID INT)"},
                        {.PlatiOd = 0x00000200'20170101ULL, .Skript = "RAISERROR(N'pokus', 16, 1)"}};
    host.execSql("UPDATE TabPluginInfo SET VerzePluginu = N'020020150522'");
    EXPECT_ANY_THROW(install(true));
    EXPECT_EQ(one("SELECT COUNT(*) FROM sysobjects WHERE name = N'KTab_Pokus'"), "0");
    EXPECT_EQ(
        one("SELECT VerzePluginu + N'/' + CAST(CAST(ZmenyOK AS INT) AS NVARCHAR(1)) FROM TabPluginInfo"),
        "020020150522/0");
    EXPECT_EQ(one("SELECT COUNT(*) FROM TabZurnal WHERE Popis LIKE N'%Instalace ERROR%'"), "1");
}

TEST_F(Installation, DatabaseAtTheFirstScriptsVersionRunsOnlyTheNewerScript) {
    ASSERT_TRUE(install(true).dokonceno);
    const auto result = reinstallFrom("020020150522");
    EXPECT_TRUE(result.dokonceno);
    EXPECT_EQ(result.zmenoveSkripty, 1);
    EXPECT_EQ(one("SELECT COUNT(*) FROM TabZurnal WHERE Akce = 8 AND Popis LIKE N'%020020260826%: 1'"), "1");
    EXPECT_EQ(one("SELECT VerzePluginu FROM TabPluginInfo"), "020020260826");
}

} // namespace
