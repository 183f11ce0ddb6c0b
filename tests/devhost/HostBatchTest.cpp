// Batches through the IOrvian boundary: the error rules, the rollback of a failed batch's
// transaction, which result set OpenSql hands over, how values arrive, and the session state
// (temp tables) that lives from call to call.

#include "HostFixture.h"

#include "devhost/ValueMapping.h"
#include "ov/ErrorInfo.h"

#include <QTemporaryDir>

#include <cmath>

namespace devhost::test {
namespace {

class HostBatch : public HostFixture {};

struct ErrorCase {
    const char* sql;
    bool succeeds;
    const char* errorText; // the whole failure text, or a part of it for engine messages
};

TEST_F(HostBatch, FailsWithTheFirstErrorOnceTheBatchHasEnded) {
    setUp("CREATE TABLE Log (a int)");
    const ErrorCase cases[] = {
        {"RAISERROR('Chyba %d v %s', 16, 1, 5, N'dávce')", false, "Chyba 5 v dávce"},
        {"RAISERROR('first', 16, 1) RAISERROR('second', 16, 1)", false, "first"},
        {"RAISERROR('only a message', 10, 1)", true, ""},
        {"PRINT 'progress'", true, ""},
        {"SELECT * FROM NoSuchTable", false, "NoSuchTable"},
        // The batch goes on after a statement-ending error; the call still fails.
        {"RAISERROR('stop', 16, 1) INSERT Log VALUES (1)", false, "stop"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.sql);
        const ov::HRESULT hr = exec(c.sql);
        EXPECT_EQ(ov::succeeded(hr), c.succeeds);
        if (!c.succeeds) {
            EXPECT_NE(lastError.find(c.errorText), std::string::npos) << lastError;
        }

        ov::ComPtr<ov::IOvQuery> q;
        EXPECT_EQ(ov::succeeded(host()->OpenSql(bstr(c.sql).get(), q.put())), c.succeeds);
        const std::string openError = ov::utf16ToUtf8(ov::takeErrorText());
        if (!c.succeeds) {
            EXPECT_FALSE(q);
            EXPECT_NE(openError.find(c.errorText), std::string::npos) << openError;
        }
    }
    // The INSERT after the error ran, once for each call: only the call reports the failure.
    EXPECT_EQ(valueOf(*query("SELECT COUNT(*) FROM Log"), 0).asInt(), 2);
}

TEST_F(HostBatch, AFailedBatchLeavesNoOpenTransactionBehind) {
    setUp("CREATE TABLE Stock (qty int)");
    EXPECT_TRUE(ov::failed(exec("BEGIN TRAN INSERT Stock VALUES (5) RAISERROR('no stock', 16, 1)")));
    EXPECT_EQ(lastError, "no stock");
    EXPECT_EQ(workstation->session().tranCount(), 0);
    EXPECT_EQ(valueOf(*query("SELECT COUNT(*) FROM Stock"), 0).asInt(), 0);

    // A transaction of a batch that succeeded stays open for the next call.
    ASSERT_EQ(exec("BEGIN TRAN INSERT Stock VALUES (7)"), ov::S_OK) << lastError;
    EXPECT_EQ(workstation->session().tranCount(), 1);
    ASSERT_EQ(exec("COMMIT"), ov::S_OK) << lastError;
    EXPECT_EQ(valueOf(*query("SELECT SUM(qty) FROM Stock"), 0).asInt(), 7);
}

TEST_F(HostBatch, OpenSqlGivesTheFirstResultSetWithColumns) {
    setUp("CREATE TABLE Pieces (id int IDENTITY(1,1), qty int)");
    auto q = query("DECLARE @q int SELECT @q = 4 "
                   "INSERT Pieces (qty) VALUES (@q) "
                   "SELECT qty FROM Pieces "
                   "SELECT 99 AS other");
    ASSERT_TRUE(q);
    std::int32_t columns = 0;
    q->FieldCount(&columns);
    EXPECT_EQ(columns, 1);
    EXPECT_EQ(valueOf(*q, "qty").asInt(), 4);

    ov::ComPtr<ov::IOvField> other;
    EXPECT_EQ(q->FindField(bstr("other").get(), other.put()), ov::S_OK);
    EXPECT_FALSE(other);
}

TEST_F(HostBatch, ABatchWithoutResultSetStillGivesAnEmptyQuery) {
    setUp("CREATE TABLE Pieces (qty int)");
    for (const char* sql : {"INSERT Pieces VALUES (1)", "SELECT qty FROM Pieces WHERE qty > 5"}) {
        SCOPED_TRACE(sql);
        auto q = query(sql);
        ASSERT_TRUE(q);
        EXPECT_TRUE(atEof(*q));
        ov::WordBool bof = ov::VARIANT_FALSE;
        q->Bof(&bof);
        EXPECT_TRUE(ov::fromWordBool(bof));
        std::int32_t count = -1;
        q->RecordCount(&count);
        EXPECT_EQ(count, 0);
        ov::ComPtr<ov::IOvField> field;
        EXPECT_EQ(q->FindField(bstr("Pozn").get(), field.put()), ov::S_OK);
        EXPECT_FALSE(field);
        ov::Variant value;
        EXPECT_TRUE(ov::failed(q->FieldValueByIndex(0, value.put())));
        ov::clearErrorText();
    }
}

struct MappingCase {
    const char* expression;
    OvVarType type;
    const char* text; // as displayText shows it
};

TEST_F(HostBatch, ValuesArriveInTheHostsVariantTypes) {
    const MappingCase cases[] = {
        {"CAST(1 AS bit)", OV_VT_BOOL, "1"},
        {"CAST(0 AS bit)", OV_VT_BOOL, "0"},
        {"CAST(200 AS tinyint)", OV_VT_I4, "200"},
        {"CAST(-7 AS smallint)", OV_VT_I4, "-7"},
        {"2147483647", OV_VT_I4, "2147483647"},
        {"CAST(9000000000 AS bigint)", OV_VT_I8, "9000000000"},
        {"CAST(-12.345 AS numeric(10,3))", OV_VT_DECIMAL, "-12.345"},
        {"CAST(12.5 AS decimal(19,6))", OV_VT_DECIMAL, "12.500000"},
        {"CAST(12345678901234567890.5 AS numeric(38,1))", OV_VT_DECIMAL, "12345678901234567890.5"},
        {"CAST(12.3456 AS money)", OV_VT_CY, "12.3456"},
        {"CAST(-1.5 AS float)", OV_VT_R8, "-1.5"},
        {"CAST('2016-11-14 15:12:10' AS datetime)", OV_VT_DATE, "2016-11-14 15:12:10.000"},
        {"N'Žluťoučký kůň'", OV_VT_BSTR, "Žluťoučký kůň"},
        {"CAST('ab ' AS char(4))", OV_VT_BSTR, "ab  "},
        {"CAST('AB' AS varbinary(2))", OV_VT_BYTES, "0x4142"},
        {"CAST(NULL AS int)", OV_VT_NULL, ""},
        {"CAST(NULL AS nvarchar(10))", OV_VT_NULL, ""},
    };
    for (const MappingCase& c : cases) {
        SCOPED_TRACE(c.expression);
        auto q = query((std::string("SELECT ") + c.expression).c_str());
        ASSERT_TRUE(q);
        const ov::Variant value = valueOf(*q, 0);
        EXPECT_EQ(value.type(), c.type);
        EXPECT_EQ(displayText(value).toStdString(), c.text);
    }
}

TEST_F(HostBatch, DatesAreOleDayNumbers) {
    auto q = query("SELECT CAST('1899-12-30' AS datetime), CAST('2016-11-14 18:00' AS datetime)");
    EXPECT_DOUBLE_EQ(valueOf(*q, 0).asDate(), 0.0);
    EXPECT_DOUBLE_EQ(valueOf(*q, 1).asDate(), 42688.75);
}

TEST_F(HostBatch, NullEmptyTextAndZeroStayDistinct) {
    setUp("CREATE TABLE Notes (id int, txt nvarchar(20), n int) "
          "INSERT Notes VALUES (1, NULL, NULL), (2, N'', 0)");
    auto q = query("SELECT txt, n FROM Notes ORDER BY id");
    EXPECT_TRUE(valueOf(*q, "txt").isNull());
    EXPECT_TRUE(valueOf(*q, "n").isNull());
    q->Next();
    const ov::Variant text = valueOf(*q, "txt");
    ASSERT_EQ(text.type(), OV_VT_BSTR);
    EXPECT_TRUE(text.asString().empty());
    const ov::Variant zero = valueOf(*q, "n");
    ASSERT_EQ(zero.type(), OV_VT_I4);
    EXPECT_EQ(zero.asInt(), 0);
}

TEST_F(HostBatch, TempTablesLiveFromCallToCall) {
    ASSERT_EQ(exec("CREATE TABLE #VyrCis_IDs (ID int)"), ov::S_OK) << lastError;
    ASSERT_EQ(exec("INSERT #VyrCis_IDs VALUES (3), (4)"), ov::S_OK) << lastError;
    EXPECT_EQ(valueOf(*query("SELECT SUM(ID) FROM #VyrCis_IDs"), 0).asInt(), 7);
}

TEST(Workstations, ShareTablesButNotTempTablesOrSpids) {
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("host.db")).toStdString();
    ScriptedDialogs dialogs;
    RecordingWindows windows;
    HostSettings first;
    first.spid = 51;
    HostSettings second;
    second.spid = 52;
    auto a = Workstation::create(tsql::Database::open(path), first, dialogs, windows);
    auto b = Workstation::create(tsql::Database::open(path), second, dialogs, windows);
    auto hostA = a->orvian(a->openBrowse(kEmployeeBrowse), 0);
    auto hostB = b->orvian(b->openBrowse(kEmployeeBrowse), 0);

