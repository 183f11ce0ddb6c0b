#pragma once
// Prints a batch's results in the shell's text format: result sets between ~~START~~ and ~~END~~
// with the type names and values joined by #!#, ~~ROW COUNT: n~~, and ~~ERROR (...)~~ blocks.

#include "tsql/exec/BatchResult.h"

#include <ostream>

namespace tsql {

void printBatchResult(const BatchResult& result, std::ostream& out);

} // namespace tsql
