#include "TableDefinitions.h"

#include "SqliteStatement.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"

#include <charconv>

namespace tsql {

namespace {

std::string objectName(const ObjectName& name) {
    const auto& p = name.parts;
    if (p.size() == 1)
        return p[0].name;
    if (p.size() == 2 && foldName(p[0].name) == "DBO")
        return p[1].name;
    if (p.size() == 3 && foldName(p[0].name) == "TEMPDB" && p[2].name.starts_with('#'))
        return p[2].name;
    refuse("names with a database or a schema other than dbo (" + name.toString() + ")");
}

std::vector<int> keyOrdinals(const TableInfo& t, const std::vector<KeyColumn>& columns) {
    std::vector<int> out;
    for (const auto& c : columns) {
        auto i = t.findColumn(c.name.name);
        if (!i)
            throw SqlError(1911, 16, 1,
                           "Column name '" + c.name.name + "' does not exist in the target table or view.");
        out.push_back(static_cast<int>(*i));
    }
    return out;
}

void addKey(TableInfo& t, const TableConstraint& c, std::vector<int> columns) {
    if (c.kind != ConstraintKind::PrimaryKey && c.kind != ConstraintKind::Unique)
        refuse(c.kind == ConstraintKind::Check ? "CHECK constraints" : "FOREIGN KEY constraints");
    const bool primary = c.kind == ConstraintKind::PrimaryKey;
    if (primary)
        for (const KeyInfo& k : t.keys)
            if (k.primary)
                throw SqlError(8110, 16, 0,
                               "Cannot add multiple PRIMARY KEY constraints to table '" + t.name + "'.");
    std::string name = c.name ? c.name->name : (primary ? "PK__" : "UQ__") + t.name;
    if (!c.name && !primary)
        name += "__" + std::to_string(t.keys.size());
    if (primary)
        for (int col : columns)
            t.columns[static_cast<std::size_t>(col)].nullable = false;
    t.keys.push_back({std::move(name), primary, std::move(columns)});
}

// An IDENTITY seed or increment as written; it must fit the column's type.
std::int64_t identityNumber(const std::string& text, const DataType& type) {
    std::int64_t v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data() + (text.starts_with('+') ? 1 : 0), end, v);
    if (ec != std::errc() || ptr != end)
        throw SqlError(8115, 16, 1,
                       "Arithmetic overflow error converting IDENTITY to data type " +
                           std::string(type.name()) + ".");
    convert(Value::integer(v, TypeId::BigInt), type, ConversionMode::Store);
    return v;
}

} // namespace

void createTable(const CreateTableStmt& s, const Batch& batch, SessionCatalog& catalog) {
    createTable(objectName(s.name), s.definition, batch, catalog);
}

void createTable(const std::string& name, const TableDefinition& definition, const Batch& batch,
                 SessionCatalog& catalog) {
    TableInfo t;
    t.name = name;
    for (const ColumnDefinition& d : definition.columns) {
        if (d.computed || !d.type)
            refuse("computed columns");
        if (t.findColumn(d.name.name))
            throw SqlError(2705, 16, 3,
                           "Column names in each table must be unique. Column name '" + d.name.name +
                               "' in table '" + t.name + "' is specified more than once.");
        ColumnInfo c;
        c.name = d.name.name;
        c.type = resolveType(*d.type, LengthDefault::Declaration);
        c.nullable = d.nullable.value_or(!d.identity);
        if (d.identity) {
            if (!c.type.isInteger() && !(c.type.isDecimal() && c.type.scale == 0))
                throw SqlError(
                    2749, 16, 2,
                    "Identity column '" + c.name +
                        "' must be of data type int, bigint, smallint, tinyint, or decimal or numeric with "
                        "a scale of 0, and constrained to be nonnullable.");
            c.identitySeed = identityNumber(d.identity->seed, c.type);
            c.identityIncrement = identityNumber(d.identity->increment, c.type);
        }
        if (d.defaultValue)
            c.defaultExpression = std::string(batch.textOf(d.defaultValue->value->range));
        t.columns.push_back(std::move(c));
    }
    for (std::size_t i = 0; i < definition.columns.size(); ++i)
        for (const TableConstraint& c : definition.columns[i].constraints)
            addKey(t, c, {static_cast<int>(i)});
    for (const TableConstraint& c : definition.constraints)
        addKey(t, c, keyOrdinals(t, c.columns));
    catalog.forName(t.name).create(std::move(t));
}

void dropObjects(const DropStmt& s, SessionCatalog& catalog) {
    for (const DropTarget& target : s.targets) {
        const std::string name = objectName(target.name);
        Catalog& c = catalog.forName(name);
        if (s.objectKind == ObjectKind::Table) {
            if (s.ifExists && !c.find(name))
                continue;
            c.drop(name);
            continue;
        }
        const char* type = s.objectKind == ObjectKind::View        ? "V"
                           : s.objectKind == ObjectKind::Procedure ? "P"
                           : s.objectKind == ObjectKind::Function  ? "FN"
                                                                   : nullptr;
        if (!type)
            refuse("DROP INDEX and DROP TRIGGER");
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
    binder.query(*s.query);
    Catalog::Module m{name, "V", text};
    if (alter)
        c.alterModule(m);
    else
        c.createModule(m);
}

} // namespace tsql
