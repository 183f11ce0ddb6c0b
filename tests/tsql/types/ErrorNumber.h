#pragma once
// The SQL Server error number a call throws, or 0 when it throws none.

#include "tsql/SqlError.h"

namespace tsql::testing {

template <typename F> int errorNumberOf(F&& f) {
    try {
        f();
    } catch (const SqlError& e) {
        return e.number;
    }
    return 0;
}

} // namespace tsql::testing
