#pragma once
// The record formats of everything else the plug-in installs: browses, browse groups, links,
// columns added to host tables, action sets on host browses, stored procedures and change
// scripts. Class references are class names; an empty name is no class.

#include "definitions/DefinitionTypes.h"
#include "lang/MessageCatalogue.h"

#include <QString>

#include <cstdint>

namespace provozmat {

enum TplgBrowse : std::uint8_t {
    bZadny,
    b_LCDKonfigurace,
    b_LCDTerminal,
    b_KontrolniPostupHlavicka,
    b_KontrolniPostupPolozka,
    b_KontrolniPostupHodnoty,
};

enum TplgSoudek : std::uint8_t { sdNeniVidet, sdLCD };

struct TplgVychoziNastaveniBrowse {
    TplgBrowse SelfIdent = bZadny;
    QString Jmeno{}; // "*" = the main table's public name
    TplgTxt JmenoTxt = 0;
    TplgTabulka HlavniTabulka = tZadna;
    QString JmenoView{};
    QString DefiniceView{};
    bool Neni_v_DB = false;
    QString BlobTableName{};
    QString SELECT{};  // CR-separated default columns ("*" = all)
    QString ORDERBY{}; // CR-separated sort columns
    QString DMAkceClass{};
    QString EditorClass{};
    TplgSoudek Soudek = sdNeniVidet;
    TplgBrowse Predek = bZadny;
    TplgLegislativa Legislativa{};
    QString Pomocnicek{};
    TplgTxt PomocnicekTxt = 0;
    QString AttrFor_sqlSklad{};
    QString AttrFor_sqlSbornik{};
    QString AttrFor_sqlPokladna{};
    QString AttrFor_sqlIDObdobi{};
    QString AttrFor_sqlIDMzdObd{};
    QString AttrFor_sqlKategorieKJ{};
    QString AttrFor_sqlRadaUctenek{};
    QString GUID_ActionNew{}; // empty: the browse has no such action
    QString GUID_ActionEdit{};
    QString GUID_ActionDelete{};
};

struct TplgSoudekDef {
    TplgSoudek SelfIdent = sdNeniVidet;
    QString Jmeno{}; // at most 40 characters
};

enum TplgTypVztahu : std::uint8_t { tvZadny, tv11, tv1N };

struct TplgVztahDef {
    QString GUIDVazby{};
    TplgLegislativa Legislativa{};
    QString TabLStr{};
    QString NazevLP{};
    TplgTxt NazevLPTxt = 0;
    QString NazevLPSys{};
    TplgTypVztahu TypLP = tvZadny;
    QString TabPStr{};
    QString NazevPL{};
    TplgTxt NazevPLTxt = 0;
    QString NazevPLSys{};
    TplgTypVztahu TypPL = tvZadny;
    QString Join{};
};

enum TplgTypExtAtr : std::uint8_t {
    eaChyba,
    eaUserDef,
    eaNormal,
    eaMemo,
    eaComboBox,
    eaBrowse,
    eaDateTime,
    eaTime,
    eaFile,
    eaDirectory,
    eaCalcEdit,
};

struct TplgExterniAtribut {
    QString JmenoTabulky{};
    QString JmenoSys{}; // begins with "_"
    QString JmenoVerejne{};
    TplgTxt JmenoVerejneTxt = 0;
    QString JmenoVerejneZkr{};
    TplgTxt JmenoVerejneZkrTxt = 0;
    TplgTypAtributu Typ = taBlbe;
    std::int32_t Delka = 0;
    bool Verejny = false;
    TplgBool Editovatelny = vDefault; // vDefault: as visible
    std::uint8_t SirkaSloupce = 0;
    QString MaskaDisplay{};
    bool Sumovat = false;
    bool ProcentniPruh = false;
    bool Barva = false;
    bool Obrazek = false;
    bool Tisknout = false;
    bool StavAtr = false;
    bool Kopirovat = false;
    bool HromadneZmenyAtr = false;
    QString Konverze{};
    TplgTxt KonverzeTxt = 0;
    bool JeKonverzeSQLSkript = false;
    QString Poznamka{};
    TplgTxt PoznamkaTxt = 0;
    QString Bublina{};
    TplgTxt BublinaTxt = 0;
    TplgTypExtAtr TypExtAtr = eaChyba;
    std::int32_t ExtEd_BrowseID = 0;
    QString ExtEd_BrowseDPSN{};
    QString ExtEd_Atr{};
    bool ExtEd_PrimaEditace = false;
    QString ExtEd_Podminka{};
    QString ExtEd_Zalozka{};
    TplgTxt ExtEd_ZalozkaTxt = 0;
    std::int32_t ExtEd_Poradi = 0;
    bool GenerujVazbu = false;
    TplgTypVztahu VazbaTypMoje = tvZadny;
    QString VazbaNazevMoje{};
    QString VazbaNazevMojeSys{};
    TplgTypVztahu VazbaTypCizi = tvZadny;
    QString VazbaNazevCizi{};
    QString VazbaNazevCiziSys{};
    TplgLegislativa Legislativa{};
};

struct TplgExtAkceDef {
    std::int32_t BrowseID = 0; // host browse number
    QString DMAkceClass{};
    QString EditorClass{};
    QString GUID_ActionNew{};
    QString GUID_ActionEdit{};
    TplgLegislativa Legislativa{};
};

// A stored procedure or a user function: its complete CREATE text.
struct TplgUlozenaProcedura {
    TplgLegislativa Legislativa{};
    QString Databaze{}; // empty: the host's current database
    QString Text{};
};
using TplgUzivatelskaFunkce = TplgUlozenaProcedura;

struct TplgZmenovySkript {
    std::uint64_t PlatiOd = 0; // plug-in version the script applies from
    QString Skript{};          // T-SQL, or "UNICODE" for the Unicode conversion
};

} // namespace provozmat
