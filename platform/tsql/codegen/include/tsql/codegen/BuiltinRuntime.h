#pragma once
// The scalar built-in functions on values.

#include "tsql/Value.h"
#include "tsql/binder/Builtins.h"

#include <vector>

namespace tsql {

// `args` are of the types the binder converted them to; the result is of type `result`.
Value callBuiltin(BuiltinId id, const DataType& result, const std::vector<Value>& args);

} // namespace tsql
