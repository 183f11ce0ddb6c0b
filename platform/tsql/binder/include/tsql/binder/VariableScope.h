#pragma once
// The variables of a batch or procedure as they are declared: each gets a slot in which its value
// lives while the batch runs.

#include "tsql/DataType.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tsql {

struct VariableInfo {
    std::string name; // as declared, with the @
    DataType type;
    int slot = 0;
};

class VariableScope {
public:
    // nullptr when the variable is not declared (yet).
    const VariableInfo* find(std::string_view name) const;
    // SqlError 134 when the name is taken.
    const VariableInfo& declare(const std::string& name, const DataType& type);
    const std::vector<VariableInfo>& all() const { return variables_; }

    // A table variable lives in a temporary table of the engine's own name (`table`); SqlError 134
    // when the variable's name is taken.
    void declareTable(const std::string& name, const std::string& table);
    // The temporary table of a declared table variable; SqlError 1087 when it is not declared.
    const std::string& table(std::string_view name) const;

private:
    void claim(const std::string& name);

    std::vector<VariableInfo> variables_;
    std::map<std::string, std::size_t> byName_; // folded name -> index
    std::map<std::string, std::string> tables_; // folded name -> temporary table
};

} // namespace tsql
