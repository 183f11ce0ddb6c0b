#include "Executor.h"

#include "AlterTable.h"
#include "ForeignKeys.h"
#include "Indexes.h"
#include "RowWriter.h"
#include "TableDefinitions.h"
#include "Triggers.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"

#include <sqlite3.h>

namespace tsql {

namespace {

// RAISERROR's message with its %d, %i, %s and %u arguments substituted; %% is a percent sign.
std::string formatRaiserror(const std::string& format, const std::vector<Value>& args) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        std::size_t j = i + 1;
        // flags, width and precision are accepted and ignored
        while (j < format.size() &&
               std::string_view("-+ #0123456789.*").find(format[j]) != std::string_view::npos)
            ++j;
        if (j < format.size() && (format[j] == 'l' || format[j] == 'h'))
            ++j;
        const char directive = j < format.size() ? format[j] : '\0';
        if (directive == '%' && j == i + 1) {
            out += '%';
            i = j;
        } else if (std::string_view("disuxXo").find(directive) != std::string_view::npos &&
                   directive != '\0') {
            if (next < args.size()) {
                const Value& v = args[next++];
                out += v.isNull() ? "(null)" : convert(v, DataType::nvarchar(4000)).asText();
            } else {
                out += "(null)";
            }
            i = j;
        } else {
            out += '%';
        }
    }
    return out;
}

// What the row writers of a statement read of the session.
RowContext rowContext(const std::function<Value(SessionValue, const DataType&)>& session) {
    return {[session](const BoundExpr& e) { return session(e.session, e.type); },
            session(SessionValue::DatabaseName, DataType::sysname()).asText()};
}

// A table's columns, constraints or indexes changed: the frame's other statements bind again when
// they run, so that they see the table as it is now.
void forgetBindings(Frame& f, const CompiledStatement& running) {
    for (CompiledStatement& other : f.compiled)
        if (&other != &running)
            other = CompiledStatement{};
}

} // namespace

void Executor::select(CompiledStatement& c) {
    const BoundQuery& q = *c.query;
    const bool assigns = q.select && !q.select->items.empty() && q.select->items[0].variableSlot >= 0;
    if (assigns) {
        const auto& items = q.select->items;
        lastRowCount_ = rows(q, c, 0, [&](SqliteStatement& s) {
            for (std::size_t i = 0; i < items.size(); ++i)
                assign(items[i].variableSlot, s.valueAt(static_cast<int>(i), q.columns[i].type));
        });
        return;
    }
    ResultSet set;
    for (const auto& col : q.columns)
        set.columns.push_back({col.name, col.type});
    lastRowCount_ = rows(q, c, 0, [&](SqliteStatement& s) {
        std::vector<Value> row;
        row.reserve(set.columns.size());
        for (std::size_t i = 0; i < set.columns.size(); ++i)
            row.push_back(s.valueAt(static_cast<int>(i), set.columns[i].type));
        set.rows.push_back(std::move(row));
    });
    result_->items.emplace_back(std::move(set));
}

std::int64_t Executor::insert(CompiledStatement& c) {
    const BoundInsert& ins = *c.insert;
    const TableInfo& t = ins.table;
    const auto identityColumn = t.identityColumn();
    const RowContext context =
        rowContext([this](SessionValue v, const DataType& type) { return sessionValue(v, type); });
    const RowRules rules(catalog_, t);
    RowWriter writer(db(), t, &rules, context);
    std::vector<std::vector<Value>> sources;
    if (ins.query) {
        rows(*ins.query, c, 0, [&](SqliteStatement& s) {
            std::vector<Value> row;
            for (std::size_t i = 0; i < ins.targets.size(); ++i)
                row.push_back(s.valueAt(static_cast<int>(i), ins.query->columns[i].type));
            sources.push_back(std::move(row));
        });
    }
    const auto defaultOf = [&](std::size_t column) {
        const BoundExpr* d = ins.defaults[column].get();
        return d ? value(*d, c, 1 + column) : Value::null(t.columns[column].type);
    };
    std::size_t valueIndex = 1 + t.columns.size();
    const std::size_t count = ins.query ? sources.size() : ins.rows.size();
    for (std::size_t r = 0; r < count; ++r) {
        std::vector<Value> row(t.columns.size());
        std::vector<bool> given(t.columns.size(), false);
        for (std::size_t i = 0; i < ins.targets.size(); ++i) {
            given[ins.targets[i]] = true;
            if (ins.query) {
                row[ins.targets[i]] = sources[r][i];
                continue;
            }
            const BoundExpr* e = ins.rows[r][i].get();
            row[ins.targets[i]] = e ? value(*e, c, valueIndex) : defaultOf(ins.targets[i]);
            ++valueIndex;
        }
        for (std::size_t i = 0; i < t.columns.size(); ++i)
            if (!given[i] && i != identityColumn)
                row[i] = defaultOf(i);
        if (identityColumn) {
            const Value next = Value::integer(catalog_.forName(t.name).nextIdentity(t), TypeId::BigInt);
            row[*identityColumn] = convert(next, t.columns[*identityColumn].type, ConversionMode::Store);
            frame().scopeIdentity = next;
            identity_ = next;
        }
        writer.insert(row);
    }
    ForeignKeys(db(), catalog_.forName(t.name), context.database)
        .checkReferencing(t, writer.written(), nullptr, "INSERT");
    return static_cast<std::int64_t>(count);
}

