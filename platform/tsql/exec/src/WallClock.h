#pragma once
// The machine's local time as a DATETIME: GETDATE() and the catalog's dates when no clock is given.

#include "tsql/DateTime.h"

namespace tsql {

DateTime wallClock();

} // namespace tsql
