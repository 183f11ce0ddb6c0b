#include "tsql/codegen/SqlGenerator.h"

#include "tsql/Collation.h"
#include "tsql/SqliteValues.h"
#include "tsql/codegen/TypeCode.h"

#include <functional>

namespace tsql {

namespace {

const std::string kCollate = " COLLATE " + std::string(Collation::kSqliteName);

bool integerFamily(const DataType& t) {
    return t.isInteger() || t.id == TypeId::Bit;
}

int integerRank(TypeId id) {
    switch (id) {
    case TypeId::Bit:
        return 0;
    case TypeId::TinyInt:
        return 1;
    case TypeId::SmallInt:
        return 2;
    case TypeId::Int:
        return 3;
    default:
        return 4;
    }
}

// Whether a value of `from` already is, in storage, the same value of `to`, so no call is needed.
bool sameStorage(const DataType& from, const DataType& to, ConversionMode mode) {
    if (from == to)
        return true;
    if (integerFamily(from) && integerFamily(to))
        return integerRank(to.id) >= integerRank(from.id) && to.id != TypeId::Bit;
    if (from.isDecimal() && to.isDecimal())
        return from.scale == to.scale && to.precision >= from.precision && to.precision <= 19;
    if (integerFamily(from) && to.isDecimal())
        return to.scale == 0 && to.precision <= 19 && to.precision >= from.precision &&
               from.id != TypeId::Bit;
    if (from.id == TypeId::DateTime && to.id == TypeId::DateTime)
        return true;
    if (from.isCharacter() && to.isCharacter() && !to.isFixedLength() && mode != ConversionMode::Store) {
        const bool fromLong = from.isMax() || from.isLob();
        const bool toLong = to.isMax() || to.isLob();
        return toLong || (!fromLong && to.length >= from.length);
    }
    return false;
}

const char* compareSql(CompareOp op) {
    switch (op) {
    case CompareOp::Equal:
        return " = ";
    case CompareOp::NotEqual:
        return " <> ";
    case CompareOp::Less:
        return " < ";
    case CompareOp::Greater:
        return " > ";
    case CompareOp::LessOrEqual:
    case CompareOp::NotGreater:
        return " <= ";
    case CompareOp::GreaterOrEqual:
    case CompareOp::NotLess:
        return " >= ";
    }
    return " = ";
}

std::string code(const DataType& t) {
    return std::to_string(typeCode(t));
}

class Writer {
public:
    explicit Writer(GeneratedSql& out) : out_(out) {}

    void parameter(const BoundExpr& e) {
        out_.params.push_back(&e);
        out_.text += "?" + std::to_string(out_.params.size());
    }

    // `x` of type `from` as a value of type `to`.
    void converted(const std::function<void()>& x, const DataType& from, const DataType& to,
                   ConversionMode mode, int style = 0) {
        if (style == 0 && sameStorage(from, to, mode)) {
            x();
            return;
        }
        out_.text += "tsql_cvt(";
        x();
        out_.text += ", " + code(from) + ", " + code(to) + ", " + std::to_string(static_cast<int>(mode)) +
                     ", " + std::to_string(style) + ")";
    }

    void collated(const BoundExpr& e) {
        expr(e);
        if (e.type.isCharacter())
            out_.text += kCollate;
    }