std::int64_t Executor::update(CompiledStatement& c) {
    const BoundChange& ch = *c.change;
    const TableInfo& t = ch.table;
    struct Change {
        std::int64_t rowid;
        std::vector<Value> row;
    };
    std::vector<Change> changes;
    std::vector<std::vector<Value>> before; // the rows as they were, when other tables refer to them
    const bool referenced = ForeignKeys(db(), catalog_.forName(t.name), "").isReferenced(t);
    std::set<std::int64_t> seen;
    SqliteStatement& s = prepare(sqlFor(c, 0, [&] { return generateChangeRows(ch, true); }));
    try {
        while (s.step()) {
            const std::int64_t rowid = s.intAt(0);
            if (!seen.insert(rowid).second)
                continue;
            Change change{rowid, {}};
            for (std::size_t i = 0; i < t.columns.size(); ++i)
                change.row.push_back(s.valueAt(static_cast<int>(i + 1), t.columns[i].type));
            if (referenced)
                before.push_back(change.row);
            const int first = static_cast<int>(t.columns.size() + 1);
            for (std::size_t k = 0; k < ch.columns.size(); ++k) {
                const BoundExpr& e = *ch.select->items[k].expr;
                change.row[ch.columns[k]] = s.valueAt(first + static_cast<int>(k),
                                                      e.untypedNull ? t.columns[ch.columns[k]].type : e.type);
            }
            changes.push_back(std::move(change));
        }
    } catch (...) {
        s.reset();
        throw;
    }
    s.reset();
    const RowContext context =
        rowContext([this](SessionValue v, const DataType& type) { return sessionValue(v, type); });
    const RowRules rules(catalog_, t);
    RowWriter writer(db(), t, &rules, context);
    for (const Change& change : changes)
        writer.update(change.rowid, change.row, ch.columns);
    const ForeignKeys keys(db(), catalog_.forName(t.name), context.database);
    keys.checkReferencing(t, writer.written(), &ch.columns, "UPDATE");
    if (!before.empty()) {
        std::vector<std::vector<Value>> after;
        for (const auto& w : writer.written())
            after.push_back(w.row);
        keys.afterUpdate(t, before, after);
    }
    return static_cast<std::int64_t>(changes.size());
}

std::int64_t Executor::remove(CompiledStatement& c) {
    const BoundChange& ch = *c.change;
    const TableInfo& t = ch.table;
    const ForeignKeys keys(db(), catalog_.forName(t.name),
                           sessionValue(SessionValue::DatabaseName, DataType::sysname()).asText());
    // The rows other tables may refer to are read before they go.
    std::vector<std::vector<Value>> removed;
    if (keys.isReferenced(t)) {
        PreparedSql& r = sqlFor(c, 1, [&] {
            GeneratedSql g = generateChangeRows(ch, false);
            std::string columns;
            for (std::size_t i = 0; i < t.columns.size(); ++i)
                columns += (i ? ", " : "") + TableInfo::storageColumn(i);
            g.text = "SELECT " + columns + " FROM " + t.storageName() + " WHERE rowid IN (" + g.text + ")";
            return g;
        });
        SqliteStatement& s = prepare(r);
        try {
            while (s.step()) {
                std::vector<Value> row;
                for (std::size_t i = 0; i < t.columns.size(); ++i)
                    row.push_back(s.valueAt(static_cast<int>(i), t.columns[i].type));
                removed.push_back(std::move(row));
            }
        } catch (...) {
            s.reset();
            throw;
        }
        s.reset();
    }
    PreparedSql& p = sqlFor(c, 0, [&] {
        GeneratedSql g = generateChangeRows(ch, false);
        g.text = "DELETE FROM " + ch.table.storageName() + " WHERE rowid IN (" + g.text + ")";
        return g;
    });
    SqliteStatement& s = prepare(p);
    try {
        s.step();
    } catch (...) {
        s.reset();
        throw;
    }
    s.reset();
    const std::int64_t count = sqlite3_changes(db());
    if (!removed.empty())
        keys.afterDelete(t, removed);
    return count;
}

