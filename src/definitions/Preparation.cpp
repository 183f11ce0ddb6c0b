#include "definitions/Preparation.h"

#include "base/Format.h"
#include "definitions/Captions.h"
#include "definitions/CompiledDefinitions.h"
#include "definitions/SelfCheckRules.h"

#include <QStringList>

namespace provozmat {

namespace {

using selfcheck::fail;

bool jeVyjmuty(const QStringList& vyjmute, const QString& name) {
    for (const QString& v : vyjmute)
        if (v.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void dedOd(TplgTabulkaDef& t, const TplgTabulkaDef& predek) {
    const QStringList vyjmute = t.VyjmuteAttrPredka.split(u'\r', Qt::SkipEmptyParts);
    const bool klicePonechat = t.DalsiVlastnosti & kTabDedeneKliceZustavaji;
    std::vector<TplgAtributTabulky> atributy = t.Atributy;
    for (const auto& a : predek.Atributy) {
        if (jeVyjmuty(vyjmute, a.JmenoSys))
            continue;
        if (a.JmenoSys.compare(QStringLiteral("ID"), Qt::CaseInsensitive) == 0 ||
            a.JmenoSys.compare(QStringLiteral("BlokovaniEditoru"), Qt::CaseInsensitive) == 0)
            fail("Nelze převzít atribut %s (dědící tabulka %s)!", {a.JmenoSys, t.JmenoSys});
        TplgAtributTabulky zdedeny = a;
        if (!klicePonechat) {
            zdedeny.PK_UQ = puNic;
            zdedeny.ForeignKey.clear();
            zdedeny.CHECK.clear();
        }
        zdedeny.Pocitany.replace(predek.JmenoSys + u'.', t.JmenoSys + u'.', Qt::CaseInsensitive);
        atributy.push_back(std::move(zdedeny));
    }
    t.Atributy = std::move(atributy);
}

template <class T> void doplnPrazdne(T& pole, const T& sablona) {
    if (pole == T{})
        pole = sablona;
}

void doplnZeSablony(TplgAtributTabulky& a, const TplgAtributTabulky& s) {
    doplnPrazdne(a.JmenoSys, s.JmenoSys);
    doplnPrazdne(a.JmenoVerejne, s.JmenoVerejne);
    doplnPrazdne(a.JmenoVerejneTxt, s.JmenoVerejneTxt);
    doplnPrazdne(a.JmenoVerejneZkr, s.JmenoVerejneZkr);
    doplnPrazdne(a.JmenoVerejneZkrTxt, s.JmenoVerejneZkrTxt);
    doplnPrazdne(a.Typ, s.Typ);
    doplnPrazdne(a.Delka, s.Delka);
    doplnPrazdne(a.Pocitany, s.Pocitany);
    doplnPrazdne(a.Null, s.Null);
    doplnPrazdne(a.PK_UQ, s.PK_UQ);
    doplnPrazdne(a.ForeignKey, s.ForeignKey);
    doplnPrazdne(a.ServerDEFAULT, s.ServerDEFAULT);
    if (a.CHECK.isEmpty() && !s.CHECK.isEmpty())
        a.CHECK = format(s.CHECK, {a.JmenoSys});
    doplnPrazdne(a.Vyzadovany, s.Vyzadovany);
    doplnPrazdne(a.Verejny, s.Verejny);
    doplnPrazdne(a.Konverze, s.Konverze);
    doplnPrazdne(a.KonverzeTxt, s.KonverzeTxt);
    doplnPrazdne(a.SirkaSloupce, s.SirkaSloupce);
    doplnPrazdne(a.MaskaDisplay, s.MaskaDisplay);
    doplnPrazdne(a.Sumovat, s.Sumovat);
    doplnPrazdne(a.Hint, s.Hint);
    doplnPrazdne(a.HintTxt, s.HintTxt);
    doplnPrazdne(a.DalsiVlastnosti, s.DalsiVlastnosti);
    doplnPrazdne(a.OrvianAttr, s.OrvianAttr);
    // The settings group stays the column's own.
    a.UTyp = plg_utaZadny;
}

} // namespace

void zdedAtributy(TplgDefinice& d) {
    for (int i = 1; i <= kPosledniTabulka; ++i) {
        TplgTabulkaDef* t = d.tabulka(i);
        if (!t || t->Predek == tZadna)
            continue;
        if (t->Predek == i)
            fail("Tabulka %s ma predchudce sama sebe. !", {t->JmenoSys});
        const TplgTabulkaDef* predek = t->Predek < i ? d.tabulka(t->Predek) : nullptr;
        if (!predek)
            fail("Tabulka %s je definovana drive nez jeji predchudce. !", {t->JmenoSys});
        dedOd(*t, *predek);
    }
}

void pouzijSablony(TplgDefinice& d) {
    for (auto& entry : d.tabulky) {
        if (!entry)
            continue;
        for (auto& a : entry->Atributy) {
            if (a.UTyp == plg_utaZadny)
                continue;
            for (const auto& s : d.sablony)
                if (s.SelfIdent == a.UTyp) {
                    doplnZeSablony(a, s.Atribut);
                    break;
                }
        }
    }
}

void doplnVychoziHodnoty(TplgDefinice& d) {
    for (auto& entry : d.tabulky) {
        if (!entry)
            continue;
        for (auto& a : entry->Atributy) {
            if (a.Null == nNic)
                a.Null = nNOTNULL;
            if (a.Vyzadovany == vDefault)
                a.Vyzadovany = vFalse;
            if (a.Verejny == vDefault)
                a.Verejny = vFalse;
        }
    }
}

void pripravDefinice(TplgDefinice& d, const DefinitionOwner& owner, const Host& host) {
    zkontrolujDefinice(d, owner);
    zdedAtributy(d);
    pouzijSablony(d);
    doplnVychoziHodnoty(d);
    zkontrolujAtributy(d);
    obnovTexty(d, host);
}

void pripravDefiniceProcesu(const DefinitionOwner& owner, const Host& host) {
    TplgDefinice prepared = zkompilovaneDefinice();
    pripravDefinice(prepared, owner, host);
    definice() = std::move(prepared);
}

} // namespace provozmat
