#include "BinderImpl.h"

#include "tsql/SqlError.h"
#include "tsql/binder/Names.h"
#include "tsql/syntax/AstDefinitions.h"
#include "tsql/syntax/Parser.h"

#include <set>

namespace tsql {

void invalidObject(const ObjectName& name) {
    throw SqlError(208, 16, 1, "Invalid object name '" + name.toString() + "'.");
}

namespace {

// The name a system view is looked up by in the catalog ("sysobjects", "sys.objects",
// "INFORMATION_SCHEMA.COLUMNS"), or nullopt when the name cannot denote one. The compatibility views
// also answer to a bare or dbo. name, as on the server.
std::optional<std::string> systemViewName(const ObjectName& name) {
    static const std::set<std::string> compatibility = {"SYSOBJECTS", "SYSCOLUMNS", "SYSTYPES", "SYSCOMMENTS",
                                                        "SYSREFERENCES"};
    const auto& p = name.parts;
    if (p.empty() || p.size() > 2)
        return std::nullopt;
    const std::string schema = p.size() == 2 ? foldName(p[0].name) : "";
    if (schema == "SYS")
        return "sys." + p[1].name;
    if (schema == "INFORMATION_SCHEMA")
        return "INFORMATION_SCHEMA." + p[1].name;
    if ((schema.empty() || schema == "DBO") && compatibility.count(foldName(p.back().name)))
        return p.back().name;
    return std::nullopt;
}

} // namespace

std::string tableName(const ObjectName& name) {
    const auto& p = name.parts;
    if (systemViewName(name)) // reading them goes through namedQuery; anything else would change them
        throw SqlError(259, 16, 1, "Ad hoc updates to system catalogs are not allowed.");
    if (p.size() == 1)
        return p[0].name;
    if (p.size() == 2 && foldName(p[0].name) == "DBO")
        return p[1].name;
    if (p.size() == 3 && foldName(p[0].name) == "TEMPDB" && p[2].name.starts_with('#') &&
        (p[1].name.empty() || foldName(p[1].name) == "DBO"))
        return p[2].name;
    if (p.size() == 3 && foldName(p[1].name) == "DBO" && !p[2].name.starts_with('#'))
        invalidObject(name); // another database
    invalidObject(name);
}

namespace {

SqlError noColumnName(std::size_t column, const std::string& source) {
    return SqlError(8155, 16, 2,
                    "No column name was specified for column " + std::to_string(column + 1) + " of '" +
                        source + "'.");
}

// The columns a derived table, CTE or view shows: renamed by its column list when there is one.
std::vector<ResultColumnInfo> shownColumns(const BoundQuery& q, const std::vector<Identifier>& names,
                                           const std::string& source) {
    std::vector<ResultColumnInfo> out = q.columns;
    if (!names.empty()) {
        if (names.size() != out.size())
            throw SqlError(names.size() > out.size() ? 8158 : 8159, 16, 1,
                           "'" + source + "' has " + (names.size() > out.size() ? "more" : "fewer") +
                               " columns than were specified in the column list.");
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i].name = names[i].name;
    }
    for (std::size_t i = 0; i < out.size(); ++i)
        if (out[i].name.empty())
            throw noColumnName(i, source);
    return out;
}

void collectColumns(const BoundExpr& e, bool insideAggregate, const std::set<int>& level,
                    std::vector<const BoundExpr*>& out) {
    if (e.kind == BoundKind::Aggregate)
        insideAggregate = true;
    if (e.kind == BoundKind::Column && !insideAggregate && level.count(e.source))
        out.push_back(&e);
    for (const auto& a : e.args)
        if (a)
            collectColumns(*a, insideAggregate, level, out);
}

bool sameColumn(const BoundExpr& a, const BoundExpr& b) {
    return a.kind == BoundKind::Column && b.kind == BoundKind::Column && a.source == b.source &&
           a.ordinal == b.ordinal;
}

// Whether the two trees compute the same thing (used to match select items to GROUP BY expressions).
bool sameTree(const BoundExpr& a, const BoundExpr& b) {
    if (a.kind != b.kind || !(a.type == b.type) || a.args.size() != b.args.size())
        return false;
    switch (a.kind) {
    case BoundKind::Column:
        return sameColumn(a, b);
    case BoundKind::Constant:
        return a.constant == b.constant;
    case BoundKind::Variable:
        return a.slot == b.slot;
    case BoundKind::Arithmetic:
        if (a.arith != b.arith)
            return false;
        break;
    case BoundKind::Builtin:
        if (a.builtin != b.builtin)
            return false;
        break;
    case BoundKind::Convert:
    case BoundKind::Negate:
    case BoundKind::Coalesce:
    case BoundKind::Case:
        break;
    default:
        return false;
    }
    for (std::size_t i = 0; i < a.args.size(); ++i)
        if (!a.args[i] || !b.args[i] || !sameTree(*a.args[i], *b.args[i]))
            return false;
    return true;
}

// A grouped query may show only grouped columns and aggregates (8120, or 8127 in ORDER BY).
void checkGrouped(const BoundExpr& e, const BoundSelect& s, const std::set<int>& level, const char* clause) {
    for (const auto& g : s.groupBy)
        if (sameTree(e, *g))
            return;
    std::vector<const BoundExpr*> columns;
    collectColumns(e, false, level, columns);
    for (const BoundExpr* c : columns) {
        bool grouped = false;
        for (const auto& g : s.groupBy)
            grouped = grouped || sameColumn(*c, *g);
        if (grouped)
            continue;
        if (std::string_view(clause) == "ORDER BY")
            throw SqlError(
                8127, 16, 1,
                "Column \"" + c->name +
                    "\" is invalid in the ORDER BY clause because it is not contained in either an "
                    "aggregate function or the GROUP BY clause.");
        throw SqlError(
            8120, 16, 1,
            "Column '" + c->name + "' is invalid in the " + clause +
                " because it is not contained in either an aggregate function or the GROUP BY clause.");
    }
}

} // namespace