// Runs a statement that changes data as one unit: on an error its changes are undone.
template <class F> void Executor::atomically(F&& body) {
    database_->execute("SAVEPOINT tsql_statement");
    catalog_.forgetTakenIdentities();
    try {
        body();
    } catch (...) {
        database_->execute("ROLLBACK TO tsql_statement");
        catalog_.keepTakenIdentities();
        database_->execute("RELEASE tsql_statement");
        throw;
    }
    database_->execute("RELEASE tsql_statement");
}

void Executor::dml(const std::function<std::int64_t()>& body) {
    std::int64_t n = 0;
    atomically([&] { n = body(); });
    lastRowCount_ = n;
    if (!noCount_)
        result_->items.emplace_back(RowCount{n});
}

void Executor::raiserror(const Stmt& stmt, CompiledStatement& c) {
    const Value message = value(*c.exprs[0], c, 0);
    if (message.isNull() || !message.type().isCharacter())
        refuse("RAISERROR with a message number");
    const int severity = intValue(*c.exprs[1], c, 1);
    const int state = intValue(*c.exprs[2], c, 2);
    std::vector<Value> args;
    for (std::size_t i = 3; i < c.exprs.size(); ++i)
        args.push_back(value(*c.exprs[i], c, i));
    const std::string out = formatRaiserror(convert(message, DataType::nvarchar(4000)).asText(), args);
    if (severity > 10)
        throw SqlError(50000, severity, state, out);
    result_->items.emplace_back(Message{0, severity, state, out, stmt.pos.line});
}

