// Expressions, parsed by precedence climbing. T-SQL's levels, tightest first: unary ~ - +;
// * / %; + - & | ^; comparisons and the predicates IS, LIKE, BETWEEN, IN; NOT; AND; OR.

#include "ParserImpl.h"

#include "tsql/syntax/Keywords.h"
#include "tsql/syntax/SyntaxError.h"

#include <array>
#include <utility>

namespace tsql::detail {
namespace {

constexpr int kOr = 1;
constexpr int kAnd = 2;
constexpr int kNot = 3;
constexpr int kPredicate = 4;
constexpr int kAdditive = 5;
constexpr int kMultiplicative = 6;
constexpr int kUnary = 7;

struct BinaryOperator {
    std::string_view text;
    BinaryOp op;
    int precedence;
};

constexpr std::array<BinaryOperator, 8> kBinaryOperators = {{
    {"+", BinaryOp::Add, kAdditive},
    {"-", BinaryOp::Subtract, kAdditive},
    {"&", BinaryOp::BitAnd, kAdditive},
    {"|", BinaryOp::BitOr, kAdditive},
    {"^", BinaryOp::BitXor, kAdditive},
    {"*", BinaryOp::Multiply, kMultiplicative},
    {"/", BinaryOp::Divide, kMultiplicative},
    {"%", BinaryOp::Modulo, kMultiplicative},
}};

struct CompareOperator {
    std::string_view text;
    CompareOp op;
};

constexpr std::array<CompareOperator, 9> kCompareOperators = {{
    {"=", CompareOp::Equal},
    {"<>", CompareOp::NotEqual},
    {"!=", CompareOp::NotEqual},
    {"<", CompareOp::Less},
    {">", CompareOp::Greater},
    {"<=", CompareOp::LessOrEqual},
    {">=", CompareOp::GreaterOrEqual},
    {"!<", CompareOp::NotLess},
    {"!>", CompareOp::NotGreater},
}};

const BinaryOperator* findBinary(const Token& token) noexcept {
    return findOperator(kBinaryOperators, token);
}
const CompareOperator* findCompare(const Token& token) noexcept {
    return findOperator(kCompareOperators, token);
}

template <class T> std::unique_ptr<T> node(SourcePos pos) {
    auto n = std::make_unique<T>();
    n->pos = pos;
    return n;
}

} // namespace

ExprPtr Parser::parseScalar() {
    const Token& start = peek();
    ExprPtr expr = parseExpression(kAdditive);
    requireScalar(*expr, start);
    return expr;
}

ExprPtr Parser::parseCondition() {
    ExprPtr expr = parseExpression(kOr);
    requireCondition(*expr, peek());
    return expr;
}

void Parser::requireScalar(const Expr& expr, const Token& near) const {
    if (expr.isCondition())
        failAt(near);
}

void Parser::requireCondition(const Expr& expr, const Token& near) const {
    if (!expr.isCondition()) {
        const Token& where = (near.kind == TokenKind::EndOfInput && at_ > 0) ? tokens_[at_ - 1] : near;
        throw syntax_error::nonBooleanCondition(
            where.pos.line, where.kind == TokenKind::String || where.kind == TokenKind::NString ||
                                    where.kind == TokenKind::QuotedIdentifier
                                ? std::string_view(where.value)
                                : where.text);
    }
}

ExprPtr Parser::parseExpression(int minPrecedence) {
    DepthGuard guard(*this);
    const std::size_t begin = peek().pos.offset;
    const SourcePos startPos = peek().pos;
    ExprPtr left;
    if (isWord("NOT") && minPrecedence <= kNot) {
        advance();
        auto n = node<NotExpr>(startPos);
        const Token& operandStart = peek();
        n->operand = parseExpression(kNot);
        requireCondition(*n->operand, operandStart.kind == TokenKind::EndOfInput ? operandStart : peek());
        finish(*n, begin);
        left = std::move(n);
    } else {
        left = parsePrefix();
    }
    for (;;) {
        const Token& token = peek();
        const bool isOr = isWord("OR") && minPrecedence <= kOr;
        if (isOr || (isWord("AND") && minPrecedence <= kAnd)) {
            requireCondition(*left, token);
            advance();
            auto n = node<LogicalExpr>(startPos);
            n->op = isOr ? LogicalOp::Or : LogicalOp::And;
            n->left = std::move(left);
            n->right = parseExpression(isOr ? kAnd : kNot);
            requireCondition(*n->right, peek());
            finish(*n, begin);
            left = std::move(n);
            continue;
        }
        if (minPrecedence <= kPredicate) {
            bool matched = false;
            ExprPtr result = parsePredicateTail(std::move(left), minPrecedence, begin, matched);
            left = std::move(result);
            if (matched)
                continue;
        }
        if (const BinaryOperator* op = findBinary(token); op && op->precedence >= minPrecedence) {
            requireScalar(*left, token);
            advance();
            auto n = node<BinaryExpr>(startPos);
            n->op = op->op;
            n->left = std::move(left);
            const Token& rightStart = peek();
            n->right = parseExpression(op->precedence + 1);
            requireScalar(*n->right, rightStart);
            finish(*n, begin);
            left = std::move(n);
            continue;
        }
        if (isWord("COLLATE")) {
            requireScalar(*left, token);
            advance();
            auto n = node<CollateExpr>(startPos);
            n->collation = parseIdentifier().name;
            n->operand = std::move(left);
            finish(*n, begin);
            left = std::move(n);
            continue;
        }
        return left;
    }
}

// Comparisons and the predicates that follow a value: IS [NOT] NULL, [NOT] LIKE, [NOT] BETWEEN, [NOT] IN.
ExprPtr Parser::parsePredicateTail(ExprPtr left, int, std::size_t begin, bool& matched) {
    const Token& token = peek();
    const SourcePos startPos = left->pos;
    matched = true;
    if (const CompareOperator* op = findCompare(token)) {
        requireScalar(*left, token);
        advance();
        if (isWord("ALL") || isWord("ANY") || isWord("SOME")) {
            auto n = node<QuantifiedExpr>(startPos);
            n->op = op->op;
            n->quantifier = isWord("ALL")   ? Quantifier::All
                            : isWord("ANY") ? Quantifier::Any
                                            : Quantifier::Some;
            advance();
            expectOp("(");
            if (!startsQuery())
                fail();
            n->query = parseQuery();
            expectOp(")");
            n->left = std::move(left);
            finish(*n, begin);
            return n;
        }
        auto n = node<ComparisonExpr>(startPos);
        n->op = op->op;
        n->left = std::move(left);
        const Token& rightStart = peek();
        n->right = parseExpression(kAdditive);
        requireScalar(*n->right, rightStart);
        finish(*n, begin);
        return n;
    }
    if (isWord("IS")) {
        requireScalar(*left, token);
        advance();
        auto n = node<IsNullExpr>(startPos);
        n->negated = acceptWord("NOT");
        expectWord("NULL");
        n->operand = std::move(left);
        finish(*n, begin);
        return n;
    }
    bool negated = false;
    if (isWord("NOT") && (isWord("LIKE", 1) || isWord("BETWEEN", 1) || isWord("IN", 1))) {
        negated = true;
        advance();
    }
    if (isWord("LIKE")) {
        requireScalar(*left, token);
        advance();
        auto n = node<LikeExpr>(startPos);
        n->negated = negated;
        n->operand = std::move(left);
        n->pattern = parseScalar();
        if (acceptWord("ESCAPE"))
            n->escape = parseScalar();
        finish(*n, begin);
        return n;
    }
    if (isWord("BETWEEN")) {
        requireScalar(*left, token);
        advance();
        auto n = node<BetweenExpr>(startPos);
        n->negated = negated;
        n->operand = std::move(left);
        n->low = parseScalar();
        expectWord("AND");
        n->high = parseScalar();
        finish(*n, begin);
        return n;
    }
    if (isWord("IN")) {
        requireScalar(*left, token);
        advance();
        return parseInTail(std::move(left), negated, begin);
    }
    matched = false;
    return left;
}

ExprPtr Parser::parseInTail(ExprPtr operand, bool negated, std::size_t begin) {
    auto n = node<InExpr>(operand->pos);
    n->negated = negated;
    n->operand = std::move(operand);
    expectOp("(");
    if (startsQuery()) {
        n->subquery = parseQuery();
    } else {
        do {
            n->list.push_back(parseScalar());
        } while (acceptOp(","));
    }
    expectOp(")");
    finish(*n, begin);
    return n;
}

bool Parser::startsQuery(std::size_t ahead) const noexcept {
    if (isWord("SELECT", ahead) || isWord("WITH", ahead))
        return true;
    // ((SELECT ...) UNION ...): a parenthesized query body
    std::size_t i = ahead;
    while (isOp("(", i))
        ++i;
    return i > ahead && isWord("SELECT", i);
}

ExprPtr Parser::parsePrefix() {
    const Token& token = peek();
    const std::size_t begin = token.pos.offset;
    UnaryOp op;
    if (token.isOperator("-"))
        op = UnaryOp::Minus;
    else if (token.isOperator("+"))
        op = UnaryOp::Plus;
    else if (token.isOperator("~"))
        op = UnaryOp::BitNot;
    else
        return parsePrimary();
    advance();
    auto n = node<UnaryExpr>(token.pos);
    n->op = op;
    const Token& operandStart = peek();
    n->operand = parseExpression(kUnary);
    requireScalar(*n->operand, operandStart);
    finish(*n, begin);
    return n;
}

ExprPtr Parser::parseLiteral() {
    const Token& token = advance();
    auto n = node<LiteralExpr>(token.pos);
    n->text = std::string(token.text);
    switch (token.kind) {
    case TokenKind::String:
        n->literalKind = LiteralKind::String;
        n->value = token.value;
        break;
    case TokenKind::NString:
        n->literalKind = LiteralKind::NString;
        n->value = token.value;
        break;
    case TokenKind::Integer:
        n->literalKind = LiteralKind::Integer;
        break;
    case TokenKind::Decimal:
        n->literalKind = LiteralKind::Decimal;
        break;
    case TokenKind::Float:
        n->literalKind = LiteralKind::Float;
        break;
    case TokenKind::Binary:
        n->literalKind = LiteralKind::Binary;
        break;
    case TokenKind::Money:
        n->literalKind = LiteralKind::Money;
        break;
    default: // NULL
        n->literalKind = LiteralKind::Null;
        break;
    }
    if (n->value.empty() && n->literalKind != LiteralKind::String && n->literalKind != LiteralKind::NString)
        n->value = n->text;
    finish(*n, token.pos.offset);
    return n;
}

ExprPtr Parser::parsePrimary() {
    const Token& token = peek();
    const std::size_t begin = token.pos.offset;
    switch (token.kind) {
    case TokenKind::String:
    case TokenKind::NString:
    case TokenKind::Integer:
    case TokenKind::Decimal:
    case TokenKind::Float:
    case TokenKind::Binary:
    case TokenKind::Money:
        return parseLiteral();
    case TokenKind::Variable:
    case TokenKind::SystemVariable: {
        advance();
        auto n = std::make_unique<VariableExpr>(token.kind == TokenKind::Variable ? ExprKind::Variable
                                                                                  : ExprKind::SystemVariable);
        n->pos = token.pos;
        n->name = std::string(token.text);
        finish(*n, begin);
        return n;
    }
    case TokenKind::QuotedIdentifier:
        return parseNamePrimary();
    case TokenKind::Word:
        break;
    case TokenKind::Operator:
        if (token.isOperator("(")) {
            advance();
            if (startsQuery()) {
                auto n = node<SubqueryExpr>(token.pos);
                n->query = parseQuery();
                expectOp(")");
                finish(*n, begin);
                return n;
            }
            ExprPtr inner = parseExpression(kOr);
            expectOp(")");
            return inner;
        }
        fail();
    case TokenKind::EndOfInput:
        fail();
    }
    // Words
    if (!token.reserved)
        return parseNamePrimary();
    if (isWord("NULL"))
        return parseLiteral();
    if (isWord("CASE"))
        return parseCase();
    if (isWord("CONVERT"))
        return parseCast(CastForm::Convert);
    if (isWord("TRY_CONVERT"))
        return parseCast(CastForm::TryConvert);
    if (isWord("EXISTS")) {
        advance();
        auto n = node<ExistsExpr>(token.pos);
        expectOp("(");
        if (!startsQuery())
            fail();
        n->query = parseQuery();
        expectOp(")");
        finish(*n, begin);
        return n;
    }
    if ((isWord("COALESCE") || isWord("NULLIF") || isWord("LEFT") || isWord("RIGHT")) && isOp("(", 1)) {
        ObjectName name;
        name.pos = token.pos;
        Identifier id;
        id.name = std::string(token.text);
        id.pos = token.pos;
        name.parts.push_back(std::move(id));
        advance();
        return parseFunctionCall(std::move(name), begin);
    }
    if (isWord("CURRENT_TIMESTAMP") || isWord("CURRENT_USER") || isWord("SESSION_USER") ||
        isWord("SYSTEM_USER") || isWord("USER")) {
        advance();
        auto n = node<FunctionCallExpr>(token.pos);
        Identifier id;
        id.name = std::string(token.text);
        id.pos = token.pos;
        n->name.pos = token.pos;
        n->name.parts.push_back(std::move(id));
        n->niladic = true;
        finish(*n, begin);
        return n;
    }
    if (isWord("OPENROWSET") || isWord("OPENQUERY") || isWord("OPENDATASOURCE") || isWord("OPENXML") ||
        isWord("CONTAINS") || isWord("FREETEXT"))
        unsupported(token.text);
    fail();
}

ExprPtr Parser::parseNamePrimary() {
    const std::size_t begin = peek().pos.offset;
    if (isWord("CAST") && isOp("(", 1))
        return parseCast(CastForm::Cast);
    if (isWord("TRY_CAST") && isOp("(", 1))
        return parseCast(CastForm::TryCast);
    ObjectName name = parseObjectName(5);
    if (isOp("(")) {
        if (name.parts.size() > 4)
            fail();
        return parseFunctionCall(std::move(name), begin);
    }
    auto n = node<ColumnExpr>(name.pos);
    n->name = std::move(name);
    finish(*n, begin);
    return n;
}

ExprPtr Parser::parseFunctionCall(ObjectName name, std::size_t begin) {
    auto n = node<FunctionCallExpr>(name.pos);
    n->name = std::move(name);
    expectOp("(");
    if (isOp("*")) {
        const Token& star = advance();
        auto s = node<StarExpr>(star.pos);
        finish(*s, star.pos.offset);
        n->args.push_back(std::move(s));
    } else if (!isOp(")")) {
        if (acceptWord("DISTINCT"))
            n->distinct = true;
        else
            acceptWord("ALL");
        // IIF's first argument is a condition; every other argument is a value.
        const bool conditionFirst = n->name.parts.size() == 1 && equalsIgnoreCase(n->name.last(), "IIF");
        // A user function's parameter takes its default when the argument is DEFAULT.
        const bool userFunction = n->name.parts.size() > 1;
        do {
            if (userFunction && isWord("DEFAULT")) {
                n->args.push_back(parseDefaultKeyword());
            } else {
                n->args.push_back(conditionFirst && n->args.empty() ? parseCondition() : parseScalar());
            }
        } while (acceptOp(","));
    }
    expectOp(")");
    if (isWord("OVER"))
        unsupported("OVER (window functions)");
    if (isWord("WITHIN") && isWord("GROUP", 1))
        unsupported("WITHIN GROUP");
    finish(*n, begin);
    return n;
}

ExprPtr Parser::parseCast(CastForm form) {
    const Token& first = advance();
    auto n = node<CastExpr>(first.pos);
    n->form = form;
    expectOp("(");
    if (form == CastForm::Cast || form == CastForm::TryCast) {
        n->operand = parseScalar();
        expectWord("AS");
        n->type = parseTypeName();
    } else {
        n->type = parseTypeName();
        expectOp(",");
        n->operand = parseScalar();
        if (acceptOp(","))
            n->style = parseScalar();
    }
    expectOp(")");
    finish(*n, first.pos.offset);
    return n;
}

ExprPtr Parser::parseCase() {
    DepthGuard guard(*this);
    const Token& first = advance();
    auto n = node<CaseExpr>(first.pos);
    const bool simple = !isWord("WHEN");
    if (simple)
        n->operand = parseScalar();
    if (!isWord("WHEN"))
        fail();
    while (acceptWord("WHEN")) {
        WhenClause clause;
        clause.when = simple ? parseScalar() : parseCondition();
        expectWord("THEN");
        clause.then = parseScalar();
        n->whens.push_back(std::move(clause));
    }
    if (acceptWord("ELSE"))
        n->elseResult = parseScalar();
    expectWord("END");
    finish(*n, first.pos.offset);
    return n;
}

ExprPtr Parser::parseDefaultKeyword() {
    const Token& token = advance();
    auto d = node<DefaultExpr>(token.pos);
    finish(*d, token.pos.offset);
    return d;
}

std::vector<ExprPtr> Parser::parseExpressionList() {
    expectOp("(");
    std::vector<ExprPtr> list;
    do {
        if (isWord("DEFAULT")) {
            list.push_back(parseDefaultKeyword());
        } else {
            list.push_back(parseScalar());
        }
    } while (acceptOp(","));
    expectOp(")");
    return list;
}

} // namespace tsql::detail
