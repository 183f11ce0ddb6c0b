#pragma once
// Turns column and constraint definitions (of CREATE TABLE and ALTER TABLE ... ADD) into the
// records of a table: columns with their types, identity, defaults and computed expressions;
// PRIMARY KEY, UNIQUE, CHECK and FOREIGN KEY constraints and the indexes of the keys. Expressions
// are kept in the text the server stores (see ServerText.h). Errors are the server's.

#include "SessionCatalog.h"

#include "tsql/syntax/Ast.h"

#include <optional>

namespace tsql {

// A table name as written: name, dbo.name, or tempdb..#name; other schemas are refused.
std::string objectName(const ObjectName& name);

class TableBuilder {
public:
    TableBuilder(TableInfo& table, const SessionCatalog& catalog) : table_(table), catalog_(catalog) {}

    // Adds the column with its DEFAULT; a computed column's type is derived by deriveComputed().
    void addColumn(const ColumnDefinition& d);
    // Types the computed columns from their expressions over the other columns.
    void deriveComputed();
    // A table or column constraint; `column` is the column it was declared on. A PRIMARY KEY is
    // clustered unless written NONCLUSTERED or the table has (or gets) another clustered index;
    // `clusteredElsewhere` tells that another constraint of the same statement is written CLUSTERED.
    void addConstraint(const TableConstraint& c, std::optional<std::size_t> column, bool clusteredElsewhere);

    // The display name of a constraint that has no name yet (its name is generated when recorded).
    static std::string displayName(const ConstraintInfo& c, const TableInfo& t);

private:
    void addKey(const TableConstraint& c, std::vector<int> columns, bool clusteredElsewhere);
    void addCheck(const TableConstraint& c, std::optional<std::size_t> column);
    void addForeignKey(const TableConstraint& c, std::vector<int> columns);
    void addDefault(const TableConstraint& c, std::optional<std::size_t> column);
    std::vector<int> ordinals(const std::vector<KeyColumn>& columns) const;

    TableInfo& table_;
    const SessionCatalog& catalog_;
};

} // namespace tsql
