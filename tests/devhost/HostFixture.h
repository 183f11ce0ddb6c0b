#pragma once
// A workstation on a fresh in-memory database with scripted dialogs and recorded windows, and
// shorthands for calling it through the IOrvian boundary as the plug-in does.

#include "devhost/ScriptedDialogs.h"
#include "devhost/Workstation.h"
#include "ov/BStr.h"
#include "ov/ComPtr.h"
#include "ov/Variant.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace devhost::test {

ov::BStr bstr(const char* utf8);
std::string utf8(ov::BSTR text);

// The value of column `column` at the query's current row.
ov::Variant valueOf(ov::IOvQuery& query, int column);
ov::Variant valueOf(ov::IOvQuery& query, const char* column);
bool atEof(ov::IOvQuery& query);

class HostFixture : public ::testing::Test {
protected:
    HostFixture();
    void TearDown() override;

    // The IOrvian of a call in browse `number` (opened on first use) with the given command.
    ov::ComPtr<ov::IOrvian> host(int number = kEmployeeBrowse, std::int32_t command = 0);
    // Runs through ExecSql / OpenSql; the failure text is in lastError.
    ov::HRESULT exec(const char* sql);
    ov::ComPtr<ov::IOvQuery> query(const char* sql);
    // Runs SQL directly on the session, failing the test on an error (set-up of test data).
    void setUp(const char* sql);

    ScriptedDialogs dialogs;
    RecordingWindows windows;
    std::shared_ptr<Workstation> workstation;
    std::shared_ptr<Browse> browse; // the browse of host()
    std::string lastError;
};

} // namespace devhost::test
