// The self-check rules of tables, their columns and their declared constraints.

#include "definitions/SelfCheckRules.h"
#include "definitions/SqlTypes.h"

#include <QSet>

namespace provozmat {

namespace selfcheck {

void zkontrolujTabulky(const TplgDefinice& d, const DefinitionOwner& owner) {
    const QString prefix = owner.prefixTabulek + owner.identifikator;
    QSet<QString> names;
    for (int i = 1; i <= kPosledniTabulka; ++i) {
        const TplgTabulkaDef* t = d.tabulka(i);
        if (!t)
            fail("Není definována tabulka - unita plgTable (%d) !", {i});
        if (t->SelfIdent != i)
            fail("Nesedí self-check - unita plgTable (%d,%s) !", {i, t->JmenoSys});
        if (t->JmenoSys.isEmpty())
            fail("Není zadáno systémové jméno tabulky - unita plgTable (%d) !", {i});
        if (!t->JmenoSys.startsWith(u'#') && !t->JmenoSys.startsWith(prefix, Qt::CaseInsensitive))
            fail("Systémové jméno tabulky musí začínat '%s' - unita plgTable (%s) !", {prefix, t->JmenoSys});
        const QString key = t->JmenoSys.toUpper();
        if (names.contains(key))
            fail("Duplicitni definice tabulky - unita plgTable (%s) !", {t->JmenoSys});
        names.insert(key);
    }
}

namespace {

constexpr int kMaxDelkaJmenaAtributu = 127;
constexpr int kMaxDelkaTextu = 255;

void zkontrolujAtribut(const TplgTabulkaDef& t, const TplgAtributTabulky& a, int poradi) {
    const QString& tab = t.JmenoSys;
    const QString& col = a.JmenoSys;
    if (col.isEmpty())
        fail("Atribut č. %d musí mít jméno (tabulka:%s) !", {poradi, tab});
    if (col.startsWith(u'_') && !(a.DalsiVlastnosti & kAtrJenVPohledu))
        fail("Atribut %s.%s nesmí začínat na znak '_' !", {tab, col});
    if (col.contains(QStringLiteral("__")))
        fail("Atribut %s.%s nesmí obsahovat kombinaci znaků __ !", {tab, col});
    if (col.size() > kMaxDelkaJmenaAtributu)
        fail("%s.%s - delka systemoveho nazvu atributu nesmi presahovat %d !",
             {tab, col, kMaxDelkaJmenaAtributu});
    if (!jeIdentifikator(col))
        fail("%s.%s - systemovy nazev atributu zrejme obsahuje cesky znak nebo mezeru !", {tab, col});
    if (!jeTypAtributu(a.Typ))
        fail("Atribut %s.%s nema definovan typ !", {tab, col});
    if (a.Sumovat && !lzeSumovat(a.Typ))
        fail("SUMOVAT nemůže být u tohoto typu nastaveno !\r\r%s.%s", {tab, col});
    if (a.Typ == taBoolean && a.Pocitany.trimmed().isEmpty() && a.Null == nNULL)
        fail("Atribut %s.%s typu taBoolean musí být nNOTNULL !", {tab, col});
    if (defTypu(a.Typ).SDelkou) {
        if (a.Delka == 0 || a.Delka < -1)
            fail("Atribut %s.%s nema definovanou delku !", {tab, col});
        if (a.Delka > kMaxDelkaTextu)
            fail("Atribut %s typu [N][VAR]CHAR/[VAR]BINARY nemůže být delší než %d znaků!",
                 {tab + u'.' + col, kMaxDelkaTextu});
    } else if (a.Delka != 0) {
        fail("Atribut %s.%s ma definovanou delku, ale ta se nevyuzije - neni v definici typu vyuzivana. !",
             {tab, col});
    }
}

bool maZnamyPrefix(const QString& name) {
    static const char* const prefixes[] = {"PK__", "UQ__", "CK__", "FK__", "DF__", "IX__", "IC__", "IU__"};
    for (const char* p : prefixes)
        if (name.startsWith(QLatin1String(p), Qt::CaseInsensitive))
            return true;
    return false;
}

void zkontrolujConstraint(const TplgTabulkaDef& t, const TplgConstraintTabulky& c) {
    const QString& tab = t.JmenoSys;
    if (c.Typ == coDefault)
        fail("Tabulka: %s\rIntegritní omezení typu DEFAULT musí byt definovano primo u atributu (ne v poli "
             "constraints)!",
             {tab});
    if (c.Typ == coCheck && c.JmenoSys.isEmpty())
        fail("Tabulka: %s\rIntegritní omezení typu CHECK musí mít název!", {tab});
    if (c.Typ == coCheck && c.Vyraz.trimmed().isEmpty())
        fail("Chybne definovano integritni omezeni - neni vyplnena polozka Vyraz!\rTabulka: %s (coDefault, "
             "coCheck)",
             {tab});
    if (c.Typ == coForeignKey &&
        (c.VlastniAtributy.isEmpty() || c.CiziTabulka.isEmpty() || c.CiziAtributy.isEmpty()))
        fail("Chybne definovano integritni omezeni - neni vyplneno VlastniAtributy nebo CiziTabulka nebo "
             "CiziAtributy!\rTabulka: %s (coForeignKey)",
             {tab});
    const bool sAtributy = c.Typ == coPrimaryKey || c.Typ == coUnique || c.Typ == coIndex ||
                           c.Typ == coIndexClustered || c.Typ == coIndexUnique;
    if (sAtributy && c.Atributy.trimmed().isEmpty())
        fail("Chybne definovano integritni omezeni - neni vyplnena polozka Atributy!\rTabulka: %s "
             "(coPrimaryKey, "
             "coUnique, coIndex, coIndexClustered)",
             {tab});
    if (c.Typ == coChyba || (!c.JmenoSys.isEmpty() && !maZnamyPrefix(c.JmenoSys)))
        fail("Tabulka: %s, Constraint: %s\rNesoulad integritních omezení!", {tab, c.JmenoSys});
    if ((c.Typ == coPrimaryKey || c.Typ == coUnique || c.Typ == coForeignKey) && !c.JmenoSys.isEmpty())
        fail("Tabulka: %s, Constraint: %s\rIntegritni omezení nesmí mit nadefinováno název - generuje se "
             "automaticky!",
             {tab, c.JmenoSys});
}

void zkontrolujClusteredIndexy(const TplgTabulkaDef& t) {
    int clustered = 0;
    bool primaryKey = false;
    for (const auto& c : t.Constraints) {
        clustered += c.Typ == coIndexClustered ? 1 : 0;
        primaryKey = primaryKey || c.Typ == coPrimaryKey;
    }
    for (const auto& a : t.Atributy)
        primaryKey = primaryKey || a.PK_UQ == puPrimaryKey;
    if (clustered + (primaryKey ? 1 : 0) > 1)
        fail("Tabulka: %s\rTabulka nemůže mít více než jeden clustered index (nezapomeň: PRIMARY "
             "KEY=clustered "
             "index)!",
             {t.JmenoSys});
}

} // namespace

} // namespace selfcheck

void zkontrolujAtributy(const TplgDefinice& d) {
    using namespace selfcheck;
    for (int i = 1; i <= kPosledniTabulka; ++i) {
        const TplgTabulkaDef* t = d.tabulka(i);
        if (!t)
            continue;
        int poradi = 0;
        for (const auto& a : t->Atributy)
            zkontrolujAtribut(*t, a, ++poradi);
        if (!t->BylInitConstraints) {
            for (const auto& c : t->Constraints)
                zkontrolujConstraint(*t, c);
        }
        zkontrolujClusteredIndexy(*t);
        if (!(t->DalsiVlastnosti & kTabMuzeBytBezID) && !d.atribut(i, QStringLiteral("ID")))
            fail("Tabulka %s nemá atribut ID - unita plgTable (%d)!", {t->JmenoSys, i});
    }
}

} // namespace provozmat
