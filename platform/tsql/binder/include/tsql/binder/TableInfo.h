#pragma once
// What the binder knows of a table: its columns with their SQL Server types, nullability, identity
// and default, its PRIMARY KEY and UNIQUE keys, and where its rows are stored. The execution layer
// keeps these in the database file; the binder reads them through CatalogReader.

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
