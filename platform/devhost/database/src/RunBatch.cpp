#include "RunBatch.h"

#include <stdexcept>
#include <variant>

namespace devhost::detail {

tsql::BatchResult runOrThrow(tsql::Session& session, const std::string& batch, std::string_view what) {
    tsql::BatchResult result = session.run(batch);
    if (const tsql::Message* error = result.firstError()) {
        throw std::runtime_error(std::string(what) + ": " + error->text + " (error " +
                                 std::to_string(error->number) + ")");
    }
    return result;
}

std::int64_t queryInteger(tsql::Session& session, const std::string& batch, std::string_view what) {
    const tsql::BatchResult result = runOrThrow(session, batch, what);
    for (const auto& item : result.items) {
        if (const auto* set = std::get_if<tsql::ResultSet>(&item)) {
            if (set->rows.empty() || set->rows.front().empty())
                break;
            const tsql::Value& v = set->rows.front().front();
            if (v.isNull())
                return 0;
            if (v.type().isInteger())
                return v.asInt64();
            if (v.type().isDecimal())
                return v.asDecimal().toInt64().value_or(0);
            break;
        }
    }
    throw std::runtime_error(std::string(what) + ": the query gave no integer");
}

} // namespace devhost::detail
