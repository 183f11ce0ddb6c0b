#pragma once
// The host database's schema: the embedded scripts split into their batches, and running them.

#include "tsql/exec/Session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace devhost {

struct SchemaBatch {
    std::string fileName;    // the script, e.g. "030-production.sql"
    std::uint32_t firstLine; // the script line the batch starts on, from 1
    std::string text;        // without its GO line
};

// Every batch of every schema script, in file-name order and then in script order.
const std::vector<SchemaBatch>& hostSchemaBatches();

// "030-production.sql:12", for messages.
std::string batchPlace(const SchemaBatch& batch);

// Runs every schema batch on the session. A batch the engine refuses as a construct it does not
// run yet (error 50900: views, procedures, functions, foreign keys today) is skipped and its place
// returned, so that the tables and data work now and the rest starts working as the engine grows.
// Any other error throws std::runtime_error naming the batch and carrying the engine's message.
std::vector<std::string> runHostSchema(tsql::Session& session);

} // namespace devhost
