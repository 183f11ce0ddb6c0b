#pragma once
// The expressions a table applies to each of its rows: computed columns and CHECK constraints. Each
// is bound once over the table's columns and then evaluated on a row's values without SQLite, so
// that checking a row never reads the rest of the table.

#include "tsql/binder/Bound.h"
#include "tsql/binder/TableInfo.h"
#include "tsql/codegen/DirectEvaluator.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tsql {

class RowExpression {
public:
    // `text` is T-SQL over the columns of `table`; a condition when `condition`. Binding errors are
    // the server's (207 for an unknown column, ...).
    RowExpression(const CatalogReader& catalog, const TableInfo& table, const std::string& text,
                  bool condition);

    const DataType& type() const { return expr_->type; }
    // The ordinals of the columns it reads.
    const std::set<int>& columns() const { return columns_; }
    // The value over the row (a condition gives bit 1, 0 or NULL); `session` answers the session
    // values the expression reads (GETDATE(), ...).
    Value evaluate(const std::vector<Value>& row, const ParameterValue& session) const;

private:
    std::shared_ptr<const BoundQuery> query_; // owns the bound tree
    BoundExpr* expr_ = nullptr;
    std::set<int> columns_;
};

// The computed columns and enabled CHECK constraints of one table.
class RowRules {
public:
    RowRules(const CatalogReader& catalog, const TableInfo& table);

    bool empty() const { return computed_.empty() && checks_.empty(); }
    // Fills the computed columns of the row from its other columns.
    void compute(std::vector<Value>& row, const ParameterValue& session) const;
    // SqlError 547 for the first CHECK the row fails (its condition FALSE; NULL passes). `verb` is
    // INSERT or UPDATE.
    void check(const std::vector<Value>& row, const ParameterValue& session, const char* verb,
               const std::string& database) const;
    const std::vector<std::size_t>& computedColumns() const { return computedOrdinals_; }

private:
    const TableInfo& table_;
    std::vector<std::pair<std::size_t, RowExpression>> computed_;
    std::vector<std::pair<const ConstraintInfo*, RowExpression>> checks_;
    std::vector<std::size_t> computedOrdinals_;
};

} // namespace tsql
