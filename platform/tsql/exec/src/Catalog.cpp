#include "Catalog.h"

#include "SqliteStatement.h"
#include "WallClock.h"

#include "tsql/Collation.h"
#include "tsql/SqlError.h"
#include "tsql/SqliteValues.h"

#include <algorithm>
#include <set>

namespace tsql {

namespace {

constexpr int kLayoutVersion = 2;
// The temporary catalog's ids start here so that a session never sees one id in both catalogs.
constexpr std::int64_t kFirstTemporaryId = 1000000001;

void run(sqlite3* db, const std::string& sql) {
    SqliteStatement s(db, sql);
    s.step();
}

std::string joinNumbers(const std::vector<int>& numbers) {
    std::string out;
    for (int n : numbers)
        out += (out.empty() ? "" : ",") + std::to_string(n);
    return out;
}

std::vector<int> splitNumbers(const std::string& text) {
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

// Column ordinals of a table as its column_ids, and back.
std::vector<int> columnIds(const TableInfo& t, const std::vector<int>& ordinals) {
    std::vector<int> out;
    for (int o : ordinals)
        out.push_back(t.columns[static_cast<std::size_t>(o)].columnId);
    return out;
}

std::vector<int> ordinalsOf(const std::vector<ColumnInfo>& columns, const std::vector<int>& ids) {
    std::vector<int> out;
    for (int id : ids)
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].columnId == id)
                out.push_back(static_cast<int>(i));
    return out;
}

const char* typeLetters(ConstraintType t) {
    switch (t) {
    case ConstraintType::PrimaryKey:
        return "PK";
    case ConstraintType::Unique:
        return "UQ";
    case ConstraintType::Check:
        return "C";
    case ConstraintType::ForeignKey:
        return "F";
    case ConstraintType::Default:
        return "D";
    }
    return "C";
}

ConstraintType constraintType(const std::string& letters) {
    if (letters == "PK")
        return ConstraintType::PrimaryKey;
    if (letters == "UQ")
        return ConstraintType::Unique;
    if (letters == "F")
        return ConstraintType::ForeignKey;
    if (letters == "D")
        return ConstraintType::Default;
    return ConstraintType::Check;
}

std::string hex(std::int64_t value, int digits) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string out(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && value; --i, value >>= 4)
        out[static_cast<std::size_t>(i)] = kDigits[value & 0xf];
    return out;
}

// The name the server gives a constraint declared without one: its kind, the start of the table's
// name and, for defaults, checks and foreign keys, of the column's, then the object id in hex.
std::string generatedName(ConstraintType type, const std::string& table, const std::string& column,
                          std::int64_t id) {
    if (type == ConstraintType::PrimaryKey || type == ConstraintType::Unique)
        return std::string(typeLetters(type)) + "__" + table.substr(0, 8) + "__" + hex(id, 16);
    const std::string kind = type == ConstraintType::Default ? "DF"
                             : type == ConstraintType::Check ? "CK"
                                                             : "FK";
    // Table and column share 14 characters: the table takes at least 9 when it has them.
    const std::size_t tableLength =
        std::min(table.size(), std::max<std::size_t>(9, 14 - std::min<std::size_t>(column.size(), 14)));
    std::string out = kind + "__" + table.substr(0, tableLength) + "__";
    if (!column.empty())
        out += column.substr(0, 14 - std::min<std::size_t>(tableLength, 14)) + "__";
    return out + hex(id, 8);
}

[[noreturn]] void nameTaken(std::string_view name) {
    throw SqlError(2714, 16, 6,
                   "There is already an object named '" + std::string(name) + "' in the database.");
}

