#pragma once
// Query nodes: SELECT specifications, set operations, common table expressions, table sources.

#include "tsql/syntax/AstExpressions.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

struct TopClause {
    ExprPtr count;
    bool parenthesized = false; // TOP (expr)
    bool percent = false;
    bool withTies = false;
    SourcePos pos;
};

enum class AliasForm { None, As, Bare, Equals }; // x AS a | x a | a = x

enum class AssignOp { Assign, Add, Subtract, Multiply, Divide, Modulo, BitAnd, BitOr, BitXor }; // = += ...

struct SelectItem {
    ExprPtr expr;                    // a StarExpr for * and t.*
    std::optional<Identifier> alias; // also a string-literal alias ('a' = x), with quoted = true
    AliasForm aliasForm = AliasForm::None;
    std::string variable; // SELECT @v = expr: the variable, else empty
    AssignOp assignOp = AssignOp::Assign;
    SourcePos pos;
};

enum class TableSourceKind { Named, Variable, Derived, Values, Join, Apply };

struct TableSource {
    const TableSourceKind kind;
    SourcePos pos;
    virtual ~TableSource() = default;
    TableSource(const TableSource&) = delete;
    TableSource& operator=(const TableSource&) = delete;
    template <class T> const T& as() const { return static_cast<const T&>(*this); }

protected:
    explicit TableSource(TableSourceKind k) : kind(k) {}
};

using TableSourcePtr = std::unique_ptr<TableSource>;

struct NamedTableSource : TableSource { // a table, view, #temp table, or a table-valued function call
    ObjectName name;
    std::optional<std::vector<ExprPtr>> args; // set for a function call
    std::optional<Identifier> alias;
    std::vector<std::string> hints; // WITH (UPDLOCK, TABLOCKX), upper case
    NamedTableSource() : TableSource(TableSourceKind::Named) {}
};

struct VariableTableSource : TableSource { // FROM @t
    std::string variable;
    std::optional<Identifier> alias;
    VariableTableSource() : TableSource(TableSourceKind::Variable) {}
};

struct DerivedTableSource : TableSource { // (SELECT ...) AS alias [(columns)]
    QueryPtr query;
    Identifier alias;
    std::vector<Identifier> columns;
    DerivedTableSource();
    ~DerivedTableSource() override;
};

struct ValuesTableSource : TableSource { // (VALUES (...), (...)) AS alias (columns)
    std::vector<std::vector<ExprPtr>> rows;
    Identifier alias;
    std::vector<Identifier> columns;
    ValuesTableSource() : TableSource(TableSourceKind::Values) {}
};

enum class JoinKind { Inner, Left, Right, Full, Cross };

struct JoinTableSource : TableSource {
    JoinKind joinKind = JoinKind::Inner;
    TableSourcePtr left, right;
    ExprPtr on; // null for CROSS JOIN
    JoinTableSource() : TableSource(TableSourceKind::Join) {}
};

struct ApplyTableSource : TableSource {
    bool outer = false; // OUTER APPLY, else CROSS APPLY
    TableSourcePtr left, right;
    ApplyTableSource() : TableSource(TableSourceKind::Apply) {}
};

struct SelectSpec {
    bool distinct = false;
    std::optional<TopClause> top;
    std::vector<SelectItem> items;
    std::optional<ObjectName> into;   // SELECT ... INTO t
    std::vector<TableSourcePtr> from; // comma-separated sources
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    SourcePos pos;
};

enum class SetOperator { Union, Except, Intersect };

struct QueryBody;
using QueryBodyPtr = std::unique_ptr<QueryBody>;

// Either one plain SELECT or a set operation of two bodies.
struct QueryBody {
    std::unique_ptr<SelectSpec> selectSpec; // set for a plain SELECT
    SetOperator op = SetOperator::Union;
    bool all = false; // UNION ALL
    QueryBodyPtr left, right;
    SourcePos pos;
};

struct CommonTableExpr {
    Identifier name;
    std::vector<Identifier> columns;
    QueryPtr query;
    SourcePos pos;
};

struct Query {
    std::vector<CommonTableExpr> ctes;
    QueryBodyPtr body;
    std::vector<OrderItem> orderBy;
    ExprPtr offset; // OFFSET n ROWS
    ExprPtr fetch;  // FETCH NEXT n ROWS ONLY
    SourcePos pos;
    SourceRange range;
};

} // namespace tsql
