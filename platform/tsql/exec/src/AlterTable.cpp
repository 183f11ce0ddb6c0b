#include "AlterTable.h"

#include "ForeignKeys.h"
#include "Indexes.h"
#include "RowExpressions.h"
#include "SqliteStatement.h"
#include "TableBuilder.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"

#include <algorithm>

namespace tsql {

namespace {

using Rows = std::vector<RowWriter::Written>;

std::string qualified(const TableInfo& t) {
    return (t.schema == "temp" ? "" : "dbo.") + t.name;
}

Rows allRows(sqlite3* db, const TableInfo& t) {
    std::string list = "rowid";
    for (std::size_t i = 0; i < t.columns.size(); ++i)
        list += ", " + TableInfo::storageColumn(i);
    SqliteStatement s(db, "SELECT " + list + " FROM " + t.storageName() + " ORDER BY rowid");
    Rows rows;
    while (s.step()) {
        RowWriter::Written w{s.intAt(0), {}};
        for (std::size_t i = 0; i < t.columns.size(); ++i)
            w.row.push_back(s.valueAt(static_cast<int>(i + 1), t.columns[i].type));
        rows.push_back(std::move(w));
    }
    return rows;
}

// Replaces the storage of `t` by one with its (new) columns holding `rows`, rowids kept.
void rebuildStorage(sqlite3* db, const TableInfo& t, const Rows& rows) {
    const std::string bare = "tsql_t" + std::to_string(t.id);
    const std::string scratch = t.schema + "." + bare + "_rebuild";
    SqliteStatement(db, "CREATE TABLE " + scratch + Catalog::storageColumns(t)).step();
    std::string sql = "INSERT INTO " + scratch + "(rowid";
    std::string values = "?1";
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        sql += ", " + TableInfo::storageColumn(i);
        values += ", ?" + std::to_string(i + 2);
    }
    SqliteStatement insert(db, sql + ") VALUES (" + values + ")");
    for (const auto& w : rows) {
        insert.reset();
        insert.bindInt(1, w.rowid);
        for (std::size_t i = 0; i < w.row.size(); ++i)
            insert.bind(static_cast<int>(i + 2), w.row[i]);
        insert.step();
    }
    SqliteStatement(db, "DROP TABLE " + t.storageName()).step();
    SqliteStatement(db, "ALTER TABLE " + scratch + " RENAME TO " + bare).step();
}

void setColumn(sqlite3* db, const TableInfo& t, std::size_t ordinal, std::int64_t rowid, const Value& v) {
    SqliteStatement u(db, "UPDATE " + t.storageName() + " SET " + TableInfo::storageColumn(ordinal) +
                              " = ?1 WHERE rowid = ?2");
    u.bind(1, v);
    u.bindInt(2, rowid);
    u.step();
}

// What depends on a column, as the server names it in 5074: ("object", "DF_x"), ("index", "i"), ...
std::optional<std::pair<std::string, std::string>> dependentOn(const TableInfo& t, int ordinal,
                                                               const CatalogReader& catalog) {
    const ColumnInfo& col = t.columns[static_cast<std::size_t>(ordinal)];
    if (!col.defaultName.empty())
        return std::make_pair(std::string("object"), col.defaultName);
    for (const ConstraintInfo& c : t.constraints) {
        bool uses = std::find(c.columns.begin(), c.columns.end(), ordinal) != c.columns.end();
        if (c.type == ConstraintType::Check)
            uses = RowExpression(catalog, t, c.checkText, true).columns().count(ordinal) > 0;
        if (uses)
            return std::make_pair(std::string("object"), c.name);
    }
    for (const IndexInfo& x : t.indexes) {
        const bool uses =
            std::find(x.keyColumns.begin(), x.keyColumns.end(), ordinal) != x.keyColumns.end() ||
            std::find(x.included.begin(), x.included.end(), ordinal) != x.included.end();
        if (uses)
            return std::make_pair(std::string("index"), x.name);
    }
    for (const ColumnInfo& other : t.columns)
        if (other.isComputed() &&
            RowExpression(catalog, t, other.computedText, false).columns().count(ordinal) > 0)
            return std::make_pair(std::string("column"), other.name);
    return std::nullopt;
}

void refuseDependents(const TableInfo& t, int ordinal, const CatalogReader& catalog) {
    if (const auto d = dependentOn(t, ordinal, catalog))
        throw SqlError(5074, 16, 1,
                       "The " + d->first + " '" + d->second + "' is dependent on column '" +
                           t.columns[static_cast<std::size_t>(ordinal)].name + "'.");
}

// Ordinals after a dropped column move down by one.
void shiftOrdinals(std::vector<int>& ordinals, int dropped) {
    for (int& o : ordinals)
        if (o > dropped)
            --o;
}

class Alteration {
public:
    Alteration(const AlterTableStmt& s, SessionCatalog& catalog, sqlite3* db, const RowContext& context)
        : s_(s), catalog_(catalog), db_(db), context_(context) {
        const std::string name = objectName(s.table);
        auto t = catalog.forName(name).find(name);
        if (!t)
            throw SqlError(4902, 16, 1,
                           "Cannot find the object \"" + name +
                               "\" because it does not exist or you do not have permissions.");
        t_ = std::move(*t);
    }

