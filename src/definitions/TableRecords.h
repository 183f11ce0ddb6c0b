#pragma once
// The record formats of the plug-in's table definitions: a column, a table constraint, a
// table and a standard column template. Fields keep the order and the meaning of the
// compiled records; a string field X with a catalogue field XTxt takes the catalogue text
// when XTxt is not 0.

#include "definitions/DefinitionTypes.h"
#include "lang/MessageCatalogue.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace provozmat {

struct TplgAtributTabulky {
    QString JmenoSys{};     // SQL column name
    QString JmenoVerejne{}; // public caption
    TplgTxt JmenoVerejneTxt = 0;
    QString JmenoVerejneZkr{}; // short caption
    TplgTxt JmenoVerejneZkrTxt = 0;
    TplgTypAtributu Typ = taBlbe;
    TplgUzivatelskyTypAtributu UTyp = plg_utaZadny; // template that fills the empty fields
    std::int16_t Delka = 0;                         // length-bearing types: -1 = MAX; 0 = none
    QString Pocitany{};                             // computed-column expression
    TplgNULL Null = nNic;
    TplgPK_UQ PK_UQ = puNic;
    QString ForeignKey{};    // "Table(Column)"
    QString ServerDEFAULT{}; // default expression, used verbatim
    QString CHECK{};
    TplgBool Vyzadovany = vDefault;
    TplgBool Verejny = vDefault;
    QString Konverze{}; // value list: "value=text" lines separated by CR
    TplgTxt KonverzeTxt = 0;
    std::uint8_t SirkaSloupce = 0;
    QString MaskaDisplay{};
    bool Sumovat = false;
    QString SkupinaNastav{};
    TplgTxt SkupinaNastavTxt = 0;
    QString Hint{};
    TplgTxt HintTxt = 0;
    std::uint8_t DalsiVlastnosti = 0; // kAtr… flags
    QString OrvianAttr{};             // "HostTable.HostColumn": caption and value list from the host
};

struct TplgConstraintTabulky {
    QString JmenoSys{};
    TplgConstraint Typ = coChyba;
    QString Atributy{}; // comma list of columns of a PK, UQ or index
    QString Vyraz{};    // expression of a CHECK or DEFAULT
    QString VlastniAtributy{};
    QString CiziTabulka{};
    QString CiziAtributy{};
    QString Included{};
    QString Where{};
};

struct TplgTabulkaDef {
    TplgTabulka SelfIdent = tZadna;
    QString JmenoSys{};
    QString Jmeno{};
    TplgTxt JmenoTxt = 0;
    TplgLegislativa Legislativa{};
    QString Databaze{};
    TplgTabulka Predek = tZadna;
    QString VyjmuteAttrPredka{}; // CR-separated ancestor columns that are not inherited
    std::vector<TplgAtributTabulky> Atributy{};
    std::vector<TplgConstraintTabulky> Constraints{};
    std::uint8_t DalsiVlastnosti = 0; // kTab… flags
    QString PrimarniKlic{};
    QString TriggerBeforeDelete{};
    QString AfterCreateTable{};
    QString DefiniceTriggeru{};
    bool BylInitConstraints = false; // the derived constraints have been added
};

// A standard column template.
struct TplgUzivatelskyAtributDef {
    TplgUzivatelskyTypAtributu SelfIdent = plg_utaZadny;
    TplgAtributTabulky Atribut;
};

} // namespace provozmat
