#include "devhost/SqlRunner.h"

namespace devhost {

BatchError::BatchError(const tsql::Message& message)
    : std::runtime_error(message.text), number_(message.number) {}

tsql::BatchResult runHostBatch(tsql::Session& session, const std::string& batch) {
    tsql::BatchResult result = session.run(batch);
    if (const tsql::Message* error = result.firstError()) {
        const tsql::Message first = *error;
        if (session.tranCount() > 0)
            session.run("ROLLBACK TRANSACTION");
        throw BatchError(first);
    }
    return result;
}

RowSet queryHostBatch(tsql::Session& session, const std::string& batch) {
    const tsql::BatchResult result = runHostBatch(session, batch);
    for (const tsql::BatchItem& item : result.items)
        if (const auto* set = std::get_if<tsql::ResultSet>(&item); set && !set->columns.empty())
            return toRowSet(*set);
    return {};
}

} // namespace devhost
