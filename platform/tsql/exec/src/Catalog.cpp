#include "Catalog.h"

#include "SqliteStatement.h"

#include "tsql/Collation.h"
#include "tsql/SqlError.h"
#include "tsql/SqliteValues.h"

namespace tsql {

namespace {

void run(sqlite3* db, const std::string& sql) {
    SqliteStatement s(db, sql);
    s.step();
}

std::string storageType(const DataType& t) {
    switch (storageClassOf(t)) {
    case StorageClass::Integer:
        return "INTEGER";
    case StorageClass::Real:
        return "REAL";
    case StorageClass::Text:
        return "TEXT COLLATE " + std::string(Collation::kSqliteName);
    case StorageClass::Blob:
        return "BLOB";
    }
    return "BLOB";
}

std::string keyColumns(const std::vector<int>& ordinals) {
    std::string out;
    for (int o : ordinals)
        out += (out.empty() ? "" : ",") + std::to_string(o);
    return out;
}

std::vector<int> parseKeyColumns(const std::string& text) {
    std::vector<int> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(std::stoi(text.substr(start, end - start)));
        start = end + 1;
    }
    return out;
}

} // namespace

std::string Catalog::q(std::string_view text) const {
    std::string out;
    const std::string_view name = "tsql_catalog_";
    std::size_t at = 0;
    for (std::size_t hit; (hit = text.find(name, at)) != std::string_view::npos; at = hit + name.size())
        out.append(text.substr(at, hit - at)).append(schema_).append(".").append(name);
    return out.append(text.substr(at));
}

Catalog::Catalog(sqlite3* db, bool temporary) : db_(db), schema_(temporary ? "temp" : "main") {
    // Only a new database is written to here, so that opening a catalog never waits for a writer.
    SqliteStatement exists(db_,
                           "SELECT 1 FROM " + schema_ + ".sqlite_master WHERE name = 'tsql_catalog_modules'");
    if (exists.step())
        return;
    run(db_, q("CREATE TABLE IF NOT EXISTS tsql_catalog_tables(id INTEGER PRIMARY KEY, name TEXT NOT NULL "
               "COLLATE " +
               std::string(Collation::kSqliteName) + " UNIQUE, identity_last INTEGER)"));
    run(db_,
        q("CREATE TABLE IF NOT EXISTS tsql_catalog_columns(table_id INTEGER, ordinal INTEGER, name TEXT, "
          "type_id INTEGER, length INTEGER, precision INTEGER, scale INTEGER, nullable INTEGER, "
          "identity_seed INTEGER, identity_increment INTEGER, default_text TEXT, PRIMARY KEY(table_id, "
          "ordinal))"));
    run(db_,
        q("CREATE TABLE IF NOT EXISTS tsql_catalog_keys(table_id INTEGER, name TEXT, is_primary INTEGER, "
          "columns TEXT)"));
    run(db_,
        q("CREATE TABLE IF NOT EXISTS tsql_catalog_modules(name TEXT NOT NULL COLLATE " +
          std::string(Collation::kSqliteName) + " UNIQUE, type TEXT NOT NULL, definition TEXT NOT NULL)"));
}

std::optional<Catalog::Module> Catalog::findModule(std::string_view name) const {
    SqliteStatement m(db_, q("SELECT name, type, definition FROM tsql_catalog_modules WHERE name = ?1"));
    m.bindText(1, std::string(name));
    if (!m.step())
        return std::nullopt;
    return Module{m.textAt(0), m.textAt(1), m.textAt(2)};
}

void Catalog::createModule(const Module& module) {
    if (find(module.name) || findModule(module.name))
        throw SqlError(2714, 16, 3,
                       "There is already an object named '" + module.name + "' in the database.");
    SqliteStatement m(db_, q("INSERT INTO tsql_catalog_modules VALUES (?1, ?2, ?3)"));
    m.bindText(1, module.name);
    m.bindText(2, module.type);
    m.bindText(3, module.definition);
    m.step();
}

void Catalog::alterModule(const Module& module) {
    SqliteStatement m(db_, q("UPDATE tsql_catalog_modules SET definition = ?2 WHERE name = ?1"));
    m.bindText(1, module.name);
    m.bindText(2, module.definition);
    m.step();
}

void Catalog::dropModule(std::string_view name) {
    SqliteStatement m(db_, q("DELETE FROM tsql_catalog_modules WHERE name = ?1"));
    m.bindText(1, std::string(name));
    m.step();
}

void Catalog::resetIdentity(const TableInfo& table) {
    SqliteStatement u(db_, q("UPDATE tsql_catalog_tables SET identity_last = NULL WHERE id = ?1"));
    u.bindInt(1, table.id);
    u.step();
}

