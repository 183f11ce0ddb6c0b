// Queries: WITH, set operations, SELECT specifications, FROM clauses with joins and APPLY.

#include "ParserImpl.h"

#include "tsql/syntax/Keywords.h"
#include "tsql/syntax/SyntaxError.h"

#include <utility>

namespace tsql::detail {

QueryPtr Parser::parseQuery() {
    DepthGuard guard(*this);
    const std::size_t begin = peek().pos.offset;
    std::vector<CommonTableExpr> ctes;
    if (isWord("WITH"))
        ctes = parseCtes();
    return parseQueryAfterCtes(std::move(ctes), begin);
}

std::vector<CommonTableExpr> Parser::parseCtes() {
    expectWord("WITH");
    if (isWord("XMLNAMESPACES"))
        unsupported("WITH XMLNAMESPACES");
    std::vector<CommonTableExpr> ctes;
    do {
        CommonTableExpr cte;
        cte.pos = peek().pos;
        cte.name = parseIdentifier();
        if (isOp("("))
            cte.columns = parseIdentifierList();
        expectWord("AS");
        expectOp("(");
        cte.query = parseQuery();
        expectOp(")");
        ctes.push_back(std::move(cte));
    } while (acceptOp(","));
    return ctes;
}

QueryPtr Parser::parseQueryAfterCtes(std::vector<CommonTableExpr> ctes, std::size_t begin) {
    auto query = std::make_unique<Query>();
    query->pos = peek().pos;
    query->ctes = std::move(ctes);
    query->body = parseQueryUnion();
    if (isWord("ORDER"))
        query->orderBy = parseOrderBy();
    if (isWord("OFFSET")) {
        requireLevel(110, peek());
        if (query->orderBy.empty())
            fail();
        advance();
        query->offset = parseScalar();
        if (!acceptWord("ROWS") && !acceptWord("ROW"))
            fail();
        if (acceptWord("FETCH")) {
            if (!acceptWord("NEXT") && !acceptWord("FIRST"))
                fail();
            query->fetch = parseScalar();
            if (!acceptWord("ROWS") && !acceptWord("ROW"))
                fail();
            expectWord("ONLY");
        }
    }
    if (isWord("FOR") && (isWord("XML", 1) || isWord("BROWSE", 1) || isWord("JSON", 1)))
        unsupported(std::string("FOR ") + std::string(peek(1).text));
    if (isWord("OPTION"))
        unsupported("OPTION (query hints)");
    if (isWord("COMPUTE"))
        unsupported("COMPUTE");
    query->range.begin = begin;
    query->range.end = previousEnd();
    return query;
}

QueryBodyPtr Parser::parseQueryUnion() {
    QueryBodyPtr left = parseQueryIntersect();
    while (isWord("UNION") || isWord("EXCEPT")) {
        auto body = std::make_unique<QueryBody>();
        body->pos = left->pos;
        body->op = isWord("UNION") ? SetOperator::Union : SetOperator::Except;
        advance();
        if (body->op == SetOperator::Union)
            body->all = acceptWord("ALL");
        body->left = std::move(left);
        body->right = parseQueryIntersect();
        left = std::move(body);
    }
    return left;
}

QueryBodyPtr Parser::parseQueryIntersect() {
    QueryBodyPtr left = parseQueryPrimary();
    while (isWord("INTERSECT")) {
        advance();
        auto body = std::make_unique<QueryBody>();
        body->pos = left->pos;
        body->op = SetOperator::Intersect;
        body->left = std::move(left);
        body->right = parseQueryPrimary();
        left = std::move(body);
    }
    return left;
}

QueryBodyPtr Parser::parseQueryPrimary() {
    DepthGuard guard(*this);
    if (acceptOp("(")) {
        QueryBodyPtr inner = parseQueryUnion();
        expectOp(")");
        return inner;
    }
    if (!isWord("SELECT"))
        fail();
    auto body = std::make_unique<QueryBody>();
    body->pos = peek().pos;
    body->selectSpec = parseSelectSpec();
    return body;
}

std::optional<TopClause> Parser::parseTop(bool allowBareNumber) {
    if (!isWord("TOP"))
        return std::nullopt;
    TopClause top;
    top.pos = advance().pos;
    if (acceptOp("(")) {
        top.parenthesized = true;
        top.count = parseScalar();
        expectOp(")");
    } else if (allowBareNumber && (peek().kind == TokenKind::Integer || peek().kind == TokenKind::Decimal ||
                                   peek().kind == TokenKind::Float)) {
        top.count = parseLiteral();
    } else {
        fail();
    }
    top.percent = acceptWord("PERCENT");
    if (isWord("WITH") && isWord("TIES", 1)) {
        advance();
        advance();
        top.withTies = true;
    }
    return top;
}

std::unique_ptr<SelectSpec> Parser::parseSelectSpec() {
    auto selectSpec = std::make_unique<SelectSpec>();
    selectSpec->pos = expectWord("SELECT").pos;
    if (acceptWord("DISTINCT"))
        selectSpec->distinct = true;
    else
        acceptWord("ALL");
    selectSpec->top = parseTop(true);
    do {
        selectSpec->items.push_back(parseSelectItem());
    } while (acceptOp(","));
    if (acceptWord("INTO"))
        selectSpec->into = parseObjectName();
    if (acceptWord("FROM"))
        selectSpec->from = parseFromList();
    if (acceptWord("WHERE"))
        selectSpec->where = parseCondition();
    if (isWord("GROUP")) {
        advance();
        expectWord("BY");
        if (isWord("ALL"))
            unsupported("GROUP BY ALL");
        do {
            selectSpec->groupBy.push_back(parseScalar());
        } while (acceptOp(","));
        if (isWord("WITH") && (isWord("ROLLUP", 1) || isWord("CUBE", 1)))
            unsupported(std::string("WITH ") + std::string(peek(1).text));
    }
    if (acceptWord("HAVING"))
        selectSpec->having = parseCondition();
    return selectSpec;
}

SelectItem Parser::parseSelectItem() {
    SelectItem item;
    item.pos = peek().pos;
    const std::size_t begin = peek().pos.offset;
    // *
    if (isOp("*")) {
        const Token& star = advance();
        auto s = std::make_unique<StarExpr>();
        s->pos = star.pos;
        finish(*s, begin);
        item.expr = std::move(s);
        return item;
    }
    // t.* and db.schema.t.*
    if (isIdentifier()) {
        std::size_t i = 0;
        while (isIdentifier(i) && isOp(".", i + 1))
            i += 2;
        if (i > 0 && isOp("*", i)) {
            auto s = std::make_unique<StarExpr>();
            s->pos = peek().pos;
            s->qualifier.pos = peek().pos;
            while (!isOp("*")) {
                s->qualifier.parts.push_back(parseIdentifier());
                expectOp(".");
            }
            advance();
            finish(*s, begin);
            item.expr = std::move(s);
            return item;
        }
    }
    // @v = expr, @v += expr
    if (peek().kind == TokenKind::Variable && isAssignOp(1)) {
        item.variable = std::string(advance().text);
        item.assignOp = parseAssignOp();
        item.expr = parseScalar();
        return item;
    }
    // alias = expr
    if ((isIdentifier() || peek().kind == TokenKind::String) && isOp("=", 1)) {
        Identifier alias;
        alias.pos = peek().pos;
        if (peek().kind == TokenKind::String) {
            alias.name = advance().value;
            alias.quoted = true;
        } else {
            alias = parseIdentifier();
        }
        advance(); // =
        item.alias = std::move(alias);
        item.aliasForm = AliasForm::Equals;
        item.expr = parseScalar();
        return item;
    }
    item.expr = parseScalar();
    if (acceptWord("AS")) {
        item.aliasForm = AliasForm::As;
    } else if ((isIdentifier() && !isLabelAhead()) || peek().kind == TokenKind::String) {
        item.aliasForm = AliasForm::Bare;
    } else {
        return item;
    }
    Identifier alias;
    alias.pos = peek().pos;
    if (peek().kind == TokenKind::String || peek().kind == TokenKind::NString) {
        alias.name = advance().value;
        alias.quoted = true;
    } else {
        alias = parseIdentifier();
    }
    item.alias = std::move(alias);
    return item;
}

std::vector<TableSourcePtr> Parser::parseFromList() {
    std::vector<TableSourcePtr> sources;
    do {
        sources.push_back(parseTableSource());
    } while (acceptOp(","));
    return sources;
}

TableSourcePtr Parser::parseTableSource() {
    DepthGuard guard(*this);
    TableSourcePtr left = parseTablePrimary();
    for (;;) {
        bool matched = false;
        left = parseJoinTail(std::move(left), matched);
        if (!matched)
            return left;
    }
}

// One join or APPLY after `left`, if the tokens start one.
TableSourcePtr Parser::parseJoinTail(TableSourcePtr left, bool& matched) {
    matched = true;
    const SourcePos pos = left->pos;
    if ((isWord("CROSS") || isWord("OUTER")) && isWord("APPLY", 1)) {
        auto apply = std::make_unique<ApplyTableSource>();
        apply->pos = pos;
        apply->outer = isWord("OUTER");
        advance();
        advance();
        apply->left = std::move(left);
        apply->right = parseTablePrimary();
        return apply;
    }
    auto join = std::make_unique<JoinTableSource>();
    join->pos = pos;
    if (isWord("CROSS") && isWord("JOIN", 1)) {
        advance();
        advance();
        join->joinKind = JoinKind::Cross;
        join->left = std::move(left);
        join->right = parseTablePrimary();
        return join;
    }
    if (isWord("JOIN")) {
        join->joinKind = JoinKind::Inner;
    } else if (isWord("INNER")) {
        advance();
        join->joinKind = JoinKind::Inner;
    } else if (isWord("LEFT") || isWord("RIGHT") || isWord("FULL")) {
        join->joinKind = isWord("LEFT") ? JoinKind::Left : isWord("RIGHT") ? JoinKind::Right : JoinKind::Full;
        advance();
        acceptWord("OUTER");
    } else {
        matched = false;
        return left;
    }
    if (isWord("LOOP") || isWord("HASH") || isWord("MERGE") || isWord("REMOTE"))
        unsupported("join hints");
    expectWord("JOIN");
    join->left = std::move(left);
    // Nested form: a JOIN b JOIN c ON ... ON ...
    TableSourcePtr right = parseTablePrimary();
    while (!isWord("ON")) {
        bool nested = false;
        right = parseJoinTail(std::move(right), nested);
        if (!nested)
            fail();
    }
    join->right = std::move(right);
    expectWord("ON");
    join->on = parseCondition();
    return join;
}

std::optional<Identifier> Parser::parseOptionalAlias() {
    if (acceptWord("AS"))
        return parseIdentifier();
    // Words that follow a table source without being its alias.
    static constexpr std::string_view kNotAliases[] = {"APPLY", "USING", "OUTPUT"};
    if (!isIdentifier())
        return std::nullopt;
    for (std::string_view word : kNotAliases)
        if (isWord(word))
            return std::nullopt;
    if (isLabelAhead())
        return std::nullopt;
    return parseIdentifier();
}

std::vector<std::string> Parser::parseTableHints() {
    std::vector<std::string> hints;
    if (!(isWord("WITH") && isOp("(", 1)))
        return hints;
    advance();
    advance();
    do {
        std::string hint = parseUpperWord();
        if (hint == "INDEX") {
            // INDEX (a, b) or INDEX = a: kept as written, upper-cased
            if (acceptOp("=")) {
                hint += '=';
                hint += peek().text;
                advance();
            } else {
                expectOp("(");
                hint += "(";
                int level = 1;
                while (level > 0 && !atEnd()) {
                    if (isOp("("))
                        ++level;
                    if (isOp(")"))
                        --level;
                    if (level > 0)
                        hint += std::string(advance().text);
                }
                expectOp(")");
                hint += ")";
            }
        }
        hints.push_back(std::move(hint));
    } while (acceptOp(","));
    expectOp(")");
    return hints;
}

// [AS] alias [(columns)] after a derived table, which must have an alias.
void Parser::parseDerivedAlias(Identifier& alias, std::vector<Identifier>& columns) {
    acceptWord("AS");
    alias = parseIdentifier();
    if (isOp("("))
        columns = parseIdentifierList();
}

TableSourcePtr Parser::parseTablePrimary() {
    DepthGuard guard(*this);
    const Token& first = peek();
    if (first.isOperator("(")) {
        advance();
        if (isWord("VALUES")) {
            auto values = std::make_unique<ValuesTableSource>();
            values->pos = first.pos;
            values->rows = parseValuesRows();
            expectOp(")");
            parseDerivedAlias(values->alias, values->columns);
            return values;
        }
        if (startsQuery()) {
            auto derived = std::make_unique<DerivedTableSource>();
            derived->pos = first.pos;
            derived->query = parseQuery();
            expectOp(")");
            parseDerivedAlias(derived->alias, derived->columns);
            return derived;
        }
        TableSourcePtr inner = parseTableSource();
        expectOp(")");
        return inner;
    }
    if (first.kind == TokenKind::Variable) {
        auto var = std::make_unique<VariableTableSource>();
        var->pos = first.pos;
        var->variable = std::string(advance().text);
        var->alias = parseOptionalAlias();
        return var;
    }
    if (first.kind == TokenKind::Word && first.reserved) {
        if (isWord("OPENROWSET") || isWord("OPENQUERY") || isWord("OPENDATASOURCE") || isWord("OPENXML") ||
            isWord("CONTAINSTABLE") || isWord("FREETEXTTABLE"))
            unsupported(first.text);
        fail();
    }
    auto named = std::make_unique<NamedTableSource>();
    named->pos = first.pos;
    named->name = parseObjectName();
    if (isOp("(")) {
        advance();
        std::vector<ExprPtr> args;
        if (!isOp(")")) {
            do {
                args.push_back(parseScalar());
            } while (acceptOp(","));
        }
        expectOp(")");
        named->args = std::move(args);
    }
    named->alias = parseOptionalAlias();
    named->hints = parseTableHints();
    if (isWord("TABLESAMPLE") || isWord("PIVOT") || isWord("UNPIVOT"))
        unsupported(peek().text);
    if (isWord("FOR") && isWord("SYSTEM_TIME", 1))
        unsupported("FOR SYSTEM_TIME");
    return named;
}

std::vector<OrderItem> Parser::parseOrderBy() {
    expectWord("ORDER");
    expectWord("BY");
    std::vector<OrderItem> items;
    do {
        OrderItem item;
        item.expr = parseScalar();
        if (acceptWord("DESC"))
            item.descending = true;
        else
            acceptWord("ASC");
        items.push_back(std::move(item));
    } while (acceptOp(","));
    return items;
}

std::vector<std::vector<ExprPtr>> Parser::parseValuesRows() {
    const Token& values = expectWord("VALUES");
    std::vector<std::vector<ExprPtr>> rows;
    do {
        if (!rows.empty())
            requireLevel(100, values);
        rows.push_back(parseExpressionList());
    } while (acceptOp(","));
    return rows;
}

} // namespace tsql::detail
