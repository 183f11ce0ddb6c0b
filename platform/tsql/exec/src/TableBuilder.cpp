#include "TableBuilder.h"

#include "RowExpressions.h"
#include "ServerText.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"

#include <algorithm>
#include <charconv>

namespace tsql {

namespace {

// An IDENTITY seed or increment as written; it must fit the column's type.
std::int64_t identityNumber(const std::string& text, const DataType& type) {
    std::int64_t v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data() + (text.starts_with('+') ? 1 : 0), end, v);
    if (ec != std::errc() || ptr != end)
        throw SqlError(8115, 16, 1,
                       "Arithmetic overflow error converting IDENTITY to data type " +
                           std::string(type.name()) + ".");
    convert(Value::integer(v, TypeId::BigInt), type, ConversionMode::Store);
    return v;
}

std::string qualified(const TableInfo& t) {
    return (t.schema == "temp" ? "" : "dbo.") + t.name;
}

ReferenceAction actionOf(ReferentialAction a) {
    switch (a) {
    case ReferentialAction::Cascade:
        return ReferenceAction::Cascade;
    case ReferentialAction::SetNull:
        return ReferenceAction::SetNull;
    case ReferentialAction::SetDefault:
        return ReferenceAction::SetDefault;
    case ReferentialAction::NoAction:
        break;
    }
    return ReferenceAction::NoAction;
}

bool sameColumnSet(std::vector<int> a, std::vector<int> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

} // namespace

std::string objectName(const ObjectName& name) {
    const auto& p = name.parts;
    if (p.size() == 1)
        return p[0].name;
    if (p.size() == 2 && foldName(p[0].name) == "DBO")
        return p[1].name;
    if (p.size() == 3 && foldName(p[0].name) == "TEMPDB" && p[2].name.starts_with('#'))
        return p[2].name;
    refuse("names with a database or a schema other than dbo (" + name.toString() + ")");
}

std::string TableBuilder::displayName(const ConstraintInfo& c, const TableInfo& t) {
    if (!c.name.empty())
        return c.name;
    const char* kind = c.type == ConstraintType::PrimaryKey ? "PK"
                       : c.type == ConstraintType::Unique   ? "UQ"
                       : c.type == ConstraintType::Check    ? "CK"
                                                            : "FK";
    return std::string(kind) + "__" + t.name;
}

void TableBuilder::addColumn(const ColumnDefinition& d) {
    TableInfo& t = table_;
    if (t.findColumn(d.name.name))
        throw SqlError(2705, 16, 3,
                       "Column names in each table must be unique. Column name '" + d.name.name +
                           "' in table '" + t.name + "' is specified more than once.");
    ColumnInfo c;
    c.name = d.name.name;
    int lastId = 0;
    for (const ColumnInfo& other : t.columns)
        lastId = std::max(lastId, other.columnId);
    c.columnId = lastId + 1;
    if (d.computed) {
        c.computedText = serverText(*d.computed);
        c.persisted = d.persisted;
        c.type = DataType::of(TypeId::Int); // until deriveComputed()
        t.columns.push_back(std::move(c));
        return;
    }
    c.type = resolveType(*d.type, LengthDefault::Declaration);
    c.nullable = d.nullable.value_or(!d.identity);
    if (d.identity) {
        if (t.identityColumn())
            throw SqlError(2744, 16, 2,
                           "Multiple identity columns specified for table '" + t.name +
                               "'. Only one identity column per table is allowed.");
        if ((!c.type.isInteger() && !(c.type.isDecimal() && c.type.scale == 0)) || d.nullable.value_or(false))
            throw SqlError(
                2749, 16, 2,
                "Identity column '" + c.name +
                    "' must be of data type int, bigint, smallint, tinyint, or decimal or numeric with a "
                    "scale of 0, and constrained to be nonnullable.");
        c.identitySeed = identityNumber(d.identity->seed, c.type);
        c.identityIncrement = identityNumber(d.identity->increment, c.type);
    }
    if (d.defaultValue) {
        if (d.identity)
            throw SqlError(1754, 16, 0,
                           "Defaults cannot be created on columns with an IDENTITY attribute. Table '" +
                               t.name + "', column '" + c.name + "'.");
        c.defaultExpression = serverText(*d.defaultValue->value);
        if (d.defaultValue->name)
            c.defaultName = d.defaultValue->name->name;
        VariableScope none;
        Binder(catalog_, none).defaultValue(c); // the default must bind on its own now
    }
    t.columns.push_back(std::move(c));
}

void TableBuilder::deriveComputed() {
    TableInfo& t = table_;
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        ColumnInfo& c = t.columns[i];
        if (!c.isComputed())
            continue;
        const RowExpression e(catalog_, t, c.computedText, false);
        for (int used : e.columns())
            if (t.columns[static_cast<std::size_t>(used)].isComputed())
                throw SqlError(1759, 16, 0,
                               "Computed column '" + t.columns[static_cast<std::size_t>(used)].name +
                                   "' in table '" + t.name +
                                   "' is not allowed to be used in another computed-column definition.");
        c.type = e.type();
        c.nullable = true;
    }
}

