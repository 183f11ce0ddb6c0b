#pragma once
// A complete development-host database: the host schema and the demo plant.

#include "devhost/DemoData.h"
#include "devhost/HostSchema.h"

#include "tsql/exec/Session.h"

#include <cstdint>

namespace devhost {

// Runs the host schema (tables, views, procedures, functions) and the demo data of the given size
// on the session; throws std::runtime_error with the engine's first error message on failure.
// Batches of constructs the engine does not run yet are skipped (see runHostSchema).
void createHostDatabase(tsql::Session& session, DemoSize size, std::uint32_t seed = 1);

} // namespace devhost
