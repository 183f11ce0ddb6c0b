#include "MetadataFunctions.h"

#include "ServerTypes.h"
#include "SqliteStatement.h"

#include "tsql/binder/Names.h"
#include "tsql/codegen/RuntimeFunctions.h"

#include <map>
#include <memory>
#include <mutex>

namespace tsql {

namespace {

constexpr std::int64_t kFirstTemporaryId = 1000000001; // the temporary catalog's ids start here
constexpr int kDatabaseId = 5;
constexpr int kTempdbId = 2;
const char* const kDatabaseName = "PROVOZMAT";

// Statements prepared once per connection and text; a statement is reset after each use.
class StatementCache {
public:
    SqliteStatement& get(sqlite3* db, const std::string& sql) {
        std::lock_guard lock(mutex_);
        auto& slot = statements_[db][sql];
        if (!slot)
            slot = std::make_unique<SqliteStatement>(db, sql);
        return *slot;
    }
    void release(sqlite3* db) {
        std::lock_guard lock(mutex_);
        statements_.erase(db);
    }

private:
    std::mutex mutex_;
    std::map<sqlite3*, std::map<std::string, std::unique_ptr<SqliteStatement>>> statements_;
};

StatementCache& cache() {
    static StatementCache c;
    return c;
}

// A query of the catalog in the main or temp schema, bound to integers and texts.
class Query {
public:
    Query(sqlite3* db, const std::string& schema, const std::string& text)
        : s_(cache().get(db, qualify(schema, text))) {}
    ~Query() { s_.reset(); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(int index, std::int64_t v) {
        s_.bindInt(index, v);
        return *this;
    }
    Query& bind(int index, const std::string& v) {
        s_.bindText(index, v);
        return *this;
    }
    bool row() { return s_.step(); }
    SqliteStatement& at() { return s_; }

private:
    // "tsql_catalog_" names are qualified with the schema.
    static std::string qualify(const std::string& schema, const std::string& text) {
        std::string out;
        const std::string name = "tsql_catalog_";
        std::size_t at = 0;
        for (std::size_t hit; (hit = text.find(name, at)) != std::string::npos; at = hit + name.size())
            out.append(text, at, hit - at).append(schema).append(".").append(name);
        return out.append(text, at);
    }
    SqliteStatement& s_;
};

std::string schemaOfId(std::int64_t id) {
    return id >= kFirstTemporaryId ? "temp" : "main";
}

// The parts of a multi-part name as written ("tempdb..#x", "[dbo].[T a]", "dbo.t"), unquoted.
std::vector<std::string> nameParts(const std::string& text) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '[' || c == '"') {
            const char close = c == '[' ? ']' : '"';
            for (++i; i < text.size(); ++i) {
                if (text[i] == close && i + 1 < text.size() && text[i + 1] == close) {
                    parts.back() += close;
                    ++i;
                } else if (text[i] == close) {
                    break;
                } else {
                    parts.back() += text[i];
                }
            }
        } else if (c == '.') {
            parts.emplace_back();
        } else if (c != ' ' || !parts.back().empty()) {
            parts.back() += c;
        }
    }
    for (auto& p : parts)
        while (!p.empty() && p.back() == ' ')
            p.pop_back();
    return parts;
}

struct ObjectRow {
    std::int64_t id;
    std::string type;
    std::int64_t parentId;
    bool disabled, notTrusted;
};

std::optional<ObjectRow> objectById(sqlite3* db, std::int64_t id) {
    Query q(
        db, schemaOfId(id),
        "SELECT id, type, parent_id, is_disabled, is_not_trusted FROM tsql_catalog_objects WHERE id = ?1");
    if (!q.bind(1, id).row())
        return std::nullopt;
    auto& s = q.at();
    return ObjectRow{s.intAt(0), s.textAt(1), s.intAt(2), s.intAt(3) != 0, s.intAt(4) != 0};
}

// The object a name denotes: one part, dbo.name, db.dbo.name or db..name of this database, and
// #names (also as tempdb..#name) in the temporary catalog.
std::optional<ObjectRow> objectByName(sqlite3* db, const std::string& text) {
    const auto parts = nameParts(text);
    if (parts.size() > 3 || parts.back().empty())
        return std::nullopt;
    const std::string& name = parts.back();
    const std::string schema = parts.size() >= 2 ? foldName(parts[parts.size() - 2]) : "";
    const std::string database = parts.size() == 3 ? foldName(parts[0]) : "";
    if (!schema.empty() && schema != "DBO")
        return std::nullopt;
    const bool temporary = name.starts_with('#');
    if (!database.empty() && database != (temporary ? "TEMPDB" : kDatabaseName))
        return std::nullopt;
    Query q(db, temporary ? "temp" : "main",
            "SELECT id FROM tsql_catalog_objects WHERE name = ?1 COLLATE TSQL_CI_AS");
    if (!q.bind(1, name).row())
        return std::nullopt;
    return objectById(db, q.at().intAt(0));
}

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

