#include "BinderImpl.h"

#include "tsql/SqlError.h"
#include "tsql/binder/Names.h"
#include "tsql/syntax/Parser.h"

namespace tsql {

Binder::Binder(const CatalogReader& catalog, VariableScope& variables, BinderOptions options)
    : impl_(std::make_unique<Impl>(catalog, variables, options)) {}

Binder::~Binder() = default;

BoundExprPtr Binder::scalar(const Expr& e) {
    if (e.isCondition())
        throw SqlError(
            4145, 15, 1,
            "An expression of non-boolean type specified in a context where a condition is expected.");
    return impl_->expr(e, nullptr);
}

BoundExprPtr Binder::condition(const Expr& e) {
    return impl_->condition(e, nullptr);
}

std::shared_ptr<const BoundQuery> Binder::query(const Query& q) {
    return impl_->query(q, nullptr);
}

BoundExprPtr Binder::defaultValue(const ColumnInfo& column) {
    if (column.defaultExpression.empty())
        return nullptr;
    const Batch b = parseBatch("SELECT " + column.defaultExpression);
    const auto& items = b.statements.at(0)->as<SelectStmt>().query->body->selectSpec->items;
    return impl_->expr(*items.at(0).expr, nullptr);
}

namespace {

TableInfo targetTable(const CatalogReader& catalog, const ObjectName& name) {
    auto t = catalog.findTable(tableName(name));
    if (!t) {
        if (catalog.findView(tableName(name)))
            refuse("changing rows through a view");
        invalidObject(name);
    }
    return *t;
}

SqlError computedWrite(const ColumnInfo& c) {
    return SqlError(
        271, 16, 1,
        "The column \"" + c.name +
            "\" cannot be modified because it is either a computed column or is the result of a UNION "
            "operator.");
}

SqlError identityInsert(const TableInfo& t) {
    return SqlError(544, 16, 1,
                    "Cannot insert explicit value for identity column in table '" + t.name +
                        "' when IDENTITY_INSERT is set to OFF.");
}

} // namespace

BoundInsert Binder::insert(const InsertStmt& s) {
    if (!s.ctes.empty() || s.top)
        refuse("INSERT with WITH or TOP");
    if (s.sourceKind == InsertSourceKind::Exec)
        refuse("INSERT ... EXECUTE");
    BoundInsert out;
    out.table = s.target.variable.empty() ? targetTable(impl_->catalog, s.target.name)
                                          : impl_->variableTable(s.target.variable);
    const TableInfo& t = out.table;
    const auto identity = t.identityColumn();
    if (s.columns.empty()) {
        for (std::size_t i = 0; i < t.columns.size(); ++i)
            if (i != identity && !t.columns[i].isComputed())
                out.targets.push_back(i);
    } else {
        for (const Identifier& c : s.columns) {
            auto i = t.findColumn(c.name);
            if (!i)
                throw SqlError(207, 16, 1, "Invalid column name '" + c.name + "'.");
            if (i == identity)
                throw identityInsert(t);
            if (t.columns[*i].isComputed())
                throw computedWrite(t.columns[*i]);
            out.targets.push_back(*i);
        }
    }
    for (const auto& c : t.columns)
        out.defaults.push_back(defaultValue(c));
    if (s.sourceKind == InsertSourceKind::Values) {
        for (const auto& exprs : s.rows) {
            if (exprs.size() != out.targets.size()) {
                const bool more = exprs.size() > out.targets.size();
                throw SqlError(
                    more ? 110 : 109, 15, 1,
                    std::string("There are ") + (more ? "fewer" : "more") +
                        " columns in the INSERT statement than values specified in the VALUES clause. "
                        "The number of values in the VALUES clause must match the number of columns "
                        "specified in the INSERT statement.");
            }
            std::vector<BoundExprPtr> row;
            for (const auto& e : exprs)
                row.push_back(e->kind == ExprKind::Default ? nullptr : impl_->expr(*e, nullptr));
            out.rows.push_back(std::move(row));
        }
    } else if (s.sourceKind == InsertSourceKind::Query) {
        out.query = impl_->query(*s.query, nullptr);
        if (out.query->columns.size() != out.targets.size())
            throw SqlError(
                out.query->columns.size() < out.targets.size() ? 120 : 121, 15, 1,
                "The select list for the INSERT statement contains " +
                    std::string(out.query->columns.size() < out.targets.size() ? "fewer" : "more") +
                    " items than the insert list. The number of SELECT values must match the number of "
                    "INSERT columns.");
    } else {
        out.targets.clear(); // DEFAULT VALUES: every column takes its default
        out.rows.emplace_back();
    }
    return out;
}

namespace {

BoundExprPtr allOf(BoundExprPtr a, BoundExprPtr b) {
    if (!a)
        return b;
    if (!b)
        return a;
    auto n = makeNode(BoundKind::And, DataType::of(TypeId::Bit));
    n->args.push_back(std::move(a));
    n->args.push_back(std::move(b));
    return n;
}

} // namespace

// The target and FROM clause of UPDATE or DELETE, and its WHERE; the target is the source exposed
// under the target's name, or the table of that name.
void Binder::bindChange(const DmlTarget& target, const std::vector<TableSourcePtr>& from, const Expr* where,
                        BoundChange& out, Scope& scope) {
    Impl& impl = *impl_;
    std::vector<BoundExprPtr> applyConditions;
    out.select = std::make_unique<BoundSelect>();
    BoundSelect& select = *out.select;
    if (from.empty()) {
        const bool variable = !target.variable.empty();
        out.table = variable ? impl.variableTable(target.variable) : targetTable(impl.catalog, target.name);
        std::vector<ResultColumnInfo> columns;
        for (const auto& c : out.table.columns)
            columns.push_back({c.name, c.type});
        const ScopeEntry& e =
            impl.addEntry(scope, variable ? target.variable : target.name.last(), std::move(columns));
        select.sources.push_back({e.id, out.table.storageName(), out.table.name, nullptr});
        auto leaf = std::make_unique<BoundFrom>();
        leaf->source = e.id;
        select.from.push_back(std::move(leaf));
        out.target = e.id;
    } else {
        for (const auto& ts : from) {
            std::unique_ptr<BoundFrom> node;
            impl.source(*ts, scope, select, node, applyConditions);
            select.from.push_back(std::move(node));
        }
        const bool variable = !target.variable.empty();
        const std::string exposed = foldName(variable ? target.variable : target.name.last());
        out.target = -1;
        for (const ScopeEntry& e : scope.entries)
            if ((variable || target.name.parts.size() == 1) && e.alias == exposed)
                out.target = e.id;
        const std::string name =
            foldName(variable ? impl.variables.table(target.variable) : tableName(target.name));
        for (const auto& s : select.sources)
            if (out.target < 0 && !s.table.empty() && foldName(s.table) == name)
                out.target = s.id;
        if (out.target < 0)
            refuse("UPDATE and DELETE of a table that is not in their FROM clause");
        for (const auto& s : select.sources)
            if (s.id == out.target) {
                if (s.table.empty())
                    refuse("changing rows through a view or derived table");
                out.table = targetTable(impl.catalog, ObjectName{{Identifier{s.table, false, {}}}, {}});
            }
    }
    if (where)
        select.where = impl.condition(*where, &scope);
    for (auto& c : applyConditions)
        select.where = allOf(std::move(select.where), std::move(c));
}

BoundUpdate Binder::update(const UpdateStmt& s) {
    if (!s.ctes.empty() || s.top || !s.currentOf.empty())
        refuse("UPDATE with WITH, TOP or CURRENT OF");
    BoundUpdate out;
    Scope scope;
    bindChange(s.target, s.from, s.where.get(), out, scope);
    for (const SetClause& set : s.sets) {
        if (!set.variable.empty() || set.column.empty())
            refuse("setting variables in UPDATE");
        if (set.op != AssignOp::Assign)
            refuse("compound assignment operators");
        const auto column = out.table.findColumn(set.column.last());
        if (!column)
            throw SqlError(207, 16, 1, "Invalid column name '" + set.column.last() + "'.");
        if (out.table.columns[*column].isComputed())
            throw computedWrite(out.table.columns[*column]);
        if (out.table.columns[*column].identitySeed)
            throw SqlError(8102, 16, 1,
                           "Cannot update identity column '" + out.table.columns[*column].name + "'.");
        BoundItem item;
        item.name = out.table.columns[*column].name;
        if (set.value->kind == ExprKind::Default) {
            item.expr = defaultValue(out.table.columns[*column]);
            if (!item.expr)
                item.expr = makeConstant(Value::null(out.table.columns[*column].type));
        } else {
            item.expr = impl_->expr(*set.value, &scope);
        }
        out.columns.push_back(*column);
        out.select->items.push_back(std::move(item));
    }
    return out;
}

BoundDelete Binder::remove(const DeleteStmt& s) {
    if (!s.ctes.empty() || s.top || !s.currentOf.empty())
        refuse("DELETE with WITH, TOP or CURRENT OF");
    BoundDelete out;
    Scope scope;
    bindChange(s.target, s.from, s.where.get(), out, scope);
    return out;
}

} // namespace tsql
