#include "ForeignKeys.h"

#include "SqliteStatement.h"

#include "tsql/SqlError.h"

#include <algorithm>
#include <set>

namespace tsql {

namespace {

// The row's values of the key columns; empty when one of them is NULL (such a row refers to nothing).
std::vector<Value> keyOf(const std::vector<Value>& row, const std::vector<int>& columns) {
    std::vector<Value> key;
    for (int c : columns) {
        const Value& v = row.at(static_cast<std::size_t>(c));
        if (v.isNull())
            return {};
        key.push_back(v);
    }
    return key;
}

std::string keyText(const std::vector<Value>& key) {
    std::string out;
    for (const Value& v : key)
        out += v.toDisplayString() + '\x1f';
    return out;
}

// "c0 = ?1 AND c2 = ?2", numbering from `first`.
std::string matching(const std::vector<int>& columns, int first = 1) {
    std::string out;
    for (std::size_t i = 0; i < columns.size(); ++i)
        out += (i ? " AND " : "") + TableInfo::storageColumn(static_cast<std::size_t>(columns[i])) + " = ?" +
               std::to_string(first + static_cast<int>(i));
    return out;
}

void bindKey(SqliteStatement& s, const std::vector<Value>& key, int first = 1) {
    for (std::size_t i = 0; i < key.size(); ++i)
        s.bind(first + static_cast<int>(i), key[i]);
}

} // namespace

void ForeignKeys::conflict(const char* verb, const char* kind, const ConstraintInfo& key,
                           const TableInfo& table, const std::vector<int>& columns) const {
    std::string text = std::string("The ") + verb + " statement conflicted with the " + kind +
                       " constraint \"" + key.name + "\". The conflict occurred in database \"" + database_ +
                       "\", table \"dbo." + table.name + "\"";
    if (columns.size() == 1)
        text += ", column '" + table.columns[static_cast<std::size_t>(columns[0])].name + "'";
    throw SqlError(547, 16, 0, text + ".");
}

bool ForeignKeys::exists(const TableInfo& table, const std::vector<int>& columns,
                         const std::vector<Value>& key) const {
    SqliteStatement s(db_,
                      "SELECT 1 FROM " + table.storageName() + " WHERE " + matching(columns) + " LIMIT 1");
    bindKey(s, key);
    return s.step();
}

std::vector<std::vector<Value>> ForeignKeys::rowsWith(const TableInfo& table, const std::vector<int>& columns,
                                                      const std::vector<Value>& key) const {
    std::string list;
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        list += (i ? ", " : "") + TableInfo::storageColumn(i);
    SqliteStatement s(db_, "SELECT " + list + " FROM " + table.storageName() + " WHERE " + matching(columns));
    bindKey(s, key);
    std::vector<std::vector<Value>> rows;
    while (s.step()) {
        std::vector<Value> row;
        for (std::size_t i = 0; i < table.columns.size(); ++i)
            row.push_back(s.valueAt(static_cast<int>(i), table.columns[i].type));
        rows.push_back(std::move(row));
    }
    return rows;
}

void ForeignKeys::removeRows(const TableInfo& table, const std::vector<int>& columns,
                             const std::vector<Value>& key) const {
    SqliteStatement s(db_, "DELETE FROM " + table.storageName() + " WHERE " + matching(columns));
    bindKey(s, key);
    s.step();
}

void ForeignKeys::setKey(const TableInfo& table, const std::vector<int>& columns,
                         const std::vector<Value>& from, const std::vector<Value>* to) const {
    std::string set;
    const int first = static_cast<int>(columns.size()) + 1;
    for (std::size_t i = 0; i < columns.size(); ++i)
        set += (i ? ", " : "") + TableInfo::storageColumn(static_cast<std::size_t>(columns[i])) + " = " +
               (to ? "?" + std::to_string(first + static_cast<int>(i)) : std::string("NULL"));
    SqliteStatement s(db_, "UPDATE " + table.storageName() + " SET " + set + " WHERE " + matching(columns));
    bindKey(s, from);
    if (to)
        bindKey(s, *to, first);
    s.step();
}

std::vector<ForeignKeys::Reference> ForeignKeys::referencesTo(const TableInfo& table) const {
    std::vector<Reference> out;
    if (table.schema == "temp")
        return out;
    for (TableInfo& child : catalog_.referencingTables(table.id))
        for (std::size_t i = 0; i < child.constraints.size(); ++i) {
            const ConstraintInfo& c = child.constraints[i];
            if (c.type == ConstraintType::ForeignKey && c.referencedId == table.id && !c.disabled)
                out.push_back({child, i});
        }
    return out;
}

bool ForeignKeys::isReferenced(const TableInfo& table) const {
    return !referencesTo(table).empty();
}

void ForeignKeys::checkReferencing(const TableInfo& table, const std::vector<RowWriter::Written>& rows,
                                   const std::vector<std::size_t>* changed, const char* verb) const {
    for (const ConstraintInfo& c : table.constraints) {
        if (c.type != ConstraintType::ForeignKey || c.disabled)
            continue;
        if (changed && std::none_of(c.columns.begin(), c.columns.end(), [&](int col) {
                return std::find(changed->begin(), changed->end(), static_cast<std::size_t>(col)) !=
                       changed->end();
            }))
            continue;
        std::optional<TableInfo> parent =
            c.referencedId == table.id ? table : catalog_.findById(c.referencedId);
        if (!parent)
            continue;
        std::set<std::string> found;
        for (const RowWriter::Written& w : rows) {
            const std::vector<Value> key = keyOf(w.row, c.columns);
            if (key.empty() || found.count(keyText(key)))
                continue;
            if (!exists(*parent, c.referencedColumns, key))
                conflict(verb, "FOREIGN KEY", c, *parent, c.referencedColumns);
            found.insert(keyText(key));
        }
    }
}

void ForeignKeys::afterDelete(const TableInfo& table, const std::vector<std::vector<Value>>& removed) const {
    for (const Reference& ref : referencesTo(table)) {
        const ConstraintInfo& fk = ref.child.constraints[ref.key];
        std::set<std::string> done;
        for (const auto& row : removed) {
            const std::vector<Value> key = keyOf(row, fk.referencedColumns);
            if (key.empty() || !done.insert(keyText(key)).second || exists(table, fk.referencedColumns, key))
                continue;
            switch (fk.onDelete) {
            case ReferenceAction::Cascade: {
                const auto children = rowsWith(ref.child, fk.columns, key);
                if (children.empty())
                    break;
                removeRows(ref.child, fk.columns, key);
                afterDelete(ref.child, children);
                break;
            }
            case ReferenceAction::SetNull:
                setKey(ref.child, fk.columns, key, nullptr);
                break;
            default:
                if (exists(ref.child, fk.columns, key))
                    conflict("DELETE", "REFERENCE", fk, ref.child, fk.columns);
            }
        }
    }
}

void ForeignKeys::afterUpdate(const TableInfo& table, const std::vector<std::vector<Value>>& before,
                              const std::vector<std::vector<Value>>& after) const {
    for (const Reference& ref : referencesTo(table)) {
        const ConstraintInfo& fk = ref.child.constraints[ref.key];
        for (std::size_t i = 0; i < before.size(); ++i) {
            const std::vector<Value> old = keyOf(before[i], fk.referencedColumns);
            if (old.empty() || old == keyOf(after[i], fk.referencedColumns) ||
                exists(table, fk.referencedColumns, old))
                continue;
            std::vector<Value> now;
            for (int c : fk.referencedColumns)
                now.push_back(after[i][static_cast<std::size_t>(c)]);
            switch (fk.onUpdate) {
            case ReferenceAction::Cascade:
                setKey(ref.child, fk.columns, old, &now);
                break;
            case ReferenceAction::SetNull:
                setKey(ref.child, fk.columns, old, nullptr);
                break;
            default:
                if (exists(ref.child, fk.columns, old))
                    conflict("UPDATE", "REFERENCE", fk, ref.child, fk.columns);
            }
        }
    }
}

} // namespace tsql