struct ColumnRow {
    std::int64_t columnId;
    std::string name;
    DataType type;
    bool nullable, identity, computed;
};

std::optional<ColumnRow> column(sqlite3* db, std::int64_t objectId, const std::string* name,
                                std::int64_t columnId) {
    const std::string select =
        "SELECT column_id, name, type_id, length, precision, scale, nullable, "
        "identity_seed IS NOT NULL, computed_text IS NOT NULL FROM tsql_catalog_columns ";
    Query q(db, schemaOfId(objectId),
            select + (name ? "WHERE object_id = ?1 AND name = ?2 COLLATE TSQL_CI_AS"
                           : "WHERE object_id = ?1 AND column_id = ?3"));
    q.bind(1, objectId);
    if (name)
        q.bind(2, *name);
    else
        q.bind(3, columnId);
    if (!q.row())
        return std::nullopt;
    auto& s = q.at();
    DataType t;
    t.id = static_cast<TypeId>(s.intAt(2));
    t.length = static_cast<std::int32_t>(s.intAt(3));
    t.precision = static_cast<std::uint8_t>(s.intAt(4));
    t.scale = static_cast<std::uint8_t>(s.intAt(5));
    return ColumnRow{s.intAt(0), s.textAt(1), t, s.intAt(6) != 0, s.intAt(7) != 0, s.intAt(8) != 0};
}

std::optional<int> columnProperty(const ColumnRow& c, const std::string& property) {
    const ColumnFacts f = columnFacts(c.type);
    if (property == "ALLOWSNULL")
        return c.nullable;
    if (property == "COLUMNID")
        return static_cast<int>(c.columnId);
    if (property == "ISCOMPUTED")
        return c.computed;
    if (property == "ISIDENTITY")
        return c.identity;
    if (property == "PRECISION")
        return f.legacyPrecision;
    if (property == "SCALE")
        return f.legacyScale;
    if (property == "ISDETERMINISTIC" || property == "ISPRECISE")
        return c.computed ? std::optional<int>(property == "ISDETERMINISTIC" || !c.type.isApproximate())
                          : std::nullopt;
    if (property == "ISROWGUIDCOL" || property == "ISIDNOTFORREPL" || property == "ISFULLTEXTINDEXED" ||
        property == "ISSPARSE" || property == "ISCOLUMNSET" || property == "ISXMLINDEXABLE" ||
        property == "ISOUTPARAM")
        return 0;
    return std::nullopt;
}

bool tableHas(sqlite3* db, std::int64_t tableId, const char* condition) {
    Query q(db, schemaOfId(tableId),
            std::string("SELECT 1 FROM tsql_catalog_objects WHERE parent_id = ?1 AND ") + condition);
    return q.bind(1, tableId).row();
}

