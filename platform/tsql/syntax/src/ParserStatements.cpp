// Statements other than definitions: DML, variables, control flow, cursors, transactions, EXEC.

#include "ParserImpl.h"

#include "tsql/syntax/Keywords.h"
#include "tsql/syntax/SyntaxError.h"

#include <array>
#include <utility>

namespace tsql::detail {
namespace {

template <class T> std::unique_ptr<T> stmt() {
    return std::make_unique<T>();
}

struct AssignOperator {
    std::string_view text;
    AssignOp op;
};

constexpr std::array<AssignOperator, 9> kAssignOperators = {{
    {"=", AssignOp::Assign},
    {"+=", AssignOp::Add},
    {"-=", AssignOp::Subtract},
    {"*=", AssignOp::Multiply},
    {"/=", AssignOp::Divide},
    {"%=", AssignOp::Modulo},
    {"&=", AssignOp::BitAnd},
    {"|=", AssignOp::BitOr},
    {"^=", AssignOp::BitXor},
}};

// Statements SQL Server has that this engine does not run; refused by name.
constexpr std::array<std::string_view, 16> kUnsupportedStatements = {
    "WAITFOR",  "BULK",     "DBCC",      "KILL",       "BACKUP", "RESTORE", "CHECKPOINT", "RECONFIGURE",
    "SHUTDOWN", "READTEXT", "WRITETEXT", "UPDATETEXT", "REVERT", "SETUSER", "DUMP",       "LOAD",
};

} // namespace

bool Parser::isAssignOp(std::size_t ahead) const noexcept {
    return findOperator(kAssignOperators, peek(ahead)) != nullptr;
}

AssignOp Parser::parseAssignOp() {
    const AssignOperator* op = findOperator(kAssignOperators, peek());
    if (!op)
        fail();
    const Token& token = advance();
    if (op->op != AssignOp::Assign)
        requireLevel(100, token); // compound assignment came with SQL Server 2008
    return op->op;
}

// A cursor's or transaction's name, or a @variable holding it.
Identifier Parser::parseNameOrVariable() {
    if (peek().kind != TokenKind::Variable)
        return parseIdentifier();
    const Token& var = advance();
    Identifier id;
    id.name = std::string(var.text);
    id.pos = var.pos;
    return id;
}

StmtList Parser::parseStatementList(bool stopAtEnd) {
    StmtList list;
    bool terminated = true;
    for (;;) {
        if (acceptOp(";")) {
            terminated = true;
            continue;
        }
        if (atEnd() || (stopAtEnd && isWord("END")))
            return list;
        if (isWord("WITH") && !terminated)
            throw syntax_error::previousStatementSemicolon(line(), peek().text);
        list.push_back(parseStatement());
        terminated = false;
    }
}

StmtPtr Parser::parseStatement() {
    DepthGuard guard(*this);
    const Token& first = peek();
    switch (first.kind) {
    case TokenKind::Word:
        return parseWordStatement();
    case TokenKind::Operator:
        if (first.isOperator("("))
            return parseSelectStatement();
        fail();
    default:
        fail();
    }
}

StmtPtr Parser::parseWordStatement() {
    const Token& first = peek();
    if (isLabelAhead()) {
        auto label = std::make_unique<LabelStmt>(StmtKind::Label);
        label->label = parseIdentifier();
        advance(); // :
        for (const auto& known : labels_)
            if (equalsIgnoreCase(known.name, label->label.name))
                throw syntax_error::duplicateLabel(first.pos.line, label->label.name);
        labels_.push_back({label->label.name, first.pos.line});
        finish(*label, first);
        return label;
    }
    if (isWord("SELECT"))
        return parseSelectStatement();
    if (isWord("WITH"))
        return parseWithStatement();
    if (isWord("INSERT"))
        return parseInsert({}, first);
    if (isWord("UPDATE"))
        return parseUpdate({}, first);
    if (isWord("DELETE"))
        return parseDelete({}, first);
    if (isWord("MERGE")) {
        requireLevel(100, first);
        return parseMerge({}, first);
    }
    if (isWord("TRUNCATE")) {
        advance();
        expectWord("TABLE");
        auto s = stmt<TruncateStmt>();
        s->table = parseObjectName();
        finish(*s, first);
        return s;
    }
    if (isWord("DECLARE"))
        return parseDeclare();
    if (isWord("SET"))
        return parseSet();
    if (isWord("IF"))
        return parseIf();
    if (isWord("WHILE"))
        return parseWhile();
    if (isWord("BEGIN"))
        return parseBegin();
    if (isWord("BREAK") || isWord("CONTINUE")) {
        auto s = std::make_unique<SimpleStmt>(isWord("BREAK") ? StmtKind::Break : StmtKind::Continue);
        advance();
        finish(*s, first);
        return s;
    }
    if (isWord("GOTO")) {
        advance();
        auto s = std::make_unique<LabelStmt>(StmtKind::Goto);
        s->label = parseIdentifier();
        gotos_.push_back({s->label.name, first.pos.line});
        finish(*s, first);
        return s;
    }
    if (isWord("RETURN"))
        return parseReturn();
    if (isWord("PRINT")) {
        advance();
        auto s = stmt<PrintStmt>();
        s->value = parseScalar();
        finish(*s, first);
        return s;
    }
    if (isWord("RAISERROR"))
        return parseRaiserror();
    if (isWord("THROW")) {
        requireLevel(110, first);
        return parseThrow();
    }
    if (isWord("EXEC") || isWord("EXECUTE"))
        return parseExec();
    if (isWord("COMMIT"))
        return parseTransactionEnd(TransactionOp::Commit);
    if (isWord("ROLLBACK"))
        return parseTransactionEnd(TransactionOp::Rollback);
    if (isWord("SAVE"))
        return parseTransactionEnd(TransactionOp::Save);
    if (isWord("OPEN"))
        return parseCursorStatement(StmtKind::OpenCursor);
    if (isWord("CLOSE"))
        return parseCursorStatement(StmtKind::CloseCursor);
    if (isWord("DEALLOCATE"))
        return parseCursorStatement(StmtKind::DeallocateCursor);
    if (isWord("FETCH"))
        return parseFetch();
    if (isWord("USE")) {
        advance();
        auto s = stmt<UseStmt>();
        s->database = parseIdentifier();
        finish(*s, first);
        return s;
    }
    if (isWord("CREATE") || isWord("ALTER"))
        return parseCreateOrAlter();
    if (isWord("DROP"))
        return parseDrop();
    if (isWord("GRANT"))
        return parsePermission(PermissionOp::Grant);
    if (isWord("DENY"))
        return parsePermission(PermissionOp::Deny);
    if (isWord("REVOKE"))
        return parsePermission(PermissionOp::Revoke);
    if ((isWord("ENABLE") || isWord("DISABLE")) && isWord("TRIGGER", 1)) {
        const bool enable = isWord("ENABLE");
        advance();
        return parseEnableTrigger(first, enable);
    }
    for (std::string_view word : kUnsupportedStatements)
        if (isWord(word))
            unsupported(first.text);
    // A procedure named without EXEC, allowed as the first statement of a batch.
    if (!first.reserved && topLevelStatements_ == 0 && !inModuleOrNested_ && depth_ == 1)
        return std::unique_ptr<Stmt>(parseExecProcedure(first).release());
    failAt(first);
}

StmtPtr Parser::parseSelectStatement() {
    const Token& first = peek();
    auto s = stmt<SelectStmt>();
    s->query = parseQuery();
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseWithStatement() {
    const Token& first = peek();
    const std::size_t begin = first.pos.offset;
    std::vector<CommonTableExpr> ctes = parseCtes();
    if (isWord("SELECT") || isOp("(")) {
        auto s = stmt<SelectStmt>();
        s->query = parseQueryAfterCtes(std::move(ctes), begin);
        finish(*s, first);
        return s;
    }
    if (isWord("INSERT"))
        return parseInsert(std::move(ctes), first);
    if (isWord("UPDATE"))
        return parseUpdate(std::move(ctes), first);
    if (isWord("DELETE"))
        return parseDelete(std::move(ctes), first);
    if (isWord("MERGE"))
        return parseMerge(std::move(ctes), first);
    fail();
}

DmlTarget Parser::parseDmlTarget() {
    DmlTarget target;
    target.pos = peek().pos;
    if (peek().kind == TokenKind::Variable)
        target.variable = std::string(advance().text);
    else
        target.name = parseObjectName();
    target.hints = parseTableHints();
    return target;
}

StmtPtr Parser::parseInsert(std::vector<CommonTableExpr> ctes, const Token& first) {
    expectWord("INSERT");
    auto s = stmt<InsertStmt>();
    s->ctes = std::move(ctes);
    s->top = parseTop(false);
    acceptWord("INTO");
    s->target = parseDmlTarget();
    if (isOp("(") && !startsQuery(1))
        s->columns = parseIdentifierList();
    refuseOutputAndOption();
    if (isWord("VALUES")) {
        s->sourceKind = InsertSourceKind::Values;
        s->rows = parseValuesRows();
    } else if (isWord("DEFAULT")) {
        advance();
        expectWord("VALUES");
        s->sourceKind = InsertSourceKind::DefaultValues;
    } else if (isWord("EXEC") || isWord("EXECUTE")) {
        s->sourceKind = InsertSourceKind::Exec;
        const Token& execToken = advance();
        if (isOp("("))
            unsupported("INSERT ... EXEC (string)");
        s->exec = parseExecProcedure(execToken);
    } else if (startsQuery() || isOp("(")) {
        s->sourceKind = InsertSourceKind::Query;
        s->query = parseQuery();
    } else {
        fail();
    }
    finish(*s, first);
    return s;
}

std::vector<SetClause> Parser::parseSetClauses() {
    expectWord("SET");
    std::vector<SetClause> sets;
    do {
        SetClause clause;
        clause.pos = peek().pos;
        if (peek().kind == TokenKind::Variable) {
            clause.variable = std::string(advance().text);
            clause.op = parseAssignOp();
            // SET @v = col = expr
            if (clause.op == AssignOp::Assign && isIdentifier() && isOp("=", 1)) {
                clause.column = parseObjectName();
                advance();
            }
        } else {
            clause.column = parseObjectName();
            if (isOp(".") || isOp("("))
                unsupported("column methods in SET");
            clause.op = parseAssignOp();
        }
        if (isWord("DEFAULT") && clause.variable.empty()) {
            const Token& token = advance();
            auto d = std::make_unique<DefaultExpr>();
            d->pos = token.pos;
            finish(*d, token.pos.offset);
            clause.value = std::move(d);
        } else {
            clause.value = parseScalar();
        }
        sets.push_back(std::move(clause));
    } while (acceptOp(","));
    return sets;
}

void Parser::refuseOutputAndOption() const {
    if (isWord("OUTPUT"))
        unsupported("OUTPUT clause");
    if (isWord("OPTION"))
        unsupported("OPTION (query hints)");
}

// [FROM sources] [WHERE condition | WHERE CURRENT OF cursor] of UPDATE and DELETE.
void Parser::parseDmlTail(std::vector<TableSourcePtr>& from, ExprPtr& where, std::string& currentOf) {
    refuseOutputAndOption();
    if (acceptWord("FROM"))
        from = parseFromList();
    if (acceptWord("WHERE"))
        parseWhereBody(where, currentOf);
    refuseOutputAndOption();
}

void Parser::parseWhereBody(ExprPtr& where, std::string& currentOf) {
    if (isWord("CURRENT") && isWord("OF", 1)) {
        advance();
        advance();
        acceptWord("GLOBAL");
        currentOf = parseNameOrVariable().name;
        return;
    }
    where = parseCondition();
}

StmtPtr Parser::parseUpdate(std::vector<CommonTableExpr> ctes, const Token& first) {
    expectWord("UPDATE");
    auto s = stmt<UpdateStmt>();
    s->ctes = std::move(ctes);
    s->top = parseTop(false);
    s->target = parseDmlTarget();
    s->sets = parseSetClauses();
    parseDmlTail(s->from, s->where, s->currentOf);
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseDelete(std::vector<CommonTableExpr> ctes, const Token& first) {
    expectWord("DELETE");
    auto s = stmt<DeleteStmt>();
    s->ctes = std::move(ctes);
    s->top = parseTop(false);
    acceptWord("FROM");
    s->target = parseDmlTarget();
    parseDmlTail(s->from, s->where, s->currentOf);
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseMerge(std::vector<CommonTableExpr> ctes, const Token& first) {
    expectWord("MERGE");
    auto s = stmt<MergeStmt>();
    s->ctes = std::move(ctes);
    s->top = parseTop(false);
    acceptWord("INTO");
    s->target = parseDmlTarget();
    if (acceptWord("AS"))
        s->alias = parseIdentifier();
    else if (isIdentifier() && !isWord("USING"))
        s->alias = parseIdentifier();
    expectWord("USING");
    s->source = parseTableSource();
    expectWord("ON");
    s->on = parseCondition();
    while (isWord("WHEN")) {
        MergeClause clause;
        clause.pos = advance().pos;
        if (acceptWord("MATCHED")) {
            clause.match = MergeMatch::Matched;
        } else {
            expectWord("NOT");
            expectWord("MATCHED");
            clause.match = MergeMatch::NotMatchedByTarget;
            if (acceptWord("BY")) {
                if (acceptWord("SOURCE"))
                    clause.match = MergeMatch::NotMatchedBySource;
                else
                    expectWord("TARGET");
            }
        }
        if (acceptWord("AND"))
            clause.condition = parseCondition();
        expectWord("THEN");
        if (clause.match == MergeMatch::NotMatchedByTarget) {
            expectWord("INSERT");
            clause.action = MergeAction::Insert;
            if (isOp("("))
                clause.columns = parseIdentifierList();
            if (acceptWord("DEFAULT")) {
                expectWord("VALUES");
                clause.defaultValues = true;
            } else {
                expectWord("VALUES");
                clause.values = parseExpressionList();
            }
        } else if (isWord("UPDATE")) {
            advance();
            clause.action = MergeAction::Update;
            clause.sets = parseSetClauses();
        } else {
            expectWord("DELETE");
            clause.action = MergeAction::Delete;
        }
        s->clauses.push_back(std::move(clause));
    }
    if (s->clauses.empty())
        fail();
    refuseOutputAndOption();
    finish(*s, first);
    if (!isOp(";"))
        throw syntax_error::mergeSemicolon(line());
    return s;
}

StmtPtr Parser::parseDeclare() {
    const Token& first = expectWord("DECLARE");
    if (peek().kind != TokenKind::Variable)
        return parseDeclareCursor(first);
    if ((isWord("TABLE", 1)) || (isWord("AS", 1) && isWord("TABLE", 2))) {
        auto s = stmt<DeclareTableStmt>();
        s->name = std::string(advance().text);
        acceptWord("AS");
        expectWord("TABLE");
        s->definition = parseTableDefinition();
        finish(*s, first);
        return s;
    }
    auto s = stmt<DeclareVariablesStmt>();
    do {
        VariableDecl decl;
        decl.pos = peek().pos;
        if (peek().kind != TokenKind::Variable)
            fail();
        decl.name = std::string(advance().text);
        acceptWord("AS");
        if (isWord("CURSOR"))
            unsupported("cursor variables");
        if (isWord("TABLE"))
            fail();
        decl.type = parseTypeName();
        if (isOp("=")) {
            requireLevel(100, peek());
            advance();
            decl.initializer = parseScalar();
        }
        s->variables.push_back(std::move(decl));
    } while (acceptOp(","));
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseDeclareCursor(const Token& first) {
    auto s = stmt<DeclareCursorStmt>();
    s->name = parseIdentifier();
    // ISO form: DECLARE c [INSENSITIVE] [SCROLL] CURSOR FOR ...
    while (isWord("INSENSITIVE") || isWord("SCROLL"))
        s->options.push_back(parseUpperWord());
    expectWord("CURSOR");
    static constexpr std::string_view kOptions[] = {
        "LOCAL",   "GLOBAL",       "FORWARD_ONLY", "SCROLL",       "STATIC",     "KEYSET",
        "DYNAMIC", "FAST_FORWARD", "READ_ONLY",    "SCROLL_LOCKS", "OPTIMISTIC", "TYPE_WARNING",
    };
    for (bool more = true; more;) {
        more = false;
        for (std::string_view option : kOptions) {
            if (isWord(option)) {
                s->options.push_back(parseUpperWord());
                more = true;
                break;
            }
        }
    }
    expectWord("FOR");
    if (!startsQuery() && !isOp("("))
        fail();
    s->query = parseQuery();
    if (isWord("FOR")) {
        advance();
        if (acceptWord("READ")) {
            expectWord("ONLY");
            s->options.emplace_back("READ_ONLY");
        } else {
            expectWord("UPDATE");
            s->forUpdate = true;
            if (acceptWord("OF")) {
                do {
                    s->updateColumns.push_back(parseIdentifier());
                } while (acceptOp(","));
            }
        }
    }
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseSet() {
    const Token& first = expectWord("SET");
    if (peek().kind != TokenKind::Variable)
        return parseSetOption(first);
    auto s = stmt<SetVariableStmt>();
    s->variable = std::string(advance().text);
    s->op = parseAssignOp();
    if (isWord("CURSOR"))
        unsupported("cursor variables");
    s->value = parseScalar();
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseSetOption(const Token& first) {
    auto s = stmt<SetOptionStmt>();
    auto parseValue = [&]() {
        const Token& token = peek();
        switch (token.kind) {
        case TokenKind::Word:
            s->value = parseUpperWord();
            break;
        case TokenKind::Variable:
        case TokenKind::String:
        case TokenKind::NString:
        case TokenKind::Integer:
        case TokenKind::Binary:
            s->argument = parsePrefix();
            break;
        case TokenKind::Operator:
            if (token.isOperator("-")) {
                s->argument = parsePrefix();
                break;
            }
            fail();
        default:
            fail();
        }
    };
    if (isWord("TRANSACTION")) {
        advance();
        s->options.emplace_back("TRANSACTION ISOLATION LEVEL");
        expectWord("ISOLATION");
        expectWord("LEVEL");
        std::string level = parseUpperWord();
        if (level == "READ" || level == "REPEATABLE") {
            level += " " + parseUpperWord();
        }
        if (level != "READ UNCOMMITTED" && level != "READ COMMITTED" && level != "REPEATABLE READ" &&
            level != "SNAPSHOT" && level != "SERIALIZABLE")
            failAt(tokens_[at_ - 1]);
        s->value = std::move(level);
        finish(*s, first);
        return s;
    }
    if (isWord("IDENTITY_INSERT")) {
        s->options.push_back(parseUpperWord());
        s->table = parseObjectName();
        if (!isWord("ON") && !isWord("OFF"))
            fail();
        s->value = parseUpperWord();
        finish(*s, first);
        return s;
    }
    if (isWord("STATISTICS")) {
        s->options.push_back(parseUpperWord());
        do {
            s->options.push_back(parseUpperWord());
        } while (acceptOp(","));
        if (!isWord("ON") && !isWord("OFF"))
            fail();
        s->value = parseUpperWord();
        finish(*s, first);
        return s;
    }
    do {
        if (peek().kind != TokenKind::Word)
            fail();
        s->options.push_back(parseUpperWord());
    } while (acceptOp(","));
    parseValue();
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseIf() {
    const Token& first = expectWord("IF");
    auto s = stmt<IfStmt>();
    s->condition = parseCondition();
    const bool outer = inModuleOrNested_;
    inModuleOrNested_ = true;
    s->thenBranch = parseStatement();
    if (acceptWord("ELSE"))
        s->elseBranch = parseStatement();
    inModuleOrNested_ = outer;
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseWhile() {
    const Token& first = expectWord("WHILE");
    auto s = stmt<WhileStmt>();
    s->condition = parseCondition();
    const bool outer = inModuleOrNested_;
    inModuleOrNested_ = true;
    s->body = parseStatement();
    inModuleOrNested_ = outer;
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseBegin() {
    const Token& first = expectWord("BEGIN");
    if (isWord("TRAN") || isWord("TRANSACTION") || isWord("DISTRIBUTED")) {
        auto s = stmt<TransactionStmt>();
        s->op = TransactionOp::Begin;
        s->distributed = acceptWord("DISTRIBUTED");
        if (!acceptWord("TRAN"))
            expectWord("TRANSACTION");
        if (peek().kind == TokenKind::Variable || (isIdentifier() && !isLabelAhead()))
            s->name = parseNameOrVariable().name;
        if (isWord("WITH") && isWord("MARK", 1))
            unsupported("WITH MARK");
        finish(*s, first);
        return s;
    }
    const bool outer = inModuleOrNested_;
    inModuleOrNested_ = true;
    if (isWord("TRY")) {
        advance();
        auto s = stmt<TryCatchStmt>();
        s->tryBody = parseStatementList(true);
        if (s->tryBody.empty())
            fail();
        expectWord("END");
        expectWord("TRY");
        expectWord("BEGIN");
        expectWord("CATCH");
        s->catchBody = parseStatementList(true);
        expectWord("END");
        expectWord("CATCH");
        inModuleOrNested_ = outer;
        finish(*s, first);
        return s;
    }
    if (isWord("CONVERSATION") || isWord("DIALOG"))
        unsupported("Service Broker");
    auto s = stmt<BlockStmt>();
    s->body = parseStatementList(true);
    if (s->body.empty())
        fail();
    expectWord("END");
    inModuleOrNested_ = outer;
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseTransactionEnd(TransactionOp op) {
    const Token& first = advance();
    auto s = stmt<TransactionStmt>();
    s->op = op;
    if (op == TransactionOp::Save) {
        if (!acceptWord("TRAN"))
            expectWord("TRANSACTION");
        s->name = parseNameOrVariable().name;
        finish(*s, first);
        return s;
    }
    if (acceptWord("WORK")) {
        s->work = true;
    } else if (acceptWord("TRAN") || acceptWord("TRANSACTION")) {
        if (peek().kind == TokenKind::Variable || (isIdentifier() && !isLabelAhead()))
            s->name = parseNameOrVariable().name;
    }
    finish(*s, first);
    return s;
}

bool Parser::startsReturnValue() const noexcept {
    const Token& token = peek();
    switch (token.kind) {
    case TokenKind::EndOfInput:
        return false;
    case TokenKind::Operator:
        return token.isOperator("(") || token.isOperator("-") || token.isOperator("+") ||
               token.isOperator("~");
    case TokenKind::Word:
        if (!token.reserved)
            return !isLabelAhead();
        return isWord("NULL") || isWord("CASE") || isWord("CAST") || isWord("CONVERT") ||
               isWord("COALESCE") || isWord("NULLIF") || isWord("LEFT") || isWord("RIGHT") ||
               isWord("TRY_CONVERT");
    default:
        return true;
    }
}

StmtPtr Parser::parseReturn() {
    const Token& first = expectWord("RETURN");
    auto s = stmt<ReturnStmt>();
    if (startsReturnValue())
        s->value = parseScalar();
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseRaiserror() {
    const Token& first = expectWord("RAISERROR");
    auto s = stmt<RaiserrorStmt>();
    if (!isOp("("))
        unsupported("RAISERROR without parentheses");
    advance();
    s->message = parseScalar();
    expectOp(",");
    s->severity = parseScalar();
    expectOp(",");
    s->state = parseScalar();
    while (acceptOp(","))
        s->args.push_back(parseScalar());
    expectOp(")");
    if (acceptWord("WITH")) {
        do {
            std::string option = parseUpperWord();
            if (option != "LOG" && option != "NOWAIT" && option != "SETERROR")
                failAt(tokens_[at_ - 1]);
            s->options.push_back(std::move(option));
        } while (acceptOp(","));
    }
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseThrow() {
    const Token& first = expectWord("THROW");
    auto s = stmt<ThrowStmt>();
    if (atEnd() || isOp(";") || isWord("END")) {
        finish(*s, first);
        return s;
    }
    s->number = parseScalar();
    expectOp(",");
    s->message = parseScalar();
    expectOp(",");
    s->state = parseScalar();
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseExec() {
    const Token& first = advance(); // EXEC | EXECUTE
    if (!isOp("("))
        return std::unique_ptr<Stmt>(parseExecProcedure(first).release());
    advance();
    auto s = stmt<ExecStringStmt>();
    do {
        const Token& token = peek();
        if (token.kind != TokenKind::String && token.kind != TokenKind::NString &&
            token.kind != TokenKind::Variable)
            fail();
        s->parts.push_back(parsePrimary());
    } while (acceptOp("+"));
    expectOp(")");
    if (isWord("AS") || isWord("AT"))
        unsupported(std::string("EXEC (...) ") + std::string(peek().text));
    finish(*s, first);
    return s;
}

std::unique_ptr<ExecProcedureStmt> Parser::parseExecProcedure(const Token& first) {
    auto s = std::make_unique<ExecProcedureStmt>();
    if (peek().kind == TokenKind::Variable && isOp("=", 1)) {
        s->returnVariable = std::string(advance().text);
        advance();
    }
    if (peek().kind == TokenKind::Variable)
        s->procedureVariable = std::string(advance().text);
    else
        s->procedure = parseObjectName();
    if (isOp(";") && peek(1).kind == TokenKind::Integer)
        unsupported("numbered procedures");
    if (startsExecArgument()) {
        do {
            s->args.push_back(parseExecArgument());
        } while (acceptOp(","));
    }
    if (isWord("WITH")) {
        if (isWord("RECOMPILE", 1)) {
            advance();
            advance();
            s->withRecompile = true;
        } else if (isWord("RESULT", 1)) {
            unsupported("WITH RESULT SETS");
        }
    }
    finish(*s, first);
    return s;
}

bool Parser::startsExecArgument() const noexcept {
    const Token& token = peek();
    switch (token.kind) {
    case TokenKind::Variable:
    case TokenKind::String:
    case TokenKind::NString:
    case TokenKind::Integer:
    case TokenKind::Decimal:
    case TokenKind::Float:
    case TokenKind::Binary:
    case TokenKind::Money:
    case TokenKind::QuotedIdentifier:
        return true;
    case TokenKind::Operator:
        return token.isOperator("-") || token.isOperator("+");
    case TokenKind::Word:
        if (token.reserved)
            return isWord("NULL") || isWord("DEFAULT");
        return !isLabelAhead();
    default:
        return false;
    }
}

ExecArgument Parser::parseExecArgument() {
    ExecArgument arg;
    arg.pos = peek().pos;
    if (peek().kind == TokenKind::Variable && isOp("=", 1)) {
        arg.parameter = std::string(advance().text);
        advance();
    }
    const Token& token = peek();
    const std::size_t begin = token.pos.offset;
    if (isWord("DEFAULT")) {
        advance();
        auto d = std::make_unique<DefaultExpr>();
        d->pos = token.pos;
        finish(*d, begin);
        arg.value = std::move(d);
    } else if (token.kind == TokenKind::Variable || isWord("NULL") || token.kind == TokenKind::String ||
               token.kind == TokenKind::NString || token.kind == TokenKind::Integer ||
               token.kind == TokenKind::Decimal || token.kind == TokenKind::Float ||
               token.kind == TokenKind::Binary || token.kind == TokenKind::Money) {
        arg.value = parsePrimary();
    } else if (token.isOperator("-") || token.isOperator("+")) {
        const TokenKind next = peek(1).kind;
        if (next != TokenKind::Integer && next != TokenKind::Decimal && next != TokenKind::Float &&
            next != TokenKind::Money)
            fail();
        arg.value = parsePrefix();
    } else if (isIdentifier()) {
        // An unquoted name passed as an argument is a character string.
        advance();
        auto lit = std::make_unique<LiteralExpr>();
        lit->pos = token.pos;
        lit->literalKind = LiteralKind::String;
        lit->text = std::string(token.text);
        lit->value = std::string(token.name());
        finish(*lit, begin);
        arg.value = std::move(lit);
    } else {
        fail();
    }
    if (acceptWord("OUT") || acceptWord("OUTPUT"))
        arg.output = true;
    return arg;
}

StmtPtr Parser::parseCursorStatement(StmtKind kind) {
    const Token& first = advance();
    auto s = std::make_unique<CursorStmt>(kind);
    s->global = acceptWord("GLOBAL");
    s->cursor = parseNameOrVariable();
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseFetch() {
    const Token& first = expectWord("FETCH");
    auto s = stmt<FetchStmt>();
    bool direction = true;
    if (acceptWord("NEXT"))
        s->direction = FetchDirection::Next;
    else if (acceptWord("PRIOR"))
        s->direction = FetchDirection::Prior;
    else if (acceptWord("FIRST"))
        s->direction = FetchDirection::First;
    else if (acceptWord("LAST"))
        s->direction = FetchDirection::Last;
    else if (isWord("ABSOLUTE") || isWord("RELATIVE")) {
        s->direction = isWord("ABSOLUTE") ? FetchDirection::Absolute : FetchDirection::Relative;
        advance();
        s->rowNumber = parseScalar();
    } else
        direction = false;
    if (direction)
        expectWord("FROM");
    else
        acceptWord("FROM");
    s->global = acceptWord("GLOBAL");
    s->cursor = parseNameOrVariable();
    if (acceptWord("INTO")) {
        do {
            if (peek().kind != TokenKind::Variable)
                fail();
            s->into.emplace_back(advance().text);
        } while (acceptOp(","));
    }
    finish(*s, first);
    return s;
}

} // namespace tsql::detail
