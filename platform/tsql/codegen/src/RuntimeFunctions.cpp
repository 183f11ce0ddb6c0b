#include "tsql/codegen/RuntimeFunctions.h"

#include "tsql/Arithmetic.h"
#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/SqliteFunctions.h"
#include "tsql/SqliteValues.h"
#include "tsql/codegen/BuiltinRuntime.h"
#include "tsql/codegen/TypeCode.h"

#include <sqlite3.h>

#include <string>

namespace tsql {

namespace {

DataType typeArg(sqlite3_value* v) {
    return typeFromCode(sqlite3_value_int64(v));
}

Value valueArg(sqlite3_value* v, const DataType& type) {
    return sqlite3_value_type(v) == SQLITE_NULL ? Value::null(type) : readValue(v, type);
}

template <class F> void guarded(sqlite3_context* ctx, F&& body) {
    try {
        body();
    } catch (const SqlError& e) {
        reportToSqlite(ctx, e);
    } catch (const std::exception& e) {
        reportToSqlite(ctx, SqlError(50903, 16, 1, std::string("Internal engine error: ") + e.what()));
    }
}

void convertFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    guarded(ctx, [&] {
        const DataType from = typeArg(argv[1]);
        const DataType to = typeArg(argv[2]);
        const auto mode = static_cast<ConversionMode>(sqlite3_value_int(argv[3]));
        resultValue(ctx, convert(readValue(argv[0], from), to, mode, sqlite3_value_int(argv[4])));
    });
}

void arithmeticFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    guarded(ctx, [&] {
        const auto op = static_cast<ArithmeticOp>(sqlite3_value_int(argv[0]));
        resultValue(ctx,
                    evaluate(op, valueArg(argv[1], typeArg(argv[2])), valueArg(argv[3], typeArg(argv[4]))));
    });
}

void negateFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    guarded(ctx, [&] { resultValue(ctx, negate(readValue(argv[0], typeArg(argv[1])))); });
}

// The arguments x1, t1, x2, t2, ... from argv[2] on.
std::vector<Value> typedArgs(int argc, sqlite3_value** argv) {
    std::vector<Value> args;
    for (int i = 2; i + 1 < argc; i += 2)
        args.push_back(valueArg(argv[i], typeArg(argv[i + 1])));
    return args;
}

void builtinFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    guarded(ctx, [&] {
        const auto id = static_cast<BuiltinId>(sqlite3_value_int(argv[0]));
        resultValue(ctx, callBuiltin(id, typeArg(argv[1]), typedArgs(argc, argv)));
    });
}

// The implementation of tsql_meta; the same for every connection.
MetadataFunction metadataImplementation = nullptr;

void metadataFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    guarded(ctx, [&] {
        const MetadataFunction function = metadataImplementation;
        const auto id = static_cast<BuiltinId>(sqlite3_value_int(argv[0]));
        const DataType result = typeArg(argv[1]);
        const Value v = function(sqlite3_context_db_handle(ctx), id, result, typedArgs(argc, argv));
        resultValue(ctx, v.isNull() ? Value::null(result) : v);
    });
}

thread_local FunctionCaller* currentCaller = nullptr;

void userFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    guarded(ctx, [&] {
        if (!currentCaller)
            throw SqlError(50903, 16, 1, "Internal engine error: a user-defined function outside a batch.");
        const std::string name = readValue(argv[0], DataType::nvarchar(128)).asText();
        const DataType result = typeArg(argv[1]);
        const Value v = (*currentCaller)(name, typedArgs(argc, argv));
        resultValue(ctx, v.isNull() ? Value::null(result) : convert(v, result, ConversionMode::Assign));
    });
}

struct SingleState {
    sqlite3_value* value;
    std::int64_t rows;
};

void singleStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* state = static_cast<SingleState*>(sqlite3_aggregate_context(ctx, sizeof(SingleState)));
    if (!state) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    if (++state->rows > 1) {
        reportToSqlite(
            ctx, SqlError(512, 16, 1,
                          "Subquery returned more than 1 value. This is not permitted when the subquery "
                          "follows =, !=, <, <= , >, >= or when the subquery is used as an expression."));
        return;
    }
    state->value = sqlite3_value_dup(argv[0]);
}

void singleFinal(sqlite3_context* ctx) {
    auto* state = static_cast<SingleState*>(sqlite3_aggregate_context(ctx, 0));
    if (!state || !state->value) {
        sqlite3_result_null(ctx);
        return;
    }
    if (state->rows == 1)
        sqlite3_result_value(ctx, state->value);
    sqlite3_value_free(state->value);
    state->value = nullptr;
}

void add(sqlite3* db, const char* name, int args, void (*fn)(sqlite3_context*, int, sqlite3_value**)) {
    if (sqlite3_create_function_v2(db, name, args, SQLITE_UTF8, nullptr, fn, nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        throw SqlError(50902, 16, 1, std::string("Cannot register ") + name + ": " + sqlite3_errmsg(db));
}

} // namespace

void registerRuntimeFunctions(sqlite3* db) {
    registerEngineFunctions(db);
    add(db, "tsql_cvt", 5, convertFunction);
    add(db, "tsql_arith", 5, arithmeticFunction);
    add(db, "tsql_neg", 2, negateFunction);
    add(db, "tsql_fn", -1, builtinFunction);
    add(db, "tsql_udf", -1, userFunction);
    if (sqlite3_create_function_v2(db, "tsql_single", 1, SQLITE_UTF8, nullptr, nullptr, singleStep,
                                   singleFinal, nullptr) != SQLITE_OK)
        throw SqlError(50902, 16, 1, std::string("Cannot register tsql_single: ") + sqlite3_errmsg(db));
}

void registerMetadataFunction(sqlite3* db, MetadataFunction function) {
    metadataImplementation = function;
    add(db, "tsql_meta", -1, metadataFunction);
}

FunctionCallerScope::FunctionCallerScope(FunctionCaller caller)
    : previous_(currentCaller), caller_(std::move(caller)) {
    currentCaller = &caller_;
}

FunctionCallerScope::~FunctionCallerScope() {
    currentCaller = previous_;
}

} // namespace tsql