const char* const kLayout[] = {
    "CREATE TABLE tsql_catalog_objects(id INTEGER PRIMARY KEY, name TEXT NOT NULL COLLATE TSQL_CI_AS "
    "UNIQUE, type TEXT NOT NULL, parent_id INTEGER NOT NULL DEFAULT 0, definition TEXT, is_disabled "
    "INTEGER NOT NULL DEFAULT 0, is_not_trusted INTEGER NOT NULL DEFAULT 0, create_date TEXT NOT NULL, "
    "modify_date TEXT NOT NULL, identity_last INTEGER)",
    "CREATE INDEX tsql_catalog_objects_parent ON tsql_catalog_objects(parent_id)",
    "CREATE TABLE tsql_catalog_columns(object_id INTEGER NOT NULL, column_id INTEGER NOT NULL, ordinal "
    "INTEGER NOT NULL, name TEXT NOT NULL, type_id INTEGER NOT NULL, length INTEGER NOT NULL, precision "
    "INTEGER NOT NULL, scale INTEGER NOT NULL, nullable INTEGER NOT NULL, identity_seed INTEGER, "
    "identity_increment INTEGER, default_id INTEGER, computed_text TEXT, is_persisted INTEGER NOT NULL "
    "DEFAULT 0, PRIMARY KEY(object_id, column_id))",
    "CREATE TABLE tsql_catalog_constraints(id INTEGER PRIMARY KEY, table_id INTEGER NOT NULL, kind TEXT "
    "NOT NULL, columns TEXT NOT NULL, ref_table_id INTEGER, ref_columns TEXT, on_delete INTEGER NOT NULL "
    "DEFAULT 0, on_update INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX tsql_catalog_constraints_table ON tsql_catalog_constraints(table_id)",
    "CREATE INDEX tsql_catalog_constraints_ref ON tsql_catalog_constraints(ref_table_id)",
    "CREATE TABLE tsql_catalog_indexes(object_id INTEGER NOT NULL, index_id INTEGER NOT NULL, name TEXT "
    "NOT NULL, is_unique INTEGER NOT NULL, is_clustered INTEGER NOT NULL, is_primary_key INTEGER NOT NULL, "
    "is_unique_constraint INTEGER NOT NULL, filter_definition TEXT, key_columns TEXT NOT NULL, "
    "included_columns TEXT NOT NULL, is_disabled INTEGER NOT NULL DEFAULT 0, PRIMARY KEY(object_id, "
    "index_id))",
    "CREATE TABLE tsql_catalog_version(version INTEGER)",
};

} // namespace

std::string Catalog::q(std::string_view text) const {
    std::string out;
    const std::string_view name = "tsql_catalog_";
    std::size_t at = 0;
    for (std::size_t hit; (hit = text.find(name, at)) != std::string_view::npos; at = hit + name.size())
        out.append(text.substr(at, hit - at)).append(schema_).append(".").append(name);
    return out.append(text.substr(at));
}

Catalog::Catalog(sqlite3* db, bool temporary)
    : db_(db), schema_(temporary ? "temp" : "main"), firstId_(temporary ? kFirstTemporaryId : 1),
      clock_(wallClock) {
    // Only a new database is written to here, so that opening a catalog never waits for a writer.
    SqliteStatement exists(db_, "SELECT name FROM " + schema_ +
                                    ".sqlite_master WHERE name IN ('tsql_catalog_version', "
                                    "'tsql_catalog_modules', 'tsql_catalog_tables') ORDER BY name DESC");
    if (exists.step()) {
        if (exists.textAt(0) == "tsql_catalog_version") {
            SqliteStatement v(db_, q("SELECT version FROM tsql_catalog_version"));
            if (v.step() && v.intAt(0) == kLayoutVersion)
                return;
        }
        const char* file = sqlite3_db_filename(db_, schema_.c_str());
        throw SqlError(50904, 16, 1,
                       "The database file " + std::string(file && *file ? file : "(in memory)") +
                           " was made by an older version of the engine; create it again.");
    }
    for (const char* sql : kLayout) {
        std::string text = sql;
        // An index takes the schema on its own name: CREATE INDEX temp.x ON table(...).
        if (text.starts_with("CREATE INDEX "))
            run(db_, text.insert(13, schema_ + "."));
        else
            run(db_, q(text));
    }
    run(db_, q("INSERT INTO tsql_catalog_version VALUES (" + std::to_string(kLayoutVersion) + ")"));
}

std::string Catalog::now() const {
    return clock_().toString();
}

std::int64_t Catalog::newId() {
    SqliteStatement s(db_, q("SELECT max(id) FROM tsql_catalog_objects"));
    s.step();
    return s.isNullAt(0) ? firstId_ : s.intAt(0) + 1;
}

