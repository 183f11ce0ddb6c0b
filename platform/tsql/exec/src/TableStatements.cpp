#include "TableStatements.h"

#include "ExpressionEvaluator.h"
#include "SqliteStatement.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/TypeRules.h"
#include "tsql/syntax/Parser.h"

#include <algorithm>
#include <charconv>

namespace tsql {
namespace {

std::string tableNameOf(const ObjectName& name) {
    if (name.parts.size() > 2 || (name.parts.size() == 2 && foldName(name.parts[0].name) != "DBO"))
        refuse("names with a database or a schema other than dbo (" + name.toString() + ")");
    return name.last();
}

std::vector<int> keyOrdinals(const TableInfo& t, const std::vector<KeyColumn>& columns) {
    std::vector<int> out;
    for (const auto& c : columns) {
        auto i = t.findColumn(c.name.name);
        if (!i)
            throw SqlError(1911, 16, 1,
                           "Column name '" + c.name.name + "' does not exist in the target table or view.");
        out.push_back(static_cast<int>(*i));
    }
    return out;
}

void addKey(TableInfo& t, const TableConstraint& c, std::vector<int> columns) {
    if (c.kind != ConstraintKind::PrimaryKey && c.kind != ConstraintKind::Unique)
        refuse(c.kind == ConstraintKind::Check ? "CHECK constraints" : "FOREIGN KEY constraints");
    const bool primary = c.kind == ConstraintKind::PrimaryKey;
    if (primary)
        for (const KeyInfo& k : t.keys)
            if (k.primary)
                throw SqlError(8110, 16, 0,
                               "Cannot add multiple PRIMARY KEY constraints to table '" + t.name + "'.");
    std::string name = c.name ? c.name->name : (primary ? "PK__" : "UQ__") + t.name;
    if (!c.name && !primary)
        name += "__" + std::to_string(t.keys.size());
    if (primary)
        for (int col : columns)
            t.columns[static_cast<std::size_t>(col)].nullable = false;
    t.keys.push_back({std::move(name), primary, std::move(columns)});
}

// The ordinals named in SQLite's "UNIQUE constraint failed: tsql_t1.c0, tsql_t1.c2".
std::vector<int> failedColumns(const std::string& message) {
    std::vector<int> out;
    std::size_t at = 0;
    while ((at = message.find(".c", at)) != std::string::npos) {
        at += 2;
        out.push_back(std::stoi(message.substr(at)));
    }
    return out;
}

[[noreturn]] void duplicateKey(const TableInfo& t, const std::vector<Value>& row,
                               const std::string& message) {
    const std::vector<int> columns = failedColumns(message);
    for (const KeyInfo& k : t.keys) {
        if (k.columns != columns)
            continue;
        std::string values;
        for (int c : k.columns)
            values += (values.empty() ? "" : ", ") + row[static_cast<std::size_t>(c)].toDisplayString();
        throw SqlError(2627, 14, 1,
                       std::string("Violation of ") + (k.primary ? "PRIMARY KEY" : "UNIQUE KEY") +
                           " constraint '" + k.name + "'. Cannot insert duplicate key in object 'dbo." +
                           t.name + "'. The duplicate key value is (" + values + ").");
    }
    throw SqlError(50902, 16, 1, "The storage failed: " + message);
}

Value storeForm(const Value& v, const ColumnInfo& c, const TableInfo& t, const char* verb) {
    if (v.isNull()) {
        if (!c.nullable)
            throw SqlError(515, 16, 2,
                           "Cannot insert the value NULL into column '" + c.name + "', table 'dbo." + t.name +
                               "'; column does not allow nulls. " + verb + " fails.");
        return Value::null(c.type);
    }
    return v.type() == c.type ? v : convert(v, c.type, ConversionMode::Store);
}

void collectNamed(const TableSource& ts, std::vector<const NamedTableSource*>& out) {
    switch (ts.kind) {
    case TableSourceKind::Named: {
        const auto& n = ts.as<NamedTableSource>();
        if (n.args)
            refuse("table-valued functions");
        out.push_back(&n);
        return;
    }
    case TableSourceKind::Join: {
        const auto& j = ts.as<JoinTableSource>();
        if (j.joinKind == JoinKind::Right || j.joinKind == JoinKind::Full)
            refuse("RIGHT and FULL joins");
        collectNamed(*j.left, out);
        collectNamed(*j.right, out);
        return;
    }
    case TableSourceKind::Apply:
        refuse("CROSS APPLY and OUTER APPLY");
    case TableSourceKind::Derived:
        refuse("derived tables");
    case TableSourceKind::Variable:
        refuse("table variables");
    case TableSourceKind::Values:
        refuse("VALUES as a table source");
    }
}

// An IDENTITY seed or increment as written; it must fit the column's type.
std::int64_t identityNumber(const std::string& text, const DataType& type) {
    std::int64_t v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data() + (text.starts_with('+') ? 1 : 0), end, v);
    if (ec != std::errc() || ptr != end)
        throw SqlError(8115, 16, 1,
                       "Arithmetic overflow error converting IDENTITY to data type " +
                           std::string(type.name()) + ".");
    convert(Value::integer(v, TypeId::BigInt), type, ConversionMode::Store);
    return v;
}

// Rows equal as DISTINCT sees them: NULLs equal each other, text compared with the collation.
bool sameRow(const std::vector<Value>& a, const std::vector<Value>& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].isNull() != b[i].isNull())
            return false;
        if (!a[i].isNull() && compareValues(a[i], b[i]) != 0)
            return false;
    }
    return true;
}

