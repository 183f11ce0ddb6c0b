// The key, default, check and foreign-key steps of schema verification.

#include "definitions/SchemaMerge.h"
#include "definitions/SchemaVerification.h"

#include "base/Format.h"
#include "lang/Messages.h"

namespace provozmat {

namespace {

using Radek = std::pair<QString, TPomConstraintObject>;
using RadekFK = std::pair<QString, TPomConstraintFKObject>;

bool stejne(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

template <typename T> std::vector<T> serazene(std::vector<T> radky) {
    seradPodleKlice(radky, [](const T& r) -> const QString& { return r.first; });
    return radky;
}

QString seznamBezMezer(QString text) {
    return text.remove(u' ').toUpper();
}

bool stejneSloupce(const QString& a, const QString& b) {
    QStringList x = seznamBezMezer(a).split(u',');
    QStringList y = seznamBezMezer(b).split(u',');
    if (x == y)
        return true;
    x.sort();
    y.sort();
    return x == y;
}

} // namespace

void Tx::odeber(const QString& jmeno, const QString& tabulka) {
    if (tabulka.isEmpty()) {
        pridej(QStringLiteral("??????"), jmeno, 140, QString(), PoradiPrikazu::Odebrani);
        return;
    }
    pridej(tabulka, jmeno, 140, format(QStringLiteral("ALTER TABLE %s DROP CONSTRAINT %s"), {tabulka, jmeno}),
           PoradiPrikazu::Odebrani);
}

void Tx::KontrolujOmezeni_PK_UQ(const PojmenovaneRadky<TPomConstraintObject>& databaze) {
    serazenySoulad(
        serazene(definiceConstraintu({coPrimaryKey, coUnique})), serazene(databaze),
        [](const Radek& d, const Radek& b) {
            return stejne(d.first, b.first) && stejne(d.second.VlastniTabulka, b.second.VlastniTabulka);
        },
        [this](const Radek& d) {
            const auto j = rozeberJmenoConstraintu(d.first);
            QString prikaz;
            if (j.druh == QStringLiteral("PK"))
                prikaz = format(QStringLiteral("ALTER TABLE %s ADD CONSTRAINT %s PRIMARY KEY (%s)"),
                                {j.tabulka, d.first, j.atributy});
            else if (j.druh == QStringLiteral("UQ"))
                prikaz = format(QStringLiteral("ALTER TABLE %s ADD CONSTRAINT %s UNIQUE (%s)"),
                                {j.tabulka, d.first, j.atributy});
            pridej(d.second.VlastniTabulka, d.first, 148, prikaz, PoradiPrikazu::Bezne);
        },
        [this](const Radek& b) { odeber(b.first, b.second.VlastniTabulka); });
}

void Tx::zmenenyDefault(const QString& jmeno, const QString& tabulka, const QString& definice,
                        const TPomConstraintObject& db) {
    const auto j = rozeberJmenoConstraintu(jmeno);
    pridej(
        tabulka, jmeno, 149,
        format(QStringLiteral(
                   "ALTER TABLE %s DROP CONSTRAINT %s \rALTER TABLE %s ADD CONSTRAINT %s DEFAULT %s FOR %s"),
               {tabulka, jmeno, tabulka, jmeno, definice, j.atributy}),
        PoradiPrikazu::Bezne);
    pridej(tabulka, jmeno, 150,
           format(QStringLiteral("/* ALTER TABLE %s ADD CONSTRAINT %s DEFAULT %s FOR %s */"),
                  {tabulka, jmeno, db.Vyraz, j.atributy}),
           PoradiPrikazu::Bezne);
}

void Tx::zmenenyCheck(const QString& jmeno, const QString& tabulka, const QString& definice,
                      const TPomConstraintObject& db) {
    pridej(tabulka, jmeno, 149,
           format(QStringLiteral(
                      "ALTER TABLE %s DROP CONSTRAINT %s \rALTER TABLE %s ADD CONSTRAINT %s CHECK (%s)"),
                  {tabulka, jmeno, tabulka, jmeno, definice}),
           PoradiPrikazu::Bezne);
    pridej(tabulka, jmeno, 150,
           format(QStringLiteral("/* ALTER TABLE %s ADD CONSTRAINT %s CHECK (%s) */"),
                  {tabulka, jmeno, db.Vyraz}),
           PoradiPrikazu::Bezne);
}

void Tx::KontrolujDefaultyChecky(const PojmenovaneRadky<TPomConstraintObject>& databaze) {
    serazenySoulad(
        serazene(definiceConstraintu({coCheck, coDefault})), serazene(databaze),
        [this](const Radek& d, const Radek& b) {
            if (!stejne(d.first, b.first) || !stejne(d.second.VlastniTabulka, b.second.VlastniTabulka))
                return false;
            const auto j = rozeberJmenoConstraintu(d.first);
            const QString& tabulka = d.second.VlastniTabulka;
            if (j.druh == QStringLiteral("DF")) {
                const QString text = b.second.Vyraz.mid(1, b.second.Vyraz.size() - 2);
                if (!stejneVyrazy(text, d.second.Vyraz, verzeServeru_))
                    zmenenyDefault(d.first, tabulka, d.second.Vyraz, b.second);
            } else if (j.druh == QStringLiteral("CK")) {
                if (!stejnyCheck(b.second.Vyraz, d.second.Vyraz, j.atributy, verzeServeru_))
                    zmenenyCheck(d.first, tabulka, d.second.Vyraz, b.second);
                else if (b.second.Blokovano == 1)
                    pridej(tabulka, d.first, 151,
                           format(QStringLiteral("ALTER TABLE %s WITH CHECK CHECK CONSTRAINT %s"),
                                  {tabulka, d.first}),
                           PoradiPrikazu::Bezne);
            }
            return true;
        },
        [this](const Radek& d) {
            const auto j = rozeberJmenoConstraintu(d.first);
            const QString& tabulka = d.second.VlastniTabulka;
            if (j.druh == QStringLiteral("DF")) {
                if (!pridavaneDefaulty_.contains(d.first.toUpper()))
                    pridej(tabulka, d.first, 148,
                           format(QStringLiteral("ALTER TABLE %s ADD CONSTRAINT %s DEFAULT %s FOR %s"),
                                  {tabulka, d.first, d.second.Vyraz, j.atributy}),
                           PoradiPrikazu::Bezne);
            } else {
                pridej(tabulka, d.first, 148,
                       format(QStringLiteral("ALTER TABLE %s ADD CONSTRAINT %s CHECK (%s)"),
                              {tabulka, d.first, d.second.Vyraz}),
                       PoradiPrikazu::Bezne);
            }
        },
        [this](const Radek& b) { odeber(b.first, b.second.VlastniTabulka); });
}

void Tx::KontrolujOmezeni_FK(const PojmenovaneRadky<TPomConstraintFKObject>& databaze) {
    PojmenovaneRadky<TPomConstraintFKObject> definice;
    for (const auto* t : definiceTabulek())
        for (const auto& c : t->Constraints)
            if (c.Typ == coForeignKey)
                definice.push_back({c.JmenoSys, TPomConstraintFKObject{.Tabulka = c.CiziTabulka,
                                                                       .Atributy = c.CiziAtributy,
                                                                       .Blokovano = 0,
                                                                       .VlastniTabulka = t->JmenoSys}});
    serazenySoulad(
        serazene(std::move(definice)), serazene(databaze),
        [this](const RadekFK& d, const RadekFK& b) {
            if (!stejne(d.first, b.first) ||
                !stejne(rozeberJmenoConstraintu(d.first).tabulka, b.second.VlastniTabulka) ||
                !stejne(d.second.Tabulka, b.second.Tabulka) ||
                !stejneSloupce(d.second.Atributy, b.second.Atributy))
                return false;
            if (b.second.Blokovano == 1)
                pridej(b.second.VlastniTabulka, d.first, 147,
                       format(QStringLiteral("ALTER TABLE %s WITH CHECK CHECK CONSTRAINT %s"),
                              {b.second.VlastniTabulka, d.first}),
                       PoradiPrikazu::Bezne);
            return true;
        },
        [this](const RadekFK& d) {
            const auto j = rozeberJmenoConstraintu(d.first);
            pridej(
                d.second.VlastniTabulka, d.first, 148,
                format(QStringLiteral("ALTER TABLE %s ADD CONSTRAINT %s FOREIGN KEY (%s) REFERENCES %s (%s)"),
                       {j.tabulka, d.first, j.atributy, d.second.Tabulka, d.second.Atributy}),
                PoradiPrikazu::Bezne);
        },
        [this](const RadekFK& b) { odeber(b.first, b.second.VlastniTabulka); });
}

} // namespace provozmat