    void run() {
        switch (s_.action) {
        case AlterTableAction::Add:
            add();
            break;
        case AlterTableAction::DropItems:
            for (const DropItem& item : s_.drops)
                item.column ? dropColumn(item.name.name) : dropConstraint(item.name.name);
            break;
        case AlterTableAction::AlterColumn:
            alterColumn(s_.columns.at(0));
            break;
        case AlterTableAction::CheckConstraints:
            checkConstraints();
            break;
        case AlterTableAction::EnableTriggers:
            enableTriggers();
            return;
        }
        catalog().store(t_);
    }

private:
    Catalog& catalog() { return catalog_.forName(t_.name); }

    Value defaultOf(const ColumnInfo& col) {
        VariableScope none;
        const BoundExprPtr e = Binder(catalog_, none).defaultValue(col);
        if (!isDirect(*e))
            refuse("defaults that read tables");
        const Value v = evaluateDirect(*e, context_.session);
        return v.isNull() ? Value::null(col.type) : convert(v, col.type, ConversionMode::Store);
    }

    void addColumn(const ColumnDefinition& d) {
        TableBuilder builder(t_, catalog_);
        builder.addColumn(d);
        builder.deriveComputed();
        const std::size_t ordinal = t_.columns.size() - 1;
        const ColumnInfo& col = t_.columns[ordinal];
        SqliteStatement(db_, "ALTER TABLE " + t_.storageName() + " ADD COLUMN " +
                                 TableInfo::storageColumn(ordinal) + " " + Catalog::storageType(col.type))
            .step();
        const Rows rows = allRows(db_, t_);
        if (!rows.empty()) {
            if (col.identitySeed) {
                for (const auto& w : rows) {
                    const Value next = Value::integer(catalog().nextIdentity(t_), TypeId::BigInt);
                    setColumn(db_, t_, ordinal, w.rowid, convert(next, col.type, ConversionMode::Store));
                }
            } else if (col.isComputed()) {
                const RowExpression e(catalog_, t_, col.computedText, false);
                for (const auto& w : rows) {
                    const Value v = e.evaluate(w.row, context_.session);
                    setColumn(db_, t_, ordinal, w.rowid, v.isNull() ? v : convert(v, col.type));
                }
            } else if (!col.nullable && !col.defaultExpression.empty()) {
                const Value v = defaultOf(col);
                SqliteStatement u(db_, "UPDATE " + t_.storageName() + " SET " +
                                           TableInfo::storageColumn(ordinal) + " = ?1");
                u.bind(1, v);
                u.step();
            } else if (!col.nullable) {
                throw SqlError(
                    4901, 16, 1,
                    "ALTER TABLE only allows columns to be added that can contain nulls, or have a DEFAULT "
                    "definition specified, or the column being added is an identity or timestamp "
                    "column, or alternatively if none of the previous conditions are satisfied the "
                    "table must be empty to allow addition of this column. Column '" +
                        col.name + "' cannot be added to non-empty table '" + t_.name +
                        "' because it does not satisfy these conditions.");
            }
        }
        for (const TableConstraint& c : d.constraints)
            addConstraint(c, ordinal);
    }

    void addConstraint(const TableConstraint& c, std::optional<std::size_t> column) {
        if (c.kind == ConstraintKind::PrimaryKey) {
            for (const KeyColumn& k : c.columns)
                if (const auto i = t_.findColumn(k.name.name); i && t_.columns[*i].nullable)
                    throw SqlError(8111, 16, 0,
                                   "Cannot define PRIMARY KEY constraint on nullable column in table '" +
                                       t_.name + "'.");
        }
        TableBuilder(t_, catalog_).addConstraint(c, column, false);
    }