bool lessThan(const Value& a, const Value& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() && !b.isNull(); // NULLs sort first
    return compareValues(a, b) < 0;
}

} // namespace

TableInfo TableStatements::table(const ObjectName& name) const {
    const std::string n = tableNameOf(name);
    auto t = catalogFor(n).find(n);
    if (!t)
        throw SqlError(208, 16, 1, "Invalid object name '" + name.toString() + "'.");
    return *t;
}

TableStatements::Source TableStatements::load(const TableInfo& t) const {
    Source s{t, {}, {}};
    std::string sql = "SELECT rowid";
    for (std::size_t i = 0; i < t.columns.size(); ++i)
        sql += ", " + TableInfo::storageColumn(i);
    SqliteStatement q(db_, sql + " FROM " + t.storageName() + " ORDER BY rowid");
    while (q.step()) {
        s.rowids.push_back(q.intAt(0));
        std::vector<Value> row;
        for (std::size_t i = 0; i < t.columns.size(); ++i)
            row.push_back(q.valueAt(static_cast<int>(i + 1), t.columns[i].type));
        s.rows.push_back(std::move(row));
    }
    return s;
}

void TableStatements::createTable(const CreateTableStmt& s, const Batch& batch) {
    TableInfo t;
    t.name = tableNameOf(s.name);
    for (const ColumnDefinition& d : s.definition.columns) {
        if (d.computed || !d.type)
            refuse("computed columns");
        if (t.findColumn(d.name.name))
            throw SqlError(2705, 16, 3,
                           "Column names in each table must be unique. Column name '" + d.name.name +
                               "' in table '" + t.name + "' is specified more than once.");
        ColumnInfo c;
        c.name = d.name.name;
        c.type = resolveType(*d.type, LengthDefault::Declaration);
        c.nullable = d.nullable.value_or(!d.identity);
        if (d.identity) {
            c.identitySeed = identityNumber(d.identity->seed, c.type);
            c.identityIncrement = identityNumber(d.identity->increment, c.type);
        }
        if (d.defaultValue)
            c.defaultExpression = std::string(batch.textOf(d.defaultValue->value->range));
        t.columns.push_back(std::move(c));
    }
    for (std::size_t i = 0; i < s.definition.columns.size(); ++i)
        for (const TableConstraint& c : s.definition.columns[i].constraints)
            addKey(t, c, {static_cast<int>(i)});
    for (const TableConstraint& c : s.definition.constraints)
        addKey(t, c, keyOrdinals(t, c.columns));
    Catalog& catalog = catalogFor(t.name);
    catalog.create(std::move(t));
}

