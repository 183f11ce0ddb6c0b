#include "tsql/codegen/DirectEvaluator.h"

#include "tsql/Arithmetic.h"
#include "tsql/Convert.h"
#include "tsql/Like.h"
#include "tsql/codegen/BuiltinRuntime.h"

#include <algorithm>

namespace tsql {

namespace {

const Value kTrue = Value::bit(true);
const Value kFalse = Value::bit(false);
const Value kUnknown = Value::null(DataType::of(TypeId::Bit));

Value truth(std::optional<bool> b) {
    return b ? (*b ? kTrue : kFalse) : kUnknown;
}

std::optional<bool> truthOf(const Value& v) {
    if (v.isNull())
        return std::nullopt;
    return v.asBool();
}

std::optional<bool> compare(CompareOp op, const Value& a, const Value& b) {
    if (a.isNull() || b.isNull())
        return std::nullopt;
    const int c = compareValues(a, b);
    switch (op) {
    case CompareOp::Equal:
        return c == 0;
    case CompareOp::NotEqual:
        return c != 0;
    case CompareOp::Less:
        return c < 0;
    case CompareOp::Greater:
        return c > 0;
    case CompareOp::LessOrEqual:
    case CompareOp::NotGreater:
        return c <= 0;
    case CompareOp::GreaterOrEqual:
    case CompareOp::NotLess:
        return c >= 0;
    }
    return std::nullopt;
}

} // namespace

bool isDirect(const BoundExpr& e) {
    switch (e.kind) {
    case BoundKind::Column:
    case BoundKind::InQuery:
    case BoundKind::Exists:
    case BoundKind::ScalarQuery:
    case BoundKind::Aggregate:
    case BoundKind::UserFunction:
        return false;
    case BoundKind::Builtin:
        if (isMetadataBuiltin(e.builtin)) // needs the database's catalog
            return false;
        [[fallthrough]];
    default:
        return std::all_of(e.args.begin(), e.args.end(),
                           [](const BoundExprPtr& a) { return !a || isDirect(*a); });
    }
}

Value evaluateDirect(const BoundExpr& e, const ParameterValue& parameter) {
    const auto arg = [&](std::size_t i) { return evaluateDirect(*e.args[i], parameter); };
    switch (e.kind) {
    case BoundKind::Constant:
        return e.constant;
    case BoundKind::Variable:
    case BoundKind::Session:
        return parameter(e);
    case BoundKind::Convert: {
        const Value v = arg(0);
        return v.isNull() ? Value::null(e.type) : convert(v, e.type, e.mode, e.style);
    }
    case BoundKind::Arithmetic:
        return evaluate(e.arith, arg(0), arg(1));
    case BoundKind::Negate: {
        const Value v = arg(0);
        return v.isNull() ? v : negate(v);
    }
    case BoundKind::Compare:
        return truth(compare(e.compare, arg(0), arg(1)));
    case BoundKind::And:
    case BoundKind::Or: {
        const bool isAnd = e.kind == BoundKind::And;
        bool unknown = false;
        for (std::size_t i = 0; i < e.args.size(); ++i) {
            const std::optional<bool> v = truthOf(arg(i));
            if (!v)
                unknown = true;
            else if (*v != isAnd)
                return isAnd ? kFalse : kTrue;
        }
        return unknown ? kUnknown : (isAnd ? kTrue : kFalse);
    }
    case BoundKind::Not: {
        const std::optional<bool> v = truthOf(arg(0));
        return truth(v ? std::optional<bool>(!*v) : std::nullopt);
    }
    case BoundKind::IsNull:
        return truth(arg(0).isNull() != e.negated);
    case BoundKind::Like: {
        const Value text = arg(0), pattern = arg(1);
        const Value escape = e.args.size() > 2 ? arg(2) : Value::null(DataType::nvarchar(1));
        if (text.isNull() || pattern.isNull() || (e.args.size() > 2 && escape.isNull()))
            return kUnknown;
        const std::string escapeText = e.args.size() > 2 ? escape.asText() : std::string();
        const LikePattern like(
            pattern.asText(), e.args.size() > 2 ? std::optional<std::string_view>(escapeText) : std::nullopt);
        return truth(like.matches(text.asText()) != e.negated);
    }
    case BoundKind::InList: {
        const Value v = arg(0);
        std::optional<bool> r = false;
        for (std::size_t i = 1; i < e.args.size(); ++i) {
            const std::optional<bool> eq = compare(CompareOp::Equal, v, arg(i));
            if (eq == true) {
                r = true;
                break;
            }
            if (!eq)
                r = std::nullopt;
        }
        if (r && e.negated)
            r = !*r;
        return truth(r);
    }
    case BoundKind::Case: {
        const std::size_t pairs = (e.args.size() - (e.hasElse ? 1 : 0)) / 2;
        for (std::size_t i = 0; i < pairs; ++i)
            if (truthOf(arg(2 * i)) == true)
                return arg(2 * i + 1);
        return e.hasElse ? arg(e.args.size() - 1) : Value::null(e.type);
    }
    case BoundKind::Coalesce:
        for (std::size_t i = 0; i < e.args.size(); ++i) {
            Value v = arg(i);
            if (!v.isNull())
                return v;
        }
        return Value::null(e.type);
    case BoundKind::Builtin: {
        std::vector<Value> args;
        for (std::size_t i = 0; i < e.args.size(); ++i)
            args.push_back(arg(i));
        return callBuiltin(e.builtin, e.type, args);
    }
    default:
        break;
    }
    return Value::null(e.type);
}

} // namespace tsql
