#include "tsql/exec/Session.h"

#include "BatchBinder.h"
#include "ExecutionContext.h"
#include "ExpressionEvaluator.h"
#include "InstructionList.h"
#include "TableStatements.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/syntax/Parser.h"
#include "tsql/syntax/SyntaxError.h"

#include <sqlite3.h>

#include <ctime>
#include <set>

namespace tsql {

const Message* BatchResult::firstError() const {
    for (const auto& item : items)
        if (const auto* m = std::get_if<Message>(&item); m && m->isError())
            return m;
    return nullptr;
}

namespace {

DateTime wallClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    CivilDateTime c{
        local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0};
    return *DateTime::fromCivil(c);
}

// Errors after which the server stops the whole batch rather than just the statement.
bool abortsBatch(int number) {
    static const std::set<int> numbers = {137, 195, 206, 207,  208,  209,  241,  242,  245,
                                          257, 402, 529, 2715, 8114, 8117, 8169, 50900};
    return numbers.count(number) != 0;
}

// RAISERROR's message with its %d, %i, %s and %u arguments substituted; %% is a percent sign.
std::string formatRaiserror(const std::string& format, const std::vector<Value>& args) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        const char directive = format[++i];
        if (directive == '%') {
            out += '%';
        } else if (directive == 'd' || directive == 'i' || directive == 's' || directive == 'u') {
            if (next < args.size()) {
                const Value& v = args[next++];
                out += v.isNull() ? "(null)" : convert(v, DataType::nvarchar(4000)).asText();
            } else {
                out += "(null)";
            }
        } else {
            out += '%';
            out += directive;
        }
    }
    return out;
}

// The items of a SELECT that assign variables: none or all of them (141 otherwise).
std::size_t countAssignments(const SelectSpec& selectSpec) {
    std::size_t assignments = 0;
    for (const auto& item : selectSpec.items)
        if (!item.variable.empty())
            ++assignments;
    if (assignments != 0 && assignments != selectSpec.items.size())
        throw SqlError(141, 15, 1,
                       "A SELECT statement that assigns a value to a variable must not be combined with "
                       "data-retrieval operations.");
    return assignments;
}

} // namespace

struct Session::State {
    std::shared_ptr<Database> database;
    SessionOptions options;
    ExecutionContext context;
    BatchResult* result = nullptr;
    const Batch* batch = nullptr;
    std::unique_ptr<TableStatements> tables_;

    void sqlite(const char* sql) { database->execute(sql); }

    TableStatements& tables() {
        if (!tables_)
            tables_ = std::make_unique<TableStatements>(database->handle(), context);
        return *tables_;
    }

    void assign(const std::string& name, const Value& value) {
        auto it = context.variables.find(foldName(name));
        if (it == context.variables.end())
            throw undeclaredVariable(name);
        const DataType type = it->second.type();
        it->second = value.isNull() ? Value::null(type) : convert(value, type, ConversionMode::Assign);
    }

    void declare(const DeclareVariablesStmt& s) {
        for (const auto& v : s.variables) {
            const std::string key = foldName(v.name);
            if (context.variables.count(key))
                throw SqlError(134, 15, 1,
                               "The variable name '" + v.name +
                                   "' has already been declared. Variable names must be unique within a "
                                   "query batch or stored procedure.");
            context.variables[key] = Value::null(resolveType(v.type, LengthDefault::Declaration));
            if (v.initializer)
                assign(v.name, evaluateScalar(*v.initializer, context));
        }
    }