void Executor::transaction(const TransactionStmt& s) {
    lastRowCount_ = 0;
    switch (s.op) {
    case TransactionOp::Begin:
        if (tranCount_ == 0)
            database_->execute("BEGIN");
        ++tranCount_;
        return;
    case TransactionOp::Commit:
        if (tranCount_ == 0)
            throw SqlError(3902, 16, 1,
                           "The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION.");
        if (--tranCount_ == 0)
            database_->execute("COMMIT");
        return;
    case TransactionOp::Rollback:
        if (tranCount_ == 0)
            throw SqlError(3903, 16, 1,
                           "The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
        database_->execute("ROLLBACK");
        tranCount_ = 0;
        return;
    case TransactionOp::Save:
        refuse("SAVE TRANSACTION");
    }
}

void Executor::runStatement(const Stmt& s, CompiledStatement& c) {
    if (!c.bound)
        bindStatement(s, c);
    switch (s.kind) {
    case StmtKind::Select:
        select(c);
        return;
    case StmtKind::DeclareVariables:
        for (std::size_t i = 0; i < c.slots.size(); ++i)
            if (c.exprs[i])
                assign(c.slots[i], value(*c.exprs[i], c, i));
        return;
    case StmtKind::SetVariable:
        assign(c.slots[0], value(*c.exprs[0], c, 0));
        lastRowCount_ = 1;
        return;
    case StmtKind::SetOption: {
        const auto& o = s.as<SetOptionStmt>();
        lastRowCount_ = 0;
        if (o.options.size() == 1 && o.options[0] == "NOCOUNT") {
            noCount_ = o.value == "ON";
            return;
        }
        static const std::set<std::string> ignored = {"ANSI_NULLS",
                                                      "QUOTED_IDENTIFIER",
                                                      "ANSI_WARNINGS",
                                                      "ANSI_PADDING",
                                                      "ARITHABORT",
                                                      "XACT_ABORT",
                                                      "CONCAT_NULL_YIELDS_NULL",
                                                      "DEADLOCK_PRIORITY",
                                                      "LOCK_TIMEOUT",
                                                      "TRANSACTION ISOLATION LEVEL",
                                                      "DATEFIRST",
                                                      "DATEFORMAT",
                                                      "LANGUAGE",
                                                      "ANSI_NULL_DFLT_ON"};
        for (const auto& name : o.options)
            if (!ignored.count(name))
                refuse("SET " + name);
        return;
    }
    case StmtKind::Print: {
        const Value v = value(*c.exprs[0], c, 0);
        result_->items.emplace_back(
            Message{0, 0, 1, v.isNull() ? "" : convert(v, DataType::nvarchar(4000)).asText(), s.pos.line});
        return;
    }
    case StmtKind::Raiserror:
        raiserror(s, c);
        return;
    case StmtKind::CreateTable: {
        atomically([&] { createTable(s.as<CreateTableStmt>(), frame().source->batch, catalog_); });
        const auto& name = s.as<CreateTableStmt>().name;
        if (frames_.size() > 1 && !name.parts.empty() && name.last().starts_with('#'))
            frame().tempTables.push_back(name.last());
        return;
    }
    case StmtKind::CreateView:
    case StmtKind::CreateProcedure:
    case StmtKind::CreateFunction:
        atomically([&] { createModule(s); });
        return;
    case StmtKind::AlterTable: {
        const RowContext context =
            rowContext([this](SessionValue v, const DataType& type) { return sessionValue(v, type); });
        atomically([&] { alterTable(s.as<AlterTableStmt>(), catalog_, db(), context); });
        lastRowCount_ = 0;
        forgetBindings(frame(), c);
        return;
    }
    case StmtKind::CreateIndex:
        atomically([&] { createIndex(s.as<CreateIndexStmt>(), catalog_, db()); });
        lastRowCount_ = 0;
        forgetBindings(frame(), c);
        return;
    case StmtKind::CreateTrigger:
        atomically([&] { createTrigger(s.as<CreateTriggerStmt>(), frame().source->batch, catalog_); });
        return;
    case StmtKind::EnableTrigger:
        atomically([&] { enableTriggers(s.as<EnableTriggerStmt>(), catalog_); });
        return;
    case StmtKind::Drop:
        atomically([&] { dropObjects(s.as<DropStmt>(), catalog_); });
        if (s.as<DropStmt>().objectKind == ObjectKind::Index)
            forgetBindings(frame(), c);
        return;
    case StmtKind::Truncate:
        atomically([&] { truncateTable(s.as<TruncateStmt>(), catalog_, db()); });
        lastRowCount_ = 0;
        return;
    case StmtKind::Insert:
        dml([&] { return insert(c); });
        return;
    case StmtKind::Update:
        dml([&] { return update(c); });
        return;
    case StmtKind::Delete:
        dml([&] { return remove(c); });
        return;
    case StmtKind::Transaction:
        transaction(s.as<TransactionStmt>());
        return;
    case StmtKind::Permission:
    case StmtKind::DeclareTable: // its table was made when the frame was bound
        return;
    case StmtKind::ExecProcedure:
        execProcedure(s.as<ExecProcedureStmt>(), c);
        return;
    case StmtKind::ExecString: {
        std::string text;
        for (std::size_t i = 0; i < c.exprs.size(); ++i) {
            const Value v = value(*c.exprs[i], c, i);
            if (!v.isNull())
                text += convert(v, DataType::nvarchar(DataType::kMax)).asText();
        }
        execString(text, nullptr, {}, {}, {});
        return;
    }
    case StmtKind::DeclareCursor:
        declareCursor(s.as<DeclareCursorStmt>(), c);
        return;
    case StmtKind::OpenCursor: {
        Cursor& k = cursor(s.as<CursorStmt>().cursor);
        if (k.open)
            throw SqlError(16905, 16, 1, "The cursor is already open.");
        k.rows.clear();
        CompiledStatement scratch;
        const auto columns = k.query->columns;
        rows(*k.query, scratch, 0, [&](SqliteStatement& st) {
            std::vector<Value> row;
            for (std::size_t i = 0; i < columns.size(); ++i)
                row.push_back(st.valueAt(static_cast<int>(i), columns[i].type));
            k.rows.push_back(std::move(row));
        });
        k.position = 0;
        k.open = true;
        lastRowCount_ = static_cast<std::int64_t>(k.rows.size());
        return;
    }
    case StmtKind::Fetch:
        fetch(s.as<FetchStmt>());
        return;
    case StmtKind::CloseCursor: {
        Cursor& k = cursor(s.as<CursorStmt>().cursor);
        if (!k.open)
            throw SqlError(16917, 16, 1, "Cursor is not open.");
        k.open = false;
        k.rows.clear();
        return;
    }
    case StmtKind::DeallocateCursor: {
        cursor(s.as<CursorStmt>().cursor); // 16916 when there is none
        const std::string name = foldName(s.as<CursorStmt>().cursor.name);
        const std::string local = "L" + std::to_string(frames_.size() - 1) + ":" + name;
        if (!cursors_.erase(local))
            cursors_.erase("G:" + name);
        return;
    }
    default:
        refuse("this statement");
    }
}

} // namespace tsql
