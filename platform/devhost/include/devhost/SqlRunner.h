#pragma once
// Batches run for the plug-in with the host's error rules: a batch that raised an error of
// severity 11 or more fails once it has ended, with that first error's text, and a transaction
// the failed batch left open is rolled back so that none of its work stays behind.

#include "devhost/RowSet.h"
#include "tsql/exec/Session.h"

#include <stdexcept>
#include <string>

namespace devhost {

class BatchError : public std::runtime_error {
public:
    BatchError(const tsql::Message& message);
    int number() const noexcept { return number_; }

private:
    int number_;
};

// Runs the batch; throws BatchError as described above.
tsql::BatchResult runHostBatch(tsql::Session& session, const std::string& batch);

// Runs the batch and gives its first result set that has columns, or an empty row set (no
// columns) when it returned none.
RowSet queryHostBatch(tsql::Session& session, const std::string& batch);

} // namespace devhost