void TableStatements::drop(const DropStmt& s) {
    if (s.objectKind != ObjectKind::Table)
        refuse("DROP of objects other than tables");
    for (const DropTarget& target : s.targets) {
        const std::string name = tableNameOf(target.name);
        if (s.ifExists && !catalogFor(name).find(name))
            continue;
        catalogFor(name).drop(name);
    }
}

Value TableStatements::defaultOf(const ColumnInfo& c) {
    if (c.defaultExpression.empty())
        return Value::null(c.type);
    const Batch b = parseBatch("SELECT " + c.defaultExpression);
    const auto& item = b.statements.at(0)->as<SelectStmt>().query->body->selectSpec->items.at(0);
    const SourcesInScope noSources(context_, nullptr);
    return evaluateScalar(*item.expr, context_);
}

void TableStatements::storeRow(const TableInfo& t, const std::vector<Value>& row,
                               std::optional<std::int64_t> rowid, const char* verb) {
    std::string sql;
    if (rowid) {
        sql = "UPDATE " + t.storageName() + " SET ";
        for (std::size_t i = 0; i < row.size(); ++i)
            sql += (i ? ", " : "") + TableInfo::storageColumn(i) + " = ?" + std::to_string(i + 1);
        sql += " WHERE rowid = ?" + std::to_string(row.size() + 1);
    } else {
        sql = "INSERT INTO " + t.storageName() + " VALUES (";
        for (std::size_t i = 0; i < row.size(); ++i)
            sql += (i ? ", ?" : "?") + std::to_string(i + 1);
        sql += ")";
    }
    SqliteStatement q(db_, sql);
    for (std::size_t i = 0; i < row.size(); ++i)
        q.bind(static_cast<int>(i + 1), storeForm(row[i], t.columns[i], t, verb));
    if (rowid)
        q.bindInt(static_cast<int>(row.size() + 1), *rowid);
    std::string constraint;
    q.step(&constraint);
    if (!constraint.empty())
        duplicateKey(t, row, constraint);
}

std::int64_t TableStatements::insert(const InsertStmt& s) {
    if (!s.ctes.empty() || s.top || !s.target.variable.empty())
        refuse("INSERT with WITH, TOP or a table variable");
    if (s.sourceKind == InsertSourceKind::Exec)
        refuse("INSERT ... EXECUTE");
    const TableInfo t = table(s.target.name);
    const auto identity = t.identityColumn();
    std::vector<std::size_t> targets;
    if (s.columns.empty()) {
        for (std::size_t i = 0; i < t.columns.size(); ++i)
            if (i != identity)
                targets.push_back(i);
    } else {
        for (const Identifier& c : s.columns) {
            auto i = t.findColumn(c.name);
            if (!i)
                throw SqlError(207, 16, 1, "Invalid column name '" + c.name + "'.");
            if (i == identity)
                throw SqlError(544, 16, 1,
                               "Cannot insert explicit value for identity column in table '" + t.name +
                                   "' when IDENTITY_INSERT is set to OFF.");
            targets.push_back(*i);
        }
    }
    std::vector<std::vector<Value>> sourceRows;
    if (s.sourceKind == InsertSourceKind::Values) {
        for (const auto& exprs : s.rows) {
            if (exprs.size() != targets.size())
                throw SqlError(exprs.size() > targets.size() ? 110 : 109, 15, 1,
                               exprs.size() > targets.size()
                                   ? "There are fewer columns in the INSERT statement than values specified "
                                     "in the VALUES clause. The number of values in the VALUES clause must "
                                     "match the number of columns specified in the INSERT statement."
                                   : "There are more columns in the INSERT statement than values specified "
                                     "in the VALUES clause. The number of values in the VALUES clause must "
                                     "match the number of columns specified in the INSERT statement.");
            std::vector<Value> row;
            for (std::size_t i = 0; i < exprs.size(); ++i)
                row.push_back(exprs[i]->kind == ExprKind::Default ? defaultOf(t.columns[targets[i]])
                                                                  : evaluateScalar(*exprs[i], context_));
            sourceRows.push_back(std::move(row));
        }
    } else if (s.sourceKind == InsertSourceKind::Query) {
        const Query& q = *s.query;
        if (!q.ctes.empty() || !q.body->selectSpec)
            refuse("INSERT ... SELECT with WITH or UNION");
        ResultSet set = select(*q.body->selectSpec, q.orderBy, nullptr);
        if (set.columns.size() != targets.size())
            throw SqlError(120, 15, 1,
                           "The select list for the INSERT statement contains " +
                               std::string(set.columns.size() < targets.size() ? "fewer" : "more") +
                               " items than the insert list. The number of SELECT values must match the "
                               "number of INSERT columns.");
        sourceRows = std::move(set.rows);
    } else {
        targets.clear(); // DEFAULT VALUES: every column takes its default
        sourceRows.emplace_back();
    }
    for (const auto& source : sourceRows) {
        std::vector<Value> row;
        for (std::size_t i = 0; i < t.columns.size(); ++i)
            row.push_back(i == identity ? Value() : defaultOf(t.columns[i]));
        for (std::size_t i = 0; i < targets.size(); ++i)
            row[targets[i]] = source[i];
        if (identity) {
            const Value next = Value::integer(catalogFor(t.name).nextIdentity(t), TypeId::BigInt);
            row[*identity] = convert(next, t.columns[*identity].type, ConversionMode::Store);
            context_.scopeIdentity = next;
        }
        storeRow(t, row, std::nullopt, "INSERT");
    }
    return static_cast<std::int64_t>(sourceRows.size());
}

