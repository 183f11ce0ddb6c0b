#include "DefinitionFixture.h"

#include "definitions/CompiledDefinitions.h"
#include "definitions/Preparation.h"

#include <gtest/gtest.h>

#include <functional>

using namespace provozmat;
using namespace provozmat::test;

namespace {

const char* const kTab1 = "KTab_LCDKonfigurace7EK";
const QString kLink1 = QStringLiteral("{340E2196-38CE-4EDF-A55D-33EFEE26C0CB}");
const QString kLink6 = QStringLiteral("{FCE2C35A-AAC0-4FA2-8598-F031BEBEA2B0}");
const QString kSomeGuid = QStringLiteral("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");

TplgTabulkaDef& tab(TplgDefinice& d, int i) {
    return *d.tabulky[static_cast<std::size_t>(i)];
}
TplgAtributTabulky& col(TplgDefinice& d, int table, int column) {
    return tab(d, table).Atributy[static_cast<std::size_t>(column)];
}
void declare(TplgDefinice& d, TplgConstraintTabulky c) {
    tab(d, t_LCDKonfigurace).Constraints.push_back(std::move(c));
}

struct BrokenDefinition {
    const char* rule;
    std::function<void(TplgDefinice&)> breakIt;
    QString message;
};

// Column indices used below: table 1 column 1 HesloLCDQuit (INT NULL), 3 PozadovatHeslo
// (BIT), 6 SysNazevSlSKodemCipu (NVARCHAR(30)); host column 1 _VstupniKodLCD (NVARCHAR(20)),
// 2 _SdruzeniOperaci (BIT).
// clang-format off
const std::vector<BrokenDefinition> kBroken = {
    // tables
    {"table record missing", [](auto& d) { d.tabulky[3].reset(); }, "Není definována tabulka - unita plgTable (3) !"},
    {"table self-check", [](auto& d) { tab(d, 2).SelfIdent = t_LCDKonfigurace; },
     "Nesedí self-check - unita plgTable (2,KTab_LCDTerminal7EK) !"},
    {"table name missing", [](auto& d) { tab(d, 4).JmenoSys.clear(); },
     "Není zadáno systémové jméno tabulky - unita plgTable (4) !"},
    {"table prefix", [](auto& d) { tab(d, 5).JmenoSys = "Tab_Hodnoty7EK"; },
     "Systémové jméno tabulky musí začínat 'KTab' - unita plgTable (Tab_Hodnoty7EK) !"},
    {"table name unique", [](auto& d) { tab(d, 4).JmenoSys = "ktab_lcdterminal7ek"; },
     "Duplicitni definice tabulky - unita plgTable (ktab_lcdterminal7ek) !"},
    // inheritance
    {"ancestor is the table", [](auto& d) { tab(d, 2).Predek = t_LCDTerminal; },
     "Tabulka KTab_LCDTerminal7EK ma predchudce sama sebe. !"},
    {"ancestor defined later", [](auto& d) { tab(d, 2).Predek = t_KontrolniPostupHlavicka; },
     "Tabulka KTab_LCDTerminal7EK je definovana drive nez jeji predchudce. !"},
    {"ID is not inherited", [](auto& d) { tab(d, 5).Predek = t_KontrolniPostupPolozka; },
     "Nelze převzít atribut ID (dědící tabulka KTab_KontrolniPostupHodnoty7EK)!"},
    // columns
    {"column without name", [](auto& d) { col(d, 1, 1).JmenoSys.clear(); },
     "Atribut č. 2 musí mít jméno (tabulka:KTab_LCDKonfigurace7EK) !"},
    {"underscore only in the view", [](auto& d) { col(d, 1, 1).JmenoSys = "_Heslo"; },
     "Atribut KTab_LCDKonfigurace7EK._Heslo nesmí začínat na znak '_' !"},
    {"double underscore", [](auto& d) { col(d, 1, 1).JmenoSys = "Heslo__LCD"; },
     "Atribut KTab_LCDKonfigurace7EK.Heslo__LCD nesmí obsahovat kombinaci znaků __ !"},
    {"name length", [](auto& d) { col(d, 1, 1).JmenoSys = QString(128, u'A'); },
     QString(kTab1) + "." + QString(128, u'A') + " - delka systemoveho nazvu atributu nesmi presahovat 127 !"},
    {"name with a Czech letter", [](auto& d) { col(d, 1, 1).JmenoSys = "HesloLCDQuít"; },
     "KTab_LCDKonfigurace7EK.HesloLCDQuít - systemovy nazev atributu zrejme obsahuje cesky znak nebo mezeru !"},
    {"type missing", [](auto& d) { col(d, 1, 1).Typ = taBlbe; },
     "Atribut KTab_LCDKonfigurace7EK.HesloLCDQuit nema definovan typ !"},
    {"sum of a text", [](auto& d) { col(d, 1, 6).Sumovat = true; },
     "SUMOVAT nemůže být u tohoto typu nastaveno !\r\rKTab_LCDKonfigurace7EK.SysNazevSlSKodemCipu"},
    {"nullable bit", [](auto& d) { col(d, 1, 3).Null = nNULL; },
     "Atribut KTab_LCDKonfigurace7EK.PozadovatHeslo typu taBoolean musí být nNOTNULL !"},
    {"text without length", [](auto& d) { col(d, 1, 6).Delka = 0; },
     "Atribut KTab_LCDKonfigurace7EK.SysNazevSlSKodemCipu nema definovanou delku !"},
    {"text too long", [](auto& d) { col(d, 1, 6).Delka = 256; },
     "Atribut KTab_LCDKonfigurace7EK.SysNazevSlSKodemCipu typu [N][VAR]CHAR/[VAR]BINARY nemůže být delší než 255 znaků!"},
    {"length of an INT", [](auto& d) { col(d, 1, 1).Delka = 4; },
     "Atribut KTab_LCDKonfigurace7EK.HesloLCDQuit ma definovanou delku, ale ta se nevyuzije - neni v definici typu vyuzivana. !"},
    // declared constraints
    {"declared default", [](auto& d) { declare(d, {.Typ = coDefault, .Vyraz = "0"}); },
     "Tabulka: KTab_LCDKonfigurace7EK\rIntegritní omezení typu DEFAULT musí byt definovano primo u atributu (ne v poli constraints)!"},
    {"check without name", [](auto& d) { declare(d, {.Typ = coCheck, .Vyraz = "ID>=0"}); },
     "Tabulka: KTab_LCDKonfigurace7EK\rIntegritní omezení typu CHECK musí mít název!"},
    {"second clustered index", [](auto& d) { declare(d, {.Typ = coIndexClustered, .Atributy = "NazevPocitace"}); },
     "Tabulka: KTab_LCDKonfigurace7EK\rTabulka nemůže mít více než jeden clustered index (nezapomeň: PRIMARY KEY=clustered index)!"},
    {"check without expression", [](auto& d) { declare(d, {.JmenoSys = "CK__KTab_LCDKonfigurace7EK__ID", .Typ = coCheck}); },
     "Chybne definovano integritni omezeni - neni vyplnena polozka Vyraz!\rTabulka: KTab_LCDKonfigurace7EK (coDefault, coCheck)"},
    {"foreign key incomplete", [](auto& d) { declare(d, {.Typ = coForeignKey, .VlastniAtributy = "ID"}); },
     "Chybne definovano integritni omezeni - neni vyplneno VlastniAtributy nebo CiziTabulka nebo CiziAtributy!\r"
     "Tabulka: KTab_LCDKonfigurace7EK (coForeignKey)"},
    {"index without columns", [](auto& d) { declare(d, {.Typ = coIndex}); },
     "Chybne definovano integritni omezeni - neni vyplnena polozka Atributy!\r"
     "Tabulka: KTab_LCDKonfigurace7EK (coPrimaryKey, coUnique, coIndex, coIndexClustered)"},
    {"unknown name prefix", [](auto& d) { declare(d, {.JmenoSys = "Kontrola", .Typ = coCheck, .Vyraz = "ID>=0"}); },
     "Tabulka: KTab_LCDKonfigurace7EK, Constraint: Kontrola\rNesoulad integritních omezení!"},
    {"named unique key", [](auto& d) { declare(d, {.JmenoSys = "UQ__KTab_LCDKonfigurace7EK__X", .Typ = coUnique, .Atributy = "HesloLCDQuit"}); },
     "Tabulka: KTab_LCDKonfigurace7EK, Constraint: UQ__KTab_LCDKonfigurace7EK__X\r"
     "Integritni omezení nesmí mit nadefinováno název - generuje se automaticky!"},
    {"table without ID", [](auto& d) { tab(d, 3).Atributy.erase(tab(d, 3).Atributy.begin()); },
     "Tabulka KTab_KontrolniPostupHlavicka7EK nemá atribut ID - unita plgTable (3)!"},
    // browses
    {"browse self-check", [](auto& d) { d.browse[2].SelfIdent = b_LCDKonfigurace; },
     "Nesedí self-check - unita plgBrowse (hvw__LCDTerminal7EK) !"},
    {"view text missing", [](auto& d) { d.browse[2].DefiniceView = "  "; },
     "Neni zadana definice view  - unita plgBrowse (hvw__LCDTerminal7EK) !"},
    {"default columns missing", [](auto& d) { d.browse[2].SELECT.clear(); },
     "Neni zadan SELECT pro view  - unita plgBrowse (hvw__LCDTerminal7EK) !"},
    {"view prefix", [](auto& d) { d.browse[2].JmenoView = "vw_Terminal"; },
     "Systemove jmeno view musi zacinat na 'hvw_' - unita plgBrowse (vw_Terminal) !"},
    {"view name length", [](auto& d) { d.browse[2].JmenoView = "hvw__LCDTerminalSVelmiDlouhymNazvem7EK"; },
     "Systemove jmeno view nesmi byt delsi jak 36 znaku - unita plgBrowse (hvw__LCDTerminalSVelmiDlouhymNazvem7EK) !"},
    {"view name unique", [](auto& d) { d.browse[3].JmenoView = "HVW__LCDTERMINAL7EK"; },
     "Systemove jmeno view musi byt jedinecne - unita plgBrowse (HVW__LCDTERMINAL7EK) !"},
    {"public name length", [](auto& d) { d.browse[2].Jmeno = QString(51, u'x'); },
     "Verejne jmeno prehledu nesmi byt delsi jak 50 znaku - unita plgBrowse (hvw__LCDTerminal7EK)!"},
    {"parent is the browse", [](auto& d) { d.browse[4].Predek = b_KontrolniPostupPolozka; },
     "Nelze zadat jako predka sama sebe - unita plgBrowse (hvw__KontrolniPostupPolozka7EK) !"},
    {"group and parent", [](auto& d) { d.browse[5].Predek = b_KontrolniPostupHlavicka; },
     "Nelze zadat zaroven soudek a predka - unita plgBrowse (hvw__KontrolniPostupHodnoty7EK) !"},
    {"parent without group", [](auto& d) { d.browse[4].Predek = b_LCDKonfigurace; },
     "Predek nema zadan soudek - unita plgBrowse (hvw__KontrolniPostupPolozka7EK) !"},
    {"parent defined later", [](auto& d) { d.browse[2].Soudek = sdNeniVidet; d.browse[2].Predek = b_KontrolniPostupHlavicka; },
     "Prehled hvw__LCDTerminal7EK je definovan drive nez jeho predchudce - unita plgBrowse!"},
    {"two levels of nesting",
     [](auto& d) { d.browse[4].Predek = b_KontrolniPostupHlavicka; d.browse[5].Soudek = sdNeniVidet; d.browse[5].Predek = b_KontrolniPostupPolozka; },
     "Je povoleno pouze jedno zanoreni - unita plgBrowse (hvw__KontrolniPostupHodnoty7EK) !"},
    {"action without class", [](auto& d) { d.browse[5].GUID_ActionNew = kSomeGuid; },
     "Je definovana akce GUID_ActionNew, ale neni definovan DMAkceClass - unita plgBrowse (hvw__KontrolniPostupHodnoty7EK)!"},
    {"malformed GUID", [](auto& d) { d.browse[1].GUID_ActionNew = "{1234}"; },
     "Chybne GUID GUID_ActionNew - unita plgBrowse (hvw_LCDKonfigurace7EK) !\r{1234}"},
    {"GUID repeated", [](auto& d) { d.browse[4].GUID_ActionNew = "{89125BDA-CE94-4491-BB62-E3535B28F53D}"; },
     "Duplicitni {89125BDA-CE94-4491-BB62-E3535B28F53D} - unita plgBrowse (hvw__KontrolniPostupPolozka7EK)!"},
    // browse groups
    {"group self-check", [](auto& d) { d.soudky[1].SelfIdent = sdNeniVidet; }, "Nesedí self-check - unita plgSoudky (Dilnoskop) !"},
    {"group name missing", [](auto& d) { d.soudky[1].Jmeno.clear(); }, "Neni zadano Jmeno - unita plgSoudky (index: 1) !"},
    {"group name unique", [](auto& d) { d.soudky.push_back({TplgSoudek(2), "dilnoskop"}); },
     "Jmeno soudku musi byt jedinecne - unita plgSoudky (dilnoskop) !"},
    {"group name length", [](auto& d) { d.soudky[1].Jmeno = QString(41, u'x'); }, "Delka jmena soudku nesmi presahovat 40 !"},
    // action sets on host browses
    {"action set 0 defined", [](auto& d) { d.extAkce[0].BrowseID = 5; },
     "První ext.akce (s indexem 0) musí zůstat nedefinována - unita plgExtAkce !"},
    {"browse ID missing", [](auto& d) { d.extAkce[1].BrowseID = 0; }, "Chybne zadano BrowseID - unita plgExtAkce (index: 1) !"},
    {"browse ID unique", [](auto& d) { d.extAkce.push_back({.BrowseID = 86, .DMAkceClass = "TdmJina"}); },
     "BrowseID musi byt jedinecne - unita plgExtAkce (BID: 86, index: 2) !"},
    {"action set without class", [](auto& d) { d.extAkce[1].DMAkceClass.clear(); },
     "Neni zadano DMAkceClass - unita plgExtAkce (BID: 86, index: 1) !"},
    {"action set class unique", [](auto& d) { d.extAkce.push_back({.BrowseID = 87, .DMAkceClass = "TdmPlgTabCisZam"}); },
     "DMAkceClass musi byt jedinecne - unita plgExtAkce (BID: 87, index: 2) !"},
    // links
    {"link 0 defined", [](auto& d) { d.vazby[0].GUIDVazby = kSomeGuid; },
     "První vazba (s indexem 0) musí zůstat nedefinována - unita plgVazby !"},
    {"link GUID missing", [](auto& d) { d.vazby[3].GUIDVazby.clear(); },
     "Vazba (pořadí 3) - není zadáno GUIDVazby - unita plgVazby !"},
    {"link name unique", [](auto& d) { d.vazby[2].NazevLPSys = "Prikaz"; },
     "Duplicitní název vazby 'hvw__LCDTerminal7EK.Prikaz' - unita plgVazby !"},
    {"left table missing", [](auto& d) { d.vazby[1].TabLStr.clear(); },
     "Vazba '" + kLink1 + "' - není zadána TabLStr - unita plgVazby !"},
    {"right table missing", [](auto& d) { d.vazby[1].TabPStr.clear(); },
     "Vazba '" + kLink1 + "' - není zadána TabPStr - unita plgVazby !"},
    {"join missing", [](auto& d) { d.vazby[1].Join.clear(); },
     "Vazba '" + kLink1 + "' - není zadána podmínka  - unita plgVazby !"},
    {"system name missing", [](auto& d) { d.vazby[1].NazevLPSys.clear(); },
     "Vazba '" + kLink1 + "' - není zadán NazevLPSys - unita plgVazby !"},
    {"system name not an identifier", [](auto& d) { d.vazby[1].NazevLPSys = "Příkaz"; },
     "Vazba '" + kLink1 + "' - NazevLPSys není platný identifikátor - unita plgVazby !"},
    {"system name length", [](auto& d) { d.vazby[1].NazevLPSys = QString(31, u'P'); },
     "Vazba '" + kLink1 + "' - příliš dlouhý název NazevLPSys (možno max. 30 znaků) - unita plgVazby !"},
    {"reverse system name", [](auto& d) { d.vazby[1].NazevPLSys = "LCD terminál"; },
     "Vazba '" + kLink1 + "' - NazevPLSys není platný identifikátor - unita plgVazby !"},
    {"main-table mark between two tables", [](auto& d) { d.vazby[1].Join = "(<HT>.IDPrikaz=TabPrikaz.ID)"; },
     kLink1 + " - definice vazby NESMÍ obsahovat specifikátor hlavní tabulky!"},
    {"link to itself in both directions",
     [](auto& d) { auto& v = d.vazby[6]; v.TabPStr = v.TabLStr; v.TypPL = tv1N; v.NazevPLSys = "Podrizene"; v.Join = "(<HT>.ID=TabKmenZbozi.ID)"; },
     kLink6 + " - jeden z typů (TypLP, TypPL) musí být tvZadny!"},
    {"link to itself without the mark", [](auto& d) { d.vazby[6].TabPStr = d.vazby[6].TabLStr; },
     kLink6 + " - definice vazby MUSÍ obsahovat specifikátor hlavní tabulky!"},
    {"caption length", [](auto& d) { d.vazby[1].NazevLP = QString(101, u'x'); },
     "NazevLP nesmi byt delsi jak 100 znaku - vazba " + kLink1},
    // host columns
    {"host column 0 defined", [](auto& d) { d.extAtributy[0].JmenoSys = "_X"; },
     "První ext.atribut (s indexem 0) musí zůstat nedefinován - unita plgExtAttr !"},
    {"host table missing", [](auto& d) { d.extAtributy[2].JmenoTabulky.clear(); },
     "Neni zadano JmenoTabulky - unita plgExtAttr (index: 2) !"},
    {"host column name missing", [](auto& d) { d.extAtributy[2].JmenoSys.clear(); },
     "Neni zadano JmenoSys - unita plgExtAttr (index: 2) !"},
    {"host column caption missing", [](auto& d) { d.extAtributy[2].JmenoVerejne.clear(); },
     "Neni zadano JmenoVerejne - unita plgExtAttr (index: 2) !"},
    {"host column type", [](auto& d) { d.extAtributy[2].Typ = taBlbe; },
     "Chybne typ atributu - unita plgExtAttr (index: 2) !"},
    {"host column without underscore", [](auto& d) { d.extAtributy[2].JmenoSys = "SdruzeniOperaci"; },
     "Chybne zadano JmenoSys (podtrzitka na zacatku) - unita plgExtAttr (index: 2) !"},
    {"host column with two underscores", [](auto& d) { d.extAtributy[2].JmenoSys = "__SdruzeniOperaci"; },
     "Chybne zadano JmenoSys (podtrzitka na zacatku) - unita plgExtAttr (index: 2) !"},
    {"host column length", [](auto& d) { d.extAtributy[1].Delka = 0; },
     "Neni zadana Delka atributu - unita plgExtAttr (index: 1) !"},
    {"host column unique", [](auto& d) { d.extAtributy[4].JmenoSys = "_polozkaKusovnikuZLCD"; },
     "Kombinace tabulka/atribut musi byt jedinecna - unita plgExtAttr (index: 4) !"},
    {"editor kind missing", [](auto& d) { d.extAtributy[2].TypExtAtr = eaChyba; },
     "Neni zadan TypExtAtr - unita plgExtAttr (index: 2) !"},
    {"date editor on a bit", [](auto& d) { d.extAtributy[2].TypExtAtr = eaTime; },
     "TypExtAtr eaDateTime ci eaTime mohou byt nastaveny pouze pro taDateTime - unita plgExtAttr (index: 2) !"},
    {"file editor on a bit", [](auto& d) { d.extAtributy[2].TypExtAtr = eaFile; },
     "TypExtAtr eaFile ci eaDirectory mohou byt nastaveny pouze pro taNVarchar - unita plgExtAttr (index: 2) !"},
    {"calculator on a bit", [](auto& d) { d.extAtributy[2].TypExtAtr = eaCalcEdit; },
     "TypExtAtr eaCalcEdit muze byt nastaven pouze pro desetinna cisla - unita plgExtAttr (index: 2) !"},
    {"link of a normal column", [](auto& d) { d.extAtributy[2].GenerujVazbu = true; },
     "GenerujVazbu lze nastavit pouze pro TypExtAtr = eaBrowse - unita plgExtAttr (index: 2) !"},
    // stored procedures and user functions
    {"procedure 0 defined", [](auto& d) { d.procedury[0].Text = "CREATE PROCEDURE dbo.KEP_X AS RETURN 0"; },
     "První uložená procedura (s indexem 0) musí zůstat nedefinována - unita plgUProc !"},
    {"procedure text missing", [](auto& d) { d.procedury[2].Text.clear(); },
     "Uložená procedura 2 není definována - unita plgUProc!"},
    {"procedure not created", [](auto& d) { d.procedury[2].Text = "ALTER PROCEDURE dbo.KEP_X AS RETURN 0"; },
     "Uložená procedura 2 nezačíná CREATE PROC - unita plgUProc!"},
    {"procedure owner", [](auto& d) { d.procedury[2].Text = "CREATE PROCEDURE KEP_X AS RETURN 0"; },
     "KEP_X - uložená procedura musí mít vlastníka 'dbo.'!"},
    {"procedure prefix", [](auto& d) { d.procedury[2].Text = "CREATE PROCEDURE dbo.SkutecnyCas\r\nAS RETURN 0"; },
     "dbo.SkutecnyCas - chybí prefix v názvu uložené procedury!"},
    {"function 0 defined", [](auto& d) { d.funkce[0].Text = "CREATE FUNCTION dbo.KEP_f() RETURNS INT AS BEGIN RETURN 1 END"; },
     "První uživatelská funkce (s indexem 0) musí zůstat nedefinována - unita plgFunkce!"},
    {"function text missing", [](auto& d) { d.funkce.push_back({}); },
     "Uživatelská funkce 1 není definována - unita plgFunkce!"},
    {"function not created", [](auto& d) { d.funkce.push_back({.Text = "CREATE PROCEDURE dbo.KEP_X AS RETURN 0"}); },
     "Uživatelská funkce 1 nezačíná CREATE FUNCTION  - unita plgFunkce!"},
    {"function prefix hf_", [](auto& d) { d.funkce.push_back({.Text = "CREATE FUNCTION dbo.hf_Cislo() RETURNS INT AS BEGIN RETURN 1 END"}); },
     "dbo.hf_Cislo - uživatelská funkce nesmí začínat prefixem 'hf_'!"},
    // change scripts
    {"change script 0 defined", [](auto& d) { d.zmenoveSkripty[0].Skript = "UNICODE"; },
     "První změnový skript (s indexem 0) musí zůstat nedefinován - unita plgZmeny !"},
    {"change script versions unique", [](auto& d) { d.zmenoveSkripty[2].PlatiOd = d.zmenoveSkripty[1].PlatiOd; },
     "Změnové skripty nejsou unikátní 20020150522 - unita plgZmeny !"},
    {"change script newer than the plug-in", [](auto& d) { d.zmenoveSkripty[2].PlatiOd = 0x0200'2030'0101ULL; },
     "Změnový skript 20020300101 má verzi vyšší než je ve plgVerze.INC - unita plgZmeny !"},
};
// clang-format on

QString preparationError(TplgDefinice d) {
    PreparedHost h;
    try {
        pripravDefinice(d, pluginOwner(), h.host);
    } catch (const DefinitionError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(DefinitionSelfCheck, CompiledDefinitionsPass) {
    EXPECT_EQ(preparationError(zkompilovaneDefinice()), "");
}

TEST(DefinitionSelfCheck, EveryRuleReportsItsMessage) {
    for (const auto& broken : kBroken) {
        SCOPED_TRACE(broken.rule);
        TplgDefinice d = zkompilovaneDefinice();
        broken.breakIt(d);
        EXPECT_EQ(preparationError(std::move(d)), broken.message);
    }
}

TEST(DefinitionSelfCheck, ExemptionsOfTheRules) {
    TplgDefinice d = zkompilovaneDefinice();
    // Names of temporary tables need no prefix; a table may be marked as having no ID.
    tab(d, 5).JmenoSys = "#Hodnoty";
    tab(d, 3).Atributy.erase(tab(d, 3).Atributy.begin());
    tab(d, 3).DalsiVlastnosti = kTabMuzeBytBezID;
    // A view-only column may begin with "_"; a view name of hvw_ and 32 hexadecimal digits
    // is accepted without the plug-in prefix; NVARCHAR(MAX) is a length.
    col(d, 2, 1).JmenoSys = "_Kolega";
    col(d, 2, 1).DalsiVlastnosti = kAtrJenVPohledu;
    d.browse[5].JmenoView = "hvw_0123456789ABCDEF0123456789ABCDEF";
    col(d, 1, 6).Delka = -1;
    EXPECT_EQ(preparationError(std::move(d)), "");
}
