#pragma once
// Statement nodes: queries, data manipulation, variables, control flow, cursors, transactions,
// errors, EXEC. Definition statements are in AstDefinitions.h.

#include "tsql/syntax/AstQueries.h"
#include "tsql/syntax/AstTables.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

enum class StmtKind {
    Select,
    Insert,
    Update,
    Delete,
    Merge,
    Truncate,
    DeclareVariables,
    DeclareTable,
    DeclareCursor,
    SetVariable,
    SetOption,
    If,
    While,
    Block,
    TryCatch,
    Break,
    Continue,
    Goto,
    Label,
    Return,
    Print,
    Raiserror,
    Throw,
    ExecProcedure,
    ExecString,
    Transaction,
    OpenCursor,
    CloseCursor,
    DeallocateCursor,
    Fetch,
    Use,
    CreateTable,
    AlterTable,
    Drop,
    CreateIndex,
    CreateView,
    CreateProcedure,
    CreateFunction,
    CreateTrigger,
    EnableTrigger,
    Permission,
};

struct Stmt {
    const StmtKind kind;
    SourcePos pos;
    SourceRange range; // from the first token to the end of the last one (without a trailing ';')

    virtual ~Stmt() = default;
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    template <class T> const T& as() const { return static_cast<const T&>(*this); }
    template <class T> T& as() { return static_cast<T&>(*this); }

protected:
    explicit Stmt(StmtKind k) : kind(k) {}
};

using StmtPtr = std::unique_ptr<Stmt>;
using StmtList = std::vector<StmtPtr>;

struct SelectStmt : Stmt {
    QueryPtr query;
    SelectStmt() : Stmt(StmtKind::Select) {}
};

// The table a DML statement changes: a name (possibly an alias of the FROM clause) or @table.
struct DmlTarget {
    ObjectName name;
    std::string variable;
    std::vector<std::string> hints;
    SourcePos pos;
};

struct SetClause {        // col = expr, @v = expr, col += expr
    ObjectName column;    // empty when only a variable is set
    std::string variable; // @v in SET @v = expr or SET @v = col = expr
    AssignOp op = AssignOp::Assign;
    ExprPtr value;
    SourcePos pos;
};

struct ExecProcedureStmt;

enum class InsertSourceKind { Values, Query, DefaultValues, Exec };

struct InsertStmt : Stmt {
    std::vector<CommonTableExpr> ctes;
    std::optional<TopClause> top;
    DmlTarget target;
    std::vector<Identifier> columns;
    InsertSourceKind sourceKind = InsertSourceKind::Values;
    std::vector<std::vector<ExprPtr>> rows;
    QueryPtr query;
    std::unique_ptr<ExecProcedureStmt> exec;
    InsertStmt();
    ~InsertStmt() override;
};

struct UpdateStmt : Stmt {
    std::vector<CommonTableExpr> ctes;
    std::optional<TopClause> top;
    DmlTarget target;
    std::vector<SetClause> sets;
    std::vector<TableSourcePtr> from;
    ExprPtr where;
    std::string currentOf; // WHERE CURRENT OF cursor
    UpdateStmt() : Stmt(StmtKind::Update) {}
};

struct DeleteStmt : Stmt {
    std::vector<CommonTableExpr> ctes;
    std::optional<TopClause> top;
    DmlTarget target;
    std::vector<TableSourcePtr> from;
    ExprPtr where;
    std::string currentOf;
    DeleteStmt() : Stmt(StmtKind::Delete) {}
};

enum class MergeMatch { Matched, NotMatchedByTarget, NotMatchedBySource };
enum class MergeAction { Update, Delete, Insert };

struct MergeClause {
    MergeMatch match = MergeMatch::Matched;
    ExprPtr condition; // WHEN MATCHED AND condition
    MergeAction action = MergeAction::Update;
    std::vector<SetClause> sets;
    std::vector<Identifier> columns;
    std::vector<ExprPtr> values;
    bool defaultValues = false;
    SourcePos pos;
};

struct MergeStmt : Stmt {
    std::vector<CommonTableExpr> ctes;
    std::optional<TopClause> top;
    DmlTarget target;
    std::optional<Identifier> alias;
    TableSourcePtr source;
    ExprPtr on;
    std::vector<MergeClause> clauses;
    MergeStmt() : Stmt(StmtKind::Merge) {}
};

struct TruncateStmt : Stmt {
    ObjectName table;
    TruncateStmt() : Stmt(StmtKind::Truncate) {}
};

struct VariableDecl {
    std::string name; // with the @
    TypeName type;
    ExprPtr initializer; // DECLARE @v INT = 1
    SourcePos pos;
};

struct DeclareVariablesStmt : Stmt {
    std::vector<VariableDecl> variables;
    DeclareVariablesStmt() : Stmt(StmtKind::DeclareVariables) {}
};

struct DeclareTableStmt : Stmt {
    std::string name;
    TableDefinition definition;
    DeclareTableStmt() : Stmt(StmtKind::DeclareTable) {}
};

