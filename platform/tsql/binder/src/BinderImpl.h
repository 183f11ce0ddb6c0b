#pragma once
// The binder's state while one statement is bound: the catalog, the variables, the scopes of the
// FROM clauses being bound, common table expressions in reach, and the numbering of sources.

#include "tsql/binder/Binder.h"

#include <map>
#include <string>
#include <vector>

namespace tsql {

// One table of a FROM clause as names see it.
struct ScopeEntry {
    std::string alias;   // the exposed name, folded
    std::string display; // the exposed name as written
    int id = 0;
    std::vector<ResultColumnInfo> columns;
    // OUTER/CROSS APPLY: each column is read from this query for the current outer row.
    std::shared_ptr<const BoundQuery> apply;
};

struct Binder::Scope {
    std::vector<ScopeEntry> entries;
    const Scope* outer = nullptr;
};

// Where aggregates may appear while an expression is bound.
enum class AggregateContext { None, Allowed, Inside };

struct Binder::Impl {
    const CatalogReader& catalog;
    VariableScope& variables;
    BinderOptions options;
    int nextSource = 0;
    struct NamedQuery {
        std::shared_ptr<const BoundQuery> query;
        std::vector<ResultColumnInfo> columns; // as the name shows them
    };
    std::vector<std::map<std::string, NamedQuery>> ctes;
    AggregateContext aggregates = AggregateContext::None;
    bool sawAggregate = false;
    std::string clause = "select list"; // for the messages about aggregates

    Impl(const CatalogReader& c, VariableScope& v, BinderOptions o) : catalog(c), variables(v), options(o) {}

    // Expressions (BindExpressions.cpp).
    BoundExprPtr expr(const Expr& e, const Scope* scope);
    BoundExprPtr condition(const Expr& e, const Scope* scope);
    BoundExprPtr function(const FunctionCallExpr& f, const Scope* scope);
    BoundExprPtr userFunction(const FunctionCallExpr& f, const Scope* scope);
    BoundExprPtr aggregate(const FunctionCallExpr& f, const std::string& name, const Scope* scope);
    BoundExprPtr column(const ColumnExpr& c, const Scope* scope);
    BoundExprPtr comparison(CompareOp op, BoundExprPtr left, BoundExprPtr right);
    BoundExprPtr caseExpr(const CaseExpr& c, const Scope* scope);

    // Queries (BindQueries.cpp).
    std::shared_ptr<const BoundQuery> query(const Query& q, const Scope* outer);
    std::shared_ptr<BoundQuery> body(const QueryBody& b, const Scope* outer, const Query* owner);
    std::unique_ptr<BoundSelect> select(const SelectSpec& s, const Scope* outer, Scope& scope);
    void orderBy(BoundQuery& q, const std::vector<OrderItem>& items, const Scope* selectScope);
    void source(const TableSource& ts, Scope& scope, BoundSelect& select, std::unique_ptr<BoundFrom>& node,
                std::vector<BoundExprPtr>& applyConditions);
    ScopeEntry& addEntry(Scope& scope, const std::string& exposed, std::vector<ResultColumnInfo> columns);
    // A CTE or view of that name, or (nullopt, `table` set) a table; 208 when there is none.
    std::optional<NamedQuery> namedQuery(const ObjectName& name, std::optional<TableInfo>& table);
    // The table a declared table variable lives in; SqlError 1087 when it is not declared.
    TableInfo variableTable(const std::string& variable) const;
};

BoundExprPtr makeNode(BoundKind kind, const DataType& type);
BoundExprPtr makeConstant(const Value& v);
// Whether the tree holds an aggregate of its own level (not inside a subquery).
bool containsAggregate(const BoundExpr& e);
[[noreturn]] void invalidObject(const ObjectName& name);
// The table's name for messages and lookups: one part, dbo.name, or tempdb..#name; 208 otherwise.
std::string tableName(const ObjectName& name);

} // namespace tsql
