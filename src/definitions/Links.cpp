// The links the host offers between the plug-in's browses and related host browses.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

std::vector<TplgVztahDef> vazby() {
    using V = TplgVztahDef;
    // clang-format off
    return {
        V{},
        V{.GUIDVazby = "{340E2196-38CE-4EDF-A55D-33EFEE26C0CB}", .TabLStr = "hvw__LCDTerminal7EK", .NazevLP = "Příkaz",
          .NazevLPSys = "Prikaz", .TypLP = tv11, .TabPStr = "TabPrikaz", .NazevPL = "LCD terminál", .NazevPLSys = "LCD_Terminal",
          .Join = "(hvw__LCDTerminal7EK.IDPrikaz=TabPrikaz.ID)"},
        V{.GUIDVazby = "{452D2082-C4EA-42EA-A2BA-C453906DE292}", .TabLStr = "hvw__LCDTerminal7EK", .NazevLP = "Zakázka",
          .NazevLPSys = "Zakazka", .TypLP = tv11, .TabPStr = "TabZakazka", .NazevPL = "LCD terminál", .NazevPLSys = "LCD_Terminal",
          .Join = "TabZakazka.ID=(SELECT tp.IDZAkazka from TabPrikaz tp WHERE tp.ID=hvw__LCDTerminal7EK.IDPrikaz)"},
        V{.GUIDVazby = "{0EC8136C-E82A-4F8F-867D-D3219DAE287F}", .TabLStr = "hvw__LCDTerminal7EK", .NazevLP = "Pracoviště",
          .NazevLPSys = "Pracoviste", .TypLP = tv11, .TabPStr = "TabCPraco", .NazevPL = "LCD terminál", .NazevPLSys = "LCD_Terminal",
          .Join = "(hvw__LCDTerminal7EK.IDPracoviste=TabCPraco.ID)"},
        V{.GUIDVazby = "{2E74F26D-CF50-46A5-A182-8366CBB054D1}", .TabLStr = "hvw__LCDTerminal7EK", .NazevLP = "Zaměstnanec",
          .NazevLPSys = "Zamestnanec", .TypLP = tv11, .TabPStr = "TabCisZam", .NazevPL = "LCD terminál", .NazevPLSys = "LCD_Terminal",
          .Join = "(hvw__LCDTerminal7EK.IDZam=TabCisZam.ID)"},
        V{.GUIDVazby = "{B162E446-F466-4B59-9877-6EE87C7FF7BB}", .TabLStr = "hvw__LCDTerminal7EK", .NazevLP = "Pracovní postup",
          .NazevLPSys = "PracovniPostup", .TypLP = tv11, .TabPStr = "TabPrPostup", .NazevPL = "LCD terminál",
          .NazevPLSys = "LCD_Terminal",
          .Join = "(TabPrPostup.IDPrikaz=hvw__LCDTerminal7EK.IDPrikaz\r"
                  "AND TabPrPostup.Doklad=hvw__LCDTerminal7EK.Doklad\r"
                  "AND TabPrPostup.Alt=hvw__LCDTerminal7EK.Alt\r"
                  "AND TabPrPostup.IDOdchylkyDo IS NULL)"},
        V{.GUIDVazby = "{FCE2C35A-AAC0-4FA2-8598-F031BEBEA2B0}", .TabLStr = "hvw__KontrolniPostupHlavicka7EK",
          .NazevLP = "Kmenová karta dílce", .NazevLPSys = "KmenovaKartaDilce", .TypLP = tv11, .TabPStr = "TabKmenZbozi",
          .Join = "(TabKmenZbozi.ID=hvw__KontrolniPostupHlavicka7EK.IDDilce)"},
        V{.GUIDVazby = "{7EA85E49-21D5-40F8-A4B2-BB2031E02736}", .TabLStr = "hvw__KontrolniPostupHlavicka7EK",
          .NazevLP = "Pracoviště", .NazevLPSys = "Pracoviste", .TypLP = tv11, .TabPStr = "TabCPraco",
          .Join = "(TabCPraco.ID=hvw__KontrolniPostupHlavicka7EK.IDPracoviste)"},
        V{.GUIDVazby = "{6AC7A22C-8F33-4B4D-971F-8531B3CDC5EA}", .TabLStr = "hvw__KontrolniPostupPolozka7EK",
          .NazevLP = "Hlavička kontrolního postupu", .NazevLPSys = "HlavickaKontrolnihoPostupu", .TypLP = tv11,
          .TabPStr = "hvw__KontrolniPostupHlavicka7EK", .NazevPL = "Položka kontrolního postupu",
          .NazevPLSys = "PolozkaKontrolnihoPostupu", .TypPL = tv1N,
          .Join = "(hvw__KontrolniPostupHlavicka7EK.ID=hvw__KontrolniPostupPolozka7EK.IDKP)"},
        V{.GUIDVazby = "{97A00323-ADFB-4357-919C-141688BC583D}", .TabLStr = "hvw__KontrolniPostupHodnoty7EK",
          .NazevLP = "Kmenová karta dílce", .NazevLPSys = "KmenovaKartaDilce", .TypLP = tv11, .TabPStr = "TabKmenZbozi",
          .Join = "TabKmenZbozi.Id=(SELECT IDTabKmen FROM TabPrikaz p WHERE p.ID=hvw__KontrolniPostupHodnoty7EK.IDPrikaz )"},
        V{.GUIDVazby = "{CEE579D5-05CF-4652-A23C-7CDAAE179D2C}", .TabLStr = "hvw__KontrolniPostupHodnoty7EK",
          .NazevLP = "Příkaz", .NazevLPSys = "Prikaz", .TypLP = tv11, .TabPStr = "TabPrikaz",
          .Join = "(TabPrikaz.ID=hvw__KontrolniPostupHodnoty7EK.IDPrikaz )"},
        V{.GUIDVazby = "{B4CEF51A-BEF7-4742-BD7B-311D2A2B5D86}", .TabLStr = "hvw__KontrolniPostupHodnoty7EK",
          .NazevLP = "Výrobní operace", .NazevLPSys = "VyrobniOperace", .TypLP = tv11, .TabPStr = "TabPrPostup",
          .Join = "(TabPrPostup.IDPrikaz=hvw__KontrolniPostupHodnoty7EK.IDPrikaz AND "
                  "hvw__KontrolniPostupHodnoty7EK.Doklad=TabPrPostup.Doklad AND "
                  "hvw__KontrolniPostupHodnoty7EK.Alternativa=TabPrPostup.Alt AND TabPrPostup.IDOdchylkyDo IS NULL)"},
        V{.GUIDVazby = "{5181F6DB-021A-456B-BCDB-27A62EF9F4C2}", .TabLStr = "hvw__KontrolniPostupHodnoty7EK",
          .NazevLP = "Zaměstnanec", .NazevLPSys = "Zamestnanec", .TypLP = tv11, .TabPStr = "TabCisZam",
          .Join = "(TabCisZam.ID=hvw__KontrolniPostupHodnoty7EK.IDZamestnanec )"},
        V{.GUIDVazby = "{07257E6A-0D5A-45AF-9E33-8D3E534FABC8}", .TabLStr = "hvw__KontrolniPostupHodnoty7EK",
          .NazevLP = "Organizace", .NazevLPSys = "Organizace", .TypLP = tv11, .TabPStr = "TabCisOrg",
          .Join = "(TabCisOrg.CisloOrg=hvw__KontrolniPostupHodnoty7EK.CisloOrganizace )"},
    };
    // clang-format on
}

} // namespace provozmat
