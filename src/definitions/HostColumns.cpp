// The columns the plug-in adds to host tables: all edited by the host's normal editor,
// editable, without value list or link.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

std::vector<TplgExterniAtribut> externiAtributy() {
    using E = TplgExterniAtribut;
    // clang-format off
    return {
        E{},
        E{.JmenoTabulky = "TabCisZam", .JmenoSys = "_VstupniKodLCD", .JmenoVerejne = "Vstupní kód LCD", .Typ = taNVarChar,
          .Delka = 20, .Verejny = false, .Editovatelny = vTrue, .Tisknout = false, .TypExtAtr = eaNormal},
        E{.JmenoTabulky = "TabCPraco", .JmenoSys = "_SdruzeniOperaci", .JmenoVerejne = "Sdružení operací", .Typ = taBoolean,
          .Verejny = true, .Editovatelny = vTrue, .Tisknout = true, .TypExtAtr = eaNormal},
        E{.JmenoTabulky = "TabRadyPrikazu", .JmenoSys = "_PolozkaKusovnikuZLCD", .JmenoVerejne = "Položka kusovníku z LCD",
          .Typ = taBoolean, .Verejny = true, .Editovatelny = vTrue, .Tisknout = true, .TypExtAtr = eaNormal},
        E{.JmenoTabulky = "TabRadyPrikazu", .JmenoSys = "_ZjednuduseniEvidenceLCD", .JmenoVerejne = "Zjednodušení zobrazení na LCD",
          .Typ = taBoolean, .Verejny = true, .Editovatelny = vTrue, .Tisknout = true, .TypExtAtr = eaNormal},
        E{.JmenoTabulky = "TabUmisteni", .JmenoSys = "_UmisteniProPrijemZVyroby", .JmenoVerejne = "Umístění pro příjem z výroby",
          .Typ = taBoolean, .Verejny = true, .Editovatelny = vTrue, .Tisknout = true, .TypExtAtr = eaNormal},
        E{.JmenoTabulky = "TabUmisteni", .JmenoSys = "_UmisteniProPrijemZmetku", .JmenoVerejne = "Umístění pro příjem zmetků",
          .Typ = taBoolean, .Verejny = true, .Editovatelny = vTrue, .Tisknout = true, .TypExtAtr = eaNormal},
        E{.JmenoTabulky = "TabPrikaz", .JmenoSys = "_puvodniZadaneMnozstvi", .JmenoVerejne = "Původní zadané množství",
          .Typ = taNumeric_19_6, .Verejny = true, .Editovatelny = vTrue, .Tisknout = true, .TypExtAtr = eaNormal},
    };
    // clang-format on
}

} // namespace provozmat
