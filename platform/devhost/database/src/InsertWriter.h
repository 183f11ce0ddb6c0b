#pragma once
// Writes rows into one table as multi-row INSERT statements of a few hundred rows each, every
// value written as a literal.

#include "tsql/Value.h"
#include "tsql/exec/Session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace devhost::detail {

class InsertWriter {
public:
    // `table` and `columns` are names of the host schema, never outside input. `rowsBefore` counts
    // the rows an earlier writer of the generator already put into the table.
    InsertWriter(tsql::Session& session, std::string table, std::vector<std::string> columns,
                 bool hasIdentity = true, std::int32_t rowsBefore = 0);

    // Queues a row (one value per column) and returns the identity value it will get: the
    // number of rows in the table with it, since the generator starts on empty tables.
    std::int32_t add(std::vector<tsql::Value> row);

    // Writes the queued rows; with an identity column it then checks that the table holds exactly
    // the generator's rows, numbered from 1, and throws std::runtime_error when it does not.
    void finish();

    std::int32_t rowsAdded() const { return added_; }

    // Rows of this table refer to rows of `parent`: its queued rows are written first whenever
    // this writer writes, so that foreign keys always find their rows. `parent` must outlive this.
    void dependsOn(InsertWriter& parent) { parents_.push_back(&parent); }

private:
    void flush();

    tsql::Session& session_;
    std::string table_;
    std::string header_;
    std::size_t columnCount_;
    bool hasIdentity_;
    static constexpr std::size_t kRowsPerStatement = 250;
    std::vector<std::string> pending_;
    std::int32_t added_ = 0;
    std::vector<InsertWriter*> parents_; // not owned
};

} // namespace devhost::detail