ScopeEntry& Binder::Impl::addEntry(Scope& scope, const std::string& exposed,
                                   std::vector<ResultColumnInfo> columns) {
    const std::string folded = foldName(exposed);
    for (const ScopeEntry& e : scope.entries)
        if (e.alias == folded)
            throw SqlError(1013, 16, 1,
                           "The objects \"" + exposed + "\" and \"" + e.display +
                               "\" in the FROM clause have the same exposed names. Use correlation names to "
                               "distinguish them.");
    scope.entries.push_back({folded, exposed, nextSource++, std::move(columns), nullptr});
    return scope.entries.back();
}

TableInfo Binder::Impl::variableTable(const std::string& variable) const {
    auto t = catalog.findTable(variables.table(variable));
    if (!t)
        throw SqlError(1087, 15, 2, "Must declare the table variable \"" + variable + "\".");
    return *t;
}

std::optional<Binder::Impl::NamedQuery> Binder::Impl::namedQuery(const ObjectName& name,
                                                                 std::optional<TableInfo>& table) {
    if (name.parts.size() == 1)
        for (auto level = ctes.rbegin(); level != ctes.rend(); ++level)
            if (auto it = level->find(foldName(name.last())); it != level->end())
                return it->second;
    if (const auto system = systemViewName(name)) {
        table = catalog.findTable(*system);
        if (!table || !table->isSystemView())
            invalidObject(name);
        return std::nullopt;
    }
    const std::string n = tableName(name);
    table = catalog.findTable(n);
    if (table)
        return std::nullopt;
    if (auto view = catalog.findView(n)) {
        const Batch b = parseBatch(view->definition, ParseOptions{options.compatibilityLevel, 128});
        if (b.statements.size() != 1 || b.statements[0]->kind != StmtKind::CreateView)
            throw SqlError(50903, 16, 1,
                           "The stored text of view '" + n + "' is not a CREATE VIEW statement.");
        const auto& v = b.statements[0]->as<CreateViewStmt>();
        std::vector<std::map<std::string, NamedQuery>> savedCtes;
        savedCtes.swap(ctes);
        const AggregateContext saved = aggregates;
        aggregates = AggregateContext::None;
        NamedQuery out;
        try {
            out.query = query(*v.query, nullptr);
        } catch (...) {
            ctes.swap(savedCtes);
            aggregates = saved;
            throw;
        }
        aggregates = saved;
        ctes.swap(savedCtes);
        out.columns = shownColumns(*out.query, v.columns, n);
        return out;
    }
    invalidObject(name);
}