    void add() {
        for (const ColumnDefinition& d : s_.columns)
            addColumn(d);
        for (const TableConstraint& c : s_.constraints)
            addConstraint(c, std::nullopt);
        for (ConstraintInfo& c : t_.constraints)
            if (!c.id && (c.type == ConstraintType::Check || c.type == ConstraintType::ForeignKey))
                c.notTrusted = s_.withCheck == false;
        refuseDuplicateKeys();
        // The new constraints get their names when recorded; existing rows are checked after that.
        std::vector<std::size_t> added;
        for (std::size_t i = 0; i < t_.constraints.size(); ++i)
            if (!t_.constraints[i].id)
                added.push_back(i);
        catalog().store(t_);
        if (s_.withCheck != false)
            checkRows(added);
    }

    // A new PRIMARY KEY or UNIQUE constraint over rows that repeat its key.
    void refuseDuplicateKeys() {
        for (const ConstraintInfo& c : t_.constraints) {
            if (c.id || (c.type != ConstraintType::PrimaryKey && c.type != ConstraintType::Unique))
                continue;
            refuseDuplicateRows(db_, t_, c.columns, TableBuilder::displayName(c, t_));
        }
    }

    // The existing rows against the given CHECK and FOREIGN KEY constraints.
    void checkRows(const std::vector<std::size_t>& which) {
        TableInfo checks = t_;
        TableInfo keys = t_;
        checks.constraints.clear();
        keys.constraints.clear();
        for (std::size_t i : which) {
            ConstraintInfo c = t_.constraints[i];
            c.disabled = false;
            if (c.type == ConstraintType::Check)
                checks.constraints.push_back(std::move(c));
            else if (c.type == ConstraintType::ForeignKey)
                keys.constraints.push_back(std::move(c));
        }
        if (checks.constraints.empty() && keys.constraints.empty())
            return;
        const Rows rows = allRows(db_, t_);
        for (ColumnInfo& col : checks.columns)
            col.computedText.clear(); // the stored values are checked as they are
        const RowRules rules(catalog_, checks);
        for (const auto& w : rows)
            rules.check(w.row, context_.session, "ALTER TABLE", context_.database);
        ForeignKeys(db_, catalog(), context_.database).checkReferencing(keys, rows, nullptr, "ALTER TABLE");
    }

    void dropConstraint(const std::string& name) {
        const std::string folded = foldName(name);
        for (ColumnInfo& col : t_.columns)
            if (!col.defaultName.empty() && foldName(col.defaultName) == folded) {
                col.defaultExpression.clear();
                col.defaultName.clear();
                col.defaultId = 0;
                return;
            }
        const auto it = std::find_if(t_.constraints.begin(), t_.constraints.end(),
                                     [&](const ConstraintInfo& c) { return foldName(c.name) == folded; });
        if (it == t_.constraints.end())
            throw SqlError(3728, 16, 1, "'" + name + "' is not a constraint.");
        if (it->type == ConstraintType::PrimaryKey || it->type == ConstraintType::Unique) {
            for (const TableInfo& child : catalog().referencingTables(t_.id))
                for (const ConstraintInfo& fk : child.constraints) {
                    std::vector<int> a = fk.referencedColumns, b = it->columns;
                    std::sort(a.begin(), a.end());
                    std::sort(b.begin(), b.end());
                    if (fk.type == ConstraintType::ForeignKey && fk.referencedId == t_.id && a == b &&
                        !(child.id == t_.id && foldName(fk.name) == folded))
                        throw SqlError(3725, 16, 0,
                                       "The constraint '" + it->name + "' is being referenced by table '" +
                                           child.name + "', foreign key constraint '" + fk.name + "'.");
                }
            t_.indexes.erase(std::remove_if(t_.indexes.begin(), t_.indexes.end(),
                                            [&](const IndexInfo& x) { return x.name == it->name; }),
                             t_.indexes.end());
        }
        t_.constraints.erase(it);
    }

    void dropColumn(const std::string& name) {
        const auto found = t_.findColumn(name);
        if (!found)
            throw SqlError(4924, 16, 1,
                           "ALTER TABLE DROP COLUMN failed because column '" + name +
                               "' does not exist in table '" + t_.name + "'.");
        const int ordinal = static_cast<int>(*found);
        refuseDependents(t_, ordinal, catalog_);
        if (t_.columns.size() == 1)
            throw SqlError(4923, 16, 1,
                           "ALTER TABLE DROP COLUMN failed because '" + name +
                               "' is the only data column in table '" + t_.name +
                               "'. A table must have at least one data column.");
        Rows rows = allRows(db_, t_);
        for (auto& w : rows)
            w.row.erase(w.row.begin() + ordinal);
        t_.columns.erase(t_.columns.begin() + ordinal);
        for (ConstraintInfo& c : t_.constraints) {
            shiftOrdinals(c.columns, ordinal);
            if (c.referencedId == t_.id)
                shiftOrdinals(c.referencedColumns, ordinal);
        }
        for (IndexInfo& x : t_.indexes) {
            shiftOrdinals(x.keyColumns, ordinal);
            shiftOrdinals(x.included, ordinal);
        }
        rebuildStorage(db_, t_, rows);
    }

