#include "definitions/CreateTable.h"

#include "base/Format.h"
#include "definitions/Constraints.h"
#include "definitions/Definitions.h"
#include "definitions/SqlTypes.h"

namespace provozmat {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString sloupec(const TplgTabulkaDef& t, const TplgAtributTabulky& a) {
    const TplgDefTypu& def = defTypu(a.Typ);
    QString text = a.JmenoSys + u' ' + QString::fromLatin1(def.SQL);
    if (def.Podtyp == ptaIdentity)
        text += QStringLiteral(" IDENTITY");
    if (def.Precision > 0)
        text = format(QStringLiteral("%s(%d,%d)"), {text, def.Precision, def.Scale});
    if (def.SDelkou) {
        if (a.Delka > 0)
            text = format(QStringLiteral("%s(%d)"), {text, static_cast<int>(a.Delka)});
        else if (a.Delka == -1)
            text = format(QStringLiteral("%s(%s)"), {text, QStringLiteral("MAX")});
    }
    text += u' ' + slovoNull(a.Null);
    if (!a.ServerDEFAULT.trimmed().isEmpty())
        text = format(QStringLiteral("%s CONSTRAINT %s DEFAULT %s"),
                      {text, jmenoDefaultu(t.JmenoSys, a.JmenoSys), a.ServerDEFAULT});
    return text;
}

} // namespace

QString createTable(const TplgTabulkaDef* t, int index) {
    if (!t)
        return format(QStringLiteral("/* TABULKA č.%d NENI DEFINOVANA */"), {index});
    QString text = QStringLiteral("CREATE TABLE dbo.") + t->JmenoSys + u'(' + kCrLf;
    QString pocitane;
    bool prvni = true;
    for (const auto& a : t->Atributy) {
        if (!jeTypAtributu(a.Typ) || (a.DalsiVlastnosti & kAtrJenVPohledu))
            continue;
        if (!a.Pocitany.trimmed().isEmpty()) {
            pocitane += u',' + kCrLf + a.JmenoSys + QStringLiteral(" AS ") + a.Pocitany;
            continue;
        }
        if (!prvni)
            text += u',' + kCrLf;
        text += sloupec(*t, a);
        prvni = false;
    }
    text += pocitane;
    for (const auto& c : t->Constraints) {
        if (c.Typ == coPrimaryKey)
            text = format(QStringLiteral("%s,\r\nCONSTRAINT %s PRIMARY KEY(%s)"),
                          {text, c.JmenoSys, c.Atributy});
        else if (c.Typ == coUnique)
            text = format(QStringLiteral("%s,\r\nCONSTRAINT %s UNIQUE(%s)"), {text, c.JmenoSys, c.Atributy});
        else if (c.Typ == coCheck)
            text = format(QStringLiteral("%s,\r\nCONSTRAINT %s CHECK(%s)"), {text, c.JmenoSys, c.Vyraz});
    }
    return text + u')';
}

QString createTable(int index) {
    TplgTabulkaDef* t = definice().tabulka(index);
    if (t)
        odvodConstrainty(*t);
    return createTable(t, index);
}

} // namespace provozmat