void Binder::Impl::source(const TableSource& ts, Scope& scope, BoundSelect& select,
                          std::unique_ptr<BoundFrom>& node, std::vector<BoundExprPtr>& applyConditions) {
    switch (ts.kind) {
    case TableSourceKind::Named: {
        const auto& n = ts.as<NamedTableSource>();
        if (n.args)
            refuse("table-valued functions");
        std::optional<TableInfo> table;
        const auto named = namedQuery(n.name, table);
        const std::string exposed = n.alias ? n.alias->name : n.name.last();
        std::vector<ResultColumnInfo> columns;
        if (table)
            for (const auto& c : table->columns)
                columns.push_back({c.name, c.type});
        else
            columns = named->columns;
        const ScopeEntry& e = addEntry(scope, exposed, std::move(columns));
        select.sources.push_back({e.id, table ? table->storageName() : "", table ? table->name : "",
                                  named ? named->query : nullptr});
        node = std::make_unique<BoundFrom>();
        node->source = e.id;
        return;
    }
    case TableSourceKind::Derived: {
        const auto& d = ts.as<DerivedTableSource>();
        const AggregateContext saved = aggregates;
        aggregates = AggregateContext::None;
        auto q = query(*d.query, scope.outer);
        aggregates = saved;
        const ScopeEntry& e = addEntry(scope, d.alias.name, shownColumns(*q, d.columns, d.alias.name));
        select.sources.push_back({e.id, "", "", q});
        node = std::make_unique<BoundFrom>();
        node->source = e.id;
        return;
    }
    case TableSourceKind::Join: {
        const auto& j = ts.as<JoinTableSource>();
        if (j.joinKind == JoinKind::Right || j.joinKind == JoinKind::Full)
            refuse("RIGHT and FULL joins");
        auto joined = std::make_unique<BoundFrom>();
        source(*j.left, scope, select, joined->left, applyConditions);
        source(*j.right, scope, select, joined->right, applyConditions);
        joined->join = j.joinKind == JoinKind::Cross  ? BoundJoinKind::Cross
                       : j.joinKind == JoinKind::Left ? BoundJoinKind::Left
                                                      : BoundJoinKind::Inner;
        if (j.on) {
            const AggregateContext saved = aggregates;
            aggregates = AggregateContext::None;
            joined->on = condition(*j.on, &scope);
            aggregates = saved;
        }
        if (!joined->right) // the right side was an APPLY folded into the rows
            joined = std::move(joined->left);
        node = std::move(joined);
        return;
    }
    case TableSourceKind::Apply: {
        const auto& a = ts.as<ApplyTableSource>();
        source(*a.left, scope, select, node, applyConditions);
        if (a.right->kind != TableSourceKind::Derived)
            refuse("APPLY of anything but a subquery");
        const auto& d = a.right->as<DerivedTableSource>();
        const AggregateContext saved = aggregates;
        aggregates = AggregateContext::None;
        auto q = query(*d.query, &scope);
        aggregates = saved;
        ScopeEntry& e = addEntry(scope, d.alias.name, shownColumns(*q, d.columns, d.alias.name));
        e.apply = q;
        if (!a.outer) {
            auto exists = makeNode(BoundKind::Exists, DataType::of(TypeId::Bit));
            exists->query = q;
            applyConditions.push_back(std::move(exists));
        }
        return;
    }
    case TableSourceKind::Variable: {
        const auto& v = ts.as<VariableTableSource>();
        const TableInfo table = variableTable(v.variable);
        std::vector<ResultColumnInfo> columns;
        for (const auto& c : table.columns)
            columns.push_back({c.name, c.type});
        const ScopeEntry& e = addEntry(scope, v.alias ? v.alias->name : v.variable, std::move(columns));
        select.sources.push_back({e.id, table.storageName(), table.name, nullptr});
        node = std::make_unique<BoundFrom>();
        node->source = e.id;
        return;
    }
    case TableSourceKind::Values:
        refuse("VALUES as a table source");
    }
}

