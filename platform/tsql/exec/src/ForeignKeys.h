#pragma once
// FOREIGN KEY constraints, kept once a statement has written all of its rows (so rows that refer to
// each other, or keys swapped by one UPDATE, pass). Only the rows the statement touched are looked
// at: a referencing row's key is looked up in the referenced table, a key that disappeared from a
// referenced table is looked up in the referencing tables, each through an index of the storage.
// Disabled (NOCHECK) constraints are skipped. Errors are 547 as the server words them.

#include "Catalog.h"
#include "RowWriter.h"

#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

namespace tsql {

class ForeignKeys {
public:
    ForeignKeys(sqlite3* db, const Catalog& catalog, std::string database)
        : db_(db), catalog_(catalog), database_(std::move(database)) {}

    // The enabled foreign keys of `table` hold for the rows written; with `changed`, only those
    // whose referencing columns are among the changed columns are checked. `verb` is INSERT or UPDATE.
    void checkReferencing(const TableInfo& table, const std::vector<RowWriter::Written>& rows,
                          const std::vector<std::size_t>* changed, const char* verb) const;
    // Whether an enabled foreign key references the table.
    bool isReferenced(const TableInfo& table) const;
    // After rows of `table` were deleted (`removed` holds their values): keys that are gone must not
    // be referenced (NO ACTION), or their referencing rows go too (CASCADE) or lose the key (SET NULL).
    void afterDelete(const TableInfo& table, const std::vector<std::vector<Value>>& removed) const;
    // After rows of `table` were updated: `before` and `after` hold each row's values.
    void afterUpdate(const TableInfo& table, const std::vector<std::vector<Value>>& before,
                     const std::vector<std::vector<Value>>& after) const;

private:
    struct Reference {
        TableInfo child;
        std::size_t key = 0; // the foreign key's place in child.constraints
    };
    std::vector<Reference> referencesTo(const TableInfo& table) const;
    bool exists(const TableInfo& table, const std::vector<int>& columns, const std::vector<Value>& key) const;
    std::vector<std::vector<Value>> rowsWith(const TableInfo& table, const std::vector<int>& columns,
                                             const std::vector<Value>& key) const;
    void removeRows(const TableInfo& table, const std::vector<int>& columns,
                    const std::vector<Value>& key) const;
    void setKey(const TableInfo& table, const std::vector<int>& columns, const std::vector<Value>& from,
                const std::vector<Value>* to) const;
    [[noreturn]] void conflict(const char* verb, const char* kind, const ConstraintInfo& key,
                               const TableInfo& table, const std::vector<int>& columns) const;

    sqlite3* db_;
    const Catalog& catalog_;
    std::string database_;
};

} // namespace tsql
