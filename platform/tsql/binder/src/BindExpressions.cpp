#include "BinderImpl.h"

#include "tsql/Arithmetic.h"
#include "tsql/SqlError.h"
#include "tsql/binder/Names.h"
#include "tsql/syntax/AstDefinitions.h"
#include "tsql/syntax/CompatibilityLevel.h"
#include "tsql/syntax/Parser.h"

#include <algorithm>

namespace tsql {

void refuse(std::string_view construct) {
    throw SqlError(50900, 16, 1, "The engine does not support " + std::string(construct) + " yet.");
}

BoundExprPtr makeNode(BoundKind kind, const DataType& type) {
    auto n = std::make_unique<BoundExpr>();
    n->kind = kind;
    n->type = type;
    return n;
}

BoundExprPtr makeConstant(const Value& v) {
    auto n = makeNode(BoundKind::Constant, v.type());
    n->constant = v;
    return n;
}

bool BoundExpr::isCondition() const {
    switch (kind) {
    case BoundKind::Compare:
    case BoundKind::And:
    case BoundKind::Or:
    case BoundKind::Not:
    case BoundKind::IsNull:
    case BoundKind::Like:
    case BoundKind::InList:
    case BoundKind::InQuery:
    case BoundKind::Exists:
        return true;
    default:
        return false;
    }
}

bool containsAggregate(const BoundExpr& e) {
    if (e.kind == BoundKind::Aggregate)
        return true;
    return std::any_of(e.args.begin(), e.args.end(),
                       [](const BoundExprPtr& a) { return a && containsAggregate(*a); });
}

DataType resolveType(const TypeName& name, LengthDefault lengthDefault) {
    std::vector<int> params;
    if (name.isMax)
        params.push_back(DataType::kMax);
    else if (name.length)
        params.push_back(static_cast<int>(*name.length));
    if (name.scale)
        params.push_back(static_cast<int>(*name.scale));
    auto type = DataType::fromName(name.name, params, lengthDefault);
    if (!type || (!name.schema.empty() && foldName(name.schema) != "SYS" && foldName(name.schema) != "DBO"))
        throw SqlError(2715, 16, 6,
                       "Column, parameter, or variable #1: Cannot find data type " + name.name + ".");
    return *type;
}

BoundExprPtr Binder::convertTo(BoundExprPtr e, const DataType& type, ConversionMode mode) {
    if (e->untypedNull) {
        e->type = type;
        e->constant = Value::null(type);
        e->untypedNull = false;
        return e;
    }
    if (e->type == type)
        return e;
    auto n = makeNode(BoundKind::Convert, type);
    n->mode = mode;
    n->args.push_back(std::move(e));
    return n;
}

namespace {

SqlError unknownFunction(std::string_view name) {
    return SqlError(195, 15, 10, "'" + std::string(name) + "' is not a recognized built-in function name.");
}

void expectArgs(const FunctionCallExpr& f, std::size_t count) {
    if (f.args.size() != count)
        throw SqlError(174, 15, 1,
                       "The " + foldName(f.name.last()) + " function requires " + std::to_string(count) +
                           " argument(s).");
}

std::optional<DataType> typeOf(const BoundExpr& e) {
    return e.untypedNull ? std::nullopt : std::optional<DataType>(e.type);
}

DataType orInt(const BoundExpr& e) {
    return e.untypedNull ? DataType::of(TypeId::Int) : e.type;
}

std::string_view compareText(CompareOp op) {
    switch (op) {
    case CompareOp::Equal:
        return "equal to";
    case CompareOp::NotEqual:
        return "not equal to";
    case CompareOp::Less:
    case CompareOp::NotGreater:
        return "less than";
    case CompareOp::Greater:
    case CompareOp::NotLess:
        return "greater than";
    case CompareOp::LessOrEqual:
        return "less than or equal to";
    case CompareOp::GreaterOrEqual:
        return "greater than or equal to";
    }
    return "equal to";
}

Value hexBytes(std::string_view text) {
    std::string bytes;
    std::string_view digits = text.substr(2);
    if (digits.size() % 2)
        bytes.push_back(0);
    const auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    for (std::size_t i = digits.size() % 2; i < digits.size(); i += 2)
        bytes.push_back(static_cast<char>(nibble(digits[i]) * 16 + nibble(digits[i + 1])));
    if (digits.size() % 2)
        bytes[0] = static_cast<char>(nibble(digits[0]));
    const std::size_t length = bytes.size();
    return Value::binary(std::move(bytes), binaryLiteralType(length));
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
        return convert(Value::varchar(lit.value.substr(lit.value.find_first_not_of("$"))),
                       DataType::of(TypeId::Money));
    case LiteralKind::Binary:
        return hexBytes(lit.value);
    }
    refuse("this literal");
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

struct SessionInfo {
    std::string_view name;
    SessionValue value;
    DataType type;
};

const SessionInfo* sessionFunction(std::string_view folded, bool systemVariable) {
    static const SessionInfo variables[] = {
        {"@@ERROR", SessionValue::Error, DataType::of(TypeId::Int)},
        {"@@ROWCOUNT", SessionValue::RowCount, DataType::of(TypeId::Int)},
        {"@@TRANCOUNT", SessionValue::TranCount, DataType::of(TypeId::Int)},
        {"@@SPID", SessionValue::Spid, DataType::of(TypeId::SmallInt)},
        {"@@FETCH_STATUS", SessionValue::FetchStatus, DataType::of(TypeId::Int)},
        {"@@NESTLEVEL", SessionValue::NestLevel, DataType::of(TypeId::Int)},
        {"@@IDENTITY", SessionValue::Identity, DataType::numeric(38, 0)},
        {"@@SERVERNAME", SessionValue::ServerName, DataType::nvarchar(128)},
        {"@@VERSION", SessionValue::Version, DataType::nvarchar(300)},
    };
    static const SessionInfo functions[] = {
        {"GETDATE", SessionValue::Now, DataType::of(TypeId::DateTime)},
        {"CURRENT_TIMESTAMP", SessionValue::Now, DataType::of(TypeId::DateTime)},
        {"SUSER_SNAME", SessionValue::Login, DataType::nvarchar(128)},
        {"SUSER_NAME", SessionValue::Login, DataType::nvarchar(128)},
        {"SYSTEM_USER", SessionValue::Login, DataType::nvarchar(128)},
        {"SCOPE_IDENTITY", SessionValue::ScopeIdentity, DataType::numeric(38, 0)},
        {"ERROR_NUMBER", SessionValue::ErrorNumber, DataType::of(TypeId::Int)},
        {"ERROR_MESSAGE", SessionValue::ErrorMessage, DataType::nvarchar(4000)},
        {"ERROR_SEVERITY", SessionValue::ErrorSeverity, DataType::of(TypeId::Int)},
        {"ERROR_STATE", SessionValue::ErrorState, DataType::of(TypeId::Int)},
        {"ERROR_LINE", SessionValue::ErrorLine, DataType::of(TypeId::Int)},
        {"ERROR_PROCEDURE", SessionValue::ErrorProcedure, DataType::nvarchar(128)},
        {"DB_NAME", SessionValue::DatabaseName, DataType::nvarchar(128)},
        {"HOST_NAME", SessionValue::HostName, DataType::nvarchar(128)},
    };
    if (systemVariable) {
        for (const auto& v : variables)
            if (v.name == folded)
                return &v;
        return nullptr;
    }
    for (const auto& f : functions)
        if (f.name == folded)
            return &f;
    return nullptr;
}

DataType sumType(const DataType& arg, std::string_view op) {
    if (arg.id == TypeId::TinyInt || arg.id == TypeId::SmallInt || arg.id == TypeId::Int)
        return DataType::of(TypeId::Int);
    if (arg.isDecimal())
        return DataType::numeric(38, arg.scale);
    if (arg.isMoney())
        return DataType::of(TypeId::Money);
    if (arg.isApproximate())
        return DataType::of(TypeId::Float);
    if (arg.id == TypeId::BigInt)
        return arg;
    throw SqlError(8117, 16, 1,
                   "Operand data type " + std::string(arg.name()) + " is invalid for " + std::string(op) +
                       " operator.");
}

} // namespace

BoundExprPtr Binder::Impl::comparison(CompareOp op, BoundExprPtr left, BoundExprPtr right) {
    DataType common;
    if (left->untypedNull && right->untypedNull)
        common = DataType::of(TypeId::Int);
    else if (left->untypedNull)
        common = right->type;
    else if (right->untypedNull)
        common = left->type;
    else
        common = comparisonType(left->type, right->type, compareText(op));
    auto n = makeNode(BoundKind::Compare, DataType::of(TypeId::Bit));
    n->compare = op;
    n->args.push_back(convertTo(std::move(left), common, ConversionMode::Implicit));
    n->args.push_back(convertTo(std::move(right), common, ConversionMode::Implicit));
    return n;
}

BoundExprPtr Binder::Impl::column(const ColumnExpr& c, const Scope* scope) {
    const auto& parts = c.name.parts;
    const std::string name = c.name.last();
    const std::string qualifier = parts.size() >= 2 ? foldName(parts[parts.size() - 2].name) : "";
    bool qualifierSeen = false;
    for (const Scope* s = scope; s; s = s->outer) {
        const ScopeEntry* foundEntry = nullptr;
        std::size_t foundColumn = 0;
        for (const ScopeEntry& entry : s->entries) {
            if (!qualifier.empty() && entry.alias != qualifier)
                continue;
            qualifierSeen = true;
            const std::string folded = foldName(name);
            for (std::size_t i = 0; i < entry.columns.size(); ++i) {
                if (foldName(entry.columns[i].name) != folded)
                    continue;
                if (foundEntry)
                    throw SqlError(209, 16, 1, "Ambiguous column name '" + name + "'.");
                foundEntry = &entry;
                foundColumn = i;
                break;
            }
        }
        if (!foundEntry)
            continue;
        const DataType& type = foundEntry->columns[foundColumn].type;
        if (foundEntry->apply) {
            auto n = makeNode(BoundKind::ScalarQuery, type);
            n->query = foundEntry->apply;
            n->ordinal = static_cast<int>(foundColumn);
            return n;
        }
        auto n = makeNode(BoundKind::Column, type);
        n->source = foundEntry->id;
        n->ordinal = static_cast<int>(foundColumn);
        n->name = foundEntry->display + "." + foundEntry->columns[foundColumn].name;
        return n;
    }
    if (!qualifier.empty() && !qualifierSeen)
        throw SqlError(4104, 16, 1,
                       "The multi-part identifier \"" + c.name.toString() + "\" could not be bound.");
    throw SqlError(207, 16, 1, "Invalid column name '" + name + "'.");
}

BoundExprPtr Binder::Impl::condition(const Expr& e, const Scope* scope) {
    if (!e.isCondition())
        throw SqlError(
            4145, 15, 1,
            "An expression of non-boolean type specified in a context where a condition is expected.");
    return expr(e, scope);
}

BoundExprPtr Binder::Impl::caseExpr(const CaseExpr& c, const Scope* scope) {
    std::vector<BoundExprPtr> whens, thens;
    for (const auto& w : c.whens) {
        if (c.operand)
            whens.push_back(comparison(CompareOp::Equal, expr(*c.operand, scope), expr(*w.when, scope)));
        else
            whens.push_back(condition(*w.when, scope));
        thens.push_back(expr(*w.then, scope));
    }
    BoundExprPtr otherwise = c.elseResult ? expr(*c.elseResult, scope) : nullptr;
    std::vector<std::optional<DataType>> branches;
    for (const auto& t : thens)
        branches.push_back(typeOf(*t));
    if (otherwise)
        branches.push_back(typeOf(*otherwise));
    const DataType type = combinedType(branches);
    auto n = makeNode(BoundKind::Case, type);
    for (std::size_t i = 0; i < whens.size(); ++i) {
        n->args.push_back(std::move(whens[i]));
        n->args.push_back(Binder::convertTo(std::move(thens[i]), type, ConversionMode::Implicit));
    }
    if (otherwise) {
        n->hasElse = true;
        n->args.push_back(Binder::convertTo(std::move(otherwise), type, ConversionMode::Implicit));
    }
    return n;
}

BoundExprPtr Binder::Impl::aggregate(const FunctionCallExpr& f, const std::string& name, const Scope* scope) {
    if (aggregates == AggregateContext::Inside)
        throw SqlError(130, 16, 1,
                       "Cannot perform an aggregate function on an expression containing an aggregate or a "
                       "subquery.");
    if (aggregates == AggregateContext::None)
        throw SqlError(
            147, 15, 1,
            "An aggregate may not appear in the WHERE clause unless it is in a subquery contained in a "
            "HAVING clause or a select list, and the column being aggregated is an outer reference.");
    if (f.args.size() != 1)
        throw SqlError(174, 15, 1, "The " + name + " function requires 1 argument(s).");
    sawAggregate = true;
    if (f.args[0]->kind == ExprKind::Star) {
        if (name != "COUNT" && name != "COUNT_BIG")
            throw SqlError(102, 15, 1, "Incorrect syntax near '*'.");
        auto n = makeNode(BoundKind::Aggregate, DataType::of(name == "COUNT" ? TypeId::Int : TypeId::BigInt));
        n->aggregate = AggregateOp::CountStar;
        return n;
    }
    aggregates = AggregateContext::Inside;
    BoundExprPtr arg;
    try {
        arg = expr(*f.args[0], scope);
    } catch (...) {
        aggregates = AggregateContext::Allowed;
        throw;
    }
    aggregates = AggregateContext::Allowed;
    const DataType argType = orInt(*arg);
    DataType type = argType;
    AggregateOp op = AggregateOp::Count;
    if (name == "COUNT" || name == "COUNT_BIG") {
        op = name == "COUNT" ? AggregateOp::Count : AggregateOp::CountBig;
        type = DataType::of(name == "COUNT" ? TypeId::Int : TypeId::BigInt);
    } else if (name == "SUM") {
        op = AggregateOp::Sum;
        type = sumType(argType, "sum");
    } else if (name == "AVG") {
        op = AggregateOp::Avg;
        type = sumType(argType, "avg");
        if (argType.isDecimal())
            type = DataType::numeric(38, std::max<int>(argType.scale, 6));
    } else {
        op = name == "MIN" ? AggregateOp::Min : AggregateOp::Max;
        if (argType.id == TypeId::Bit || argType.isLob())
            throw SqlError(8117, 16, 1,
                           "Operand data type " + std::string(argType.name()) + " is invalid for " +
                               foldName(name) + " operator.");
    }
    if (f.distinct && (op == AggregateOp::Sum || op == AggregateOp::Avg) && argType.isDecimal())
        refuse("SUM and AVG of DISTINCT decimal values");
    auto n = makeNode(BoundKind::Aggregate, type);
    n->aggregate = op;
    n->distinct = f.distinct;
    n->args.push_back(Binder::convertTo(std::move(arg), argType, ConversionMode::Implicit));
    return n;
}

BoundExprPtr Binder::Impl::userFunction(const FunctionCallExpr& f, const Scope* scope) {
    const auto& parts = f.name.parts;
    if (parts.size() != 2 || foldName(parts[0].name) != "DBO")
        refuse("functions outside the dbo schema (" + f.name.toString() + ")");
    const auto text = catalog.findFunction(f.name.last());
    if (!text)
        throw SqlError(4121, 16, 1,
                       "Cannot find either column \"dbo\" or the user-defined function or aggregate \"" +
                           f.name.toString() + "\", or the name is ambiguous.");
    const Batch b = parseBatch(text->definition, ParseOptions{options.compatibilityLevel, 128});
    if (b.statements.size() != 1 || b.statements[0]->kind != StmtKind::CreateFunction)
        throw SqlError(50903, 16, 1,
                       "The stored text of '" + text->name + "' is not a CREATE FUNCTION statement.");
    const auto& fn = b.statements[0]->as<CreateFunctionStmt>();
    const bool tooFew = f.args.size() < fn.parameters.size();
    if (f.args.size() != fn.parameters.size())
        throw SqlError(
            tooFew ? 313 : 8144, 16, tooFew ? 3 : 2,
            tooFew ? "An insufficient number of arguments were supplied for the procedure or function " +
                         f.name.toString() + "."
                   : "Procedure or function " + f.name.toString() + " has too many arguments specified.");
    auto n = makeNode(BoundKind::UserFunction, resolveType(fn.returnType, LengthDefault::Declaration));
    n->name = text->name;
    n->constant = Value::text(text->name, DataType::nvarchar(128));
    for (std::size_t i = 0; i < f.args.size(); ++i) {
        const DataType type = resolveType(fn.parameters[i].type, LengthDefault::Declaration);
        const bool useDefault = f.args[i]->kind == ExprKind::Default;
        if (useDefault && !fn.parameters[i].defaultValue)
            throw SqlError(
                313, 16, 3,
                "An insufficient number of arguments were supplied for the procedure or function " +
                    f.name.toString() + ".");
        BoundExprPtr arg =
            useDefault ? expr(*fn.parameters[i].defaultValue, nullptr) : expr(*f.args[i], scope);
        n->args.push_back(Binder::convertTo(std::move(arg), type, ConversionMode::Assign));
    }
    return n;
}

BoundExprPtr Binder::Impl::function(const FunctionCallExpr& f, const Scope* scope) {
    if (f.name.parts.size() != 1)
        return userFunction(f, scope);
    const std::string name = foldName(f.name.last());
    if (auto level = builtinFunctionLevel(name); level && *level > options.compatibilityLevel)
        throw unknownFunction(f.name.last());
    if (name == "COUNT" || name == "COUNT_BIG" || name == "SUM" || name == "MIN" || name == "MAX" ||
        name == "AVG")
        return aggregate(f, name, scope);
    if (const SessionInfo* s = sessionFunction(name, false)) {
        if (!f.args.empty())
            refuse(name + " with arguments");
        auto n = makeNode(BoundKind::Session, s->type);
        n->session = s->value;
        return n;
    }
    if (name == "USER_NAME" || name == "CURRENT_USER" || name == "USER" || name == "SESSION_USER") {
        if (!f.args.empty())
            refuse(name + " with arguments");
        return makeConstant(Value::text("dbo", DataType::nvarchar(128)));
    }
    std::vector<BoundExprPtr> args;
    if (name == "ISNULL" || name == "COALESCE" || name == "IIF") {
        if (name == "ISNULL")
            expectArgs(f, 2);
        else if (name == "IIF")
            expectArgs(f, 3);
        else if (f.args.size() < 2)
            throw SqlError(189, 15, 1, "The coalesce function requires 2 to 255 arguments.");
        if (name == "IIF") {
            auto c = makeNode(BoundKind::Case, DataType::of(TypeId::Int));
            BoundExprPtr cond = condition(*f.args[0], scope);
            BoundExprPtr a = expr(*f.args[1], scope), b = expr(*f.args[2], scope);
            c->type = combinedType({typeOf(*a), typeOf(*b)});
            c->args.push_back(std::move(cond));
            c->args.push_back(Binder::convertTo(std::move(a), c->type, ConversionMode::Implicit));
            c->args.push_back(Binder::convertTo(std::move(b), c->type, ConversionMode::Implicit));
            c->hasElse = true;
            return c;
        }
        std::vector<std::optional<DataType>> types;
        for (const auto& a : f.args) {
            args.push_back(expr(*a, scope));
            types.push_back(typeOf(*args.back()));
        }
        const DataType type = name == "ISNULL" ? isnullType(types[0], types[1]) : combinedType(types);
        auto n = makeNode(BoundKind::Coalesce, type);
        for (std::size_t i = 0; i < args.size(); ++i)
            n->args.push_back(Binder::convertTo(std::move(args[i]), type,
                                                name == "ISNULL" && i > 0 ? ConversionMode::Assign
                                                                          : ConversionMode::Implicit));
        return n;
    }
    const BuiltinInfo* info = findBuiltin(name);
    if (!info)
        throw unknownFunction(f.name.last());
    const int count = static_cast<int>(f.args.size());
    if (count < info->minArgs || count > info->maxArgs) {
        if (info->minArgs == info->maxArgs)
            expectArgs(f, static_cast<std::size_t>(info->minArgs));
        throw SqlError(174, 15, 1,
                       "The " + name + " function requires " + std::to_string(info->minArgs) + " to " +
                           std::to_string(info->maxArgs) + " arguments.");
    }
    std::vector<std::optional<DataType>> types;
    for (std::size_t i = 0; i < f.args.size(); ++i) {
        if (i == 0 && info->datePartFirst) {
            const Expr& p = *f.args[0];
            std::optional<DatePart> part;
            if (p.kind == ExprKind::Column && p.as<ColumnExpr>().name.parts.size() == 1)
                part = parseDatePart(p.as<ColumnExpr>().name.last());
            if (!part)
                throw SqlError(
                    155, 15, 1,
                    "'" + std::string(p.kind == ExprKind::Column ? p.as<ColumnExpr>().name.last() : "?") +
                        "' is not a recognized " + name + " option.");
            args.push_back(makeConstant(Value::integer(static_cast<int>(*part))));
            types.push_back(std::nullopt);
            continue;
        }
        args.push_back(expr(*f.args[i], scope));
        types.push_back(typeOf(*args.back()));
    }
    // Integer constants among the arguments (a SUBSTRING's length) can decide the result's type.
    std::vector<std::optional<std::int64_t>> integers;
    for (const auto& a : args)
        integers.push_back(a->kind == BoundKind::Constant && !a->constant.isNull() && a->type.isInteger()
                               ? std::optional<std::int64_t>(a->constant.asInt64())
                               : std::nullopt);
    const BuiltinSignature sig = builtinSignature(*info, types, integers);
    auto n = makeNode(BoundKind::Builtin, sig.result);
    n->builtin = info->id;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (sig.parameters[i])
            args[i] = Binder::convertTo(std::move(args[i]), *sig.parameters[i], ConversionMode::Implicit);
        n->args.push_back(std::move(args[i]));
    }
    return n;
}

