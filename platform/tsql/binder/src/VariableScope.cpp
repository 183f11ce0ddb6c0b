#include "tsql/binder/VariableScope.h"

#include "tsql/SqlError.h"
#include "tsql/binder/Names.h"

namespace tsql {

const VariableInfo* VariableScope::find(std::string_view name) const {
    auto it = byName_.find(foldName(name));
    return it == byName_.end() ? nullptr : &variables_[it->second];
}

void VariableScope::claim(const std::string& name) {
    const std::string key = foldName(name);
    if (byName_.count(key) || tables_.count(key))
        throw SqlError(134, 15, 1,
                       "The variable name '" + name +
                           "' has already been declared. Variable names must be unique within a query batch "
                           "or stored procedure.");
}

const VariableInfo& VariableScope::declare(const std::string& name, const DataType& type) {
    claim(name);
    byName_[foldName(name)] = variables_.size();
    variables_.push_back({name, type, static_cast<int>(variables_.size())});
    return variables_.back();
}

void VariableScope::declareTable(const std::string& name, const std::string& table) {
    claim(name);
    tables_[foldName(name)] = table;
}

const std::string& VariableScope::table(std::string_view name) const {
    auto it = tables_.find(foldName(name));
    if (it == tables_.end())
        throw SqlError(1087, 15, 2, "Must declare the table variable \"" + std::string(name) + "\".");
    return it->second;
}

} // namespace tsql