std::string Catalog::findObjectById(std::int64_t id) const {
    SqliteStatement o(db_, q("SELECT name FROM tsql_catalog_objects WHERE id = ?1"));
    o.bindInt(1, id);
    return o.step() ? o.textAt(0) : std::string();
}

std::optional<Catalog::Object> Catalog::findObject(std::string_view name) const {
    SqliteStatement o(db_, q("SELECT id, name, type, parent_id, is_disabled FROM tsql_catalog_objects WHERE "
                             "name = ?1"));
    o.bindText(1, std::string(name));
    if (!o.step())
        return std::nullopt;
    return Object{o.intAt(0), o.textAt(1), o.textAt(2), o.intAt(3), o.intAt(4) != 0};
}

void Catalog::requireFreeName(std::string_view name) const {
    if (findObject(name))
        nameTaken(name);
}

std::int64_t Catalog::insertObject(std::string name, const std::string& type, std::int64_t parentId,
                                   const std::string* definition,
                                   const std::function<std::string(std::int64_t)>& generatedName) {
    const std::int64_t id = newId();
    if (name.empty() && generatedName)
        name = generatedName(id);
    requireFreeName(name);
    SqliteStatement o(db_, q("INSERT INTO tsql_catalog_objects(id, name, type, parent_id, definition, "
                             "create_date, modify_date) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?6)"));
    o.bindInt(1, id);
    o.bindText(2, name);
    o.bindText(3, type);
    o.bindInt(4, parentId);
    if (definition)
        o.bindText(5, *definition);
    o.bindText(6, now());
    o.step();
    return id;
}

void Catalog::touch(std::int64_t id) {
    SqliteStatement u(db_, q("UPDATE tsql_catalog_objects SET modify_date = ?2 WHERE id = ?1"));
    u.bindInt(1, id);
    u.bindText(2, now());
    u.step();
}

std::optional<Catalog::Module> Catalog::findModule(std::string_view name) const {
    SqliteStatement m(db_,
                      q("SELECT name, type, definition, parent_id, is_disabled FROM tsql_catalog_objects "
                        "WHERE name = ?1 AND type IN ('V', 'P', 'FN', 'IF', 'TF', 'TR')"));
    m.bindText(1, std::string(name));
    if (!m.step())
        return std::nullopt;
    return Module{m.textAt(0), m.textAt(1), m.textAt(2), m.intAt(3), m.intAt(4) != 0};
}

std::int64_t Catalog::createModule(const Module& module) {
    const std::int64_t id = insertObject(module.name, module.type, module.parentId, &module.definition);
    if (module.disabled)
        setDisabled(id, true);
    return id;
}

std::int64_t Catalog::alterModule(const Module& module) {
    const auto existing = findObject(module.name);
    if (!existing)
        return createModule(module);
    SqliteStatement m(db_,
                      q("UPDATE tsql_catalog_objects SET definition = ?2, modify_date = ?3 WHERE id = ?1"));
    m.bindInt(1, existing->id);
    m.bindText(2, module.definition);
    m.bindText(3, now());
    m.step();
    return existing->id;
}

void Catalog::dropModule(std::string_view name) {
    const auto existing = findObject(name);
    if (!existing)
        return;
    for (const char* text : {"DELETE FROM tsql_catalog_objects WHERE id = ?1",
                             "DELETE FROM tsql_catalog_columns WHERE object_id = ?1"}) {
        SqliteStatement s(db_, q(text));
        s.bindInt(1, existing->id);
        s.step();
    }
}

void Catalog::setDisabled(std::int64_t objectId, bool disabled) {
    SqliteStatement u(db_,
                      q("UPDATE tsql_catalog_objects SET is_disabled = ?2, modify_date = ?3 WHERE id = ?1"));
    u.bindInt(1, objectId);
    u.bindInt(2, disabled ? 1 : 0);
    u.bindText(3, now());
    u.step();
}

std::vector<Catalog::Object> Catalog::triggersOf(std::int64_t tableId) const {
    SqliteStatement s(db_, q("SELECT id, name, type, parent_id, is_disabled FROM tsql_catalog_objects WHERE "
                             "parent_id = ?1 AND type = 'TR' ORDER BY id"));
    s.bindInt(1, tableId);
    std::vector<Object> out;
    while (s.step())
        out.push_back({s.intAt(0), s.textAt(1), s.textAt(2), s.intAt(3), s.intAt(4) != 0});
    return out;
}

