#pragma once
// Expression nodes. Conditions (comparisons, AND/OR/NOT, IS NULL, LIKE, BETWEEN, IN, EXISTS) are
// expressions too; isCondition() tells them from scalar values, as T-SQL keeps the two apart.

#include "tsql/syntax/AstCommon.h"

#include <memory>
#include <string>
#include <vector>

namespace tsql {

struct Query;

enum class ExprKind {
    Literal,
    Variable,
    SystemVariable,
    Column,
    Star,
    Default,
    Unary,
    Binary,
    Comparison,
    Logical,
    Not,
    IsNull,
    Like,
    Between,
    In,
    Exists,
    Quantified,
    Subquery,
    FunctionCall,
    Cast,
    Case,
    Collate,
};

struct Expr {
    const ExprKind kind;
    SourcePos pos;
    SourceRange range; // the bytes of the batch the expression was written as

    virtual ~Expr() = default;
    Expr(const Expr&) = delete;
    Expr& operator=(const Expr&) = delete;

    bool isCondition() const noexcept;

    template <class T> const T& as() const { return static_cast<const T&>(*this); }
    template <class T> T& as() { return static_cast<T&>(*this); }

protected:
    explicit Expr(ExprKind k) : kind(k) {}
};

using ExprPtr = std::unique_ptr<Expr>;
using QueryPtr = std::unique_ptr<Query>;

enum class LiteralKind { NString, String, Integer, Decimal, Float, Binary, Money, Null };

struct LiteralExpr : Expr {
    LiteralKind literalKind = LiteralKind::Null;
    std::string text;  // exactly as written: N'a''b', 0x1F, 60.0
    std::string value; // strings: the text between the quotes with '' undone; else same as text
    LiteralExpr() : Expr(ExprKind::Literal) {}
};

struct VariableExpr : Expr { // @name, or @@NAME as SystemVariable
    std::string name;        // with the @ or @@
    explicit VariableExpr(ExprKind k = ExprKind::Variable) : Expr(k) {}
};

struct ColumnExpr : Expr { // a possibly qualified column name
    ObjectName name;
    ColumnExpr() : Expr(ExprKind::Column) {}
};

struct StarExpr : Expr { // * or qualifier.* in a select list, * in COUNT(*)
    ObjectName qualifier;
    StarExpr() : Expr(ExprKind::Star) {}
};

struct DefaultExpr : Expr { // DEFAULT in VALUES, SET c = DEFAULT, EXEC p DEFAULT
    DefaultExpr() : Expr(ExprKind::Default) {}
};

enum class UnaryOp { Minus, Plus, BitNot };

struct UnaryExpr : Expr {
    UnaryOp op = UnaryOp::Minus;
    ExprPtr operand;
    UnaryExpr() : Expr(ExprKind::Unary) {}
};

enum class BinaryOp { Add, Subtract, Multiply, Divide, Modulo, BitAnd, BitOr, BitXor };

struct BinaryExpr : Expr {
    BinaryOp op = BinaryOp::Add;
    ExprPtr left, right;
    BinaryExpr() : Expr(ExprKind::Binary) {}
};

enum class CompareOp { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual, NotLess, NotGreater };

struct ComparisonExpr : Expr {
    CompareOp op = CompareOp::Equal;
    ExprPtr left, right;
    ComparisonExpr() : Expr(ExprKind::Comparison) {}
};

enum class LogicalOp { And, Or };

struct LogicalExpr : Expr {
    LogicalOp op = LogicalOp::And;
    ExprPtr left, right;
    LogicalExpr() : Expr(ExprKind::Logical) {}
};

struct NotExpr : Expr {
    ExprPtr operand;
    NotExpr() : Expr(ExprKind::Not) {}
};

struct IsNullExpr : Expr {
    ExprPtr operand;
    bool negated = false; // IS NOT NULL
    IsNullExpr() : Expr(ExprKind::IsNull) {}
};

struct LikeExpr : Expr {
    ExprPtr operand, pattern, escape; // escape may be null
    bool negated = false;
    LikeExpr() : Expr(ExprKind::Like) {}
};

struct BetweenExpr : Expr {
    ExprPtr operand, low, high;
    bool negated = false;
    BetweenExpr() : Expr(ExprKind::Between) {}
};

struct InExpr : Expr { // x IN (list) or x IN (subquery)
    ExprPtr operand;
    std::vector<ExprPtr> list;
    QueryPtr subquery; // set instead of list for the subquery form
    bool negated = false;
    InExpr();
    ~InExpr() override;
};

struct ExistsExpr : Expr {
    QueryPtr query;
    ExistsExpr();
    ~ExistsExpr() override;
};

enum class Quantifier { All, Any, Some };

struct QuantifiedExpr : Expr { // x > ALL (subquery)
    CompareOp op = CompareOp::Equal;
    Quantifier quantifier = Quantifier::All;
    ExprPtr left;
    QueryPtr query;
    QuantifiedExpr();
    ~QuantifiedExpr() override;
};

struct SubqueryExpr : Expr { // (SELECT ...) used as a value
    QueryPtr query;
    SubqueryExpr();
    ~SubqueryExpr() override;
};

struct FunctionCallExpr : Expr {
    ObjectName name;           // built-ins have one part; dbo.f has two
    std::vector<ExprPtr> args; // COUNT(*) holds one StarExpr
    bool distinct = false;     // COUNT(DISTINCT x)
    bool niladic = false;      // CURRENT_TIMESTAMP, USER ... written without parentheses
    FunctionCallExpr() : Expr(ExprKind::FunctionCall) {}
};

enum class CastForm { Cast, Convert, TryCast, TryConvert };

struct CastExpr : Expr {
    CastForm form = CastForm::Cast;
    ExprPtr operand;
    TypeName type;
    ExprPtr style; // CONVERT's third argument, may be null
    CastExpr() : Expr(ExprKind::Cast) {}
};

struct WhenClause {
    ExprPtr when; // a condition (searched CASE) or a value (simple CASE)
    ExprPtr then;
};

struct CaseExpr : Expr {
    ExprPtr operand; // null for the searched form
    std::vector<WhenClause> whens;
    ExprPtr elseResult; // may be null
    CaseExpr() : Expr(ExprKind::Case) {}
};

struct CollateExpr : Expr {
    ExprPtr operand;
    std::string collation;
    CollateExpr() : Expr(ExprKind::Collate) {}
};

} // namespace tsql
