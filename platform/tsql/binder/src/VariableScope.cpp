#include "tsql/binder/VariableScope.h"

#include "tsql/SqlError.h"
#include "tsql/binder/Names.h"

namespace tsql {

const VariableInfo* VariableScope::find(std::string_view name) const {
    auto it = byName_.find(foldName(name));
    return it == byName_.end() ? nullptr : &variables_[it->second];
}

const VariableInfo& VariableScope::declare(const std::string& name, const DataType& type) {
    const std::string key = foldName(name);
    if (byName_.count(key))
        throw SqlError(134, 15, 1,
                       "The variable name '" + name +
                           "' has already been declared. Variable names must be unique within a query batch "
                           "or stored procedure.");
    byName_[key] = variables_.size();
    variables_.push_back({name, type, static_cast<int>(variables_.size())});
    return variables_.back();
}

} // namespace tsql