std::vector<int> TableBuilder::ordinals(const std::vector<KeyColumn>& columns) const {
    std::vector<int> out;
    for (const auto& c : columns) {
        auto i = table_.findColumn(c.name.name);
        if (!i)
            throw SqlError(1911, 16, 1,
                           "Column name '" + c.name.name + "' does not exist in the target table or view.");
        if (std::find(out.begin(), out.end(), static_cast<int>(*i)) != out.end())
            throw SqlError(1909, 16, 1,
                           "Cannot use duplicate column names in index. Column name '" + c.name.name +
                               "' listed more than once.");
        out.push_back(static_cast<int>(*i));
    }
    return out;
}

void TableBuilder::addConstraint(const TableConstraint& c, std::optional<std::size_t> column,
                                 bool clusteredElsewhere) {
    switch (c.kind) {
    case ConstraintKind::PrimaryKey:
    case ConstraintKind::Unique:
        addKey(c,
               c.columns.empty() && column ? std::vector<int>{static_cast<int>(*column)}
                                           : ordinals(c.columns),
               clusteredElsewhere);
        return;
    case ConstraintKind::Check:
        addCheck(c, column);
        return;
    case ConstraintKind::ForeignKey:
        addForeignKey(c, c.columns.empty() && column ? std::vector<int>{static_cast<int>(*column)}
                                                     : ordinals(c.columns));
        return;
    case ConstraintKind::Default:
        addDefault(c, column);
        return;
    }
}

void TableBuilder::addKey(const TableConstraint& c, std::vector<int> columns, bool clusteredElsewhere) {
    TableInfo& t = table_;
    const bool primary = c.kind == ConstraintKind::PrimaryKey;
    if (primary)
        for (const ConstraintInfo& k : t.constraints)
            if (k.type == ConstraintType::PrimaryKey) {
                // One statement declaring two keys, or a key added to a table that has one.
                if (!k.id)
                    throw SqlError(8110, 16, 0,
                                   "Cannot add multiple PRIMARY KEY constraints to table '" + t.name + "'.");
                throw SqlError(1779, 16, 0,
                               "Table '" + t.name + "' already has a primary key defined on it.");
            }
    const IndexInfo* clustered = nullptr;
    int lastIndex = 1;
    for (const IndexInfo& x : t.indexes) {
        if (x.clustered)
            clustered = &x;
        lastIndex = std::max(lastIndex, x.indexId);
    }
    ConstraintInfo k;
    k.name = c.name ? c.name->name : "";
    k.type = primary ? ConstraintType::PrimaryKey : ConstraintType::Unique;
    k.columns = columns;
    k.clustered = c.clustered.value_or(primary && !clusteredElsewhere && !clustered);
    if (k.clustered && clustered)
        throw SqlError(1902, 16, 3,
                       "Cannot create more than one clustered index on table '" + qualified(t) +
                           "'. Drop the existing clustered index '" + clustered->name +
                           "' before creating another.");
    if (primary)
        for (int col : columns) {
            ColumnInfo& column = t.columns[static_cast<std::size_t>(col)];
            if (column.isComputed() && !column.persisted)
                throw SqlError(1711, 16, 0,
                               "Cannot define PRIMARY KEY constraint on column '" + column.name +
                                   "' in table '" + t.name +
                                   "'. The computed column has to be persisted and not nullable.");
            column.nullable = false;
        }
    IndexInfo x;
    x.indexId = k.clustered ? 1 : lastIndex + 1;
    x.name = k.name; // named when recorded, for an unnamed key
    x.unique = true;
    x.clustered = k.clustered;
    x.primaryKey = primary;
    x.uniqueConstraint = !primary;
    x.keyColumns = std::move(columns);
    t.constraints.push_back(std::move(k));
    t.indexes.push_back(std::move(x));
}

void TableBuilder::addCheck(const TableConstraint& c, std::optional<std::size_t> column) {
    TableInfo& t = table_;
    ConstraintInfo k;
    k.name = c.name ? c.name->name : "";
    k.type = ConstraintType::Check;
    k.checkText = serverText(*c.expr);
    const RowExpression e(catalog_, t, k.checkText, true);
    if (e.columns().size() == 1)
        k.columns = {*e.columns().begin()};
    else if (column && e.columns().empty())
        k.columns = {};
    t.constraints.push_back(std::move(k));
}

