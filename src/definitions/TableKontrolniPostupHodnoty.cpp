// KTab_KontrolniPostupHodnoty7EK: the values measured for control questions. Poznamka255 is
// the one computed column created in a table.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

TplgTabulkaDef tabulkaKontrolniPostupHodnoty() {
    using A = TplgAtributTabulky;
    TplgTabulkaDef t;
    t.SelfIdent = t_KontrolniPostupHodnoty;
    t.JmenoSys = "KTab_KontrolniPostupHodnoty7EK";
    t.Jmeno = "Hodnoty kontrolního postupu";
    // clang-format off
    t.Atributy = {
        A{.JmenoSys = "ID", .UTyp = plg_utaSystemoveCislo},
        A{.JmenoSys = "IDPolKontroly", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "IDPrikaz", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "Doklad", .JmenoVerejne = "Operace", .Typ = taInt, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Alternativa", .JmenoVerejne = "Alternativa", .Typ = taNVarChar, .Delka = 1, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Operace", .JmenoVerejne = "Operace", .Typ = taNVarChar, .Delka = 4, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "IDScanData", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "IDZamestnanec", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "DatumPorizeni", .JmenoVerejne = "Datum a čas pořízení", .Typ = taDateTime, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Parametr", .JmenoVerejne = "Název parametru", .Typ = taNVarChar, .Delka = 50, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Hodnota", .JmenoVerejne = "Hodnota", .Typ = taNumeric_19_6, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Poznamka", .JmenoVerejne = "Poznámka", .Typ = taNText, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Poznamka255", .JmenoVerejne = "Poznámka 255", .Typ = taNVarChar, .Delka = 255,
          .Pocitany = "(SUBSTRING(REPLACE(SUBSTRING([Poznamka],1,255),(NCHAR(13) + NCHAR(10)),NCHAR(32)),1,255))",
          .Null = nNULL, .Verejny = vTrue, .SirkaSloupce = 30},
        A{.JmenoSys = "CisloOrganizace", .JmenoVerejne = "Číslo organizace", .Typ = taInt, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Autor", .UTyp = plg_utaAutor},
        A{.JmenoSys = "DatPorizeni", .UTyp = plg_utaDatPorizeni},
        A{.JmenoSys = "Zmenil", .UTyp = plg_utaZmenil},
        A{.JmenoSys = "DatZmeny", .UTyp = plg_utaDatZmeny},
    };
    // clang-format on
    return t;
}

} // namespace provozmat
