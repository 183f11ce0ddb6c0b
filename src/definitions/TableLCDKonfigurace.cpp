// KTab_LCDKonfigurace7EK: the terminal configurations, one row per computer name plus the
// base row 0. ID is a plain INT: the configuration editor gives new rows their ID.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

TplgTabulkaDef tabulkaLCDKonfigurace() {
    using A = TplgAtributTabulky;
    TplgTabulkaDef t;
    t.SelfIdent = t_LCDKonfigurace;
    t.JmenoSys = "KTab_LCDKonfigurace7EK";
    t.Jmeno = "Konfigurace";
    t.TriggerBeforeDelete =
        " IF @ID=0 BEGIN RAISERROR(N'Základní konfiguraci není možné smazat',16,1) ROLLBACK RETURN END ";
    t.AfterCreateTable = "IF NOT EXISTS (SELECT * FROM KTab_LCDKonfigurace7EK WHERE ID=0) INSERT INTO "
                         "KTab_LCDKonfigurace7EK(ID,SysNazevSlSKodemCipu,SysNazevSlSHeslemZam) "
                         "VALUES(0,N'_VstupniKodLCD',N'_VstupniKodLCD')";
    // clang-format off
    t.Atributy = {
        A{.JmenoSys = "ID", .Typ = taInt, .PK_UQ = puPrimaryKey, .Verejny = vFalse},
        A{.JmenoSys = "HesloLCDQuit", .JmenoVerejne = "Heslo pro vypnutí LCD", .Typ = taInt, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "ZpusobPrihlaseni", .JmenoVerejne = "Způsob přihlášení", .Typ = taSmallInt, .ServerDEFAULT = "0",
          .Verejny = vTrue, .Konverze = "0=Číslem zaměstnance\r1=USB čtečkou\r2=COM čtečkou"},
        A{.JmenoSys = "PozadovatHeslo", .JmenoVerejne = "Požadovat heslo zaměstnance", .Typ = taBoolean, .ServerDEFAULT = "0", .Verejny = vTrue},
        A{.JmenoSys = "RealizovatVydej", .JmenoVerejne = "Realizovat výdej", .Typ = taBoolean, .ServerDEFAULT = "1", .Verejny = vTrue},
        A{.JmenoSys = "RealizovatPrijem", .JmenoVerejne = "Realizovat příjem", .Typ = taBoolean, .ServerDEFAULT = "0", .Verejny = vTrue},
        A{.JmenoSys = "SysNazevSlSKodemCipu", .JmenoVerejne = "Sys. název sloupce s číslem čipu", .Typ = taNVarChar, .Delka = 30, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "SysNazevSlSHeslemZam", .JmenoVerejne = "Sys. název sloupce s heslem zam.", .Typ = taNVarChar, .Delka = 30, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "COM_Port", .JmenoVerejne = "COM Port", .Typ = taNVarChar, .Delka = 10, .ServerDEFAULT = "'COM1'", .Verejny = vTrue},
        A{.JmenoSys = "COM_PocetZnakuNaCipu", .JmenoVerejne = "Počet znaků z čipové karty", .Typ = taInt, .ServerDEFAULT = "14", .Verejny = vTrue},
        A{.JmenoSys = "COM_PocetOriznutoZleva", .JmenoVerejne = "Počet znaků vynechat zleva", .Typ = taInt, .ServerDEFAULT = "3", .Verejny = vTrue},
        A{.JmenoSys = "COM_PocetOriznutoZprava", .JmenoVerejne = "Počet znaků vynechat zprava", .Typ = taInt, .ServerDEFAULT = "3", .Verejny = vTrue},
        A{.JmenoSys = "COMDebug", .JmenoVerejne = "COM debug", .Typ = taBoolean, .ServerDEFAULT = "0", .Verejny = vTrue},
        A{.JmenoSys = "NazevPocitace", .JmenoVerejne = "Název počítače", .Typ = taNVarChar, .Delka = 100, .PK_UQ = puUnique,
          .ServerDEFAULT = "''", .Verejny = vTrue},
        A{.JmenoSys = "Autor", .UTyp = plg_utaAutor},
        A{.JmenoSys = "DatPorizeni", .UTyp = plg_utaDatPorizeni},
        A{.JmenoSys = "Zmenil", .UTyp = plg_utaZmenil},
        A{.JmenoSys = "DatZmeny", .UTyp = plg_utaDatZmeny},
        A{.JmenoSys = "MaxCasNeaktivitaMin", .JmenoVerejne = "Neaktivita pro autoodhlášení (min)", .Typ = taInt, .ServerDEFAULT = "15", .Verejny = vTrue},
        A{.JmenoSys = "StrediskoLCD", .JmenoVerejne = "Středisko LCD", .Typ = taNVarChar, .Delka = 30, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "JmenoTiskarnyTiskStitku", .JmenoVerejne = "Tiskárna - tisk štítků", .Typ = taNVarChar, .Delka = 100, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "DatumBlokaceTiskuStitkuSVC", .JmenoVerejne = "Datum blokace tisku štítků s VC", .Typ = taDateTime, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "DatumBlokaceTiskuStitkuBezVC", .JmenoVerejne = "Datum blokace tisku štítků bez VC", .Typ = taDateTime, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "IDTiskuStitkuSVC", .JmenoVerejne = "ID tisku štítků s VČ", .Typ = taInt, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "IDTiskuStitkuBezVC", .JmenoVerejne = "ID tisku štítků bez VČ", .Typ = taInt, .Null = nNULL, .Verejny = vTrue},
        A{.JmenoSys = "LimitCasuVP", .JmenoVerejne = "Limit času pro sdružené odvádění operací [sec.]", .Typ = taNumeric_19_6, .Null = nNULL, .Verejny = vTrue},
    };
    // clang-format on
    return t;
}

} // namespace provozmat
