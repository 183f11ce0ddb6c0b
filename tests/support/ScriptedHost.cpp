#include "ScriptedHost.h"

#include "ov/ErrorInfo.h"

namespace testhost {

namespace {

QString text(const char16_t* s) {
    const auto view = ov::bstrView(s);
    return QString(reinterpret_cast<const QChar*>(view.data()), static_cast<qsizetype>(view.size()));
}

ov::BSTR bstr(const QString& s) {
    return ov::BStr(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()),
                                        static_cast<std::size_t>(s.size())))
        .detach();
}

ov::HRESULT failure(const QString& message) {
    return ov::fail(message.toStdU16String());
}

class ScriptedField final : public ov::ComObject<ov::IOvField> {
public:
    ScriptedField(QString name, ov::Variant value) : name_(std::move(name)), value_(std::move(value)) {}
    ov::HRESULT FieldName(ov::BSTR* name) override {
        *name = bstr(name_);
        return ov::S_OK;
    }
    ov::HRESULT FieldObjValue(OvVariant* value) override { return OvVariantCopy(value, &value_.raw()); }

private:
    ~ScriptedField() override = default;
    QString name_;
    ov::Variant value_;
};

} // namespace

ov::Variant v(int value) {
    return ov::Variant::fromInt(value);
}
ov::Variant v(const char16_t* s) {
    return ov::Variant::fromString(s);
}
ov::Variant v(const QString& s) {
    return ov::Variant::fromString(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()),
                                                       static_cast<std::size_t>(s.size())));
}
ov::Variant vnull() {
    return ov::Variant::null();
}

void ScriptedHost::answer(const QString& sql, Table result) {
    answers_.push_back({[sql](const QString& batch) { return batch == sql; }, std::move(result), {}});
}

void ScriptedHost::answerContaining(const QString& fragment, Table result) {
    answers_.push_back(
        {[fragment](const QString& batch) { return batch.contains(fragment); }, std::move(result), {}});
}

void ScriptedHost::failContaining(const QString& fragment, const QString& message) {
    answers_.push_back({[fragment](const QString& batch) { return batch.contains(fragment); }, {}, message});
}

