#include "devhost/ResultQuery.h"

#include "devhost/HostText.h"

#include <algorithm>

namespace devhost {

ov::ComPtr<ResultQuery> ResultQuery::create(std::shared_ptr<const RowSet> rows, int startRow,
                                            std::function<void(int row)> onMove) {
    return ov::ComPtr<ResultQuery>(new ResultQuery(std::move(rows), startRow, std::move(onMove)));
}

ResultQuery::ResultQuery(std::shared_ptr<const RowSet> rows, int startRow, std::function<void(int)> onMove)
    : rows_(rows ? std::move(rows) : std::make_shared<const RowSet>()), onMove_(std::move(onMove)) {
    const int count = rowCount();
    row_ = count == 0 ? 0 : std::clamp(startRow, 0, count - 1);
    bof_ = count == 0 || row_ == 0;
    eof_ = count == 0;
}

ov::HRESULT ResultQuery::unusedSlot(const char* slot) {
    return hostFailure(
        QStringLiteral("The development host does not offer the IOvQuery operation in slot %1").arg(slot));
}

void ResultQuery::moved() {
    if (onMove_)
        onMove_(row_);
}

ov::HRESULT ResultQuery::valueAt(int column, OvVariant* value) const {
    if (!value)
        return ov::E_POINTER;
    if (column < 0 || column >= static_cast<int>(rows_->columns.size()))
        return hostFailure(QStringLiteral("The result has no column %1").arg(column));
    if (rowCount() == 0)
        return hostFailure(QStringLiteral("The result has no rows"));
    return OvVariantCopy(
        value, &rows_->rows[static_cast<std::size_t>(row_)][static_cast<std::size_t>(column)].raw());
}

ov::HRESULT ResultQuery::FieldValueByIndex(std::int32_t index, OvVariant* value) {
    return valueAt(index, value);
}

ov::HRESULT ResultQuery::FieldValue(ov::BSTR columnName, OvVariant* value) {
    const QString name = toQString(columnName);
    const int column = rows_->columnIndex(name);
    if (column < 0)
        return hostFailure(QStringLiteral("The result has no column named %1").arg(name));
    return valueAt(column, value);
}

ov::HRESULT ResultQuery::Eof(ov::WordBool* eof) {
    if (!eof)
        return ov::E_POINTER;
    *eof = ov::toWordBool(eof_);
    return ov::S_OK;
}

ov::HRESULT ResultQuery::Bof(ov::WordBool* bof) {
    if (!bof)
        return ov::E_POINTER;
    *bof = ov::toWordBool(bof_);
    return ov::S_OK;
}

ov::HRESULT ResultQuery::Next() {
    if (rowCount() == 0)
        return ov::S_OK;
    if (row_ + 1 < rowCount()) {
        ++row_;
        bof_ = false;
        eof_ = false;
        moved();
    } else {
        eof_ = true;
    }
    return ov::S_OK;
}

ov::HRESULT ResultQuery::Prior() {
    if (rowCount() == 0)
        return ov::S_OK;
    if (row_ > 0) {
        --row_;
        bof_ = false;
        eof_ = false;
        moved();
    } else {
        bof_ = true;
    }
    return ov::S_OK;
}

ov::HRESULT ResultQuery::RecordCount(std::int32_t* count) {
    if (!count)
        return ov::E_POINTER;
    *count = rowCount();
    return ov::S_OK;
}

ov::HRESULT ResultQuery::FieldCount(std::int32_t* count) {
    if (!count)
        return ov::E_POINTER;
    *count = static_cast<std::int32_t>(rows_->columns.size());
    return ov::S_OK;
}

ov::HRESULT ResultQuery::FieldByIndex(std::int32_t index, ov::IOvField** field) {
    if (!field)
        return ov::E_POINTER;
    *field = nullptr;
    if (index < 0 || index >= static_cast<int>(rows_->columns.size()))
        return hostFailure(QStringLiteral("The result has no column %1").arg(index));
    *field = ov::ComPtr<ov::IOvField>(new ResultField(ov::ComPtr<ResultQuery>(this), index)).detach();
    return ov::S_OK;
}

ov::HRESULT ResultQuery::FindField(ov::BSTR columnName, ov::IOvField** field) {
    if (!field)
        return ov::E_POINTER;
    *field = nullptr;
    const int column = rows_->columnIndex(toQString(columnName));
    return column < 0 ? ov::S_OK : FieldByIndex(column, field);
}

ov::HRESULT ResultField::FieldName(ov::BSTR* name) {
    if (!name)
        return ov::E_POINTER;
    *name = newBStr(query_->rows().columns[static_cast<std::size_t>(column_)]);
    return ov::S_OK;
}

ov::HRESULT ResultField::FieldObjValue(OvVariant* value) {
    return query_->valueAt(column_, value);
}

} // namespace devhost
