#include "definitions/SchemaVerification.h"

#include "base/Format.h"
#include "base/PluginError.h"
#include "lang/Messages.h"

namespace provozmat {

Tx::Tx(const TplgDefinice& definice, std::int32_t verzeServeru)
    : definice_(definice), verzeServeru_(verzeServeru) {}

void Tx::setTestDB(const QString& db, std::vector<int> tabulky) {
    testDB_ = db;
    tabulky_ = std::move(tabulky);
    zmeny_.setDatabaze(prepinat_ ? db : QString());
}

std::vector<const TplgTabulkaDef*> Tx::definiceTabulek() const {
    std::vector<const TplgTabulkaDef*> vysledek;
    for (int index : tabulky_)
        if (const auto* t = definice_.tabulka(index))
            vysledek.push_back(t);
    return vysledek;
}

std::vector<std::pair<QString, TPomConstraintObject>>
Tx::definiceConstraintu(std::initializer_list<TplgConstraint> typy, QStringList* vyrazy) const {
    std::vector<std::pair<QString, TPomConstraintObject>> vysledek;
    for (const auto* t : definiceTabulek())
        for (const auto& c : t->Constraints)
            if (std::find(typy.begin(), typy.end(), c.Typ) != typy.end()) {
                vysledek.push_back(
                    {c.JmenoSys,
                     TPomConstraintObject{.Vyraz = c.Vyraz, .Blokovano = 0, .VlastniTabulka = t->JmenoSys}});
                if (vyrazy)
                    vyrazy->append(c.Vyraz);
            }
    return vysledek;
}

void Tx::pridej(const QString& tabulka, const QString& objekt, int text, const QString& prikaz,
                PoradiPrikazu poradi) {
    pridejText(tabulka, objekt, hlaska(text), prikaz, poradi);
}

void Tx::pridejText(const QString& tabulka, const QString& objekt, const QString& popis,
                    const QString& prikaz, PoradiPrikazu poradi) {
    zmeny_.pridejKTabulce(tabulka, objekt, popis, prikaz, poradi);
}

bool Tx::Konec(const std::function<bool(const ZmenySchematu&)>& potvrd) const {
    if (zmeny_.prazdne())
        return true;
    return potvrd && potvrd(zmeny_);
}

namespace {

QString bezZavorek(QString text) {
    return text.remove(u'[').remove(u']');
}

// The word of text that begins at od after any blanks, up to the first character of konce.
QString slovoOd(const QString& text, qsizetype od, const QString& konce) {
    while (od < text.size() && text[od].isSpace())
        ++od;
    qsizetype konec = od;
    while (konec < text.size() && !konce.contains(text[konec]))
        ++konec;
    return text.mid(od, konec - od).trimmed();
}

} // namespace

DefiniceModulu definiceModulu(const QString& text, bool funkce) {
    QString radky = text;
    radky.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    const QString slovo = funkce ? QStringLiteral("FUNCTION") : QStringLiteral("PROC");
    const auto pozice = radky.indexOf(slovo, 0, Qt::CaseInsensitive);
    if (pozice < 0)
        throw PluginError(format(QStringLiteral("%s - chybí název"), {text.left(60)}));
    qsizetype od = pozice + slovo.size();
    if (!funkce)
        while (od < radky.size() && !radky[od].isSpace())
            ++od;
    const QString surove = slovoOd(radky, od, funkce ? QStringLiteral("(") : QStringLiteral(" \t("));
    const QString jmeno = bezZavorek(surove);
    DefiniceModulu d;
    d.text = text;
    if (jmeno.startsWith(QStringLiteral("dbo."), Qt::CaseInsensitive)) {
        d.jmeno = jmeno.mid(4);
    } else {
        d.jmeno = jmeno;
        const auto vText = text.indexOf(surove, text.indexOf(slovo, 0, Qt::CaseInsensitive));
        if (vText >= 0)
            d.text.insert(vText, QStringLiteral("dbo."));
    }
    d.klic = QStringLiteral("DBO.") + d.jmeno.toUpper();
    return d;
}

QString klicTriggeru(const QString& text, QString* tabulka, QString* jmeno) {
    QString radky = text;
    radky.replace(u'\r', u' ').replace(u'\n', u' ').replace(u'\t', u' ');
    const auto poTrigger = radky.indexOf(QStringLiteral("TRIGGER"), 0, Qt::CaseInsensitive);
    QString nazev =
        poTrigger < 0 ? QString() : bezZavorek(slovoOd(radky, poTrigger + 7, QStringLiteral(" ")));
    if (nazev.startsWith(QStringLiteral("DBO."), Qt::CaseInsensitive))
        nazev = nazev.mid(4);
    const auto poOn = radky.indexOf(QStringLiteral(" ON "), 0, Qt::CaseInsensitive);
    QString tab = poOn < 0 ? QString() : bezZavorek(slovoOd(radky, poOn + 4, QStringLiteral(" ")));
    if (tab.startsWith(QStringLiteral("DBO."), Qt::CaseInsensitive))
        tab = tab.mid(4);
    if (tabulka)
        *tabulka = tab;
    if (jmeno)
        *jmeno = nazev;
    return tab.toUpper() + nazev.toUpper();
}

} // namespace provozmat