std::unique_ptr<BoundSelect> Binder::Impl::select(const SelectSpec& s, const Scope* outer, Scope& scope) {
    if (s.into)
        refuse("SELECT INTO");
    if (s.top && (s.top->percent || s.top->withTies))
        refuse("TOP PERCENT and WITH TIES");
    auto out = std::make_unique<BoundSelect>();
    out->distinct = s.distinct;
    scope.outer = outer;
    std::vector<BoundExprPtr> applyConditions;
    for (const auto& ts : s.from) {
        std::unique_ptr<BoundFrom> node;
        source(*ts, scope, *out, node, applyConditions);
        out->from.push_back(std::move(node));
    }
    const AggregateContext savedAggregates = aggregates;
    const bool savedSaw = sawAggregate;
    aggregates = AggregateContext::None;
    if (s.where)
        out->where = condition(*s.where, &scope);
    for (auto& c : applyConditions) {
        if (!out->where) {
            out->where = std::move(c);
            continue;
        }
        auto both = makeNode(BoundKind::And, DataType::of(TypeId::Bit));
        both->args.push_back(std::move(out->where));
        both->args.push_back(std::move(c));
        out->where = std::move(both);
    }
    for (const auto& g : s.groupBy)
        out->groupBy.push_back(expr(*g, &scope));
    aggregates = AggregateContext::Allowed;
    sawAggregate = false;
    std::size_t assignments = 0;
    for (const auto& item : s.items) {
        if (item.expr->kind == ExprKind::Star) {
            const auto& star = item.expr->as<StarExpr>();
            const std::string qualifier = star.qualifier.empty() ? "" : foldName(star.qualifier.last());
            if (s.from.empty())
                throw SqlError(263, 16, 1, "Must specify table to select from.");
            bool found = false;
            for (const ScopeEntry& e : scope.entries) {
                if (!qualifier.empty() && e.alias != qualifier)
                    continue;
                found = true;
                for (std::size_t i = 0; i < e.columns.size(); ++i) {
                    ColumnExpr c;
                    c.name.parts = {Identifier{e.display, false, {}},
                                    Identifier{e.columns[i].name, false, {}}};
                    out->items.push_back({e.columns[i].name, column(c, &scope), -1});
                }
            }
            if (!found)
                throw SqlError(4104, 16, 1,
                               "The multi-part identifier \"" + star.qualifier.toString() +
                                   "\" could not be bound.");
            continue;
        }
        BoundItem bound;
        bound.expr = expr(*item.expr, &scope);
        if (item.alias)
            bound.name = item.alias->name;
        else if (item.expr->kind == ExprKind::Column)
            bound.name = item.expr->as<ColumnExpr>().name.last();
        if (!item.variable.empty()) {
            ++assignments;
            if (item.assignOp != AssignOp::Assign)
                refuse("compound assignment operators");
            const VariableInfo* v = variables.find(item.variable);
            if (!v)
                throw SqlError(137, 15, 2, "Must declare the scalar variable \"" + item.variable + "\".");
            bound.variableSlot = v->slot;
        }
        out->items.push_back(std::move(bound));
    }
    if (assignments != 0 && assignments != out->items.size())
        throw SqlError(141, 15, 1,
                       "A SELECT statement that assigns a value to a variable must not be combined with "
                       "data-retrieval operations.");
    if (s.having) {
        out->having = condition(*s.having, &scope);
    }
    out->grouped = !out->groupBy.empty() || sawAggregate;
    if (out->grouped) {
        std::set<int> level;
        for (const ScopeEntry& e : scope.entries)
            level.insert(e.id);
        for (const auto& item : out->items)
            checkGrouped(*item.expr, *out, level, "select list");
        if (out->having)
            checkGrouped(*out->having, *out, level, "HAVING clause");
    }
    aggregates = savedAggregates;
    sawAggregate = savedSaw;
    if (s.top) {
        auto count = expr(*s.top->count, &scope);
        out->top =
            Binder::convertTo(std::move(count), DataType::of(TypeId::BigInt), ConversionMode::Implicit);
    }
    return out;
}

