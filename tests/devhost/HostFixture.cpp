#include "HostFixture.h"

#include "devhost/HostText.h"
#include "devhost/SqlRunner.h"
#include "ov/ErrorInfo.h"

namespace devhost::test {

ov::BStr bstr(const char* utf8) {
    return ov::BStr(ov::utf8ToUtf16(utf8));
}

std::string utf8(ov::BSTR text) {
    return toUtf8(text);
}

ov::Variant valueOf(ov::IOvQuery& query, int column) {
    ov::Variant value;
    EXPECT_EQ(query.FieldValueByIndex(column, value.put()), ov::S_OK) << ov::utf16ToUtf8(ov::takeErrorText());
    return value;
}

ov::Variant valueOf(ov::IOvQuery& query, const char* column) {
    ov::Variant value;
    EXPECT_EQ(query.FieldValue(bstr(column).get(), value.put()), ov::S_OK)
        << ov::utf16ToUtf8(ov::takeErrorText());
    return value;
}

bool atEof(ov::IOvQuery& query) {
    ov::WordBool eof = ov::VARIANT_FALSE;
    EXPECT_EQ(query.Eof(&eof), ov::S_OK);
    return ov::fromWordBool(eof);
}

HostFixture::HostFixture()
    : workstation(Workstation::create(tsql::Database::open(":memory:"), HostSettings{}, dialogs, windows)) {}

void HostFixture::TearDown() {
    EXPECT_TRUE(dialogs.unexpected().empty()) << dialogs.unexpected().front().toStdString();
    EXPECT_EQ(dialogs.pending(), 0u) << "expected dialogs that never appeared";
}

ov::ComPtr<ov::IOrvian> HostFixture::host(int number, std::int32_t command) {
    if (!browse || browse->number() != number)
        browse = workstation->openBrowse(number);
    return workstation->orvian(browse, command);
}

ov::HRESULT HostFixture::exec(const char* sql) {
    const ov::HRESULT hr = host()->ExecSql(bstr(sql).get());
    lastError = ov::utf16ToUtf8(ov::takeErrorText());
    return hr;
}

ov::ComPtr<ov::IOvQuery> HostFixture::query(const char* sql) {
    ov::ComPtr<ov::IOvQuery> q;
    const ov::HRESULT hr = host()->OpenSql(bstr(sql).get(), q.put());
    lastError = ov::utf16ToUtf8(ov::takeErrorText());
    EXPECT_EQ(hr, ov::S_OK) << lastError;
    return q;
}

void HostFixture::setUp(const char* sql) {
    try {
        runHostBatch(workstation->session(), sql);
    } catch (const BatchError& e) {
        FAIL() << "set-up batch failed: " << e.what();
    }
}

} // namespace devhost::test
