#include "BatchBinder.h"

#include "ExpressionEvaluator.h"

#include "tsql/TypeRules.h"
#include "tsql/syntax/AstQueries.h"

#include <set>

namespace tsql {
namespace {

class Binder {
public:
    Binder(const Catalog& catalog, const ExecutionContext& session) : catalog_(catalog), context_(session) {
        context_.variables.clear();
        context_.sources = nullptr;
    }

    void statements(const StmtList& list, std::uint32_t& line) {
        for (const auto& s : list)
            statement(*s, line);
    }

private:
    void statement(const Stmt& s, std::uint32_t& line) {
        line = s.pos.line;
        switch (s.kind) {
        case StmtKind::Block:
            statements(s.as<BlockStmt>().body, line);
            return;
        case StmtKind::If: {
            const auto& i = s.as<IfStmt>();
            expr(*i.condition);
            statement(*i.thenBranch, line);
            if (i.elseBranch)
                statement(*i.elseBranch, line);
            return;
        }
        case StmtKind::While:
            expr(*s.as<WhileStmt>().condition);
            statement(*s.as<WhileStmt>().body, line);
            return;
        case StmtKind::DeclareVariables:
            for (const auto& v : s.as<DeclareVariablesStmt>().variables) {
                if (v.initializer)
                    expr(*v.initializer);
                context_.variables[foldName(v.name)] =
                    Value::null(resolveType(v.type, LengthDefault::Declaration));
            }
            return;
        case StmtKind::SetVariable:
            variable(s.as<SetVariableStmt>().variable);
            expr(*s.as<SetVariableStmt>().value);
            return;
        case StmtKind::Print:
            expr(*s.as<PrintStmt>().value);
            return;
        case StmtKind::Raiserror: {
            const auto& r = s.as<RaiserrorStmt>();
            for (const Expr* e : {r.message.get(), r.severity.get(), r.state.get()})
                expr(*e);
            for (const auto& a : r.args)
                expr(*a);
            return;
        }
        case StmtKind::Select:
            query(*s.as<SelectStmt>().query);
            return;
        case StmtKind::Insert: {
            const auto& i = s.as<InsertStmt>();
            for (const auto& row : i.rows)
                for (const auto& e : row)
                    if (e->kind != ExprKind::Default)
                        expr(*e);
            if (i.query)
                query(*i.query);
            return;
        }
        case StmtKind::Update: {
            const auto& u = s.as<UpdateStmt>();
            if (!u.from.empty())
                return; // refused when it runs
            auto scope = tablesOf({&u.target.name});
            if (!scope)
                return;
            const SourcesInScope in(context_, &scope->sources);
            for (const auto& set : u.sets)
                if (set.value->kind != ExprKind::Default)
                    expr(*set.value);
            if (u.where)
                expr(*u.where);
            return;
        }
        case StmtKind::Delete: {
            const auto& d = s.as<DeleteStmt>();
            auto scope = d.from.empty() ? tablesOf({&d.target.name}) : std::nullopt;
            if (!scope)
                return;
            const SourcesInScope in(context_, &scope->sources);
            if (d.where)
                expr(*d.where);
            return;
        }
        case StmtKind::CreateTable:
            changed_.insert(foldName(s.as<CreateTableStmt>().name.last()));
            return;
        case StmtKind::Drop:
            for (const auto& t : s.as<DropStmt>().targets)
                changed_.insert(foldName(t.name.last()));
            return;
        default:
            return;
        }
    }

    struct Scope {
        std::vector<TableInfo> tables;
        std::vector<RowSource> sources;
    };

    // The tables of a FROM clause when all exist and none changes earlier in the batch; else the
    // statement's names are resolved when it runs.
    std::optional<Scope> tablesOf(const std::vector<const ObjectName*>& names,
                                  const std::vector<std::string>& aliases = {}) const {
        Scope scope;
        scope.tables.reserve(names.size());
        for (const ObjectName* n : names) {
            if (n->parts.size() > 2 || changed_.count(foldName(n->last())))
                return std::nullopt;
            auto t = catalog_.find(n->last());
            if (!t)
                return std::nullopt;
            scope.tables.push_back(std::move(*t));
        }
        for (std::size_t i = 0; i < scope.tables.size(); ++i)
            scope.sources.push_back({i < aliases.size() ? aliases[i] : foldName(scope.tables[i].name),
                                     &scope.tables[i], nullptr});
        return scope;
    }

    static void collect(const TableSource& ts, std::vector<const NamedTableSource*>& named,
                        std::vector<const Expr*>& conditions, bool& supported) {
        if (ts.kind == TableSourceKind::Named) {
            named.push_back(&ts.as<NamedTableSource>());
        } else if (ts.kind == TableSourceKind::Join) {
            const auto& j = ts.as<JoinTableSource>();
            collect(*j.left, named, conditions, supported);
            collect(*j.right, named, conditions, supported);
            if (j.on)
                conditions.push_back(j.on.get());
        } else {
            supported = false;
        }
    }