std::vector<TableStatements::Combined>
TableStatements::joinRows(const TableSource& ts, std::vector<Source>& sources,
                          const std::vector<const NamedTableSource*>& named, std::vector<RowSource>& scope) {
    if (ts.kind == TableSourceKind::Named) {
        const std::size_t index = static_cast<std::size_t>(
            std::find(named.begin(), named.end(), &ts.as<NamedTableSource>()) - named.begin());
        std::vector<Combined> out;
        for (const auto& row : sources[index].rows) {
            Combined c(sources.size(), nullptr);
            c[index] = &row;
            out.push_back(std::move(c));
        }
        return out;
    }
    const auto& j = ts.as<JoinTableSource>();
    const std::vector<Combined> left = joinRows(*j.left, sources, named, scope);
    const std::vector<Combined> right = joinRows(*j.right, sources, named, scope);
    std::vector<Combined> out;
    for (const Combined& l : left) {
        bool matched = false;
        for (const Combined& r : right) {
            Combined c = l;
            for (std::size_t i = 0; i < c.size(); ++i)
                if (r[i])
                    c[i] = r[i];
            for (std::size_t i = 0; i < c.size(); ++i)
                scope[i].row = c[i];
            if (!j.on || evaluateCondition(*j.on, context_) == true) {
                out.push_back(std::move(c));
                matched = true;
            }
        }
        if (!matched && j.joinKind == JoinKind::Left)
            out.push_back(l);
    }
    return out;
}

