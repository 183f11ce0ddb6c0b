#include "tsql/syntax/AstPrinter.h"

#include <string_view>

namespace tsql {
namespace {

class Printer {
public:
    std::string out;

    void expr(const Expr& e);
    void query(const Query& q);
    void body(const QueryBody& b);
    void selectSpec(const SelectSpec& s);
    void source(const TableSource& s);
    void stmt(const Stmt& s);

private:
    void open(std::string_view head) {
        out += '(';
        out += head;
    }
    void close() { out += ')'; }
    void word(std::string_view w) {
        out += ' ';
        out += w;
    }
    void sub(const Expr& e) {
        out += ' ';
        expr(e);
    }
    void subQuery(const Query& q) {
        out += ' ';
        query(q);
    }
    void subStmt(const Stmt& s) {
        out += ' ';
        stmt(s);
    }
    void name(const Identifier& id) {
        if (id.quoted) {
            out += '[';
            out += id.name;
            out += ']';
        } else {
            out += id.name;
        }
    }
    void objectName(const ObjectName& n) {
        for (std::size_t i = 0; i < n.parts.size(); ++i) {
            if (i > 0)
                out += '.';
            name(n.parts[i]);
        }
    }
    void subName(const ObjectName& n) {
        out += ' ';
        objectName(n);
    }
    void subId(const Identifier& id) {
        out += ' ';
        name(id);
    }
    void type(const TypeName& t) {
        if (!t.schema.empty()) {
            out += t.schema;
            out += '.';
        }
        out += t.name;
        if (t.isMax) {
            out += "(MAX)";
        } else if (t.length) {
            out += '(' + std::to_string(*t.length);
            if (t.scale)
                out += ',' + std::to_string(*t.scale);
            out += ')';
        }
    }
    void idList(std::string_view head, const std::vector<Identifier>& ids) {
        out += ' ';
        open(head);
        for (const auto& id : ids)
            subId(id);
        close();
    }
    void stmts(std::string_view head, const StmtList& list) {
        out += ' ';
        open(head);
        for (const auto& s : list)
            subStmt(*s);
        close();
    }
    void exprs(std::string_view head, const std::vector<ExprPtr>& list) {
        out += ' ';
        open(head);
        for (const auto& e : list)
            sub(*e);
        close();
    }
    void top(const std::optional<TopClause>& t);
    void from(const std::vector<TableSourcePtr>& sources);
    void ctes(const std::vector<CommonTableExpr>& list);
    void target(const DmlTarget& t);
    void sets(const std::vector<SetClause>& list);
    void column(const ColumnDefinition& c);
    void constraint(const TableConstraint& c);
    void tableDefinition(const TableDefinition& d);
    void parameters(const std::vector<ParameterDecl>& params);
    void header(std::string_view kind, const ModuleHeader& h);
    void exec(const ExecProcedureStmt& e);
};

std::string_view binaryText(BinaryOp op) {
    switch (op) {
    case BinaryOp::Add:
        return "+";
    case BinaryOp::Subtract:
        return "-";
    case BinaryOp::Multiply:
        return "*";
    case BinaryOp::Divide:
        return "/";
    case BinaryOp::Modulo:
        return "%";
    case BinaryOp::BitAnd:
        return "&";
    case BinaryOp::BitOr:
        return "|";
    case BinaryOp::BitXor:
        return "^";
    }
    return "?";
}

std::string_view compareText(CompareOp op) {
    switch (op) {
    case CompareOp::Equal:
        return "=";
    case CompareOp::NotEqual:
        return "<>";
    case CompareOp::Less:
        return "<";
    case CompareOp::Greater:
        return ">";
    case CompareOp::LessOrEqual:
        return "<=";
    case CompareOp::GreaterOrEqual:
        return ">=";
    case CompareOp::NotLess:
        return "!<";
    case CompareOp::NotGreater:
        return "!>";
    }
    return "?";
}

std::string_view assignText(AssignOp op) {
    switch (op) {
    case AssignOp::Assign:
        return "=";
    case AssignOp::Add:
        return "+=";
    case AssignOp::Subtract:
        return "-=";
    case AssignOp::Multiply:
        return "*=";
    case AssignOp::Divide:
        return "/=";
    case AssignOp::Modulo:
        return "%=";
    case AssignOp::BitAnd:
        return "&=";
    case AssignOp::BitOr:
        return "|=";
    case AssignOp::BitXor:
        return "^=";
    }
    return "?";
}

void Printer::expr(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Literal:
        out += e.as<LiteralExpr>().text;
        return;
    case ExprKind::Variable:
    case ExprKind::SystemVariable:
        out += e.as<VariableExpr>().name;
        return;
    case ExprKind::Column:
        objectName(e.as<ColumnExpr>().name);
        return;
    case ExprKind::Star: {
        const auto& s = e.as<StarExpr>();
        if (!s.qualifier.empty()) {
            objectName(s.qualifier);
            out += '.';
        }
        out += '*';
        return;
    }
    case ExprKind::Default:
        out += "DEFAULT";
        return;
    case ExprKind::Unary: {
        const auto& u = e.as<UnaryExpr>();
        open(u.op == UnaryOp::Minus ? "-" : u.op == UnaryOp::Plus ? "+" : "~");
        sub(*u.operand);
        close();
        return;
    }
    case ExprKind::Binary: {
        const auto& b = e.as<BinaryExpr>();
        open(binaryText(b.op));
        sub(*b.left);
        sub(*b.right);
        close();
        return;
    }
    case ExprKind::Comparison: {
        const auto& c = e.as<ComparisonExpr>();
        open(compareText(c.op));
        sub(*c.left);
        sub(*c.right);
        close();
        return;
    }
    case ExprKind::Logical: {
        const auto& l = e.as<LogicalExpr>();
        open(l.op == LogicalOp::And ? "and" : "or");
        sub(*l.left);
        sub(*l.right);
        close();
        return;
    }
    case ExprKind::Not:
        open("not");
        sub(*e.as<NotExpr>().operand);
        close();
        return;
    case ExprKind::IsNull: {
        const auto& n = e.as<IsNullExpr>();
        open(n.negated ? "is-not-null" : "is-null");
        sub(*n.operand);
        close();
        return;
    }
    case ExprKind::Like: {
        const auto& l = e.as<LikeExpr>();
        open(l.negated ? "not-like" : "like");
        sub(*l.operand);
        sub(*l.pattern);
        if (l.escape) {
            word("escape");
            sub(*l.escape);
        }
        close();
        return;
    }
    case ExprKind::Between: {
        const auto& b = e.as<BetweenExpr>();
        open(b.negated ? "not-between" : "between");
        sub(*b.operand);
        sub(*b.low);
        sub(*b.high);
        close();
        return;
    }
    case ExprKind::In: {
        const auto& i = e.as<InExpr>();
        open(i.negated ? "not-in" : "in");
        sub(*i.operand);
        if (i.subquery)
            subQuery(*i.subquery);
        else
            exprs("list", i.list);
        close();
        return;
    }
    case ExprKind::Exists:
        open("exists");
        subQuery(*e.as<ExistsExpr>().query);
        close();
        return;
    case ExprKind::Quantified: {
        const auto& q = e.as<QuantifiedExpr>();
        open(compareText(q.op));
        word(q.quantifier == Quantifier::All ? "all" : q.quantifier == Quantifier::Any ? "any" : "some");
        sub(*q.left);
        subQuery(*q.query);
        close();
        return;
    }
    case ExprKind::Subquery:
        open("subquery");
        subQuery(*e.as<SubqueryExpr>().query);
        close();
        return;
    case ExprKind::FunctionCall: {
        const auto& f = e.as<FunctionCallExpr>();
        open(f.niladic ? "niladic" : "call");
        subName(f.name);
        if (f.distinct)
            word("distinct");
        for (const auto& a : f.args)
            sub(*a);
        close();
        return;
    }
    case ExprKind::Cast: {
        const auto& c = e.as<CastExpr>();
        switch (c.form) {
        case CastForm::Cast:
            open("cast");
            break;
        case CastForm::TryCast:
            open("try_cast");
            break;
        case CastForm::Convert:
            open("convert");
            break;
        case CastForm::TryConvert:
            open("try_convert");
            break;
        }
        if (c.form == CastForm::Cast || c.form == CastForm::TryCast) {
            sub(*c.operand);
            out += ' ';
            type(c.type);
        } else {
            out += ' ';
            type(c.type);
            sub(*c.operand);
            if (c.style)
                sub(*c.style);
        }
        close();
        return;
    }
    case ExprKind::Case: {
        const auto& c = e.as<CaseExpr>();
        open("case");
        if (c.operand)
            sub(*c.operand);
        for (const auto& w : c.whens) {
            out += ' ';
            open("when");
            sub(*w.when);
            sub(*w.then);
            close();
        }
        if (c.elseResult) {
            out += ' ';
            open("else");
            sub(*c.elseResult);
            close();
        }
        close();
        return;
    }
    case ExprKind::Collate: {
        const auto& c = e.as<CollateExpr>();
        open("collate");
        sub(*c.operand);
        word(c.collation);
        close();
        return;
    }
    }
}

void Printer::ctes(const std::vector<CommonTableExpr>& list) {
    if (list.empty())
        return;
    out += ' ';
    open("with");
    for (const auto& c : list) {
        out += ' ';
        open("cte");
        subId(c.name);
        if (!c.columns.empty())
            idList("columns", c.columns);
        subQuery(*c.query);
        close();
    }
    close();
}

void Printer::query(const Query& q) {
    const bool extras = !q.ctes.empty() || !q.orderBy.empty() || q.offset;
    if (!extras) {
        body(*q.body);
        return;
    }
    open("query");
    ctes(q.ctes);
    out += ' ';
    body(*q.body);
    if (!q.orderBy.empty()) {
        out += ' ';
        open("order-by");
        for (const auto& item : q.orderBy) {
            out += ' ';
            open(item.descending ? "desc" : "asc");
            sub(*item.expr);
            close();
        }
        close();
    }
    if (q.offset) {
        out += ' ';
        open("offset");
        sub(*q.offset);
        close();
    }
    if (q.fetch) {
        out += ' ';
        open("fetch");
        sub(*q.fetch);
        close();
    }
    close();
}

void Printer::body(const QueryBody& b) {
    if (b.selectSpec) {
        selectSpec(*b.selectSpec);
        return;
    }
    switch (b.op) {
    case SetOperator::Union:
        open(b.all ? "union-all" : "union");
        break;
    case SetOperator::Except:
        open("except");
        break;
    case SetOperator::Intersect:
        open("intersect");
        break;
    }
    out += ' ';
    body(*b.left);
    out += ' ';
    body(*b.right);
    close();
}

void Printer::top(const std::optional<TopClause>& t) {
    if (!t)
        return;
    out += ' ';
    open("top");
    sub(*t->count);
    if (t->percent)
        word("percent");
    if (t->withTies)
        word("with-ties");
    close();
}

void Printer::from(const std::vector<TableSourcePtr>& sources) {
    if (sources.empty())
        return;
    out += ' ';
    open("from");
    for (const auto& s : sources) {
        out += ' ';
        source(*s);
    }
    close();
}

void Printer::selectSpec(const SelectSpec& s) {
    open("select");
    if (s.distinct)
        word("distinct");
    top(s.top);
    out += ' ';
    open("items");
    for (const auto& item : s.items) {
        out += ' ';
        if (!item.variable.empty()) {
            open("set");
            word(item.variable);
            word(assignText(item.assignOp));
            sub(*item.expr);
            close();
        } else if (item.alias) {
            open("as");
            sub(*item.expr);
            subId(*item.alias);
            close();
        } else {
            expr(*item.expr);
        }
    }
    close();
    if (s.into) {
        out += ' ';
        open("into");
        subName(*s.into);
        close();
    }
    from(s.from);
    if (s.where) {
        out += ' ';
        open("where");
        sub(*s.where);
        close();
    }
    if (!s.groupBy.empty())
        exprs("group-by", s.groupBy);
    if (s.having) {
        out += ' ';
        open("having");
        sub(*s.having);
        close();
    }
    close();
}

void Printer::source(const TableSource& s) {
    switch (s.kind) {
    case TableSourceKind::Named: {
        const auto& n = s.as<NamedTableSource>();
        open(n.args ? "tvf" : "table");
        subName(n.name);
        if (n.args)
            exprs("args", *n.args);
        if (n.alias)
            subId(*n.alias);
        if (!n.hints.empty()) {
            out += ' ';
            open("hints");
            for (const auto& h : n.hints)
                word(h);
            close();
        }
        close();
        return;
    }
    case TableSourceKind::Variable: {
        const auto& v = s.as<VariableTableSource>();
        open("table");
        word(v.variable);
        if (v.alias)
            subId(*v.alias);
        close();
        return;
    }
    case TableSourceKind::Derived: {
        const auto& d = s.as<DerivedTableSource>();
        open("derived");
        subQuery(*d.query);
        subId(d.alias);
        if (!d.columns.empty())
            idList("columns", d.columns);
        close();
        return;
    }
    case TableSourceKind::Values: {
        const auto& v = s.as<ValuesTableSource>();
        open("values");
        for (const auto& row : v.rows)
            exprs("row", row);
        subId(v.alias);
        if (!v.columns.empty())
            idList("columns", v.columns);
        close();
        return;
    }
    case TableSourceKind::Join: {
        const auto& j = s.as<JoinTableSource>();
        switch (j.joinKind) {
        case JoinKind::Inner:
            open("inner-join");
            break;
        case JoinKind::Left:
            open("left-join");
            break;
        case JoinKind::Right:
            open("right-join");
            break;
        case JoinKind::Full:
            open("full-join");
            break;
        case JoinKind::Cross:
            open("cross-join");
            break;
        }
        out += ' ';
        source(*j.left);
        out += ' ';
        source(*j.right);
        if (j.on)
            sub(*j.on);
        close();
        return;
    }
    case TableSourceKind::Apply: {
        const auto& a = s.as<ApplyTableSource>();
        open(a.outer ? "outer-apply" : "cross-apply");
        out += ' ';
        source(*a.left);
        out += ' ';
        source(*a.right);
        close();
        return;
    }
    }
}

void Printer::target(const DmlTarget& t) {
    out += ' ';
    if (!t.variable.empty())
        out += t.variable;
    else
        objectName(t.name);
    if (!t.hints.empty()) {
        out += ' ';
        open("hints");
        for (const auto& h : t.hints)
            word(h);
        close();
    }
}

void Printer::sets(const std::vector<SetClause>& list) {
    out += ' ';
    open("set");
    for (const auto& c : list) {
        out += ' ';
        open(assignText(c.op));
        if (!c.variable.empty())
            word(c.variable);
        if (!c.column.empty())
            subName(c.column);
        sub(*c.value);
        close();
    }
    close();
}

void Printer::constraint(const TableConstraint& c) {
    out += ' ';
    switch (c.kind) {
    case ConstraintKind::PrimaryKey:
        open("primary-key");
        break;
    case ConstraintKind::Unique:
        open("unique");
        break;
    case ConstraintKind::Check:
        open("check");
        break;
    case ConstraintKind::ForeignKey:
        open("foreign-key");
        break;
    case ConstraintKind::Default:
        open("default");
        break;
    }
    if (c.name)
        subId(*c.name);
    if (c.clustered)
        word(*c.clustered ? "clustered" : "nonclustered");
    if (!c.columns.empty()) {
        out += ' ';
        open("columns");
        for (const auto& k : c.columns) {
            subId(k.name);
            if (k.descending)
                word("desc");
        }
        close();
    }
    if (c.expr)
        sub(*c.expr);
    if (!c.defaultFor.name.empty()) {
        word("for");
        subId(c.defaultFor);
    }
    if (c.kind == ConstraintKind::ForeignKey) {
        out += ' ';
        open("references");
        subName(c.referencedTable);
        for (const auto& r : c.referencedColumns)
            subId(r);
        close();
        auto action = [](ReferentialAction a) -> std::string_view {
            switch (a) {
            case ReferentialAction::Cascade:
                return "cascade";
            case ReferentialAction::SetNull:
                return "set-null";
            case ReferentialAction::SetDefault:
                return "set-default";
            case ReferentialAction::NoAction:
                return "no-action";
            }
            return "?";
        };
        if (c.onDelete != ReferentialAction::NoAction) {
            word("on-delete");
            word(action(c.onDelete));
        }
        if (c.onUpdate != ReferentialAction::NoAction) {
            word("on-update");
            word(action(c.onUpdate));
        }
    }
    close();
}

void Printer::column(const ColumnDefinition& c) {
    out += ' ';
    open("column");
    subId(c.name);
    if (c.type) {
        out += ' ';
        type(*c.type);
    }
    if (c.computed) {
        out += ' ';
        open("as");
        sub(*c.computed);
        close();
        if (c.persisted)
            word("persisted");
    }
    if (c.identity)
        out += " (identity " + c.identity->seed + ' ' + c.identity->increment + ')';
    if (c.rowGuidCol)
        word("rowguidcol");
    if (!c.collation.empty()) {
        out += ' ';
        open("collate");
        word(c.collation);
        close();
    }
    if (c.nullable)
        word(*c.nullable ? "null" : "not-null");
    if (c.defaultValue) {
        out += ' ';
        open("default");
        if (c.defaultValue->name)
            subId(*c.defaultValue->name);
        sub(*c.defaultValue->value);
        close();
    }
    for (const auto& k : c.constraints)
        constraint(k);
    close();
}

void Printer::tableDefinition(const TableDefinition& d) {
    for (const auto& c : d.columns)
        column(c);
    for (const auto& k : d.constraints)
        constraint(k);
}

void Printer::parameters(const std::vector<ParameterDecl>& params) {
    if (params.empty())
        return;
    out += ' ';
    open("params");
    for (const auto& p : params) {
        out += " (" + p.name + ' ';
        type(p.type);
        if (p.defaultValue) {
            out += " =";
            sub(*p.defaultValue);
        }
        if (p.output)
            word("out");
        if (p.readOnly)
            word("readonly");
        close();
    }
    close();
}

void Printer::header(std::string_view kind, const ModuleHeader& h) {
    std::string head = h.createOrAlter ? "create-or-alter-" : h.alter ? "alter-" : "create-";
    head += kind;
    open(head);
    subName(h.name);
    if (!h.options.empty()) {
        out += ' ';
        open("options");
        for (const auto& o : h.options)
            word(o);
        close();
    }
}

void Printer::exec(const ExecProcedureStmt& e) {
    open("exec");
    if (!e.returnVariable.empty()) {
        word(e.returnVariable);
        word("=");
    }
    if (!e.procedureVariable.empty())
        word(e.procedureVariable);
    else
        subName(e.procedure);
    for (const auto& a : e.args) {
        out += ' ';
        if (!a.parameter.empty() || a.output) {
            open(a.parameter.empty() ? "arg" : a.parameter);
            sub(*a.value);
            if (a.output)
                word("out");
            close();
        } else {
            expr(*a.value);
        }
    }
    if (e.withRecompile)
        word("with-recompile");
    close();
}

void Printer::stmt(const Stmt& s) {
    switch (s.kind) {
    case StmtKind::Select:
        query(*s.as<SelectStmt>().query);
        return;
    case StmtKind::Insert: {
        const auto& i = s.as<InsertStmt>();
        open("insert");
        ctes(i.ctes);
        top(i.top);
        target(i.target);
        if (!i.columns.empty())
            idList("columns", i.columns);
        switch (i.sourceKind) {
        case InsertSourceKind::Values:
            out += ' ';
            open("values");
            for (const auto& row : i.rows)
                exprs("row", row);
            close();
            break;
        case InsertSourceKind::Query:
            subQuery(*i.query);
            break;
        case InsertSourceKind::DefaultValues:
            word("default-values");
            break;
        case InsertSourceKind::Exec:
            out += ' ';
            exec(*i.exec);
            break;
        }
        close();
        return;
    }
    case StmtKind::Update: {
        const auto& u = s.as<UpdateStmt>();
        open("update");
        ctes(u.ctes);
        top(u.top);
        target(u.target);
        sets(u.sets);
        from(u.from);
        if (u.where) {
            out += ' ';
            open("where");
            sub(*u.where);
            close();
        }
        if (!u.currentOf.empty())
            out += " (current-of " + u.currentOf + ')';
        close();
        return;
    }
    case StmtKind::Delete: {
        const auto& d = s.as<DeleteStmt>();
        open("delete");
        ctes(d.ctes);
        top(d.top);
        target(d.target);
        from(d.from);
        if (d.where) {
            out += ' ';
            open("where");
            sub(*d.where);
            close();
        }
        if (!d.currentOf.empty())
            out += " (current-of " + d.currentOf + ')';
        close();
        return;
    }
    case StmtKind::Merge: {
        const auto& m = s.as<MergeStmt>();
        open("merge");
        ctes(m.ctes);
        top(m.top);
        target(m.target);
        if (m.alias)
            subId(*m.alias);
        out += " (using ";
        source(*m.source);
        close();
        out += " (on";
        sub(*m.on);
        close();
        for (const auto& c : m.clauses) {
            out += ' ';
            open(c.match == MergeMatch::Matched              ? "when-matched"
                 : c.match == MergeMatch::NotMatchedByTarget ? "when-not-matched"
                                                             : "when-not-matched-by-source");
            if (c.condition) {
                out += " (and";
                sub(*c.condition);
                close();
            }
            switch (c.action) {
            case MergeAction::Update:
                out += " (update";
                sets(c.sets);
                close();
                break;
            case MergeAction::Delete:
                word("(delete)");
                break;
            case MergeAction::Insert:
                out += " (insert";
                if (!c.columns.empty())
                    idList("columns", c.columns);
                if (c.defaultValues)
                    word("default-values");
                else
                    exprs("values", c.values);
                close();
                break;
            }
            close();
        }
        close();
        return;
    }
    case StmtKind::Truncate:
        open("truncate");
        subName(s.as<TruncateStmt>().table);
        close();
        return;
    case StmtKind::DeclareVariables:
        open("declare");
        for (const auto& v : s.as<DeclareVariablesStmt>().variables) {
            out += " (" + v.name + ' ';
            type(v.type);
            if (v.initializer)
                sub(*v.initializer);
            close();
        }
        close();
        return;
    case StmtKind::DeclareTable: {
        const auto& d = s.as<DeclareTableStmt>();
        open("declare-table");
        word(d.name);
        tableDefinition(d.definition);
        close();
        return;
    }
    case StmtKind::DeclareCursor: {
        const auto& d = s.as<DeclareCursorStmt>();
        open("declare-cursor");
        subId(d.name);
        if (!d.options.empty()) {
            out += ' ';
            open("options");
            for (const auto& o : d.options)
                word(o);
            close();
        }
        subQuery(*d.query);
        if (d.forUpdate) {
            out += ' ';
            open("for-update");
            for (const auto& c : d.updateColumns)
                subId(c);
            close();
        }
        close();
        return;
    }
    case StmtKind::SetVariable: {
        const auto& v = s.as<SetVariableStmt>();
        open("set");
        word(v.variable);
        word(assignText(v.op));
        sub(*v.value);
        close();
        return;
    }
    case StmtKind::SetOption: {
        const auto& o = s.as<SetOptionStmt>();
        open("set-option");
        for (const auto& name : o.options)
            word(name);
        if (!o.table.empty())
            subName(o.table);
        if (!o.value.empty())
            word(o.value);
        if (o.argument)
            sub(*o.argument);
        close();
        return;
    }
    case StmtKind::If: {
        const auto& i = s.as<IfStmt>();
        open("if");
        sub(*i.condition);
        subStmt(*i.thenBranch);
        if (i.elseBranch) {
            word("else");
            subStmt(*i.elseBranch);
        }
        close();
        return;
    }
    case StmtKind::While: {
        const auto& w = s.as<WhileStmt>();
        open("while");
        sub(*w.condition);
        subStmt(*w.body);
        close();
        return;
    }
    case StmtKind::Block:
        open("begin");
        for (const auto& b : s.as<BlockStmt>().body)
            subStmt(*b);
        close();
        return;
    case StmtKind::TryCatch: {
        const auto& t = s.as<TryCatchStmt>();
        open("try-catch");
        stmts("try", t.tryBody);
        stmts("catch", t.catchBody);
        close();
        return;
    }
    case StmtKind::Break:
        out += "(break)";
        return;
    case StmtKind::Continue:
        out += "(continue)";
        return;
    case StmtKind::Goto:
        open("goto");
        subId(s.as<LabelStmt>().label);
        close();
        return;
    case StmtKind::Label:
        open("label");
        subId(s.as<LabelStmt>().label);
        close();
        return;
    case StmtKind::Return:
        open("return");
        if (s.as<ReturnStmt>().value)
            sub(*s.as<ReturnStmt>().value);
        close();
        return;
    case StmtKind::Print:
        open("print");
        sub(*s.as<PrintStmt>().value);
        close();
        return;
    case StmtKind::Raiserror: {
        const auto& r = s.as<RaiserrorStmt>();
        open("raiserror");
        sub(*r.message);
        sub(*r.severity);
        sub(*r.state);
        for (const auto& a : r.args)
            sub(*a);
        if (!r.options.empty()) {
            out += " (with";
            for (const auto& o : r.options)
                word(o);
            close();
        }
        close();
        return;
    }
    case StmtKind::Throw: {
        const auto& t = s.as<ThrowStmt>();
        open("throw");
        if (t.number) {
            sub(*t.number);
            sub(*t.message);
            sub(*t.state);
        }
        close();
        return;
    }
    case StmtKind::ExecProcedure:
        exec(s.as<ExecProcedureStmt>());
        return;
    case StmtKind::ExecString:
        open("exec-string");
        for (const auto& p : s.as<ExecStringStmt>().parts)
            sub(*p);
        close();
        return;
    case StmtKind::Transaction: {
        const auto& t = s.as<TransactionStmt>();
        switch (t.op) {
        case TransactionOp::Begin:
            open(t.distributed ? "begin-distributed-tran" : "begin-tran");
            break;
        case TransactionOp::Commit:
            open("commit");
            break;
        case TransactionOp::Rollback:
            open("rollback");
            break;
        case TransactionOp::Save:
            open("save-tran");
            break;
        }
        if (!t.name.empty())
            word(t.name);
        close();
        return;
    }
    case StmtKind::OpenCursor:
    case StmtKind::CloseCursor:
    case StmtKind::DeallocateCursor: {
        const auto& c = s.as<CursorStmt>();
        open(s.kind == StmtKind::OpenCursor    ? "open"
             : s.kind == StmtKind::CloseCursor ? "close"
                                               : "deallocate");
        if (c.global)
            word("global");
        subId(c.cursor);
        close();
        return;
    }
    case StmtKind::Fetch: {
        const auto& f = s.as<FetchStmt>();
        open("fetch");
        switch (f.direction) {
        case FetchDirection::Next:
            word("next");
            break;
        case FetchDirection::Prior:
            word("prior");
            break;
        case FetchDirection::First:
            word("first");
            break;
        case FetchDirection::Last:
            word("last");
            break;
        case FetchDirection::Absolute:
            word("absolute");
            break;
        case FetchDirection::Relative:
            word("relative");
            break;
        }
        if (f.rowNumber)
            sub(*f.rowNumber);
        if (f.global)
            word("global");
        subId(f.cursor);
        if (!f.into.empty()) {
            out += " (into";
            for (const auto& v : f.into)
                word(v);
            close();
        }
        close();
        return;
    }
    case StmtKind::Use:
        open("use");
        subId(s.as<UseStmt>().database);
        close();
        return;
    case StmtKind::CreateTable: {
        const auto& c = s.as<CreateTableStmt>();
        open("create-table");
        subName(c.name);
        tableDefinition(c.definition);
        close();
        return;
    }
    case StmtKind::AlterTable: {
        const auto& a = s.as<AlterTableStmt>();
        open("alter-table");
        subName(a.table);
        if (a.withCheck)
            word(*a.withCheck ? "with-check" : "with-nocheck");
        switch (a.action) {
        case AlterTableAction::Add:
            out += " (add";
            for (const auto& c : a.columns)
                column(c);
            for (const auto& k : a.constraints)
                constraint(k);
            close();
            break;
        case AlterTableAction::DropItems:
            out += " (drop";
            for (const auto& d : a.drops) {
                out += d.column ? " (column " : " (constraint ";
                name(d.name);
                close();
            }
            close();
            break;
        case AlterTableAction::AlterColumn:
            out += " (alter-column";
            column(a.columns.front());
            close();
            break;
        case AlterTableAction::CheckConstraints:
        case AlterTableAction::EnableTriggers: {
            const bool checks = a.action == AlterTableAction::CheckConstraints;
            out += ' ';
            open(checks ? (a.enable ? "check-constraint" : "nocheck-constraint")
                        : (a.enable ? "enable-trigger" : "disable-trigger"));
            if (a.all)
                word("all");
            for (const auto& n : a.names)
                subId(n);
            close();
            break;
        }
        }
        close();
        return;
    }
    case StmtKind::Drop: {
        const auto& d = s.as<DropStmt>();
        static constexpr std::string_view kHeads[] = {"drop-table",    "drop-view",    "drop-procedure",
                                                      "drop-function", "drop-trigger", "drop-index"};
        open(kHeads[static_cast<int>(d.objectKind)]);
        if (d.ifExists)
            word("if-exists");
        for (const auto& t : d.targets) {
            subName(t.name);
            if (!t.onTable.empty()) {
                word("on");
                subName(t.onTable);
            }
        }
        close();
        return;
    }
    case StmtKind::CreateIndex: {
        const auto& c = s.as<CreateIndexStmt>();
        open("create-index");
        if (c.unique)
            word("unique");
        if (c.clustered)
            word(*c.clustered ? "clustered" : "nonclustered");
        subId(c.name);
        subName(c.table);
        out += " (columns";
        for (const auto& k : c.columns) {
            subId(k.name);
            if (k.descending)
                word("desc");
        }
        close();
        if (!c.include.empty())
            idList("include", c.include);
        if (c.where) {
            out += " (where";
            sub(*c.where);
            close();
        }
        if (!c.options.empty()) {
            out += " (with";
            for (const auto& o : c.options)
                word(o);
            close();
        }
        close();
        return;
    }
    case StmtKind::CreateView: {
        const auto& v = s.as<CreateViewStmt>();
        header("view", v.header);
        if (!v.columns.empty())
            idList("columns", v.columns);
        subQuery(*v.query);
        if (v.withCheckOption)
            word("with-check-option");
        close();
        return;
    }
    case StmtKind::CreateProcedure: {
        const auto& p = s.as<CreateProcedureStmt>();
        header("procedure", p.header);
        parameters(p.parameters);
        stmts("body", p.body);
        close();
        return;
    }
    case StmtKind::CreateFunction: {
        const auto& f = s.as<CreateFunctionStmt>();
        header("function", f.header);
        parameters(f.parameters);
        switch (f.functionKind) {
        case FunctionKind::Scalar:
            out += " (returns ";
            type(f.returnType);
            close();
            stmts("body", f.body);
            break;
        case FunctionKind::InlineTable:
            out += " (returns-table";
            subQuery(*f.returnQuery);
            close();
            break;
        case FunctionKind::MultiStatementTable:
            out += " (returns " + f.returnVariable;
            tableDefinition(f.returnTable);
            close();
            stmts("body", f.body);
            break;
        }
        close();
        return;
    }
    case StmtKind::CreateTrigger: {
        const auto& t = s.as<CreateTriggerStmt>();
        header("trigger", t.header);
        word("on");
        subName(t.table);
        word(t.timing == TriggerTiming::After ? "after" : "instead-of");
        for (const auto& e : t.events)
            word(e);
        stmts("body", t.body);
        close();
        return;
    }
    case StmtKind::EnableTrigger: {
        const auto& e = s.as<EnableTriggerStmt>();
        open(e.enable ? "enable-trigger" : "disable-trigger");
        if (e.all)
            word("all");
        for (const auto& t : e.triggers)
            subName(t);
        word("on");
        if (e.onDatabase)
            word("DATABASE");
        else if (e.onAllServer)
            word("ALL SERVER");
        else
            subName(e.table);
        close();
        return;
    }
    case StmtKind::Permission: {
        const auto& p = s.as<PermissionStmt>();
        open(p.op == PermissionOp::Grant ? "grant" : p.op == PermissionOp::Deny ? "deny" : "revoke");
        if (p.grantOptionFor)
            word("grant-option-for");
        out += " (";
        for (std::size_t i = 0; i < p.permissions.size(); ++i) {
            if (i > 0)
                out += ", ";
            out += p.permissions[i];
        }
        close();
        if (p.object) {
            out += " (on";
            subName(*p.object);
            close();
        }
        idList("to", p.principals);
        if (p.withGrantOption)
            word("with-grant-option");
        if (p.cascade)
            word("cascade");
        close();
        return;
    }
    }
}

} // namespace

std::string toString(const Expr& expr) {
    Printer p;
    p.expr(expr);
    return std::move(p.out);
}

std::string toString(const Query& query) {
    Printer p;
    p.query(query);
    return std::move(p.out);
}

std::string toString(const Stmt& stmt) {
    Printer p;
    p.stmt(stmt);
    return std::move(p.out);
}

std::string toString(const Batch& batch) {
    std::string out;
    for (const auto& s : batch.statements) {
        if (!out.empty())
            out += ' ';
        out += toString(*s);
    }
    return out;
}

} // namespace tsql
