#include "DefinitionFixture.h"

#include "definitions/BrowseDefinitions.h"
#include "definitions/Captions.h"
#include "definitions/CompiledDefinitions.h"
#include "definitions/Preparation.h"
#include "lang/LanguageState.h"
#include "lang/Translators.h"

#include <gtest/gtest.h>

#include <map>

using namespace provozmat;
using namespace provozmat::test;

namespace {

// A language module with a few texts of its own.
class TestLanguage final : public TplgAktivniJazyk {
public:
    explicit TestLanguage(std::map<int, QString> texts)
        : TplgAktivniJazyk(2, nullptr), texts_(std::move(texts)) {}
    QString CtiOznam(int index) const override {
        const auto it = texts_.find(index);
        return it != texts_.end() ? it->second : QString();
    }

private:
    std::map<int, QString> texts_;
};

class Captions : public ::testing::Test {
protected:
    Captions() {
        TplgJazyky::instance().reset();
        // The header's public name comes from catalogue text 88, so that the "*" browse over
        // it shows how a browse name follows its table.
        d.tabulka(t_KontrolniPostupHlavicka)->JmenoTxt = 88;
        pripravDefinice(d, pluginOwner(), h.host);
    }
    ~Captions() override { TplgJazyky::instance().reset(); }

    void switchTo(std::unique_ptr<TplgAktivniJazyk> language) {
        std::vector<std::unique_ptr<TplgAktivniJazyk>> translators;
        translators.push_back(std::move(language));
        TplgJazyky::instance().useTranslators(std::move(translators));
        obnovTexty(d, h.host);
    }

    QString caption(int table, const char* column) const { return d.atribut(table, column)->JmenoVerejne; }
    QString shortCaption(int table, const char* column) const {
        return d.atribut(table, column)->JmenoVerejneZkr;
    }
    QString headerBrowse() const { return browsePublicName(d, d.browse[b_KontrolniPostupHlavicka]); }

    PreparedHost h;
    TplgDefinice d = zkompilovaneDefinice();
};

TEST_F(Captions, FollowTheLanguageWhereTheyHaveACatalogueNumber) {
    // Czech.
    EXPECT_EQ(caption(t_LCDKonfigurace, "DatPorizeni"), "Datum pořízení");
    EXPECT_EQ(caption(t_KontrolniPostupPolozka, "BlokovaniEditoru"), "Blokování editoru");
    EXPECT_EQ(shortCaption(t_LCDTerminal, "ID"), "Sys.č.");
    EXPECT_EQ(headerBrowse(), "Definované přehledy a jejich akce");

    // Slovak, from the built-in translator.
    switchTo(std::make_unique<TplgJazykPrekladHlasek04>());
    EXPECT_EQ(caption(t_LCDKonfigurace, "DatPorizeni"), "Dátum vytvorenia");
    EXPECT_EQ(caption(t_KontrolniPostupPolozka, "BlokovaniEditoru"), "Blokovanie editora");
    EXPECT_EQ(caption(t_LCDKonfigurace, "Autor"), "Autor");
    EXPECT_EQ(headerBrowse(), TplgJazykPrekladHlasek04().CtiOznam(88));
    // Captions without a number stay as compiled.
    EXPECT_EQ(caption(t_LCDKonfigurace, "HesloLCDQuit"), "Heslo pro vypnutí LCD");
    EXPECT_EQ(caption(t_LCDTerminal, "DatumPor"), "Datum pořízení");
    EXPECT_EQ(browsePublicName(d, d.browse[b_LCDTerminal]), "LCD Terminál");
    EXPECT_EQ(browsePublicName(d, d.browse[b_LCDKonfigurace]), "Konfigurace");

    // A language module: its texts where it has them, Czech where it has none.
    switchTo(std::make_unique<TestLanguage>(std::map<int, QString>{{76, "Creation date"}, {88, "Browses"}}));
    EXPECT_EQ(caption(t_LCDKonfigurace, "DatPorizeni"), "Creation date");
    EXPECT_EQ(caption(t_KontrolniPostupHodnoty, "DatPorizeni"), "Creation date");
    EXPECT_EQ(caption(t_KontrolniPostupPolozka, "BlokovaniEditoru"), "Blokování editoru");
    EXPECT_EQ(headerBrowse(), "Browses");
    EXPECT_EQ(caption(t_LCDKonfigurace, "HesloLCDQuit"), "Heslo pro vypnutí LCD");
}

TEST_F(Captions, HostAttributesGiveCaptionAndValueListWithoutANumber) {
    // The scripted host answers GetAttributePublicName with the attribute's name and
    // GetAttributeConversion with no list.
    TplgDefinice withGoods = zkompilovaneDefinice();
    withGoods.tabulka(t_KontrolniPostupHodnoty)
        ->Atributy.push_back({.JmenoSys = "SkupZbo", .UTyp = plg_utaSkupZbo, .Konverze = "x=compiled"});
    withGoods.tabulka(t_KontrolniPostupHodnoty)
        ->Atributy.push_back({.JmenoSys = "RegCis", .JmenoVerejneTxt = 53, .UTyp = plg_utaRegCis});
    pripravDefinice(withGoods, pluginOwner(), h.host);
    const auto* group = withGoods.atribut(t_KontrolniPostupHodnoty, "SkupZbo");
    EXPECT_EQ(group->JmenoVerejne, "TabKmenZbozi.SkupZbo");
    EXPECT_EQ(group->Konverze, "");
    // A catalogue number wins over the host attribute.
    EXPECT_EQ(withGoods.atribut(t_KontrolniPostupHodnoty, "RegCis")->JmenoVerejne, "Verze");
}

TEST(CatalogueText, NumbersOutsideTheCatalogueGiveNoText) {
    EXPECT_EQ(textKatalogu(0), "");
    EXPECT_EQ(textKatalogu(173), "");
    EXPECT_EQ(textKatalogu(255), "");
    EXPECT_EQ(textKatalogu(75), "Autor");
}

} // namespace
