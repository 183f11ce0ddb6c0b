#pragma once
// One running batch, procedure, function or dynamic batch: its code, its variables and the bound
// form of its statements.

#include "InstructionList.h"

#include "tsql/binder/BoundStatements.h"
#include "tsql/binder/VariableScope.h"
#include "tsql/codegen/SqlGenerator.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

class SqliteStatement;

// A piece of generated SQL with its prepared statement, prepared on first use.
struct PreparedSql {
    GeneratedSql sql;
    std::unique_ptr<SqliteStatement> statement;
    ~PreparedSql();
};

// A statement or condition once bound.
struct CompiledStatement {
    bool bound = false;
    std::vector<BoundExprPtr> exprs;
    std::vector<int> slots;
    std::shared_ptr<const BoundQuery> query;
    std::unique_ptr<BoundInsert> insert;
    std::unique_ptr<BoundChange> change;
    std::vector<std::unique_ptr<PreparedSql>> sql;
    // EXEC: which parameter each argument goes to is decided when the procedure is found.
    std::vector<std::string> argumentNames;
    std::vector<bool> argumentOutput;
};

// A parsed module or batch whose syntax tree the frames running it point into.
struct ParsedCode {
    Batch batch;
    const StmtList* statements = nullptr;
    std::string name; // the procedure or function, empty for a batch
    bool inModule = false;
};

struct Frame {
    std::shared_ptr<const ParsedCode> source;
    VariableScope scope;
    std::vector<Value> variables;
    InstructionList code;
    std::vector<CompiledStatement> compiled;
    std::size_t pc = 0;
    std::optional<Value> scopeIdentity;      // SCOPE_IDENTITY() of this scope
    std::vector<std::string> tempTables;     // #tables created here, dropped when a module returns
    std::vector<std::string> tableVariables; // the tables of its table variables, dropped when it ends
    std::vector<std::string> cursors;        // LOCAL cursors declared here
    std::optional<Value> returnValue;        // RETURN n of a procedure, RETURN expr of a function
    bool isModule() const { return source && source->inModule; }
};

} // namespace tsql
