// KTab_KontrolniPostupHlavicka7EK: the headers of control procedures.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

TplgTabulkaDef tabulkaKontrolniPostupHlavicka() {
    using A = TplgAtributTabulky;
    TplgTabulkaDef t;
    t.SelfIdent = t_KontrolniPostupHlavicka;
    t.JmenoSys = "KTab_KontrolniPostupHlavicka7EK";
    t.Jmeno = "Hlavička kontrolního postupu";
    // clang-format off
    t.Atributy = {
        A{.JmenoSys = "ID", .UTyp = plg_utaSystemoveCislo},
        A{.JmenoSys = "IDDilce", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "PrefixKmenZbozi", .JmenoVerejne = "Prefix kmenové karty", .Typ = taNVarChar, .Delka = 15, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "IDPracoviste", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "HodnotaZakazky", .JmenoVerejne = "Hodnota zakázky", .Typ = taNumeric_19_6, .ServerDEFAULT = "0.0", .Verejny = vTrue, .Sumovat = true},
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
