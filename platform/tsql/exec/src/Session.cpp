#include "tsql/exec/Session.h"

#include "InstructionList.h"
#include "RowWriter.h"
#include "SessionCatalog.h"
#include "SqliteStatement.h"
#include "TableDefinitions.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/SqliteValues.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"
#include "tsql/codegen/DirectEvaluator.h"
#include "tsql/codegen/SqlGenerator.h"
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
    static const std::set<int> numbers = {137, 195,  206,  207,  208,  209,  241,   242,   245,  257, 402,
                                          529, 2715, 4104, 8114, 8117, 8169, 50900, 50903, 8120, 116, 4145};
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
        std::size_t j = i + 1;
        // flags, width and precision are accepted and ignored
        while (j < format.size() &&
               std::string_view("-+ #0123456789.*").find(format[j]) != std::string_view::npos)
            ++j;
        if (j < format.size() && (format[j] == 'l' || format[j] == 'h'))
            ++j;
        const char directive = j < format.size() ? format[j] : '\0';
        if (directive == '%' && j == i + 1) {
            out += '%';
            i = j;
        } else if (directive == 'd' || directive == 'i' || directive == 's' || directive == 'u' ||
                   directive == 'x' || directive == 'X' || directive == 'o') {
            if (next < args.size()) {
                const Value& v = args[next++];
                out += v.isNull() ? "(null)" : convert(v, DataType::nvarchar(4000)).asText();
            } else {
                out += "(null)";
            }
            i = j;
        } else {
            out += '%';
        }
    }
    return out;
}

// A piece of generated SQL with its prepared statement, prepared on first use.
struct PreparedSql {
    GeneratedSql sql;
    std::unique_ptr<SqliteStatement> statement;
};

// A statement or condition of the batch once bound.
struct CompiledStatement {
    bool bound = false;
    std::vector<BoundExprPtr> exprs;
    std::vector<int> slots;
    std::shared_ptr<const BoundQuery> query;
    std::unique_ptr<BoundInsert> insert;
    std::unique_ptr<BoundChange> change;
    std::vector<std::unique_ptr<PreparedSql>> sql;
};

} // namespace

struct Session::State {
    std::shared_ptr<Database> database;
    SessionOptions options;
    SessionCatalog catalog;
    BatchResult* result = nullptr;
    const Batch* batch = nullptr;

    // The session's values behind the @@ functions.
    int lastError = 0;
    std::int64_t lastRowCount = 0;
    int tranCount = 0;
    std::optional<Value> scopeIdentity;
    std::optional<Value> identity;
    DateTime statementTime;
    bool noCount = false;
    int fetchStatus = -1;

    // The running batch.
    VariableScope scope;
    std::vector<Value> variables;
    std::vector<Instruction> code;
    std::vector<CompiledStatement> compiled;

    State(std::shared_ptr<Database> db, SessionOptions o)
        : database(std::move(db)), options(std::move(o)), catalog(database->handle()) {}

    sqlite3* db() const { return database->handle(); }

    Value sessionValue(SessionValue v, const DataType& type) const {
        switch (v) {
        case SessionValue::Error:
            return Value::integer(lastError);
        case SessionValue::RowCount:
            return Value::integer(lastRowCount);
        case SessionValue::TranCount:
            return Value::integer(tranCount);
        case SessionValue::Spid:
            return Value::integer(options.spid, TypeId::SmallInt);
        case SessionValue::FetchStatus:
            return Value::integer(fetchStatus);
        case SessionValue::NestLevel:
            return Value::integer(0);
        case SessionValue::Identity:
            return identity ? convert(*identity, type) : Value::null(type);
        case SessionValue::Now:
            return Value::dateTime(statementTime);
        case SessionValue::Login:
            return Value::text(options.login, type);
        case SessionValue::ScopeIdentity:
            return scopeIdentity ? convert(*scopeIdentity, type) : Value::null(type);
        case SessionValue::DatabaseName:
            return Value::text("provozmat", type);
        case SessionValue::HostName:
            return Value::text("localhost", type);
        case SessionValue::ServerName:
            return Value::text("localhost", type);
        case SessionValue::Version:
            return Value::text("Microsoft SQL Server 2008 (embedded T-SQL engine)", type);
        default:
            return Value::null(type);
        }
    }

    Value parameter(const BoundExpr& e) const {
        switch (e.kind) {
        case BoundKind::Variable:
            return variables.at(static_cast<std::size_t>(e.slot));
        case BoundKind::Session:
            return sessionValue(e.session, e.type);
        default:
            return e.constant;
        }
    }

