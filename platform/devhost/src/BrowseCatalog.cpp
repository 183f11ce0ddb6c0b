#include "devhost/BrowseCatalog.h"

#include "devhost/SqlRunner.h"
#include "devhost/ValueMapping.h"

namespace devhost {

namespace {

QString textAt(const RowSet& rows, std::size_t row, int column) {
    return column < 0 ? QString() : displayText(rows.rows[row][static_cast<std::size_t>(column)]);
}

} // namespace

const std::vector<std::pair<int, BrowseSource>>& hostBrowses() {
    static const std::vector<std::pair<int, BrowseSource>> browses = {
        {4, {QStringLiteral("TabStrom"), QStringLiteral("Střediska")}},
        {5, {QStringLiteral("TabDokumenty"), QStringLiteral("Dokumenty")}},
        {15, {QStringLiteral("TabSkupinyZbozi"), QStringLiteral("Skupiny zboží"), QStringLiteral("SkupZbo")}},
        {kEmployeeBrowse, {QStringLiteral("TabCisZam"), QStringLiteral("Zaměstnanci")}},
        {138, {QStringLiteral("#TabZalohy"), QStringLiteral("Zálohy databáze")}},
        {kPluginListBrowse,
         {QStringLiteral("TabPluginInfo"), QStringLiteral("Pluginy"), QStringLiteral("NazevSys")}},
        {11001, {QStringLiteral("TabKmenZbozi"), QStringLiteral("Kmenové karty")}},
        {11006, {QStringLiteral("TabStrom"), QStringLiteral("Nákladová střediska")}},
        {11011, {QStringLiteral("TabPrikaz"), QStringLiteral("Výrobní příkazy")}},
        {11022, {QStringLiteral("TabCPraco"), QStringLiteral("Pracoviště")}},
        {11083, {QStringLiteral("TabVyrCisPrikaz"), QStringLiteral("Výrobní čísla příkazu")}},
    };
    return browses;
}

std::optional<BrowseSource> findBrowseSource(tsql::Session& session, int number) {
    for (const auto& [browseNumber, source] : hostBrowses())
        if (browseNumber == number)
            return source;
    if (number <= kDefinedBrowseBase)
        return std::nullopt;
    const RowSet rows =
        queryHostBatch(session, "SELECT NazevSys, Nazev FROM TabObecnyPrehled WHERE Cislo = " +
                                    std::to_string(number - kDefinedBrowseBase));
    if (rows.rows.empty())
        return std::nullopt;
    BrowseSource source;
    source.name = textAt(rows, 0, 0).trimmed();
    if (source.name.startsWith(QStringLiteral("dbo."), Qt::CaseInsensitive))
        source.name = source.name.mid(4);
    source.title = textAt(rows, 0, 1);
    if (source.title.isEmpty())
        source.title = source.name;
    return source;
}

std::vector<BrowseCommand> findBrowseCommands(tsql::Session& session, int number) {
    RowSet rows;
    try {
        rows = queryHostBatch(session, "SELECT ID, Popis, NazevPodmenu, HotKey, Parametry FROM TabExtKom "
                                       "WHERE IdBrowse = " +
                                           std::to_string(number) + " ORDER BY ID");
    } catch (const BatchError&) {
        return {}; // no TabExtKom yet: the plug-in is not installed
    }
    std::vector<BrowseCommand> commands;
    for (std::size_t row = 0; row < rows.rows.size(); ++row) {
        BrowseCommand command;
        command.id = static_cast<std::int32_t>(wholeNumber(rows.rows[row][0]).value_or(0));
        command.caption = textAt(rows, row, 1);
        command.submenu = textAt(rows, row, 2);
        command.hotKey = textAt(rows, row, 3);
        command.parameters = textAt(rows, row, 4);
        commands.push_back(std::move(command));
    }
    return commands;
}

std::string bracketedName(const QString& name) {
    QString escaped = name;
    escaped.replace(u']', QStringLiteral("]]"));
    return "[" + escaped.toStdString() + "]";
}

} // namespace devhost
