#include "RowWriter.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"

#include <algorithm>

namespace tsql {

namespace {

// The ordinals named in SQLite's "UNIQUE constraint failed: tsql_t1.c0, tsql_t1.c2".
std::vector<int> failedColumns(const std::string& message) {
    std::vector<int> out;
    std::size_t at = 0;
    while ((at = message.find(".c", at)) != std::string::npos) {
        at += 2;
        out.push_back(std::stoi(message.substr(at)));
    }
    return out;
}

[[noreturn]] void duplicateKey(const TableInfo& t, const std::vector<Value>& row,
                               const std::string& message) {
    const std::vector<int> columns = failedColumns(message);
    for (const IndexInfo& index : t.indexes) {
        if (!index.unique || index.keyColumns != columns)
            continue;
        std::string values;
        for (int c : index.keyColumns)
            values += (values.empty() ? "" : ", ") + row[static_cast<std::size_t>(c)].toDisplayString();
        if (!index.primaryKey && !index.uniqueConstraint)
            throw SqlError(2601, 14, 1,
                           "Cannot insert duplicate key row in object 'dbo." + t.name +
                               "' with unique index '" + index.name + "'. The duplicate key value is (" +
                               values + ").");
        throw SqlError(2627, 14, 1,
                       std::string("Violation of ") + (index.primaryKey ? "PRIMARY KEY" : "UNIQUE KEY") +
                           " constraint '" + index.name + "'. Cannot insert duplicate key in object 'dbo." +
                           t.name + "'. The duplicate key value is (" + values + ").");
    }
    throw SqlError(50902, 16, 1, "The storage failed: " + message);
}

} // namespace

Value RowWriter::storeForm(const Value& v, std::size_t column, const char* verb) const {
    const ColumnInfo& c = table_.columns[column];
    if (v.isNull()) {
        if (!c.nullable)
            throw SqlError(515, 16, 2,
                           "Cannot insert the value NULL into column '" + c.name + "', table 'dbo." +
                               table_.name + "'; column does not allow nulls. " + verb + " fails.");
        return Value::null(c.type);
    }
    return v.type() == c.type ? v : convert(v, c.type, ConversionMode::Store);
}

void RowWriter::check(SqliteStatement& s, const std::vector<Value>& row) {
    std::string constraint;
    s.step(&constraint);
    s.reset();
    if (!constraint.empty())
        duplicateKey(table_, row, constraint);
}

void RowWriter::complete(std::vector<Value>& row, const char* verb) const {
    if (!rules_)
        return;
    rules_->compute(row, context_.session);
    rules_->check(row, context_.session, verb, context_.database);
}

void RowWriter::insert(const std::vector<Value>& row) {
    if (!insert_) {
        std::string sql = "INSERT INTO " + table_.storageName() + " VALUES (";
        for (std::size_t i = 0; i < row.size(); ++i)
            sql += (i ? ", ?" : "?") + std::to_string(i + 1);
        insert_ = std::make_unique<SqliteStatement>(db_, sql + ")");
    }
    std::vector<Value> stored;
    for (std::size_t i = 0; i < row.size(); ++i)
        stored.push_back(table_.columns[i].isComputed() ? Value::null(table_.columns[i].type)
                                                        : storeForm(row[i], i, "INSERT"));
    complete(stored, "INSERT");
    for (std::size_t i = 0; i < row.size(); ++i)
        insert_->bind(static_cast<int>(i + 1), stored[i]);
    check(*insert_, stored);
    written_.push_back({sqlite3_last_insert_rowid(db_), std::move(stored)});
}

void RowWriter::update(std::int64_t rowid, const std::vector<Value>& row,
                       const std::vector<std::size_t>& columns) {
    if (!update_) {
        updated_ = columns;
        if (rules_)
            for (std::size_t c : rules_->computedColumns())
                if (std::find(updated_.begin(), updated_.end(), c) == updated_.end())
                    updated_.push_back(c);
        std::string sql = "UPDATE " + table_.storageName() + " SET ";
        for (std::size_t i = 0; i < updated_.size(); ++i)
            sql += (i ? ", " : "") + TableInfo::storageColumn(updated_[i]) + " = ?" + std::to_string(i + 1);
        update_ = std::make_unique<SqliteStatement>(db_, sql + " WHERE rowid = ?" +
                                                             std::to_string(updated_.size() + 1));
    }
    std::vector<Value> stored = row;
    for (std::size_t c : columns)
        stored[c] = storeForm(row[c], c, "UPDATE");
    complete(stored, "UPDATE");
    for (std::size_t i = 0; i < updated_.size(); ++i)
        update_->bind(static_cast<int>(i + 1), stored[updated_[i]]);
    update_->bindInt(static_cast<int>(updated_.size() + 1), rowid);
    check(*update_, stored);
    written_.push_back({rowid, std::move(stored)});
}

} // namespace tsql