void Catalog::setColumns(std::int64_t objectId, const std::vector<ColumnInfo>& columns) {
    writeColumns(objectId, columns);
}

void Catalog::writeColumns(std::int64_t objectId, const std::vector<ColumnInfo>& columns) {
    SqliteStatement d(db_, q("DELETE FROM tsql_catalog_columns WHERE object_id = ?1"));
    d.bindInt(1, objectId);
    d.step();
    SqliteStatement c(db_,
                      q("INSERT INTO tsql_catalog_columns VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                        "?11, ?12, ?13, ?14)"));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnInfo& col = columns[i];
        c.reset();
        c.bindInt(1, objectId);
        c.bindInt(2, col.columnId ? col.columnId : static_cast<int>(i + 1));
        c.bindInt(3, static_cast<std::int64_t>(i));
        c.bindText(4, col.name);
        c.bindInt(5, static_cast<int>(col.type.id));
        c.bindInt(6, col.type.length);
        c.bindInt(7, col.type.precision);
        c.bindInt(8, col.type.scale);
        c.bindInt(9, col.nullable ? 1 : 0);
        c.bind(10, Value::null(DataType::of(TypeId::BigInt)));
        c.bind(11, Value::null(DataType::of(TypeId::BigInt)));
        if (col.identitySeed) {
            c.bindInt(10, *col.identitySeed);
            c.bindInt(11, *col.identityIncrement);
        }
        c.bind(12, Value::null(DataType::of(TypeId::BigInt)));
        if (col.defaultId)
            c.bindInt(12, col.defaultId);
        c.bind(13, Value::null(DataType::nvarchar(DataType::kMax)));
        if (col.isComputed())
            c.bindText(13, col.computedText);
        c.bindInt(14, col.persisted ? 1 : 0);
        c.step();
    }
}

std::optional<TableInfo> Catalog::find(std::string_view name) const {
    SqliteStatement t(db_, q("SELECT id, name FROM tsql_catalog_objects WHERE name = ?1 AND type = 'U'"));
    t.bindText(1, std::string(name));
    if (!t.step())
        return std::nullopt;
    return load(t.intAt(0), t.textAt(1));
}

std::optional<TableInfo> Catalog::findById(std::int64_t id) const {
    SqliteStatement t(db_, q("SELECT id, name FROM tsql_catalog_objects WHERE id = ?1 AND type = 'U'"));
    t.bindInt(1, id);
    if (!t.step())
        return std::nullopt;
    return load(t.intAt(0), t.textAt(1));
}

