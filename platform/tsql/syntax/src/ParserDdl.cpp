// Definition statements: tables, indexes, modules (views, procedures, functions, triggers),
// DROP, ENABLE/DISABLE TRIGGER and permissions.

#include "ParserImpl.h"

#include "tsql/syntax/Keywords.h"
#include "tsql/syntax/SyntaxError.h"

#include <utility>

namespace tsql::detail {
namespace {
template <class T> std::unique_ptr<T> stmt() {
    return std::make_unique<T>();
}
} // namespace

void Parser::checkFirstInBatch(const Token& first, std::string_view statement) const {
    if (topLevelStatements_ > 0 || inModuleOrNested_ || depth_ > 1)
        throw syntax_error::mustBeFirstInBatch(first.pos.line, statement);
}

StmtPtr Parser::parseCreateOrAlter() {
    const Token& first = advance(); // CREATE | ALTER
    const bool alter = equalsIgnoreCase(first.text, "ALTER");
    bool createOrAlter = false;
    if (!alter && isWord("OR") && isWord("ALTER", 1)) {
        requireLevel(130, peek());
        advance();
        advance();
        createOrAlter = true;
    }
    if (isWord("TABLE") && !createOrAlter)
        return alter ? parseAlterTable(first) : parseCreateTable(first);
    if (isWord("VIEW") || isWord("PROC") || isWord("PROCEDURE") || isWord("FUNCTION") || isWord("TRIGGER"))
        return parseModule(first, alter, createOrAlter);
    if (!alter && !createOrAlter) {
        bool unique = false;
        std::optional<bool> clustered;
        if (acceptWord("UNIQUE"))
            unique = true;
        if (acceptWord("CLUSTERED"))
            clustered = true;
        else if (acceptWord("NONCLUSTERED"))
            clustered = false;
        if (isWord("INDEX"))
            return parseCreateIndex(first, unique, clustered);
        if (unique || clustered)
            fail();
    }
    if (peek().kind == TokenKind::Word)
        unsupported(std::string(first.text) + " " + std::string(peek().text));
    fail();
}

StmtPtr Parser::parseCreateTable(const Token& first) {
    expectWord("TABLE");
    auto s = stmt<CreateTableStmt>();
    s->name = parseObjectName();
    s->definition = parseTableDefinition();
    if (isWord("ON") || isWord("TEXTIMAGE_ON") || isWord("WITH"))
        unsupported("table storage options");
    finish(*s, first);
    return s;
}

TableDefinition Parser::parseTableDefinition() {
    TableDefinition def;
    expectOp("(");
    do {
        if (isWord("CONSTRAINT") || isWord("PRIMARY") || isWord("UNIQUE") || isWord("CHECK") ||
            isWord("FOREIGN"))
            def.constraints.push_back(parseTableConstraint());
        else if (isWord("INDEX"))
            unsupported("inline INDEX in a table definition");
        else
            def.columns.push_back(parseColumnDefinition());
    } while (acceptOp(","));
    expectOp(")");
    return def;
}

ColumnDefinition Parser::parseColumnDefinition() {
    ColumnDefinition column;
    column.pos = peek().pos;
    column.name = parseIdentifier();
    if (acceptWord("AS")) {
        column.computed = parseScalar();
        if (acceptWord("PERSISTED")) {
            column.persisted = true;
            if (isWord("NOT") && isWord("NULL", 1)) {
                advance();
                advance();
                column.nullable = false;
            }
        }
    } else {
        column.type = parseTypeName();
    }
    while (parseColumnConstraint(column)) {
    }
    return column;
}

// One option of a column definition; false when the tokens do not start one.
bool Parser::parseColumnConstraint(ColumnDefinition& column) {
    if (acceptWord("COLLATE")) {
        column.collation = parseIdentifier().name;
        return true;
    }
    if (isWord("NULL")) {
        advance();
        column.nullable = true;
        return true;
    }
    if (isWord("NOT") && isWord("NULL", 1)) {
        advance();
        advance();
        column.nullable = false;
        return true;
    }
    if (acceptWord("IDENTITY")) {
        IdentitySpec identity;
        if (acceptOp("(")) {
            auto signedNumber = [this]() {
                std::string text;
                if (isOp("-") || isOp("+"))
                    text = std::string(advance().text);
                if (peek().kind != TokenKind::Integer && peek().kind != TokenKind::Decimal)
                    fail();
                text += std::string(advance().text);
                return text;
            };
            identity.seed = signedNumber();
            expectOp(",");
            identity.increment = signedNumber();
            expectOp(")");
            identity.explicitValues = true;
        }
        identity.notForReplication = acceptNotForReplication();
        column.identity = identity;
        return true;
    }
    if (acceptWord("ROWGUIDCOL")) {
        column.rowGuidCol = true;
        return true;
    }
    if (isWord("SPARSE") || isWord("FILESTREAM") || isWord("MASKED") || isWord("ENCRYPTED"))
        unsupported(peek().text);
    std::optional<Identifier> name;
    if (acceptWord("CONSTRAINT"))
        name = parseIdentifier();
    if (acceptWord("DEFAULT")) {
        DefaultSpec defaultSpec;
        defaultSpec.name = std::move(name);
        defaultSpec.value = parseScalar();
        if (isWord("WITH") && isWord("VALUES", 1)) {
            advance();
            advance();
        }
        column.defaultValue = std::move(defaultSpec);
        return true;
    }
    if (isWord("NULL") || (isWord("NOT") && isWord("NULL", 1))) {
        column.nullable = !isWord("NOT");
        advance();
        if (column.nullable == false)
            advance();
        return true;
    }
    TableConstraint constraint;
    constraint.pos = peek().pos;
    constraint.name = std::move(name);
    if (isWord("PRIMARY") || isWord("UNIQUE")) {
        parseKeyConstraintHead(constraint);
    } else if (acceptWord("CHECK")) {
        parseCheckBody(constraint);
    } else if (isWord("FOREIGN") || isWord("REFERENCES")) {
        constraint.kind = ConstraintKind::ForeignKey;
        if (acceptWord("FOREIGN"))
            expectWord("KEY");
        parseReferences(constraint);
    } else {
        if (constraint.name)
            fail();
        return false;
    }
    column.constraints.push_back(std::move(constraint));
    return true;
}

void Parser::parseReferences(TableConstraint& constraint) {
    expectWord("REFERENCES");
    constraint.referencedTable = parseObjectName();
    if (isOp("("))
        constraint.referencedColumns = parseIdentifierList();
    while (isWord("ON")) {
        advance();
        const bool onDelete = isWord("DELETE");
        if (!acceptWord("DELETE"))
            expectWord("UPDATE");
        ReferentialAction action;
        if (acceptWord("CASCADE")) {
            action = ReferentialAction::Cascade;
        } else if (acceptWord("NO")) {
            expectWord("ACTION");
            action = ReferentialAction::NoAction;
        } else {
            expectWord("SET");
            if (acceptWord("NULL"))
                action = ReferentialAction::SetNull;
            else {
                expectWord("DEFAULT");
                action = ReferentialAction::SetDefault;
            }
        }
        (onDelete ? constraint.onDelete : constraint.onUpdate) = action;
    }
    if (acceptNotForReplication())
        constraint.notForReplication = true;
}

bool Parser::acceptNotForReplication() {
    if (!(isWord("NOT") && isWord("FOR", 1)))
        return false;
    advance();
    advance();
    expectWord("REPLICATION");
    return true;
}

// PRIMARY KEY | UNIQUE, then CLUSTERED | NONCLUSTERED when written.
void Parser::parseKeyConstraintHead(TableConstraint& constraint) {
    constraint.kind = isWord("PRIMARY") ? ConstraintKind::PrimaryKey : ConstraintKind::Unique;
    advance();
    if (constraint.kind == ConstraintKind::PrimaryKey)
        expectWord("KEY");
    if (acceptWord("CLUSTERED"))
        constraint.clustered = true;
    else if (acceptWord("NONCLUSTERED"))
        constraint.clustered = false;
}

// After CHECK: [NOT FOR REPLICATION] (condition)
void Parser::parseCheckBody(TableConstraint& constraint) {
    constraint.kind = ConstraintKind::Check;
    constraint.notForReplication = acceptNotForReplication();
    expectOp("(");
    constraint.expr = parseCondition();
    expectOp(")");
}

std::vector<KeyColumn> Parser::parseKeyColumns() {
    expectOp("(");
    std::vector<KeyColumn> columns;
    do {
        KeyColumn column;
        column.name = parseIdentifier();
        if (acceptWord("DESC"))
            column.descending = true;
        else
            acceptWord("ASC");
        columns.push_back(std::move(column));
    } while (acceptOp(","));
    expectOp(")");
    return columns;
}

TableConstraint Parser::parseTableConstraint() {
    TableConstraint constraint;
    constraint.pos = peek().pos;
    if (acceptWord("CONSTRAINT"))
        constraint.name = parseIdentifier();
    if (isWord("PRIMARY") || isWord("UNIQUE")) {
        parseKeyConstraintHead(constraint);
        constraint.columns = parseKeyColumns();
        if (isWord("WITH") || isWord("ON"))
            unsupported("index options of a constraint");
    } else if (acceptWord("CHECK")) {
        parseCheckBody(constraint);
    } else if (acceptWord("FOREIGN")) {
        constraint.kind = ConstraintKind::ForeignKey;
        expectWord("KEY");
        constraint.columns = parseKeyColumns();
        parseReferences(constraint);
    } else if (acceptWord("DEFAULT")) {
        constraint.kind = ConstraintKind::Default;
        constraint.expr = parseScalar();
        expectWord("FOR");
        constraint.defaultFor = parseIdentifier();
        if (isWord("WITH") && isWord("VALUES", 1)) {
            advance();
            advance();
        }
    } else {
        fail();
    }
    return constraint;
}

// ALL | name [, name ...]
void Parser::parseAllOrNames(bool& all, std::vector<Identifier>& names) {
    if (acceptWord("ALL")) {
        all = true;
        return;
    }
    do {
        names.push_back(parseIdentifier());
    } while (acceptOp(","));
}

StmtPtr Parser::parseAlterTable(const Token& first) {
    expectWord("TABLE");
    auto s = stmt<AlterTableStmt>();
    s->table = parseObjectName();
    if (isWord("WITH")) {
        advance();
        if (acceptWord("CHECK"))
            s->withCheck = true;
        else {
            expectWord("NOCHECK");
            s->withCheck = false;
        }
    }
    if (acceptWord("ADD")) {
        s->action = AlterTableAction::Add;
        do {
            if (isWord("CONSTRAINT") || isWord("PRIMARY") || isWord("UNIQUE") || isWord("CHECK") ||
                isWord("FOREIGN") || isWord("DEFAULT"))
                s->constraints.push_back(parseTableConstraint());
            else
                s->columns.push_back(parseColumnDefinition());
        } while (acceptOp(","));
    } else if (isWord("CHECK") || isWord("NOCHECK")) {
        s->action = AlterTableAction::CheckConstraints;
        s->enable = isWord("CHECK");
        advance();
        expectWord("CONSTRAINT");
        parseAllOrNames(s->all, s->names);
    } else if (s->withCheck) {
        fail();
    } else if (acceptWord("DROP")) {
        s->action = AlterTableAction::DropItems;
        do {
            DropItem item;
            if (acceptWord("COLUMN"))
                item.column = true;
            else
                acceptWord("CONSTRAINT");
            if (isWord("IF") && isWord("EXISTS", 1)) {
                requireLevel(130, peek());
                unsupported("DROP ... IF EXISTS in ALTER TABLE");
            }
            item.name = parseIdentifier();
            s->drops.push_back(std::move(item));
        } while (acceptOp(","));
    } else if (acceptWord("ALTER")) {
        expectWord("COLUMN");
        s->action = AlterTableAction::AlterColumn;
        ColumnDefinition column;
        column.pos = peek().pos;
        column.name = parseIdentifier();
        if (isWord("ADD") || isWord("DROP"))
            unsupported("ALTER COLUMN ADD/DROP properties");
        column.type = parseTypeName();
        if (acceptWord("COLLATE"))
            column.collation = parseIdentifier().name;
        if (acceptWord("NULL")) {
            column.nullable = true;
        } else if (isWord("NOT") && isWord("NULL", 1)) {
            advance();
            advance();
            column.nullable = false;
        }
        s->columns.push_back(std::move(column));
    } else if (isWord("ENABLE") || isWord("DISABLE")) {
        s->action = AlterTableAction::EnableTriggers;
        s->enable = isWord("ENABLE");
        advance();
        expectWord("TRIGGER");
        parseAllOrNames(s->all, s->names);
    } else if (peek().kind == TokenKind::Word) {
        unsupported("ALTER TABLE " + std::string(peek().text));
    } else {
        fail();
    }
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseDrop() {
    const Token& first = expectWord("DROP");
    auto s = stmt<DropStmt>();
    if (isWord("TABLE"))
        s->objectKind = ObjectKind::Table;
    else if (isWord("VIEW"))
        s->objectKind = ObjectKind::View;
    else if (isWord("PROC") || isWord("PROCEDURE"))
        s->objectKind = ObjectKind::Procedure;
    else if (isWord("FUNCTION"))
        s->objectKind = ObjectKind::Function;
    else if (isWord("TRIGGER"))
        s->objectKind = ObjectKind::Trigger;
    else if (isWord("INDEX"))
        s->objectKind = ObjectKind::Index;
    else if (peek().kind == TokenKind::Word)
        unsupported("DROP " + std::string(peek().text));
    else
        fail();
    advance();
    if (isWord("IF") && isWord("EXISTS", 1)) {
        requireLevel(130, peek());
        advance();
        advance();
        s->ifExists = true;
    }
    do {
        DropTarget target;
        target.name = parseObjectName();
        if (s->objectKind == ObjectKind::Index) {
            if (acceptWord("ON"))
                target.onTable = parseObjectName();
            else if (target.name.parts.size() < 2)
                fail();
        }
        s->targets.push_back(std::move(target));
    } while (acceptOp(","));
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseCreateIndex(const Token& first, bool unique, std::optional<bool> clustered) {
    expectWord("INDEX");
    auto s = stmt<CreateIndexStmt>();
    s->unique = unique;
    s->clustered = clustered;
    s->name = parseIdentifier();
    expectWord("ON");
    s->table = parseObjectName();
    s->columns = parseKeyColumns();
    if (acceptWord("INCLUDE"))
        s->include = parseIdentifierList();
    if (acceptWord("WHERE"))
        s->where = parseCondition();
    if (acceptWord("WITH")) {
        expectOp("(");
        do {
            std::string option = parseUpperWord();
            if (acceptOp("=")) {
                option += "=";
                const Token& value = advance();
                if (value.kind == TokenKind::EndOfInput)
                    fail();
                option += std::string(value.text);
            }
            s->options.push_back(std::move(option));
        } while (acceptOp(","));
        expectOp(")");
    }
    if (isWord("ON"))
        unsupported("index storage options");
    finish(*s, first);
    return s;
}

std::vector<std::string> Parser::parseModuleOptions() {
    std::vector<std::string> options;
    if (!acceptWord("WITH"))
        return options;
    do {
        std::string option = parseUpperWord();
        if (option == "EXECUTE" || option == "EXEC") {
            expectWord("AS");
            option = "EXECUTE AS ";
            if (peek().kind == TokenKind::String || peek().kind == TokenKind::NString)
                option += "'" + advance().value + "'";
            else
                option += parseUpperWord();
        } else if (option == "RETURNS") {
            expectWord("NULL");
            expectWord("ON");
            expectWord("NULL");
            expectWord("INPUT");
            option = "RETURNS NULL ON NULL INPUT";
        } else if (option == "CALLED") {
            expectWord("ON");
            expectWord("NULL");
            expectWord("INPUT");
            option = "CALLED ON NULL INPUT";
        } else if (option != "ENCRYPTION" && option != "SCHEMABINDING" && option != "RECOMPILE" &&
                   option != "VIEW_METADATA" && option != "APPEND") {
            failAt(tokens_[at_ - 1]);
        }
        options.push_back(std::move(option));
    } while (acceptOp(","));
    return options;
}

std::vector<ParameterDecl> Parser::parseParameters(bool parenthesized) {
    std::vector<ParameterDecl> params;
    if (parenthesized) {
        expectOp("(");
        if (acceptOp(")"))
            return params;
    } else if (peek().kind != TokenKind::Variable) {
        return params;
    }
    do {
        ParameterDecl param;
        param.pos = peek().pos;
        if (peek().kind != TokenKind::Variable)
            fail();
        param.name = std::string(advance().text);
        acceptWord("AS");
        param.type = parseTypeName();
        if (acceptWord("VARYING"))
            param.varying = true;
        if (acceptOp("=")) {
            ExecArgument value = parseExecArgument();
            if (!value.parameter.empty() || value.value->kind == ExprKind::Default ||
                value.value->kind == ExprKind::Variable)
                fail();
            param.defaultValue = std::move(value.value);
            param.output = value.output;
        }
        if (acceptWord("OUT") || acceptWord("OUTPUT"))
            param.output = true;
        if (acceptWord("READONLY"))
            param.readOnly = true;
        params.push_back(std::move(param));
    } while (acceptOp(","));
    if (parenthesized)
        expectOp(")");
    return params;
}

StmtList Parser::parseModuleBody() {
    inModuleOrNested_ = true;
    StmtList body = parseStatementList(false);
    if (body.empty())
        fail();
    return body;
}

void Parser::finishModule(ModuleHeader& header, const Token& first) {
    header.moduleRange.begin = first.pos.offset;
    header.moduleRange.end = previousEnd();
}

StmtPtr Parser::parseModule(const Token& first, bool alter, bool createOrAlter) {
    const std::string verb = createOrAlter ? "CREATE OR ALTER" : alter ? "ALTER" : "CREATE";
    ModuleHeader header;
    header.alter = alter;
    header.createOrAlter = createOrAlter;
    if (isWord("VIEW")) {
        checkFirstInBatch(first, verb + " VIEW");
        advance();
        auto s = stmt<CreateViewStmt>();
        header.name = parseObjectName();
        if (isOp("("))
            s->columns = parseIdentifierList();
        header.options = parseModuleOptions();
        expectWord("AS");
        s->query = parseQuery();
        if (isWord("WITH") && isWord("CHECK", 1)) {
            advance();
            advance();
            expectWord("OPTION");
            s->withCheckOption = true;
        }
        finishModule(header, first);
        while (acceptOp(";")) {
        }
        if (!atEnd())
            fail();
        s->header = std::move(header);
        finish(*s, first);
        return s;
    }
    if (isWord("PROC") || isWord("PROCEDURE")) {
        checkFirstInBatch(first, "CREATE/ALTER PROCEDURE");
        advance();
        auto s = stmt<CreateProcedureStmt>();
        header.name = parseObjectName();
        if (isOp(";"))
            unsupported("numbered procedures");
        s->parameters = parseParameters(isOp("("));
        header.options = parseModuleOptions();
        if (isWord("FOR") && isWord("REPLICATION", 1))
            unsupported("FOR REPLICATION");
        expectWord("AS");
        s->body = parseModuleBody();
        finishModule(header, first);
        s->header = std::move(header);
        finish(*s, first);
        return s;
    }
    if (isWord("FUNCTION")) {
        checkFirstInBatch(first, verb + " FUNCTION");
        advance();
        auto s = stmt<CreateFunctionStmt>();
        header.name = parseObjectName();
        s->parameters = parseParameters(true);
        expectWord("RETURNS");
        if (acceptWord("TABLE")) {
            s->functionKind = FunctionKind::InlineTable;
            header.options = parseModuleOptions();
            acceptWord("AS");
            expectWord("RETURN");
            s->returnQuery = parseQuery();
        } else {
            if (peek().kind == TokenKind::Variable) {
                s->functionKind = FunctionKind::MultiStatementTable;
                s->returnVariable = std::string(advance().text);
                expectWord("TABLE");
                s->returnTable = parseTableDefinition();
            } else {
                s->functionKind = FunctionKind::Scalar;
                s->returnType = parseTypeName();
            }
            header.options = parseModuleOptions();
            acceptWord("AS");
            const Token& begin = expectWord("BEGIN");
            inModuleOrNested_ = true;
            s->body = parseStatementList(true);
            if (s->body.empty())
                failAt(begin);
            expectWord("END");
        }
        finishModule(header, first);
        while (acceptOp(";")) {
        }
        if (!atEnd())
            fail();
        s->header = std::move(header);
        finish(*s, first);
        return s;
    }
    checkFirstInBatch(first, verb + " TRIGGER");
    expectWord("TRIGGER");
    auto s = stmt<CreateTriggerStmt>();
    header.name = parseObjectName();
    expectWord("ON");
    if (isWord("DATABASE") || isWord("ALL"))
        unsupported("DDL triggers");
    s->table = parseObjectName();
    header.options = parseModuleOptions();
    if (acceptWord("FOR") || acceptWord("AFTER")) {
        s->timing = TriggerTiming::After;
    } else {
        expectWord("INSTEAD");
        expectWord("OF");
        s->timing = TriggerTiming::InsteadOf;
    }
    do {
        if (!isWord("INSERT") && !isWord("UPDATE") && !isWord("DELETE"))
            fail();
        s->events.push_back(parseUpperWord());
    } while (acceptOp(","));
    if (isWord("WITH") && isWord("APPEND", 1)) {
        advance();
        advance();
    }
    s->notForReplication = acceptNotForReplication();
    expectWord("AS");
    s->body = parseModuleBody();
    finishModule(header, first);
    s->header = std::move(header);
    finish(*s, first);
    return s;
}

StmtPtr Parser::parseEnableTrigger(const Token& first, bool enable) {
    expectWord("TRIGGER");
    auto s = stmt<EnableTriggerStmt>();
    s->enable = enable;
    if (acceptWord("ALL")) {
        s->all = true;
    } else {
        do {
            s->triggers.push_back(parseObjectName());
        } while (acceptOp(","));
    }
    expectWord("ON");
    if (acceptWord("DATABASE")) {
        s->onDatabase = true;
    } else if (isWord("ALL") && isWord("SERVER", 1)) {
        advance();
        advance();
        s->onAllServer = true;
    } else {
        s->table = parseObjectName();
    }
    finish(*s, first);
    return s;
}

StmtPtr Parser::parsePermission(PermissionOp op) {
    const Token& first = advance();
    auto s = stmt<PermissionStmt>();
    s->op = op;
    if (op == PermissionOp::Revoke && isWord("GRANT") && isWord("OPTION", 1)) {
        advance();
        advance();
        expectWord("FOR");
        s->grantOptionFor = true;
    }
    auto endsPermission = [this]() {
        return isOp(",") || isWord("ON") || isWord("TO") || isWord("FROM") || isOp("(") ||
               peek().kind != TokenKind::Word;
    };
    do {
        std::string permission;
        while (!endsPermission()) {
            if (!permission.empty())
                permission += ' ';
            permission += parseUpperWord();
        }
        if (permission.empty())
            fail();
        if (permission == "ALL PRIVILEGES")
            permission = "ALL";
        if (isOp("("))
            unsupported("column permissions");
        s->permissions.push_back(std::move(permission));
    } while (acceptOp(","));
    if (acceptWord("ON")) {
        if (isOp("::", 1) || (peek().kind == TokenKind::Word && isOp(":", 1) && isOp(":", 2)))
            unsupported("securable classes in permissions");
        s->object = parseObjectName();
    }
    if (!acceptWord("TO")) {
        if (op != PermissionOp::Revoke)
            fail();
        expectWord("FROM");
    }
    do {
        if (isWord("PUBLIC")) {
            Identifier id;
            id.name = std::string(peek().text);
            id.pos = advance().pos;
            s->principals.push_back(std::move(id));
        } else {
            s->principals.push_back(parseIdentifier());
        }
    } while (acceptOp(","));
    if (op == PermissionOp::Grant && isWord("WITH")) {
        advance();
        expectWord("GRANT");
        expectWord("OPTION");
        s->withGrantOption = true;
    }
    if (op != PermissionOp::Grant && acceptWord("CASCADE"))
        s->cascade = true;
    if (isWord("AS"))
        unsupported("AS principal in permissions");
    finish(*s, first);
    return s;
}

} // namespace tsql::detail
