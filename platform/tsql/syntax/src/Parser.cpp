#include "ParserImpl.h"

#include "tsql/syntax/Keywords.h"
#include "tsql/syntax/Lexer.h"
#include "tsql/syntax/SyntaxError.h"

#include <charconv>
#include <stdexcept>
#include <utility>

namespace tsql {

// Out of line so that the destructors see the complete Query and ExecProcedureStmt types.
InExpr::InExpr() : Expr(ExprKind::In) {}
InExpr::~InExpr() = default;
ExistsExpr::ExistsExpr() : Expr(ExprKind::Exists) {}
ExistsExpr::~ExistsExpr() = default;
QuantifiedExpr::QuantifiedExpr() : Expr(ExprKind::Quantified) {}
QuantifiedExpr::~QuantifiedExpr() = default;
SubqueryExpr::SubqueryExpr() : Expr(ExprKind::Subquery) {}
SubqueryExpr::~SubqueryExpr() = default;
DerivedTableSource::DerivedTableSource() : TableSource(TableSourceKind::Derived) {}
DerivedTableSource::~DerivedTableSource() = default;
InsertStmt::InsertStmt() : Stmt(StmtKind::Insert) {}
InsertStmt::~InsertStmt() = default;

bool Expr::isCondition() const noexcept {
    switch (kind) {
    case ExprKind::Comparison:
    case ExprKind::Logical:
    case ExprKind::Not:
    case ExprKind::IsNull:
    case ExprKind::Like:
    case ExprKind::Between:
    case ExprKind::In:
    case ExprKind::Exists:
    case ExprKind::Quantified:
        return true;
    default:
        return false;
    }
}

std::string ObjectName::toString() const {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += '.';
        out += parts[i].name;
    }
    return out;
}

Batch parseBatch(std::string text, const ParseOptions& options) {
    if (!isValidCompatibilityLevel(options.compatibilityLevel))
        throw std::invalid_argument("unknown compatibility level " +
                                    std::to_string(options.compatibilityLevel));
    Batch batch;
    batch.text = std::move(text);
    auto tokens = tokenize(batch.text);
    detail::Parser parser(batch.text, std::move(tokens), options);
    batch.statements = parser.parseBatchStatements();
    return batch;
}

