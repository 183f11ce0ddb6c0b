#include "HostDatabaseFixture.h"

#include "definitions/CompiledDefinitions.h"
#include "definitions/Installation.h"
#include "definitions/Preparation.h"
#include "definitions/SchemaCatalog.h"

#include "devhost/BrowseCatalog.h"
#include "devhost/HostSchema.h"
#include "tsql/exec/Database.h"

namespace provozmat::test {

HostDatabaseFixture::HostDatabaseFixture()
    : workstation(devhost::Workstation::create(tsql::Database::open(":memory:"), devhost::HostSettings{},
                                               dialogs, windows)),
      d(zkompilovaneDefinice()) {
    devhost::runHostSchema(workstation->session());
    host = Host(workstation->orvian(workstation->openBrowse(devhost::kEmployeeBrowse), 0));
    pripravDefinice(d, pluginOwner(), h.host);
}

QStringList HostDatabaseFixture::verifyTables() {
    Tx tx{d, host.sqlServerVersion()};
    tx.setTestDB(QString(), pouziteTabulky(d, 0));
    KatalogSchematu(host, tx).vsechnyKrokyTabulek(QStringLiteral("KTab"));
    return tx.XSL();
}

} // namespace provozmat::test
