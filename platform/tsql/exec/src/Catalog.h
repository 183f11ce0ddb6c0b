#pragma once
// The engine's own catalog of tables, kept in tables of the database file: columns with their
// SQL Server types, nullability, identity and defaults, and the PRIMARY KEY and UNIQUE keys.
// Each table's rows live in a storage table named after its id, so no name from a batch is ever
// written into SQL text.

#include "tsql/DataType.h"

#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

struct ColumnInfo {
    std::string name;
    DataType type;
    bool nullable = true;
    std::optional<std::int64_t> identitySeed, identityIncrement;
    std::string defaultExpression; // T-SQL text of the DEFAULT, empty when none
};

struct KeyInfo {
    std::string name;
    bool primary = false;
    std::vector<int> columns; // ordinals
};

struct TableInfo {
    std::int64_t id = 0;
    std::string schema = "main"; // "temp" for #tables, which live as long as the connection
    std::string name;
    std::vector<ColumnInfo> columns;
    std::vector<KeyInfo> keys;

    std::string storageName() const { return schema + ".tsql_t" + std::to_string(id); }
    static std::string storageColumn(std::size_t ordinal) { return "c" + std::to_string(ordinal); }
    std::optional<std::size_t> findColumn(std::string_view name) const;
    std::optional<std::size_t> identityColumn() const;
};

class Catalog {
public:
    // The catalog of the database file, or (`temporary`) of the connection's #tables.
    Catalog(sqlite3* db, bool temporary);

    std::optional<TableInfo> find(std::string_view name) const;
    // Records the table and creates its storage. SqlError 2714 when the name is taken.
    void create(TableInfo table);
    // SqlError 3701 when there is no such table.
    void drop(std::string_view name);
    // The next identity value of the table, recorded as its last one.
    std::int64_t nextIdentity(const TableInfo& table);
    // Identity values are never handed out twice, even when the statement that took them is undone:
    // after a rollback the values taken since the last call are recorded again.
    void forgetTakenIdentities() { taken_.clear(); }
    void keepTakenIdentities();

private:
    std::string q(std::string_view sql) const; // the catalog's tables qualified with its schema

    sqlite3* db_;
    std::string schema_;
    std::map<std::int64_t, std::int64_t> taken_; // table id -> last identity value handed out
};

} // namespace tsql
