#include "core/PluginKonfig.h"
#include "core/Versions.h"

#include <gtest/gtest.h>

#include <functional>

using namespace provozmat;

namespace {

// An identity whose values a test changes from this plug-in's.
class TestKonfig : public TPluginKonfigBase {
public:
    static inline std::function<void(TestKonfig&)> change;
    QString publicName = QStringLiteral("Terminatek");

    QString GetPluginVerejneJmeno() const override { return publicName; }
    QString PartnerIdentification() const override { return QStringLiteral("Test"); }
    void NaplnIdentitu() override {
        FPluginClass_ID = ov::guid("{846619A5-4329-4D71-BB17-0199D15D1A83}");
        FPluginSystemoveJmeno = QStringLiteral("Provozmat");
        FPluginClassName = QStringLiteral("go");
        FPluginPrefixTabulek = QStringLiteral("KTab");
        FPluginMinimalniPozadovanaVerzeOrvianu = makeVersion(0x00000200, 0x20140101);
        FPluginMinimalniPozadovanaVerzeSQLServeru = makeSqlServerVersion(10, 0, 0);
        if (change)
            change(*this);
    }
};

QString selfCheckOf(std::function<void(TestKonfig&)> change) {
    TestKonfig::change = std::move(change);
    try {
        TPluginKonfigBase::Create<TestKonfig>();
        TestKonfig::change = nullptr;
        return {};
    } catch (const IdentityError& e) {
        TestKonfig::change = nullptr;
        return e.text();
    }
}

} // namespace

