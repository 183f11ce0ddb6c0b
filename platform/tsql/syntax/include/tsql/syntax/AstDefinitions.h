#pragma once
// Definition statements: tables, indexes, views, procedures, functions, triggers, permissions.

#include "tsql/syntax/AstStatements.h"

#include <optional>
#include <string>
#include <vector>

namespace tsql {

struct CreateTableStmt : Stmt {
    ObjectName name;
    TableDefinition definition;
    CreateTableStmt() : Stmt(StmtKind::CreateTable) {}
};

enum class AlterTableAction {
    Add,              // ADD columns and/or constraints
    DropItems,        // DROP [CONSTRAINT] a, COLUMN b
    AlterColumn,      // ALTER COLUMN c type [NULL | NOT NULL] [COLLATE x]
    CheckConstraints, // [WITH CHECK|NOCHECK] CHECK | NOCHECK CONSTRAINT {ALL | names}
    EnableTriggers,   // ENABLE | DISABLE TRIGGER {ALL | names}
};

struct DropItem {
    bool column = false; // COLUMN c, else CONSTRAINT c
    Identifier name;
};

struct AlterTableStmt : Stmt {
    ObjectName table;
    AlterTableAction action = AlterTableAction::Add;
    std::optional<bool> withCheck; // WITH CHECK / WITH NOCHECK
    std::vector<ColumnDefinition> columns;
    std::vector<TableConstraint> constraints;
    std::vector<DropItem> drops;
    bool enable = true; // CHECK / ENABLE, else NOCHECK / DISABLE
    bool all = false;
    std::vector<Identifier> names;
    AlterTableStmt() : Stmt(StmtKind::AlterTable) {}
};

enum class ObjectKind { Table, View, Procedure, Function, Trigger, Index };

struct DropTarget {
    ObjectName name;
    ObjectName onTable; // DROP INDEX i ON t
};

struct DropStmt : Stmt {
    ObjectKind objectKind = ObjectKind::Table;
    bool ifExists = false;
    std::vector<DropTarget> targets;
    DropStmt() : Stmt(StmtKind::Drop) {}
};

struct CreateIndexStmt : Stmt {
    bool unique = false;
    std::optional<bool> clustered;
    Identifier name;
    ObjectName table;
    std::vector<KeyColumn> columns;
    std::vector<Identifier> include;
    ExprPtr where;
    std::vector<std::string> options; // WITH (...) items, upper case, e.g. "FILLFACTOR=80"
    CreateIndexStmt() : Stmt(StmtKind::CreateIndex) {}
};

// The part every module statement shares. moduleRange covers the statement from CREATE or ALTER
// to its last token, so the catalog can store the module's text verbatim.
struct ModuleHeader {
    bool alter = false;
    bool createOrAlter = false;
    ObjectName name;
    std::vector<std::string> options; // WITH ENCRYPTION, SCHEMABINDING, RECOMPILE ..., upper case
    SourceRange moduleRange;
};

struct CreateViewStmt : Stmt {
    ModuleHeader header;
    std::vector<Identifier> columns;
    QueryPtr query;
    bool withCheckOption = false;
    CreateViewStmt() : Stmt(StmtKind::CreateView) {}
};

struct ParameterDecl {
    std::string name; // with the @
    TypeName type;
    ExprPtr defaultValue;
    bool output = false;
    bool readOnly = false;
    bool varying = false;
    SourcePos pos;
};

struct CreateProcedureStmt : Stmt {
    ModuleHeader header;
    std::vector<ParameterDecl> parameters;
    StmtList body;
    CreateProcedureStmt() : Stmt(StmtKind::CreateProcedure) {}
};

enum class FunctionKind { Scalar, InlineTable, MultiStatementTable };

struct CreateFunctionStmt : Stmt {
    ModuleHeader header;
    std::vector<ParameterDecl> parameters;
    FunctionKind functionKind = FunctionKind::Scalar;
    TypeName returnType;        // scalar
    std::string returnVariable; // multi-statement table: RETURNS @t TABLE (...)
    TableDefinition returnTable;
    StmtList body;        // scalar and multi-statement: the statements of BEGIN ... END
    QueryPtr returnQuery; // inline table: RETURNS TABLE AS RETURN (query)
    CreateFunctionStmt() : Stmt(StmtKind::CreateFunction) {}
};

enum class TriggerTiming { After, InsteadOf }; // FOR is AFTER

struct CreateTriggerStmt : Stmt {
    ModuleHeader header;
    ObjectName table;
    TriggerTiming timing = TriggerTiming::After;
    std::vector<std::string> events; // INSERT, UPDATE, DELETE
    bool notForReplication = false;
    StmtList body;
    CreateTriggerStmt() : Stmt(StmtKind::CreateTrigger) {}
};

// ENABLE | DISABLE TRIGGER {ALL | names} ON {table | DATABASE | ALL SERVER}
struct EnableTriggerStmt : Stmt {
    bool enable = true;
    bool all = false;
    std::vector<ObjectName> triggers;
    ObjectName table;
    bool onDatabase = false;
    bool onAllServer = false;
    EnableTriggerStmt() : Stmt(StmtKind::EnableTrigger) {}
};

enum class PermissionOp { Grant, Deny, Revoke };

struct PermissionStmt : Stmt {
    PermissionOp op = PermissionOp::Grant;
    std::vector<std::string> permissions; // upper case, e.g. "ALL", "SELECT", "EXECUTE"
    std::optional<ObjectName> object;     // ON object
    std::vector<Identifier> principals;
    bool withGrantOption = false;
    bool grantOptionFor = false; // REVOKE GRANT OPTION FOR
    bool cascade = false;
    PermissionStmt() : Stmt(StmtKind::Permission) {}
};

} // namespace tsql
