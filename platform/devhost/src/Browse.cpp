#include "devhost/Browse.h"

#include "devhost/SqlRunner.h"
#include "devhost/ValueMapping.h"

#include <QStringList>

#include <limits>

namespace devhost {

Browse::Browse(int instanceId, int number, BrowseSource source, QString condition,
               std::shared_ptr<Browse> owner)
    : instanceId_(instanceId), number_(number), source_(std::move(source)), condition_(std::move(condition)),
      owner_(std::move(owner)), rows_(std::make_shared<const RowSet>()) {}

std::string Browse::selectText() const {
    std::string text = "SELECT * FROM " + bracketedName(source_.name);
    if (!condition_.trimmed().isEmpty())
        text += " WHERE (" + condition_.toStdString() + ")";
    return text;
}

void Browse::refresh(tsql::Session& session) {
    rows_ = std::make_shared<const RowSet>(queryHostBatch(session, selectText()));
    loaded_ = true;
    if (currentRow() >= 0)
        return;
    if (!rows_->rows.empty() && keyColumn() >= 0)
        setCurrentRow(0);
    else
        currentId_ = ov::Variant::null();
}

void Browse::ensureLoaded(tsql::Session& session) {
    if (!loaded_)
        refresh(session);
}

void Browse::setCurrentId(std::optional<std::int64_t> id) {
    if (!id)
        currentId_ = ov::Variant::null();
    else if (*id >= std::numeric_limits<std::int32_t>::min() &&
             *id <= std::numeric_limits<std::int32_t>::max())
        currentId_ = ov::Variant::fromInt(static_cast<std::int32_t>(*id));
    else
        currentId_ = ov::Variant::fromInt64(*id);
}

int Browse::keyColumn() const {
    return rows_->columnIndex(source_.keyColumn);
}

int Browse::currentRow() const {
    const int key = keyColumn();
    if (key < 0 || currentId_.isNull())
        return -1;
    for (std::size_t row = 0; row < rows_->rows.size(); ++row)
        if (sameValue(rows_->rows[row][static_cast<std::size_t>(key)], currentId_))
            return static_cast<int>(row);
    return -1;
}

void Browse::setCurrentRow(int row) {
    const int key = keyColumn();
    if (key < 0 || row < 0 || row >= static_cast<int>(rows_->rows.size())) {
        currentId_ = ov::Variant::null();
        return;
    }
    currentId_ = rows_->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(key)];
}

bool Browse::locate(const QString& column, const ov::Variant& value) {
    const int c = rows_->columnIndex(column);
    if (c < 0)
        return false;
    for (std::size_t row = 0; row < rows_->rows.size(); ++row)
        if (sameValue(rows_->rows[row][static_cast<std::size_t>(c)], value)) {
            setCurrentRow(static_cast<int>(row));
            return true;
        }
    return false;
}

QString Browse::markedText() const {
    QStringList ids;
    for (std::int64_t id : marked_)
        ids << QString::number(id);
    return ids.join(u',');
}

} // namespace devhost