    void select(const SelectStmt& s) {
        const Query& q = *s.query;
        if (!q.ctes.empty())
            refuse("common table expressions");
        if (!q.body->selectSpec) {
            result->items.emplace_back(tables().query(q));
            return;
        }
        if (q.offset)
            refuse("OFFSET ... FETCH");
        const SelectSpec& selectSpec = *q.body->selectSpec;
        if (!selectSpec.from.empty()) {
            selectFrom(selectSpec, q.orderBy);
            return;
        }
        if (!q.orderBy.empty())
            refuse("ORDER BY without FROM");
        if (selectSpec.into)
            refuse("SELECT INTO");
        if (!selectSpec.groupBy.empty() || selectSpec.having)
            refuse("GROUP BY and HAVING");
        if (selectSpec.top && (selectSpec.top->percent || selectSpec.top->withTies))
            refuse("TOP PERCENT and WITH TIES");

        for (const auto& item : selectSpec.items)
            if (item.expr->kind == ExprKind::Star)
                throw SqlError(263, 16, 1, "Must specify table to select from.");
        const std::size_t assignments = countAssignments(selectSpec);
        // The result's column types, known before any row.
        ResultSet set;
        for (const auto& item : selectSpec.items) {
            if (!item.variable.empty())
                continue;
            const std::optional<DataType> type = staticType(*item.expr, context);
            std::string name;
            if (item.alias)
                name = item.alias->name;
            set.columns.push_back({name, type ? *type : DataType::of(TypeId::Int)});
        }

        bool produces = !selectSpec.where || evaluateCondition(*selectSpec.where, context) == true;
        if (produces && selectSpec.top) {
            const Value n = evaluateScalar(*selectSpec.top->count, context);
            produces = !n.isNull() && convert(n, DataType::of(TypeId::BigInt)).asInt64() > 0;
        }
        if (assignments != 0) {
            if (produces)
                for (const auto& item : selectSpec.items) {
                    if (item.assignOp != AssignOp::Assign)
                        refuse("compound assignment operators");
                    assign(item.variable, evaluateScalar(*item.expr, context));
                }
            context.lastRowCount = produces ? 1 : 0;
            return;
        }
        if (produces) {
            std::vector<Value> row;
            std::size_t column = 0;
            for (const auto& item : selectSpec.items) {
                Value v = evaluateScalar(*item.expr, context);
                const DataType& type = set.columns[column++].type;
                row.push_back(v.isNull() ? Value::null(type) : v);
            }
            set.rows.push_back(std::move(row));
        }
        context.lastRowCount = static_cast<std::int64_t>(set.rows.size());
        result->items.emplace_back(std::move(set));
    }

    void selectFrom(const SelectSpec& selectSpec, const std::vector<OrderItem>& orderBy) {
        const std::size_t assignments = countAssignments(selectSpec);
        const std::function<void(const SelectItem&, const Value&)> assigner = [this](const SelectItem& item,
                                                                                     const Value& v) {
            if (item.assignOp != AssignOp::Assign)
                refuse("compound assignment operators");
            assign(item.variable, v);
        };
        ResultSet set = tables().select(selectSpec, orderBy, assignments ? &assigner : nullptr);
        if (!assignments)
            result->items.emplace_back(std::move(set));
    }

    // Runs a statement that changes data as one unit: on an error its changes are undone.
    template <class F> void atomically(F&& body) {
        database->execute("SAVEPOINT tsql_statement");
        tables().forgetTakenIdentities();
        try {
            body();
        } catch (...) {
            database->execute("ROLLBACK TO tsql_statement");
            tables().keepTakenIdentities();
            database->execute("RELEASE tsql_statement");
            throw;
        }
        database->execute("RELEASE tsql_statement");
    }

    void dml(const std::function<std::int64_t()>& body) {
        std::int64_t rows = 0;
        atomically([&] { rows = body(); });
        context.lastRowCount = rows;
        if (!context.noCount)
            result->items.emplace_back(RowCount{rows});
    }

    void raiserror(const RaiserrorStmt& s) {
        const Value message = evaluateScalar(*s.message, context);
        if (message.isNull() || !message.type().isCharacter())
            refuse("RAISERROR with a message number");
        const auto intOf = [this](const Expr& e) {
            const Value v = evaluateScalar(e, context);
            return v.isNull() ? 0 : static_cast<int>(convert(v, DataType::of(TypeId::Int)).asInt64());
        };
        const int severity = intOf(*s.severity);
        const int state = intOf(*s.state);
        std::vector<Value> args;
        for (const auto& a : s.args)
            args.push_back(evaluateScalar(*a, context));
        const std::string text = formatRaiserror(convert(message, DataType::nvarchar(4000)).asText(), args);
        if (severity > 10)
            throw SqlError(50000, severity, state, text);
        result->items.emplace_back(Message{0, severity, state, text, s.pos.line});
    }

