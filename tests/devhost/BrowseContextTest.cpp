// The browse context of a call: current and marked rows, owner chains across opened browses,
// the browse query that moves the browse's current row, refresh, locate, the pick dialogs, and
// the host services that only answer or record (versions, texts, print jobs).

#include "HostFixture.h"

#include "devhost/HostText.h"
#include "devhost/ValueMapping.h"
#include "ov/ErrorInfo.h"

namespace devhost::test {
namespace {

class BrowseContext : public HostFixture {
protected:
    void employees() {
        setUp("CREATE TABLE TabCisZam (ID int IDENTITY(1,1) PRIMARY KEY, Cislo int, PrijmeniJmeno "
              "nvarchar(100)) "
              "INSERT TabCisZam (Cislo, PrijmeniJmeno) VALUES (101, N'Novák Jan'), (102, N'Dvořák Petr'), "
              "(103, N'Svobodová Eva')");
    }
    std::int32_t instanceOf(ov::IOrvian& orvian) {
        std::int32_t id = 0;
        EXPECT_EQ(orvian.GetInstanceId(&id), ov::S_OK);
        return id;
    }
    ov::Variant currentId(ov::IOrvian& orvian) {
        ov::Variant id;
        EXPECT_EQ(orvian.GetCurrentId(id.put()), ov::S_OK);
        return id;
    }
};

TEST_F(BrowseContext, ACallSeesItsBrowseAndCommand) {
    auto orvian = host(kEmployeeBrowse, 5);
    EXPECT_TRUE(currentId(*orvian).isNull());
    ov::BStr marked;
    orvian->GetMarkedIds(marked.put());
    EXPECT_TRUE(marked.empty());

    browse->setCurrentId(12);
    browse->setMarked({12, 15, 17});
    EXPECT_EQ(currentId(*orvian).asInt(), 12);
    orvian->GetMarkedIds(marked.put());
    EXPECT_EQ(utf8(marked.get()), "12,15,17");
    std::int32_t number = 0, command = 0;
    orvian->GetBrowseNumber(&number);
    orvian->GetExtCommandId(&command);
    EXPECT_EQ(number, kEmployeeBrowse);
    EXPECT_EQ(command, 5);
    ov::BStr view;
    orvian->GetBrowseViewName(view.put());
    EXPECT_EQ(utf8(view.get()), "TabCisZam");
}

TEST_F(BrowseContext, OpenBrowseLinksToTheCallersCurrentRowAndOwner) {
    auto caller = host(kEmployeeBrowse);
    browse->setCurrentId(7);
    ASSERT_EQ(caller->OpenBrowse(11011, bstr("TabPrikaz.IDZam=:ID and :id>0").get()), ov::S_OK);
    ASSERT_EQ(windows.browses.size(), 1u);
    const auto opened = windows.browses[0];
    EXPECT_EQ(opened->condition().toStdString(), "TabPrikaz.IDZam=7 and 7>0");
    EXPECT_NE(opened->instanceId(), browse->instanceId());

    browse->setCurrentId(std::nullopt);
    ASSERT_EQ(caller->OpenBrowseFiltered(11011, bstr("TabPrikaz.ID=:ID").get()), ov::S_OK);
    ASSERT_EQ(caller->OpenBrowse(11011, bstr("TabPrikaz.ID=:ID").get()), ov::S_OK);
    EXPECT_EQ(windows.browses[1]->condition().toStdString(), "TabPrikaz.ID=:ID");
    EXPECT_EQ(windows.browses[2]->condition().toStdString(), "TabPrikaz.ID=NULL");

    // The opened browse's owner is the caller: a fresh interface with the caller's instance.
    auto child = workstation->orvian(opened, 0);
    ov::ComPtr<ov::IOrvian> owner, again, none;
    ASSERT_EQ(child->GetOwner(owner.put()), ov::S_OK);
    ASSERT_TRUE(owner);
    ASSERT_EQ(child->GetOwner(again.put()), ov::S_OK);
    EXPECT_NE(owner.get(), again.get());
    EXPECT_EQ(instanceOf(*owner), browse->instanceId());
    EXPECT_EQ(instanceOf(*again), browse->instanceId());
    EXPECT_EQ(owner->GetOwner(none.put()), ov::S_OK);
    EXPECT_FALSE(none);

    EXPECT_TRUE(ov::failed(caller->OpenBrowse(4242, bstr("").get())));
    EXPECT_NE(ov::utf16ToUtf8(ov::takeErrorText()).find("4242"), std::string::npos);
}

TEST_F(BrowseContext, NestedCallsShareTheSessionButKeepTheirOwnBrowses) {
    employees();
    auto outer = host(kEmployeeBrowse, 31);
    browse->setCurrentId(2);
    ASSERT_EQ(outer->ExecSql(bstr("CREATE TABLE #Shared (a int)").get()), ov::S_OK);
    ASSERT_EQ(outer->OpenBrowse(11011, bstr("").get()), ov::S_OK);

    // While the outer call is still running, the user starts a command in the opened browse.
    auto inner = workstation->orvian(windows.browses.at(0), 44);
    ASSERT_EQ(inner->ExecSql(bstr("INSERT #Shared VALUES (1)").get()), ov::S_OK);
    EXPECT_TRUE(currentId(*inner).isNull());
    std::int32_t command = 0;
    inner->GetExtCommandId(&command);
    EXPECT_EQ(command, 44);

    EXPECT_EQ(currentId(*outer).asInt(), 2);
    outer->GetExtCommandId(&command);
    EXPECT_EQ(command, 31);
    ov::ComPtr<ov::IOvQuery> q;
    ASSERT_EQ(outer->OpenSql(bstr("SELECT COUNT(*) FROM #Shared").get(), q.put()), ov::S_OK);
    EXPECT_EQ(valueOf(*q, 0).asInt(), 1);
}

TEST_F(BrowseContext, DefinedBrowsesComeFromTheOverviewTable) {
    setUp("CREATE TABLE TabObecnyPrehled (Cislo int, NazevSys nvarchar(128), Nazev nvarchar(255)) "
          "INSERT TabObecnyPrehled VALUES (5, N'dbo.hvw_LCDKonfigurace7EK', N'Konfigurace')");
    const auto defined = workstation->openBrowse(kDefinedBrowseBase + 5);
    EXPECT_EQ(defined->source().name.toStdString(), "hvw_LCDKonfigurace7EK");
    EXPECT_EQ(defined->source().title.toStdString(), "Konfigurace");
    EXPECT_THROW(workstation->openBrowse(kDefinedBrowseBase + 6), std::runtime_error);
}

TEST_F(BrowseContext, TheBrowseQueryMovesTheBrowsesCurrentRow) {
    employees();
    auto orvian = host(kEmployeeBrowse);
    browse->setCurrentId(2);
    ov::ComPtr<ov::IOvQuery> q;
    ASSERT_EQ(orvian->GetBrowseQuery(q.put()), ov::S_OK) << ov::utf16ToUtf8(ov::takeErrorText());
    std::int32_t count = 0;
    q->RecordCount(&count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(valueOf(*q, "Cislo").asInt(), 102);

    q->Next();
    EXPECT_EQ(currentId(*orvian).asInt(), 3);
    q->Next();
    EXPECT_TRUE(atEof(*q));
    EXPECT_EQ(currentId(*orvian).asInt(), 3);
    q->Prior();
    q->Prior();
    EXPECT_EQ(currentId(*orvian).asInt(), 1);
    ov::WordBool bof = 0;
    q->Prior();
    q->Bof(&bof);
    EXPECT_TRUE(ov::fromWordBool(bof));
    EXPECT_EQ(currentId(*orvian).asInt(), 1);
}

TEST_F(BrowseContext, RefreshShowsNewRowsAndLocateMovesToOne) {
    employees();
    auto orvian = host(kEmployeeBrowse);
    ASSERT_EQ(orvian->RefreshBrowse(-1), ov::S_OK);
    EXPECT_EQ(currentId(*orvian).asInt(), 1);
    setUp("INSERT TabCisZam (Cislo, PrijmeniJmeno) VALUES (104, N'Černý Karel')");
    ASSERT_EQ(orvian->RefreshBrowse(-1), ov::S_OK);
    EXPECT_EQ(browse->rows()->rows.size(), 4u);
    EXPECT_EQ(windows.refreshed.size(), 2u);

    const struct {
        const char* column;
        ov::Variant value;
        bool found;
        int currentAfter;
    } cases[] = {
        {"ID", ov::Variant::fromInt(4), true, 4},
        {"Cislo", ov::Variant::fromInt64(102), true, 2},
        {"PrijmeniJmeno", ov::Variant::fromString(u"svobodová eva"), true, 3},
        {"ID", ov::Variant::fromInt(99), false, 3},
        {"NoColumn", ov::Variant::fromInt(1), false, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        ov::WordBool found = 0;
        ASSERT_EQ(orvian->LocateInBrowse(bstr(c.column).get(), &c.value.raw(), &found), ov::S_OK);
        EXPECT_EQ(ov::fromWordBool(found), c.found);
        EXPECT_EQ(currentId(*orvian).asInt(), c.currentAfter);
    }
}

TEST_F(BrowseContext, ARefreshOfAnUnreadableSourceShowsNothingButSucceeds) {
    auto orvian = host(kEmployeeBrowse); // no TabCisZam in this database
    EXPECT_EQ(orvian->RefreshBrowse(0), ov::S_OK);
    EXPECT_FALSE(workstation->log.isEmpty());
    ov::ComPtr<ov::IOvQuery> q;
    EXPECT_TRUE(ov::failed(orvian->GetBrowseQuery(q.put())));
    EXPECT_NE(ov::utf16ToUtf8(ov::takeErrorText()).find("TabCisZam"), std::string::npos);
}

TEST_F(BrowseContext, SelectFromBrowseAnswersWithTheChosenKey) {
    employees();
    auto orvian = host(kEmployeeBrowse);
    dialogs.expectSelection(ov::Variant::fromInt(2)).expectSelection(std::nullopt);

    ov::Variant key = ov::Variant::fromInt(0);
    ov::WordBool selected = 0;
    ASSERT_EQ(orvian->SelectFromBrowse(kEmployeeBrowse, bstr("ID").get(), key.inOut(),
                                       bstr("TabCisZam.ID IN (1,2)").get(), bstr("Vyberte").get(), -1,
                                       &selected),
              ov::S_OK)
        << ov::utf16ToUtf8(ov::takeErrorText());
    EXPECT_TRUE(ov::fromWordBool(selected));
    EXPECT_EQ(key.asInt(), 2);
    EXPECT_EQ(dialogs.texts(DialogKind::Selection).front().toStdString(), "Vyberte");

    ASSERT_EQ(orvian->SelectFromBrowse(kEmployeeBrowse, bstr("ID").get(), key.inOut(), bstr("").get(),
                                       bstr("Vyberte").get(), -1, &selected),
              ov::S_OK);
    EXPECT_FALSE(ov::fromWordBool(selected));
    EXPECT_EQ(key.asInt(), 2);
}

TEST_F(BrowseContext, LookupInBrowseGivesTextAndKeyUnlessReadOnly) {
    employees();
    auto orvian = host(kEmployeeBrowse);
    dialogs.expectSelection(ov::Variant::fromInt(3)).expectSelection(ov::Variant::fromInt(1));
    ov::BStr text = bstr("Novák Jan");
    ov::Variant key = ov::Variant::fromInt(1);
    ov::WordBool chosen = 0;
    auto lookup = [&](ov::WordBool readOnly) {
        return orvian->LookupInBrowse(kEmployeeBrowse, bstr("PrijmeniJmeno").get(), bstr("ID").get(),
                                      text.inOut(), key.inOut(), bstr("").get(), bstr("Zaměstnanec").get(), 0,
                                      0, readOnly, 1, &chosen);
    };
    ASSERT_EQ(lookup(ov::VARIANT_FALSE), ov::S_OK) << ov::utf16ToUtf8(ov::takeErrorText());
    EXPECT_TRUE(ov::fromWordBool(chosen));
    EXPECT_EQ(utf8(text.get()), "Svobodová Eva");
    EXPECT_EQ(key.asInt(), 3);

    ASSERT_EQ(lookup(ov::VARIANT_TRUE), ov::S_OK);
    EXPECT_FALSE(ov::fromWordBool(chosen));
    EXPECT_EQ(key.asInt(), 3);
}

TEST_F(BrowseContext, PrintFormRecordsTheJobWithThePresetSetting) {
    auto orvian = host(11083);
    std::int32_t result = 0;
    ASSERT_EQ(orvian->PrintForm(11083, 7, bstr("TabVyrCisPrikaz.ID=1").get(), &result), ov::S_OK);
    ASSERT_EQ(workstation->printJobs.size(), 1u);
    EXPECT_TRUE(workstation->printJobs[0].printer.isEmpty());
    EXPECT_EQ(workstation->printJobs[0].copies, 1);

    setUp("CREATE TABLE TabDefTisk (ID int IDENTITY(1,1), FormDefID int, LoginName nvarchar(128), "
          "Prednastaveno bit, TiskFronta nvarchar(255), PocetKopii int) "
          "INSERT TabDefTisk (FormDefID, LoginName, Prednastaveno, TiskFronta, PocetKopii) VALUES "
          "(7, N'sa', 0, N'Office', 1), (7, N'sa', 1, N'Labels', 2), (7, N'other', 1, N'Elsewhere', 9)");
    ASSERT_EQ(orvian->PrintForm(11083, 7, bstr("TabVyrCisPrikaz.ID=2").get(), &result), ov::S_OK);
    const PrintJob& job = workstation->printJobs.back();
    EXPECT_EQ(job.formId, 7);
    EXPECT_EQ(job.condition.toStdString(), "TabVyrCisPrikaz.ID=2");
    EXPECT_EQ(job.printer.toStdString(), "Labels");
    EXPECT_EQ(job.copies, 2);
}

TEST_F(BrowseContext, AnsweringServicesGiveTheHostsSettings) {
    workstation->settings().sqlServerVersion = makeSqlServerVersion(10, 50, 1600);
    auto orvian = host();
    std::int32_t sqlVersion = 0;
    orvian->GetSqlServerVersion(&sqlVersion);
    EXPECT_EQ(sqlVersion, 0x0A320640);
    std::int64_t hostVersion = 0;
    orvian->GetHostVersion(&hostVersion);
    EXPECT_EQ(hostVersion, HostSettings{}.hostVersion);

    const struct {
        const char* attribute;
        bool named;
    } attributes[] = {
        {"TabKmenZbozi.SkupZbo", true}, {"TabKmenZbozi.RegCis", true}, {"TabStrom.Číslo", false}};
    for (const auto& a : attributes) {
        SCOPED_TRACE(a.attribute);
        ov::BStr name;
        ASSERT_EQ(orvian->GetAttributePublicName(bstr(a.attribute).get(), name.put()), ov::S_OK);
        EXPECT_EQ(!name.empty(), a.named);
    }
    ov::BStr conversion;
    orvian->GetAttributeConversion(bstr("TabKmenZbozi.KontrolaVyrC").get(), conversion.put());
    EXPECT_EQ(toQString(conversion.get()).split(u'\r').size(), 3);

    for (const auto& [number, present] :
         {std::pair{11820, true}, std::pair{8921, true}, std::pair{1, false}}) {
        ov::BStr caption;
        ASSERT_EQ(orvian->GetHostText(number, caption.put()), ov::S_OK);
        EXPECT_EQ(!caption.empty(), present) << number;
    }

    ASSERT_EQ(orvian->RegisterTables(bstr("dbo.TabA,dbo.TabB").get()), ov::S_OK);
    EXPECT_EQ(workstation->registeredTables,
              QStringList({QStringLiteral("dbo.TabA"), QStringLiteral("dbo.TabB")}));
}

TEST_F(BrowseContext, UnusedSlotsAndClosedWorkstationsFailWithAText) {
    auto orvian = host();
    EXPECT_EQ(orvian->ReservedSlot36(), ov::E_FAIL);
    EXPECT_NE(ov::utf16ToUtf8(ov::takeErrorText()).find("slot 36"), std::string::npos);
    ov::ComPtr<ov::IOvQuery> q;
    ASSERT_EQ(orvian->OpenSql(bstr("SELECT 1").get(), q.put()), ov::S_OK);
    EXPECT_EQ(q->ReservedSlot12(), ov::E_FAIL);
    EXPECT_NE(ov::utf16ToUtf8(ov::takeErrorText()).find("IOvQuery operation in slot 12"), std::string::npos);

    workstation.reset();
    std::int32_t number = 0;
    EXPECT_TRUE(ov::failed(orvian->GetBrowseNumber(&number)));
    EXPECT_NE(ov::utf16ToUtf8(ov::takeErrorText()).find("closed"), std::string::npos);
}

TEST_F(BrowseContext, RunBrowseActionOpensADocumentWindow) {
    auto orvian = host(4);
    ASSERT_EQ(orvian->RunBrowseAction(5, bstr("TabDokumenty.ID=3").get(), bstr("ActionOtevrit").get()),
              ov::S_OK);
    ASSERT_EQ(windows.documents.size(), 1u);
    EXPECT_EQ(windows.documents[0].action.toStdString(), "ActionOtevrit");
    EXPECT_TRUE(windows.documents[0].title.contains(QStringLiteral("TabDokumenty.ID=3")));
}

} // namespace
} // namespace devhost::test