ov::HRESULT ScriptedHost::GetCurrentId(OvVariant* id) {
    OvVariantInit(id);
    id->vt = OV_VT_NULL;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetMarkedIds(ov::BSTR* ids) {
    *ids = nullptr;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetBrowseNumber(std::int32_t* number) {
    *number = browseNumber;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetPeriodId(std::int32_t* id) {
    *id = 1;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetFontName(ov::BSTR* name) {
    *name = bstr(fontName);
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetFontHeight(std::int32_t* height) {
    *height = fontHeight;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetFontCharset(std::int32_t* charset) {
    *charset = 238; // East European
    return ov::S_OK;
}

ov::HRESULT ScriptedHost::ExecSql(ov::BSTR batch) {
    const QString sql = text(batch);
    batches << sql;
    for (const auto& a : answers_)
        if (a.matches(sql) && !a.error.isEmpty())
            return failure(a.error);
    return ov::S_OK;
}

ov::HRESULT ScriptedHost::OpenSql(ov::BSTR batch, ov::IOvQuery** query) {
    const QString sql = text(batch);
    queries << sql;
    *query = nullptr;
    for (const auto& a : answers_) {
        if (!a.matches(sql))
            continue;
        if (!a.error.isEmpty())
            return failure(a.error);
        *query = ov::ComPtr<ov::IOvQuery>(new ScriptedQuery(a.result)).detach();
        return ov::S_OK;
    }
    unexpected << sql;
    return failure(QStringLiteral("Neočekávaný dotaz: ") + sql);
}

ov::HRESULT ScriptedHost::RefreshBrowse(std::int32_t) {
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::LocateInBrowse(ov::BSTR, const OvVariant*, ov::WordBool* found) {
    *found = ov::VARIANT_FALSE;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::SelectFromBrowse(std::int32_t, ov::BSTR, OvVariant*, ov::BSTR, ov::BSTR,
                                           std::int32_t, ov::WordBool* selected) {
    *selected = ov::VARIANT_FALSE;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetApplicationHandle(std::uint64_t* handle) {
    if (fails("GetApplicationHandle"))
        return failure(failingText);
    *handle = 0x1234;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetApplicationIcon(std::uint64_t* handle) {
    *handle = 0x5678;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::ShowMessage(ov::BSTR t) {
    messages << text(t);
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::ShowError(ov::BSTR t) {
    errors << text(t);
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::AskYesNo(ov::BSTR question, std::int32_t, ov::WordBool* yes) {
    if (yesNoAnswers.empty())
        return failure(QStringLiteral("Nečekaný dotaz Ano/Ne: ") + text(question));
    *yes = ov::toWordBool(yesNoAnswers.front());
    yesNoAnswers.pop_front();
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::OpenBrowse(std::int32_t number, ov::BSTR linkCondition) {
    openedBrowses.push_back({number, text(linkCondition)});
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::OpenBrowseFiltered(std::int32_t number, ov::BSTR condition) {
    openedBrowses.push_back({number, text(condition)});
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetSpid(std::int16_t* spid) {
    *spid = 55;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetAttributePublicName(ov::BSTR tableColumn, ov::BSTR* name) {
    *name = bstr(text(tableColumn));
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetAttributeConversion(ov::BSTR, ov::BSTR* conversion) {
    *conversion = nullptr;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetHostVersion(std::int64_t* version) {
    *version = hostVersion;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetSqlServerVersion(std::int32_t* version) {
    *version = sqlServerVersion;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetExtCommandId(std::int32_t* id) {
    *id = extCommandId;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::AskYesNoCancel(ov::BSTR question, std::uint8_t*) {
    return failure(QStringLiteral("Nečekaný dotaz Ano/Ne/Storno: ") + text(question));
}
ov::HRESULT ScriptedHost::GetBrowseQuery(ov::IOvQuery** query) {
    *query = ov::ComPtr<ov::IOvQuery>(new ScriptedQuery({})).detach();
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetBrowseViewName(ov::BSTR* viewName) {
    *viewName = bstr(browseViewName);
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetOwner(ov::IOrvian** result) {
    *result = ov::ComPtr<ov::IOrvian>(owner).detach();
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetInstanceId(std::int32_t* id) {
    *id = instanceId;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::LookupInBrowse(std::int32_t, ov::BSTR, ov::BSTR, ov::BSTR*, OvVariant*, ov::BSTR,
                                         ov::BSTR, std::int32_t, std::int32_t, ov::WordBool, std::int32_t,
                                         ov::WordBool* chosen) {
    *chosen = ov::VARIANT_FALSE;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::ImportHostFile(std::int32_t, ov::BSTR, ov::WordBool* imported) {
    *imported = ov::VARIANT_FALSE;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetSystemDatabaseName(ov::BSTR* name) {
    *name = bstr(systemDatabaseName);
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::PrintForm(std::int32_t, std::int32_t, ov::BSTR, std::int32_t* result) {
    *result = 0;
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::RegisterTables(ov::BSTR) {
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::RunBrowseAction(std::int32_t, ov::BSTR, ov::BSTR) {
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetHostText(std::int32_t number, ov::BSTR* caption) {
    *caption = bstr(QStringLiteral("Text %1").arg(number));
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::SetDebugController(ov::IUnknown*) {
    return ov::S_OK;
}
ov::HRESULT ScriptedHost::GetDebugControllerName(ov::BSTR* name) {
    *name = nullptr;
    return ov::S_OK;
}

int ScriptedQuery::columnIndex(const QString& name) const {
    for (int i = 0; i < table_.columns.size(); ++i)
        if (table_.columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

ov::HRESULT ScriptedQuery::valueAt(int column, OvVariant* value) const {
    if (row_ < 0 || row_ >= static_cast<int>(table_.rows.size()))
        return failure(QStringLiteral("Žádný aktuální záznam"));
    const auto& row = table_.rows[static_cast<std::size_t>(row_)];
    if (column < 0 || column >= static_cast<int>(row.size()))
        return failure(QStringLiteral("Sloupec %1 neexistuje").arg(column));
    return OvVariantCopy(value, &row[static_cast<std::size_t>(column)].raw());
}

ov::HRESULT ScriptedQuery::FieldValueByIndex(std::int32_t index, OvVariant* value) {
    return valueAt(index, value);
}
ov::HRESULT ScriptedQuery::FieldValue(ov::BSTR columnName, OvVariant* value) {
    const int c = columnIndex(text(columnName));
    if (c < 0)
        return failure(QStringLiteral("Pole '%1' neexistuje").arg(text(columnName)));
    return valueAt(c, value);
}
ov::HRESULT ScriptedQuery::Eof(ov::WordBool* eof) {
    *eof = ov::toWordBool(row_ >= static_cast<int>(table_.rows.size()));
    return ov::S_OK;
}
ov::HRESULT ScriptedQuery::Next() {
    if (row_ < static_cast<int>(table_.rows.size()))
        ++row_;
    return ov::S_OK;
}
ov::HRESULT ScriptedQuery::RecordCount(std::int32_t* count) {
    *count = static_cast<std::int32_t>(table_.rows.size());
    return ov::S_OK;
}
ov::HRESULT ScriptedQuery::FieldCount(std::int32_t* count) {
    *count = static_cast<std::int32_t>(table_.columns.size());
    return ov::S_OK;
}
ov::HRESULT ScriptedQuery::Prior() {
    if (row_ > 0)
        --row_;
    return ov::S_OK;
}
ov::HRESULT ScriptedQuery::FieldByIndex(std::int32_t index, ov::IOvField** field) {
    *field = nullptr;
    if (index < 0 || index >= table_.columns.size())
        return failure(QStringLiteral("Sloupec %1 neexistuje").arg(index));
    ov::Variant value;
    if (row_ < static_cast<int>(table_.rows.size()))
        value = table_.rows[static_cast<std::size_t>(row_)][static_cast<std::size_t>(index)];
    *field = ov::ComPtr<ov::IOvField>(new ScriptedField(table_.columns[index], value)).detach();
    return ov::S_OK;
}
ov::HRESULT ScriptedQuery::FindField(ov::BSTR columnName, ov::IOvField** field) {
    *field = nullptr;
    const int c = columnIndex(text(columnName));
    return c < 0 ? ov::S_OK : FieldByIndex(c, field);
}
ov::HRESULT ScriptedQuery::Bof(ov::WordBool* bof) {
    *bof = ov::toWordBool(row_ == 0);
    return ov::S_OK;
}

} // namespace testhost
