#pragma once
// One open browse of the host: its number, its source and filter condition, the rows it shows,
// its current row and its marked rows, and the browse that opened it. The current row is kept
// by its ID, so that it can be set before the rows are read and survives a refresh.

#include "devhost/BrowseCatalog.h"
#include "devhost/RowSet.h"
#include "ov/Variant.h"
#include "tsql/exec/Session.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace devhost {

class Browse {
public:
    Browse(int instanceId, int number, BrowseSource source, QString condition, std::shared_ptr<Browse> owner);

    int instanceId() const noexcept { return instanceId_; }
    int number() const noexcept { return number_; }
    const BrowseSource& source() const noexcept { return source_; }
    const QString& condition() const noexcept { return condition_; }
    const std::shared_ptr<Browse>& owner() const noexcept { return owner_; }

    // The query the browse shows: all columns of its source, filtered by its condition.
    std::string selectText() const;
    // Reads the rows again; the current row stays on its ID when that row is still there,
    // else moves to the first row. Throws BatchError when the source cannot be read.
    void refresh(tsql::Session& session);
    // Reads the rows when they have not been read yet.
    void ensureLoaded(tsql::Session& session);
    bool loaded() const noexcept { return loaded_; }
    const std::shared_ptr<const RowSet>& rows() const noexcept { return rows_; }

    // The current row's ID, Null when there is none.
    const ov::Variant& currentId() const noexcept { return currentId_; }
    void setCurrentId(std::optional<std::int64_t> id);
    // The current row's index in rows(), -1 when there is none or it is not among them.
    int currentRow() const;
    void setCurrentRow(int row);
    // Moves to the first row whose column has the value; false (and no move) when none has.
    bool locate(const QString& column, const ov::Variant& value);

    const std::vector<std::int64_t>& marked() const noexcept { return marked_; }
    void setMarked(std::vector<std::int64_t> ids) { marked_ = std::move(ids); }
    QString markedText() const; // "12,15,17", empty when nothing is marked

private:
    int keyColumn() const;

    int instanceId_;
    int number_;
    BrowseSource source_;
    QString condition_;
    std::shared_ptr<Browse> owner_;
    std::shared_ptr<const RowSet> rows_;
    bool loaded_ = false;
    ov::Variant currentId_ = ov::Variant::null();
    std::vector<std::int64_t> marked_;
};

} // namespace devhost
