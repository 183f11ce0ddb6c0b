#include "tsql/binder/TableInfo.h"

#include "tsql/binder/Names.h"

namespace tsql {

std::optional<std::size_t> TableInfo::findColumn(std::string_view name) const {
    const std::string folded = foldName(name);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (foldName(columns[i].name) == folded)
            return i;
    return std::nullopt;
}

std::optional<std::size_t> TableInfo::identityColumn() const {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].identitySeed)
            return i;
    return std::nullopt;
}

} // namespace tsql
