#pragma once
// The scalar built-in functions the engine runs: their names, how many arguments they take and
// the type of their result, as the server types them.

#include "tsql/DataType.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tsql {

enum class BuiltinId {
    Len,
    DataLength,
    Left,
    Right,
    Substring,
    Replace,
    Replicate,
    LTrim,
    RTrim,
    Trim,
    Upper,
    Lower,
    CharIndex,
    PatIndex,
    NChar,
    Char,
    Ascii,
    Unicode,
    Space,
    Stuff,
    Reverse,
    Str,
    QuoteName,
    Concat,
    IsNumeric,
    NullIf,
    Abs,
    Sign,
    Ceiling,
    Floor,
    Round,
    Power,
    Sqrt,
    Square,
    Exp,
    Log,
    Log10,
    Pi,
    DateDiff,
    DateAdd,
    DatePart,
    DateName,
    Year,
    Month,
    Day,
    NewId,
    Iif,
    // Metadata functions: they read the catalog, so they run only inside SQLite (tsql_meta).
    ObjectId,
    ObjectName,
    ObjectDefinition,
    ColName,
    ColLength,
    ColumnProperty,
    ObjectProperty,
    IndexProperty,
    IndexCol,
    TypeName,
    TypeIdOf,
    SchemaName,
    SchemaId,
    DbId,
};

// Whether the function reads the catalog (OBJECT_ID, COL_NAME, ...).
constexpr bool isMetadataBuiltin(BuiltinId id) {
    return id >= BuiltinId::ObjectId;
}

struct BuiltinInfo {
    BuiltinId id;
    std::string_view name;
    int minArgs;
    int maxArgs;
    bool datePartFirst = false; // DATEADD, DATEDIFF, DATEPART, DATENAME: the first argument is a part name
};

// The function of that name (any case); nullopt when it is not one of these built-ins.
const BuiltinInfo* findBuiltin(std::string_view name);

// The argument types the arguments are converted to before the call (nullopt: keep its own), and
// the result type. `args` are the arguments' own types (nullopt for a bare NULL). Throws SqlError
// with the server's error when the arguments cannot be used.
struct BuiltinSignature {
    std::vector<std::optional<DataType>> parameters;
    DataType result;
};
// `integers` are the values of arguments that are integer constants (nullopt otherwise, or none
// given): SUBSTRING, LEFT and RIGHT with constant lengths give text of the length they can return,
// as the server derives it (SUBSTRING(nvarchar(max) column, 1, 255) is nvarchar(255)).
BuiltinSignature builtinSignature(const BuiltinInfo& f, const std::vector<std::optional<DataType>>& args,
                                  const std::vector<std::optional<std::int64_t>>& integers = {});

} // namespace tsql