namespace detail {

Parser::Parser(std::string_view text, std::vector<Token> tokens, const ParseOptions& options)
    : text_(text), tokens_(std::move(tokens)), options_(options) {}

Parser::DepthGuard::DepthGuard(Parser& parser) : parser_(parser) {
    if (++parser_.depth_ > parser_.options_.maxNestingDepth) {
        --parser_.depth_;
        throw syntax_error::nestedTooDeeply(parser_.line());
    }
}

StmtList Parser::parseBatchStatements() {
    StmtList statements;
    bool terminated = true;
    while (!atEnd()) {
        if (acceptOp(";")) {
            terminated = true;
            continue;
        }
        if (isWord("WITH") && !terminated)
            throw syntax_error::previousStatementSemicolon(line(), peek().text);
        statements.push_back(parseStatement());
        ++topLevelStatements_;
        terminated = false;
    }
    checkLabels();
    return statements;
}

void Parser::checkLabels() const {
    for (const auto& use : gotos_) {
        bool found = false;
        for (const auto& label : labels_)
            found = found || equalsIgnoreCase(label.name, use.name);
        if (!found)
            throw syntax_error::undeclaredLabel(use.line, use.name);
    }
}

// ---- tokens

const Token& Parser::peek(std::size_t ahead) const noexcept {
    const std::size_t i = at_ + ahead;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

const Token& Parser::advance() noexcept {
    const Token& token = peek();
    if (at_ + 1 < tokens_.size())
        ++at_;
    return token;
}

bool Parser::isWord(std::string_view word, std::size_t ahead) const noexcept {
    const Token& token = peek(ahead);
    return token.kind == TokenKind::Word && equalsIgnoreCase(token.text, word);
}

bool Parser::acceptWord(std::string_view word) {
    if (!isWord(word))
        return false;
    advance();
    return true;
}

const Token& Parser::expectWord(std::string_view word) {
    if (!isWord(word))
        fail();
    return advance();
}

bool Parser::isOp(std::string_view op, std::size_t ahead) const noexcept {
    return peek(ahead).isOperator(op);
}

bool Parser::acceptOp(std::string_view op) {
    if (!isOp(op))
        return false;
    advance();
    return true;
}

const Token& Parser::expectOp(std::string_view op) {
    if (!isOp(op))
        fail();
    return advance();
}

std::size_t Parser::previousEnd() const noexcept {
    return at_ == 0 ? 0 : tokens_[at_ - 1].endOffset();
}

std::uint32_t Parser::line() const noexcept {
    if (atEnd() && at_ > 0)
        return tokens_[at_ - 1].pos.line;
    return peek().pos.line;
}

void Parser::fail() const {
    if (atEnd() && at_ > 0)
        failAt(tokens_[at_ - 1]);
    failAt(peek());
}

void Parser::failAt(const Token& token) const {
    switch (token.kind) {
    case TokenKind::Word:
        if (token.reserved)
            throw syntax_error::nearKeyword(token.pos.line, token.text);
        throw syntax_error::near(token.pos.line, token.text);
    case TokenKind::String:
    case TokenKind::NString:
    case TokenKind::QuotedIdentifier:
        throw syntax_error::near(token.pos.line, token.value);
    case TokenKind::EndOfInput:
        throw syntax_error::near(token.pos.line, "");
    default:
        throw syntax_error::near(token.pos.line, token.text);
    }
}

void Parser::unsupported(std::string_view construct) const {
    throw syntax_error::unsupported(line(), construct);
}

void Parser::requireLevel(int level, const Token& token) const {
    if (options_.compatibilityLevel < level)
        failAt(token);
}

void Parser::finish(Expr& expr, std::size_t begin) const noexcept {
    expr.range.begin = begin;
    expr.range.end = previousEnd();
}

void Parser::finish(Stmt& stmt, const Token& first) const noexcept {
    stmt.pos = first.pos;
    stmt.range.begin = first.pos.offset;
    stmt.range.end = previousEnd();
}

// ---- names and types

bool Parser::isIdentifier(std::size_t ahead) const noexcept {
    const Token& token = peek(ahead);
    return (token.kind == TokenKind::Word && !token.reserved) || token.kind == TokenKind::QuotedIdentifier;
}

bool Parser::isLabelAhead() const noexcept {
    return peek().kind == TokenKind::Word && !peek().reserved && isOp(":", 1);
}

Identifier Parser::parseIdentifier() {
    if (!isIdentifier())
        fail();
    const Token& token = advance();
    Identifier id;
    id.name = std::string(token.name());
    id.quoted = token.kind == TokenKind::QuotedIdentifier;
    id.pos = token.pos;
    return id;
}

ObjectName Parser::parseObjectName(std::size_t maxParts) {
    ObjectName name;
    name.pos = peek().pos;
    name.parts.push_back(parseIdentifier());
    while (isOp(".")) {
        if (name.parts.size() >= maxParts)
            fail();
        advance();
        if (isOp(".")) { // db..table: the schema left out
            Identifier empty;
            empty.pos = peek().pos;
            name.parts.push_back(std::move(empty));
            continue;
        }
        name.parts.push_back(parseIdentifier());
    }
    if (name.parts.back().name.empty())
        fail();
    return name;
}

std::string Parser::parseUpperWord() {
    const Token& token = peek();
    if (token.kind != TokenKind::Word)
        fail();
    advance();
    std::string word(token.text);
    for (char& c : word)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return word;
}

TypeName Parser::parseTypeName() {
    TypeName type;
    type.pos = peek().pos;
    if (isWord("DOUBLE") && isWord("PRECISION", 1)) {
        advance();
        advance();
        type.name = "FLOAT";
        return type;
    }
    Identifier first = parseIdentifier();
    if (acceptOp(".")) {
        type.schema = std::move(first.name);
        type.name = parseIdentifier().name;
    } else {
        type.name = std::move(first.name);
    }
    if (!acceptOp("("))
        return type;
    auto parseNumber = [this]() -> std::int64_t {
        const Token& token = peek();
        if (token.kind != TokenKind::Integer)
            fail();
        std::int64_t value = 0;
        const auto [end, ec] =
            std::from_chars(token.text.data(), token.text.data() + token.text.size(), value);
        if (ec != std::errc() || end != token.text.data() + token.text.size())
            fail();
        advance();
        return value;
    };
    if (isWord("MAX")) {
        advance();
        type.isMax = true;
    } else {
        type.length = parseNumber();
        if (acceptOp(","))
            type.scale = parseNumber();
    }
    expectOp(")");
    return type;
}

std::vector<Identifier> Parser::parseIdentifierList() {
    expectOp("(");
    std::vector<Identifier> ids;
    do {
        ids.push_back(parseIdentifier());
    } while (acceptOp(","));
    expectOp(")");
    return ids;
}

} // namespace detail
} // namespace tsql