    SqliteStatement& prepare(PreparedSql& p) {
        if (!p.statement)
            p.statement = std::make_unique<SqliteStatement>(db(), p.sql.text);
        else
            p.statement->reset();
        for (std::size_t i = 0; i < p.sql.params.size(); ++i)
            p.statement->bind(static_cast<int>(i + 1), parameter(*p.sql.params[i]));
        return *p.statement;
    }

    PreparedSql& sqlFor(CompiledStatement& c, std::size_t index,
                        const std::function<GeneratedSql()>& generate) {
        if (c.sql.size() <= index)
            c.sql.resize(index + 1);
        if (!c.sql[index])
            c.sql[index] = std::make_unique<PreparedSql>(PreparedSql{generate(), nullptr});
        return *c.sql[index];
    }

    // The value of an expression: directly when it reads no table, else through SQLite.
    Value value(const BoundExpr& e, CompiledStatement& c, std::size_t index) {
        if (isDirect(e))
            return evaluateDirect(e, [this](const BoundExpr& p) { return parameter(p); });
        SqliteStatement& s = prepare(sqlFor(c, index, [&] { return generateValue(e); }));
        const DataType type = e.isCondition() ? DataType::of(TypeId::Bit) : e.type;
        Value v = s.step() ? s.valueAt(0, type) : Value::null(type);
        s.reset();
        return v;
    }

    std::optional<bool> truth(const BoundExpr& e, CompiledStatement& c) {
        const Value v = value(e, c, 0);
        if (v.isNull())
            return std::nullopt;
        return v.asBool();
    }

    // Runs the query and calls `row` with the statement positioned on each result row.
    std::int64_t rows(const BoundQuery& q, CompiledStatement& c, std::size_t index,
                      const std::function<void(SqliteStatement&)>& row) {
        SqliteStatement& s = prepare(sqlFor(c, index, [&] { return generateQuery(q); }));
        std::int64_t n = 0;
        try {
            while (s.step()) {
                ++n;
                row(s);
            }
        } catch (...) {
            s.reset();
            throw;
        }
        s.reset();
        return n;
    }

    void assign(int slot, const Value& v) {
        Value& target = variables.at(static_cast<std::size_t>(slot));
        const DataType type = target.type();
        target = v.isNull() ? Value::null(type) : convert(v, type, ConversionMode::Assign);
    }

    // Binding ----------------------------------------------------------------------------------

    BinderOptions binderOptions() const { return BinderOptions{kDefaultCompatibilityLevel}; }

    void bindStatement(const Stmt& s, CompiledStatement& c) {
        Binder binder(catalog, scope, binderOptions());
        switch (s.kind) {
        case StmtKind::Select:
            c.query = binder.query(*s.as<SelectStmt>().query);
            break;
        case StmtKind::DeclareVariables:
            for (const auto& v : s.as<DeclareVariablesStmt>().variables) {
                BoundExprPtr init = v.initializer ? binder.scalar(*v.initializer) : nullptr;
                c.slots.push_back(
                    scope.declare(v.name, resolveType(v.type, LengthDefault::Declaration)).slot);
                c.exprs.push_back(std::move(init));
            }
            break;
        case StmtKind::SetVariable: {
            const auto& set = s.as<SetVariableStmt>();
            if (set.op != AssignOp::Assign)
                refuse("compound assignment operators");
            const VariableInfo* v = scope.find(set.variable);
            if (!v)
                throw SqlError(137, 15, 2, "Must declare the scalar variable \"" + set.variable + "\".");
            c.slots.push_back(v->slot);
            c.exprs.push_back(binder.scalar(*set.value));
            break;
        }
        case StmtKind::Print:
            c.exprs.push_back(binder.scalar(*s.as<PrintStmt>().value));
            break;
        case StmtKind::Raiserror: {
            const auto& r = s.as<RaiserrorStmt>();
            c.exprs.push_back(binder.scalar(*r.message));
            c.exprs.push_back(binder.scalar(*r.severity));
            c.exprs.push_back(binder.scalar(*r.state));
            for (const auto& a : r.args)
                c.exprs.push_back(binder.scalar(*a));
            break;
        }
        case StmtKind::Insert:
            c.insert = std::make_unique<BoundInsert>(binder.insert(s.as<InsertStmt>()));
            break;
        case StmtKind::Update:
            c.change = std::make_unique<BoundChange>(binder.update(s.as<UpdateStmt>()));
            break;
        case StmtKind::Delete:
            c.change = std::make_unique<BoundChange>(binder.remove(s.as<DeleteStmt>()));
            break;
        case StmtKind::If:
            c.exprs.push_back(binder.condition(*s.as<IfStmt>().condition));
            break;
        case StmtKind::While:
            c.exprs.push_back(binder.condition(*s.as<WhileStmt>().condition));
            break;
        default:
            break;
        }
        c.bound = true;
    }

