#include "ServerText.h"

#include "tsql/syntax/AstQueries.h"

#include <algorithm>
#include <cctype>

namespace tsql {

namespace {

// Binding strength, weakest first: a child weaker than its place needs parentheses.
enum Strength { kOr = 1, kAnd, kNot, kCompare, kAdd, kMultiply, kUnary, kAtom };

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// Indexed by the enumerators' order.
constexpr const char* kCompareText[] = {"=", "<>", "<", ">", "<=", ">=", ">=", "<="};
constexpr const char* kBinaryText[] = {"+", "-", "*", "/", "%", "&", "|", "^"};

const char* compareText(CompareOp op) {
    return kCompareText[static_cast<int>(op)];
}

const char* binaryText(BinaryOp op) {
    return kBinaryText[static_cast<int>(op)];
}

Strength binaryStrength(BinaryOp op) {
    switch (op) {
    case BinaryOp::Multiply:
    case BinaryOp::Divide:
    case BinaryOp::Modulo:
        return kMultiply;
    default:
        return kAdd;
    }
}

// Built-ins written without parentheses, as the server prints them.
std::string niladicText(const std::string& name) {
    const std::string n = upper(name);
    if (n == "CURRENT_TIMESTAMP")
        return "getdate()";
    if (n == "USER" || n == "CURRENT_USER" || n == "SESSION_USER")
        return "user_name()";
    if (n == "SYSTEM_USER")
        return "suser_sname()";
    return lower(name) + "()";
}

std::string typeText(const TypeName& t) {
    std::string out = bracketed(lower(t.name));
    if (t.isMax)
        return out + "(max)";
    if (t.length) {
        out += "(" + std::to_string(*t.length);
        if (t.scale)
            out += "," + std::to_string(*t.scale);
        out += ")";
    }
    return out;
}

class Printer {
public:
    // The expression in a place that binds at least as strongly as `place`.
    std::string print(const Expr& e, Strength place) {
        Strength own = kAtom;
        std::string text = bare(e, own);
        return own < place ? "(" + text + ")" : text;
    }

private:
    std::string bare(const Expr& e, Strength& own) {
        switch (e.kind) {
        case ExprKind::Literal:
            return literal(e.as<LiteralExpr>());
        case ExprKind::Variable:
        case ExprKind::SystemVariable:
            return e.as<VariableExpr>().name;
        case ExprKind::Column:
            return bracketed(e.as<ColumnExpr>().name.last());
        case ExprKind::Unary: {
            const auto& u = e.as<UnaryExpr>();
            if (u.op == UnaryOp::Minus && u.operand->kind == ExprKind::Literal &&
                isNumber(u.operand->as<LiteralExpr>()))
                return "(-" + u.operand->as<LiteralExpr>().text + ")";
            own = kUnary;
            const char* op = u.op == UnaryOp::Minus ? "-" : u.op == UnaryOp::Plus ? "+" : "~";
            return op + print(*u.operand, kUnary);
        }
        case ExprKind::Binary: {
            const auto& b = e.as<BinaryExpr>();
            own = binaryStrength(b.op);
            // Left-associative: the right operand of equal strength keeps its parentheses.
            return print(*b.left, own) + binaryText(b.op) + print(*b.right, static_cast<Strength>(own + 1));
        }
        case ExprKind::Comparison: {
            const auto& c = e.as<ComparisonExpr>();
            own = kCompare;
            return print(*c.left, kAdd) + compareText(c.op) + print(*c.right, kAdd);
        }
        case ExprKind::Logical: {
            const auto& l = e.as<LogicalExpr>();
            own = l.op == LogicalOp::And ? kAnd : kOr;
            return print(*l.left, own) + (l.op == LogicalOp::And ? " AND " : " OR ") + print(*l.right, own);
        }
        case ExprKind::Not:
            own = kNot;
            return "NOT " + print(*e.as<NotExpr>().operand, kNot);
        case ExprKind::IsNull: {
            const auto& n = e.as<IsNullExpr>();
            own = kCompare;
            return print(*n.operand, kAdd) + (n.negated ? " IS NOT NULL" : " IS NULL");
        }
        case ExprKind::Like: {
            const auto& l = e.as<LikeExpr>();
            own = kCompare;
            std::string out =
                print(*l.operand, kAdd) + (l.negated ? " not like " : " like ") + print(*l.pattern, kAdd);
            if (l.escape)
                out += " escape " + print(*l.escape, kAdd);
            return out;
        }
        case ExprKind::Between: {
            const auto& b = e.as<BetweenExpr>();
            const std::string x = print(*b.operand, kAdd);
            if (b.negated) {
                own = kOr;
                return x + "<" + print(*b.low, kAdd) + " OR " + x + ">" + print(*b.high, kAdd);
            }
            own = kAnd;
            return x + ">=" + print(*b.low, kAdd) + " AND " + x + "<=" + print(*b.high, kAdd);
        }
        case ExprKind::In: {
            const auto& in = e.as<InExpr>();
            if (in.subquery)
                return "[subquery]";
            own = in.negated ? kAnd : kOr;
            const std::string x = print(*in.operand, kAdd);
            std::string out;
            for (const auto& item : in.list)
                out += (out.empty()  ? ""
                        : in.negated ? " AND "
                                     : " OR ") +
                       x + (in.negated ? "<>" : "=") + print(*item, kAdd);
            return out;
        }
        case ExprKind::FunctionCall:
            return call(e.as<FunctionCallExpr>());
        case ExprKind::Cast: {
            const auto& c = e.as<CastExpr>();
            const bool tries = c.form == CastForm::TryCast || c.form == CastForm::TryConvert;
            std::string out = std::string(tries ? "TRY_CONVERT(" : "CONVERT(") + typeText(c.type) + "," +
                              print(*c.operand, kOr);
            if (c.style)
                out += "," + print(*c.style, kOr);
            return out + ")";
        }
        case ExprKind::Case: {
            const auto& c = e.as<CaseExpr>();
            std::string out = "case";
            if (c.operand)
                out += " " + print(*c.operand, kAdd);
            for (const auto& w : c.whens)
                out += " when " + print(*w.when, kOr) + " then " + print(*w.then, kOr);
            if (c.elseResult)
                out += " else " + print(*c.elseResult, kOr);
            return out + " end";
        }
        case ExprKind::Collate: {
            const auto& c = e.as<CollateExpr>();
            return print(*c.operand, kAtom) + " COLLATE " + c.collation;
        }
        default:
            return "[expression]";
        }
    }