void TableBuilder::addForeignKey(const TableConstraint& c, std::vector<int> columns) {
    TableInfo& t = table_;
    ConstraintInfo k;
    k.name = c.name ? c.name->name : "";
    k.type = ConstraintType::ForeignKey;
    const std::string shown = displayName(k, t);
    const std::string parentName = objectName(c.referencedTable);
    std::optional<TableInfo> parent;
    if (foldName(parentName) == foldName(t.name))
        parent = t;
    else if (!parentName.starts_with('#'))
        parent = catalog_.forName(parentName).find(parentName);
    if (!parent)
        throw SqlError(1767, 16, 0,
                       "Foreign key '" + shown + "' references invalid table '" + parentName + "'.");
    std::vector<int> referenced;
    if (c.referencedColumns.empty()) {
        for (const ConstraintInfo& key : parent->constraints)
            if (key.type == ConstraintType::PrimaryKey)
                referenced = key.columns;
        if (referenced.empty())
            throw SqlError(1773, 16, 0,
                           "Foreign key '" + shown + "' has implicit reference to object '" + parent->name +
                               "' which does not have a primary key defined on it.");
    } else {
        for (const Identifier& name : c.referencedColumns) {
            const auto i = parent->findColumn(name.name);
            if (!i)
                throw SqlError(1770, 16, 0,
                               "Foreign key '" + shown + "' references invalid column '" + name.name +
                                   "' in referenced table '" + parent->name + "'.");
            referenced.push_back(static_cast<int>(*i));
        }
    }
    if (referenced.size() != columns.size())
        throw SqlError(
            8139, 16, 0,
            "Number of referencing columns in foreign key differs from number of referenced columns, "
            "table '" +
                t.name + "'.");
    bool matchesKey = false;
    for (const IndexInfo& x : parent->indexes)
        matchesKey = matchesKey || (x.unique && x.filter.empty() && sameColumnSet(x.keyColumns, referenced));
    if (!matchesKey)
        throw SqlError(1776, 16, 0,
                       "There are no primary or candidate keys in the referenced table '" + parent->name +
                           "' that match the referencing column list in the foreign key '" + shown + "'.");
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnInfo& child = t.columns[static_cast<std::size_t>(columns[i])];
        const ColumnInfo& key = parent->columns[static_cast<std::size_t>(referenced[i])];
        if (child.type.id != key.type.id)
            throw SqlError(1778, 16, 0,
                           "Column '" + parent->name + "." + key.name +
                               "' is not the same data type as referencing column '" + t.name + "." +
                               child.name + "' in foreign key '" + shown + "'.");
        if (child.type.isDecimal() &&
            (child.type.precision != key.type.precision || child.type.scale != key.type.scale))
            throw SqlError(
                1753, 16, 0,
                "Column '" + parent->name + "." + key.name +
                    "' is not the same length or scale as referencing column '" + t.name + "." + child.name +
                    "' in foreign key '" + shown +
                    "'. Columns participating in a foreign key relationship must be defined with the same "
                    "length and scale.");
        if ((c.onDelete == ReferentialAction::SetNull || c.onUpdate == ReferentialAction::SetNull) &&
            !child.nullable)
            throw SqlError(
                1761, 16, 0,
                "Cannot create the foreign key \"" + shown +
                    "\" with the SET NULL referential action, because one or more referencing columns "
                    "are not nullable.");
    }
    if (c.onDelete == ReferentialAction::SetDefault || c.onUpdate == ReferentialAction::SetDefault)
        refuse("FOREIGN KEY ... SET DEFAULT");
    // The server does not keep FOREIGN KEYs of temporary tables; they are skipped.
    if (t.schema == "temp" || t.name.starts_with('#'))
        return;
    k.columns = std::move(columns);
    k.referencedId = parent->id;
    k.referencedTable = parent->name;
    k.referencedColumns = std::move(referenced);
    k.onDelete = actionOf(c.onDelete);
    k.onUpdate = actionOf(c.onUpdate);
    t.constraints.push_back(std::move(k));
}

void TableBuilder::addDefault(const TableConstraint& c, std::optional<std::size_t> column) {
    TableInfo& t = table_;
    if (!column) {
        const auto i = t.findColumn(c.defaultFor.name);
        if (!i)
            throw SqlError(1752, 16, 0,
                           "Column '" + c.defaultFor.name + "' in table '" + t.name +
                               "' is invalid for creating a default constraint.");
        column = *i;
    }
    ColumnInfo& col = t.columns[*column];
    if (!col.defaultExpression.empty())
        throw SqlError(1781, 16, 0, "Column already has a DEFAULT bound to it.");
    if (col.identitySeed)
        throw SqlError(1754, 16, 0,
                       "Defaults cannot be created on columns with an IDENTITY attribute. Table '" + t.name +
                           "', column '" + col.name + "'.");
    if (col.isComputed())
        throw SqlError(1752, 16, 0,
                       "Column '" + col.name + "' in table '" + t.name +
                           "' is invalid for creating a default constraint.");
    col.defaultExpression = serverText(*c.expr);
    col.defaultName = c.name ? c.name->name : "";
    col.defaultId = 0;
    VariableScope none;
    Binder(catalog_, none).defaultValue(col);
}

} // namespace tsql