std::shared_ptr<BoundQuery> Binder::Impl::body(const QueryBody& b, const Scope* outer, const Query* owner) {
    auto q = std::make_shared<BoundQuery>();
    if (b.selectSpec) {
        auto scope = std::make_shared<Scope>();
        q->select = select(*b.selectSpec, outer, *scope);
        for (const auto& item : q->select->items)
            q->columns.push_back(
                {item.name, item.expr->untypedNull ? DataType::of(TypeId::Int) : item.expr->type});
        if (owner && !owner->orderBy.empty()) {
            const AggregateContext saved = aggregates;
            aggregates = q->select->grouped ? AggregateContext::Allowed : AggregateContext::None;
            orderBy(*q, owner->orderBy, scope.get());
            aggregates = saved;
        }
        return q;
    }
    q->op = b.op;
    q->all = b.all;
    auto left = body(*b.left, outer, nullptr);
    auto right = body(*b.right, outer, nullptr);
    if (left->columns.size() != right->columns.size())
        throw SqlError(
            205, 16, 1,
            "All queries combined using a UNION, INTERSECT or EXCEPT operator must have an equal number "
            "of expressions in their target lists.");
    for (std::size_t i = 0; i < left->columns.size(); ++i)
        q->columns.push_back(
            {left->columns[i].name, combinedType({left->columns[i].type, right->columns[i].type})});
    q->left = left;
    q->right = right;
    if (owner && !owner->orderBy.empty())
        orderBy(*q, owner->orderBy, nullptr);
    return q;
}

void Binder::Impl::orderBy(BoundQuery& q, const std::vector<OrderItem>& items, const Scope* selectScope) {
    for (const OrderItem& item : items) {
        BoundOrder o;
        o.descending = item.descending;
        const Expr& e = *item.expr;
        if (e.kind == ExprKind::Literal && e.as<LiteralExpr>().literalKind == LiteralKind::Integer) {
            const long long position = std::stoll(e.as<LiteralExpr>().value);
            if (position < 1 || position > static_cast<long long>(q.columns.size()))
                throw SqlError(108, 16, 1,
                               "The ORDER BY position number " + std::to_string(position) +
                                   " is out of range of the number of items in the select list.");
            o.column = static_cast<int>(position - 1);
        } else if (e.kind == ExprKind::Column && e.as<ColumnExpr>().name.parts.size() == 1) {
            const std::string folded = foldName(e.as<ColumnExpr>().name.last());
            for (std::size_t i = 0; i < q.columns.size() && o.column < 0; ++i)
                if (foldName(q.columns[i].name) == folded)
                    o.column = static_cast<int>(i);
        }
        if (o.column < 0) {
            if (!q.select)
                throw SqlError(
                    104, 16, 1,
                    "ORDER BY items must appear in the select list if the statement contains a UNION, "
                    "INTERSECT or EXCEPT operator.");
            o.expr = expr(e, selectScope);
            for (std::size_t i = 0; i < q.select->items.size() && o.column < 0; ++i)
                if (sameTree(*o.expr, *q.select->items[i].expr))
                    o.column = static_cast<int>(i);
            if (o.column >= 0) {
                o.expr.reset();
            } else if (q.select->distinct) {
                throw SqlError(
                    145, 15, 1,
                    "ORDER BY items must appear in the select list if SELECT DISTINCT is specified.");
            } else if (q.select->grouped) {
                std::set<int> level;
                for (const auto& s : q.select->sources)
                    level.insert(s.id);
                checkGrouped(*o.expr, *q.select, level, "ORDER BY");
            }
        }
        q.orderBy.push_back(std::move(o));
    }
}

std::shared_ptr<const BoundQuery> Binder::Impl::query(const Query& q, const Scope* outer) {
    if (q.offset || q.fetch) {
        if (options.compatibilityLevel < 110)
            throw SqlError(102, 15, 1, "Incorrect syntax near 'OFFSET'.");
        refuse("OFFSET ... FETCH");
    }
    ctes.emplace_back();
    try {
        for (const auto& cte : q.ctes) {
            auto bound = query(*cte.query, outer);
            auto shown = shownColumns(*bound, cte.columns, cte.name.name);
            ctes.back()[foldName(cte.name.name)] = NamedQuery{std::move(bound), std::move(shown)};
        }
        auto out = body(*q.body, outer, &q);
        ctes.pop_back();
        return out;
    } catch (...) {
        ctes.pop_back();
        throw;
    }
}

} // namespace tsql