    void transaction(const TransactionStmt& s) {
        context.lastRowCount = 0;
        switch (s.op) {
        case TransactionOp::Begin:
            if (context.tranCount == 0)
                sqlite("BEGIN");
            ++context.tranCount;
            return;
        case TransactionOp::Commit:
            if (context.tranCount == 0)
                throw SqlError(3902, 16, 1,
                               "The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION.");
            if (--context.tranCount == 0)
                sqlite("COMMIT");
            return;
        case TransactionOp::Rollback:
            if (context.tranCount == 0)
                throw SqlError(3903, 16, 1,
                               "The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
            sqlite("ROLLBACK");
            context.tranCount = 0;
            return;
        case TransactionOp::Save:
            refuse("SAVE TRANSACTION");
        }
    }

    void runStatement(const Stmt& s) {
        switch (s.kind) {
        case StmtKind::Select:
            select(s.as<SelectStmt>());
            return;
        case StmtKind::DeclareVariables:
            declare(s.as<DeclareVariablesStmt>());
            return;
        case StmtKind::SetVariable: {
            const auto& set = s.as<SetVariableStmt>();
            if (set.op != AssignOp::Assign)
                refuse("compound assignment operators");
            assign(set.variable, evaluateScalar(*set.value, context));
            context.lastRowCount = 1;
            return;
        }
        case StmtKind::SetOption: {
            const auto& o = s.as<SetOptionStmt>();
            if (o.options.size() != 1 || o.options[0] != "NOCOUNT")
                refuse("SET options other than NOCOUNT");
            context.noCount = o.value == "ON";
            context.lastRowCount = 0;
            return;
        }
        case StmtKind::Print: {
            const Value v = evaluateScalar(*s.as<PrintStmt>().value, context);
            result->items.emplace_back(Message{
                0, 0, 1, v.isNull() ? "" : convert(v, DataType::nvarchar(4000)).asText(), s.pos.line});
            return;
        }
        case StmtKind::Raiserror:
            raiserror(s.as<RaiserrorStmt>());
            return;
        case StmtKind::CreateTable:
            atomically([&] { tables().createTable(s.as<CreateTableStmt>(), *batch); });
            return;
        case StmtKind::Drop:
            atomically([&] { tables().drop(s.as<DropStmt>()); });
            return;
        case StmtKind::Insert:
            dml([&] { return tables().insert(s.as<InsertStmt>()); });
            return;
        case StmtKind::Update:
            dml([&] { return tables().update(s.as<UpdateStmt>()); });
            return;
        case StmtKind::Delete:
            dml([&] { return tables().remove(s.as<DeleteStmt>()); });
            return;
        case StmtKind::Transaction:
            transaction(s.as<TransactionStmt>());
            return;
        default:
            refuse("this statement");
        }
    }

    // Runs the instruction; returns the next one to run.
    std::size_t step(const std::vector<Instruction>& code, std::size_t pc) {
        const Instruction& i = code[pc];
        switch (i.op) {
        case InstructionOp::Run:
            runStatement(*i.statement);
            break;
        case InstructionOp::JumpIfNot: {
            const bool holds = evaluateCondition(*i.condition, context) == true;
            context.lastError = 0;
            return holds ? pc + 1 : i.target;
        }
        case InstructionOp::Jump:
            return i.target;
        case InstructionOp::Return:
            return code.size();
        }
        context.lastError = 0;
        return pc + 1;
    }

    void execute(const Batch& b) {
        batch = &b;
        const std::vector<Instruction> code = compileInstructions(b.statements);
        std::uint32_t line = 1;
        try {
            bindBatch(b, tables().catalog(), context, line);
        } catch (const SqlError& e) {
            result->items.emplace_back(Message{e.number, e.severity, e.state, e.message, line});
            return;
        }
        context.variables.clear();
        std::size_t pc = 0;
        while (pc < code.size()) {
            context.statementTime = options.clock();
            try {
                pc = step(code, pc);
            } catch (const SqlError& e) {
                context.lastError = e.number;
                result->items.emplace_back(
                    Message{e.number, e.severity, e.state, e.message, code[pc].statement->pos.line});
                if (abortsBatch(e.number))
                    return;
                ++pc;
            }
        }
    }
};

Session::Session(std::shared_ptr<Database> database, SessionOptions options)
    : state_(std::make_unique<State>()) {
    state_->database = std::move(database);
    if (!options.clock)
        options.clock = wallClock;
    state_->context.login = options.login;
    state_->context.runSubquery = [state = state_.get()](const Query& q) { return state->tables().query(q); };
    state_->context.describeSubquery = [state = state_.get()](const Query& q, const ExecutionContext& outer) {
        if (!q.ctes.empty() || !q.body->selectSpec || q.offset)
            refuse("subqueries with WITH, UNION or OFFSET");
        return state->tables().describe(*q.body->selectSpec, outer);
    };
    state_->context.spid = options.spid;
    state_->options = std::move(options);
}

Session::~Session() = default;

int Session::tranCount() const noexcept {
    return state_->context.tranCount;
}

BatchResult Session::run(const std::string& batchText) {
    BatchResult result;
    state_->result = &result;
    try {
        const Batch batch = parseBatch(batchText);
        state_->execute(batch);
    } catch (const SyntaxError& e) {
        result.items.emplace_back(Message{e.number(), e.severity(), e.state(), e.message(), e.line()});
    } catch (const SqlError& e) {
        result.items.emplace_back(Message{e.number, e.severity, e.state, e.message, 1});
    } catch (const std::exception& e) {
        // A fault of the engine itself: reported like an error, so no batch can bring the host down.
        result.items.emplace_back(
            Message{50903, 16, 1, std::string("Internal engine error: ") + e.what(), 1});
    }
    state_->result = nullptr;
    return result;
}

} // namespace tsql