TableInfo Catalog::load(std::int64_t id, std::string name) const {
    TableInfo info;
    info.id = id;
    info.schema = schema_;
    info.name = std::move(name);
    SqliteStatement c(db_, q("SELECT c.name, c.type_id, c.length, c.precision, c.scale, c.nullable, "
                             "c.identity_seed, c.identity_increment, c.column_id, c.default_id, d.name, "
                             "d.definition, c.computed_text, c.is_persisted FROM tsql_catalog_columns c LEFT "
                             "JOIN tsql_catalog_objects d ON d.id = c.default_id WHERE c.object_id = ?1 "
                             "ORDER BY c.ordinal"));
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
        col.columnId = static_cast<int>(c.intAt(8));
        if (!c.isNullAt(9) && !c.isNullAt(10)) {
            col.defaultId = c.intAt(9);
            col.defaultName = c.textAt(10);
            col.defaultExpression = c.textAt(11);
        }
        if (!c.isNullAt(12))
            col.computedText = c.textAt(12);
        col.persisted = c.intAt(13) != 0;
        info.columns.push_back(std::move(col));
    }
    SqliteStatement i(db_, q("SELECT index_id, name, is_unique, is_clustered, is_primary_key, "
                             "is_unique_constraint, filter_definition, key_columns, included_columns, "
                             "is_disabled FROM tsql_catalog_indexes WHERE object_id = ?1 ORDER BY index_id"));
    i.bindInt(1, info.id);
    while (i.step()) {
        IndexInfo x;
        x.indexId = static_cast<int>(i.intAt(0));
        x.name = i.textAt(1);
        x.unique = i.intAt(2) != 0;
        x.clustered = i.intAt(3) != 0;
        x.primaryKey = i.intAt(4) != 0;
        x.uniqueConstraint = i.intAt(5) != 0;
        if (!i.isNullAt(6))
            x.filter = i.textAt(6);
        x.keyColumns = ordinalsOf(info.columns, splitNumbers(i.textAt(7)));
        x.included = ordinalsOf(info.columns, splitNumbers(i.textAt(8)));
        x.disabled = i.intAt(9) != 0;
        info.indexes.push_back(std::move(x));
    }
    SqliteStatement k(db_,
                      q("SELECT k.id, o.name, k.kind, k.columns, o.definition, k.ref_table_id, "
                        "k.ref_columns, k.on_delete, k.on_update, o.is_disabled, o.is_not_trusted, r.name "
                        "FROM tsql_catalog_constraints k JOIN tsql_catalog_objects o ON o.id = k.id LEFT "
                        "JOIN tsql_catalog_objects r ON r.id = k.ref_table_id WHERE k.table_id = ?1 AND "
                        "k.kind <> 'D' ORDER BY k.id"));
    k.bindInt(1, info.id);
    while (k.step()) {
        ConstraintInfo x;
        x.id = k.intAt(0);
        x.name = k.textAt(1);
        x.type = constraintType(k.textAt(2));
        x.columns = ordinalsOf(info.columns, splitNumbers(k.textAt(3)));
        if (x.type == ConstraintType::Check)
            x.checkText = k.textAt(4);
        if (x.type == ConstraintType::ForeignKey) {
            x.referencedId = k.intAt(5);
            x.referencedTable = k.textAt(11);
            const std::vector<int> ids = splitNumbers(k.textAt(6));
            if (x.referencedId == info.id) {
                x.referencedColumns = ordinalsOf(info.columns, ids);
            } else {
                SqliteStatement r(db_, q("SELECT ordinal FROM tsql_catalog_columns WHERE object_id = ?1 AND "
                                         "column_id = ?2"));
                for (int colId : ids) {
                    r.reset();
                    r.bindInt(1, x.referencedId);
                    r.bindInt(2, colId);
                    if (r.step())
                        x.referencedColumns.push_back(static_cast<int>(r.intAt(0)));
                }
            }
            x.onDelete = static_cast<ReferenceAction>(k.intAt(7));
            x.onUpdate = static_cast<ReferenceAction>(k.intAt(8));
        }
        x.disabled = k.intAt(9) != 0;
        x.notTrusted = k.intAt(10) != 0;
        if (x.type == ConstraintType::PrimaryKey || x.type == ConstraintType::Unique) {
            for (const IndexInfo& index : info.indexes)
                if (index.name == x.name)
                    x.clustered = index.clustered;
            info.keys.push_back({x.name, x.type == ConstraintType::PrimaryKey, x.columns});
        }
        info.constraints.push_back(std::move(x));
    }
    return info;
}