    ASSERT_EQ(
        hostA->ExecSql(
            bstr("CREATE TABLE Shared (a int) INSERT Shared VALUES (1) CREATE TABLE #Mine (a int)").get()),
        ov::S_OK)
        << ov::utf16ToUtf8(ov::takeErrorText());
    ov::ComPtr<ov::IOvQuery> q;
    ASSERT_EQ(hostB->OpenSql(bstr("SELECT COUNT(*), @@SPID FROM Shared").get(), q.put()), ov::S_OK);
    EXPECT_EQ(valueOf(*q, 0).asInt(), 1);
    EXPECT_EQ(valueOf(*q, 1).asInt(), 52);
    EXPECT_TRUE(ov::failed(hostB->ExecSql(bstr("INSERT #Mine VALUES (1)").get())));
    ov::clearErrorText();

    std::int16_t spid = 0;
    hostA->GetSpid(&spid);
    EXPECT_EQ(spid, 51);
}

TEST_F(HostBatch, QueryNavigationAndFieldObjectsFollowTheCurrentRow) {
    auto q = query("SELECT 1 AS n UNION ALL SELECT 2 UNION ALL SELECT 3 ORDER BY n");
    ov::ComPtr<ov::IOvField> field;
    ASSERT_EQ(q->FieldByIndex(0, field.put()), ov::S_OK);
    ov::BStr name;
    field->FieldName(name.put());
    EXPECT_EQ(utf8(name.get()), "n");

    auto fieldValue = [&] {
        ov::Variant v;
        EXPECT_EQ(field->FieldObjValue(v.put()), ov::S_OK);
        return v.asInt();
    };
    ov::WordBool bof = 0;
    q->Bof(&bof);
    EXPECT_TRUE(ov::fromWordBool(bof));
    EXPECT_EQ(fieldValue(), 1);
    q->Next();
    q->Next();
    EXPECT_EQ(fieldValue(), 3);
    EXPECT_FALSE(atEof(*q));
    q->Next(); // past the last row: Eof, and the last row stays current
    EXPECT_TRUE(atEof(*q));
    EXPECT_EQ(fieldValue(), 3);
    q->Prior();
    EXPECT_FALSE(atEof(*q));
    EXPECT_EQ(fieldValue(), 2);
    q->Prior();
    q->Prior();
    q->Bof(&bof);
    EXPECT_TRUE(ov::fromWordBool(bof));
    EXPECT_EQ(fieldValue(), 1);

    EXPECT_TRUE(ov::failed(q->FieldByIndex(5, field.put())));
    EXPECT_FALSE(ov::takeErrorText().empty());
}

} // namespace
} // namespace devhost::test
