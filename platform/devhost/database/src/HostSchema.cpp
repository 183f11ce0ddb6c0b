#include "devhost/HostSchema.h"

#include "BatchSplitter.h"
#include "EmbeddedSchemaScripts.h"

#include <stdexcept>

namespace devhost {

namespace {

// The engine's number for a construct it does not run yet.
constexpr int kNotSupportedYet = 50900;

std::vector<SchemaBatch> collectBatches() {
    std::vector<SchemaBatch> batches;
    for (const auto& script : detail::embeddedSchemaScripts()) {
        for (auto& batch : detail::splitBatches(script.text))
            batches.push_back(
                SchemaBatch{std::string(script.fileName), batch.firstLine, std::move(batch.text)});
    }
    return batches;
}

} // namespace

const std::vector<SchemaBatch>& hostSchemaBatches() {
    static const std::vector<SchemaBatch> batches = collectBatches();
    return batches;
}

std::string batchPlace(const SchemaBatch& batch) {
    return batch.fileName + ":" + std::to_string(batch.firstLine);
}

std::vector<std::string> runHostSchema(tsql::Session& session) {
    std::vector<std::string> deferred;
    for (const auto& batch : hostSchemaBatches()) {
        const tsql::BatchResult result = session.run(batch.text);
        const tsql::Message* error = result.firstError();
        if (error == nullptr)
            continue;
        if (error->number == kNotSupportedYet) {
            deferred.push_back(batchPlace(batch));
            continue;
        }
        throw std::runtime_error("host schema " + batchPlace(batch) + ": " + error->text + " (error " +
                                 std::to_string(error->number) + ")");
    }
    return deferred;
}

} // namespace devhost
