#include "RunFixture.h"

#include "base/Host.h"
#include "core/BrowseAction.h"
#include "definitions/BrowseDefinitions.h"

using namespace provozmat;
using namespace provozmat::test;
using testhost::Table;
using testhost::v;

namespace {

constexpr const char* kGuid = "1A9E9A4F-6F07-4766-A65C-1EE781A2F65F";
constexpr const char* kProcedure = "dbo.epx_Provozmat_1A9E9A4F6F074766A65C1EE781A2F65F";

// What the action classes were asked to do.
struct Started {
    QString className;
    int browseIndex = -1;
    int browseId = -1;
    QString text;
};
std::vector<Started> started;

class RecordingAction : public TplgAkcePrehleduBase {
public:
    explicit RecordingAction(Started s) : s_(std::move(s)) {}
    QString SpustAkci(const QString& guid) override {
        s_.text = guid;
        started.push_back(s_);
        return {};
    }

private:
    Started s_;
};

void registerRecordingClass(const QString& name) {
    registerBrowseActionClass(
        name, {[name](const Host&, const QString&, int index) {
                   return std::make_unique<RecordingAction>(Started{name, index, -1, {}});
               },
               [name](const Host&, const TplgExtAkceDef& set) {
                   return std::make_unique<RecordingAction>(Started{name, -1, set.BrowseID, {}});
               }});
}

class ExternalCommand : public RunFixture {
protected:
    ExternalCommand() {
        started.clear();
        installed(kOwnVersion);
        registerRecordingClass("TdmPlgEALCD");
        registerRecordingClass("TdmPlgTabCisZam");
        host->extCommandId = 42;
        host->answer(
            "SELECT CAST(CAST(GUID AS UNIQUEIDENTIFIER) AS NVARCHAR(36))\rFROM TabExtKom WHERE ID=42",
            Table{{""}, {{v(kGuid)}}});
    }

    void dispatcher(bool exists, Table answer = {}) {
        host->answer(QStringLiteral("IF OBJECT_ID(N'") + kProcedure +
                         "', N'P') IS NULL SELECT 0 ELSE SELECT 1",
                     Table{{""}, {{v(exists ? 1 : 0)}}});
        if (exists)
            host->answer(QStringLiteral("EXEC ") + kProcedure, std::move(answer));
    }
};

TEST_F(ExternalCommand, DispatcherNamesABrowseByItsView) {
    dispatcher(true, Table{{"Text", "Browse"}, {{v(u"param"), v(u"HVW__LCDTerminal7EK")}}});
    EXPECT_EQ(run(), "");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].className, "TdmPlgEALCD");
    EXPECT_EQ(started[0].browseIndex, 2);
    EXPECT_EQ(started[0].text, "param");
}

TEST_F(ExternalCommand, DispatcherNamesAHostBrowseByNumber) {
    dispatcher(true, Table{{"Text", "Browse"}, {{v(u"x"), v(u"86")}}});
    EXPECT_EQ(run(), "");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].className, "TdmPlgTabCisZam");
    EXPECT_EQ(started[0].browseId, 86);
    EXPECT_EQ(started[0].text, "x");
}

TEST_F(ExternalCommand, BrowseNumberWithoutAnActionSetDoesNothing) {
    dispatcher(true, Table{{"Text", "Browse"}, {{v(u"x"), v(u"12345")}}});
    EXPECT_EQ(run(), "");
    EXPECT_TRUE(started.empty());
}

TEST_F(ExternalCommand, ANonNumericBrowseIsAnError) {
    dispatcher(true, Table{{"Text", "Browse"}, {{v(u"x"), v(u"hvw_Unknown")}}});
    EXPECT_EQ(run(),
              QStringLiteral("Procedura ") + kProcedure + " vrátila neplatné číslo přehledu \1hvw_Unknown\1");
}

TEST_F(ExternalCommand, WithoutDispatcherTheCurrentBrowseDecides) {
    dispatcher(false);
    host->browseNumber = 100005;
    host->browseViewName = "hvw__LCDTerminal7EK";
    EXPECT_EQ(run(), "");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].browseIndex, 2);
    EXPECT_EQ(started[0].text, QStringLiteral("{") + kGuid + "}");

    started.clear();
    host->browseNumber = 86;
    EXPECT_EQ(run(), "");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].browseId, 86);
}

TEST_F(ExternalCommand, ABrowseWithoutActionClassDoesNothing) {
    dispatcher(false);
    host->browseNumber = 100009;
    host->browseViewName = "hvw__KontrolniPostupHodnoty7EK";
    EXPECT_EQ(run(), "");
    EXPECT_TRUE(started.empty());
}

TEST_F(ExternalCommand, AnActionClassMissingFromThisBuildSaysSo) {
    dispatcher(false);
    host->browseNumber = 100003;
    host->browseViewName = "hvw__KontrolniPostupPolozka7EK";
    EXPECT_EQ(run(), "Funkce \1TdmPlgKontrolniPostupPolozka\1 není v tomto sestavení pluginu k dispozici.");
}

TEST_F(ExternalCommand, AnUnknownCommandRowIsRefused) {
    host->extCommandId = 43;
    host->answer("SELECT CAST(CAST(GUID AS UNIQUEIDENTIFIER) AS NVARCHAR(36))\rFROM TabExtKom WHERE ID=43",
                 Table{{""}, {}});
    EXPECT_EQ(run(), "Neznámá akce!");
}

} // namespace
