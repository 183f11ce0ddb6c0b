#include "RowExpressions.h"

#include "ServerText.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"
#include "tsql/syntax/Parser.h"

namespace tsql {

namespace {

// The catalog with one table replaced by the given one, which may not be recorded yet.
class WithTable : public CatalogReader {
public:
    WithTable(const CatalogReader& base, const TableInfo& table) : base_(base), table_(table) {}
    std::optional<TableInfo> findTable(std::string_view name) const override {
        if (foldName(name) == foldName(table_.name))
            return table_;
        return base_.findTable(name);
    }
    std::optional<ViewInfo> findView(std::string_view name) const override { return base_.findView(name); }
    std::optional<ViewInfo> findFunction(std::string_view name) const override {
        return base_.findFunction(name);
    }

private:
    const CatalogReader& base_;
    const TableInfo& table_;
};

// Column references become row parameters: the variable slot is the column's ordinal.
void toRowParameters(BoundExpr& e, std::set<int>& columns) {
    if (e.kind == BoundKind::Column) {
        e.kind = BoundKind::Variable;
        e.slot = e.ordinal;
        columns.insert(e.ordinal);
    }
    for (auto& a : e.args)
        if (a)
            toRowParameters(*a, columns);
}

} // namespace

RowExpression::RowExpression(const CatalogReader& catalog, const TableInfo& table, const std::string& text,
                             bool condition) {
    const std::string from = " FROM " + bracketed(table.name);
    const Batch batch =
        parseBatch(condition ? "SELECT 1" + from + " WHERE " + text : "SELECT " + text + from);
    if (batch.statements.size() != 1 || batch.statements[0]->kind != StmtKind::Select)
        throw SqlError(102, 15, 1, "Incorrect syntax near '" + text + "'.");
    WithTable withTable(catalog, table);
    VariableScope none;
    Binder binder(withTable, none);
    query_ = binder.query(*batch.statements[0]->as<SelectStmt>().query);
    BoundSelect& select = *query_->select;
    expr_ = condition ? select.where.get() : select.items.at(0).expr.get();
    toRowParameters(*expr_, columns_);
    if (!isDirect(*expr_))
        refuse("computed columns and CHECK constraints that read tables or call user functions");
}

Value RowExpression::evaluate(const std::vector<Value>& row, const ParameterValue& session) const {
    return evaluateDirect(*expr_, [&](const BoundExpr& e) {
        if (e.kind == BoundKind::Variable)
            return row.at(static_cast<std::size_t>(e.slot));
        return session(e);
    });
}

RowRules::RowRules(const CatalogReader& catalog, const TableInfo& table) : table_(table) {
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].isComputed()) {
            computed_.emplace_back(i, RowExpression(catalog, table, table.columns[i].computedText, false));
            computedOrdinals_.push_back(i);
        }
    for (const ConstraintInfo& c : table.constraints)
        if (c.type == ConstraintType::Check && !c.disabled)
            checks_.emplace_back(&c, RowExpression(catalog, table, c.checkText, true));
}

void RowRules::compute(std::vector<Value>& row, const ParameterValue& session) const {
    for (const auto& [ordinal, e] : computed_) {
        const Value v = e.evaluate(row, session);
        const DataType& type = table_.columns[ordinal].type;
        row[ordinal] = v.isNull() ? Value::null(type) : v.type() == type ? v : convert(v, type);
    }
}

void RowRules::check(const std::vector<Value>& row, const ParameterValue& session, const char* verb,
                     const std::string& database) const {
    for (const auto& [c, e] : checks_) {
        const Value v = e.evaluate(row, session);
        if (v.isNull() || v.asBool())
            continue;
        std::string text = std::string("The ") + verb + " statement conflicted with the CHECK constraint \"" +
                           c->name + "\". The conflict occurred in database \"" + database + "\", table \"" +
                           (table_.schema == "temp" ? "" : "dbo.") + table_.name + "\"";
        if (c->columns.size() == 1)
            text += ", column '" + table_.columns[static_cast<std::size_t>(c->columns[0])].name + "'";
        throw SqlError(547, 16, 0, text + ".");
    }
}

} // namespace tsql
