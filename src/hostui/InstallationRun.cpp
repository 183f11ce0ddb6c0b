#include "hostui/InstallationRun.h"

#include "base/Format.h"
#include "base/Host.h"
#include "core/PluginKonfig.h"
#include "definitions/Installation.h"
#include "hostui/SchemaChangeDialog.h"
#include "lang/Messages.h"

namespace provozmat {

IdentitaInstalace identitaInstalace() {
    const auto& k = pluginKonfig();
    return IdentitaInstalace{.systemoveJmeno = k.FPluginSystemoveJmeno,
                             .nazevObjektu = k.FPluginClassName,
                             .verejneJmeno = k.GetPluginVerejneJmeno(),
                             .prefixTabulek = k.FPluginPrefixTabulek,
                             .verze = TPluginKonfig::kVerzePluginu,
                             .restartHostitele = k.FPluginJeVyzadovanRestartOrvianu};
}

void spustInstalaci(const Host& host, bool tichy) {
    const IdentitaInstalace identita = identitaInstalace();
    const auto vysledek = Instalace(host, definice(), identita, tichy,
                                    [&host](const QString& nadpis, const ZmenySchematu& zmeny) {
                                        return potvrdZmeny(host, nadpis, zmeny);
                                    })
                              .spust();
    if (vysledek.dokonceno && !tichy)
        host.showMessage(format(hlaska(35), {QStringLiteral("Orvian")}));
}

} // namespace provozmat
