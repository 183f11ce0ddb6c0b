#pragma once
// The query object the host hands out for a result set, positioned on its first row, and the
// field object of one of its columns. Navigation behaves as a data set does: Next on the last
// row stays there and sets Eof, Prior on the first row sets Bof; an empty result is both. A
// field reads the query's current row whenever it is asked.

#include "devhost/RowSet.h"
#include "ov/ComObject.h"
#include "ov/ComPtr.h"
#include "ov/Orvian.h"

#include <functional>
#include <memory>

namespace devhost {

class ResultQuery final : public ov::ComObject<ov::IOvQuery> {
public:
    // onMove is told the new row index whenever Next or Prior changes the current row.
    static ov::ComPtr<ResultQuery> create(std::shared_ptr<const RowSet> rows, int startRow = 0,
                                          std::function<void(int row)> onMove = {});

    int currentRow() const noexcept { return row_; }
    const RowSet& rows() const noexcept { return *rows_; }

    ov::HRESULT FieldValueByIndex(std::int32_t index, OvVariant* value) override;
    ov::HRESULT FieldValue(ov::BSTR columnName, OvVariant* value) override;
    ov::HRESULT Eof(ov::WordBool* eof) override;
    ov::HRESULT Next() override;
    ov::HRESULT RecordCount(std::int32_t* count) override;
    ov::HRESULT FieldCount(std::int32_t* count) override;
    ov::HRESULT Prior() override;
    ov::HRESULT FieldByIndex(std::int32_t index, ov::IOvField** field) override;
    ov::HRESULT FindField(ov::BSTR columnName, ov::IOvField** field) override;
    ov::HRESULT Bof(ov::WordBool* bof) override;

#define DEVHOST_UNUSED_QUERY_SLOT(n)                                                                         \
    ov::HRESULT ReservedSlot##n() override {                                                                 \
        return unusedSlot(#n);                                                                               \
    }
    DEVHOST_UNUSED_QUERY_SLOT(07)
    DEVHOST_UNUSED_QUERY_SLOT(12)
    DEVHOST_UNUSED_QUERY_SLOT(14)
    DEVHOST_UNUSED_QUERY_SLOT(16)
    DEVHOST_UNUSED_QUERY_SLOT(17)
    DEVHOST_UNUSED_QUERY_SLOT(18)
    DEVHOST_UNUSED_QUERY_SLOT(19)
    DEVHOST_UNUSED_QUERY_SLOT(20)
#undef DEVHOST_UNUSED_QUERY_SLOT

    // The value at the current row, for a field object.
    ov::HRESULT valueAt(int column, OvVariant* value) const;

private:
    ResultQuery(std::shared_ptr<const RowSet> rows, int startRow, std::function<void(int)> onMove);
    ~ResultQuery() override = default;
    static ov::HRESULT unusedSlot(const char* slot);
    int rowCount() const noexcept {
        return static_cast<int>(rows_->rows.size());
    }
    void moved();

    std::shared_ptr<const RowSet> rows_;
    std::function<void(int)> onMove_;
    int row_ = 0;
    bool bof_ = true;
    bool eof_ = true;
};

class ResultField final : public ov::ComObject<ov::IOvField> {
public:
    ResultField(ov::ComPtr<ResultQuery> query, int column) : query_(std::move(query)), column_(column) {}

    ov::HRESULT FieldName(ov::BSTR* name) override;
    ov::HRESULT FieldObjValue(OvVariant* value) override;

private:
    ~ResultField() override = default;
    ov::ComPtr<ResultQuery> query_;
    int column_;
};

} // namespace devhost