    // Binds every statement before any runs, as the server compiles a batch; a statement on a table
    // that does not exist yet is bound when it runs (deferred name resolution).
    void bindAll() {
        compiled.clear();
        compiled.resize(code.size());
        for (std::size_t i = 0; i < code.size(); ++i) {
            const Instruction& in = code[i];
            if (in.op != InstructionOp::Run && in.op != InstructionOp::JumpIfNot)
                continue;
            try {
                bindStatement(*in.statement, compiled[i]);
            } catch (const SqlError& e) {
                if (e.number != 208 || in.statement->kind == StmtKind::DeclareVariables)
                    throw;
                compiled[i] = CompiledStatement{};
            }
        }
    }

    // Running ----------------------------------------------------------------------------------

    void select(CompiledStatement& c) {
        const BoundQuery& q = *c.query;
        const bool assigns = q.select && !q.select->items.empty() && q.select->items[0].variableSlot >= 0;
        if (assigns) {
            const auto& items = q.select->items;
            lastRowCount = rows(q, c, 0, [&](SqliteStatement& s) {
                for (std::size_t i = 0; i < items.size(); ++i)
                    assign(items[i].variableSlot, s.valueAt(static_cast<int>(i), q.columns[i].type));
            });
            return;
        }
        ResultSet set;
        for (const auto& col : q.columns)
            set.columns.push_back({col.name, col.type});
        lastRowCount = rows(q, c, 0, [&](SqliteStatement& s) {
            std::vector<Value> row;
            row.reserve(set.columns.size());
            for (std::size_t i = 0; i < set.columns.size(); ++i)
                row.push_back(s.valueAt(static_cast<int>(i), set.columns[i].type));
            set.rows.push_back(std::move(row));
        });
        result->items.emplace_back(std::move(set));
    }

    std::int64_t insert(CompiledStatement& c) {
        const BoundInsert& ins = *c.insert;
        const TableInfo& t = ins.table;
        const auto identityColumn = t.identityColumn();
        RowWriter writer(db(), t);
        std::size_t sqlIndex = 0;
        std::vector<std::vector<Value>> sources;
        if (ins.query) {
            rows(*ins.query, c, sqlIndex++, [&](SqliteStatement& s) {
                std::vector<Value> row;
                for (std::size_t i = 0; i < ins.targets.size(); ++i)
                    row.push_back(s.valueAt(static_cast<int>(i), ins.query->columns[i].type));
                sources.push_back(std::move(row));
            });
        }
        const auto defaultOf = [&](std::size_t column) {
            const BoundExpr* d = ins.defaults[column].get();
            return d ? value(*d, c, 1000 + column) : Value::null(t.columns[column].type);
        };
        std::size_t rowIndex = 0;
        const std::size_t count = ins.query ? sources.size() : ins.rows.size();
        for (std::size_t r = 0; r < count; ++r) {
            std::vector<Value> row(t.columns.size());
            std::vector<bool> given(t.columns.size(), false);
            for (std::size_t i = 0; i < ins.targets.size(); ++i) {
                given[ins.targets[i]] = true;
                if (ins.query) {
                    row[ins.targets[i]] = sources[r][i];
                } else {
                    const BoundExpr* e = ins.rows[r][i].get();
                    row[ins.targets[i]] = e ? value(*e, c, 2000 + rowIndex) : defaultOf(ins.targets[i]);
                    ++rowIndex;
                }
            }
            for (std::size_t i = 0; i < t.columns.size(); ++i)
                if (!given[i] && i != identityColumn)
                    row[i] = defaultOf(i);
            if (identityColumn) {
                const Value next = Value::integer(catalog.forName(t.name).nextIdentity(t), TypeId::BigInt);
                row[*identityColumn] = convert(next, t.columns[*identityColumn].type, ConversionMode::Store);
                scopeIdentity = next;
                identity = next;
            }
            writer.insert(row);
        }
        return static_cast<std::int64_t>(count);
    }

