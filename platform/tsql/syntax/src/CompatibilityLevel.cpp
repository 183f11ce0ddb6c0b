#include "tsql/syntax/CompatibilityLevel.h"

#include "tsql/syntax/Keywords.h"

#include <array>
#include <utility>

namespace tsql {

bool isValidCompatibilityLevel(int level) noexcept {
    return level >= 80 && level <= 160 && level % 10 == 0;
}

std::optional<int> builtinFunctionLevel(std::string_view name) noexcept {
    static constexpr std::array<std::pair<std::string_view, int>, 37> kLevels = {{
        {"CHOOSE", 110},
        {"CONCAT", 110},
        {"DATEFROMPARTS", 110},
        {"DATETIME2FROMPARTS", 110},
        {"DATETIMEFROMPARTS", 110},
        {"DATETIMEOFFSETFROMPARTS", 110},
        {"EOMONTH", 110},
        {"FORMAT", 110},
        {"IIF", 110},
        {"PARSE", 110},
        {"SMALLDATETIMEFROMPARTS", 110},
        {"TIMEFROMPARTS", 110},
        {"TRY_CAST", 110},
        {"TRY_CONVERT", 110},
        {"TRY_PARSE", 110},
        {"COMPRESS", 130},
        {"DATEDIFF_BIG", 130},
        {"DECOMPRESS", 130},
        {"ISJSON", 130},
        {"JSON_MODIFY", 130},
        {"JSON_QUERY", 130},
        {"JSON_VALUE", 130},
        {"SESSION_CONTEXT", 130},
        {"STRING_ESCAPE", 130},
        {"STRING_SPLIT", 130},
        {"CONCAT_WS", 140},
        {"STRING_AGG", 140},
        {"TRANSLATE", 140},
        {"TRIM", 140},
        {"APPROX_COUNT_DISTINCT", 150},
        {"DATE_BUCKET", 160},
        {"DATETRUNC", 160},
        {"GENERATE_SERIES", 160},
        {"GREATEST", 160},
        {"LEAST", 160},
        {"JSON_OBJECT", 160},
        {"JSON_ARRAY", 160},
    }};
    for (const auto& [function, level] : kLevels)
        if (equalsIgnoreCase(function, name))
            return level;
    return std::nullopt;
}

} // namespace tsql
