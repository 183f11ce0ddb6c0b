#pragma once
// Column and constraint definitions, shared by CREATE TABLE, ALTER TABLE, DECLARE @t TABLE and
// table-valued function results.

#include "tsql/syntax/AstExpressions.h"

#include <optional>
#include <string>
#include <vector>

namespace tsql {

struct IdentitySpec {
    std::string seed = "1"; // literal text as written (may start with '-')
    std::string increment = "1";
    bool explicitValues = false; // written as IDENTITY(seed, increment)
    bool notForReplication = false;
};

struct DefaultSpec {
    std::optional<Identifier> name; // CONSTRAINT DF_x DEFAULT ...
    ExprPtr value;
};

struct KeyColumn {
    Identifier name;
    bool descending = false;
};

enum class ConstraintKind { PrimaryKey, Unique, Check, ForeignKey, Default };
enum class ReferentialAction { NoAction, Cascade, SetNull, SetDefault };

struct TableConstraint {
    ConstraintKind kind = ConstraintKind::PrimaryKey;
    std::optional<Identifier> name;
    std::optional<bool> clustered;  // CLUSTERED / NONCLUSTERED when written
    std::vector<KeyColumn> columns; // PK, UQ, FK (empty at column level: the column itself)
    ExprPtr expr;                   // CHECK condition or DEFAULT value
    Identifier defaultFor;          // DEFAULT x FOR column (ALTER TABLE ADD CONSTRAINT)
    ObjectName referencedTable;
    std::vector<Identifier> referencedColumns;
    ReferentialAction onDelete = ReferentialAction::NoAction;
    ReferentialAction onUpdate = ReferentialAction::NoAction;
    bool notForReplication = false;
    SourcePos pos;
};

struct ColumnDefinition {
    Identifier name;
    std::optional<TypeName> type; // absent for a computed column
    ExprPtr computed;             // c AS expr
    bool persisted = false;
    std::optional<bool> nullable; // NULL / NOT NULL when written
    std::optional<IdentitySpec> identity;
    std::string collation;
    bool rowGuidCol = false;
    std::optional<DefaultSpec> defaultValue;
    std::vector<TableConstraint> constraints; // column-level PK, UNIQUE, CHECK, REFERENCES
    SourcePos pos;
};

struct TableDefinition {
    std::vector<ColumnDefinition> columns;
    std::vector<TableConstraint> constraints;
};

} // namespace tsql
