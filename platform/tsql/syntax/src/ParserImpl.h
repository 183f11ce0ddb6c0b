#pragma once
// The recursive-descent parser behind parseBatch. Its parts live in Parser*.cpp by topic.

#include "tsql/syntax/Ast.h"
#include "tsql/syntax/Parser.h"
#include "tsql/syntax/Token.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tsql::detail {

// The entry of an operator table whose text is the token's, or null.
template <class Entry, std::size_t N>
const Entry* findOperator(const std::array<Entry, N>& table, const Token& token) noexcept {
    if (token.kind != TokenKind::Operator)
        return nullptr;
    for (const auto& entry : table)
        if (entry.text == token.text)
            return &entry;
    return nullptr;
}

class Parser {
public:
    Parser(std::string_view text, std::vector<Token> tokens, const ParseOptions& options);

    StmtList parseBatchStatements();

private:
    // Counts nesting on construction and refuses it past the limit with error 191.
    class DepthGuard {
    public:
        explicit DepthGuard(Parser& parser);
        ~DepthGuard() { --parser_.depth_; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        Parser& parser_;
    };

    struct LabelUse {
        std::string name;
        std::uint32_t line;
    };

    std::string_view text_;
    std::vector<Token> tokens_;
    ParseOptions options_;
    std::size_t at_ = 0;
    std::size_t depth_ = 0;
    std::size_t topLevelStatements_ = 0; // statements of the batch parsed so far at the top level
    bool inModuleOrNested_ = false;      // parsing inside a block, IF, WHILE or a module body
    std::vector<LabelUse> labels_;
    std::vector<LabelUse> gotos_;

    // ---- tokens (Parser.cpp)
    const Token& peek(std::size_t ahead = 0) const noexcept;
    const Token& advance() noexcept;
    bool atEnd() const noexcept { return peek().kind == TokenKind::EndOfInput; }
    bool isWord(std::string_view word, std::size_t ahead = 0) const noexcept;
    bool acceptWord(std::string_view word);
    const Token& expectWord(std::string_view word);
    bool isOp(std::string_view op, std::size_t ahead = 0) const noexcept;
    bool acceptOp(std::string_view op);
    const Token& expectOp(std::string_view op);
    std::size_t previousEnd() const noexcept;
    std::uint32_t line() const noexcept;
    [[noreturn]] void fail() const;
    [[noreturn]] void failAt(const Token& token) const;
    [[noreturn]] void unsupported(std::string_view construct) const;
    void requireLevel(int level, const Token& token) const;
    void finish(Expr& expr, std::size_t begin) const noexcept;
    void finish(Stmt& stmt, const Token& first) const noexcept;

    // ---- names and types (Parser.cpp)
    bool isIdentifier(std::size_t ahead = 0) const noexcept;
    bool isLabelAhead() const noexcept;
    Identifier parseIdentifier();
    Identifier parseNameOrVariable();
    ObjectName parseObjectName(std::size_t maxParts = 4);
    TypeName parseTypeName();
    std::vector<Identifier> parseIdentifierList(); // ( a, b, c )
    std::string parseUpperWord();

    // ---- expressions (ParserExpressions.cpp)
    ExprPtr parseExpression(int minPrecedence);
    ExprPtr parseScalar();
    ExprPtr parseCondition();
    ExprPtr parsePrefix();
    ExprPtr parsePrimary();
    ExprPtr parseNamePrimary();
    ExprPtr parseFunctionCall(ObjectName name, std::size_t begin);
    ExprPtr parseCast(CastForm form);
    ExprPtr parseCase();
    ExprPtr parseLiteral();
    ExprPtr parseInTail(ExprPtr operand, bool negated, std::size_t begin);
    ExprPtr parsePredicateTail(ExprPtr left, int minPrecedence, std::size_t begin, bool& matched);
    void requireScalar(const Expr& expr, const Token& near) const;
    void requireCondition(const Expr& expr, const Token& near) const;
    std::vector<ExprPtr> parseExpressionList(); // ( a, b, c )
    ExprPtr parseDefaultKeyword();              // DEFAULT where a value may be left to its default
    bool startsQuery(std::size_t ahead = 0) const noexcept;

