#include "definitions/Constraints.h"

#include <QStringList>

#include <array>

namespace provozmat {

namespace {

const QString kOddelovac = QStringLiteral("__");

// Whether text begins with word followed by something that cannot continue a name.
bool zacinaSlovem(const QString& text, QLatin1String word) {
    if (!text.startsWith(word, Qt::CaseInsensitive))
        return false;
    if (text.size() == word.size())
        return true;
    const QChar next = text[word.size()];
    return !(next.isLetterOrNumber() || next == u'_');
}

QString seznamSloupcu(const TplgConstraintTabulky& c) {
    return c.Typ == coForeignKey ? c.VlastniAtributy : c.Atributy;
}

} // namespace

QString prefixConstraintu(TplgConstraint typ) {
    static const std::array<const char*, 9> prefixes{"!chyba!", "PK", "UQ", "CK", "FK",
                                                     "DF",      "IX", "IC", "IU"};
    return QString::fromLatin1(typ < prefixes.size() ? prefixes[typ] : prefixes[0]);
}

QString slovoNull(TplgNULL null) {
    switch (null) {
    case nNOTNULL:
        return QStringLiteral("NOT NULL");
    case nNULL:
        return QStringLiteral("NULL");
    default:
        return QStringLiteral("!chyba!");
    }
}

QString jmenoDefaultu(const QString& tabulka, const QString& sloupec) {
    return prefixConstraintu(coDefault) + kOddelovac + tabulka + kOddelovac + sloupec;
}

QString podminkaCheck(const QString& sloupec, const QString& check) {
    const QString podminka = check.trimmed();
    if (podminka.size() <= 1)
        return podminka;
    const QChar first = podminka.front();
    const bool operatorem = first == u'<' || first == u'=' || first == u'>';
    const bool slovem =
        zacinaSlovem(podminka, QLatin1String("IN")) || zacinaSlovem(podminka, QLatin1String("BETWEEN")) ||
        zacinaSlovem(podminka, QLatin1String("LIKE")) || zacinaSlovem(podminka, QLatin1String("NOT"));
    return operatorem || slovem ? sloupec + u' ' + podminka : podminka;
}

void odvodConstrainty(TplgTabulkaDef& t) {
    if (t.BylInitConstraints)
        return;
    std::vector<TplgConstraintTabulky> constraints = t.Constraints;
    constraints.reserve(constraints.size() + 3 * t.Atributy.size());
    const QString prefixTabulky = kOddelovac + t.JmenoSys + kOddelovac;
    for (const auto& a : t.Atributy) {
        if (a.PK_UQ == puPrimaryKey)
            constraints.push_back({.Typ = coPrimaryKey, .Atributy = a.JmenoSys});
        else if (a.PK_UQ == puUnique)
            constraints.push_back({.Typ = coUnique, .Atributy = a.JmenoSys});
        if (!a.CHECK.trimmed().isEmpty())
            constraints.push_back({.JmenoSys = prefixConstraintu(coCheck) + prefixTabulky + a.JmenoSys,
                                   .Typ = coCheck,
                                   .Vyraz = podminkaCheck(a.JmenoSys, a.CHECK)});
        if (!a.ForeignKey.isEmpty()) {
            const qsizetype open = a.ForeignKey.indexOf(u'(');
            const qsizetype close = a.ForeignKey.indexOf(u')', open + 1);
            constraints.push_back(
                {.Typ = coForeignKey,
                 .VlastniAtributy = a.JmenoSys,
                 .CiziTabulka = a.ForeignKey.left(open).trimmed(),
                 .CiziAtributy =
                     open < 0 ? QString()
                              : a.ForeignKey.mid(open + 1, close < 0 ? -1 : close - open - 1).trimmed()});
        }
        if (!a.ServerDEFAULT.isEmpty())
            constraints.push_back({.JmenoSys = jmenoDefaultu(t.JmenoSys, a.JmenoSys),
                                   .Typ = coDefault,
                                   .Vyraz = a.ServerDEFAULT});
    }
    for (auto& c : constraints) {
        if (!c.JmenoSys.isEmpty())
            continue;
        c.JmenoSys = prefixConstraintu(c.Typ) + kOddelovac + t.JmenoSys;
        for (const QString& sloupec : seznamSloupcu(c).split(u',', Qt::SkipEmptyParts))
            c.JmenoSys += kOddelovac + sloupec.trimmed();
    }
    t.Constraints = std::move(constraints);
    t.BylInitConstraints = true;
}

} // namespace provozmat