ResultSet TableStatements::select(const SelectSpec& selectSpec, const std::vector<OrderItem>& orderBy,
                                  const std::function<void(const SelectItem&, const Value&)>* assign) {
    if (selectSpec.distinct && assign)
        refuse("SELECT DISTINCT with variable assignment");
    if (selectSpec.having)
        refuse("HAVING");
    if (selectSpec.into)
        refuse("SELECT INTO");
    if (selectSpec.top && (selectSpec.top->percent || selectSpec.top->withTies))
        refuse("TOP PERCENT and WITH TIES");
    std::vector<const NamedTableSource*> named;
    for (const auto& ts : selectSpec.from)
        collectNamed(*ts, named);
    std::vector<Source> sources;
    sources.reserve(named.size());
    std::vector<RowSource> scope;
    for (const NamedTableSource* n : named) {
        sources.push_back(load(table(n->name)));
        const std::string alias = foldName(n->alias ? n->alias->name : n->name.last());
        for (const RowSource& r : scope)
            if (r.alias == alias)
                throw SqlError(1013, 16, 1,
                               "The objects \"" + alias + "\" and \"" + alias +
                                   "\" in the FROM clause have the same exposed names. Use correlation names "
                                   "to distinguish them.");
        scope.push_back({alias, &sources.back().table, nullptr});
    }
    const SourcesInScope inScope(context_, &scope, true);
    const auto setRow = [&scope](const Combined& c) {
        for (std::size_t i = 0; i < c.size(); ++i)
            scope[i].row = c[i];
    };

    std::vector<Combined> rows = selectSpec.from.empty() ? std::vector<Combined>{Combined{}}
                                                   : joinRows(*selectSpec.from[0], sources, named, scope);
    for (std::size_t f = 1; f < selectSpec.from.size(); ++f) {
        const std::vector<Combined> more = joinRows(*selectSpec.from[f], sources, named, scope);
        std::vector<Combined> product;
        for (const Combined& l : rows)
            for (const Combined& r : more) {
                Combined c = l;
                for (std::size_t i = 0; i < c.size(); ++i)
                    if (r[i])
                        c[i] = r[i];
                product.push_back(std::move(c));
            }
        rows = std::move(product);
    }
    if (selectSpec.where) {
        std::vector<Combined> kept;
        for (const Combined& c : rows) {
            setRow(c);
            if (evaluateCondition(*selectSpec.where, context_) == true)
                kept.push_back(c);
        }
        rows = std::move(kept);
    }

    // The output columns: * expands to every column of every source (or of one for t.*).
    struct Output {
        const Expr* expr = nullptr; // null for a column taken straight from a source
        std::size_t source = 0, column = 0;
        const SelectItem* item = nullptr;
    };
    std::vector<Output> outputs;
    ResultSet set;
    for (const SelectItem& item : selectSpec.items) {
        if (item.expr->kind == ExprKind::Star) {
            const auto& star = item.expr->as<StarExpr>();
            const std::string q = star.qualifier.empty() ? "" : foldName(star.qualifier.last());
            bool seen = false;
            for (std::size_t si = 0; si < scope.size(); ++si) {
                if (!q.empty() && scope[si].alias != q)
                    continue;
                seen = true;
                for (std::size_t ci = 0; ci < scope[si].table->columns.size(); ++ci) {
                    outputs.push_back({nullptr, si, ci, &item});
                    set.columns.push_back(
                        {scope[si].table->columns[ci].name, scope[si].table->columns[ci].type});
                }
            }
            if (!seen)
                throw SqlError(4104, 16, 1,
                               "The multi-part identifier \"" + star.qualifier.toString() +
                                   "\" could not be bound.");
            continue;
        }
        outputs.push_back({item.expr.get(), 0, 0, &item});
        const std::optional<DataType> type = staticType(*item.expr, context_);
        std::string name;
        if (item.alias)
            name = item.alias->name;
        else if (item.expr->kind == ExprKind::Column)
            name = item.expr->as<ColumnExpr>().name.last();
        set.columns.push_back({name, type ? *type : DataType::of(TypeId::Int)});
    }

    // Units of output: one row each, or with GROUP BY or aggregates one group each (all rows form
    // one group when there is no GROUP BY).
    bool grouped = !selectSpec.groupBy.empty();
    for (const SelectItem& item : selectSpec.items)
        grouped = grouped || (item.expr->kind != ExprKind::Star && containsAggregate(*item.expr));
    std::vector<std::vector<Combined>> units;
    if (!grouped) {
        for (Combined& c : rows)
            units.push_back({std::move(c)});
    } else {
        for (const auto& o : outputs)
            if (!o.expr)
                refuse("* with GROUP BY or aggregates");
        std::vector<std::vector<Value>> keys;
        if (selectSpec.groupBy.empty())
            units.emplace_back();
        for (Combined& c : rows) {
            setRow(c);
            std::vector<Value> key;
            for (const auto& g : selectSpec.groupBy)
                key.push_back(evaluateScalar(*g, context_));
            std::size_t k = 0;
            for (; k < keys.size(); ++k) {
                bool same = true;
                for (std::size_t i = 0; i < key.size() && same; ++i)
                    same = key[i].isNull() ? keys[k][i].isNull()
                                           : !keys[k][i].isNull() && compareValues(key[i], keys[k][i]) == 0;
                if (same)
                    break;
            }
            if (selectSpec.groupBy.empty())
                k = 0;
            else if (k == keys.size()) {
                keys.push_back(std::move(key));
                units.emplace_back();
            }
            units[k].push_back(std::move(c));
        }
    }
    const Combined noRow(scope.size(), nullptr);
    const auto setUnit = [&](const std::vector<Combined>& unit) {
        setRow(unit.empty() ? noRow : unit[0]);
        context_.group = grouped ? &unit : nullptr;
    };
    struct GroupReset {
        ExecutionContext& c;
        ~GroupReset() { c.group = nullptr; }
    } groupReset{context_};

    for (const OrderItem& o : orderBy)
        if (o.expr->kind == ExprKind::Literal &&
            o.expr->as<LiteralExpr>().literalKind == LiteralKind::Integer) {
            const std::string& text = o.expr->as<LiteralExpr>().value;
            const std::size_t n = text.size() > 9 ? 0 : std::stoul(text);
            if (n < 1 || n > outputs.size() || !outputs[n - 1].expr)
                throw SqlError(108, 16, 1,
                               "The ORDER BY position number " + text +
                                   " is out of range of the number of items in the select list.");
        }
    if (!orderBy.empty()) {
        std::vector<std::pair<std::vector<Value>, std::vector<Combined>>> keyed;
        for (auto& unit : units) {
            setUnit(unit);
            std::vector<Value> keys;
            for (const OrderItem& o : orderBy) {
                if (o.expr->kind == ExprKind::Literal &&
                    o.expr->as<LiteralExpr>().literalKind == LiteralKind::Integer) {
                    const std::size_t n = std::stoul(o.expr->as<LiteralExpr>().value); // checked above
                    keys.push_back(evaluateScalar(*outputs[n - 1].expr, context_));
                    continue;
                }
                const Expr* e = o.expr.get();
                if (e->kind == ExprKind::Column && e->as<ColumnExpr>().name.parts.size() == 1)
                    for (const Output& out : outputs)
                        if (out.expr && out.item->alias &&
                            foldName(out.item->alias->name) == foldName(e->as<ColumnExpr>().name.last()))
                            e = out.expr;
                keys.push_back(evaluateScalar(*e, context_));
            }
            keyed.emplace_back(std::move(keys), std::move(unit));
        }
        std::stable_sort(keyed.begin(), keyed.end(), [&orderBy](const auto& a, const auto& b) {
            for (std::size_t i = 0; i < orderBy.size(); ++i) {
                const bool desc = orderBy[i].descending;
                if (lessThan(a.first[i], b.first[i]))
                    return !desc;
                if (lessThan(b.first[i], a.first[i]))
                    return desc;
            }
            return false;
        });
        units.clear();
        for (auto& k : keyed)
            units.push_back(std::move(k.second));
    }
    std::optional<std::size_t> limit;
    if (selectSpec.top) {
        const Value n = [this, &selectSpec] {
            const SourcesInScope noSources(context_, nullptr);
            return evaluateScalar(*selectSpec.top->count, context_);
        }();
        const std::int64_t count = n.isNull() ? 0 : convert(n, DataType::of(TypeId::BigInt)).asInt64();
        limit = static_cast<std::size_t>(std::max<std::int64_t>(count, 0));
        // With DISTINCT the rows are counted after duplicates are gone.
        if (!selectSpec.distinct && *limit < units.size())
            units.resize(*limit);
    }
    for (const auto& unit : units) {
        setUnit(unit);
        const Combined& c = unit.empty() ? noRow : unit[0];
        if (assign) {
            for (const SelectItem& item : selectSpec.items)
                (*assign)(item, evaluateScalar(*item.expr, context_));
            continue;
        }
        std::vector<Value> row;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            const Output& out = outputs[i];
            Value v = out.expr
                          ? evaluateScalar(*out.expr, context_)
                          : (c[out.source] ? (*c[out.source])[out.column] : Value::null(set.columns[i].type));
            row.push_back(v.isNull() ? Value::null(set.columns[i].type) : std::move(v));
        }
        if (selectSpec.distinct &&
            std::any_of(set.rows.begin(), set.rows.end(),
                        [&row](const std::vector<Value>& seen) { return sameRow(seen, row); }))
            continue;
        set.rows.push_back(std::move(row));
        if (selectSpec.distinct && limit && set.rows.size() >= *limit)
            break;
    }
    if (limit && *limit == 0)
        set.rows.clear();
    context_.lastRowCount = static_cast<std::int64_t>(assign ? units.size() : set.rows.size());
    return set;
}

