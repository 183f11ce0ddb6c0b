// KTab_LCDTerminal7EK: the terminal event log. The date parts, CelkCasN, CelkCasH and
// Ukonceno exist only in the browse view, which computes them.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

TplgTabulkaDef tabulkaLCDTerminal() {
    using A = TplgAtributTabulky;
    TplgTabulkaDef t;
    t.SelfIdent = t_LCDTerminal;
    t.JmenoSys = "KTab_LCDTerminal7EK";
    t.Jmeno = "LCD Terminál";
    // clang-format off
    t.Atributy = {
        A{.JmenoSys = "ID", .UTyp = plg_utaSystemoveCislo},
        A{.JmenoSys = "IDKolegy", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "PomocnikProIDKolegy", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "ID1", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "IPTerm", .JmenoVerejne = "IP adresa terminálu", .Typ = taNVarChar, .Delka = 15, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "NazevTerm", .JmenoVerejne = "Název terminálu", .Typ = taNVarChar, .Delka = 20, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "Akce", .JmenoVerejne = "Akce", .Typ = taInt, .Verejny = vTrue,
          .Konverze = "10=Zahájení operace\r11=Ukončení operace\r20=Zahájení prostoje\r21=Ukončení prostoje\r"
                      "30=Zahájení bezobslužný provoz\r31=Ukončení bezobslužńý provoz\r40=Zahájení pomocníka\r"
                      "41=Ukončení pomocníka\r70=Aut.evidence předešlých\r"},
        A{.JmenoSys = "DatumPor", .JmenoVerejne = "Datum pořízení", .Typ = taDateTime, .Verejny = vTrue},
        A{.JmenoSys = "DatumPor_D", .JmenoVerejne = "Datum pořízení (D)", .Typ = taDateTime, .Pocitany = "(datepart(day,DatumPor))",
          .Null = nNULL, .DalsiVlastnosti = kAtrJenVPohledu},
        A{.JmenoSys = "DatumPor_M", .JmenoVerejne = "Datum pořízení (M)", .Typ = taDateTime, .Pocitany = "(DATEPART(MONTH,[DatumPor]))",
          .Null = nNULL, .DalsiVlastnosti = kAtrJenVPohledu},
        A{.JmenoSys = "DatumPor_Y", .JmenoVerejne = "Datum pořízení (R)", .Typ = taDateTime, .Pocitany = "(DATEPART(YEAR,[DatumPor]))",
          .Null = nNULL, .DalsiVlastnosti = kAtrJenVPohledu},
        A{.JmenoSys = "DatumPor_X", .JmenoVerejne = "Datum pořízení (DMR)", .Typ = taDateTime,
          .Pocitany = "(CONVERT(DATETIME,CONVERT(INT,CONVERT(FLOAT,[DatumPor]))))", .Null = nNULL, .DalsiVlastnosti = kAtrJenVPohledu},
        A{.JmenoSys = "IDZam", .Typ = taInt, .Verejny = vFalse},
        A{.JmenoSys = "IDPrikaz", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "Doklad", .JmenoVerejne = "Doklad", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "Alt", .JmenoVerejne = "Alternativa", .Typ = taNChar, .Delka = 1, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "KusyDobre", .JmenoVerejne = "Kusy dobré", .Typ = taNumeric_19_6, .Null = nNULL, .Verejny = vTrue, .Sumovat = true},
        A{.JmenoSys = "KusySpatne_opr", .JmenoVerejne = "Zmetky opravitelné", .Typ = taNumeric_19_6, .Null = nNULL, .Verejny = vTrue, .Sumovat = true},
        A{.JmenoSys = "KusySpatne_IO", .JmenoVerejne = "Zmetky IO", .Typ = taNumeric_19_6, .Null = nNULL, .Verejny = vTrue, .Sumovat = true},
        A{.JmenoSys = "KusySpatne_neopr", .JmenoVerejne = "Zmetky neopravitelné", .Typ = taNumeric_19_6, .Null = nNULL, .Verejny = vTrue, .Sumovat = true},
        A{.JmenoSys = "Prostoj_Zavada", .JmenoVerejne = "Kód prostoje/závady", .Typ = taNVarChar, .Delka = 6, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "IDMzdy", .Typ = taInt, .Null = nNULL, .Verejny = vFalse},
        A{.JmenoSys = "CelkCasS", .JmenoVerejne = "Celkový čas [sec]", .Typ = taInt, .Null = nNULL, .Verejny = vTrue, .Sumovat = true},
        A{.JmenoSys = "CelkCasN", .JmenoVerejne = "Celkový čas [min]", .Typ = taNumeric_19_6, .Null = nNULL, .Verejny = vTrue, .Sumovat = true,
          .DalsiVlastnosti = kAtrJenVPohledu},
        A{.JmenoSys = "CelkCasH", .JmenoVerejne = "Celkový čas [hod]", .Typ = taNumeric_19_6, .Null = nNULL, .Verejny = vTrue, .Sumovat = true,
          .DalsiVlastnosti = kAtrJenVPohledu},
        A{.JmenoSys = "Ukonceno", .Typ = taBoolean, .Verejny = vTrue, .DalsiVlastnosti = kAtrJenVPohledu},
        A{.JmenoSys = "IDPracoviste", .Typ = taInt, .Null = nNULL, .Verejny = vTrue, .Sumovat = true},
        A{.JmenoSys = "S_cas_obsluhy_s", .JmenoVerejne = "Čas obsluhy [sec]", .Typ = taInt, .Null = nNULL, .Verejny = vTrue, .Sumovat = true},
        A{.JmenoSys = "Sk_Strojni_Cas", .JmenoVerejne = "Strojní čas [sec]", .Typ = taInt, .Null = nNULL, .Verejny = vTrue, .Sumovat = true},
        A{.JmenoSys = "ZahajSdruzene", .JmenoVerejne = "Zahájeno sdruženě", .Typ = taBoolean, .ServerDEFAULT = "0", .Verejny = vTrue},
    };
    // clang-format on
    return t;
}

} // namespace provozmat
