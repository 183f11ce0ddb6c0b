#include "Triggers.h"

#include "TableBuilder.h"

#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"

#include <algorithm>

namespace tsql {

void createTrigger(const CreateTriggerStmt& s, const Batch& batch, SessionCatalog& catalog) {
    const ModuleHeader& h = s.header;
    const std::string name = objectName(h.name);
    const std::string tableName = objectName(s.table);
    Catalog& c = catalog.forName(tableName);
    const auto table = c.find(tableName);
    if (!table)
        throw SqlError(8197, 16, 4,
                       "The object '" + tableName + "' does not exist or is invalid for this operation.");
    std::string text = batch.text;
    const auto existing = c.findModule(name);
    if (h.alter && (!existing || existing->type != "TR"))
        throw SqlError(208, 16, 6, "Invalid object name '" + name + "'.");
    // The stored text reads CREATE where the statement said ALTER, as the server keeps it.
    if (h.alter)
        text = text.substr(0, s.range.begin) + "CREATE" + text.substr(s.range.begin + 5);
    if (existing && (h.alter || h.createOrAlter) && existing->type == "TR") {
        c.alterModule({name, "TR", text, table->id, existing->disabled});
        return;
    }
    c.createModule({name, "TR", text, table->id, false});
}

void enableTriggers(const EnableTriggerStmt& s, SessionCatalog& catalog) {
    if (s.onDatabase || s.onAllServer)
        refuse("database and server triggers");
    const std::string tableName = objectName(s.table);
    Catalog& c = catalog.forName(tableName);
    const auto table = c.find(tableName);
    if (!table)
        throw SqlError(1088, 16, 12,
                       "Cannot find the object \"" + tableName +
                           "\" because it does not exist or you do not have permissions.");
    const auto triggers = c.triggersOf(table->id);
    std::vector<std::int64_t> ids;
    if (s.all)
        for (const auto& t : triggers)
            ids.push_back(t.id);
    for (const ObjectName& n : s.triggers) {
        const std::string name = objectName(n);
        const auto it = std::find_if(triggers.begin(), triggers.end(), [&](const Catalog::Object& o) {
            return foldName(o.name) == foldName(name);
        });
        if (it == triggers.end())
            throw SqlError(3701, 11, 5,
                           "Cannot " + std::string(s.enable ? "enable" : "disable") + " the trigger '" +
                               name + "', because it does not exist or you do not have permission.");
        ids.push_back(it->id);
    }
    for (std::int64_t id : ids)
        c.setDisabled(id, !s.enable);
}

void dropTrigger(const std::string& name, bool ifExists, SessionCatalog& catalog) {
    Catalog& c = catalog.forName(name);
    const auto existing = c.findModule(name);
    if (!existing || existing->type != "TR") {
        if (ifExists)
            return;
        throw SqlError(3701, 11, 5,
                       "Cannot drop the trigger '" + name +
                           "', because it does not exist or you do not have permission.");
    }
    c.dropModule(name);
}

} // namespace tsql
