// The plug-in's browses: one per table, each a view with its default columns, action class,
// editor class, group and standard actions.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

std::vector<TplgVychoziNastaveniBrowse> vychoziNastaveniBrowse() {
    using B = TplgVychoziNastaveniBrowse;
    // clang-format off
    return {
        B{},
        B{.SelfIdent = b_LCDKonfigurace, .Jmeno = "*", .HlavniTabulka = t_LCDKonfigurace,
          .JmenoView = "hvw_LCDKonfigurace7EK", .DefiniceView = "SELECT *  FROM KTab_LCDKonfigurace7EK",
          .BlobTableName = "KTab_LCDKonfigurace7EK", .SELECT = "*",
          .DMAkceClass = "TdmPlgKonfigurace", .EditorClass = "TEditor_USKonfigurace", .Soudek = sdNeniVidet,
          .GUID_ActionEdit = "{1A9E9A4F-6F07-4766-A65C-1EE781A2F65F}",
          .GUID_ActionDelete = "{06CA5EDC-3BBA-4E65-AF3C-478312EEC2D3}"},
        B{.SelfIdent = b_LCDTerminal, .Jmeno = "LCD Terminál", .HlavniTabulka = t_LCDTerminal,
          .JmenoView = "hvw__LCDTerminal7EK",
          .DefiniceView = "SELECT *,CelkCasN=CelkCasS/60.0,CelkCasH=CelkCasS/3600.0, Ukonceno=convert(bit,CASE WHEN "
                          "ISNULL(IDKolegy,-1)<0 THEN 0 ELSE 1 END), \r"
                          "DatumPor_D=(datepart(day,DatumPor)),\r"
                          "DatumPor_M=(DATEPART(MONTH,[DatumPor])),\r"
                          "DatumPor_Y=(DATEPART(YEAR,[DatumPor])),\r"
                          "DatumPor_X=(CONVERT(DATETIME,CONVERT(INT,CONVERT(FLOAT,[DatumPor]))))\r"
                          "FROM KTab_LCDTerminal7EK",
          .SELECT = "Akce\rDatumPor\rKusyDobre\rKusySpatne_neopr\rCelkCasS",
          .DMAkceClass = "TdmPlgEALCD", .Soudek = sdLCD},
        B{.SelfIdent = b_KontrolniPostupHlavicka, .Jmeno = "*", .HlavniTabulka = t_KontrolniPostupHlavicka,
          .JmenoView = "hvw__KontrolniPostupHlavicka7EK", .DefiniceView = "SELECT *  FROM KTab_KontrolniPostupHlavicka7EK",
          .BlobTableName = "KTab_KontrolniPostupHlavicka7EK", .SELECT = "*,",
          .DMAkceClass = "TdmPlgKontrolniPostupHlavicka", .EditorClass = "TedKontrolniPostupHlavicka", .Soudek = sdLCD,
          .GUID_ActionNew = "{D2943389-8BBF-413D-839F-E0BF56562BCE}",
          .GUID_ActionEdit = "{89125BDA-CE94-4491-BB62-E3535B28F53D}",
          .GUID_ActionDelete = "{F697BFE0-3871-4CEF-9EAA-47AE23DA20A9}"},
        B{.SelfIdent = b_KontrolniPostupPolozka, .Jmeno = "*", .HlavniTabulka = t_KontrolniPostupPolozka,
          .JmenoView = "hvw__KontrolniPostupPolozka7EK", .DefiniceView = "SELECT *  FROM KTab_KontrolniPostupPolozka7EK",
          .BlobTableName = "KTab_KontrolniPostupPolozka7EK", .SELECT = "*",
          .DMAkceClass = "TdmPlgKontrolniPostupPolozka", .EditorClass = "TedKontrolniPostupPolozka", .Soudek = sdNeniVidet,
          .GUID_ActionNew = "{938E13B1-7E10-4643-8274-963F0988639A}",
          .GUID_ActionEdit = "{76431C4E-2CA3-4EF0-95B9-15C3C6A6D8C5}",
          .GUID_ActionDelete = "{C5B8D0B0-EABE-462A-9214-0AF9E90406BA}"},
        B{.SelfIdent = b_KontrolniPostupHodnoty, .Jmeno = "*", .HlavniTabulka = t_KontrolniPostupHodnoty,
          .JmenoView = "hvw__KontrolniPostupHodnoty7EK", .DefiniceView = "SELECT *  FROM KTab_KontrolniPostupHodnoty7EK",
          .BlobTableName = "KTab_KontrolniPostupHodnoty7EK", .SELECT = "*", .Soudek = sdLCD},
    };
    // clang-format on
}

} // namespace provozmat
