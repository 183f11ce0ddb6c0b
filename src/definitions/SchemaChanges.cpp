#include "definitions/SchemaChanges.h"

#include "definitions/SchemaText.h"

#include <algorithm>

namespace provozmat {

namespace {

template <typename Uzel> Uzel& uzel(std::vector<Uzel>& uzly, const QString& jmeno) {
    const auto it = std::find_if(uzly.begin(), uzly.end(), [&](const Uzel& u) {
        return u.jmeno.compare(jmeno, Qt::CaseInsensitive) == 0;
    });
    if (it != uzly.end())
        return *it;
    uzly.push_back(Uzel{.jmeno = jmeno});
    return uzly.back();
}

ZmenaSchematu& zmena(std::vector<ZmenaSchematu>& zmeny, const QString& popis) {
    const auto it = std::find_if(zmeny.begin(), zmeny.end(), [&](const ZmenaSchematu& z) {
        return z.popis.compare(popis, Qt::CaseInsensitive) == 0;
    });
    if (it != zmeny.end())
        return *it;
    zmeny.push_back(ZmenaSchematu{.popis = popis, .prikazy = {}});
    return zmeny.back();
}

} // namespace

QString ZmenySchematu::ulozeny(const QString& prikaz) const {
    return databaze_.isEmpty() ? prikaz : vDatabazi(databaze_, prikaz);
}

void ZmenySchematu::pridejKTabulce(const QString& tabulka, const QString& objekt, const QString& popis,
                                   const QString& prikaz, PoradiPrikazu poradi) {
    const QString text = ulozeny(prikaz);
    zmena(uzel(uzel(tabulky_, tabulka).objekty, objekt).zmeny, popis).prikazy.append(text);
    switch (poradi) {
    case PoradiPrikazu::Zacatek:
        prikazy_.insert(0, text);
        ++zacatek_;
        break;
    case PoradiPrikazu::Odebrani:
        prikazy_.insert(zacatek_, text);
        break;
    case PoradiPrikazu::Bezne:
        prikazy_.insert(prikazy_.size() - konec_, text);
        break;
    case PoradiPrikazu::Konec:
        prikazy_.append(text);
        ++konec_;
        break;
    }
}

void ZmenySchematu::pridejKModulu(const QString& modul, const QString& popis, const QString& prikaz) {
    const QString text = ulozeny(prikaz);
    zmena(uzel(moduly_, modul).zmeny, popis).prikazy.append(text);
    prikazy_.append(text);
}

void ZmenySchematu::odeber(const QString& tabulka, const QString& objekt, const QString& popis) {
    auto& objekty = uzel(tabulky_, tabulka).objekty;
    auto& zmeny = uzel(objekty, objekt).zmeny;
    const auto it = std::find_if(zmeny.begin(), zmeny.end(), [&](const ZmenaSchematu& z) {
        return z.popis.compare(popis, Qt::CaseInsensitive) == 0;
    });
    if (it == zmeny.end())
        return;
    for (const QString& prikaz : it->prikazy) {
        const auto index = prikazy_.indexOf(prikaz);
        if (index < 0)
            continue;
        if (index < zacatek_)
            --zacatek_;
        else if (index >= prikazy_.size() - konec_)
            --konec_;
        prikazy_.removeAt(index);
    }
    zmeny.erase(it);
    std::erase_if(objekty, [](const ObjektSeZmenami& o) { return o.zmeny.empty(); });
    std::erase_if(tabulky_, [](const TabulkaSeZmenami& t) { return t.objekty.empty(); });
}

} // namespace provozmat
