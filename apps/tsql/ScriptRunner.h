#pragma once
// Splits a script into batches at lines that hold only GO (in any case, blanks around it allowed),
// echoes each batch and its GO line, runs the batch and prints its results.

#include "tsql/exec/Session.h"

#include <istream>
#include <ostream>

namespace tsql {

void runScript(std::istream& in, Session& session, std::ostream& out);

} // namespace tsql
