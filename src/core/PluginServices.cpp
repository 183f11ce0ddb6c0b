#include "core/PluginServices.h"

#include "core/NotAvailable.h"
#include "hostui/AboutWindow.h"

#include <QString>

namespace provozmat {

namespace {

PluginServices buildServices() {
    PluginServices s;
    // This build compiles no table definitions yet: there is nothing to prepare or to translate.
    s.prepareDefinitions = [](const Host&) {};
    s.refreshCaptions = [](const Host&) {};
    s.install = [](const Host&, bool) { throwNotAvailable(QStringLiteral("Instalace pluginu")); };
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