ResultSet TableStatements::setOperation(const QueryBody& body) {
    if (body.selectSpec)
        return select(*body.selectSpec, {}, nullptr);
    if (body.op != SetOperator::Union)
        refuse("EXCEPT and INTERSECT");
    ResultSet left = setOperation(*body.left);
    ResultSet right = setOperation(*body.right);
    if (left.columns.size() != right.columns.size())
        throw SqlError(
            205, 16, 1,
            "All queries combined using a UNION, INTERSECT or EXCEPT operator must have an equal number "
            "of expressions in their target lists.");
    for (std::size_t i = 0; i < left.columns.size(); ++i)
        left.columns[i].type = combinedType({left.columns[i].type, right.columns[i].type});
    ResultSet out{left.columns, {}};
    for (auto* part : {&left, &right})
        for (auto& row : part->rows) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const DataType& type = out.columns[i].type;
                if (row[i].type() != type)
                    row[i] =
                        row[i].isNull() ? Value::null(type) : convert(row[i], type, ConversionMode::Implicit);
            }
            if (!body.all &&
                std::any_of(out.rows.begin(), out.rows.end(),
                            [&row](const std::vector<Value>& seen) { return sameRow(seen, row); }))
                continue;
            out.rows.push_back(std::move(row));
        }
    return out;
}

