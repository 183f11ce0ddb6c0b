#pragma once
// A host whose answers a test sets up: query results by batch text, the browse context,
// versions and dialog answers. It records every batch, message and browse it is asked for,
// and fails a query that nobody expected, so a test sees exactly what the plug-in did.

#include "ov/ComObject.h"
#include "ov/ComPtr.h"
#include "ov/Orvian.h"
#include "ov/Variant.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace testhost {

// A result set: column names and rows of values.
struct Table {
    QStringList columns;
    std::vector<std::vector<ov::Variant>> rows;
};

// Shorthands for table values.
ov::Variant v(int value);
ov::Variant v(const char16_t* text);
ov::Variant v(const QString& text);
ov::Variant vnull();

// One answer: the batches it serves (a predicate over the batch text), and either a result
// or an error text.
struct Answer {
    std::function<bool(const QString& batch)> matches;
    Table result;
    QString error;
};

struct BrowseCall {
    int browseNumber;
    QString condition;
};

class ScriptedHost final : public ov::ComObject<ov::IOrvian> {
public:
    static ov::ComPtr<ScriptedHost> create() { return ov::ComPtr<ScriptedHost>(new ScriptedHost); }

    // Set-up.
    int browseNumber = 0;
    int extCommandId = 0;
    std::int64_t hostVersion = 0x00000200'20260101LL;
    std::int32_t sqlServerVersion = 0x0A000FA0; // 10.0.4000
    int instanceId = 1;
    ov::ComPtr<ov::IOrvian> owner;
    QString browseViewName;
    QString systemDatabaseName = QStringLiteral("OrvianSystem");
    QString fontName = QStringLiteral("Tahoma");
    int fontHeight = -11;
    std::deque<bool> yesNoAnswers; // AskYesNo pops from here; an empty queue fails the call
    QString failingOperation;      // the operation of this name fails with failingText
    QString failingText = QStringLiteral("Chyba hostitele");

    // Answers a batch whose text equals sql exactly.
    void answer(const QString& sql, Table result);
    // Answers a batch that contains fragment.
    void answerContaining(const QString& fragment, Table result);
    // Fails a batch that contains fragment with the text.
    void failContaining(const QString& fragment, const QString& text);

    // What happened.
    QStringList queries;    // OpenSql batches in order
    QStringList batches;    // ExecSql batches in order
    QStringList messages;   // ShowMessage texts
    QStringList errors;     // ShowError texts
    QStringList unexpected; // batches no answer served
    std::vector<BrowseCall> openedBrowses;

    // IOrvian
    ov::HRESULT GetCurrentId(OvVariant* id) override;
    ov::HRESULT GetMarkedIds(ov::BSTR* ids) override;
    ov::HRESULT GetBrowseNumber(std::int32_t* number) override;
    ov::HRESULT GetPeriodId(std::int32_t* id) override;
    ov::HRESULT GetFontName(ov::BSTR* name) override;
    ov::HRESULT GetFontHeight(std::int32_t* height) override;
    ov::HRESULT GetFontCharset(std::int32_t* charset) override;
    ov::HRESULT ExecSql(ov::BSTR batch) override;
    ov::HRESULT OpenSql(ov::BSTR batch, ov::IOvQuery** query) override;
    ov::HRESULT RefreshBrowse(std::int32_t mode) override;
    ov::HRESULT LocateInBrowse(ov::BSTR column, const OvVariant* value, ov::WordBool* found) override;
    ov::HRESULT SelectFromBrowse(std::int32_t browseNumber, ov::BSTR keyColumn, OvVariant* key,
                                 ov::BSTR condition, ov::BSTR caption, std::int32_t flag,
                                 ov::WordBool* selected) override;
    ov::HRESULT GetApplicationHandle(std::uint64_t* handle) override;
    ov::HRESULT GetApplicationIcon(std::uint64_t* handle) override;
    ov::HRESULT ShowMessage(ov::BSTR text) override;
    ov::HRESULT ShowError(ov::BSTR text) override;
    ov::HRESULT AskYesNo(ov::BSTR question, std::int32_t defaultButton, ov::WordBool* yes) override;
    ov::HRESULT OpenBrowse(std::int32_t browseNumber, ov::BSTR linkCondition) override;
    ov::HRESULT OpenBrowseFiltered(std::int32_t browseNumber, ov::BSTR condition) override;
    ov::HRESULT GetSpid(std::int16_t* spid) override;
    ov::HRESULT GetAttributePublicName(ov::BSTR tableColumn, ov::BSTR* name) override;
    ov::HRESULT GetAttributeConversion(ov::BSTR tableColumn, ov::BSTR* conversion) override;
    ov::HRESULT GetHostVersion(std::int64_t* version) override;
    ov::HRESULT GetSqlServerVersion(std::int32_t* version) override;
    ov::HRESULT GetExtCommandId(std::int32_t* id) override;
    ov::HRESULT AskYesNoCancel(ov::BSTR question, std::uint8_t* answer) override;
    ov::HRESULT GetBrowseQuery(ov::IOvQuery** query) override;
    ov::HRESULT GetBrowseViewName(ov::BSTR* viewName) override;
    ov::HRESULT GetOwner(ov::IOrvian** owner) override;
    ov::HRESULT GetInstanceId(std::int32_t* id) override;
    ov::HRESULT LookupInBrowse(std::int32_t browseNumber, ov::BSTR displayColumn, ov::BSTR keyColumn,
                               ov::BSTR* displayText, OvVariant* key, ov::BSTR condition, ov::BSTR caption,
                               std::int32_t reserved1, std::int32_t reserved2, ov::WordBool readOnly,
                               std::int32_t positioning, ov::WordBool* chosen) override;
    ov::HRESULT ImportHostFile(std::int32_t kind, ov::BSTR path, ov::WordBool* imported) override;
    ov::HRESULT GetSystemDatabaseName(ov::BSTR* name) override;
    ov::HRESULT PrintForm(std::int32_t browseNumber, std::int32_t formId, ov::BSTR condition,
                          std::int32_t* result) override;
    ov::HRESULT RegisterTables(ov::BSTR tableNames) override;
    ov::HRESULT RunBrowseAction(std::int32_t browseNumber, ov::BSTR condition, ov::BSTR actionName) override;
    ov::HRESULT GetHostText(std::int32_t number, ov::BSTR* caption) override;
    ov::HRESULT SetDebugController(ov::IUnknown* controller) override;
    ov::HRESULT GetDebugControllerName(ov::BSTR* name) override;

private:
    ScriptedHost() = default;
    ~ScriptedHost() override = default;
    bool fails(const char* operation) const { return failingOperation == QLatin1String(operation); }

    std::vector<Answer> answers_;
};

// A result set as the host hands it over, positioned on its first row.
class ScriptedQuery final : public ov::ComObject<ov::IOvQuery> {
public:
    explicit ScriptedQuery(Table table) : table_(std::move(table)) {}

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

private:
    ~ScriptedQuery() override = default;
    int columnIndex(const QString& name) const;
    ov::HRESULT valueAt(int column, OvVariant* value) const;

    Table table_;
    int row_ = 0;
};

} // namespace testhost