    std::int64_t update(CompiledStatement& c) {
        const BoundChange& ch = *c.change;
        const TableInfo& t = ch.table;
        struct Change {
            std::int64_t rowid;
            std::vector<Value> row;
        };
        std::vector<Change> changes;
        std::set<std::int64_t> seen;
        SqliteStatement& s = prepare(sqlFor(c, 0, [&] { return generateChangeRows(ch, true); }));
        try {
            while (s.step()) {
                const std::int64_t rowid = s.intAt(0);
                if (!seen.insert(rowid).second)
                    continue;
                Change change{rowid, {}};
                for (std::size_t i = 0; i < t.columns.size(); ++i)
                    change.row.push_back(s.valueAt(static_cast<int>(i + 1), t.columns[i].type));
                const int first = static_cast<int>(t.columns.size() + 1);
                for (std::size_t k = 0; k < ch.columns.size(); ++k) {
                    const BoundExpr& e = *ch.select->items[k].expr;
                    change.row[ch.columns[k]] = s.valueAt(
                        first + static_cast<int>(k), e.untypedNull ? t.columns[ch.columns[k]].type : e.type);
                }
                changes.push_back(std::move(change));
            }
        } catch (...) {
            s.reset();
            throw;
        }
        s.reset();
        RowWriter writer(db(), t);
        for (const Change& change : changes)
            writer.update(change.rowid, change.row, ch.columns);
        return static_cast<std::int64_t>(changes.size());
    }

    std::int64_t remove(CompiledStatement& c) {
        const BoundChange& ch = *c.change;
        PreparedSql& p = sqlFor(c, 0, [&] {
            GeneratedSql g = generateChangeRows(ch, false);
            g.text = "DELETE FROM " + ch.table.storageName() + " WHERE rowid IN (" + g.text + ")";
            return g;
        });
        SqliteStatement& s = prepare(p);
        s.step();
        s.reset();
        return sqlite3_changes(db());
    }

    // Runs a statement that changes data as one unit: on an error its changes are undone.
    template <class F> void atomically(F&& body) {
        database->execute("SAVEPOINT tsql_statement");
        catalog.forgetTakenIdentities();
        try {
            body();
        } catch (...) {
            database->execute("ROLLBACK TO tsql_statement");
            catalog.keepTakenIdentities();
            database->execute("RELEASE tsql_statement");
            throw;
        }
        database->execute("RELEASE tsql_statement");
    }

    void dml(const std::function<std::int64_t()>& body) {
        std::int64_t n = 0;
        atomically([&] { n = body(); });
        lastRowCount = n;
        if (!noCount)
            result->items.emplace_back(RowCount{n});
    }

    int intValue(const BoundExpr& e, CompiledStatement& c, std::size_t index) {
        const Value v = value(e, c, index);
        return v.isNull() ? 0 : static_cast<int>(convert(v, DataType::of(TypeId::Int)).asInt64());
    }

    void raiserror(const Stmt& stmt, CompiledStatement& c) {
        const Value message = value(*c.exprs[0], c, 0);
        if (message.isNull() || !message.type().isCharacter())
            refuse("RAISERROR with a message number");
        const int severity = intValue(*c.exprs[1], c, 1);
        const int state = intValue(*c.exprs[2], c, 2);
        std::vector<Value> args;
        for (std::size_t i = 3; i < c.exprs.size(); ++i)
            args.push_back(value(*c.exprs[i], c, i));
        const std::string text = formatRaiserror(convert(message, DataType::nvarchar(4000)).asText(), args);
        if (severity > 10)
            throw SqlError(50000, severity, state, text);
        result->items.emplace_back(Message{0, severity, state, text, stmt.pos.line});
    }

