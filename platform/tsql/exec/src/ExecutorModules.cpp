#include "Executor.h"
#include "Indexes.h"

#include "TableDefinitions.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"
#include "tsql/syntax/Parser.h"
#include "tsql/syntax/SyntaxError.h"

#include <cctype>

namespace tsql {

namespace {

constexpr std::size_t kMaxNesting = 32;

std::string moduleName(const ObjectName& name) {
    const auto& p = name.parts;
    if (p.size() == 1 || (p.size() == 2 && foldName(p[0].name) == "DBO"))
        return p.back().name;
    refuse("names with a database or a schema other than dbo (" + name.toString() + ")");
}

const ModuleHeader& headerOf(const Stmt& s) {
    switch (s.kind) {
    case StmtKind::CreateView:
        return s.as<CreateViewStmt>().header;
    case StmtKind::CreateProcedure:
        return s.as<CreateProcedureStmt>().header;
    default:
        return s.as<CreateFunctionStmt>().header;
    }
}

// Runs `body` with `frame` as the innermost frame; the frame is left however the body ends.
template <class F>
void inFrame(std::vector<std::unique_ptr<Frame>>& frames, std::unique_ptr<Frame> frame, F&& body) {
    if (frames.size() >= kMaxNesting)
        throw SqlError(
            217, 16, 1,
            "Maximum stored procedure, function, trigger, or view nesting level exceeded (limit 32).");
    frames.push_back(std::move(frame));
    struct Pop {
        std::vector<std::unique_ptr<Frame>>& frames;
        ~Pop() { frames.pop_back(); }
    } pop{frames};
    body(*frames.back());
}

} // namespace

void Executor::createModule(const Stmt& s) {
    const ModuleHeader& h = headerOf(s);
    if (s.kind == StmtKind::CreateView) {
        createView(s.as<CreateViewStmt>(), frame().source->batch, catalog_, h.alter);
        return;
    }
    if (s.kind == StmtKind::CreateFunction && s.as<CreateFunctionStmt>().functionKind != FunctionKind::Scalar)
        refuse("table-valued functions");
    const std::string name = moduleName(h.name);
    const std::string type = s.kind == StmtKind::CreateProcedure ? "P" : "FN";
    std::string text = frame().source->batch.text;
    Catalog& c = catalog_.main();
    const auto existing = c.findModule(name);
    if (h.alter || h.createOrAlter) {
        if (h.alter && (!existing || existing->type != type))
            throw SqlError(208, 16, 6, "Invalid object name '" + name + "'.");
        // The stored text reads CREATE where the statement said ALTER, as the server keeps it.
        if (h.alter)
            text = text.substr(0, s.range.begin) + "CREATE" + text.substr(s.range.begin + 5);
        if (existing) {
            c.alterModule({name, type, text});
            return;
        }
    }
    c.createModule({name, type, text});
}

std::shared_ptr<const ParsedCode> Executor::module(const std::string& name, const std::string& type) {
    const auto m = catalog_.main().findModule(name);
    if (!m || m->type != type)
        return nullptr;
    auto& cached = modules_[m->definition];
    if (cached)
        return cached;
    auto parsed = std::make_shared<ParsedCode>();
    parsed->batch = parseBatch(m->definition);
    if (parsed->batch.statements.size() != 1)
        throw SqlError(50903, 16, 1, "The stored text of '" + name + "' is not one CREATE statement.");
    const Stmt& s = *parsed->batch.statements[0];
    if (s.kind == StmtKind::CreateProcedure)
        parsed->statements = &s.as<CreateProcedureStmt>().body;
    else if (s.kind == StmtKind::CreateFunction)
        parsed->statements = &s.as<CreateFunctionStmt>().body;
    else
        throw SqlError(50903, 16, 1, "The stored text of '" + name + "' is not a procedure or function.");
    parsed->name = m->name;
    parsed->inModule = true;
    cached = parsed;
    return parsed;
}

namespace {

const std::vector<ParameterDecl>& parametersOf(const ParsedCode& code) {
    const Stmt& s = *code.batch.statements[0];
    return s.kind == StmtKind::CreateProcedure ? s.as<CreateProcedureStmt>().parameters
                                               : s.as<CreateFunctionStmt>().parameters;
}

// A parameter's default: a constant (or NULL) evaluated on its own.
Value parameterDefault(const ParameterDecl& p, const DataType& type, const CatalogReader& catalog) {
    VariableScope none;
    Binder binder(catalog, none);
    BoundExprPtr e = binder.scalar(*p.defaultValue);
    if (e->kind != BoundKind::Constant)
        refuse("parameter defaults that are not constants");
    return e->constant.isNull() ? Value::null(type) : convert(e->constant, type, ConversionMode::Assign);
}

} // namespace

void Executor::execProcedure(const ExecProcedureStmt& s, CompiledStatement& c) {
    const std::string name = moduleName(s.procedure);
    const std::string folded = foldName(name);
    if (folded.starts_with("SP_")) {
        execSystemProcedure(folded, s, c);
        return;
    }
    const auto code = module(name, "P");
    if (!code)
        throw SqlError(2812, 16, 62, "Could not find stored procedure '" + name + "'.");
    const auto& params = parametersOf(*code);

    // The arguments, evaluated in the caller's frame, matched to parameters by position, then by name.
    std::vector<std::optional<Value>> given(params.size());
    std::vector<int> outputTo(params.size(), -1);
    std::size_t position = 0;
    bool named = false;
    for (std::size_t a = 0; a < c.exprs.size(); ++a) {
        std::size_t p = params.size();
        if (c.argumentNames[a].empty()) {
            if (named)
                throw SqlError(
                    119, 15, 1,
                    "Must pass parameter number " + std::to_string(a + 1) +
                        " and subsequent parameters as '@name = value'. After the form '@name = value' has "
                        "been used, all subsequent parameters must be passed in the form '@name = value'.");
            p = position++;
            if (p >= params.size())
                throw SqlError(8144, 16, 2,
                               "Procedure or function " + name + " has too many arguments specified.");
        } else {
            named = true;
            for (std::size_t i = 0; i < params.size(); ++i)
                if (foldName(params[i].name) == foldName(c.argumentNames[a]))
                    p = i;
            if (p == params.size())
                throw SqlError(8145, 16, 2,
                               c.argumentNames[a] + " is not a parameter for procedure " + name + ".");
        }
        if (c.exprs[a])
            given[p] = value(*c.exprs[a], c, a);
        if (c.argumentOutput[a]) {
            if (!params[p].output)
                throw SqlError(
                    8162, 16, 2,
                    "The formal parameter \"" + params[p].name +
                        "\" was not declared as an OUTPUT parameter, but the actual parameter passed in "
                        "requested output.");
            outputTo[p] = c.slots[a + 1];
        }
    }

    auto f = makeFrame(code);
    for (std::size_t i = 0; i < params.size(); ++i) {
        const DataType type = resolveType(params[i].type, LengthDefault::Declaration);
        f->scope.declare(params[i].name, type);
        Value v = Value::null(type);
        if (given[i])
            v = given[i]->isNull() ? Value::null(type) : convert(*given[i], type, ConversionMode::Assign);
        else if (params[i].defaultValue)
            v = parameterDefault(params[i], type, catalog_);
        else if (outputTo[i] < 0)
            throw SqlError(201, 16, 4,
                           "Procedure or function '" + name + "' expects parameter '" + params[i].name +
                               "', which was not supplied.");
        f->variables.push_back(v);
    }
    const int tranCountBefore = tranCount_;
    std::vector<Value> outputs(params.size());
    std::optional<Value> status;
    const std::size_t reportedBefore = result_->items.size();
    inFrame(frames_, std::move(f), [&](Frame& callee) {
        struct Leave {
            Executor& e;
            Frame& f;
            ~Leave() { e.leaveFrame(f); }
        } leave{*this, callee};
        bindAll(callee);
        for (std::size_t i = callee.variables.size(); i < callee.scope.all().size(); ++i)
            callee.variables.push_back(Value::null(callee.scope.all()[i].type));
        runFrame(callee);
        for (std::size_t i = 0; i < params.size(); ++i)
            outputs[i] = callee.variables[i];
        status = callee.returnValue;
    });
    // @@ERROR after EXEC is the last error the procedure raised, if it raised one.
    int lastError = 0;
    for (std::size_t i = reportedBefore; i < result_->items.size(); ++i)
        if (const auto* m = std::get_if<Message>(&result_->items[i]); m && m->isError())
            lastError = m->number;
    for (std::size_t i = 0; i < params.size(); ++i)
        if (outputTo[i] >= 0)
            assign(outputTo[i], outputs[i]);
    if (c.slots[0] >= 0)
        assign(c.slots[0], status ? *status : Value::integer(0));
    lastError_ = lastError;
    if (tranCount_ != tranCountBefore && tranCount_ > 0)
        throw SqlError(266, 16, 2,
                       "Transaction count after EXECUTE indicates a mismatching number of BEGIN and COMMIT "
                       "statements. Previous count = " +
                           std::to_string(tranCountBefore) +
                           ", current count = " + std::to_string(tranCount_) + ".");
}

void Executor::execString(const std::string& text, const std::vector<VariableDecl>* parameters,
                          const std::vector<Value>& arguments, const std::vector<int>& outputSlots,
                          const std::vector<int>& outputParameters) {
    auto parsed = std::make_shared<ParsedCode>();
    try {
        parsed->batch = parseBatch(text);
    } catch (const SyntaxError& e) {
        throw SqlError(e.number(), e.severity(), e.state(), e.message(), static_cast<int>(e.line()));
    }
    parsed->statements = &parsed->batch.statements;
    auto f = makeFrame(parsed);
    if (parameters)
        for (std::size_t i = 0; i < parameters->size(); ++i) {
            const DataType type = resolveType((*parameters)[i].type, LengthDefault::Declaration);
            f->scope.declare((*parameters)[i].name, type);
            const Value& v = arguments[i];
            f->variables.push_back(v.isNull() ? Value::null(type) : convert(v, type, ConversionMode::Assign));
        }
    std::vector<Value> outputs;
    inFrame(frames_, std::move(f), [&](Frame& dynamic) {
        struct Leave {
            Executor& e;
            Frame& f;
            ~Leave() { e.leaveFrame(f); }
        } leave{*this, dynamic};
        bindAll(dynamic);
        for (std::size_t i = dynamic.variables.size(); i < dynamic.scope.all().size(); ++i)
            dynamic.variables.push_back(Value::null(dynamic.scope.all()[i].type));
        runFrame(dynamic);
        for (int p : outputParameters)
            outputs.push_back(dynamic.variables[static_cast<std::size_t>(p)]);
    });
    for (std::size_t i = 0; i < outputSlots.size(); ++i)
        assign(outputSlots[i], outputs[i]);
}

void Executor::execSystemProcedure(const std::string& name, const ExecProcedureStmt& s,
                                   CompiledStatement& c) {
    if (name == "SP_RENAME") { // @objname, @newname, @objtype: indexes only ('t.i', 'j', 'INDEX')
        std::vector<std::string> args;
        for (std::size_t i = 0; i < c.exprs.size(); ++i) {
            const Value v = c.exprs[i] ? value(*c.exprs[i], c, i) : Value();
            args.push_back(v.isNull() ? "" : convert(v, DataType::nvarchar(DataType::kMax)).asText());
        }
        if (args.size() < 3 || foldName(args[2]) != "INDEX")
            refuse("sp_rename of anything but an index");
        database_->execute("SAVEPOINT tsql_rename");
        try {
            renameIndex(args[0], args[1], catalog_);
        } catch (...) {
            database_->execute("ROLLBACK TO tsql_rename");
            database_->execute("RELEASE tsql_rename");
            throw;
        }
        database_->execute("RELEASE tsql_rename");
        for (CompiledStatement& other : frame().compiled) // they name the index as it was
            if (&other != &c)
                other = CompiledStatement{};
        return;
    }
    if (name != "SP_EXECUTESQL")
        refuse("the system procedure " + moduleName(s.procedure));
    if (c.exprs.empty() || !c.exprs[0])
        throw SqlError(
            201, 16, 4,
            "Procedure or function 'sp_executesql' expects parameter '@statement', which was not supplied.");
    const Value statement = value(*c.exprs[0], c, 0);
    const std::string text =
        statement.isNull() ? "" : convert(statement, DataType::nvarchar(DataType::kMax)).asText();
    if (c.exprs.size() == 1) {
        execString(text, nullptr, {}, {}, {});
        return;
    }
    // The second argument declares the parameters: read as a DECLARE of the same list.
    const Value definition = value(*c.exprs[1], c, 1);
    // OUTPUT marks are not part of a DECLARE: they are dropped before it is read.
    std::string list =
        definition.isNull() ? "" : convert(definition, DataType::nvarchar(DataType::kMax)).asText();
    for (const char* mark : {"OUTPUT", "OUT"}) {
        const std::string word(mark);
        for (std::size_t at = 0; (at = foldName(list).find(word, at)) != std::string::npos;) {
            const bool startsWord = at == 0 || !std::isalnum(static_cast<unsigned char>(list[at - 1]));
            const std::size_t end = at + word.size();
            const bool endsWord = end >= list.size() ||
                                  !(std::isalnum(static_cast<unsigned char>(list[end])) || list[end] == '_');
            if (startsWord && endsWord)
                list.erase(at, word.size());
            else
                at = end;
        }
    }
    const Batch declared = parseBatch("DECLARE " + list);
    if (declared.statements.size() != 1 || declared.statements[0]->kind != StmtKind::DeclareVariables)
        throw SqlError(102, 15, 1, "Incorrect syntax near the parameter definitions of sp_executesql.");
    const auto& decls = declared.statements[0]->as<DeclareVariablesStmt>().variables;
    std::vector<Value> arguments(decls.size());
    std::vector<int> outputSlots, outputParameters;
    std::size_t position = 0;
    for (std::size_t a = 2; a < c.exprs.size(); ++a) {
        std::size_t p = decls.size();
        if (c.argumentNames[a].empty()) {
            p = position++;
        } else {
            for (std::size_t i = 0; i < decls.size(); ++i)
                if (foldName(decls[i].name) == foldName(c.argumentNames[a]))
                    p = i;
        }
        if (p >= decls.size())
            throw SqlError(
                8145, 16, 2,
                (c.argumentNames[a].empty() ? "argument " + std::to_string(a + 1) : c.argumentNames[a]) +
                    " is not a parameter for procedure sp_executesql.");
        if (c.exprs[a])
            arguments[p] = value(*c.exprs[a], c, a);
        if (c.argumentOutput[a]) {
            outputSlots.push_back(c.slots[a + 1]);
            outputParameters.push_back(static_cast<int>(p));
        }
    }
    execString(text, &decls, arguments, outputSlots, outputParameters);
}

// Cursors --------------------------------------------------------------------------------------

Executor::Cursor& Executor::cursor(const Identifier& name) {
    const std::string folded = foldName(name.name);
    auto it = cursors_.find("L" + std::to_string(frames_.size() - 1) + ":" + folded);
    if (it == cursors_.end())
        it = cursors_.find("G:" + folded);
    if (it == cursors_.end())
        throw SqlError(16916, 16, 1, "A cursor with the name '" + name.name + "' does not exist.");
    return it->second;
}

void Executor::declareCursor(const DeclareCursorStmt& s, CompiledStatement& c) {
    bool local = false, scroll = false;
    for (const auto& o : s.options) {
        local = local || o == "LOCAL";
        scroll = scroll || o == "SCROLL" || o == "STATIC" || o == "INSENSITIVE" || o == "KEYSET";
    }
    const std::string key =
        (local ? "L" + std::to_string(frames_.size() - 1) + ":" : std::string("G:")) + foldName(s.name.name);
    if (cursors_.count(key))
        throw SqlError(16915, 16, 1, "A cursor with the name '" + s.name.name + "' already exists.");
    Cursor k;
    k.query = c.query;
    k.source = frame().source;
    k.scroll = scroll;
    cursors_.emplace(key, std::move(k));
}

void Executor::fetch(const FetchStmt& s) {
    Cursor& k = cursor(s.cursor);
    if (!k.open)
        throw SqlError(16917, 16, 1, "Cursor is not open.");
    const std::int64_t count = static_cast<std::int64_t>(k.rows.size());
    std::int64_t next = static_cast<std::int64_t>(k.position);
    CompiledStatement& c = frame().compiled[frame().pc];
    const auto amount = [&] {
        const Value v = value(*Binder(catalog_, frame().scope).scalar(*s.rowNumber), c, 0);
        return v.isNull() ? 0 : convert(v, DataType::of(TypeId::BigInt)).asInt64();
    };
    switch (s.direction) {
    case FetchDirection::Next:
        ++next;
        break;
    case FetchDirection::Prior:
        --next;
        break;
    case FetchDirection::First:
        next = 1;
        break;
    case FetchDirection::Last:
        next = count;
        break;
    case FetchDirection::Absolute: {
        const std::int64_t n = amount();
        next = n >= 0 ? n : count + 1 + n;
        break;
    }
    case FetchDirection::Relative:
        next += amount();
        break;
    }
    if (s.direction != FetchDirection::Next && !k.scroll)
        throw SqlError(
            16911, 16, 1,
            "fetch: The fetch type " +
                std::string(s.direction == FetchDirection::Prior ? "prior" : "first/last/absolute/relative") +
                " cannot be used with forward only cursors.");
    if (!s.into.empty() && s.into.size() != k.query->columns.size())
        throw SqlError(
            16924, 16, 1,
            "Cursorfetch: The number of variables declared in the INTO list must match that of selected "
            "columns.");
    if (next < 1 || next > count) {
        k.position = next < 1 ? 0 : static_cast<std::size_t>(count + 1);
        fetchStatus_ = -1;
        lastRowCount_ = 0;
        return;
    }
    k.position = static_cast<std::size_t>(next);
    const auto& row = k.rows[k.position - 1];
    fetchStatus_ = 0;
    lastRowCount_ = 1;
    if (s.into.empty()) {
        ResultSet set;
        for (const auto& col : k.query->columns)
            set.columns.push_back({col.name, col.type});
        set.rows.push_back(row);
        result_->items.emplace_back(std::move(set));
        return;
    }
    for (std::size_t i = 0; i < row.size(); ++i)
        assign(c.slots[i], row[i]);
}

Value Executor::callFunction(const std::string& name, const std::vector<Value>& args) {
    const auto code = module(name, "FN");
    if (!code)
        throw SqlError(4121, 16, 1,
                       "Cannot find either column \"dbo\" or the user-defined function or aggregate \"dbo." +
                           name + "\", or the name is ambiguous.");
    const auto& fn = code->batch.statements[0]->as<CreateFunctionStmt>();
    auto f = makeFrame(code);
    for (std::size_t i = 0; i < fn.parameters.size(); ++i) {
        const DataType type = resolveType(fn.parameters[i].type, LengthDefault::Declaration);
        f->scope.declare(fn.parameters[i].name, type);
        const Value v = i < args.size() ? args[i] : Value::null(type);
        f->variables.push_back(v.isNull() ? Value::null(type) : convert(v, type, ConversionMode::Assign));
    }
    const DataType result = resolveType(fn.returnType, LengthDefault::Declaration);
    Value out = Value::null(result);
    // A function's statements neither report row counts nor change @@ROWCOUNT for the caller.
    const std::int64_t rowCount = lastRowCount_;
    const bool noCount = noCount_;
    noCount_ = true;
    inFrame(frames_, std::move(f), [&](Frame& callee) {
        bindAll(callee);
        for (std::size_t i = callee.variables.size(); i < callee.scope.all().size(); ++i)
            callee.variables.push_back(Value::null(callee.scope.all()[i].type));
        runFrame(callee);
        if (callee.returnValue && !callee.returnValue->isNull())
            out = convert(*callee.returnValue, result, ConversionMode::Assign);
    });
    noCount_ = noCount;
    lastRowCount_ = rowCount;
    return out;
}

} // namespace tsql
