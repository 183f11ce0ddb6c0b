#include "core/RunDispatch.h"

#include "base/Format.h"
#include "base/Host.h"
#include "base/PluginError.h"
#include "base/SqlLiteral.h"
#include "base/Text.h"
#include "core/ApplicationExceptionHandler.h"
#include "core/ExternalCommand.h"
#include "core/HostLook.h"
#include "core/PluginKonfig.h"
#include "core/PluginServices.h"
#include "core/ProcessState.h"
#include "core/SpravceOrvianu.h"
#include "core/UserLanguage.h"
#include "core/Versions.h"
#include "lang/Messages.h"

#include <algorithm>
#include <exception>
#include <new>

namespace provozmat {

namespace {

constexpr int kPluginListBrowse = 871;
constexpr std::uint64_t kIconSetHostVersion = makeVersion(0x00000300, 0x20200152);
constexpr std::uint64_t kLowestVersionGeneration2 = makeVersion(0x00000200, 0x20150300);
constexpr std::uint64_t kLowestVersionGeneration3 = makeVersion(0x00000300, 0x20170300);

QString heading(const TPluginKonfig& identity) {
    return format(QStringLiteral("%s (%s)\r\r"),
                  {identity.GetPluginVerejneJmeno(), identity.FPluginSystemoveJmeno});
}

void readIconSet(const Host& host, PluginProcessState& state) {
    if (state.iconSet)
        return;
    IconSet icons;
    if (static_cast<std::uint64_t>(host.hostVersion()) >= kIconSetHostVersion) {
        try {
            QString database = host.systemDatabaseName();
            if (!sql::isRegularIdentifier(database))
                database = sql::bracketedName(database);
            HostQuery q = host.openSql(QStringLiteral("SELECT SadaIkonek FROM ") + database +
                                       QStringLiteral("..TabUserCfg WHERE LoginName = ") +
                                       QStringLiteral("SUSER_SNAME()"));
            icons.sadaIkonek = q.eof() ? 0 : q.value(0).toInt();
        } catch (const std::exception&) {
            icons.sadaIkonek = 0; // an icon set that cannot be read is the default one
        }
    }
    state.iconSet = icons;
}

void readLegislation(const Host& host, PluginProcessState& state) {
    if (state.legislativa != -1)
        return;
    HostQuery q = host.openSql(QStringLiteral("SELECT Legislativa FROM TabHGlob"));
    state.legislativa = q.eof() ? 0 : q.value(0).toInt();
}

void prepareForHost(const Host& host, PluginProcessState& state) {
    if (!state.definitionsPrepared) {
        pluginServices().prepareDefinitions(host);
        state.definitionsPrepared = true;
    }
    if (checkUserLanguage(host))
        pluginServices().refreshCaptions(host);
    readIconSet(host, state);
    readLegislation(host, state);
}

// Dispatch in the host's plug-in list that needs no version check; true when the run is done.
bool dispatchPluginListAction(const Host& host, const TPluginKonfig& identity) {
    if (host.browseNumber() != kPluginListBrowse)
        return false;
    switch (host.extCommandId()) {
    case -7:
        identity.PluginUninstall(host);
        return true;
    case -6:
        pluginServices().openTranslations(host, TranslationsMode::LanguageModules);
        return true;
    case -5:
        pluginServices().openTranslations(host, TranslationsMode::Portal);
        return true;
    case -2:
        pluginServices().showAbout(host);
        return true;
    default:
        return false;
    }
}

void checkSqlServerVersion(const Host& host, const TPluginKonfig& identity) {
    if (host.sqlServerVersion() < identity.FPluginMinimalniPozadovanaVerzeSQLServeru)
        throw PluginError(
            heading(identity) +
            format(hlaska(105), {sqlServerVersionName(identity.FPluginMinimalniPozadovanaVerzeSQLServeru)}));
}

void checkHostVersion(const Host& host, const TPluginKonfig& identity) {
    const auto hostVersion = static_cast<std::uint64_t>(host.hostVersion());
    // The generation is compared as a number: for every generation the outcome is the one a
    // comparison of its text with "3" gives, without misreading two-digit generations.
    std::uint64_t required;
    if (versionMajor(hostVersion) < 3)
        required = std::max(identity.FPluginMinimalniPozadovanaVerzeOrvianu, kLowestVersionGeneration2);
    else
        required = std::max(identity.FPluginMinimalniPozadovanaVerzeOrvianu_ver3, kLowestVersionGeneration3);
    if (hostVersion < required)
        throw PluginError(heading(identity) + format(hlaska(8), {versionText(required, 4)}));
}

struct InstalledVersion {
    QString text;
    bool changesCompleted = false;
};

InstalledVersion readInstalledVersion(const Host& host, const TPluginKonfig& identity) {
    HostQuery q = host.openSql(
        format(QStringLiteral("IF EXISTS(SELECT*FROM TabPluginInfo WHERE NazevSys=%s)\rSELECT VerzePluginu, "
                              "CAST(ZmenyOK AS INT) FROM TabPluginInfo WHERE NazevSys=%0:s\rELSE\rSELECT %s, "
                              "CAST(0 AS INT)"),
               {sql::text(identity.FPluginSystemoveJmeno), sql::text(QStringLiteral("000000000000"))}));
    if (q.eof())
        return {QStringLiteral("000000000000"), false};
    return {q.value(0).toString(), q.value(1).toInt() == 1};
}

void runSteps(const Host& host) {
    const TPluginKonfig& identity = pluginKonfig();
    PluginProcessState& state = pluginProcessState();

    adoptHostLook(host, state);
    prepareForHost(host, state);
    identity.VlastniInicializacePluginu(host);

    if (dispatchPluginListAction(host, identity))
        return;

    checkSqlServerVersion(host, identity);
    checkHostVersion(host, identity);

    const InstalledVersion installed = readInstalledVersion(host, identity);
    const QString own = versionText(TPluginKonfig::kVerzePluginu, 6);
    const int comparison = compareInstalledVersion(installed.text, own);
    const QString versions =
        format(QStringLiteral("%s: %s\r%s: %s"), {hlaska(57), installed.text, hlaska(58), own});
    if (comparison == 1)
        throw PluginError(
            format(QStringLiteral("%s (%s)\r\r%s\r\r"),
                   {identity.GetPluginVerejneJmeno(), identity.FPluginSystemoveJmeno, hlaska(59)}) +
            versions);

    if (host.browseNumber() == kPluginListBrowse) {
        const int code = host.extCommandId();
        if (code == -1 || code == -3) {
            pluginServices().install(host, code == -3);
            return;
        }
    }

    if (comparison == 2)
        throw PluginError(format(QStringLiteral("%s (%s)\r\r%s\r\1%s\1\r\r"),
                                 {identity.GetPluginVerejneJmeno(), identity.FPluginSystemoveJmeno,
                                  hlaska(62), hlaska(61)}) +
                          versions);
    if (!installed.changesCompleted)
        throw PluginError(format(
            QStringLiteral("%s (%s)\r\r%s\r\1%s\1"),
            {identity.GetPluginVerejneJmeno(), identity.FPluginSystemoveJmeno, hlaska(63), hlaska(61)}));

    switch (const int command = host.extCommandId()) {
    case -8:
        host.debugControllerName();
        host.showError(QStringLiteral("{Ladit} - Controller nenalezen!"));
        break;
    case 0:
        identity.ExtKomIDJeRovnoNule(host);
        break;
    case -4:
        identity.PluginConfiguration(host);
        break;
    default:
        runExternalCommand(host, command);
        break;
    }
}

} // namespace

void runPlugin(const Host& host) {
    OrvianRegistration registration(host.raw());
    installApplicationExceptionHandler(host.interface());
    try {
        runSteps(host);
    } catch (const std::bad_alloc&) {
        throw PluginError(QStringLiteral("Nedostatek paměti"));
    } catch (const std::exception& e) {
        throw PluginError(translatedExceptionText(exceptionText(e)));
    }
}

} // namespace provozmat