std::optional<int> objectProperty(sqlite3* db, const ObjectRow& o, const std::string& property) {
    const std::string& t = o.type;
    const bool constraint = t == "C" || t == "D" || t == "F" || t == "PK" || t == "UQ";
    static const std::map<std::string, std::vector<std::string>, std::less<>> kinds = {
        {"ISTABLE", {"U"}},
        {"ISUSERTABLE", {"U"}},
        {"ISVIEW", {"V"}},
        {"ISPROCEDURE", {"P"}},
        {"ISSCALARFUNCTION", {"FN"}},
        {"ISINLINEFUNCTION", {"IF"}},
        {"ISTABLEFUNCTION", {"TF"}},
        {"ISTRIGGER", {"TR"}},
        {"ISPRIMARYKEY", {"PK"}},
        {"ISFOREIGNKEY", {"F"}},
        {"ISCHECKCNST", {"C"}},
        {"ISDEFAULTCNST", {"D"}},
        {"ISUNIQUECNST", {"UQ"}},
        {"ISDEFAULT", {}},
        {"ISRULE", {}},
        {"ISSYSTEMTABLE", {}},
        {"ISMSSHIPPED", {}},
    };
    if (auto k = kinds.find(property); k != kinds.end()) {
        for (const auto& kind : k->second)
            if (kind == t)
                return 1;
        return 0;
    }
    if (property == "ISCONSTRAINT")
        return constraint;
    if (property == "OWNERID" || property == "SCHEMAID")
        return 1;
    if (property == "CNSTISDISABLED" || property == "CNSTISNOTTRUSTED" || property == "CNSTISNOTREPL") {
        if (!constraint)
            return std::nullopt;
        if (t != "C" && t != "F")
            return 0;
        return property == "CNSTISDISABLED"     ? o.disabled
               : property == "CNSTISNOTTRUSTED" ? o.notTrusted
                                                : false;
    }
    if (property.starts_with("EXECIS") && t == "TR") {
        if (property == "EXECISTRIGGERDISABLED")
            return o.disabled;
        if (property == "EXECISAFTERTRIGGER" || property == "EXECISUPDATETRIGGER" ||
            property == "EXECISINSERTTRIGGER" || property == "EXECISDELETETRIGGER")
            return std::nullopt; // the trigger's events are not recorded
        if (property == "EXECISINSTEADOFTRIGGER")
            return 0;
    }
    if (property.starts_with("TABLEHAS") && t == "U") {
        if (property == "TABLEHASIDENTITY") {
            Query q(db, schemaOfId(o.id),
                    "SELECT 1 FROM tsql_catalog_columns WHERE object_id = ?1 AND identity_seed IS NOT NULL");
            return q.bind(1, o.id).row();
        }
        static const std::map<std::string, const char*, std::less<>> children = {
            {"TABLEHASPRIMARYKEY", "type = 'PK'"}, {"TABLEHASUNIQUECNST", "type = 'UQ'"},
            {"TABLEHASFOREIGNKEY", "type = 'F'"},  {"TABLEHASCHECKCNST", "type = 'C'"},
            {"TABLEHASDEFAULTCNST", "type = 'D'"}, {"TABLEHASTRIGGER", "type = 'TR'"},
        };
        if (auto c = children.find(property); c != children.end())
            return tableHas(db, o.id, c->second);
        if (property == "TABLEHASCLUSTINDEX" || property == "TABLEHASINDEX") {
            Query q(db, schemaOfId(o.id),
                    std::string("SELECT 1 FROM tsql_catalog_indexes WHERE object_id = ?1") +
                        (property == "TABLEHASCLUSTINDEX" ? " AND index_id = 1" : ""));
            return q.bind(1, o.id).row();
        }
    }
    return std::nullopt;
}

std::optional<int> indexProperty(sqlite3* db, std::int64_t objectId, const std::string& name,
                                 const std::string& property) {
    Query q(db, schemaOfId(objectId),
            "SELECT index_id, is_clustered, is_unique, is_disabled FROM tsql_catalog_indexes WHERE object_id "
            "= ?1 "
            "AND name = ?2 COLLATE TSQL_CI_AS");
    if (!q.bind(1, objectId).bind(2, name).row())
        return std::nullopt;
    auto& s = q.at();
    if (property == "INDEXID")
        return static_cast<int>(s.intAt(0));
    if (property == "ISCLUSTERED")
        return s.intAt(1) != 0;
    if (property == "ISUNIQUE")
        return s.intAt(2) != 0;
    if (property == "ISDISABLED")
        return s.intAt(3) != 0;
    if (property == "ISSTATISTICS" || property == "ISAUTOSTATISTICS" || property == "ISHYPOTHETICAL" ||
        property == "ISFULLTEXTKEY" || property == "ISPADINDEX" || property == "ISPAGELOCKDISALLOWED" ||
        property == "ISROWLOCKDISALLOWED" || property == "INDEXFILLFACTOR")
        return 0;
    return std::nullopt;
}

// The n-th (1-based) key column of an index.
std::optional<std::string> indexColumn(sqlite3* db, std::int64_t objectId, std::int64_t indexId,
                                       std::int64_t key) {
    Query q(db, schemaOfId(objectId),
            "SELECT c.name FROM tsql_catalog_indexes AS i JOIN tsql_catalog_columns AS c ON c.object_id = "
            "i.object_id AND c.column_id = tsql_list_item(i.key_columns, ?3) WHERE i.object_id = ?1 AND "
            "i.index_id = ?2");
    if (!q.bind(1, objectId).bind(2, indexId).bind(3, key).row())
        return std::nullopt;
    return q.at().textAt(0);
}

std::optional<std::string> objectText(sqlite3* db, std::int64_t id, const char* column) {
    Query q(db, schemaOfId(id), std::string("SELECT ") + column + " FROM tsql_catalog_objects WHERE id = ?1");
    if (!q.bind(1, id).row() || q.at().isNullAt(0))
        return std::nullopt;
    return q.at().textAt(0);
}

const std::map<std::string, int, std::less<>>& schemas() {
    static const std::map<std::string, int, std::less<>> s = {
        {"dbo", 1}, {"guest", 2}, {"INFORMATION_SCHEMA", 3}, {"sys", 4}};
    return s;
}

Value text(const std::optional<std::string>& v, const DataType& type) {
    return v ? Value::text(*v, type) : Value::null(type);
}

Value integer(const std::optional<int>& v, const DataType& type) {
    return v ? Value::integer(*v, type.id) : Value::null(type);
}

} // namespace