    static bool isNumber(const LiteralExpr& l) {
        return l.literalKind == LiteralKind::Integer || l.literalKind == LiteralKind::Decimal ||
               l.literalKind == LiteralKind::Float || l.literalKind == LiteralKind::Money;
    }

    std::string literal(const LiteralExpr& l) {
        switch (l.literalKind) {
        case LiteralKind::String:
        case LiteralKind::NString:
            return l.text;
        case LiteralKind::Null:
            return "NULL";
        default:
            return "(" + l.text + ")";
        }
    }

    std::string call(const FunctionCallExpr& f) {
        if (f.niladic)
            return niladicText(f.name.last());
        std::string out;
        if (f.name.parts.size() > 1) {
            for (const auto& part : f.name.parts)
                out += (out.empty() ? "" : ".") + bracketed(part.name);
        } else {
            out = lower(f.name.last());
        }
        out += "(";
        if (f.distinct)
            out += "distinct ";
        for (std::size_t i = 0; i < f.args.size(); ++i)
            out += (i ? "," : "") + (f.args[i]->kind == ExprKind::Star ? "*" : print(*f.args[i], kOr));
        return out + ")";
    }
};

} // namespace

std::string bracketed(const std::string& name) {
    std::string out = "[";
    for (char c : name)
        out += c == ']' ? std::string("]]") : std::string(1, c);
    return out + "]";
}

std::string serverText(const Expr& e) {
    Printer p;
    const std::string inner = p.print(e, kOr);
    // One pair wraps the whole; a lone constant already wears its own: 0 reads ((0)).
    return "(" + inner + ")";
}

} // namespace tsql
