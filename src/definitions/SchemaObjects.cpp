// The trigger, index, procedure and function steps of schema verification.

#include "definitions/SchemaMerge.h"
#include "definitions/SchemaVerification.h"

#include "base/Format.h"
#include "base/PluginError.h"
#include "base/SqlLiteral.h"
#include "base/Text.h"
#include "lang/Messages.h"

#include <algorithm>

namespace provozmat {

namespace {

struct DefiniceTriggeru {
    QString klic;
    QString tabulka;
    QString jmeno;
    QString text;
};

bool stejne(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString bezMezer(QString text) {
    return text.remove(u' ');
}

QString vytvoreniIndexu(const QString& tabulka, const TIndexKontrola& i, const QString& predtim) {
    const QString druh = (i.Unique ? QStringLiteral("UNIQUE ") : QString()) +
                         (i.Clustered ? QStringLiteral("CLUSTERED") : QStringLiteral("NONCLUSTERED"));
    return format(QStringLiteral("%sCREATE %s INDEX %s ON %s(%s)%s %s"),
                  {predtim, druh, i.Jmeno, tabulka, i.Atributy,
                   i.Included.isEmpty() ? QString() : format(QStringLiteral(" INCLUDE (%s)"), {i.Included}),
                   i.Where.isEmpty() ? QString() : QStringLiteral("WHERE ") + i.Where});
}

} // namespace

void Tx::KontrolujTriggers(const std::vector<DbTrigger>& databaze, const QStringList& definice) {
    std::vector<DefiniceTriggeru> defs;
    for (const QString& text : definice) {
        DefiniceTriggeru d;
        d.text = text;
        d.klic = klicTriggeru(text, &d.tabulka, &d.jmeno);
        if (d.jmeno.startsWith(QStringLiteral("ET_"), Qt::CaseInsensitive) &&
            definice_.indexTabulky(d.tabulka) != 0)
            throw PluginError(d.jmeno + QStringLiteral(" - název triggeru nesmí začínat na ") +
                              highlighted(QStringLiteral("et_")) + QStringLiteral(" !"));
        const int index = definice_.indexTabulky(d.tabulka);
        if (index != 0)
            d.tabulka = definice_.jmenoTabulky(index);
        defs.push_back(std::move(d));
    }
    std::vector<DbTrigger> db = databaze;
    for (auto& t : db)
        t.klic = t.klic.toUpper();
    seradPodleKlice(defs, [](const DefiniceTriggeru& d) -> const QString& { return d.klic; });
    seradPodleKlice(db, [](const DbTrigger& t) -> const QString& { return t.klic; });
    const auto objekt = [](const QString& jmeno) { return kTriggerZnacka + jmeno; };
    serazenySoulad(
        defs, db,
        [&](const DefiniceTriggeru& d, const DbTrigger& b) {
            if (d.klic != b.klic)
                return false;
            if (!stejnyTextModulu(odCreate(b.text), d.text))
                pridej(d.tabulka, objekt(d.jmeno), 161, format(QStringLiteral("ALTER%s"), {d.text.mid(6)}),
                       PoradiPrikazu::Konec);
            if (b.vypnuty)
                pridej(d.tabulka, objekt(d.jmeno), 160,
                       format(QStringLiteral("ALTER TABLE %s ENABLE TRIGGER %s"), {d.tabulka, b.jmeno}),
                       PoradiPrikazu::Bezne);
            return true;
        },
        [&](const DefiniceTriggeru& d) {
            pridej(d.tabulka, objekt(d.jmeno), 158, d.text, PoradiPrikazu::Konec);
        },
        [&](const DbTrigger& b) {
            const QString tabulkaKlice = b.klic.left(b.klic.size() - b.jmeno.size());
            const int index = definice_.indexTabulky(tabulkaKlice);
            const QString tabulka = index != 0 ? definice_.jmenoTabulky(index) : tabulkaKlice;
            pridej(tabulka, objekt(b.jmeno), 159, format(QStringLiteral("DROP TRIGGER %s"), {b.jmeno}),
                   PoradiPrikazu::Odebrani);
        });
}

void Tx::KontrolujIndex(const PojmenovaneRadky<TIndexKontrola>& databaze) {
    PojmenovaneRadky<TIndexKontrola> defs;
    for (const auto* t : definiceTabulek())
        for (const auto& c : t->Constraints)
            if (c.Typ == coIndex || c.Typ == coIndexClustered || c.Typ == coIndexUnique)
                defs.push_back({t->JmenoSys, TIndexKontrola{.Jmeno = c.JmenoSys,
                                                            .Atributy = bezMezer(c.Atributy),
                                                            .Included = bezMezer(c.Included),
                                                            .Where = c.Where,
                                                            .Clustered = c.Typ == coIndexClustered,
                                                            .Unique = c.Typ == coIndexUnique}});
    PojmenovaneRadky<TIndexKontrola> db = databaze;
    const auto klic = [](const std::pair<QString, TIndexKontrola>& r) -> const QString& { return r.first; };
    seradPodleKlice(defs, klic);
    seradPodleKlice(db, klic);

    std::size_t j = 0;
    for (const auto& [tabulka, d] : defs) {
        while (j < db.size() && db[j].first.compare(tabulka, Qt::CaseInsensitive) < 0)
            ++j; // indexes the definitions do not name are left alone
        auto partner = db.end();
        for (auto it = db.begin() + static_cast<std::ptrdiff_t>(j);
             it != db.end() && stejne(it->first, tabulka); ++it)
            if (stejne(it->second.Atributy, d.Atributy)) {
                partner = it;
                break;
            }
        if (partner == db.end()) {
            pridej(tabulka, d.Jmeno, 17, vytvoreniIndexu(tabulka, d, QString()), PoradiPrikazu::Konec);
            continue;
        }
        if (!stejne(partner->second.Jmeno, d.Jmeno))
            pridej(tabulka, d.Jmeno, 162,
                   format(QStringLiteral("EXEC sp_rename %s, %s, 'INDEX' "),
                          {sql::text(tabulka + u'.' + partner->second.Jmeno), sql::text(d.Jmeno)}),
                   PoradiPrikazu::Bezne);
        if (partner->second.Clustered != d.Clustered)
            pridej(
                tabulka, d.Jmeno, 16,
                vytvoreniIndexu(tabulka, d, format(QStringLiteral("DROP INDEX %s.%s\r"), {tabulka, d.Jmeno})),
                PoradiPrikazu::Konec);
        db.erase(partner);
    }
}

void Tx::kontrolujModuly(const std::vector<DbModul>& databaze, const std::vector<DefiniceModulu>& definice,
                         int chybi, int prava, int zmena) {
    struct Radek {
        QString klic;
        QString text;
    };
    std::vector<Radek> db;
    for (const auto& m : databaze)
        db.push_back({QStringLiteral("DBO.") + m.jmeno.toUpper(), odCreate(m.text)});
    std::vector<DefiniceModulu> defs = definice;
    seradPodleKlice(defs, [](const DefiniceModulu& d) -> const QString& { return d.klic; });
    seradPodleKlice(db, [](const Radek& r) -> const QString& { return r.klic; });
    serazenySoulad(
        defs, db,
        [&](const DefiniceModulu& d, const Radek& b) {
            if (d.klic != b.klic)
                return false;
            if (!stejnyTextModulu(b.text, d.text))
                zmeny_.pridejKModulu(d.klic, hlaska(zmena), QStringLiteral("ALTER ") + d.text.mid(7));
            return true;
        },
        [&](const DefiniceModulu& d) {
            zmeny_.pridejKModulu(d.klic, hlaska(chybi), d.text);
            zmeny_.pridejKModulu(d.klic, kPravaZnacka + hlaska(prava),
                                 format(QStringLiteral("GRANT ALL ON %s TO PUBLIC"), {d.klic}));
        },
        [](const Radek&) {}); // the query names only the plug-in's own modules
}

void Tx::KontrolujUlozeneProcedury(const std::vector<DbModul>& databaze,
                                   const std::vector<DefiniceModulu>& definice) {
    kontrolujModuly(databaze, definice, 152, 153, 154);
}

void Tx::KontrolujUzivatelskeFunkce(const std::vector<DbModul>& databaze,
                                    const std::vector<DefiniceModulu>& definice) {
    kontrolujModuly(databaze, definice, 155, 156, 157);
}

} // namespace provozmat
