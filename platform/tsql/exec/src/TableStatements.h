#pragma once
// The statements that read and write tables: CREATE and DROP TABLE, INSERT, UPDATE, DELETE and
// SELECT with a FROM clause. Rows are read from their storage tables and filtered, joined, sorted
// and projected with the engine's own expression rules, so comparisons follow the collation and
// the server's conversions exactly.

#include "Catalog.h"
#include "ExecutionContext.h"

#include "tsql/exec/BatchResult.h"
#include "tsql/syntax/Ast.h"

#include <functional>

namespace tsql {

class TableStatements {
public:
    TableStatements(sqlite3* db, ExecutionContext& context)
        : db_(db), catalog_(db, false), tempCatalog_(db, true), context_(context) {}

    // The catalog of the database file (the binder resolves only its tables ahead of time).
    const Catalog& catalog() const { return catalog_; }
    // Around each statement that writes: identity values it takes stay taken if it is undone.
    void forgetTakenIdentities() {
        catalog_.forgetTakenIdentities();
        tempCatalog_.forgetTakenIdentities();
    }
    void keepTakenIdentities() {
        catalog_.keepTakenIdentities();
        tempCatalog_.keepTakenIdentities();
    }

    void createTable(const CreateTableStmt& s, const Batch& batch);
    void drop(const DropStmt& s);
    std::int64_t insert(const InsertStmt& s);
    std::int64_t update(const UpdateStmt& s);
    std::int64_t remove(const DeleteStmt& s);
    // A SELECT with FROM: the result set, or, for SELECT @v = ..., the assignments made row by row
    // (`assign` is called per row and item) and an empty result.
    ResultSet select(const SelectSpec& selectSpec, const std::vector<OrderItem>& orderBy,
                     const std::function<void(const SelectItem&, const Value&)>* assign);

    // A whole query: one SELECT, or UNION [ALL] of several (columns of their combined types, names from
    // the first), with its ORDER BY.
    ResultSet query(const Query& q);

    // The result columns of a SELECT with FROM, typed in `outer`'s scope, without reading rows.
    std::vector<ResultColumn> describe(const SelectSpec& selectSpec, const ExecutionContext& outer) const;

private:
    struct Source {
        TableInfo table;
        std::vector<std::vector<Value>> rows;
        std::vector<std::int64_t> rowids;
    };
    using Combined = std::vector<const std::vector<Value>*>; // one row pointer per source

    ResultSet setOperation(const QueryBody& body);
    TableInfo table(const ObjectName& name) const;
    Source load(const TableInfo& t) const;
    std::vector<Combined> joinRows(const TableSource& ts, std::vector<Source>& sources,
                                   const std::vector<const NamedTableSource*>& named,
                                   std::vector<RowSource>& scope);
    void storeRow(const TableInfo& t, const std::vector<Value>& row, std::optional<std::int64_t> rowid,
                  const char* verb);
    Value defaultOf(const ColumnInfo& c);

    sqlite3* db_;
    // #tables live in the connection's temp schema, the others in the database file.
    Catalog& catalogFor(std::string_view name) { return name.starts_with('#') ? tempCatalog_ : catalog_; }
    const Catalog& catalogFor(std::string_view name) const {
        return name.starts_with('#') ? tempCatalog_ : catalog_;
    }

    Catalog catalog_;
    Catalog tempCatalog_;
    ExecutionContext& context_;
};

} // namespace tsql