std::optional<TableInfo> Catalog::find(std::string_view name) const {
    SqliteStatement t(db_, q("SELECT id, name FROM tsql_catalog_tables WHERE name = ?1"));
    t.bindText(1, std::string(name));
    if (!t.step())
        return std::nullopt;
    TableInfo info;
    info.id = t.intAt(0);
    info.schema = schema_;
    info.name = t.textAt(1);
    SqliteStatement c(db_, q("SELECT name, type_id, length, precision, scale, nullable, identity_seed, "
                             "identity_increment, default_text FROM tsql_catalog_columns WHERE table_id = ?1 "
                             "ORDER BY ordinal"));
    c.bindInt(1, info.id);
    while (c.step()) {
        ColumnInfo col;
        col.name = c.textAt(0);
        col.type.id = static_cast<TypeId>(c.intAt(1));
        col.type.length = static_cast<std::int32_t>(c.intAt(2));
        col.type.precision = static_cast<std::uint8_t>(c.intAt(3));
        col.type.scale = static_cast<std::uint8_t>(c.intAt(4));
        col.nullable = c.intAt(5) != 0;
        if (!c.isNullAt(6)) {
            col.identitySeed = c.intAt(6);
            col.identityIncrement = c.intAt(7);
        }
        col.defaultExpression = c.textAt(8);
        info.columns.push_back(std::move(col));
    }
    SqliteStatement k(db_, q("SELECT name, is_primary, columns FROM tsql_catalog_keys WHERE table_id = ?1"));
    k.bindInt(1, info.id);
    while (k.step())
        info.keys.push_back({k.textAt(0), k.intAt(1) != 0, parseKeyColumns(k.textAt(2))});
    return info;
}

void Catalog::create(TableInfo table) {
    if (find(table.name) || findModule(table.name))
        throw SqlError(2714, 16, 6, "There is already an object named '" + table.name + "' in the database.");
    SqliteStatement t(db_, q("INSERT INTO tsql_catalog_tables(name) VALUES (?1)"));
    t.bindText(1, table.name);
    t.step();
    table.id = sqlite3_last_insert_rowid(db_);
    table.schema = schema_;
    std::string ddl = "CREATE TABLE " + table.storageName() + "(";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnInfo& col = table.columns[i];
        ddl += (i ? ", " : "") + TableInfo::storageColumn(i) + " " + storageType(col.type);
        SqliteStatement c(
            db_, q("INSERT INTO tsql_catalog_columns VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)"));
        c.bindInt(1, table.id);
        c.bindInt(2, static_cast<std::int64_t>(i));
        c.bindText(3, col.name);
        c.bindInt(4, static_cast<int>(col.type.id));
        c.bindInt(5, col.type.length);
        c.bindInt(6, col.type.precision);
        c.bindInt(7, col.type.scale);
        c.bindInt(8, col.nullable ? 1 : 0);
        if (col.identitySeed) {
            c.bindInt(9, *col.identitySeed);
            c.bindInt(10, *col.identityIncrement);
        }
        c.bindText(11, col.defaultExpression);
        c.step();
    }
    for (const KeyInfo& key : table.keys) {
        ddl += ", UNIQUE(";
        for (std::size_t i = 0; i < key.columns.size(); ++i)
            ddl += (i ? "," : "") + TableInfo::storageColumn(static_cast<std::size_t>(key.columns[i]));
        ddl += ")";
        SqliteStatement k(db_, q("INSERT INTO tsql_catalog_keys VALUES (?1, ?2, ?3, ?4)"));
        k.bindInt(1, table.id);
        k.bindText(2, key.name);
        k.bindInt(3, key.primary ? 1 : 0);
        k.bindText(4, keyColumns(key.columns));
        k.step();
    }
    run(db_, ddl + ")");
}

void Catalog::drop(std::string_view name) {
    const auto table = find(name);
    if (!table)
        throw SqlError(3701, 11, 5,
                       "Cannot drop the table '" + std::string(name) +
                           "', because it does not exist or you do not have permission.");
    for (const char* text : {"DELETE FROM tsql_catalog_tables WHERE id = ?1",
                             "DELETE FROM tsql_catalog_columns WHERE table_id = ?1",
                             "DELETE FROM tsql_catalog_keys WHERE table_id = ?1"}) {
        SqliteStatement s(db_, q(text));
        s.bindInt(1, table->id);
        s.step();
    }
    run(db_, "DROP TABLE " + table->storageName());
}

std::int64_t Catalog::nextIdentity(const TableInfo& table) {
    const ColumnInfo& col = table.columns[*table.identityColumn()];
    SqliteStatement s(db_, q("SELECT identity_last FROM tsql_catalog_tables WHERE id = ?1"));
    s.bindInt(1, table.id);
    s.step();
    const std::int64_t next = s.isNullAt(0) ? *col.identitySeed : s.intAt(0) + *col.identityIncrement;
    SqliteStatement u(db_, q("UPDATE tsql_catalog_tables SET identity_last = ?2 WHERE id = ?1"));
    u.bindInt(1, table.id);
    u.bindInt(2, next);
    u.step();
    taken_[table.id] = next;
    return next;
}

void Catalog::keepTakenIdentities() {
    for (const auto& [id, last] : taken_) {
        SqliteStatement u(db_, q("UPDATE tsql_catalog_tables SET identity_last = ?2 WHERE id = ?1"));
        u.bindInt(1, id);
        u.bindInt(2, last);
        u.step();
    }
    taken_.clear();
}

} // namespace tsql