struct DeclareCursorStmt : Stmt {
    Identifier name;
    std::vector<std::string> options; // upper case: LOCAL, STATIC, FAST_FORWARD, SCROLL, INSENSITIVE ...
    QueryPtr query;
    bool forUpdate = false;
    std::vector<Identifier> updateColumns;
    DeclareCursorStmt() : Stmt(StmtKind::DeclareCursor) {}
};

struct SetVariableStmt : Stmt {
    std::string variable;
    AssignOp op = AssignOp::Assign;
    ExprPtr value;
    SetVariableStmt() : Stmt(StmtKind::SetVariable) {}
};

// SET NOCOUNT ON, SET ANSI_NULLS, QUOTED_IDENTIFIER OFF, SET IDENTITY_INSERT t ON,
// SET TRANSACTION ISOLATION LEVEL READ COMMITTED, SET DATEFORMAT dmy, SET ROWCOUNT 10 ...
struct SetOptionStmt : Stmt {
    std::vector<std::string> options; // upper case
    ObjectName table;                 // IDENTITY_INSERT's table
    std::string value;                // upper case word: ON, OFF, DMY, READ COMMITTED ...
    ExprPtr argument;                 // a literal or variable value instead of a word
    SetOptionStmt() : Stmt(StmtKind::SetOption) {}
};

struct IfStmt : Stmt {
    ExprPtr condition;
    StmtPtr thenBranch;
    StmtPtr elseBranch; // may be null
    IfStmt() : Stmt(StmtKind::If) {}
};

struct WhileStmt : Stmt {
    ExprPtr condition;
    StmtPtr body;
    WhileStmt() : Stmt(StmtKind::While) {}
};

struct BlockStmt : Stmt { // BEGIN ... END
    StmtList body;
    BlockStmt() : Stmt(StmtKind::Block) {}
};

struct TryCatchStmt : Stmt {
    StmtList tryBody;
    StmtList catchBody;
    TryCatchStmt() : Stmt(StmtKind::TryCatch) {}
};

struct SimpleStmt : Stmt { // BREAK, CONTINUE
    explicit SimpleStmt(StmtKind k) : Stmt(k) {}
};

struct LabelStmt : Stmt { // GOTO label, and label:
    Identifier label;
    explicit LabelStmt(StmtKind k) : Stmt(k) {}
};

struct ReturnStmt : Stmt {
    ExprPtr value; // may be null
    ReturnStmt() : Stmt(StmtKind::Return) {}
};

struct PrintStmt : Stmt {
    ExprPtr value;
    PrintStmt() : Stmt(StmtKind::Print) {}
};

struct RaiserrorStmt : Stmt {
    ExprPtr message, severity, state;
    std::vector<ExprPtr> args;
    std::vector<std::string> options; // LOG, NOWAIT, SETERROR
    RaiserrorStmt() : Stmt(StmtKind::Raiserror) {}
};

struct ThrowStmt : Stmt { // all three null: re-throw inside CATCH
    ExprPtr number, message, state;
    ThrowStmt() : Stmt(StmtKind::Throw) {}
};

struct ExecArgument {
    std::string parameter; // @name = value; empty for a positional argument
    ExprPtr value;         // a DefaultExpr for DEFAULT
    bool output = false;
    SourcePos pos;
};

struct ExecProcedureStmt : Stmt {
    std::string returnVariable; // EXEC @r = proc
    ObjectName procedure;
    std::string procedureVariable; // EXEC @name, the procedure's name held in a variable
    std::vector<ExecArgument> args;
    bool withRecompile = false;
    ExecProcedureStmt() : Stmt(StmtKind::ExecProcedure) {}
};

struct ExecStringStmt : Stmt {  // EXEC (@s), EXEC (N'...' + @s)
    std::vector<ExprPtr> parts; // string literals and variables, concatenated
    ExecStringStmt() : Stmt(StmtKind::ExecString) {}
};

enum class TransactionOp { Begin, Commit, Rollback, Save };

struct TransactionStmt : Stmt {
    TransactionOp op = TransactionOp::Begin;
    std::string name;  // a name or @variable, may be empty
    bool work = false; // COMMIT WORK / ROLLBACK WORK
    bool distributed = false;
    TransactionStmt() : Stmt(StmtKind::Transaction) {}
};

struct CursorStmt : Stmt { // OPEN, CLOSE, DEALLOCATE
    Identifier cursor;     // a name, or a @variable with quoted = false
    bool global = false;
    explicit CursorStmt(StmtKind k) : Stmt(k) {}
};

enum class FetchDirection { Next, Prior, First, Last, Absolute, Relative };

struct FetchStmt : Stmt {
    FetchDirection direction = FetchDirection::Next;
    ExprPtr rowNumber; // ABSOLUTE n / RELATIVE n
    Identifier cursor;
    bool global = false;
    std::vector<std::string> into;
    FetchStmt() : Stmt(StmtKind::Fetch) {}
};

struct UseStmt : Stmt {
    Identifier database;
    UseStmt() : Stmt(StmtKind::Use) {}
};

} // namespace tsql
