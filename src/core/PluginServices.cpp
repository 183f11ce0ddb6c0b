#include "core/PluginServices.h"

#include "core/NotAvailable.h"
#include "core/PluginKonfig.h"
#include "definitions/Captions.h"
#include "definitions/Preparation.h"
#include "hostui/AboutWindow.h"
#include "hostui/InstallationRun.h"

#include <QString>

#include <cstdio>

namespace provozmat {

namespace {

// Prepares the compiled definitions against this plug-in's identity. A definition that fails
// its self-check is a defect of the build: the "Chyba" message goes to standard error and the
// error leaves the run, so that the host shows it and no command runs on broken definitions.
void prepareDefinitions(const Host& host) {
    const TPluginKonfig& identity = pluginKonfig();
    const DefinitionOwner owner{identity.FPluginPrefixTabulek, identity.FPluginIdentifikator,
                                TPluginKonfig::kVerzePluginu};
    try {
        pripravDefiniceProcesu(owner, host);
    } catch (const DefinitionError& e) {
        std::fprintf(stderr, "Chyba: %s\n", QString(e.message()).replace(u'\r', u'\n').toUtf8().constData());
        throw;
    }
}

PluginServices buildServices() {
    PluginServices s;
    s.prepareDefinitions = prepareDefinitions;
    s.refreshCaptions = obnovTextyProcesu;
    s.install = spustInstalaci;
    s.openTranslations = [](const Host&, TranslationsMode mode) {
        throwNotAvailable(mode == TranslationsMode::Portal ? QStringLiteral("Překladový portál")
                                                           : QStringLiteral("Jazykové DLL"));
    };
    s.showAbout = [](const Host& host) { showAboutWindow(host); };
    return s;
}

} // namespace

PluginServices& pluginServices() {
    static PluginServices services = buildServices();
    return services;
}

} // namespace provozmat
