#include "RunFixture.h"

#include "base/PluginError.h"
#include "core/ProcessState.h"
#include "core/SpravceOrvianu.h"

using namespace provozmat;
using namespace provozmat::test;
using testhost::Table;
using testhost::v;

namespace {

const QString kHeading = QStringLiteral("Terminatek (Provozmat)\r\r");
const QString kInstallNeeded = QStringLiteral("\1Je třeba spustit instalaci pluginu!\1");

using RunDispatch = RunFixture;

TEST_F(RunDispatch, NotInstalledRefusesOrdinaryCommands) {
    notInstalled();
    for (const auto& [browse, command] : {std::pair{100001, 0}, {871, -4}, {871, 0}, {100002, 55}}) {
        host->browseNumber = browse;
        host->extCommandId = command;
        EXPECT_EQ(run(), kHeading + "Verze pluginu je vyšší než verze v databázi!\r" + kInstallNeeded +
                             "\r\rVerze v DB: 000000000000\rVerze pluginu: 020020260826")
            << browse << "/" << command;
    }
}

TEST_F(RunDispatch, PluginListActionsNeedNoChecks) {
    // Nothing about versions is answered: these commands must not ask.
    host->sqlServerVersion = 0x09000000;
    host->browseNumber = 871;

    host->extCommandId = -7;
    EXPECT_EQ(run(), "");
    EXPECT_EQ(host->messages, QStringList{"Tento plugin nepodporuje automatickou odinstalaci."});

    host->extCommandId = -2;
    EXPECT_EQ(run(), "");
    EXPECT_EQ(aboutShown, 1);

    host->extCommandId = -6;
    EXPECT_EQ(run(), "");
    EXPECT_EQ(translations, TranslationsMode::LanguageModules);
    host->extCommandId = -5;
    EXPECT_EQ(run(), "");
    EXPECT_EQ(translations, TranslationsMode::Portal);
    EXPECT_FALSE(host->queries.contains(kVersionBatch));
}

TEST_F(RunDispatch, InstallationRunsWhenNotInstalledAndIsSilentForMinusThree) {
    notInstalled();
    host->browseNumber = 871;
    host->extCommandId = -1;
    EXPECT_EQ(run(), "");
    EXPECT_EQ(installedSilently, false);
    host->extCommandId = -3;
    EXPECT_EQ(run(), "");
    EXPECT_EQ(installedSilently, true);
}

TEST_F(RunDispatch, InstallationIsRefusedOverANewerInstalledVersion) {
    installed("020020270101");
    host->browseNumber = 871;
    host->extCommandId = -1;
    EXPECT_EQ(run(), kHeading +
                         "Verze pluginu je nižší než verze v databázi!\r\rVerze v DB: 020020270101\rVerze "
                         "pluginu: 020020260826");
    EXPECT_FALSE(installedSilently);
}

TEST_F(RunDispatch, ChecksTheSqlServerVersion) {
    installed(kOwnVersion);
    host->sqlServerVersion = 0x09000FA0;
    EXPECT_EQ(run(), kHeading + "Plugin vyžaduje MS SQL Server verze minimálně \1MS SQL Server 2008\1!");
    host->sqlServerVersion = 0x0A000000;
    EXPECT_EQ(run(), "");
}

TEST_F(RunDispatch, ChecksTheHostVersionPerGeneration) {
    installed(kOwnVersion);
    struct Case {
        std::int64_t hostVersion;
        const char* required; // empty: passes
    };
    const Case cases[] = {
        // Generation 2: the minimum 2.0.2014.0101 is raised to 2.0.2015.0300.
        {0x00000200'20150200, "2.0.2015.0300"},
        {0x00000200'20150300, ""},
        // Generation 3: no minimum of its own, so 3.0.2017.0300.
        {0x00000300'20170200, "3.0.2017.0300"},
        {0x00000300'20170300, ""},
        {0x00000A00'20170300, ""},
    };
    for (const auto& c : cases) {
        host->hostVersion = c.hostVersion;
        const QString expected =
            *c.required ? kHeading + "Plugin vyžaduje minimální verzi Orvianu \1" + c.required + "\1 !"
                        : QString();
        EXPECT_EQ(run(), expected) << std::hex << c.hostVersion;
    }
}

TEST_F(RunDispatch, RefusesWhenTheLastInstallationDidNotFinish) {
    installed(kOwnVersion, false);
    EXPECT_EQ(run(),
              kHeading + "Při minulé instalaci nebyly korektně provedeny všechny změny!\r" + kInstallNeeded);
}

TEST_F(RunDispatch, InstalledVersionComparesIgnoringCase) {
    installed(QString(kOwnVersion).toUpper());
    EXPECT_EQ(run(), "");
}

TEST_F(RunDispatch, ConfigurationOpensTheConfigurationBrowse) {
    installed(kOwnVersion);
    configurationBrowseRegistered(17);
    host->browseNumber = 871;
    host->extCommandId = -4;
    EXPECT_EQ(run(), "");
    ASSERT_EQ(host->openedBrowses.size(), 1u);
    EXPECT_EQ(host->openedBrowses[0].browseNumber, 100017);
    EXPECT_EQ(host->openedBrowses[0].condition, "");
}

TEST_F(RunDispatch, ConfigurationBrowseNotRegisteredAsksForInstallation) {
    installed(kOwnVersion);
    host->answer("SELECT Cislo FROM TabObecnyPrehled WHERE NazevSys=N'hvw_LCDKonfigurace7EK'",
                 Table{{"Cislo"}, {}});
    host->extCommandId = -4;
    EXPECT_EQ(run(),
              "Nebyl nalezen def.přehled \1hvw_LCDKonfigurace7EK\1 (Konfigurace)!\r\r" + kInstallNeeded);
}

TEST_F(RunDispatch, CommandZeroDoesNothingAndDebugHasNoController) {
    installed(kOwnVersion);
    host->browseNumber = 871;
    host->extCommandId = 0;
    EXPECT_EQ(run(), "");
    EXPECT_TRUE(host->openedBrowses.empty());
    EXPECT_TRUE(host->errors.isEmpty());
    host->extCommandId = -8;
    EXPECT_EQ(run(), "");
    EXPECT_EQ(host->errors, QStringList{"{Ladit} - Controller nenalezen!"});
}

TEST_F(RunDispatch, PreparesOncePerProcessAndReadsTheUserLanguageEveryRun) {
    installed(kOwnVersion);
    run();
    run();
    EXPECT_EQ(prepared, 1);
    EXPECT_EQ(host->queries.count("SELECT Jazyk, Jazyk2 FROM TabUziv WHERE LoginName = SUSER_SNAME()"), 2);
    EXPECT_EQ(host->queries.count("SELECT Legislativa FROM TabHGlob"), 1);
    // The pair changes from "none loaded" to Czech once, then stays.
    EXPECT_EQ(refreshed, 1);
}

TEST_F(RunDispatch, ReadsTheIconSetOnNewHostsOnlyAndSurvivesItsFailure) {
    installed(kOwnVersion);
    host->hostVersion = 0x00000300'20200151;
    run();
    EXPECT_EQ(pluginProcessState().iconSet->sadaIkonek, 0);
    EXPECT_FALSE(host->queries.join("|").contains("TabUserCfg"));

    pluginProcessState() = PluginProcessState{};
    host->hostVersion = 0x00000300'20200152;
    host->systemDatabaseName = "Orvian-System";
    host->answer("SELECT SadaIkonek FROM [Orvian-System]..TabUserCfg WHERE LoginName = SUSER_SNAME()",
                 Table{{"SadaIkonek"}, {{v(3)}}});
    EXPECT_EQ(run(), "");
    EXPECT_EQ(pluginProcessState().iconSet->sadaIkonek, 3);

    pluginProcessState() = PluginProcessState{};
    host->systemDatabaseName = "OrvianSystem"; // not answered: the query fails
    EXPECT_EQ(run(), "");
    EXPECT_EQ(pluginProcessState().iconSet->sadaIkonek, 0);
}

TEST_F(RunDispatch, AdoptsTheHostLook) {
    installed(kOwnVersion);
    run();
    EXPECT_EQ(pluginProcessState().mainWindowHandle, 0x1234u);
    EXPECT_EQ(pluginProcessState().applicationIcon, 0x5678u);
    EXPECT_EQ(pluginProcessState().fontName, "Tahoma");
    EXPECT_EQ(pluginProcessState().fontHeight, -11);
}

TEST_F(RunDispatch, RegistrationLastsExactlyAsLongAsTheRun) {
    installed(kOwnVersion);
    std::size_t during = 0;
    PluginServices s = pluginServices();
    s.prepareDefinitions = [&](const Host&) { during = spravceOrvianu().count(); };
    ScopedPluginServices scoped(s);
    EXPECT_EQ(run(), "");
    EXPECT_EQ(during, 1u);
    EXPECT_EQ(spravceOrvianu().count(), 0u);

    host->failingOperation = "GetApplicationHandle";
    EXPECT_EQ(run(), "Chyba hostitele");
    EXPECT_EQ(spravceOrvianu().count(), 0u);
}

TEST_F(RunDispatch, TranslatesNumericErrorTexts) {
    installed(kOwnVersion);
    PluginServices s = pluginServices();
    s.prepareDefinitions = [](const Host&) { throw PluginError("5000059"); };
    ScopedPluginServices scoped(s);
    EXPECT_EQ(run(), "Verze pluginu je nižší než verze v databázi!");
    s.prepareDefinitions = [](const Host&) { throw PluginError("5000173"); };
    ScopedPluginServices unchanged(s);
    pluginProcessState() = PluginProcessState{};
    EXPECT_EQ(run(), "5000173");
}

} // namespace