    void transaction(const TransactionStmt& s) {
        lastRowCount = 0;
        switch (s.op) {
        case TransactionOp::Begin:
            if (tranCount == 0)
                database->execute("BEGIN");
            ++tranCount;
            return;
        case TransactionOp::Commit:
            if (tranCount == 0)
                throw SqlError(3902, 16, 1,
                               "The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION.");
            if (--tranCount == 0)
                database->execute("COMMIT");
            return;
        case TransactionOp::Rollback:
            if (tranCount == 0)
                throw SqlError(3903, 16, 1,
                               "The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
            database->execute("ROLLBACK");
            tranCount = 0;
            return;
        case TransactionOp::Save:
            refuse("SAVE TRANSACTION");
        }
    }

    void runStatement(const Stmt& s, CompiledStatement& c) {
        if (!c.bound)
            bindStatement(s, c);
        switch (s.kind) {
        case StmtKind::Select:
            select(c);
            return;
        case StmtKind::DeclareVariables:
            for (std::size_t i = 0; i < c.slots.size(); ++i)
                if (c.exprs[i])
                    assign(c.slots[i], value(*c.exprs[i], c, i));
            return;
        case StmtKind::SetVariable:
            assign(c.slots[0], value(*c.exprs[0], c, 0));
            lastRowCount = 1;
            return;
        case StmtKind::SetOption: {
            const auto& o = s.as<SetOptionStmt>();
            lastRowCount = 0;
            if (o.options.size() == 1 && o.options[0] == "NOCOUNT") {
                noCount = o.value == "ON";
                return;
            }
            static const std::set<std::string> ignored = {"ANSI_NULLS",
                                                          "QUOTED_IDENTIFIER",
                                                          "ANSI_WARNINGS",
                                                          "ANSI_PADDING",
                                                          "ARITHABORT",
                                                          "XACT_ABORT",
                                                          "CONCAT_NULL_YIELDS_NULL",
                                                          "DEADLOCK_PRIORITY",
                                                          "LOCK_TIMEOUT",
                                                          "TRANSACTION ISOLATION LEVEL"};
            for (const auto& name : o.options)
                if (!ignored.count(name))
                    refuse("SET " + name);
            return;
        }
        case StmtKind::Print: {
            const Value v = value(*c.exprs[0], c, 0);
            result->items.emplace_back(Message{
                0, 0, 1, v.isNull() ? "" : convert(v, DataType::nvarchar(4000)).asText(), s.pos.line});
            return;
        }
        case StmtKind::Raiserror:
            raiserror(s, c);
            return;
        case StmtKind::CreateTable:
            atomically([&] { createTable(s.as<CreateTableStmt>(), *batch, catalog); });
            return;
        case StmtKind::CreateView:
            atomically([&] {
                const auto& v = s.as<CreateViewStmt>();
                createView(v, *batch, catalog, v.header.alter);
            });
            return;
        case StmtKind::Drop:
            atomically([&] { dropObjects(s.as<DropStmt>(), catalog); });
            return;
        case StmtKind::Truncate:
            atomically([&] { truncateTable(s.as<TruncateStmt>(), catalog, db()); });
            lastRowCount = 0;
            return;
        case StmtKind::Insert:
            dml([&] { return insert(c); });
            return;
        case StmtKind::Update:
            dml([&] { return update(c); });
            return;
        case StmtKind::Delete:
            dml([&] { return remove(c); });
            return;
        case StmtKind::Transaction:
            transaction(s.as<TransactionStmt>());
            return;
        case StmtKind::Permission:
            return;
        default:
            refuse("this statement");
        }
    }

    // Runs the instruction; returns the next one to run.
    std::size_t step(std::size_t pc) {
        const Instruction& i = code[pc];
        switch (i.op) {
        case InstructionOp::Run:
            runStatement(*i.statement, compiled[pc]);
            break;
        case InstructionOp::JumpIfNot: {
            CompiledStatement& c = compiled[pc];
            if (!c.bound)
                bindStatement(*i.statement, c);
            const bool holds = truth(*c.exprs[0], c) == true;
            lastError = 0;
            return holds ? pc + 1 : i.target;
        }
        case InstructionOp::Jump:
            return i.target;
        case InstructionOp::Return:
            return code.size();
        }
        lastError = 0;
        return pc + 1;
    }

    void execute(const Batch& b) {
        batch = &b;
        code = compileInstructions(b.statements);
        scope = VariableScope();
        try {
            bindAll();
        } catch (const SqlError& e) {
            result->items.emplace_back(Message{e.number, e.severity, e.state, e.message, 1});
            return;
        }
        variables.clear();
        for (const VariableInfo& v : scope.all())
            variables.push_back(Value::null(v.type));
        std::size_t pc = 0;
        while (pc < code.size()) {
            statementTime = options.clock();
            try {
                pc = step(pc);
            } catch (const SqlError& e) {
                lastError = e.number;
                result->items.emplace_back(
                    Message{e.number, e.severity, e.state, e.message, code[pc].statement->pos.line});
                if (abortsBatch(e.number))
                    return;
                ++pc;
            }
        }
    }
};

Session::Session(std::shared_ptr<Database> database, SessionOptions options) {
    if (!options.clock)
        options.clock = wallClock;
    state_ = std::make_unique<State>(std::move(database), std::move(options));
}

Session::~Session() = default;

int Session::tranCount() const noexcept {
    return state_->tranCount;
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
    state_->code.clear();
    state_->compiled.clear();
    state_->result = nullptr;
    return result;
}

} // namespace tsql
