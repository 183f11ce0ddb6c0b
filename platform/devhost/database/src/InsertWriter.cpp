#include "InsertWriter.h"

#include "RunBatch.h"

#include "tsql/Literal.h"

#include <stdexcept>

namespace devhost::detail {

InsertWriter::InsertWriter(tsql::Session& session, std::string table, std::vector<std::string> columns,
                           bool hasIdentity, std::int32_t rowsBefore)
    : session_(session), table_(std::move(table)), columnCount_(columns.size()), hasIdentity_(hasIdentity),
      added_(rowsBefore) {
    header_ = "INSERT INTO " + table_ + " (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            header_ += ", ";
        header_ += columns[i];
    }
    header_ += ") VALUES\n";
}

std::int32_t InsertWriter::add(std::vector<tsql::Value> row) {
    if (row.size() != columnCount_) {
        throw std::logic_error("a row for " + table_ + " has " + std::to_string(row.size()) + " values for " +
                               std::to_string(columnCount_) + " columns");
    }
    std::string values = "(";
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            values += ", ";
        values += tsql::sqlLiteral(row[i]);
    }
    values += ')';
    pending_.push_back(std::move(values));
    ++added_;
    if (pending_.size() >= kRowsPerStatement)
        flush();
    return added_;
}

void InsertWriter::flush() {
    if (pending_.empty())
        return;
    for (InsertWriter* parent : parents_)
        parent->flush();
    std::string statement = header_;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        if (i > 0)
            statement += ",\n";
        statement += pending_[i];
    }
    pending_.clear();
    runOrThrow(session_, statement, "demo data for " + table_);
}

void InsertWriter::finish() {
    flush();
    if (!hasIdentity_)
        return;
    const std::string what = "demo data for " + table_;
    const auto count = queryInteger(session_, "SELECT COUNT(*) FROM " + table_, what);
    const auto highest = queryInteger(session_, "SELECT MAX(ID) FROM " + table_, what);
    if (count != added_ || highest != added_) {
        throw std::runtime_error(what + ": the table was not empty before the demo data (" +
                                 std::to_string(count) + " rows, highest ID " + std::to_string(highest) +
                                 ", " + std::to_string(added_) + " expected)");
    }
}

} // namespace devhost::detail
