// KTab_KontrolniPostupPolozka7EK: the items (questions) of control procedures.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

TplgTabulkaDef tabulkaKontrolniPostupPolozka() {
    using A = TplgAtributTabulky;
    TplgTabulkaDef t;
    t.SelfIdent = t_KontrolniPostupPolozka;
    t.JmenoSys = "KTab_KontrolniPostupPolozka7EK";
    t.Jmeno = "Položka kontrolního postupu";
    // clang-format off
    t.Atributy = {
        A{.JmenoSys = "ID", .UTyp = plg_utaSystemoveCislo},
        A{.JmenoSys = "IDKP", .Typ = taInt, .Null = nNULL, .ForeignKey = "KTab_KontrolniPostupHlavicka7EK(ID)", .Verejny = vFalse},
        A{.JmenoSys = "TextDotazu", .JmenoVerejne = "Text dotazu", .Typ = taNVarChar, .Delka = 50, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Typ", .JmenoVerejne = "Typ", .Typ = taInt, .ServerDEFAULT = "1", .Verejny = vTrue, .Konverze = "1=Číslo\r2=Zatržítko"},
        A{.JmenoSys = "Autor", .UTyp = plg_utaAutor},
        A{.JmenoSys = "DatPorizeni", .UTyp = plg_utaDatPorizeni},
        A{.JmenoSys = "Zmenil", .UTyp = plg_utaZmenil},
        A{.JmenoSys = "DatZmeny", .UTyp = plg_utaDatZmeny},
        A{.JmenoSys = "BlokovaniEditoru", .UTyp = plg_utaBlokovaniEditoru},
    };
    // clang-format on
    return t;
}

} // namespace provozmat
