#include "RunFixture.h"

#include "base/Host.h"
#include "base/PluginError.h"
#include "core/ProcessState.h"
#include "core/RunDispatch.h"
#include "lang/LanguageState.h"

namespace provozmat::test {

using testhost::Table;
using testhost::v;

RunFixture::RunFixture() {
    PluginServices s;
    s.prepareDefinitions = [this](const Host&) { ++prepared; };
    s.refreshCaptions = [this](const Host&) { ++refreshed; };
    s.install = [this](const Host&, bool silent) { installedSilently = silent; };
    s.openTranslations = [this](const Host&, TranslationsMode mode) { translations = mode; };
    s.showAbout = [this](const Host&) { ++aboutShown; };
    services_ = std::make_unique<ScopedPluginServices>(std::move(s));
    pluginProcessState() = PluginProcessState{};
    TplgJazyky::instance().reset();

    host->answer("SELECT Jazyk, Jazyk2 FROM TabUziv WHERE LoginName = SUSER_SNAME()",
                 Table{{"Jazyk", "Jazyk2"}, {}});
    host->answer("SELECT Legislativa FROM TabHGlob", Table{{"Legislativa"}, {{v(0)}}});
}

RunFixture::~RunFixture() {
    TplgJazyky::instance().reset();
}

void RunFixture::installed(const QString& version, bool changesCompleted) {
    host->answer(kVersionBatch, Table{{"VerzePluginu", ""}, {{v(version), v(changesCompleted ? 1 : 0)}}});
}

void RunFixture::configurationBrowseRegistered(int cislo) {
    host->answer("SELECT Cislo FROM TabObecnyPrehled WHERE NazevSys=N'hvw_LCDKonfigurace7EK'",
                 Table{{"Cislo"}, {{v(cislo)}}});
}

QString RunFixture::run() {
    try {
        runPlugin(Host(ov::ComPtr<ov::IOrvian>(host.get())));
        return {};
    } catch (const PluginError& e) {
        return e.message();
    }
}

} // namespace provozmat::test