    void query(const Query& q) {
        if (!q.body->selectSpec || !q.ctes.empty())
            return; // refused when it runs
        const SelectSpec& selectSpec = *q.body->selectSpec;
        std::vector<const NamedTableSource*> named;
        std::vector<const Expr*> conditions;
        bool supported = true;
        for (const auto& ts : selectSpec.from)
            collect(*ts, named, conditions, supported);
        std::optional<Scope> scope;
        if (!selectSpec.from.empty()) {
            if (!supported)
                return;
            std::vector<const ObjectName*> names;
            std::vector<std::string> aliases;
            for (const NamedTableSource* n : named) {
                names.push_back(&n->name);
                aliases.push_back(foldName(n->alias ? n->alias->name : n->name.last()));
            }
            scope = tablesOf(names, aliases);
            if (!scope)
                return;
        }
        const SourcesInScope in(context_, scope ? &scope->sources : nullptr, true);
        for (const Expr* c : conditions)
            expr(*c);
        std::set<std::string> aliases;
        for (const auto& item : selectSpec.items) {
            if (!item.variable.empty())
                variable(item.variable);
            if (item.alias)
                aliases.insert(foldName(item.alias->name));
            if (item.expr->kind != ExprKind::Star)
                expr(*item.expr);
        }
        if (selectSpec.where)
            expr(*selectSpec.where);
        for (const auto& o : q.orderBy) {
            const Expr& e = *o.expr;
            const bool alias = e.kind == ExprKind::Column && e.as<ColumnExpr>().name.parts.size() == 1 &&
                               aliases.count(foldName(e.as<ColumnExpr>().name.last()));
            if (!alias && e.kind != ExprKind::Literal)
                expr(e);
        }
    }

    void variable(const std::string& name) {
        if (!context_.variables.count(foldName(name)))
            throw undeclaredVariable(name);
    }

    // Type-checks an expression or condition and everything inside it.
    void expr(const Expr& e) {
        switch (e.kind) {
        case ExprKind::Comparison: {
            const auto& c = e.as<ComparisonExpr>();
            expr(*c.left);
            expr(*c.right);
            const auto l = staticType(*c.left, context_), r = staticType(*c.right, context_);
            if (l && r)
                comparisonType(*l, *r);
            return;
        }
        case ExprKind::Logical:
            expr(*e.as<LogicalExpr>().left);
            expr(*e.as<LogicalExpr>().right);
            return;
        case ExprKind::Not:
            expr(*e.as<NotExpr>().operand);
            return;
        case ExprKind::IsNull:
            expr(*e.as<IsNullExpr>().operand);
            return;
        case ExprKind::Between:
            for (const Expr* x : {e.as<BetweenExpr>().operand.get(), e.as<BetweenExpr>().low.get(),
                                  e.as<BetweenExpr>().high.get()})
                expr(*x);
            return;
        case ExprKind::In:
            expr(*e.as<InExpr>().operand);
            if (e.as<InExpr>().subquery)
                query(*e.as<InExpr>().subquery);
            for (const auto& x : e.as<InExpr>().list)
                expr(*x);
            return;
        case ExprKind::Like: {
            const auto& l = e.as<LikeExpr>();
            for (const Expr* x : {l.operand.get(), l.pattern.get(), l.escape.get()})
                if (x) {
                    expr(*x);
                    if (const auto t = staticType(*x, context_))
                        comparisonType(*t, DataType::nvarchar(DataType::kMax), "like");
                }
            return;
        }
        case ExprKind::Exists:
            query(*e.as<ExistsExpr>().query);
            return;
        case ExprKind::Subquery:
            query(*e.as<SubqueryExpr>().query);
            break;
        case ExprKind::Quantified:
            refuseUnbuiltCondition(e);
            return;
        case ExprKind::Unary:
            expr(*e.as<UnaryExpr>().operand);
            break;
        case ExprKind::Binary:
            expr(*e.as<BinaryExpr>().left);
            expr(*e.as<BinaryExpr>().right);
            break;
        case ExprKind::FunctionCall:
            for (const auto& a : e.as<FunctionCallExpr>().args)
                if (a->kind != ExprKind::Star)
                    expr(*a);
            break;
        case ExprKind::Cast:
            expr(*e.as<CastExpr>().operand);
            if (e.as<CastExpr>().style)
                expr(*e.as<CastExpr>().style);
            break;
        case ExprKind::Case: {
            const auto& c = e.as<CaseExpr>();
            if (c.operand)
                expr(*c.operand);
            for (const auto& w : c.whens) {
                expr(*w.when);
                expr(*w.then);
            }
            if (c.elseResult)
                expr(*c.elseResult);
            break;
        }
        default:
            break;
        }
        staticType(e, context_);
    }

    const Catalog& catalog_;
    ExecutionContext context_;
    std::set<std::string> changed_; // tables created or dropped earlier in the batch
};

} // namespace

void bindBatch(const Batch& batch, const Catalog& catalog, const ExecutionContext& session,
               std::uint32_t& line) {
    Binder(catalog, session).statements(batch.statements, line);
}

} // namespace tsql
