#pragma once
// The functions generated SQL calls, registered on each connection:
//   tsql_cvt(x, from, to, mode, style)    a conversion with the server's rules and errors
//   tsql_arith(op, x, tx, y, ty)          + - * / % on values of those types
//   tsql_neg(x, t)                        unary minus
//   tsql_fn(builtin, result, x1, t1, ...) a scalar built-in function
//   tsql_single(x)                        aggregate: the only value, NULL for none, 512 for more
//   tsql_meta(builtin, result, x1, t1, ...) a metadata function (OBJECT_ID, COL_NAME, ...), once
//                                         registerMetadataFunction gave it its implementation
// besides the collation, tsql_like and the decimal aggregates of the types layer. Types travel as
// typeCode() integers; errors as the server's errors (sqlErrorFromSqlite reads them back).

#include "tsql/Value.h"
#include "tsql/binder/Builtins.h"

#include <functional>
#include <string>
#include <vector>

struct sqlite3;

namespace tsql {

void registerRuntimeFunctions(sqlite3* db);

// A metadata function on the catalog of the connection it is called on.
using MetadataFunction = Value (*)(sqlite3* db, BuiltinId id, const DataType& result,
                                   const std::vector<Value>& args);
void registerMetadataFunction(sqlite3* db, MetadataFunction function);

// tsql_udf(name, result, x1, t1, ...) calls a scalar user-defined function through the caller
// installed on the running thread while a session runs a batch.
using FunctionCaller = std::function<Value(const std::string& name, const std::vector<Value>& args)>;

class FunctionCallerScope {
public:
    explicit FunctionCallerScope(FunctionCaller caller);
    ~FunctionCallerScope();
    FunctionCallerScope(const FunctionCallerScope&) = delete;
    FunctionCallerScope& operator=(const FunctionCallerScope&) = delete;

private:
    FunctionCaller* previous_;
    FunctionCaller caller_;
};

} // namespace tsql
