#include "core/BrowseNumbers.h"

#include "base/Format.h"
#include "base/Host.h"
#include "base/PluginError.h"
#include "base/SqlLiteral.h"
#include "base/Text.h"
#include "definitions/BrowseDefinitions.h"
#include "lang/Messages.h"

namespace provozmat {

int browseNumberOfDefinition(const Host& host, int index) {
    const auto& definitions = browseDefinitions();
    if (index < 1 || index >= static_cast<int>(definitions.size()))
        return 0;
    const auto& definition = definitions[static_cast<std::size_t>(index)];
    const QString& view = definition.JmenoView;
    if (!view.startsWith(QStringLiteral("hvw_"), Qt::CaseInsensitive))
        return 0;
    HostQuery q = host.openSql(
        format(QStringLiteral("SELECT Cislo FROM TabObecnyPrehled WHERE NazevSys=%s"), {sql::text(view)}));
    if (q.eof())
        throw PluginError(format(hlaska(86) + QStringLiteral("\r\r\1%s\1"),
                                 {view, browsePublicName(definition), hlaska(61)}));
    return q.value(0).toInt() + 100000;
}

} // namespace provozmat