    void expr(const BoundExpr& e) {
        std::string& s = out_.text;
        switch (e.kind) {
        case BoundKind::Constant:
        case BoundKind::Variable:
        case BoundKind::Session:
            parameter(e);
            return;
        case BoundKind::Column:
            s += "s" + std::to_string(e.source) + ".c" + std::to_string(e.ordinal);
            return;
        case BoundKind::Convert:
            converted([&] { expr(*e.args[0]); }, e.args[0]->type, e.type, e.mode, e.style);
            return;
        case BoundKind::Arithmetic:
            s += "tsql_arith(" + std::to_string(static_cast<int>(e.arith)) + ", ";
            expr(*e.args[0]);
            s += ", " + code(e.args[0]->type) + ", ";
            expr(*e.args[1]);
            s += ", " + code(e.args[1]->type) + ")";
            return;
        case BoundKind::Negate:
            s += "tsql_neg(";
            expr(*e.args[0]);
            s += ", " + code(e.args[0]->type) + ")";
            return;
        case BoundKind::Compare:
            s += "(";
            expr(*e.args[0]);
            s += compareSql(e.compare);
            collated(*e.args[1]);
            s += ")";
            return;
        case BoundKind::And:
        case BoundKind::Or:
            s += "(";
            for (std::size_t i = 0; i < e.args.size(); ++i) {
                if (i)
                    s += e.kind == BoundKind::And ? " AND " : " OR ";
                expr(*e.args[i]);
            }
            s += ")";
            return;
        case BoundKind::Not:
            s += "(NOT ";
            expr(*e.args[0]);
            s += ")";
            return;
        case BoundKind::IsNull:
            s += "(";
            expr(*e.args[0]);
            s += e.negated ? " IS NOT NULL)" : " IS NULL)";
            return;
        case BoundKind::Like:
            s += e.negated ? "(NOT tsql_like(" : "(tsql_like(";
            for (std::size_t i = 0; i < e.args.size(); ++i) {
                if (i)
                    s += ", ";
                expr(*e.args[i]);
            }
            s += "))";
            return;
        case BoundKind::InList:
            s += "(";
            collated(*e.args[0]);
            s += e.negated ? " NOT IN (" : " IN (";
            for (std::size_t i = 1; i < e.args.size(); ++i) {
                if (i > 1)
                    s += ", ";
                expr(*e.args[i]);
            }
            s += "))";
            return;
        case BoundKind::InQuery: {
            s += "(";
            collated(*e.args[0]);
            s += e.negated ? " NOT IN (SELECT " : " IN (SELECT ";
            const std::string alias = "q" + std::to_string(next_++);
            converted([&] { s += alias + ".c0"; }, e.query->columns[0].type, e.type,
                      ConversionMode::Implicit);
            s += " FROM (";
            query(*e.query);
            s += ") AS " + alias + "))";
            return;
        }
        case BoundKind::Exists:
            s += "EXISTS (";
            query(*e.query);
            s += ")";
            return;
        case BoundKind::ScalarQuery: {
            const std::string alias = "q" + std::to_string(next_++);
            s +=
                "(SELECT tsql_single(" + alias + ".c" + std::to_string(e.ordinal) + ") FROM (SELECT * FROM (";
            query(*e.query);
            s += ") LIMIT 2) AS " + alias + ")";
            return;
        }
        case BoundKind::Case: {
            s += "CASE";
            const std::size_t pairs = (e.args.size() - (e.hasElse ? 1 : 0)) / 2;
            for (std::size_t i = 0; i < pairs; ++i) {
                s += " WHEN ";
                expr(*e.args[2 * i]);
                s += " THEN ";
                expr(*e.args[2 * i + 1]);
            }
            if (e.hasElse) {
                s += " ELSE ";
                expr(*e.args.back());
            }
            s += " END";
            return;
        }
        case BoundKind::Coalesce:
            s += "coalesce(";
            for (std::size_t i = 0; i < e.args.size(); ++i) {
                if (i)
                    s += ", ";
                expr(*e.args[i]);
            }
            s += ")";
            return;
        case BoundKind::Builtin:
            s += isMetadataBuiltin(e.builtin) ? "tsql_meta(" : "tsql_fn(";
            s += std::to_string(static_cast<int>(e.builtin)) + ", " + code(e.type);
            for (const auto& a : e.args) {
                s += ", ";
                expr(*a);
                s += ", " + code(a->type);
            }
            s += ")";
            return;
        case BoundKind::Aggregate:
            aggregate(e);
            return;
        case BoundKind::UserFunction:
            s += "tsql_udf(";
            parameter(e);
            s += ", " + code(e.type);
            for (const auto& a : e.args) {
                s += ", ";
                expr(*a);
                s += ", " + code(a->type);
            }
            s += ")";
            return;
        }
    }

