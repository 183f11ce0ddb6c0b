#include "core/ModuleRegistration.h"

#include "base/ModuleFolder.h"
#include "core/PluginKonfig.h"
#include "core/SpravceOrvianu.h"

#include <QSettings>

#include <cstdio>

namespace provozmat {

namespace {

QSettings classRegistry() {
    return QSettings(QStringLiteral("Orvian"), QStringLiteral("ComClasses"));
}

} // namespace

ModuleLoadResult loadModule() {
    try {
        pluginKonfig();
        spravceOrvianu();
        return {true, {}};
    } catch (const IdentityError& e) {
        std::fprintf(stderr, "Chyba: %s\n", QString(e.text()).replace(u'\r', u'\n').toUtf8().constData());
        return {false, e.text()};
    }
}

QString classRegistrationGroup() {
    return QStringLiteral("CLSID/") + QString::fromStdString(pluginKonfig().FPluginClass_ID.toString());
}

bool registerServer() {
    QSettings registry = classRegistry();
    const TPluginKonfig& identity = pluginKonfig();
    registry.beginGroup(classRegistrationGroup());
    registry.setValue(QStringLiteral("ProgID"), identity.SysAndClassName());
    registry.setValue(QStringLiteral("InprocServer32"), pluginModuleFile());
    registry.setValue(QStringLiteral("ThreadingModel"), QStringLiteral("Apartment"));
    registry.endGroup();
    registry.setValue(identity.SysAndClassName() + QStringLiteral("/CLSID"),
                      QString::fromStdString(identity.FPluginClass_ID.toString()));
    registry.sync();
    return registry.status() == QSettings::NoError;
}

bool unregisterServer() {
    QSettings registry = classRegistry();
    registry.remove(classRegistrationGroup());
    registry.remove(pluginKonfig().SysAndClassName());
    registry.sync();
    return registry.status() == QSettings::NoError;
}

} // namespace provozmat