BoundExprPtr Binder::Impl::expr(const Expr& e, const Scope* scope) {
    switch (e.kind) {
    case ExprKind::Literal: {
        const auto& lit = e.as<LiteralExpr>();
        auto n = makeConstant(literalValue(lit));
        n->untypedNull = lit.literalKind == LiteralKind::Null;
        return n;
    }
    case ExprKind::Variable: {
        const auto& name = e.as<VariableExpr>().name;
        const VariableInfo* v = variables.find(name);
        if (!v)
            throw SqlError(137, 15, 2, "Must declare the scalar variable \"" + name + "\".");
        auto n = makeNode(BoundKind::Variable, v->type);
        n->slot = v->slot;
        return n;
    }
    case ExprKind::SystemVariable: {
        const auto& name = e.as<VariableExpr>().name;
        const SessionInfo* s = sessionFunction(foldName(name), true);
        if (!s)
            refuse(name);
        auto n = makeNode(BoundKind::Session, s->type);
        n->session = s->value;
        return n;
    }
    case ExprKind::Column:
        return column(e.as<ColumnExpr>(), scope);
    case ExprKind::Star:
        throw SqlError(102, 15, 1, "Incorrect syntax near '*'.");
    case ExprKind::Default:
        throw SqlError(156, 15, 1, "Incorrect syntax near the keyword 'DEFAULT'.");
    case ExprKind::Unary: {
        const auto& u = e.as<UnaryExpr>();
        if (u.op == UnaryOp::BitNot)
            refuse("the ~ operator");
        BoundExprPtr operand = expr(*u.operand, scope);
        if (u.op == UnaryOp::Plus)
            return operand;
        if (operand->kind == BoundKind::Constant && !operand->untypedNull) {
            try {
                operand->constant = negate(operand->constant);
                operand->type = operand->constant.type();
                return operand;
            } catch (const SqlError&) {
                // left to run time, where the error belongs to the statement
            }
        }
        DataType type = orInt(*operand);
        if (type.isCharacter())
            throw SqlError(8117, 16, 1,
                           "Operand data type " + std::string(type.name()) +
                               " is invalid for minus operator.");
        auto n = makeNode(BoundKind::Negate, type);
        n->args.push_back(std::move(operand));
        return n;
    }
    case ExprKind::Binary: {
        const auto& b = e.as<BinaryExpr>();
        const ArithmeticOp op = arithmeticOp(b.op);
        BoundExprPtr left = expr(*b.left, scope), right = expr(*b.right, scope);
        if (left->untypedNull && right->untypedNull) {
            auto n = makeConstant(Value::null(DataType::of(TypeId::Int)));
            n->untypedNull = true;
            return n;
        }
        // A bare NULL takes the other operand's type.
        const DataType lt = left->untypedNull ? right->type : left->type;
        const DataType rt = right->untypedNull ? left->type : right->type;
        const DataType type = arithmeticType(op, lt, rt);
        left = Binder::convertTo(std::move(left), lt, ConversionMode::Implicit);
        right = Binder::convertTo(std::move(right), rt, ConversionMode::Implicit);
        // Text meeting a number is converted to the number's type, and the error names that type.
        if (!type.isCharacter() && !type.isBinary()) {
            if (left->type.isCharacter())
                left = Binder::convertTo(std::move(left), type, ConversionMode::Implicit);
            if (right->type.isCharacter())
                right = Binder::convertTo(std::move(right), type, ConversionMode::Implicit);
        }
        auto n = makeNode(BoundKind::Arithmetic, type);
        n->arith = op;
        n->args.push_back(std::move(left));
        n->args.push_back(std::move(right));
        return n;
    }
    case ExprKind::Comparison: {
        const auto& c = e.as<ComparisonExpr>();
        return comparison(c.op, expr(*c.left, scope), expr(*c.right, scope));
    }
    case ExprKind::Logical: {
        const auto& l = e.as<LogicalExpr>();
        auto n = makeNode(l.op == LogicalOp::And ? BoundKind::And : BoundKind::Or, DataType::of(TypeId::Bit));
        n->args.push_back(condition(*l.left, scope));
        n->args.push_back(condition(*l.right, scope));
        return n;
    }
    case ExprKind::Not: {
        auto n = makeNode(BoundKind::Not, DataType::of(TypeId::Bit));
        n->args.push_back(condition(*e.as<NotExpr>().operand, scope));
        return n;
    }
    case ExprKind::IsNull: {
        const auto& i = e.as<IsNullExpr>();
        auto n = makeNode(BoundKind::IsNull, DataType::of(TypeId::Bit));
        n->negated = i.negated;
        n->args.push_back(expr(*i.operand, scope));
        return n;
    }
    case ExprKind::Like: {
        const auto& l = e.as<LikeExpr>();
        auto n = makeNode(BoundKind::Like, DataType::of(TypeId::Bit));
        n->negated = l.negated;
        const auto asText = [](BoundExprPtr x) {
            if (x->untypedNull || x->type.isCharacter())
                return Binder::convertTo(std::move(x), x->untypedNull ? DataType::nvarchar(1) : x->type,
                                         ConversionMode::Implicit);
            if (x->type.isBinary() || x->type.id == TypeId::UniqueIdentifier || x->type.isNumeric() ||
                x->type.isDateTime())
                return Binder::convertTo(std::move(x), DataType::varchar(8000), ConversionMode::Implicit);
            return x;
        };
        n->args.push_back(asText(expr(*l.operand, scope)));
        n->args.push_back(asText(expr(*l.pattern, scope)));
        if (l.escape)
            n->args.push_back(asText(expr(*l.escape, scope)));
        return n;
    }
    case ExprKind::Between: {
        const auto& b = e.as<BetweenExpr>();
        auto n = makeNode(BoundKind::And, DataType::of(TypeId::Bit));
        n->args.push_back(
            comparison(CompareOp::GreaterOrEqual, expr(*b.operand, scope), expr(*b.low, scope)));
        n->args.push_back(comparison(CompareOp::LessOrEqual, expr(*b.operand, scope), expr(*b.high, scope)));
        if (!b.negated)
            return n;
        auto no = makeNode(BoundKind::Not, DataType::of(TypeId::Bit));
        no->args.push_back(std::move(n));
        return no;
    }
    case ExprKind::In: {
        const auto& in = e.as<InExpr>();
        BoundExprPtr operand = expr(*in.operand, scope);
        if (in.subquery) {
            auto q = query(*in.subquery, scope);
            if (q->columns.size() != 1)
                throw SqlError(
                    116, 16, 1,
                    "Only one expression can be specified in the select list when the subquery is not "
                    "introduced with EXISTS.");
            const DataType common =
                operand->untypedNull ? q->columns[0].type : comparisonType(operand->type, q->columns[0].type);
            auto n = makeNode(BoundKind::InQuery, common);
            n->negated = in.negated;
            n->query = q;
            n->args.push_back(Binder::convertTo(std::move(operand), common, ConversionMode::Implicit));
            return n;
        }
        std::vector<BoundExprPtr> items;
        std::optional<DataType> common = typeOf(*operand);
        for (const auto& item : in.list) {
            items.push_back(expr(*item, scope));
            if (!items.back()->untypedNull)
                common = common ? comparisonType(*common, items.back()->type) : items.back()->type;
        }
        const DataType type = common ? *common : DataType::of(TypeId::Int);
        auto n = makeNode(BoundKind::InList, type);
        n->negated = in.negated;
        n->args.push_back(Binder::convertTo(std::move(operand), type, ConversionMode::Implicit));
        for (auto& item : items)
            n->args.push_back(Binder::convertTo(std::move(item), type, ConversionMode::Implicit));
        return n;
    }
    case ExprKind::Exists: {
        auto n = makeNode(BoundKind::Exists, DataType::of(TypeId::Bit));
        const AggregateContext saved = aggregates;
        aggregates = AggregateContext::None;
        n->query = query(*e.as<ExistsExpr>().query, scope);
        aggregates = saved;
        return n;
    }
    case ExprKind::Quantified:
        refuse("ALL, ANY and SOME");
    case ExprKind::Subquery: {
        const AggregateContext saved = aggregates;
        const bool savedSaw = sawAggregate;
        aggregates = AggregateContext::None;
        auto q = query(*e.as<SubqueryExpr>().query, scope);
        aggregates = saved;
        sawAggregate = savedSaw;
        if (q->columns.size() != 1)
            throw SqlError(116, 16, 1,
                           "Only one expression can be specified in the select list when the subquery is not "
                           "introduced with EXISTS.");
        auto n = makeNode(BoundKind::ScalarQuery, q->columns[0].type);
        n->query = q;
        return n;
    }
    case ExprKind::FunctionCall:
        return function(e.as<FunctionCallExpr>(), scope);
    case ExprKind::Cast: {
        const auto& c = e.as<CastExpr>();
        if (c.form != CastForm::Cast && c.form != CastForm::Convert) {
            if (options.compatibilityLevel < 110)
                throw unknownFunction(c.form == CastForm::TryCast ? "TRY_CAST" : "TRY_CONVERT");
            refuse("TRY_CAST and TRY_CONVERT");
        }
        const DataType type = resolveType(c.type, LengthDefault::Cast);
        int style = 0;
        if (c.style) {
            if (c.style->kind != ExprKind::Literal ||
                c.style->as<LiteralExpr>().literalKind != LiteralKind::Integer)
                refuse("CONVERT with a style that is not a number");
            style = std::stoi(c.style->as<LiteralExpr>().value);
        }
        BoundExprPtr operand = expr(*c.operand, scope);
        if (operand->untypedNull)
            return Binder::convertTo(std::move(operand), type, ConversionMode::Explicit);
        if (conversionKind(operand->type.id, type.id) == ConversionKind::NotAllowed)
            throw SqlError(529, 16, 2,
                           "Explicit conversion from data type " + std::string(operand->type.name()) +
                               " to " + std::string(type.name()) + " is not allowed.");
        auto n = makeNode(BoundKind::Convert, type);
        n->mode = ConversionMode::Explicit;
        n->style = style;
        n->args.push_back(std::move(operand));
        return n;
    }
    case ExprKind::Case:
        return caseExpr(e.as<CaseExpr>(), scope);
    case ExprKind::Collate: {
        const auto& c = e.as<CollateExpr>();
        const std::string folded = foldName(c.collation);
        if (folded != "DATABASE_DEFAULT" && folded.find("_CI_AS") == std::string::npos)
            refuse("COLLATE " + c.collation);
        return expr(*c.operand, scope);
    }
    }
    refuse("this expression");
}

} // namespace tsql
