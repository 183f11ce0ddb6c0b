#pragma once
// The engine's own catalog, kept in tables of the database file: one row per object (tables, views,
// procedures, functions, triggers and the constraints of tables), the columns of tables and views,
// the details of constraints, and the indexes of tables. The catalog views the server offers are
// generated from these tables.
// Each table's rows live in a storage table named after its id, so no name from a batch is ever
// written into SQL text.

#include "tsql/DateTime.h"
#include "tsql/binder/TableInfo.h"

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

class Catalog {
public:
    // The catalog of the database file, or (`temporary`) of the connection's #tables. A database
    // whose catalog has an older layout is refused.
    Catalog(sqlite3* db, bool temporary);

    // The clock that dates created and changed objects; the wall clock unless set.
    void setClock(std::function<DateTime()> clock) { clock_ = std::move(clock); }

    std::optional<TableInfo> find(std::string_view name) const;
    std::optional<TableInfo> findById(std::int64_t id) const;
    // Records the table with its columns, defaults, constraints and indexes and creates its
    // storage; the ids it is given are written back into `table`. SqlError 2714 when a name is taken.
    void create(TableInfo& table);
    // Rewrites the records of an existing table (same id) to match `table`: new defaults and
    // constraints (id 0) are given ids, those no longer present are removed. The storage table and
    // its rows are left alone; the storage's indexes are made to match.
    void store(TableInfo& table);
    // SqlError 3701 when there is no such table, 3726 when another table's FOREIGN KEY references it.
    void drop(std::string_view name);
    // The FOREIGN KEY constraints of other tables that reference this one, with their tables' names.
    struct Reference {
        std::string constraint;
        std::string table;
    };
    std::vector<Reference> referencesTo(std::int64_t tableId) const;
    // The tables whose FOREIGN KEYs reference this one (the table itself included when it does).
    std::vector<TableInfo> referencingTables(std::int64_t tableId) const;

    // The next identity value of the table, recorded as its last one.
    std::int64_t nextIdentity(const TableInfo& table);
    // Identity values are never handed out twice, even when the statement that took them is undone:
    // after a rollback the values taken since the last call are recorded again.
    void forgetTakenIdentities() { taken_.clear(); }
    void keepTakenIdentities();
    // TRUNCATE TABLE starts the identity again at its seed.
    void resetIdentity(const TableInfo& table);
    // The last identity value handed out, nullopt when none yet; a rebuilt table takes it over.
    std::optional<std::int64_t> lastIdentity(std::int64_t tableId) const;
    void setLastIdentity(std::int64_t tableId, std::optional<std::int64_t> last);

    // Any object by name: table, module or constraint, with its type letters as the server's
    // sysobjects has them ("U", "V", "P", "FN", "TR", "PK", "UQ", "D", "C", "F").
    struct Object {
        std::int64_t id = 0;
        std::string name;
        std::string type;
        std::int64_t parentId = 0;
        bool disabled = false;
    };
    std::optional<Object> findObject(std::string_view name) const;
    // SqlError 2714 when an object or constraint has that name.
    void requireFreeName(std::string_view name) const;

    // Views, procedures, functions and triggers: their CREATE text as written, under a type letter
    // as the server's sysobjects has it ("V", "P", "FN", "TR"); a trigger's parent is its table.
    struct Module {
        std::string name;
        std::string type;
        std::string definition;
        std::int64_t parentId = 0;
        bool disabled = false;
    };
    std::optional<Module> findModule(std::string_view name) const;
    // SqlError 2714 when the name is taken by a table, a constraint or another module.
    std::int64_t createModule(const Module& module);
    // Replaces the text of an existing module (ALTER); its id stays.
    std::int64_t alterModule(const Module& module);
    void dropModule(std::string_view name);
    // A trigger's disabled flag.
    void setDisabled(std::int64_t objectId, bool disabled);
    // The triggers of a table.
    std::vector<Object> triggersOf(std::int64_t tableId) const;
    // The result columns of a view, recorded when it is created or altered.
    void setColumns(std::int64_t objectId, const std::vector<ColumnInfo>& columns);

    std::string schema() const { return schema_; }
    // The storage's column list for the table's columns: "(c0 INTEGER, c1 TEXT COLLATE ...)".
    static std::string storageColumns(const TableInfo& table);
    // The storage type of a column of that type.
    static std::string storageType(const DataType& type);

private:
    std::string q(std::string_view sql) const; // the catalog's tables qualified with its schema
    std::string now() const;
    std::int64_t newId();
    // A new object; an empty name is replaced by generatedName(the new id).
    std::int64_t insertObject(std::string name, const std::string& type, std::int64_t parentId,
                              const std::string* definition,
                              const std::function<std::string(std::int64_t)>& generatedName = nullptr);
    std::string findObjectById(std::int64_t id) const;
    void touch(std::int64_t id);
    void writeColumns(std::int64_t objectId, const std::vector<ColumnInfo>& columns);
    void writeConstraints(TableInfo& table);
    void writeIndexes(const TableInfo& table);
    void syncStorageIndexes(const TableInfo& table);
    TableInfo load(std::int64_t id, std::string name) const;

    sqlite3* db_;
    std::string schema_;
    std::int64_t firstId_;
    std::function<DateTime()> clock_;
    std::map<std::int64_t, std::int64_t> taken_; // table id -> last identity value handed out
};

} // namespace tsql
