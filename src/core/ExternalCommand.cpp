#include "core/ExternalCommand.h"

#include "base/Format.h"
#include "base/Host.h"
#include "base/PluginError.h"
#include "base/SqlLiteral.h"
#include "base/Text.h"
#include "core/BrowseAction.h"
#include "core/PluginKonfig.h"
#include "definitions/BrowseDefinitions.h"
#include "lang/Messages.h"

namespace provozmat {

void runBrowseActionByIndex(const Host& host, int index, const QString& text) {
    const auto& definitions = browseDefinitions();
    if (index < 1 || index >= static_cast<int>(definitions.size()))
        return;
    const auto& definition = definitions[static_cast<std::size_t>(index)];
    if (definition.DMAkceClass.isEmpty())
        return;
    auto action = browseActionClass(definition.DMAkceClass).Create(host, definition.EditorClass, index);
    action->SpustAkci(text);
}

void runBrowseActionByBrowseNumber(const Host& host, int browseNumber, const QString& text) {
    const auto set = extActionSetByBrowseNumber(browseNumber);
    if (!set)
        return;
    const auto& definition = extActionSets()[static_cast<std::size_t>(*set)];
    if (definition.DMAkceClass.isEmpty())
        return;
    auto action = browseActionClass(definition.DMAkceClass).CreateTab(host, definition);
    action->SpustAkci(text);
}

void runExternalCommand(const Host& host, int commandId) {
    HostQuery command = host.openSql(
        format(QStringLiteral(
                   "SELECT CAST(CAST(GUID AS UNIQUEIDENTIFIER) AS NVARCHAR(36))\rFROM TabExtKom WHERE ID=%d"),
               {commandId}));
    // A command row that does not exist cannot name an action.
    if (command.eof())
        throw PluginError(hlaska(60));
    const QString actionGuid = u'{' + command.value(0).toString() + u'}';

    QString bareGuid = actionGuid;
    bareGuid.remove(u'{').remove(u'}').remove(u'-');
    const QString procedure =
        QStringLiteral("dbo.epx_") + pluginKonfig().FPluginSystemoveJmeno + u'_' + bareGuid;

    HostQuery exists = host.openSql(QStringLiteral("IF OBJECT_ID(") + sql::text(procedure) +
                                    QStringLiteral(", N'P') IS NULL SELECT 0 ELSE SELECT 1"));
    if (!exists.eof() && exists.value(0).toInt() == 1) {
        HostQuery answer = host.openSql(QStringLiteral("EXEC ") + procedure);
        if (answer.eof())
            return; // the dispatcher names no action
        const QString text = answer.value(0).toString();
        const QString browse = answer.value(1).toString();
        if (browse.startsWith(QStringLiteral("hvw_"), Qt::CaseInsensitive)) {
            if (const int index = browseIndexByViewName(browse)) {
                runBrowseActionByIndex(host, index, text);
                return;
            }
        }
        bool ok = false;
        const int browseNumber = browse.trimmed().toInt(&ok);
        if (!ok)
            throw PluginError(format(QStringLiteral("Procedura %s vrátila neplatné číslo přehledu %s"),
                                     {procedure, highlighted(browse)}));
        runBrowseActionByBrowseNumber(host, browseNumber, text);
        return;
    }

    if (host.browseNumber() > 99999) {
        if (const int index = browseIndexByViewName(host.browseViewName())) {
            runBrowseActionByIndex(host, index, actionGuid);
            return;
        }
    }
    runBrowseActionByBrowseNumber(host, host.browseNumber(), actionGuid);
}

} // namespace provozmat
