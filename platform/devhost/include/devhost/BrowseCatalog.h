#pragma once
// The host's browses by number: which table or view each shows, and the plug-in actions that
// the host lists in it. Host browses have fixed numbers; 100000 + n is the defined browse of
// TabObecnyPrehled with Cislo n.

#include "ov/Variant.h"
#include "tsql/exec/Session.h"

#include <QString>

#include <optional>
#include <vector>

namespace devhost {

constexpr int kPluginListBrowse = 871;
constexpr int kEmployeeBrowse = 86;
constexpr int kDefinedBrowseBase = 100000;

struct BrowseSource {
    QString name;  // table or view, without the schema
    QString title; // window caption
    QString keyColumn = QStringLiteral("ID");
};

// The host browses the development host knows, in number order.
const std::vector<std::pair<int, BrowseSource>>& hostBrowses();

// The browse's source; reads TabObecnyPrehled for a defined browse. nullopt when the host has
// no such browse.
std::optional<BrowseSource> findBrowseSource(tsql::Session& session, int number);

// A plug-in action listed in a browse (a row of TabExtKom).
struct BrowseCommand {
    std::int32_t id = 0;
    QString caption;
    QString submenu;
    QString hotKey;
    QString parameters;
};

// The actions of the browse, in the order of their IDs; none when TabExtKom does not exist.
std::vector<BrowseCommand> findBrowseCommands(tsql::Session& session, int number);

// `name` as a bracketed identifier, so that no name is spliced into SQL text as written.
std::string bracketedName(const QString& name);

} // namespace devhost
