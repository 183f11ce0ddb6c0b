#pragma once
// Bound data-changing statements: the target table, the rows to write and the query that finds
// the rows to change.

#include "tsql/binder/Bound.h"
#include "tsql/binder/TableInfo.h"

#include <memory>
#include <vector>

namespace tsql {

struct BoundInsert {
    TableInfo table;
    std::vector<std::size_t> targets;            // the columns given values, in the given order
    std::vector<std::vector<BoundExprPtr>> rows; // VALUES rows (a null entry stands for DEFAULT)
    std::shared_ptr<const BoundQuery> query;     // INSERT ... SELECT
    std::vector<BoundExprPtr> defaults;          // per column of the table: its DEFAULT or null
};

// UPDATE and DELETE: a SELECT over the target and the FROM clause whose items are, for UPDATE,
// the new values of `columns`; the target's rows are those of source `target`.
struct BoundChange {
    TableInfo table;
    int target = 0;
    std::vector<std::size_t> columns; // UPDATE: the columns set, in the order of select.items
    std::unique_ptr<BoundSelect> select;
    BoundExprPtr top;
};
using BoundUpdate = BoundChange;
using BoundDelete = BoundChange;

} // namespace tsql