    void alterColumn(const ColumnDefinition& d) {
        const auto found = t_.findColumn(d.name.name);
        if (!found)
            throw SqlError(4924, 16, 1,
                           "ALTER TABLE ALTER COLUMN failed because column '" + d.name.name +
                               "' does not exist in table '" + t_.name + "'.");
        ColumnInfo& col = t_.columns[*found];
        if (col.isComputed())
            throw SqlError(4928, 16, 1, "Cannot alter column '" + col.name + "' because it is 'COMPUTED'.");
        const DataType type = resolveType(*d.type, LengthDefault::Declaration);
        const bool nullable = d.nullable.value_or(!col.identitySeed);
        if (!(type == col.type))
            refuseDependents(t_, static_cast<int>(*found), catalog_);
        for (const ConstraintInfo& c : t_.constraints)
            if (c.type == ConstraintType::PrimaryKey && nullable &&
                std::find(c.columns.begin(), c.columns.end(), static_cast<int>(*found)) != c.columns.end())
                throw SqlError(5074, 16, 1,
                               "The object '" + c.name + "' is dependent on column '" + col.name + "'.");
        Rows rows = allRows(db_, t_);
        for (auto& w : rows) {
            Value& v = w.row[*found];
            if (v.isNull()) {
                if (!nullable)
                    throw SqlError(515, 16, 2,
                                   "Cannot insert the value NULL into column '" + col.name + "', table '" +
                                       qualified(t_) + "'; column does not allow nulls. UPDATE fails.");
                v = Value::null(type);
            } else if (!(v.type() == type)) {
                v = convert(v, type, ConversionMode::Store);
            }
        }
        col.type = type;
        col.nullable = nullable;
        rebuildStorage(db_, t_, rows);
    }

    void checkConstraints() {
        std::vector<std::size_t> which;
        for (std::size_t i = 0; i < t_.constraints.size(); ++i) {
            const ConstraintInfo& c = t_.constraints[i];
            if ((c.type == ConstraintType::Check || c.type == ConstraintType::ForeignKey) && s_.all)
                which.push_back(i);
        }
        for (const Identifier& name : s_.names) {
            const auto it =
                std::find_if(t_.constraints.begin(), t_.constraints.end(), [&](const ConstraintInfo& c) {
                    return (c.type == ConstraintType::Check || c.type == ConstraintType::ForeignKey) &&
                           foldName(c.name) == foldName(name.name);
                });
            if (it == t_.constraints.end())
                throw SqlError(4917, 16, 0, "Constraint '" + name.name + "' does not exist.");
            which.push_back(static_cast<std::size_t>(it - t_.constraints.begin()));
        }
        for (std::size_t i : which) {
            ConstraintInfo& c = t_.constraints[i];
            c.disabled = !s_.enable;
            // Enabling checks the rows only WITH CHECK; otherwise the constraint is not trusted.
            c.notTrusted = !(s_.enable && s_.withCheck == true);
        }
        if (s_.enable && s_.withCheck == true)
            checkRows(which);
    }

    void enableTriggers() {
        const auto triggers = catalog().triggersOf(t_.id);
        std::vector<std::int64_t> ids;
        for (const auto& tr : triggers)
            if (s_.all)
                ids.push_back(tr.id);
        for (const Identifier& name : s_.names) {
            const auto it = std::find_if(triggers.begin(), triggers.end(), [&](const Catalog::Object& o) {
                return foldName(o.name) == foldName(name.name);
            });
            if (it == triggers.end())
                throw SqlError(4920, 16, 1,
                               "ALTER TABLE failed because trigger '" + name.name + "' on table '" + t_.name +
                                   "' does not exist.");
            ids.push_back(it->id);
        }
        for (std::int64_t id : ids)
            catalog().setDisabled(id, !s_.enable);
    }

    const AlterTableStmt& s_;
    SessionCatalog& catalog_;
    sqlite3* db_;
    const RowContext& context_;
    TableInfo t_;
};

} // namespace

void alterTable(const AlterTableStmt& s, SessionCatalog& catalog, sqlite3* db, const RowContext& context) {
    Alteration(s, catalog, db, context).run();
}

} // namespace tsql
