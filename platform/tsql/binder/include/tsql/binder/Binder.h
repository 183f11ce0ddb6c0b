#pragma once
// Binding: resolves the names of a statement against the catalog and the declared variables, types
// every expression with the server's rules and makes each implicit conversion explicit. Errors are
// the server's compile-time errors (207, 208, 209, 4104, 137, 195, 8120, ...) as SqlError.

#include "tsql/binder/Bound.h"
#include "tsql/binder/BoundStatements.h"
#include "tsql/binder/TableInfo.h"
#include "tsql/binder/VariableScope.h"
#include "tsql/syntax/AstStatements.h"

#include <map>
#include <memory>

namespace tsql {

struct BinderOptions {
    int compatibilityLevel = 100;
};

// A DataType from a type name as written in DECLARE, CAST and CONVERT; SqlError 2715 when unknown.
DataType resolveType(const TypeName& name, LengthDefault lengthDefault);

// The engine's refusal of a construct it does not implement yet (50900, severity 16).
[[noreturn]] void refuse(std::string_view construct);

class Binder {
public:
    Binder(const CatalogReader& catalog, VariableScope& variables, BinderOptions options = {});
    ~Binder();
    Binder(const Binder&) = delete;
    Binder& operator=(const Binder&) = delete;

    // An expression or condition outside any FROM clause (SET, IF, RETURN, PRINT, ...).
    BoundExprPtr scalar(const Expr& e);
    BoundExprPtr condition(const Expr& e);
    // A query; its SELECT items may assign variables (SELECT @v = ...).
    std::shared_ptr<const BoundQuery> query(const Query& q);
    BoundInsert insert(const InsertStmt& s);
    BoundUpdate update(const UpdateStmt& s);
    BoundDelete remove(const DeleteStmt& s);
    // A column's DEFAULT, bound on its own.
    BoundExprPtr defaultValue(const ColumnInfo& column);

    // The expression converted to the type (no node when it already has it).
    static BoundExprPtr convertTo(BoundExprPtr e, const DataType& type, ConversionMode mode);

    struct Scope;
    struct Impl;

private:
    void bindChange(const DmlTarget& target, const std::vector<TableSourcePtr>& from, const Expr* where,
                    BoundChange& out, Scope& scope);
    std::unique_ptr<Impl> impl_;
};

} // namespace tsql