    void aggregate(const BoundExpr& e) {
        std::string& s = out_.text;
        const std::string distinct = e.distinct ? "DISTINCT " : "";
        if (e.aggregate == AggregateOp::CountStar) {
            s += "count(*)";
            return;
        }
        const BoundExpr& arg = *e.args[0];
        const DataType& t = arg.type;
        switch (e.aggregate) {
        case AggregateOp::CountStar:
        case AggregateOp::Count:
        case AggregateOp::CountBig:
            s += "count(" + distinct;
            expr(arg);
            s += ")";
            return;
        case AggregateOp::Sum:
            if (t.isDecimal()) {
                s += "tsql_dec_sum(";
                expr(arg);
                s += ", " + std::to_string(t.precision) + ", " + std::to_string(t.scale) + ")";
                return;
            }
            converted(
                [&] {
                    s += "sum(" + distinct;
                    expr(arg);
                    s += ")";
                },
                t.isInteger() ? DataType::of(TypeId::BigInt)
                              : (t.id == TypeId::Real ? DataType::of(TypeId::Float) : t),
                e.type, ConversionMode::Implicit);
            return;
        case AggregateOp::Avg:
            if (t.isDecimal()) {
                s += "tsql_dec_avg(";
                expr(arg);
                s += ", " + std::to_string(t.precision) + ", " + std::to_string(t.scale) + ")";
                return;
            }
            if (t.isApproximate()) {
                s += "avg(" + distinct;
                expr(arg);
                s += ")";
                return;
            }
            s += "(sum(" + distinct;
            expr(arg);
            s += ") / count(" + distinct;
            expr(arg);
            s += "))";
            return;
        case AggregateOp::Min:
        case AggregateOp::Max:
            s += e.aggregate == AggregateOp::Min ? "min(" : "max(";
            collated(arg);
            s += ")";
            return;
        }
    }

    void from(const BoundFrom& f, const BoundSelect& select) {
        std::string& s = out_.text;
        if (f.source >= 0) {
            for (const BoundSource& src : select.sources) {
                if (src.id != f.source)
                    continue;
                if (src.query) {
                    s += "(";
                    query(*src.query);
                    s += ")";
                } else {
                    s += src.storage;
                }
                s += " AS s" + std::to_string(src.id);
            }
            return;
        }
        from(*f.left, select);
        s += f.join == BoundJoinKind::Left ? " LEFT JOIN "
                                           : (f.join == BoundJoinKind::Inner ? " JOIN " : " CROSS JOIN ");
        const bool nested = f.right->source < 0;
        if (nested)
            s += "(";
        from(*f.right, select);
        if (nested)
            s += ")";
        if (f.on) {
            s += " ON ";
            expr(*f.on);
        }
    }

    void select(const BoundSelect& sel, const std::vector<BoundOrder>* orderBy) {
        std::string& s = out_.text;
        s += sel.distinct ? "SELECT DISTINCT " : "SELECT ";
        for (std::size_t i = 0; i < sel.items.size(); ++i) {
            if (i)
                s += ", ";
            const BoundExpr& item = *sel.items[i].expr;
            if (item.untypedNull)
                s += "NULL";
            else
                collated(item);
            s += " AS c" + std::to_string(i);
        }
        if (!sel.from.empty()) {
            s += " FROM ";
            for (std::size_t i = 0; i < sel.from.size(); ++i) {
                if (i)
                    s += ", ";
                from(*sel.from[i], sel);
            }
        }
        if (sel.where) {
            s += " WHERE ";
            expr(*sel.where);
        }
        if (!sel.groupBy.empty()) {
            s += " GROUP BY ";
            for (std::size_t i = 0; i < sel.groupBy.size(); ++i) {
                if (i)
                    s += ", ";
                collated(*sel.groupBy[i]);
            }
        }
        if (sel.having) {
            s += " HAVING ";
            expr(*sel.having);
        }
        if (orderBy)
            order(*orderBy);
        if (sel.top) {
            s += " LIMIT ";
            expr(*sel.top);
        }
    }

