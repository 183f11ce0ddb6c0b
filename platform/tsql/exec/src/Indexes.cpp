#include "Indexes.h"

#include "RowExpressions.h"
#include "ServerText.h"
#include "SqliteStatement.h"
#include "TableBuilder.h"

#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"

#include <algorithm>

namespace tsql {

namespace {

std::string qualified(const TableInfo& t) {
    return (t.schema == "temp" ? "" : "dbo.") + t.name;
}

TableInfo tableNamed(const std::string& name, const SessionCatalog& catalog) {
    auto t = catalog.forName(name).find(name);
    if (!t)
        throw SqlError(1088, 16, 12,
                       "Cannot find the object \"" + name +
                           "\" because it does not exist or you do not have permissions.");
    return std::move(*t);
}

std::vector<int> ordinalsOf(const TableInfo& t, const std::vector<std::string>& names) {
    std::vector<int> out;
    for (const std::string& name : names) {
        const auto i = t.findColumn(name);
        if (!i)
            throw SqlError(1911, 16, 1,
                           "Column name '" + name + "' does not exist in the target table or view.");
        if (std::find(out.begin(), out.end(), static_cast<int>(*i)) != out.end())
            throw SqlError(1909, 16, 1,
                           "Cannot use duplicate column names in index. Column name '" + name +
                               "' listed more than once.");
        out.push_back(static_cast<int>(*i));
    }
    return out;
}

std::vector<IndexInfo>::iterator findIndex(TableInfo& t, const std::string& name) {
    return std::find_if(t.indexes.begin(), t.indexes.end(),
                        [&](const IndexInfo& x) { return foldName(x.name) == foldName(name); });
}

// "t.i" as table and index.
std::pair<std::string, std::string> splitQualified(const ObjectName& name) {
    if (name.parts.size() < 2)
        throw SqlError(159, 15, 1,
                       "Must specify the table name and index name for the DROP INDEX statement.");
    const std::size_t n = name.parts.size();
    return {name.parts[n - 2].name, name.parts[n - 1].name};
}

} // namespace

void refuseDuplicateRows(sqlite3* db, const TableInfo& t, const std::vector<int>& key,
                         const std::string& index) {
    std::string columns;
    for (int o : key)
        columns += (columns.empty() ? "" : ", ") + TableInfo::storageColumn(static_cast<std::size_t>(o));
    SqliteStatement dup(db, "SELECT " + columns + " FROM " + t.storageName() + " GROUP BY " + columns +
                                " HAVING count(*) > 1 LIMIT 1");
    if (!dup.step())
        return;
    std::string values;
    for (std::size_t i = 0; i < key.size(); ++i)
        values += (i ? ", " : "") +
                  dup.valueAt(static_cast<int>(i), t.columns[static_cast<std::size_t>(key[i])].type)
                      .toDisplayString();
    throw SqlError(
        1505, 16, 1,
        "The CREATE UNIQUE INDEX statement terminated because a duplicate key was found for the object "
        "name '" +
            qualified(t) + "' and the index name '" + index + "'. The duplicate key value is (" + values +
            ").");
}

void createIndex(const CreateIndexStmt& s, SessionCatalog& catalog, sqlite3* db) {
    TableInfo t = tableNamed(objectName(s.table), catalog);
    if (findIndex(t, s.name.name) != t.indexes.end())
        throw SqlError(1913, 16, 1,
                       "The operation failed because an index or statistics with name '" + s.name.name +
                           "' already exists on table '" + qualified(t) + "'.");
    IndexInfo x;
    x.name = s.name.name;
    x.unique = s.unique;
    x.clustered = s.clustered.value_or(false);
    std::vector<std::string> keys, included;
    for (const KeyColumn& k : s.columns)
        keys.push_back(k.name.name);
    for (const Identifier& i : s.include)
        included.push_back(i.name);
    x.keyColumns = ordinalsOf(t, keys);
    x.included = ordinalsOf(t, included);
    if (s.where) {
        if (x.clustered)
            throw SqlError(
                1900, 16, 1,
                "Cannot create a clustered index with a predicate clause. Filtered clustered indexes are "
                "not supported.");
        x.filter = serverText(*s.where);
        RowExpression(catalog, t, x.filter, true); // the filter must bind over the table
    }
    int last = 1;
    for (const IndexInfo& other : t.indexes) {
        if (other.clustered && x.clustered)
            throw SqlError(1902, 16, 3,
                           "Cannot create more than one clustered index on table '" + qualified(t) +
                               "'. Drop the existing clustered index '" + other.name +
                               "' before creating another.");
        last = std::max(last, other.indexId);
    }
    x.indexId = x.clustered ? 1 : last + 1;
    if (x.unique && x.filter.empty())
        refuseDuplicateRows(db, t, x.keyColumns, x.name);
    t.indexes.push_back(std::move(x));
    catalog.forName(t.name).store(t);
}

void dropIndex(const DropTarget& target, bool ifExists, SessionCatalog& catalog) {
    std::string tableName, indexName;
    if (!target.onTable.empty()) {
        tableName = objectName(target.onTable);
        indexName = target.name.last();
    } else {
        std::tie(tableName, indexName) = splitQualified(target.name);
    }
    auto t = catalog.forName(tableName).find(tableName);
    const auto missing = [&] {
        return SqlError(3701, 11, 7,
                        "Cannot drop the index '" + tableName + "." + indexName +
                            "', because it does not exist or you do not have permission.");
    };
    if (!t) {
        if (ifExists)
            return;
        throw missing();
    }
    const auto it = findIndex(*t, indexName);
    if (it == t->indexes.end()) {
        if (ifExists)
            return;
        throw missing();
    }
    if (it->primaryKey || it->uniqueConstraint)
        throw SqlError(3723, 16, 4,
                       "An explicit DROP INDEX is not allowed on index '" + tableName + "." + indexName +
                           "'. It is being used for " + (it->primaryKey ? "PRIMARY KEY" : "UNIQUE KEY") +
                           " constraint enforcement.");
    t->indexes.erase(it);
    catalog.forName(tableName).store(*t);
}

void renameIndex(const std::string& qualifiedName, const std::string& newName, SessionCatalog& catalog) {
    const std::size_t dot = qualifiedName.rfind('.');
    std::string tableName = dot == std::string::npos ? "" : qualifiedName.substr(0, dot);
    if (foldName(tableName).starts_with("DBO."))
        tableName = tableName.substr(4);
    const std::string indexName = dot == std::string::npos ? qualifiedName : qualifiedName.substr(dot + 1);
    auto t = catalog.forName(tableName).find(tableName);
    const auto it = t ? findIndex(*t, indexName) : std::vector<IndexInfo>::iterator{};
    if (!t || it == t->indexes.end())
        throw SqlError(
            15248, 11, 1,
            "Either the parameter @objname is ambiguous or the claimed @objtype (INDEX) is wrong.");
    if (findIndex(*t, newName) != t->indexes.end())
        throw SqlError(15335, 11, 1,
                       "Error: The new name '" + newName +
                           "' is already in use as a INDEX name and would cause a "
                           "duplicate that is not permitted.");
    it->name = newName;
    // A key's index carries its constraint's name: renaming the one renames the other.
    for (ConstraintInfo& c : t->constraints)
        if ((it->primaryKey || it->uniqueConstraint) &&
            (c.type == ConstraintType::PrimaryKey || c.type == ConstraintType::Unique) &&
            foldName(c.name) == foldName(indexName))
            c.name = newName;
    catalog.forName(tableName).store(*t);
}

} // namespace tsql
