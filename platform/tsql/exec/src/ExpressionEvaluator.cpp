#include "ExpressionEvaluator.h"

#include "Catalog.h"

#include "tsql/Arithmetic.h"
#include "tsql/Convert.h"
#include "tsql/Like.h"
#include "tsql/SqlError.h"
#include "tsql/TypeRules.h"
#include "tsql/syntax/AstQueries.h"

#include <string>

namespace tsql {

std::string foldName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

void refuse(std::string_view construct) {
    throw SqlError(50900, 16, 1, "The engine does not support " + std::string(construct) + " yet.");
}

SqlError undeclaredVariable(std::string_view name) {
    return SqlError(137, 15, 2, "Must declare the scalar variable \"" + std::string(name) + "\".");
}

namespace {

// 195 "'%.*ls' is not a recognized built-in function name."
SqlError unknownFunction(std::string_view name) {
    return SqlError(195, 15, 10, "'" + std::string(name) + "' is not a recognized built-in function name.");
}

ArithmeticOp arithmeticOp(BinaryOp op) {
    switch (op) {
    case BinaryOp::Add:
        return ArithmeticOp::Add;
    case BinaryOp::Subtract:
        return ArithmeticOp::Subtract;
    case BinaryOp::Multiply:
        return ArithmeticOp::Multiply;
    case BinaryOp::Divide:
        return ArithmeticOp::Divide;
    case BinaryOp::Modulo:
        return ArithmeticOp::Modulo;
    default:
        refuse("bitwise operators");
    }
}

DataType orInt(const std::optional<DataType>& t) {
    return t ? *t : DataType::of(TypeId::Int);
}

const Value& variableValue(const std::string& name, const ExecutionContext& context) {
    auto it = context.variables.find(foldName(name));
    if (it == context.variables.end())
        throw undeclaredVariable(name);
    return it->second;
}

struct ColumnRef {
    const RowSource* source;
    std::size_t column;
};

// Looks the column up in one FROM clause; `qualifierSeen` tells whether its qualifier names a source.
std::optional<ColumnRef> findColumnIn(const std::vector<RowSource>& sources, const ColumnExpr& c,
                                      const std::string& qualifier, bool& qualifierSeen) {
    std::optional<ColumnRef> found;
    for (const RowSource& s : sources) {
        if (!qualifier.empty() && s.alias != qualifier)
            continue;
        qualifierSeen = true;
        if (auto i = s.table->findColumn(c.name.last())) {
            if (found)
                throw SqlError(209, 16, 1, "Ambiguous column name '" + c.name.last() + "'.");
            found = ColumnRef{&s, *i};
        }
    }
    return found;
}

// The innermost query's FROM clause first, then the enclosing ones.
ColumnRef resolveColumn(const ColumnExpr& c, const ExecutionContext& context) {
    if (c.name.parts.size() > 2)
        refuse("column names of more than two parts");
    const std::string qualifier = c.name.parts.size() == 2 ? foldName(c.name.parts[0].name) : "";
    bool qualifierSeen = false;
    if (context.sources)
        if (auto found = findColumnIn(*context.sources, c, qualifier, qualifierSeen))
            return *found;
    for (auto level = context.outerSources.rbegin(); level != context.outerSources.rend(); ++level)
        if (auto found = findColumnIn(**level, c, qualifier, qualifierSeen))
            return *found;
    if (!qualifier.empty() && !qualifierSeen)
        throw SqlError(4104, 16, 1,
                       "The multi-part identifier \"" + c.name.toString() + "\" could not be bound.");
    throw SqlError(207, 16, 1, "Invalid column name '" + c.name.last() + "'.");
}

std::optional<DataType> systemVariableType(std::string_view folded) {
    if (folded == "@@ERROR" || folded == "@@ROWCOUNT" || folded == "@@TRANCOUNT")
        return DataType::of(TypeId::Int);
    if (folded == "@@SPID")
        return DataType::of(TypeId::SmallInt);
    return std::nullopt;
}

std::string functionName(const FunctionCallExpr& f) {
    if (f.name.parts.size() != 1)
        refuse("user-defined functions (" + f.name.toString() + ")");
    return foldName(f.name.last());
}

void expectArgs(const FunctionCallExpr& f, std::size_t count) {
    if (f.args.size() != count)
        throw SqlError(174, 15, 1,
                       "The " + f.name.last() + " function requires " + std::to_string(count) +
                           " argument(s).");
}

bool isAggregate(const std::string& folded) {
    return folded == "COUNT" || folded == "SUM" || folded == "MIN" || folded == "MAX";
}

// SUM's type: int for the small integers, (38, s) for decimals, money for smallmoney, float for
// real, the argument's type otherwise.
DataType sumType(const DataType& arg) {
    if (arg.id == TypeId::TinyInt || arg.id == TypeId::SmallInt || arg.id == TypeId::Int)
        return DataType::of(TypeId::Int);
    if (arg.isDecimal())
        return arg.id == TypeId::Numeric ? DataType::numeric(38, arg.scale)
                                         : DataType::decimal(38, arg.scale);
    if (arg.id == TypeId::SmallMoney)
        return DataType::of(TypeId::Money);
    if (arg.id == TypeId::Real)
        return DataType::of(TypeId::Float);
    if (!arg.isNumeric())
        throw SqlError(8117, 16, 1,
                       "Operand data type " + std::string(arg.name()) + " is invalid for sum operator.");
    return arg;
}

std::optional<DataType> aggregateType(const std::string& name, const FunctionCallExpr& f,
                                      const ExecutionContext& context) {
    if (f.args.size() != 1)
        throw SqlError(174, 15, 1, "The " + f.name.last() + " function requires 1 argument(s).");
    if (f.distinct)
        refuse("DISTINCT inside aggregates");
    if (name == "COUNT")
        return DataType::of(TypeId::Int);
    if (f.args[0]->kind == ExprKind::Star)
        throw SqlError(102, 15, 1, "Incorrect syntax near '*'.");
    const DataType arg = orInt(staticType(*f.args[0], context));
    return name == "SUM" ? sumType(arg) : arg;
}

Value aggregate(const std::string& name, const FunctionCallExpr& f, const DataType& type,
                ExecutionContext& context) {
    if (!context.group || !context.sources)
        refuse("aggregates outside the select list of a query with FROM");
    const auto group = context.group;
    context.group = nullptr; // an aggregate's argument sees one row at a time
    std::int64_t count = 0;
    std::optional<Value> acc;
    for (const auto& row : *group) {
        for (std::size_t i = 0; i < row.size(); ++i)
            (*context.sources)[i].row = row[i];
        if (f.args[0]->kind == ExprKind::Star) {
            ++count;
            continue;
        }
        const Value v = evaluateScalar(*f.args[0], context);
        if (v.isNull())
            continue;
        ++count;
        if (!acc)
            acc = name == "SUM" ? convert(v, type, ConversionMode::Implicit) : v;
        else if (name == "SUM")
            acc = convert(evaluate(ArithmeticOp::Add, *acc, convert(v, type, ConversionMode::Implicit)), type,
                          ConversionMode::Implicit);
        else if ((name == "MIN") == (compareValues(v, *acc) < 0))
            acc = v;
    }
    context.group = group;
    if (name == "COUNT")
        return Value::integer(count);
    return acc ? *acc : Value::null(type);
}

std::optional<DataType> functionType(const FunctionCallExpr& f, const ExecutionContext& context) {
    const std::string name = functionName(f);
    if (isAggregate(name))
        return aggregateType(name, f, context);
    if (name == "GETDATE" || name == "CURRENT_TIMESTAMP") {
        if (name == "GETDATE")
            expectArgs(f, 0);
        return DataType::of(TypeId::DateTime);
    }
    if (name == "SUSER_SNAME") {
        expectArgs(f, 0);
        return DataType::sysname();
    }
    if (name == "SCOPE_IDENTITY") {
        expectArgs(f, 0);
        return DataType::numeric(38, 0);
    }
    if (name == "ISNULL") {
        expectArgs(f, 2);
        return isnullType(staticType(*f.args[0], context), staticType(*f.args[1], context));
    }
    if (name == "COALESCE") {
        if (f.args.size() < 2)
            throw SqlError(189, 15, 1, "The coalesce function requires 2 to 255 arguments.");
        std::vector<std::optional<DataType>> branches;
        for (const auto& a : f.args)
            branches.push_back(staticType(*a, context));
        return combinedType(branches);
    }
    throw unknownFunction(f.name.last());
}

std::vector<std::optional<DataType>> caseBranchTypes(const CaseExpr& c, const ExecutionContext& context) {
    std::vector<std::optional<DataType>> branches;
    for (const auto& w : c.whens)
        branches.push_back(staticType(*w.then, context));
    if (c.elseResult)
        branches.push_back(staticType(*c.elseResult, context));
    return branches;
}

Value literalValue(const LiteralExpr& lit) {
    switch (lit.literalKind) {
    case LiteralKind::Null:
        return Value();
    case LiteralKind::String:
        return Value::text(lit.value, stringLiteralType(lit.value, false));
    case LiteralKind::NString:
        return Value::text(lit.value, stringLiteralType(lit.value, true));
    case LiteralKind::Integer: {
        const DataType t = integerLiteralType(lit.value);
        if (t.id == TypeId::Int)
            return Value::integer(std::stoll(lit.value));
        return convert(Value::varchar(lit.value), t);
    }
    case LiteralKind::Decimal:
        return convert(Value::varchar(lit.value), decimalLiteralType(lit.value));
    case LiteralKind::Float:
        return convert(Value::varchar(lit.value), DataType::of(TypeId::Float));
    case LiteralKind::Money:
        refuse("money literals");
    case LiteralKind::Binary:
        refuse("binary literals");
    }
    refuse("this literal");
}

Value toType(const Value& v, const std::optional<DataType>& type) {
    if (!type || v.type() == *type)
        return v;
    if (v.isNull())
        return Value::null(*type);
    return convert(v, *type, ConversionMode::Implicit);
}

Value callFunction(const FunctionCallExpr& f, ExecutionContext& context) {
    const std::string name = functionName(f);
    const std::optional<DataType> type = functionType(f, context);
    if (isAggregate(name))
        return aggregate(name, f, *type, context);
    if (name == "GETDATE" || name == "CURRENT_TIMESTAMP")
        return Value::dateTime(context.statementTime);
    if (name == "SUSER_SNAME")
        return Value::text(context.login, DataType::sysname());
    if (name == "SCOPE_IDENTITY")
        return context.scopeIdentity ? toType(*context.scopeIdentity, type) : Value::null(*type);
    // ISNULL and COALESCE: the first argument that is not NULL.
    for (const auto& a : f.args) {
        Value v = evaluateScalar(*a, context);
        if (!v.isNull())
            return toType(v, type);
    }
    return Value::null(*type);
}

std::optional<bool> compare(CompareOp op, const Value& a, const Value& b) {
    comparisonType(a.type(), b.type());
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

Value evaluateCase(const CaseExpr& c, ExecutionContext& context) {
    const DataType type = combinedType(caseBranchTypes(c, context));
    std::optional<Value> operand;
    if (c.operand)
        operand = evaluateScalar(*c.operand, context);
    for (const auto& w : c.whens) {
        const bool hit = operand
                             ? compare(CompareOp::Equal, *operand, evaluateScalar(*w.when, context)) == true
                             : evaluateCondition(*w.when, context) == true;
        if (hit)
            return toType(evaluateScalar(*w.then, context), type);
    }
    return c.elseResult ? toType(evaluateScalar(*c.elseResult, context), type) : Value::null(type);
}

} // namespace

DataType resolveType(const TypeName& name, LengthDefault lengthDefault) {
    std::vector<int> params;
    if (name.isMax)
        params.push_back(DataType::kMax);
    else if (name.length)
        params.push_back(static_cast<int>(*name.length));
    if (name.scale)
        params.push_back(static_cast<int>(*name.scale));
    auto type = DataType::fromName(name.name, params, lengthDefault);
    if (!type || !name.schema.empty())
        throw SqlError(2715, 16, 6,
                       "Column, parameter, or variable #1: Cannot find data type " + name.name + ".");
    return *type;
}

std::optional<DataType> staticType(const Expr& expr, const ExecutionContext& context) {
    switch (expr.kind) {
    case ExprKind::Literal: {
        const auto& lit = expr.as<LiteralExpr>();
        if (lit.literalKind == LiteralKind::Null)
            return std::nullopt;
        return literalValue(lit).type();
    }
    case ExprKind::Variable:
        return variableValue(expr.as<VariableExpr>().name, context).type();
    case ExprKind::SystemVariable: {
        const auto& name = expr.as<VariableExpr>().name;
        if (auto t = systemVariableType(foldName(name)))
            return t;
        refuse(name);
    }
    case ExprKind::Unary:
        return staticType(*expr.as<UnaryExpr>().operand, context);
    case ExprKind::Binary: {
        const auto& b = expr.as<BinaryExpr>();
        return arithmeticType(arithmeticOp(b.op), orInt(staticType(*b.left, context)),
                              orInt(staticType(*b.right, context)));
    }
    case ExprKind::FunctionCall:
        return functionType(expr.as<FunctionCallExpr>(), context);
    case ExprKind::Cast: {
        const auto& c = expr.as<CastExpr>();
        if (c.form != CastForm::Cast && c.form != CastForm::Convert)
            refuse("TRY_CAST and TRY_CONVERT");
        return resolveType(c.type, LengthDefault::Cast);
    }
    case ExprKind::Case:
        return combinedType(caseBranchTypes(expr.as<CaseExpr>(), context));
    case ExprKind::Column: {
        const ColumnRef ref = resolveColumn(expr.as<ColumnExpr>(), context);
        return ref.source->table->columns[ref.column].type;
    }
    case ExprKind::Subquery: {
        const auto columns = context.describeSubquery(*expr.as<SubqueryExpr>().query, context);
        if (columns.size() != 1)
            throw SqlError(116, 16, 1,
                           "Only one expression can be specified in the select list when the subquery is not "
                           "introduced with EXISTS.");
        return columns[0].type;
    }
    case ExprKind::Collate:
        refuse("COLLATE");
    default:
        refuse("this expression");
    }
}

Value evaluateScalar(const Expr& expr, ExecutionContext& context) {
    switch (expr.kind) {
    case ExprKind::Literal:
        return literalValue(expr.as<LiteralExpr>());
    case ExprKind::Variable:
        return variableValue(expr.as<VariableExpr>().name, context);
    case ExprKind::SystemVariable: {
        const std::string name = foldName(expr.as<VariableExpr>().name);
        if (name == "@@ERROR")
            return Value::integer(context.lastError);
        if (name == "@@ROWCOUNT")
            return Value::integer(context.lastRowCount);
        if (name == "@@TRANCOUNT")
            return Value::integer(context.tranCount);
        if (name == "@@SPID")
            return Value::integer(context.spid, TypeId::SmallInt);
        refuse(expr.as<VariableExpr>().name);
    }
    case ExprKind::Unary: {
        const auto& u = expr.as<UnaryExpr>();
        Value v = evaluateScalar(*u.operand, context);
        if (u.op == UnaryOp::BitNot)
            refuse("the ~ operator");
        return u.op == UnaryOp::Minus ? negate(v) : v;
    }
    case ExprKind::Binary: {
        const auto& b = expr.as<BinaryExpr>();
        const DataType type = *staticType(expr, context);
        Value left = evaluateScalar(*b.left, context);
        Value right = evaluateScalar(*b.right, context);
        if (left.isNull() && right.isNull())
            return Value::null(type);
        // Text meeting a number is converted to the number's type, and the error names that type.
        if (!type.isCharacter() && !type.isBinary()) {
            if (!left.isNull() && left.type().isCharacter())
                left = convert(left, type, ConversionMode::Implicit);
            if (!right.isNull() && right.type().isCharacter())
                right = convert(right, type, ConversionMode::Implicit);
        }
        return evaluate(arithmeticOp(b.op), left, right);
    }
    case ExprKind::FunctionCall:
        return callFunction(expr.as<FunctionCallExpr>(), context);
    case ExprKind::Cast: {
        const auto& c = expr.as<CastExpr>();
        const DataType type = *staticType(expr, context);
        int style = 0;
        if (c.style) {
            Value s = evaluateScalar(*c.style, context);
            style = s.isNull() ? 0 : static_cast<int>(convert(s, DataType::of(TypeId::Int)).asInt64());
        }
        Value v = evaluateScalar(*c.operand, context);
        return v.isNull() ? Value::null(type) : convert(v, type, ConversionMode::Explicit, style);
    }
    case ExprKind::Case:
        return evaluateCase(expr.as<CaseExpr>(), context);
    case ExprKind::Subquery: {
        const DataType type = *staticType(expr, context);
        const ResultSet set = context.runSubquery(*expr.as<SubqueryExpr>().query);
        if (set.rows.size() > 1)
            throw SqlError(
                512, 16, 1,
                "Subquery returned more than 1 value. This is not permitted when the subquery follows "
                "=, !=, <, <= , >, >= or when the subquery is used as an expression.");
        return set.rows.empty() ? Value::null(type) : toType(set.rows[0][0], type);
    }
    case ExprKind::Column: {
        const ColumnRef ref = resolveColumn(expr.as<ColumnExpr>(), context);
        if (!ref.source->row)
            return Value::null(ref.source->table->columns[ref.column].type);
        return (*ref.source->row)[ref.column];
    }
    default:
        staticType(expr, context); // refuses what is not built
    }
    refuse("this expression");
}

std::optional<bool> evaluateCondition(const Expr& expr, ExecutionContext& context) {
    switch (expr.kind) {
    case ExprKind::Comparison: {
        const auto& c = expr.as<ComparisonExpr>();
        return compare(c.op, evaluateScalar(*c.left, context), evaluateScalar(*c.right, context));
    }
    case ExprKind::Logical: {
        const auto& l = expr.as<LogicalExpr>();
        const std::optional<bool> a = evaluateCondition(*l.left, context);
        if (l.op == LogicalOp::And && a == false)
            return false;
        if (l.op == LogicalOp::Or && a == true)
            return true;
        const std::optional<bool> b = evaluateCondition(*l.right, context);
        if (l.op == LogicalOp::And)
            return b == false ? std::optional<bool>(false)
                              : (a && b ? std::optional<bool>(true) : std::nullopt);
        return b == true ? std::optional<bool>(true) : (a && b ? std::optional<bool>(false) : std::nullopt);
    }
    case ExprKind::Not: {
        const std::optional<bool> v = evaluateCondition(*expr.as<NotExpr>().operand, context);
        return v ? std::optional<bool>(!*v) : std::nullopt;
    }
    case ExprKind::IsNull: {
        const auto& n = expr.as<IsNullExpr>();
        return evaluateScalar(*n.operand, context).isNull() != n.negated;
    }
    case ExprKind::Between: {
        const auto& b = expr.as<BetweenExpr>();
        const Value v = evaluateScalar(*b.operand, context);
        const std::optional<bool> low =
            compare(CompareOp::GreaterOrEqual, v, evaluateScalar(*b.low, context));
        const std::optional<bool> high = compare(CompareOp::LessOrEqual, v, evaluateScalar(*b.high, context));
        std::optional<bool> r;
        if (low == false || high == false)
            r = false;
        else if (low && high)
            r = true;
        if (r && b.negated)
            r = !*r;
        return r;
    }
    case ExprKind::In: {
        const auto& in = expr.as<InExpr>();
        const Value v = evaluateScalar(*in.operand, context);
        std::vector<Value> candidates;
        if (in.subquery) {
            const ResultSet set = context.runSubquery(*in.subquery);
            if (set.columns.size() != 1)
                throw SqlError(
                    116, 16, 1,
                    "Only one expression can be specified in the select list when the subquery is not "
                    "introduced with EXISTS.");
            for (const auto& row : set.rows)
                candidates.push_back(row[0]);
        } else {
            for (const auto& item : in.list)
                candidates.push_back(evaluateScalar(*item, context));
        }
        std::optional<bool> r = false;
        for (const Value& candidate : candidates) {
            const std::optional<bool> eq = compare(CompareOp::Equal, v, candidate);
            if (eq == true) {
                r = true;
                break;
            }
            if (!eq)
                r = std::nullopt;
        }
        if (r && in.negated)
            r = !*r;
        return r;
    }
    case ExprKind::Like: {
        const auto& l = expr.as<LikeExpr>();
        const Value text = evaluateScalar(*l.operand, context);
        const Value pattern = evaluateScalar(*l.pattern, context);
        const std::optional<Value> escape =
            l.escape ? std::optional<Value>(evaluateScalar(*l.escape, context)) : std::nullopt;
        if (text.isNull() || pattern.isNull() || (escape && escape->isNull()))
            return std::nullopt;
        const DataType wide = DataType::nvarchar(DataType::kMax);
        const auto asText = [&wide](const Value& v) {
            return convert(v, wide, ConversionMode::Implicit).asText();
        };
        const std::string escapeText = escape ? asText(*escape) : std::string();
        const LikePattern like(asText(pattern),
                               escape ? std::optional<std::string_view>(escapeText) : std::nullopt);
        return like.matches(asText(text)) != l.negated;
    }
    case ExprKind::Exists:
        return !context.runSubquery(*expr.as<ExistsExpr>().query).rows.empty();
    default:
        refuseUnbuiltCondition(expr);
        refuse("this condition");
    }
}

bool containsAggregate(const Expr& e) {
    switch (e.kind) {
    case ExprKind::FunctionCall: {
        const auto& f = e.as<FunctionCallExpr>();
        if (f.name.parts.size() == 1 && isAggregate(foldName(f.name.last())))
            return true;
        for (const auto& a : f.args)
            if (containsAggregate(*a))
                return true;
        return false;
    }
    case ExprKind::Unary:
        return containsAggregate(*e.as<UnaryExpr>().operand);
    case ExprKind::Binary:
        return containsAggregate(*e.as<BinaryExpr>().left) || containsAggregate(*e.as<BinaryExpr>().right);
    case ExprKind::Cast:
        return containsAggregate(*e.as<CastExpr>().operand);
    case ExprKind::Case: {
        const auto& c = e.as<CaseExpr>();
        if ((c.operand && containsAggregate(*c.operand)) ||
            (c.elseResult && containsAggregate(*c.elseResult)))
            return true;
        for (const auto& w : c.whens)
            if (containsAggregate(*w.then) || (!w.when->isCondition() && containsAggregate(*w.when)))
                return true;
        return false;
    }
    default:
        return false;
    }
}

void refuseUnbuiltCondition(const Expr& expr) {
    if (expr.kind == ExprKind::Quantified)
        refuse("ALL, ANY and SOME");
}

} // namespace tsql
