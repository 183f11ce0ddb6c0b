#include "TableDefinitions.h"

#include "Indexes.h"
#include "SqliteStatement.h"
#include "TableBuilder.h"
#include "Triggers.h"

#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"

namespace tsql {

void createTable(const CreateTableStmt& s, const Batch& batch, SessionCatalog& catalog) {
    createTable(objectName(s.name), s.definition, batch, catalog);
}

void createTable(const std::string& name, const TableDefinition& definition, const Batch&,
                 SessionCatalog& catalog) {
    TableInfo t;
    t.name = name;
    t.schema = catalog.forName(name).schema();
    TableBuilder builder(t, catalog);
    for (const ColumnDefinition& d : definition.columns)
        builder.addColumn(d);
    builder.deriveComputed();
    bool clusteredWritten = false;
    for (const ColumnDefinition& d : definition.columns)
        for (const TableConstraint& c : d.constraints)
            clusteredWritten = clusteredWritten || c.clustered.value_or(false);
    for (const TableConstraint& c : definition.constraints)
        clusteredWritten = clusteredWritten || c.clustered.value_or(false);
    for (std::size_t i = 0; i < definition.columns.size(); ++i)
        for (const TableConstraint& c : definition.columns[i].constraints)
            builder.addConstraint(c, i, clusteredWritten && !c.clustered.value_or(false));
    for (const TableConstraint& c : definition.constraints)
        builder.addConstraint(c, std::nullopt, clusteredWritten && !c.clustered.value_or(false));
    catalog.forName(t.name).create(t);
}

void dropObjects(const DropStmt& s, SessionCatalog& catalog) {
    for (const DropTarget& target : s.targets) {
        if (s.objectKind == ObjectKind::Index) {
            dropIndex(target, s.ifExists, catalog);
            continue;
        }
        const std::string name = objectName(target.name);
        Catalog& c = catalog.forName(name);
        if (s.objectKind == ObjectKind::Table) {
            if (s.ifExists && !c.find(name))
                continue;
            c.drop(name);
            continue;
        }
        if (s.objectKind == ObjectKind::Trigger) {
            dropTrigger(name, s.ifExists, catalog);
            continue;
        }
        const char* type = s.objectKind == ObjectKind::View        ? "V"
                           : s.objectKind == ObjectKind::Procedure ? "P"
                           : s.objectKind == ObjectKind::Function  ? "FN"
                                                                   : nullptr;
        if (!type)
            refuse("DROP of this kind of object");
        const auto module = c.findModule(name);
        if (!module || module->type != type) {
            if (s.ifExists)
                continue;
            const char* kind = s.objectKind == ObjectKind::View        ? "view"
                               : s.objectKind == ObjectKind::Procedure ? "procedure"
                                                                       : "function";
            throw SqlError(3701, 11, 5,
                           std::string("Cannot drop the ") + kind + " '" + name +
                               "', because it does not exist or you do not have permission.");
        }
        c.dropModule(name);
    }
}

void truncateTable(const TruncateStmt& s, SessionCatalog& catalog, sqlite3* db) {
    const std::string name = objectName(s.table);
    const auto t = catalog.forName(name).find(name);
    if (!t)
        throw SqlError(4701, 16, 1,
                       "Cannot find the object \"" + name +
                           "\" because it does not exist or you do not have permissions.");
    if (!catalog.forName(name).referencesTo(t->id).empty())
        throw SqlError(4712, 16, 1,
                       "Cannot truncate table '" + t->name +
                           "' because it is being referenced by a FOREIGN KEY "
                           "constraint.");
    SqliteStatement d(db, "DELETE FROM " + t->storageName());
    d.step();
    if (t->identityColumn())
        catalog.forName(name).resetIdentity(*t);
}

void createView(const CreateViewStmt& s, const Batch& batch, SessionCatalog& catalog, bool alter) {
    const std::string name = objectName(s.header.name);
    Catalog& c = catalog.main();
    std::string text(batch.text);
    if (alter) {
        // The stored text reads CREATE where the statement said ALTER, as the server keeps it.
        const auto existing = c.findModule(name);
        if (!existing || existing->type != "V")
            throw SqlError(208, 16, 1, "Invalid object name '" + name + "'.");
        const std::size_t at = s.range.begin;
        text = text.substr(0, at) + "CREATE" + text.substr(at + 5);
    }
    // The query must bind now: its tables and columns must exist.
    VariableScope noVariables;
    Binder binder(catalog, noVariables);
    const auto query = binder.query(*s.query);
    Catalog::Module m{name, "V", text};
    const std::int64_t id = alter ? c.alterModule(m) : c.createModule(m);
    std::vector<ColumnInfo> columns;
    for (std::size_t i = 0; i < query->columns.size(); ++i) {
        ColumnInfo col;
        col.name = i < s.columns.size() ? s.columns[i].name : query->columns[i].name;
        col.type = query->columns[i].type;
        col.columnId = static_cast<int>(i + 1);
        columns.push_back(std::move(col));
    }
    c.setColumns(id, columns);
}

} // namespace tsql