    // ---- queries (ParserQueries.cpp)
    QueryPtr parseQuery();
    QueryPtr parseQueryAfterCtes(std::vector<CommonTableExpr> ctes, std::size_t begin);
    std::vector<CommonTableExpr> parseCtes();
    QueryBodyPtr parseQueryUnion();
    QueryBodyPtr parseQueryIntersect();
    QueryBodyPtr parseQueryPrimary();
    std::unique_ptr<SelectSpec> parseSelectSpec();
    std::optional<TopClause> parseTop(bool allowBareNumber);
    SelectItem parseSelectItem();
    std::vector<TableSourcePtr> parseFromList();
    TableSourcePtr parseTableSource();
    TableSourcePtr parseJoinTail(TableSourcePtr left, bool& matched);
    TableSourcePtr parseTablePrimary();
    std::optional<Identifier> parseOptionalAlias();
    void parseDerivedAlias(Identifier& alias, std::vector<Identifier>& columns);
    std::vector<std::string> parseTableHints();
    std::vector<OrderItem> parseOrderBy();
    std::vector<std::vector<ExprPtr>> parseValuesRows();

    // ---- statements (ParserStatements.cpp)
    StmtList parseStatementList(bool stopAtEnd);
    StmtPtr parseStatement();
    StmtPtr parseWordStatement();
    StmtPtr parseSelectStatement();
    StmtPtr parseWithStatement();
    StmtPtr parseInsert(std::vector<CommonTableExpr> ctes, const Token& first);
    StmtPtr parseUpdate(std::vector<CommonTableExpr> ctes, const Token& first);
    StmtPtr parseDelete(std::vector<CommonTableExpr> ctes, const Token& first);
    StmtPtr parseMerge(std::vector<CommonTableExpr> ctes, const Token& first);
    DmlTarget parseDmlTarget();
    std::vector<SetClause> parseSetClauses();
    void parseDmlTail(std::vector<TableSourcePtr>& from, ExprPtr& where, std::string& currentOf);
    void parseWhereBody(ExprPtr& where, std::string& currentOf);
    void refuseOutputAndOption() const;
    StmtPtr parseDeclare();
    StmtPtr parseSet();
    StmtPtr parseSetOption(const Token& first);
    StmtPtr parseIf();
    StmtPtr parseWhile();
    StmtPtr parseBegin();
    StmtPtr parseTransactionEnd(TransactionOp op);
    StmtPtr parseReturn();
    StmtPtr parseRaiserror();
    StmtPtr parseThrow();
    StmtPtr parseExec();
    std::unique_ptr<ExecProcedureStmt> parseExecProcedure(const Token& first);
    ExecArgument parseExecArgument();
    bool startsExecArgument() const noexcept;
    StmtPtr parseCursorStatement(StmtKind kind);
    StmtPtr parseFetch();
    StmtPtr parseDeclareCursor(const Token& first);
    bool startsReturnValue() const noexcept;
    AssignOp parseAssignOp();
    bool isAssignOp(std::size_t ahead = 0) const noexcept;

    // ---- definitions (ParserDdl.cpp)
    StmtPtr parseCreateOrAlter();
    StmtPtr parseCreateTable(const Token& first);
    StmtPtr parseAlterTable(const Token& first);
    void parseAllOrNames(bool& all, std::vector<Identifier>& names);
    TableDefinition parseTableDefinition();
    ColumnDefinition parseColumnDefinition();
    TableConstraint parseTableConstraint();
    bool parseColumnConstraint(ColumnDefinition& column);
    void parseReferences(TableConstraint& constraint);
    std::vector<KeyColumn> parseKeyColumns();
    bool acceptNotForReplication();
    void parseKeyConstraintHead(TableConstraint& constraint);
    void parseCheckBody(TableConstraint& constraint);
    StmtPtr parseDrop();
    StmtPtr parseCreateIndex(const Token& first, bool unique, std::optional<bool> clustered);
    StmtPtr parseModule(const Token& first, bool alter, bool createOrAlter);
    void checkFirstInBatch(const Token& first, std::string_view statement) const;
    std::vector<ParameterDecl> parseParameters(bool parenthesized);
    std::vector<std::string> parseModuleOptions();
    StmtList parseModuleBody();
    void finishModule(ModuleHeader& header, const Token& first);
    StmtPtr parseEnableTrigger(const Token& first, bool enable);
    StmtPtr parsePermission(PermissionOp op);
    void checkLabels() const;
};

} // namespace tsql::detail