std::string Catalog::storageType(const DataType& t) {
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

std::string Catalog::storageColumns(const TableInfo& table) {
    std::string out = "(";
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        out += (i ? ", " : "") + TableInfo::storageColumn(i) + " " + storageType(table.columns[i].type);
    return out + ")";
}

void Catalog::create(TableInfo& table) {
    table.schema = schema_;
    table.id = insertObject(table.name, "U", 0, nullptr);
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (!table.columns[i].columnId)
            table.columns[i].columnId = static_cast<int>(i + 1);
    run(db_, "CREATE TABLE " + table.storageName() + storageColumns(table));
    store(table);
}

void Catalog::store(TableInfo& table) {
    // Defaults and constraints first: the columns name their defaults' ids.
    writeConstraints(table);
    // A key's index carries the key's name, generated or not.
    for (IndexInfo& index : table.indexes) {
        if (!index.name.empty() || !(index.primaryKey || index.uniqueConstraint))
            continue;
        for (const ConstraintInfo& c : table.constraints) {
            const bool sameKind = (c.type == ConstraintType::PrimaryKey) == index.primaryKey &&
                                  (c.type == ConstraintType::PrimaryKey || c.type == ConstraintType::Unique);
            const bool taken = std::any_of(table.indexes.begin(), table.indexes.end(),
                                           [&](const IndexInfo& other) { return other.name == c.name; });
            if (sameKind && c.columns == index.keyColumns && !taken) {
                index.name = c.name;
                break;
            }
        }
    }
    writeColumns(table.id, table.columns);
    writeIndexes(table);
    syncStorageIndexes(table);
    touch(table.id);
}

void Catalog::writeConstraints(TableInfo& table) {
    std::set<std::int64_t> kept;
    for (const ColumnInfo& col : table.columns)
        if (col.defaultId)
            kept.insert(col.defaultId);
    for (const ConstraintInfo& c : table.constraints)
        if (c.id)
            kept.insert(c.id);
    // Remove the constraints that are gone, before new ones may take their names.
    SqliteStatement old(db_, q("SELECT id FROM tsql_catalog_objects WHERE parent_id = ?1 AND type IN ('PK', "
                               "'UQ', 'C', 'F', 'D')"));
    old.bindInt(1, table.id);
    std::vector<std::int64_t> gone;
    while (old.step())
        if (!kept.count(old.intAt(0)))
            gone.push_back(old.intAt(0));
    for (std::int64_t id : gone) {
        SqliteStatement d(db_, q("DELETE FROM tsql_catalog_objects WHERE id = ?1"));
        d.bindInt(1, id);
        d.step();
    }
    SqliteStatement clear(db_, q("DELETE FROM tsql_catalog_constraints WHERE table_id = ?1"));
    clear.bindInt(1, table.id);
    clear.step();

    const auto record = [&](std::int64_t& id, std::string& name, ConstraintType type,
                            const std::vector<int>& columns, const std::string* definition) {
        if (!id) {
            const std::string column =
                columns.empty() ? "" : table.columns[static_cast<std::size_t>(columns[0])].name;
            id = insertObject(name, typeLetters(type), table.id, definition, [&](std::int64_t newId) {
                return generatedName(type, table.name, column, newId);
            });
            name = findObjectById(id);
            return;
        }
        const auto existing = findObject(name);
        if (existing && existing->id != id)
            nameTaken(name);
        SqliteStatement u(db_, q("UPDATE tsql_catalog_objects SET name = ?2, definition = ?3 WHERE id = ?1"));
        u.bindInt(1, id);
        u.bindText(2, name);
        if (definition)
            u.bindText(3, *definition);
        u.step();
    };
    SqliteStatement k(db_, q("INSERT INTO tsql_catalog_constraints VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"));
    const auto detail = [&](std::int64_t id, ConstraintType type, const std::vector<int>& columns,
                            const ConstraintInfo* fk) {
        k.reset();
        k.bindInt(1, id);
        k.bindInt(2, table.id);
        k.bindText(3, typeLetters(type));
        k.bindText(4, joinNumbers(columnIds(table, columns)));
        k.bind(5, Value::null(DataType::of(TypeId::BigInt)));
        k.bind(6, Value::null(DataType::nvarchar(DataType::kMax)));
        k.bindInt(7, fk ? static_cast<int>(fk->onDelete) : 0);
        k.bindInt(8, fk ? static_cast<int>(fk->onUpdate) : 0);
        if (fk) {
            k.bindInt(5, fk->referencedId);
            std::vector<int> ids;
            if (fk->referencedId == table.id) {
                ids = columnIds(table, fk->referencedColumns);
            } else if (const auto parent = findById(fk->referencedId)) {
                ids = columnIds(*parent, fk->referencedColumns);
            }
            k.bindText(6, joinNumbers(ids));
        }
        k.step();
    };
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        ColumnInfo& col = table.columns[i];
        if (col.defaultExpression.empty()) {
            col.defaultId = 0;
            col.defaultName.clear();
            continue;
        }
        record(col.defaultId, col.defaultName, ConstraintType::Default, {static_cast<int>(i)},
               &col.defaultExpression);
        detail(col.defaultId, ConstraintType::Default, {static_cast<int>(i)}, nullptr);
    }
    for (ConstraintInfo& c : table.constraints) {
        if (c.type == ConstraintType::ForeignKey && c.referencedId == 0)
            c.referencedId = table.id; // a table's own key, referenced before the table had its id
        record(c.id, c.name, c.type, c.columns, c.type == ConstraintType::Check ? &c.checkText : nullptr);
        SqliteStatement f(db_,
                          q("UPDATE tsql_catalog_objects SET is_disabled = ?2, is_not_trusted = ?3 WHERE "
                            "id = ?1"));
        f.bindInt(1, c.id);
        f.bindInt(2, c.disabled ? 1 : 0);
        f.bindInt(3, c.notTrusted ? 1 : 0);
        f.step();
        detail(c.id, c.type, c.columns, c.type == ConstraintType::ForeignKey ? &c : nullptr);
    }
}