Value callMetadata(sqlite3* db, BuiltinId id, const DataType& result, const std::vector<Value>& args) {
    const auto present = [&](std::size_t i) { return i < args.size() && !args[i].isNull(); };
    const auto textArg = [&](std::size_t i) { return args[i].asText(); };
    const auto intArg = [&](std::size_t i) { return args[i].asInt64(); };
    const auto upper = [&](std::size_t i) { return foldName(args[i].asText()); };
    // Functions with no or optional arguments first; the others give NULL for a NULL argument.
    switch (id) {
    case BuiltinId::SchemaName: {
        if (!present(0))
            return args.empty() ? Value::text("dbo", result) : Value::null(result);
        for (const auto& [name, schemaId] : schemas())
            if (schemaId == intArg(0))
                return Value::text(name, result);
        return Value::null(result);
    }
    case BuiltinId::SchemaId: {
        if (!present(0))
            return args.empty() ? Value::integer(1) : Value::null(result);
        for (const auto& [name, schemaId] : schemas())
            if (foldName(name) == upper(0))
                return Value::integer(schemaId);
        return Value::null(result);
    }
    case BuiltinId::DbId: {
        if (!present(0))
            return args.empty() ? Value::integer(kDatabaseId) : Value::null(result);
        static const std::map<std::string, int, std::less<>> databases = {
            {"MASTER", 1}, {"TEMPDB", kTempdbId}, {"MODEL", 3}, {"MSDB", 4}, {kDatabaseName, kDatabaseId}};
        const auto d = databases.find(upper(0));
        return d == databases.end() ? Value::null(result) : Value::integer(d->second);
    }
    default:
        break;
    }
    for (std::size_t i = 0; i < args.size(); ++i)
        if (!present(i) && !(id == BuiltinId::ObjectId && i == 1))
            return Value::null(result);
    switch (id) {
    case BuiltinId::ObjectId: {
        const auto o = objectByName(db, textArg(0));
        if (!o || (present(1) && foldName(trimmed(textArg(1))) != foldName(o->type)))
            return Value::null(result);
        return Value::integer(o->id);
    }
    case BuiltinId::ObjectName: {
        if (present(1) && intArg(1) != kDatabaseId && intArg(1) != kTempdbId)
            return Value::null(result);
        const std::int64_t objectId = intArg(0);
        if ((schemaOfId(objectId) == "temp") != (present(1) && intArg(1) == kTempdbId))
            return Value::null(result);
        return text(objectText(db, objectId, "name"), result);
    }
    case BuiltinId::ObjectDefinition: {
        const auto o = objectById(db, intArg(0));
        return o ? text(objectText(db, o->id, "definition"), result) : Value::null(result);
    }
    case BuiltinId::ColName: {
        const auto c = column(db, intArg(0), nullptr, intArg(1));
        return c ? Value::text(c->name, result) : Value::null(result);
    }
    case BuiltinId::ColLength: {
        const auto o = objectByName(db, textArg(0));
        const std::string name = textArg(1);
        const auto c = o ? column(db, o->id, &name, 0) : std::nullopt;
        return c ? Value::integer(columnFacts(c->type).maxLength, TypeId::SmallInt) : Value::null(result);
    }
    case BuiltinId::ColumnProperty: {
        const std::string name = textArg(1);
        const auto c = column(db, intArg(0), &name, 0);
        return c ? integer(columnProperty(*c, upper(2)), result) : Value::null(result);
    }
    case BuiltinId::ObjectProperty: {
        const auto o = objectById(db, intArg(0));
        return o ? integer(objectProperty(db, *o, upper(1)), result) : Value::null(result);
    }
    case BuiltinId::IndexProperty:
        return integer(indexProperty(db, intArg(0), textArg(1), upper(2)), result);
    case BuiltinId::IndexCol: {
        const auto o = objectByName(db, textArg(0));
        return o ? text(indexColumn(db, o->id, intArg(1), intArg(2)), result) : Value::null(result);
    }
    case BuiltinId::TypeName: {
        const ServerType* t = serverTypeById(static_cast<int>(intArg(0)));
        return t ? Value::text(std::string(t->name), result) : Value::null(result);
    }
    case BuiltinId::TypeIdOf: {
        const auto parts = nameParts(textArg(0));
        const ServerType* t = parts.size() <= 2 ? serverTypeByName(parts.back()) : nullptr;
        return t ? Value::integer(t->userTypeId) : Value::null(result);
    }
    default:
        break;
    }
    return Value::null(result);
}

void registerMetadataFunctions(sqlite3* db) {
    // Made before the first database is open, the cache outlives every database, static ones too.
    cache();
    registerMetadataFunction(db, &callMetadata);
}

void releaseMetadataStatements(sqlite3* db) {
    cache().release(db);
}

} // namespace tsql