TEST(PluginKonfig, ThisPluginPassesWithItsValues) {
    const TPluginKonfig& k = pluginKonfig();
    EXPECT_EQ(k.SysAndClassName(), "Provozmat.go");
    EXPECT_EQ(k.FPluginClass_ID.toString(), "{846619A5-4329-4D71-BB17-0199D15D1A83}");
    EXPECT_EQ(k.FPluginPrefixTabulek, "KTab");
    EXPECT_EQ(k.FPluginMinimalniPozadovanaVerzeSQLServeru, 0x0A000000);
    EXPECT_EQ(k.FPluginMinimalniPozadovanaVerzeOrvianu, 0x00000200'20140101u);
    EXPECT_EQ(k.FPluginMinimalniPozadovanaVerzeOrvianu_ver3, 0u);
    EXPECT_TRUE(k.FPluginJeVyzadovanRestartOrvianu); // the base default stays
    EXPECT_EQ(k.GetPluginVerejneJmeno(), "Terminatek");
    EXPECT_EQ(k.PartnerIdentification(), "Korvel s.r.o");
    EXPECT_EQ(k.GetPluginProgressBarColor(), 0xFFFFFFu);
    EXPECT_EQ(k.PluginJazykoveDLL_Ext(2), "ProvozmatLng2.DLL");
    EXPECT_TRUE(k.FAutoImp_Formulare_Cesky.isEmpty());
}

TEST(PluginKonfig, SelfCheckReportsEachBrokenRule) {
    struct Case {
        const char* what;
        std::function<void(TestKonfig&)> change;
        const char* message; // empty: passes
    };
    const QString thirty(30, u'x');
    const Case cases[] = {
        {"no class ID", [](TestKonfig& k) { k.FPluginClass_ID = {}; },
         "\r- nevyplneno FPluginClass_ID (GUID pluginu)"},
        {"no system name", [](TestKonfig& k) { k.FPluginSystemoveJmeno.clear(); },
         "\r- nevyplneno FPluginSystemoveJmeno"},
        {"system name of 30", [&](TestKonfig& k) { k.FPluginSystemoveJmeno = thirty; }, ""},
        {"system name of 31", [&](TestKonfig& k) { k.FPluginSystemoveJmeno = thirty + u'y'; },
         "\r- delka FPluginSystemoveJmeno muze byt max. 30 znaku"},
        {"no class name", [](TestKonfig& k) { k.FPluginClassName.clear(); },
         "\r- nevyplneno FPluginClassName"},
        {"class name of 31", [&](TestKonfig& k) { k.FPluginClassName = thirty + u'y'; },
         "\r- delka FPluginClassName muze byt max. 30 znaku"},
        {"no public name", [](TestKonfig& k) { k.publicName.clear(); },
         "\r- nevyplneno GetPluginVerejneJmeno"},
        {"public name of 31", [&](TestKonfig& k) { k.publicName = thirty + u'y'; },
         "\r- delka PluginVerejneJmeno muze byt max. 30 znaku"},
        {"no prefix", [](TestKonfig& k) { k.FPluginPrefixTabulek.clear(); },
         "\r- nevyplneno FPluginPrefixTabulek"},
        {"prefix Vyr", [](TestKonfig& k) { k.FPluginPrefixTabulek = "Vyr"; },
         "\r- FPluginPrefixTabulek nesmi zacinat na 'V'"},
        {"prefix hvw_", [](TestKonfig& k) { k.FPluginPrefixTabulek = "hvw_X"; },
         "\r- FPluginPrefixTabulek nesmi zacinat na 'hvw_'"},
        {"no host minimum", [](TestKonfig& k) { k.FPluginMinimalniPozadovanaVerzeOrvianu = 0; },
         "\r- nevyplneno FPluginMinimalniPozadovanaVerzeOrvianu[_ver3]"},
        {"only the generation-3 minimum",
         [](TestKonfig& k) {
             k.FPluginMinimalniPozadovanaVerzeOrvianu = 0;
             k.FPluginMinimalniPozadovanaVerzeOrvianu_ver3 = makeVersion(0x300, 0x20170300);
         },
         ""},
        {"no SQL Server minimum", [](TestKonfig& k) { k.FPluginMinimalniPozadovanaVerzeSQLServeru = 0; },
         "\r- nevyplneno FPluginMinimalniPozadovanaVerzeSQLServeru"},
        {"SQL Server 2005", [](TestKonfig& k) { k.FPluginMinimalniPozadovanaVerzeSQLServeru = 0x09000000; },
         "\r- FPluginMinimalniPozadovanaVerzeSQLServeru - MS SQL 2005 ci nizsi uz nelze"},
        {"SQL Server 2008", [](TestKonfig& k) { k.FPluginMinimalniPozadovanaVerzeSQLServeru = 0x0A000000; },
         ""},
    };
    for (const auto& c : cases) {
        const QString expected = *c.message ? QStringLiteral("Chyby konfigurace\r") + c.message : QString();
        EXPECT_EQ(selfCheckOf(c.change), expected) << c.what;
    }
}

TEST(PluginKonfig, SelfCheckCollectsFailuresInRuleOrder) {
    EXPECT_EQ(
        selfCheckOf([](TestKonfig& k) {
            k.FPluginPrefixTabulek = "V";
            k.FPluginClass_ID = {};
        }),
        "Chyby konfigurace\r\r- nevyplneno FPluginClass_ID (GUID pluginu)\r- FPluginPrefixTabulek nesmi "
        "zacinat na 'V'");
}

TEST(PluginKonfig, DerivesAutomaticImportNames) {
    TestKonfig::change = [](TestKonfig& k) {
        k.FPluginAutoImp_FileName_Formulare = "Frm";
        k.FPluginAutoImp_FileName_Filtry = "Flt";
        k.FPluginAutoImp_FileName_Opisy = "Ops";
    };
    const auto k = TPluginKonfigBase::Create<TestKonfig>();
    TestKonfig::change = nullptr;
    EXPECT_EQ(k->FAutoImp_Formulare_Cesky, "Frm.HFMX");
    EXPECT_EQ(k->FAutoImp_Formulare_Jazyk, "Frm%.2d.HFMX");
    EXPECT_EQ(k->FAutoImp_Filtry_Cesky, "Flt.HFLX");
    EXPECT_EQ(k->FAutoImp_FiltryN_Cesky, "FltN.HFLX");
    EXPECT_EQ(k->FAutoImp_Filtry_Jazyk, "Flt%.2d.HFLX");
    EXPECT_EQ(k->FAutoImp_FiltryN_Jazyk, "FltN%.2d.HFLX");
    EXPECT_EQ(k->FAutoImp_OpisyN_Jazyk, "OpsN%.2d.HDOX");
    EXPECT_EQ(k->FAutoImp_Opisy_Cesky, "Ops.HDOX");
}
