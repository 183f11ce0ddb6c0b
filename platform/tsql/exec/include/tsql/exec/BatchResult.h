#pragma once
// What running one batch gives back: its result sets, row counts and messages, in the order the
// batch produced them.

#include "tsql/DataType.h"
#include "tsql/Value.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tsql {

struct ResultColumn {
    std::string name; // the alias, else the source column, else empty
    DataType type;
};

struct ResultSet {
    std::vector<ResultColumn> columns;
    std::vector<std::vector<Value>> rows;
};

struct RowCount {
    std::int64_t rows = 0;
};

// An error (severity 11 and above) or an informational message (PRINT, severity 0).
struct Message {
    int number = 0;
    int severity = 0;
    int state = 0;
    std::string text;
    std::uint32_t line = 0;
    bool isError() const noexcept { return severity > 10; }
};

using BatchItem = std::variant<ResultSet, RowCount, Message>;

struct BatchResult {
    std::vector<BatchItem> items;
    // The first error of severity 11 or more, or null.
    const Message* firstError() const;
};

} // namespace tsql
