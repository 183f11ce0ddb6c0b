#include "DefinitionFixture.h"

#include "definitions/BrowseDefinitions.h"
#include "definitions/CompiledDefinitions.h"
#include "definitions/Preparation.h"

#include <gtest/gtest.h>

using namespace provozmat;
using namespace provozmat::test;

namespace {

class PreparedDefinitions : public ::testing::Test {
protected:
    PreparedDefinitions() { pripravDefinice(d, pluginOwner(), h.host); }
    PreparedHost h;
    TplgDefinice d = zkompilovaneDefinice();
};

TEST_F(PreparedDefinitions, TablesByIndexAndName) {
    EXPECT_EQ(d.tabulka(tZadna), nullptr);
    EXPECT_EQ(d.tabulka(6), nullptr);
    EXPECT_EQ(d.indexTabulky(" ktab_lcdterminal7ek "), t_LCDTerminal);
    EXPECT_EQ(d.indexTabulky("TabPrikaz"), 0);
    EXPECT_EQ(d.jmenoTabulky(t_KontrolniPostupHodnoty), "KTab_KontrolniPostupHodnoty7EK");
    EXPECT_EQ(d.jmenoTabulky(9), "");
}

TEST_F(PreparedDefinitions, ColumnsByNameAndByTableDotColumn) {
    EXPECT_EQ(d.atribut(t_LCDTerminal, "celkcass")->JmenoSys, "CelkCasS");
    EXPECT_EQ(d.atribut("KTab_LCDKonfigurace7EK.NazevPocitace")->PK_UQ, puUnique);
    EXPECT_EQ(d.atribut("KTab_LCDKonfigurace7EK.Chybi"), nullptr);
    EXPECT_EQ(d.atribut("BezTecky"), nullptr);
    const auto sorted = d.serazeneAtributy(t_KontrolniPostupPolozka);
    ASSERT_EQ(sorted.size(), 9u);
    EXPECT_EQ(sorted.front().first, "Autor");
    EXPECT_EQ(sorted.back().first, "Zmenil");
}

TEST_F(PreparedDefinitions, TemplatesAndDefaultsAreApplied) {
    const auto* id = d.atribut(t_LCDTerminal, "ID");
    EXPECT_EQ(id->Typ, taIdentity);
    EXPECT_EQ(id->PK_UQ, puPrimaryKey);
    EXPECT_EQ(id->Vyzadovany, vTrue);
    EXPECT_EQ(id->JmenoVerejne, "Systémové číslo");
    EXPECT_EQ(id->UTyp, plg_utaZadny);
    const auto* autor = d.atribut(t_KontrolniPostupHlavicka, "Autor");
    EXPECT_EQ(autor->SirkaSloupce, 15);
    EXPECT_EQ(autor->Verejny, vTrue);
    EXPECT_EQ(autor->Null, nNOTNULL);
    // Not stated: NOT NULL, not required, not public.
    const auto* kolega = d.atribut(t_LCDTerminal, "IDZam");
    EXPECT_EQ(kolega->Null, nNOTNULL);
    EXPECT_EQ(kolega->Vyzadovany, vFalse);
    EXPECT_EQ(kolega->Verejny, vFalse);
}

TEST(Inheritance, AncestorColumnsAreAppendedWithoutKeys) {
    TplgDefinice d = zkompilovaneDefinice();
    TplgTabulkaDef& child = *d.tabulka(t_KontrolniPostupHodnoty);
    child.Predek = t_KontrolniPostupPolozka;
    child.VyjmuteAttrPredka = "ID\rBlokovaniEditoru\rAutor\rDatPorizeni\rZmenil\rDatZmeny";
    d.tabulka(t_KontrolniPostupPolozka)
        ->Atributy.push_back({.JmenoSys = "Delka",
                              .Typ = taInt,
                              .Pocitany = "(LEN(KTab_KontrolniPostupPolozka7EK.TextDotazu))"});
    const std::size_t own = child.Atributy.size();
    zdedAtributy(d);
    ASSERT_EQ(child.Atributy.size(), own + 4);
    EXPECT_EQ(child.Atributy[own].JmenoSys, "IDKP");
    EXPECT_EQ(child.Atributy[own].ForeignKey, ""); // keys stay with the ancestor
    EXPECT_EQ(child.Atributy[own + 3].Pocitany, "(LEN(KTab_KontrolniPostupHodnoty7EK.TextDotazu))");

    TplgDefinice keeping = zkompilovaneDefinice();
    keeping.tabulka(t_KontrolniPostupHodnoty)->Predek = t_KontrolniPostupPolozka;
    keeping.tabulka(t_KontrolniPostupHodnoty)->VyjmuteAttrPredka = "ID\rBlokovaniEditoru";
    keeping.tabulka(t_KontrolniPostupHodnoty)->DalsiVlastnosti = kTabDedeneKliceZustavaji;
    zdedAtributy(keeping);
    EXPECT_EQ(keeping.atribut(t_KontrolniPostupHodnoty, "IDKP")->ForeignKey,
              "KTab_KontrolniPostupHlavicka7EK(ID)");
}

TEST(BrowseLookups, ViewNamesActionSetsAndTheStarName) {
    EXPECT_EQ(browseIndexByViewName("HVW__KontrolniPostupHodnoty7EK"), b_KontrolniPostupHodnoty);
    EXPECT_EQ(browseIndexByViewName("hvw_Jiny"), 0);
    EXPECT_EQ(extActionSetByBrowseNumber(86), 1);
    EXPECT_EQ(extActionSetByBrowseNumber(87), std::nullopt);
    EXPECT_EQ(browsePublicName(browseDefinitions()[b_LCDKonfigurace]), "Konfigurace");
}

} // namespace