void Catalog::writeIndexes(const TableInfo& table) {
    SqliteStatement d(db_, q("DELETE FROM tsql_catalog_indexes WHERE object_id = ?1"));
    d.bindInt(1, table.id);
    d.step();
    SqliteStatement x(db_,
                      q("INSERT INTO tsql_catalog_indexes VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                        "?11)"));
    for (const IndexInfo& index : table.indexes) {
        x.reset();
        x.bindInt(1, table.id);
        x.bindInt(2, index.indexId);
        x.bindText(3, index.name);
        x.bindInt(4, index.unique ? 1 : 0);
        x.bindInt(5, index.clustered ? 1 : 0);
        x.bindInt(6, index.primaryKey ? 1 : 0);
        x.bindInt(7, index.uniqueConstraint ? 1 : 0);
        x.bind(8, Value::null(DataType::nvarchar(DataType::kMax)));
        if (!index.filter.empty())
            x.bindText(8, index.filter);
        x.bindText(9, joinNumbers(columnIds(table, index.keyColumns)));
        x.bindText(10, joinNumbers(columnIds(table, index.included)));
        x.bindInt(11, index.disabled ? 1 : 0);
        x.step();
    }
}

// Each unique index is kept by a SQLite unique index over the same storage columns, which also
// serves lookups; the other indexes get one for speed. A filtered index's rows are not chosen by
// the storage, so it gets none. Their names are made of ids only: tsql_i<table>_<index>.
void Catalog::syncStorageIndexes(const TableInfo& table) {
    const std::string prefix = "tsql_i" + std::to_string(table.id) + "_";
    std::map<std::string, std::string> wanted; // storage index name -> its CREATE statement
    for (const IndexInfo& index : table.indexes) {
        if (!index.filter.empty() || index.disabled)
            continue;
        std::string columns;
        for (int o : index.keyColumns)
            columns += (columns.empty() ? "" : ", ") + TableInfo::storageColumn(static_cast<std::size_t>(o));
        const std::string name = prefix + std::to_string(index.indexId);
        wanted[name] = std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX " + schema_ + "." +
                       name + " ON tsql_t" + std::to_string(table.id) + "(" + columns + ")";
    }
    // The referencing columns of a foreign key, so that a key removed from the referenced table is
    // looked up in this one without a scan.
    for (const ConstraintInfo& c : table.constraints) {
        if (c.type != ConstraintType::ForeignKey || !c.id)
            continue;
        std::string columns;
        for (int o : c.columns)
            columns += (columns.empty() ? "" : ", ") + TableInfo::storageColumn(static_cast<std::size_t>(o));
        const std::string name = prefix + "f" + std::to_string(c.id);
        wanted[name] = "CREATE INDEX " + schema_ + "." + name + " ON tsql_t" + std::to_string(table.id) +
                       "(" + columns + ")";
    }
    SqliteStatement s(db_, "SELECT name, sql FROM " + schema_ +
                               ".sqlite_master WHERE type = 'index' AND "
                               "tbl_name = ?1");
    s.bindText(1, "tsql_t" + std::to_string(table.id));
    std::map<std::string, std::string> present;
    while (s.step())
        if (!s.isNullAt(1))
            present[s.textAt(0)] = s.textAt(1);
    // SQLite may keep the statement without the schema on the index's name: compare without it.
    const auto same = [&](std::string a, std::string b) {
        for (std::string* s : {&a, &b})
            if (const auto at = s->find(schema_ + "."); at != std::string::npos)
                s->erase(at, schema_.size() + 1);
        return a == b;
    };
    for (const auto& [name, sql] : present) {
        const auto w = wanted.find(name);
        if (!name.starts_with(prefix) || (w != wanted.end() && same(w->second, sql)))
            continue;
        run(db_, "DROP INDEX " + schema_ + "." + name);
    }
    for (const auto& [name, sql] : wanted) {
        const auto p = present.find(name);
        if (p == present.end() || !same(p->second, sql))
            run(db_, sql);
    }
}

std::vector<Catalog::Reference> Catalog::referencesTo(std::int64_t tableId) const {
    SqliteStatement s(db_,
                      q("SELECT o.name, t.name FROM tsql_catalog_constraints k JOIN tsql_catalog_objects o "
                        "ON o.id = k.id JOIN tsql_catalog_objects t ON t.id = k.table_id WHERE "
                        "k.ref_table_id = ?1 AND k.table_id <> ?1 AND k.kind = 'F' ORDER BY k.id"));
    s.bindInt(1, tableId);
    std::vector<Reference> out;
    while (s.step())
        out.push_back({s.textAt(0), s.textAt(1)});
    return out;
}

std::vector<TableInfo> Catalog::referencingTables(std::int64_t tableId) const {
    SqliteStatement s(db_, q("SELECT DISTINCT table_id FROM tsql_catalog_constraints WHERE ref_table_id = ?1 "
                             "AND kind = 'F' ORDER BY table_id"));
    s.bindInt(1, tableId);
    std::vector<std::int64_t> ids;
    while (s.step())
        ids.push_back(s.intAt(0));
    std::vector<TableInfo> out;
    for (std::int64_t id : ids)
        if (auto t = findById(id))
            out.push_back(std::move(*t));
    return out;
}

void Catalog::drop(std::string_view name) {
    const auto table = find(name);
    if (!table)
        throw SqlError(3701, 11, 5,
                       "Cannot drop the table '" + std::string(name) +
                           "', because it does not exist or you do not have permission.");
    const auto references = referencesTo(table->id);
    if (!references.empty())
        throw SqlError(3726, 16, 1,
                       "Could not drop object '" + std::string(schema_ == "temp" ? "" : "dbo.") +
                           table->name + "' because it is referenced by a FOREIGN KEY constraint.");
    for (const char* text : {"DELETE FROM tsql_catalog_objects WHERE id = ?1 OR parent_id = ?1",
                             "DELETE FROM tsql_catalog_columns WHERE object_id = ?1",
                             "DELETE FROM tsql_catalog_constraints WHERE table_id = ?1",
                             "DELETE FROM tsql_catalog_indexes WHERE object_id = ?1"}) {
        SqliteStatement s(db_, q(text));
        s.bindInt(1, table->id);
        s.step();
    }
    run(db_, "DROP TABLE " + table->storageName());
}

void Catalog::resetIdentity(const TableInfo& table) {
    setLastIdentity(table.id, std::nullopt);
}

std::optional<std::int64_t> Catalog::lastIdentity(std::int64_t tableId) const {
    SqliteStatement s(db_, q("SELECT identity_last FROM tsql_catalog_objects WHERE id = ?1"));
    s.bindInt(1, tableId);
    if (!s.step() || s.isNullAt(0))
        return std::nullopt;
    return s.intAt(0);
}

void Catalog::setLastIdentity(std::int64_t tableId, std::optional<std::int64_t> last) {
    SqliteStatement u(db_, q("UPDATE tsql_catalog_objects SET identity_last = ?2 WHERE id = ?1"));
    u.bindInt(1, tableId);
    u.bind(2, Value::null(DataType::of(TypeId::BigInt)));
    if (last)
        u.bindInt(2, *last);
    u.step();
}

std::int64_t Catalog::nextIdentity(const TableInfo& table) {
    const ColumnInfo& col = table.columns[*table.identityColumn()];
    const auto last = lastIdentity(table.id);
    const std::int64_t next = last ? *last + *col.identityIncrement : *col.identitySeed;
    setLastIdentity(table.id, next);
    taken_[table.id] = next;
    return next;
}

void Catalog::keepTakenIdentities() {
    for (const auto& [id, last] : taken_)
        setLastIdentity(id, last);
    taken_.clear();
}

} // namespace tsql
