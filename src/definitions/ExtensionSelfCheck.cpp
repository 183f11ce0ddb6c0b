// The self-check rules of links, host columns, stored procedures, user functions and change
// scripts.

#include "definitions/SelfCheckRules.h"
#include "definitions/SqlTypes.h"

#include <QSet>

namespace provozmat::selfcheck {

namespace {

constexpr int kMaxDelkaSysNazvuVazby = 30;
constexpr int kMaxDelkaNazvuVazby = 100;
const QString kHlavniTabulka = QStringLiteral("<HT>");

void zkontrolujSysNazev(const QString& guid, const QString& sys, const char* chybi, const char* neplatny,
                        const char* dlouhy) {
    if (sys.isEmpty())
        fail(chybi, {guid});
    if (!jeIdentifikator(sys))
        fail(neplatny, {guid});
    if (sys.size() > kMaxDelkaSysNazvuVazby)
        fail(dlouhy, {guid, kMaxDelkaSysNazvuVazby});
}

// The right-to-left direction is checked when the link uses it: a type or a name is given.
bool maOpacnySmer(const TplgVztahDef& v) {
    return v.TypPL != tvZadny || !v.NazevPLSys.isEmpty() || !v.NazevPL.isEmpty();
}

bool jePrazdna(const TplgVztahDef& v) {
    return v.GUIDVazby.isEmpty() && v.TabLStr.isEmpty() && v.TabPStr.isEmpty() && v.Join.isEmpty() &&
           v.NazevLPSys.isEmpty() && v.NazevPLSys.isEmpty();
}

// Name after "CREATE PROCEDURE " or "CREATE FUNCTION " as written: owner, dot and name.
QString jmenoObjektu(const QString& text) {
    const QString rest = text.section(u' ', 2, 2, QString::SectionSkipEmpty);
    qsizetype end = 0;
    while (end < rest.size() && !rest[end].isSpace() && rest[end] != u'(')
        ++end;
    return rest.left(end);
}

// The name without owner and brackets.
QString holeJmeno(const QString& ownerDotName) {
    QString name = ownerDotName.section(u'.', 1);
    name.remove(u'[').remove(u']');
    return name;
}

} // namespace

void zkontrolujVazby(const TplgDefinice& d) {
    const auto& links = d.vazby;
    if (!links.empty() && !jePrazdna(links[0]))
        fail("První vazba (s indexem 0) musí zůstat nedefinována - unita plgVazby !");
    QSet<QString> names;
    const auto unique = [&names](const QString& table, const QString& sys) {
        const QString name = table + u'.' + sys;
        if (names.contains(name.toUpper()))
            fail("Duplicitní název vazby '%s' - unita plgVazby !", {name});
        names.insert(name.toUpper());
    };
    for (std::size_t i = 1; i < links.size(); ++i) {
        const auto& v = links[i];
        const QString& guid = v.GUIDVazby;
        if (guid.isEmpty())
            fail("Vazba (pořadí %d) - není zadáno GUIDVazby - unita plgVazby !", {static_cast<int>(i)});
        if (v.TabLStr.isEmpty())
            fail("Vazba '%s' - není zadána TabLStr - unita plgVazby !", {guid});
        if (v.TabPStr.isEmpty())
            fail("Vazba '%s' - není zadána TabPStr - unita plgVazby !", {guid});
        if (v.Join.trimmed().isEmpty())
            fail("Vazba '%s' - není zadána podmínka  - unita plgVazby !", {guid});
        zkontrolujSysNazev(
            guid, v.NazevLPSys, "Vazba '%s' - není zadán NazevLPSys - unita plgVazby !",
            "Vazba '%s' - NazevLPSys není platný identifikátor - unita plgVazby !",
            "Vazba '%s' - příliš dlouhý název NazevLPSys (možno max. %d znaků) - unita plgVazby !");
        unique(v.TabLStr, v.NazevLPSys);
        if (maOpacnySmer(v)) {
            zkontrolujSysNazev(guid, v.NazevPLSys, "Vazba '%s' - není zadán NazevPLSys - unita plgVazby !",
                               "Vazba '%s' - NazevPLSys není platný identifikátor - unita plgVazby !",
                               "Vazba '%s' - příliš dlouhý název NazevPLSys (možno max. %d znaků) - unita "
                               "plgVazby !");
            unique(v.TabPStr, v.NazevPLSys);
        }
        const bool sama = v.TabLStr.compare(v.TabPStr, Qt::CaseInsensitive) == 0;
        const bool sHT = v.Join.contains(kHlavniTabulka, Qt::CaseInsensitive);
        if (!sama && sHT)
            fail("%s - definice vazby NESMÍ obsahovat specifikátor hlavní tabulky!", {guid});
        if (sama && v.TypLP != tvZadny && v.TypPL != tvZadny)
            fail("%s - jeden z typů (TypLP, TypPL) musí být tvZadny!", {guid});
        if (sama && !sHT)
            fail("%s - definice vazby MUSÍ obsahovat specifikátor hlavní tabulky!", {guid});
        if (v.NazevLP.size() > kMaxDelkaNazvuVazby)
            fail("NazevLP nesmi byt delsi jak %d znaku - vazba %s", {kMaxDelkaNazvuVazby, guid});
        if (v.NazevPL.size() > kMaxDelkaNazvuVazby)
            fail("NazevPL nesmi byt delsi jak %d znaku - vazba %s", {kMaxDelkaNazvuVazby, guid});
    }
}

void zkontrolujExtAtributy(const TplgDefinice& d) {
    const auto& cols = d.extAtributy;
    if (!cols.empty() &&
        (!cols[0].JmenoTabulky.isEmpty() || !cols[0].JmenoSys.isEmpty() || cols[0].Typ != taBlbe))
        fail("První ext.atribut (s indexem 0) musí zůstat nedefinován - unita plgExtAttr !");
    QSet<QString> names;
    for (std::size_t i = 1; i < cols.size(); ++i) {
        const auto& e = cols[i];
        const int index = static_cast<int>(i);
        if (e.JmenoTabulky.isEmpty())
            fail("Neni zadano JmenoTabulky - unita plgExtAttr (index: %d) !", {index});
        if (e.JmenoSys.isEmpty())
            fail("Neni zadano JmenoSys - unita plgExtAttr (index: %d) !", {index});
        if (e.JmenoVerejne.isEmpty() && e.JmenoVerejneTxt == 0)
            fail("Neni zadano JmenoVerejne - unita plgExtAttr (index: %d) !", {index});
        if (!jeTypAtributu(e.Typ))
            fail("Chybne typ atributu - unita plgExtAttr (index: %d) !", {index});
        if (!e.JmenoSys.startsWith(u'_') || e.JmenoSys.startsWith(QStringLiteral("__")))
            fail("Chybne zadano JmenoSys (podtrzitka na zacatku) - unita plgExtAttr (index: %d) !", {index});
        if (defTypu(e.Typ).SDelkou && e.Delka == 0)
            fail("Neni zadana Delka atributu - unita plgExtAttr (index: %d) !", {index});
        const QString key = (e.JmenoTabulky + u'.' + e.JmenoSys).toUpper();
        if (names.contains(key))
            fail("Kombinace tabulka/atribut musi byt jedinecna - unita plgExtAttr (index: %d) !", {index});
        names.insert(key);
        if (e.TypExtAtr == eaChyba)
            fail("Neni zadan TypExtAtr - unita plgExtAttr (index: %d) !", {index});
        if ((e.TypExtAtr == eaDateTime || e.TypExtAtr == eaTime) && e.Typ != taDateTime)
            fail("TypExtAtr eaDateTime ci eaTime mohou byt nastaveny pouze pro taDateTime - unita plgExtAttr "
                 "(index: "
                 "%d) !",
                 {index});
        if ((e.TypExtAtr == eaFile || e.TypExtAtr == eaDirectory) && e.Typ != taNVarChar)
            fail(
                "TypExtAtr eaFile ci eaDirectory mohou byt nastaveny pouze pro taNVarchar - unita plgExtAttr "
                "(index: %d) !",
                {index});
        if (e.TypExtAtr == eaCalcEdit && tridaTypu(e.Typ) != 2)
            fail("TypExtAtr eaCalcEdit muze byt nastaven pouze pro desetinna cisla - unita plgExtAttr "
                 "(index: %d) !",
                 {index});
        if (e.GenerujVazbu && e.TypExtAtr != eaBrowse)
            fail("GenerujVazbu lze nastavit pouze pro TypExtAtr = eaBrowse - unita plgExtAttr (index: %d) !",
                 {index});
    }
}

void zkontrolujProcedury(const TplgDefinice& d) {
    const auto& procs = d.procedury;
    if (!procs.empty() && !procs[0].Text.isEmpty())
        fail("První uložená procedura (s indexem 0) musí zůstat nedefinována - unita plgUProc !");
    for (std::size_t i = 1; i < procs.size(); ++i) {
        const QString text = procs[i].Text.trimmed();
        const int index = static_cast<int>(i);
        if (text.isEmpty())
            fail("Uložená procedura %d není definována - unita plgUProc!", {index});
        if (!text.startsWith(QStringLiteral("CREATE PROC"), Qt::CaseInsensitive))
            fail("Uložená procedura %d nezačíná CREATE PROC - unita plgUProc!", {index});
        const QString name = jmenoObjektu(text);
        if (!name.startsWith(QStringLiteral("dbo."), Qt::CaseInsensitive))
            fail("%s - uložená procedura musí mít vlastníka 'dbo.'!", {name});
        if (!holeJmeno(name).startsWith(QStringLiteral("KEP_"), Qt::CaseInsensitive))
            fail("%s - chybí prefix v názvu uložené procedury!", {name});
    }
    const auto& funcs = d.funkce;
    if (!funcs.empty() && !funcs[0].Text.isEmpty())
        fail("První uživatelská funkce (s indexem 0) musí zůstat nedefinována - unita plgFunkce!");
    for (std::size_t i = 1; i < funcs.size(); ++i) {
        const QString text = funcs[i].Text.trimmed();
        const int index = static_cast<int>(i);
        if (text.isEmpty())
            fail("Uživatelská funkce %d není definována - unita plgFunkce!", {index});
        if (!text.startsWith(QStringLiteral("CREATE FUNCTION "), Qt::CaseInsensitive))
            fail("Uživatelská funkce %d nezačíná CREATE FUNCTION  - unita plgFunkce!", {index});
        const QString name = jmenoObjektu(text);
        if (holeJmeno(name).startsWith(QStringLiteral("hf_"), Qt::CaseInsensitive))
            fail("%s - uživatelská funkce nesmí začínat prefixem 'hf_'!", {name});
    }
}

void zkontrolujZmenoveSkripty(const TplgDefinice& d, const DefinitionOwner& owner) {
    const auto& scripts = d.zmenoveSkripty;
    if (!scripts.empty() && (scripts[0].PlatiOd != 0 || !scripts[0].Skript.isEmpty()))
        fail("První změnový skript (s indexem 0) musí zůstat nedefinován - unita plgZmeny !");
    QSet<std::uint64_t> versions;
    for (std::size_t i = 1; i < scripts.size(); ++i) {
        const auto version = scripts[i].PlatiOd;
        const auto asArg = static_cast<long long>(version);
        if (versions.contains(version))
            fail("Změnové skripty nejsou unikátní %x - unita plgZmeny !", {asArg});
        versions.insert(version);
        if (version > owner.verzePluginu)
            fail("Změnový skript %x má verzi vyšší než je ve plgVerze.INC - unita plgZmeny !", {asArg});
    }
}

} // namespace provozmat::selfcheck
