#pragma once
// What the binder knows of a table: its columns with their SQL Server types, nullability, identity,
// default and computed expression, its constraints and indexes, and where its rows are stored. The
// execution layer keeps these in the database file; the binder reads them through CatalogReader.

#include "tsql/DataType.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsql {

struct ColumnInfo {
    std::string name;
    DataType type;
    bool nullable = true;
    std::optional<std::int64_t> identitySeed, identityIncrement;
    int columnId = 0;              // the server's column_id: 1-based, kept when others are dropped
    std::string defaultExpression; // the DEFAULT as the server stores it ('((0))'), empty when none
    std::string defaultName;       // the name of the column's default constraint, empty when none
    std::int64_t defaultId = 0;    // the object id of that constraint, 0 until it is recorded
    std::string computedText;      // a computed column's expression as written, empty otherwise
    bool persisted = false;

    bool isComputed() const { return !computedText.empty(); }
};

// PRIMARY KEY and UNIQUE keys; columns are ordinals.
struct KeyInfo {
    std::string name;
    bool primary = false;
    std::vector<int> columns;
};

enum class ConstraintType { PrimaryKey, Unique, Check, ForeignKey, Default };
enum class ReferenceAction { NoAction = 0, Cascade = 1, SetNull = 2, SetDefault = 3 };

struct ConstraintInfo {
    std::int64_t id = 0;
    std::string name;
    ConstraintType type = ConstraintType::Check;
    std::vector<int> columns;           // ordinals: key columns, referencing columns, a default's column
    std::string checkText;              // CHECK: the condition as the server stores it
    std::int64_t referencedId = 0;      // FOREIGN KEY: the referenced table
    std::string referencedTable;        // its name
    std::vector<int> referencedColumns; // its ordinals, in the order of `columns`
    ReferenceAction onDelete = ReferenceAction::NoAction;
    ReferenceAction onUpdate = ReferenceAction::NoAction;
    bool disabled = false;   // NOCHECK CONSTRAINT
    bool notTrusted = false; // added or enabled WITH NOCHECK
    bool clustered = false;  // PRIMARY KEY / UNIQUE: CLUSTERED
};

struct IndexInfo {
    int indexId = 0; // 1 is the clustered index
    std::string name;
    bool unique = false, clustered = false, primaryKey = false, uniqueConstraint = false;
    std::string filter;          // as the server stores it, empty when none
    std::vector<int> keyColumns; // ordinals
    std::vector<int> included;   // ordinals
    bool disabled = false;
};

struct TableInfo {
    std::int64_t id = 0;
    std::string schema = "main"; // "temp" for #tables, which live as long as the connection
    std::string name;
    std::vector<ColumnInfo> columns; // in storage order: columns[i] is stored as c<i>
    std::vector<KeyInfo> keys;
    std::vector<ConstraintInfo> constraints; // PK, UQ, C, F (defaults are on their columns)
    std::vector<IndexInfo> indexes;
    // A system view (sysobjects, sys.columns, INFORMATION_SCHEMA.COLUMNS, ...) is read from a SQLite
    // view the engine made itself instead of a storage table, and no statement may write to it.
    std::string systemView;

    bool isSystemView() const { return !systemView.empty(); }
    std::string storageName() const {
        return isSystemView() ? systemView : schema + ".tsql_t" + std::to_string(id);
    }
    static std::string storageColumn(std::size_t ordinal) { return "c" + std::to_string(ordinal); }
    std::optional<std::size_t> findColumn(std::string_view name) const;
    std::optional<std::size_t> identityColumn() const;
    // The ordinal of the column with that column_id.
    std::optional<std::size_t> columnWithId(int columnId) const {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].columnId == columnId)
                return i;
        return std::nullopt;
    }
};

// A stored view: its name and its CREATE VIEW text as it was written.
struct ViewInfo {
    std::string name;
    std::string definition;
};

class CatalogReader {
public:
    virtual ~CatalogReader() = default;
    // The table of that name (a #name is a temporary table of the session); nullopt when none.
    virtual std::optional<TableInfo> findTable(std::string_view name) const = 0;
    virtual std::optional<ViewInfo> findView(std::string_view name) const = 0;
    // A scalar user-defined function: its CREATE FUNCTION text.
    virtual std::optional<ViewInfo> findFunction(std::string_view) const { return std::nullopt; }
};

} // namespace tsql
