// The standard column templates: a column that names one takes every field it leaves empty
// from it.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

std::vector<TplgUzivatelskyAtributDef> uzivatelskeAtributy() {
    using A = TplgAtributTabulky;
    // clang-format off
    return {
        {plg_utaZadny, A{}},
        {plg_utaSystemoveCislo, A{.JmenoSys = "ID", .JmenoVerejneTxt = 73, .JmenoVerejneZkrTxt = 74,
                                  .Typ = taIdentity, .PK_UQ = puPrimaryKey, .Vyzadovany = vTrue, .Verejny = vFalse}},
        {plg_utaSystemoveCislo64, A{.JmenoSys = "ID", .JmenoVerejneTxt = 73, .JmenoVerejneZkrTxt = 74,
                                    .Typ = taIdentity64, .PK_UQ = puPrimaryKey, .Vyzadovany = vTrue, .Verejny = vFalse}},
        {plg_utaAutor, A{.JmenoSys = "Autor", .JmenoVerejneTxt = 75, .Typ = taNVarChar, .Delka = 128,
                         .ServerDEFAULT = "SUSER_SNAME()", .Verejny = vTrue, .SirkaSloupce = 15}},
        {plg_utaDatPorizeni, A{.JmenoSys = "DatPorizeni", .JmenoVerejneTxt = 76, .Typ = taDateTime,
                               .ServerDEFAULT = "GETDATE()", .Verejny = vTrue, .SirkaSloupce = 20}},
        {plg_utaZmenil, A{.JmenoSys = "Zmenil", .JmenoVerejneTxt = 77, .Typ = taNVarChar, .Delka = 128,
                          .Null = nNULL, .Verejny = vTrue, .SirkaSloupce = 20}},
        {plg_utaDatZmeny, A{.JmenoSys = "DatZmeny", .JmenoVerejneTxt = 78, .Typ = taDateTime, .Null = nNULL,
                            .Verejny = vTrue, .SirkaSloupce = 20}},
        {plg_utaBlokovaniEditoru, A{.JmenoSys = "BlokovaniEditoru", .JmenoVerejneTxt = 79, .Typ = taSmallInt,
                                    .Null = nNULL, .Vyzadovany = vTrue, .Verejny = vFalse}},
        {plg_utaGUID, A{.JmenoSys = "GUID", .JmenoVerejne = "GUID", .Typ = taBinary, .Delka = 16, .Verejny = vFalse}},
        {plg_utaSazbaDPH, A{.Typ = taNumeric_5_2, .Null = nNULL, .ForeignKey = "TabDPH(Sazba)", .Verejny = vTrue}},
        {plg_utaCena, A{.Typ = taNumeric_19_6, .ServerDEFAULT = "0.0", .Verejny = vTrue, .MaskaDisplay = "#,##0.00",
                        .Sumovat = true}},
        {plg_utaMena, A{.JmenoSys = "Mena", .JmenoVerejne = "Měna", .Typ = taNVarChar, .Delka = 3,
                        .ForeignKey = "TabKodMen(Kod)", .Verejny = vTrue}},
        {plg_utaTextChyby, A{.JmenoSys = "TextChyby", .JmenoVerejne = "Text chyby", .Typ = taNVarChar, .Delka = 255,
                             .ServerDEFAULT = "''", .Verejny = vTrue, .SirkaSloupce = 30}},
        {plg_utaImpSoubor, A{.JmenoSys = "ImpSoubor", .JmenoVerejne = "Importní soubor", .Typ = taNVarChar,
                             .Delka = 255, .ServerDEFAULT = "''", .Verejny = vTrue, .SirkaSloupce = 30}},
        {plg_utaSkupZbo, A{.JmenoSys = "SkupZbo", .Typ = taNVarChar, .Delka = 3, .Verejny = vTrue,
                           .OrvianAttr = "TabKmenZbozi.SkupZbo"}},
        {plg_utaRegCis, A{.JmenoSys = "RegCis", .Typ = taNVarChar, .Delka = 30, .Verejny = vTrue,
                          .OrvianAttr = "TabKmenZbozi.RegCis"}},
    };
    // clang-format on
}

} // namespace provozmat
