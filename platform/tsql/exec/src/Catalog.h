#pragma once
// The engine's own catalog, kept in tables of the database file: tables with their columns (SQL
// Server types, nullability, identity and defaults) and PRIMARY KEY and UNIQUE keys; views,
// procedures and functions with their texts.
// Each table's rows live in a storage table named after its id, so no name from a batch is ever
// written into SQL text.

#include "tsql/binder/TableInfo.h"

#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

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
    // TRUNCATE TABLE starts the identity again at its seed.
    void resetIdentity(const TableInfo& table);

    // Views, procedures and functions: their CREATE text as written, under a type letter as the
    // server's sysobjects has it ("V", "P", "FN").
    struct Module {
        std::string name;
        std::string type;
        std::string definition;
    };
    std::optional<Module> findModule(std::string_view name) const;
    // SqlError 2714 when the name is taken by a table or another module.
    void createModule(const Module& module);
    // Replaces the text of an existing module (ALTER).
    void alterModule(const Module& module);
    void dropModule(std::string_view name);

private:
    std::string q(std::string_view sql) const; // the catalog's tables qualified with its schema

    sqlite3* db_;
    std::string schema_;
    std::map<std::int64_t, std::int64_t> taken_; // table id -> last identity value handed out
};

} // namespace tsql