ResultSet TableStatements::query(const Query& q) {
    if (!q.ctes.empty())
        refuse("common table expressions");
    if (q.offset)
        refuse("OFFSET ... FETCH");
    if (q.body->selectSpec)
        return select(*q.body->selectSpec, q.orderBy, nullptr);
    ResultSet set = setOperation(*q.body);
    std::vector<std::size_t> keys;
    for (const OrderItem& o : q.orderBy) {
        const Expr& e = *o.expr;
        std::optional<std::size_t> index;
        if (e.kind == ExprKind::Literal && e.as<LiteralExpr>().literalKind == LiteralKind::Integer &&
            e.as<LiteralExpr>().value.size() < 10) {
            const std::size_t n = std::stoul(e.as<LiteralExpr>().value);
            if (n < 1 || n > set.columns.size())
                throw SqlError(108, 16, 1,
                               "The ORDER BY position number " + e.as<LiteralExpr>().value +
                                   " is out of range of the number of items in the select list.");
            index = n - 1;
        } else if (e.kind == ExprKind::Column && e.as<ColumnExpr>().name.parts.size() == 1) {
            for (std::size_t i = 0; i < set.columns.size() && !index; ++i)
                if (foldName(set.columns[i].name) == foldName(e.as<ColumnExpr>().name.last()))
                    index = i;
        }
        if (!index)
            throw SqlError(104, 16, 1,
                           "ORDER BY items must appear in the select list if the statement contains a UNION, "
                           "INTERSECT or EXCEPT operator.");
        keys.push_back(*index);
    }
    std::stable_sort(set.rows.begin(), set.rows.end(), [&](const auto& a, const auto& b) {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const bool desc = q.orderBy[k].descending;
            if (lessThan(a[keys[k]], b[keys[k]]))
                return !desc;
            if (lessThan(b[keys[k]], a[keys[k]]))
                return desc;
        }
        return false;
    });
    context_.lastRowCount = static_cast<std::int64_t>(set.rows.size());
    return set;
}

