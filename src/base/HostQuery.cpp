#include "base/HostQuery.h"

#include "base/HostCall.h"
#include "base/Text.h"

namespace provozmat {

bool HostQuery::eof() const {
    ov::WordBool result = ov::VARIANT_TRUE;
    checkHost(query_->Eof(&result), "Eof");
    return ov::fromWordBool(result);
}

bool HostQuery::bof() const {
    ov::WordBool result = ov::VARIANT_TRUE;
    checkHost(query_->Bof(&result), "Bof");
    return ov::fromWordBool(result);
}

void HostQuery::next() {
    checkHost(query_->Next(), "Next");
}

void HostQuery::prior() {
    checkHost(query_->Prior(), "Prior");
}

int HostQuery::recordCount() const {
    std::int32_t count = 0;
    checkHost(query_->RecordCount(&count), "RecordCount");
    return count;
}

int HostQuery::fieldCount() const {
    std::int32_t count = 0;
    checkHost(query_->FieldCount(&count), "FieldCount");
    return count;
}

HostValue HostQuery::value(int index) const {
    ov::Variant v;
    checkHost(query_->FieldValueByIndex(index, v.put()), "FieldValueByIndex");
    return HostValue(std::move(v));
}

HostValue HostQuery::value(const QString& columnName) const {
    ov::Variant v;
    checkHost(query_->FieldValue(toBStr(columnName).get(), v.put()), "FieldValue");
    return HostValue(std::move(v));
}

QString HostQuery::fieldName(int index) const {
    ov::ComPtr<ov::IOvField> field;
    checkHost(query_->FieldByIndex(index, field.put()), "FieldByIndex");
    ov::BStr name;
    if (field)
        checkHost(field->FieldName(name.put()), "FieldName");
    return fromBStr(name.get());
}

bool HostQuery::hasField(const QString& columnName) const {
    ov::ComPtr<ov::IOvField> field;
    checkHost(query_->FindField(toBStr(columnName).get(), field.put()), "FindField");
    return static_cast<bool>(field);
}

std::optional<HostValue> HostQuery::findValue(const QString& columnName) const {
    ov::ComPtr<ov::IOvField> field;
    checkHost(query_->FindField(toBStr(columnName).get(), field.put()), "FindField");
    if (!field)
        return std::nullopt;
    ov::Variant v;
    checkHost(field->FieldObjValue(v.put()), "FieldObjValue");
    return HostValue(std::move(v));
}

} // namespace provozmat
