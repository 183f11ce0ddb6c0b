#include "Executor.h"

#include "DatabaseName.h"
#include "RowWriter.h"
#include "TableDefinitions.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/SqliteValues.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"
#include "tsql/codegen/DirectEvaluator.h"
#include "tsql/codegen/RuntimeFunctions.h"
#include "tsql/syntax/Parser.h"
#include "tsql/syntax/SyntaxError.h"

#include <sqlite3.h>

namespace tsql {

PreparedSql::~PreparedSql() = default;

namespace {

// Errors after which the server stops the whole batch rather than just the statement.
bool abortsBatch(int number) {
    static const std::set<int> numbers = {116,  137,  195,  206,  207,   208,   209,  241,
                                          242,  245,  257,  402,  529,   2715,  4104, 4145,
                                          8114, 8117, 8120, 8169, 50900, 50903, 217};
    return numbers.count(number) != 0;
}

// Of those, the errors of compiling a statement (a missing object or column, a bad name or type)
// end only their scope: a procedure or dynamic batch stops there and its caller goes on.
bool abortsScopeOnly(int number) {
    static const std::set<int> numbers = {116, 137, 195,  206,  207,  208,  209, 257,
                                          402, 529, 2715, 4104, 4145, 8117, 8120};
    return numbers.count(number) != 0;
}

} // namespace

Executor::Executor(std::shared_ptr<Database> database, SessionOptions options)
    : database_(std::move(database)), options_(std::move(options)), catalog_(database_->handle()) {
    // Objects made by the session carry its clock's time, as GETDATE() does.
    if (options_.clock) {
        catalog_.main().setClock(options_.clock);
        catalog_.forName("#").setClock(options_.clock);
    }
}

Executor::~Executor() = default;

// Values ---------------------------------------------------------------------------------------

Value Executor::sessionValue(SessionValue v, const DataType& type) const {
    const auto caughtText = [&](auto field) -> Value {
        if (caught_.empty())
            return Value::null(type);
        return field(caught_.back());
    };
    switch (v) {
    case SessionValue::Error:
        return Value::integer(lastError_);
    case SessionValue::RowCount:
        return Value::integer(lastRowCount_);
    case SessionValue::TranCount:
        return Value::integer(tranCount_);
    case SessionValue::Spid:
        return Value::integer(options_.spid, TypeId::SmallInt);
    case SessionValue::FetchStatus:
        return Value::integer(fetchStatus_);
    case SessionValue::NestLevel:
        return Value::integer(static_cast<std::int64_t>(frames_.size()) - 1);
    case SessionValue::Identity:
        return identity_ ? convert(*identity_, type) : Value::null(type);
    case SessionValue::Now:
        return Value::dateTime(statementTime_);
    case SessionValue::Login:
        return Value::text(options_.login, type);
    case SessionValue::ScopeIdentity: {
        const auto& s = frames_.back()->scopeIdentity;
        return s ? convert(*s, type) : Value::null(type);
    }
    case SessionValue::ErrorNumber:
        return caughtText([](const CaughtError& e) { return Value::integer(e.number); });
    case SessionValue::ErrorMessage:
        return caughtText([&](const CaughtError& e) { return Value::text(e.message, type); });
    case SessionValue::ErrorSeverity:
        return caughtText([](const CaughtError& e) { return Value::integer(e.severity); });
    case SessionValue::ErrorState:
        return caughtText([](const CaughtError& e) { return Value::integer(e.state); });
    case SessionValue::ErrorLine:
        return caughtText([](const CaughtError& e) { return Value::integer(e.line); });
    case SessionValue::ErrorProcedure:
        return caughtText([&](const CaughtError& e) {
            return e.procedure.empty() ? Value::null(type) : Value::text(e.procedure, type);
        });
    case SessionValue::DatabaseName:
        return Value::text(kDatabaseName, type);
    case SessionValue::HostName:
    case SessionValue::ServerName:
        return Value::text("localhost", type);
    case SessionValue::Version:
        return Value::text("Microsoft SQL Server 2008 (embedded T-SQL engine)", type);
    }
    return Value::null(type);
}

Value Executor::parameter(const BoundExpr& e) const {
    switch (e.kind) {
    case BoundKind::Variable:
        return frames_.back()->variables.at(static_cast<std::size_t>(e.slot));
    case BoundKind::Session:
        return sessionValue(e.session, e.type);
    default:
        return e.constant;
    }
}

SqliteStatement& Executor::prepare(PreparedSql& p) {
    if (!p.statement)
        p.statement = std::make_unique<SqliteStatement>(db(), p.sql.text);
    else
        p.statement->reset();
    for (std::size_t i = 0; i < p.sql.params.size(); ++i)
        p.statement->bind(static_cast<int>(i + 1), parameter(*p.sql.params[i]));
    return *p.statement;
}

PreparedSql& Executor::sqlFor(CompiledStatement& c, std::size_t index,
                              const std::function<GeneratedSql()>& generate) {
    if (c.sql.size() <= index)
        c.sql.resize(index + 1);
    if (!c.sql[index]) {
        c.sql[index] = std::make_unique<PreparedSql>();
        c.sql[index]->sql = generate();
    }
    return *c.sql[index];
}

Value Executor::value(const BoundExpr& e, CompiledStatement& c, std::size_t index) {
    if (isDirect(e))
        return evaluateDirect(e, [this](const BoundExpr& p) { return parameter(p); });
    SqliteStatement& s = prepare(sqlFor(c, index, [&] { return generateValue(e); }));
    const DataType type = e.isCondition() ? DataType::of(TypeId::Bit) : e.type;
    try {
        Value v = s.step() ? s.valueAt(0, type) : Value::null(type);
        s.reset();
        return v;
    } catch (...) {
        s.reset();
        throw;
    }
}

std::optional<bool> Executor::truth(const BoundExpr& e, CompiledStatement& c) {
    const Value v = value(e, c, 0);
    if (v.isNull())
        return std::nullopt;
    return v.asBool();
}

std::int64_t Executor::rows(const BoundQuery& q, CompiledStatement& c, std::size_t index,
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

void Executor::assign(int slot, const Value& v) {
    Value& target = frame().variables.at(static_cast<std::size_t>(slot));
    const DataType type = target.type();
    target =
        v.isNull() ? Value::null(type) : (v.type() == type ? v : convert(v, type, ConversionMode::Assign));
}

int Executor::intValue(const BoundExpr& e, CompiledStatement& c, std::size_t index) {
    const Value v = value(e, c, index);
    return v.isNull() ? 0 : static_cast<int>(convert(v, DataType::of(TypeId::Int)).asInt64());
}

// Binding --------------------------------------------------------------------------------------

void Executor::bindStatement(const Stmt& s, CompiledStatement& c) {
    Frame& f = frame();
    Binder binder(catalog_, f.scope, BinderOptions{kDefaultCompatibilityLevel});
    const auto slotOf = [&](const std::string& name) {
        const VariableInfo* v = f.scope.find(name);
        if (!v)
            throw SqlError(137, 15, 2, "Must declare the scalar variable \"" + name + "\".");
        return v->slot;
    };
    switch (s.kind) {
    case StmtKind::Select:
        c.query = binder.query(*s.as<SelectStmt>().query);
        break;
    case StmtKind::DeclareVariables:
        for (const auto& v : s.as<DeclareVariablesStmt>().variables) {
            BoundExprPtr init = v.initializer ? binder.scalar(*v.initializer) : nullptr;
            c.slots.push_back(f.scope.declare(v.name, resolveType(v.type, LengthDefault::Declaration)).slot);
            c.exprs.push_back(std::move(init));
        }
        break;
    case StmtKind::SetVariable: {
        const auto& set = s.as<SetVariableStmt>();
        if (set.op != AssignOp::Assign)
            refuse("compound assignment operators");
        c.slots.push_back(slotOf(set.variable));
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
    case StmtKind::Return:
        if (s.as<ReturnStmt>().value)
            c.exprs.push_back(binder.scalar(*s.as<ReturnStmt>().value));
        break;
    case StmtKind::ExecProcedure: {
        const auto& e = s.as<ExecProcedureStmt>();
        if (!e.procedureVariable.empty())
            refuse("EXECUTE of a procedure named by a variable");
        c.slots.push_back(e.returnVariable.empty() ? -1 : slotOf(e.returnVariable));
        for (const auto& a : e.args) {
            c.argumentNames.push_back(a.parameter);
            c.argumentOutput.push_back(a.output);
            if (a.output) {
                if (a.value->kind != ExprKind::Variable)
                    throw SqlError(
                        179, 15, 1,
                        "Cannot use the OUTPUT option when passing a constant to a stored procedure.");
                c.slots.push_back(slotOf(a.value->as<VariableExpr>().name));
            } else {
                c.slots.push_back(-1);
            }
            c.exprs.push_back(a.value->kind == ExprKind::Default ? nullptr : binder.scalar(*a.value));
        }
        break;
    }
    case StmtKind::ExecString:
        for (const auto& part : s.as<ExecStringStmt>().parts)
            c.exprs.push_back(binder.scalar(*part));
        break;
    case StmtKind::DeclareTable: {
        // The table exists from the declaration on, for the whole batch or module, as the
        // variable does; it is dropped when the frame ends.
        const auto& d = s.as<DeclareTableStmt>();
        const std::string table = "#~" + std::to_string(++tableVariables_) + "~" + d.name;
        f.tableVariables.push_back(table);
        createTable(table, d.definition, f.source->batch, catalog_);
        f.scope.declareTable(d.name, table);
        break;
    }
    case StmtKind::DeclareCursor:
        c.query = binder.query(*s.as<DeclareCursorStmt>().query);
        break;
    case StmtKind::Fetch:
        for (const auto& v : s.as<FetchStmt>().into)
            c.slots.push_back(slotOf(v));
        break;
    default:
        break;
    }
    c.bound = true;
}

void Executor::bindAll(Frame& f) {
    f.compiled.clear();
    f.compiled.resize(f.code.code.size());
    for (std::size_t i = 0; i < f.code.code.size(); ++i) {
        const Instruction& in = f.code.code[i];
        if (in.op != InstructionOp::Run && in.op != InstructionOp::JumpIfNot &&
            in.op != InstructionOp::Return)
            continue;
        try {
            bindStatement(*in.statement, f.compiled[i]);
        } catch (const SqlError& e) {
            // A statement on a table that does not exist yet is bound when it runs.
            if (e.number != 208 || in.statement->kind == StmtKind::DeclareVariables)
                throw SqlError(e.number, e.severity, e.state, e.message,
                               static_cast<int>(in.statement->pos.line));
            f.compiled[i] = CompiledStatement{};
        }
    }
}

// Frames ---------------------------------------------------------------------------------------

std::unique_ptr<Frame> Executor::makeFrame(std::shared_ptr<const ParsedCode> source) {
    auto f = std::make_unique<Frame>();
    f->code = compileInstructions(*source->statements, source->inModule);
    f->source = std::move(source);
    return f;
}

void Executor::report(const SqlError& e, std::uint32_t line) {
    result_->items.emplace_back(Message{e.number, e.severity, e.state, e.message, line});
}

bool Executor::handled(const SqlError& e, std::size_t depth) {
    Frame& f = *frames_[depth];
    for (auto t = f.code.tries.rbegin(); t != f.code.tries.rend(); ++t) {
        if (f.pc < t->begin || f.pc >= t->end)
            continue;
        const Stmt* s = f.code.code[f.pc].statement;
        caught_.push_back({e.number, e.severity, e.state,
                           static_cast<int>(e.line > 0 ? e.line : (s ? s->pos.line : 0)), e.message,
                           !raisedIn_.empty() ? raisedIn_ : (f.source ? f.source->name : "")});
        raisedIn_.clear();
        lastError_ = e.number;
        f.pc = t->handler;
        return true;
    }
    return false;
}

void Executor::runFrame(Frame& f) {
    const std::size_t depth = frames_.size() - 1;
    auto& code = f.code.code;
    while (f.pc < code.size()) {
        statementTime_ = options_.clock();
        const Instruction& i = code[f.pc];
        try {
            switch (i.op) {
            case InstructionOp::Run: {
                const StmtKind kind = i.statement->kind;
                runStatement(*i.statement, f.compiled[f.pc]);
                if (kind != StmtKind::ExecProcedure && kind != StmtKind::ExecString)
                    lastError_ = 0;
                ++f.pc;
                break;
            }
            case InstructionOp::JumpIfNot: {
                CompiledStatement& c = f.compiled[f.pc];
                if (!c.bound)
                    bindStatement(*i.statement, c);
                const bool holds = truth(*c.exprs[0], c) == true;
                lastError_ = 0;
                f.pc = holds ? f.pc + 1 : i.target;
                break;
            }
            case InstructionOp::Jump:
                f.pc = i.target;
                break;
            case InstructionOp::Return: {
                CompiledStatement& c = f.compiled[f.pc];
                if (!c.exprs.empty())
                    f.returnValue = value(*c.exprs[0], c, 0);
                f.pc = code.size();
                break;
            }
            case InstructionOp::EndCatch:
                if (!caught_.empty())
                    caught_.pop_back();
                ++f.pc;
                break;
            }
        } catch (const SqlError& e) {
            if (e.severity <= 10)
                throw;
            if (handled(e, depth))
                continue;
            // A CATCH block of a caller takes it: this frame ends here.
            for (std::size_t d = depth; d-- > 0;)
                for (const TryRange& t : frames_[d]->code.tries)
                    if (frames_[d]->pc >= t.begin && frames_[d]->pc < t.end) {
                        if (raisedIn_.empty() && f.source)
                            raisedIn_ = f.source->name;
                        if (e.line > 0 || !i.statement)
                            throw;
                        // ERROR_LINE() names the line inside the module where it happened.
                        throw SqlError(e.number, e.severity, e.state, e.message,
                                       static_cast<int>(i.statement->pos.line));
                    }
            const std::uint32_t line =
                e.line > 0 ? static_cast<std::uint32_t>(e.line) : i.statement->pos.line;
            report(e, line);
            lastError_ = e.number;
            if (abortsBatch(e.number)) {
                if (depth == 0 || !abortsScopeOnly(e.number))
                    throw BatchAborted{};
                f.pc = code.size();
                continue;
            }
            ++f.pc;
        }
    }
}

void Executor::leaveFrame(Frame& f) {
    dropLocalCursors(frames_.size() - 1);
    dropTables(f.tempTables);
    dropTables(f.tableVariables);
}

void Executor::dropLocalCursors(std::size_t depth) {
    const std::string prefix = "L" + std::to_string(depth) + ":";
    for (auto it = cursors_.begin(); it != cursors_.end();)
        it = it->first.starts_with(prefix) ? cursors_.erase(it) : std::next(it);
}

void Executor::dropTables(std::vector<std::string>& tables) {
    for (const std::string& t : tables) {
        try {
            if (catalog_.forName(t).find(t))
                catalog_.forName(t).drop(t);
        } catch (const SqlError&) {
            // the table is gone already
        }
    }
    tables.clear();
}

BatchResult Executor::run(const std::string& batchText) {
    const FunctionCallerScope functions(
        [this](const std::string& name, const std::vector<Value>& args) { return callFunction(name, args); });
    BatchResult result;
    result_ = &result;
    frames_.clear();
    caught_.clear();
    try {
        auto parsed = std::make_shared<ParsedCode>();
        parsed->batch = parseBatch(batchText);
        parsed->statements = &parsed->batch.statements;
        frames_.push_back(makeFrame(parsed));
        Frame& f = *frames_.back();
        try {
            bindAll(f);
        } catch (const SqlError& e) {
            report(e, e.line > 0 ? static_cast<std::uint32_t>(e.line) : 1);
            dropTables(f.tableVariables);
            frames_.clear();
            result_ = nullptr;
            return result;
        }
        for (const VariableInfo& v : f.scope.all())
            f.variables.push_back(Value::null(v.type));
        runFrame(f);
    } catch (const BatchAborted&) {
        // reported where it happened
    } catch (const SyntaxError& e) {
        result.items.emplace_back(Message{e.number(), e.severity(), e.state(), e.message(), e.line()});
    } catch (const SqlError& e) {
        report(e, e.line > 0 ? static_cast<std::uint32_t>(e.line) : 1);
    } catch (const std::exception& e) {
        // A fault of the engine itself: reported like an error, so no batch can bring the host down.
        result.items.emplace_back(
            Message{50903, 16, 1, std::string("Internal engine error: ") + e.what(), 1});
    }
    if (!frames_.empty())
        dropTables(frames_.front()->tableVariables);
    dropLocalCursors(0); // LOCAL cursors of the batch end with it
    frames_.clear();
    caught_.clear();
    result_ = nullptr;
    return result;
}

} // namespace tsql