std::vector<ResultColumn> TableStatements::describe(const SelectSpec& selectSpec,
                                                    const ExecutionContext& outer) const {
    std::vector<const NamedTableSource*> named;
    for (const auto& ts : selectSpec.from)
        collectNamed(*ts, named);
    std::vector<TableInfo> tables;
    tables.reserve(named.size());
    std::vector<RowSource> scope;
    for (const NamedTableSource* n : named) {
        tables.push_back(table(n->name));
        scope.push_back({foldName(n->alias ? n->alias->name : n->name.last()), &tables.back(), nullptr});
    }
    ExecutionContext context = outer;
    if (outer.sources)
        context.outerSources.push_back(outer.sources);
    context.sources = selectSpec.from.empty() ? nullptr : &scope;
    std::vector<ResultColumn> columns;
    for (const SelectItem& item : selectSpec.items) {
        if (item.expr->kind == ExprKind::Star) {
            for (const RowSource& r : scope)
                for (const ColumnInfo& c : r.table->columns)
                    columns.push_back({c.name, c.type});
            continue;
        }
        const std::optional<DataType> type = staticType(*item.expr, context);
        columns.push_back({item.alias ? item.alias->name : "", type ? *type : DataType::of(TypeId::Int)});
    }
    return columns;
}

std::int64_t TableStatements::update(const UpdateStmt& s) {
    if (!s.ctes.empty() || s.top || !s.from.empty() || !s.currentOf.empty() || !s.target.variable.empty())
        refuse("UPDATE with WITH, TOP, FROM or CURRENT OF");
    Source src = load(table(s.target.name));
    std::vector<RowSource> scope{{foldName(src.table.name), &src.table, nullptr}};
    const SourcesInScope inScope(context_, &scope);
    std::vector<std::size_t> columns;
    for (const SetClause& set : s.sets) {
        if (!set.variable.empty() || set.op != AssignOp::Assign)
            refuse("SET of variables and compound operators in UPDATE");
        auto i = src.table.findColumn(set.column.last());
        if (!i)
            throw SqlError(207, 16, 1, "Invalid column name '" + set.column.last() + "'.");
        if (src.table.columns[*i].identitySeed)
            throw SqlError(8102, 16, 1,
                           "Cannot update identity column '" + src.table.columns[*i].name + "'.");
        columns.push_back(*i);
    }
    std::int64_t count = 0;
    for (std::size_t r = 0; r < src.rows.size(); ++r) {
        scope[0].row = &src.rows[r];
        if (s.where && evaluateCondition(*s.where, context_) != true)
            continue;
        std::vector<Value> row = src.rows[r];
        for (std::size_t k = 0; k < s.sets.size(); ++k)
            row[columns[k]] = s.sets[k].value->kind == ExprKind::Default
                                  ? defaultOf(src.table.columns[columns[k]])
                                  : evaluateScalar(*s.sets[k].value, context_);
        storeRow(src.table, row, src.rowids[r], "UPDATE");
        ++count;
    }
    return count;
}

std::int64_t TableStatements::remove(const DeleteStmt& s) {
    if (!s.ctes.empty() || s.top || !s.from.empty() || !s.currentOf.empty() || !s.target.variable.empty())
        refuse("DELETE with WITH, TOP, FROM or CURRENT OF");
    Source src = load(table(s.target.name));
    std::vector<RowSource> scope{{foldName(src.table.name), &src.table, nullptr}};
    const SourcesInScope inScope(context_, &scope);
    std::int64_t count = 0;
    for (std::size_t r = 0; r < src.rows.size(); ++r) {
        scope[0].row = &src.rows[r];
        if (s.where && evaluateCondition(*s.where, context_) != true)
            continue;
        SqliteStatement one(db_, "DELETE FROM " + src.table.storageName() + " WHERE rowid = ?1");
        one.bindInt(1, src.rowids[r]);
        one.step();
        ++count;
    }
    return count;
}

} // namespace tsql
