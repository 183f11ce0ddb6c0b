#pragma once
// Runs batches for one session: binds each batch (or module) as a whole, then steps through its
// instruction list, running set statements as generated SQLite SQL. Procedures, functions and
// dynamic SQL run in frames of their own; errors follow the server's split between errors that
// end a statement and errors that end the batch, and TRY...CATCH catches both.

#include "Frame.h"
#include "SessionCatalog.h"
#include "SqliteStatement.h"

#include "tsql/SqlError.h"
#include "tsql/exec/BatchResult.h"
#include "tsql/exec/Session.h"

#include <functional>
#include <map>
#include <memory>
#include <set>

namespace tsql {

class Binder;

class Executor {
public:
    Executor(std::shared_ptr<Database> database, SessionOptions options);
    ~Executor();

    BatchResult run(const std::string& batchText);
    int tranCount() const noexcept { return tranCount_; }

    // A scalar user-defined function called from generated SQL (through tsql_udf).
    Value callFunction(const std::string& name, const std::vector<Value>& args);

private:
    struct CaughtError {
        int number, severity, state, line;
        std::string message, procedure;
    };
    struct Cursor {
        std::shared_ptr<const BoundQuery> query;
        std::shared_ptr<const ParsedCode> source; // keeps the query's frame code alive
        std::vector<std::vector<Value>> rows;
        std::size_t position = 0; // 1-based row last fetched; 0 before the first
        bool open = false;
        bool scroll = false;
    };
    // Thrown after a batch-ending error has been reported, to unwind every frame.
    struct BatchAborted {};

    sqlite3* db() const { return database_->handle(); }
    Frame& frame() { return *frames_.back(); }

    // Values.
    Value sessionValue(SessionValue v, const DataType& type) const;
    Value parameter(const BoundExpr& e) const;
    SqliteStatement& prepare(PreparedSql& p);
    PreparedSql& sqlFor(CompiledStatement& c, std::size_t index,
                        const std::function<GeneratedSql()>& generate);
    Value value(const BoundExpr& e, CompiledStatement& c, std::size_t index);
    std::optional<bool> truth(const BoundExpr& e, CompiledStatement& c);
    std::int64_t rows(const BoundQuery& q, CompiledStatement& c, std::size_t index,
                      const std::function<void(SqliteStatement&)>& row);
    void assign(int slot, const Value& v);
    int intValue(const BoundExpr& e, CompiledStatement& c, std::size_t index);

    // Binding.
    void bindStatement(const Stmt& s, CompiledStatement& c);
    void bindAll(Frame& f);

    // Frames.
    std::unique_ptr<Frame> makeFrame(std::shared_ptr<const ParsedCode> source);
    void runFrame(Frame& f);
    void leaveFrame(Frame& f);
    void dropTables(std::vector<std::string>& tables);
    void dropLocalCursors(std::size_t depth);
    bool handled(const SqlError& e, std::size_t depth);
    void report(const SqlError& e, std::uint32_t line);

    // Statements.
    void runStatement(const Stmt& s, CompiledStatement& c);
    void select(CompiledStatement& c);
    std::int64_t insert(CompiledStatement& c);
    std::int64_t update(CompiledStatement& c);
    std::int64_t remove(CompiledStatement& c);
    template <class F> void atomically(F&& body);
    void dml(const std::function<std::int64_t()>& body);
    void raiserror(const Stmt& s, CompiledStatement& c);
    void transaction(const TransactionStmt& s);
    void createModule(const Stmt& s);

    // Procedures, dynamic SQL and functions.
    std::shared_ptr<const ParsedCode> module(const std::string& name, const std::string& type);
    void execProcedure(const ExecProcedureStmt& s, CompiledStatement& c);
    void execString(const std::string& text, const std::vector<VariableDecl>* parameters,
                    const std::vector<Value>& arguments, const std::vector<int>& outputSlots,
                    const std::vector<int>& outputParameters);
    void execSystemProcedure(const std::string& name, const ExecProcedureStmt& s, CompiledStatement& c);

    // Cursors.
    Cursor& cursor(const Identifier& name);
    void declareCursor(const DeclareCursorStmt& s, CompiledStatement& c);
    void fetch(const FetchStmt& s);

    std::shared_ptr<Database> database_;
    SessionOptions options_;
    SessionCatalog catalog_;
    BatchResult* result_ = nullptr;

    int lastError_ = 0;
    std::int64_t lastRowCount_ = 0;
    std::int64_t tableVariables_ = 0; // table variables made so far, for their tables' names
    int tranCount_ = 0;
    std::optional<Value> identity_;
    DateTime statementTime_;
    bool noCount_ = false;
    int fetchStatus_ = -1;
    std::vector<CaughtError> caught_;
    std::string raisedIn_; // the module an error being passed to a caller's CATCH was raised in

    std::vector<std::unique_ptr<Frame>> frames_;
    std::map<std::string, Cursor> cursors_; // folded name, LOCAL ones prefixed with their frame depth
    std::map<std::string, std::shared_ptr<const ParsedCode>> modules_; // parsed module texts by definition
};

} // namespace tsql
