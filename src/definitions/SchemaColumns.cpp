// The column step of schema verification: surplus, changed, rebuilt and missing columns.

#include "definitions/Constraints.h"
#include "definitions/SchemaVerification.h"
#include "definitions/SqlTypes.h"

#include "base/Format.h"
#include "lang/Messages.h"

namespace provozmat {

namespace {

bool jenVPohledu(const TplgAtributTabulky& a) {
    return (a.DalsiVlastnosti & kAtrJenVPohledu) != 0 || !jeTypAtributu(a.Typ);
}

bool jePocitany(const TplgAtributTabulky& a) {
    return !a.Pocitany.trimmed().isEmpty();
}

// "ALTER TABLE T ADD C <type>" with the column's default, or with a temporary default that
// gives existing rows a value when the column is NOT NULL and has none.
QString pridaniSloupce(const TplgTabulkaDef& t, const TplgAtributTabulky& a, QString* jmenoDefaultu_) {
    QString prikaz =
        format(QStringLiteral("ALTER TABLE %s ADD %s %s"), {t.JmenoSys, a.JmenoSys, textTypuAtributu(a)});
    if (!a.ServerDEFAULT.isEmpty()) {
        const QString jmeno = jmenoDefaultu(t.JmenoSys, a.JmenoSys);
        if (jmenoDefaultu_)
            *jmenoDefaultu_ = jmeno;
        return format(QStringLiteral("%s CONSTRAINT %s DEFAULT %s"), {prikaz, jmeno, a.ServerDEFAULT});
    }
    if (a.Null == nNULL || defTypu(a.Typ).Podtyp == ptaIdentity)
        return prikaz;
    const QString docasny = QStringLiteral("DF__") + t.JmenoSys + QStringLiteral("____OrvianPom");
    switch (tridaTypu(a.Typ)) {
    case 1:
    case 2:
        return format(QStringLiteral("%s CONSTRAINT %s DEFAULT 0\rALTER TABLE %s DROP CONSTRAINT %1:s"),
                      {prikaz, docasny, t.JmenoSys});
    case 3:
        return format(QStringLiteral("%s CONSTRAINT %s DEFAULT ''\rALTER TABLE %s DROP CONSTRAINT %1:s"),
                      {prikaz, docasny, t.JmenoSys});
    default:
        return prikaz;
    }
}

} // namespace

void Tx::dopln(const TplgTabulkaDef& t, const TplgAtributTabulky& a, int text) {
    const QString popis = text == 144 ? format(hlaska(144), {a.JmenoSys, a.JmenoSys}) : hlaska(text);
    if (jePocitany(a)) {
        pridejText(
            t.JmenoSys, a.JmenoSys, popis,
            format(QStringLiteral("ALTER TABLE %s ADD %s AS %s"), {t.JmenoSys, a.JmenoSys, a.Pocitany}),
            PoradiPrikazu::Konec);
        return;
    }
    QString defaultSloupce;
    pridejText(t.JmenoSys, a.JmenoSys, popis, pridaniSloupce(t, a, &defaultSloupce),
               text == 144 ? PoradiPrikazu::Konec : PoradiPrikazu::Bezne);
    if (!defaultSloupce.isEmpty())
        pridavaneDefaulty_.insert(defaultSloupce.toUpper());
}

void Tx::doplnChybejiciSloupce() {
    const auto* t = definice_.tabulka(tabulka_);
    if (!t)
        return;
    for (std::size_t i = 0; i < t->Atributy.size(); ++i) {
        const auto& a = t->Atributy[i];
        if (i < pole_.size() && pole_[i])
            continue;
        if (jenVPohledu(a))
            continue;
        dopln(*t, a, jePocitany(a) ? 141 : 142);
    }
}

void Tx::SetTabulka(int tabulka) {
    if (tabulka == tabulka_)
        return;
    doplnChybejiciSloupce();
    tabulka_ = tabulka;
    const auto* t = definice_.tabulka(tabulka_);
    pole_.assign(t ? t->Atributy.size() : 0, false);
}

void Tx::Kontrola(const DbSloupec& sloupec) {
    const auto* t = definice_.tabulka(tabulka_);
    if (!t)
        return;
    const bool pocitanyVDb = !sloupec.pocitany.isEmpty();
    std::size_t index = 0;
    for (; index < t->Atributy.size(); ++index) {
        const auto& a = t->Atributy[index];
        if (!jenVPohledu(a) && a.JmenoSys.compare(sloupec.jmeno, Qt::CaseInsensitive) == 0)
            break;
    }
    if (index == t->Atributy.size()) {
        pridej(t->JmenoSys, sloupec.jmeno, 146,
               format(QStringLiteral("ALTER TABLE %s DROP COLUMN %s"), {t->JmenoSys, sloupec.jmeno}),
               pocitanyVDb ? PoradiPrikazu::Zacatek : PoradiPrikazu::Odebrani);
        return;
    }
    const auto& a = t->Atributy[index];
    pole_[index] = true;
    const bool stejnyVypocet = pocitanyVDb == jePocitany(a) &&
                               (!pocitanyVDb || stejneVyrazy(sloupec.pocitany, a.Pocitany, verzeServeru_));
    if (!stejnyVypocet) {
        pridejText(t->JmenoSys, a.JmenoSys, format(hlaska(143), {a.JmenoSys, a.JmenoSys}),
                   format(QStringLiteral("ALTER TABLE %s DROP COLUMN %s"), {t->JmenoSys, a.JmenoSys}),
                   PoradiPrikazu::Zacatek);
        dopln(*t, a, 144);
        if (jePocitany(a) && pocitanyVDb)
            pridejText(t->JmenoSys, a.JmenoSys, format(hlaska(145), {a.JmenoSys, a.JmenoSys}),
                       format(QStringLiteral("/* ALTER TABLE %s ADD %s AS %s */"),
                              {t->JmenoSys, a.JmenoSys, sloupec.pocitany}),
                       PoradiPrikazu::Konec);
        return;
    }
    // A computed column takes its type from its expression: only ordinary columns are altered.
    if (pocitanyVDb)
        return;
    const QString typDb = textTypuDb(sloupec);
    const QString typDef = textTypuAtributu(a);
    if (typDb != typDef)
        pridejText(
            t->JmenoSys, a.JmenoSys, format(QStringLiteral("%s -> %s"), {typDb, typDef}),
            format(QStringLiteral("ALTER TABLE %s ALTER COLUMN %s %s"), {t->JmenoSys, a.JmenoSys, typDef}),
            PoradiPrikazu::Bezne);
}

} // namespace provozmat