    void order(const std::vector<BoundOrder>& orderBy) {
        std::string& s = out_.text;
        for (std::size_t i = 0; i < orderBy.size(); ++i) {
            s += i ? ", " : " ORDER BY ";
            if (orderBy[i].expr)
                collated(*orderBy[i].expr);
            else
                s += std::to_string(orderBy[i].column + 1);
            if (orderBy[i].descending)
                s += " DESC";
        }
    }

    // A member of a set operation, with its columns converted to the combined types.
    void member(const BoundQuery& m, const BoundQuery& whole, bool right) {
        bool wrap = (m.select && (m.select->top || !m.orderBy.empty())) ||
                    (!m.select && (right || !m.orderBy.empty()));
        for (std::size_t i = 0; i < m.columns.size() && !wrap; ++i)
            wrap = !(m.columns[i].type == whole.columns[i].type);
        if (!wrap) {
            query(m);
            return;
        }
        std::string& s = out_.text;
        const std::string alias = "w" + std::to_string(next_++);
        s += "SELECT ";
        for (std::size_t i = 0; i < m.columns.size(); ++i) {
            if (i)
                s += ", ";
            converted([&] { s += alias + ".c" + std::to_string(i); }, m.columns[i].type,
                      whole.columns[i].type, ConversionMode::Implicit);
            if (whole.columns[i].type.isCharacter())
                s += kCollate;
            s += " AS c" + std::to_string(i);
        }
        s += " FROM (";
        query(m);
        s += ") AS " + alias;
    }

    void query(const BoundQuery& q) {
        if (q.select) {
            select(*q.select, &q.orderBy);
            return;
        }
        member(*q.left, q, false);
        switch (q.op) {
        case SetOperator::Union:
            out_.text += q.all ? " UNION ALL " : " UNION ";
            break;
        case SetOperator::Except:
            out_.text += " EXCEPT ";
            break;
        case SetOperator::Intersect:
            out_.text += " INTERSECT ";
            break;
        }
        member(*q.right, q, true);
        order(q.orderBy);
    }

private:
    GeneratedSql& out_;
    int next_ = 0;
};

} // namespace

GeneratedSql generateQuery(const BoundQuery& q) {
    GeneratedSql out;
    Writer(out).query(q);
    return out;
}

GeneratedSql generateValue(const BoundExpr& e) {
    GeneratedSql out;
    Writer w(out);
    if (e.isCondition()) {
        out.text = "SELECT CASE WHEN ";
        w.expr(e);
        out.text += " THEN 1 WHEN NOT ";
        w.expr(e);
        out.text += " THEN 0 END";
        return out;
    }
    out.text = "SELECT ";
    w.expr(e);
    return out;
}

GeneratedSql generateChangeRows(const BoundChange& c, bool withValues) {
    GeneratedSql out;
    Writer w(out);
    const std::string target = "s" + std::to_string(c.target);
    out.text = "SELECT " + target + ".rowid";
    if (withValues) {
        for (std::size_t i = 0; i < c.table.columns.size(); ++i)
            out.text += ", " + target + ".c" + std::to_string(i);
        for (const auto& item : c.select->items) {
            out.text += ", ";
            if (item.expr->untypedNull)
                out.text += "NULL";
            else
                w.expr(*item.expr);
        }
    }
    out.text += " FROM ";
    for (std::size_t i = 0; i < c.select->from.size(); ++i) {
        if (i)
            out.text += ", ";
        w.from(*c.select->from[i], *c.select);
    }
    if (c.select->where) {
        out.text += " WHERE ";
        w.expr(*c.select->where);
    }
    return out;
}

} // namespace tsql
