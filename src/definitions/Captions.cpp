#include "definitions/Captions.h"

#include "base/Host.h"
#include "lang/Messages.h"

namespace provozmat {

namespace {

void zKatalogu(QString& text, TplgTxt index) {
    if (index != 0)
        text = textKatalogu(index);
}

void obnovAtribut(TplgAtributTabulky& a, const Host& host) {
    if (a.JmenoVerejneTxt != 0)
        a.JmenoVerejne = textKatalogu(a.JmenoVerejneTxt);
    else if (!a.OrvianAttr.isEmpty())
        a.JmenoVerejne = host.attributePublicName(a.OrvianAttr);
    zKatalogu(a.JmenoVerejneZkr, a.JmenoVerejneZkrTxt);
    if (a.KonverzeTxt != 0)
        a.Konverze = textKatalogu(a.KonverzeTxt);
    else if (!a.OrvianAttr.isEmpty())
        a.Konverze = host.attributeConversion(a.OrvianAttr);
    zKatalogu(a.SkupinaNastav, a.SkupinaNastavTxt);
    zKatalogu(a.Hint, a.HintTxt);
}

} // namespace

QString textKatalogu(TplgTxt index) {
    if (index < kPrvniHlaska || index > kPosledniHlaska)
        return {};
    return hlaska(index);
}

void obnovTexty(TplgDefinice& d, const Host& host) {
    for (auto& t : d.tabulky) {
        if (!t)
            continue;
        zKatalogu(t->Jmeno, t->JmenoTxt);
        for (auto& a : t->Atributy)
            obnovAtribut(a, host);
    }
    // A browse named "*" shows its main table's name, which follows the language already.
    for (auto& b : d.browse) {
        if (b.Jmeno != u"*")
            zKatalogu(b.Jmeno, b.JmenoTxt);
        zKatalogu(b.Pomocnicek, b.PomocnicekTxt);
    }
    for (auto& v : d.vazby) {
        zKatalogu(v.NazevLP, v.NazevLPTxt);
        zKatalogu(v.NazevPL, v.NazevPLTxt);
    }
    for (auto& e : d.extAtributy) {
        zKatalogu(e.JmenoVerejne, e.JmenoVerejneTxt);
        zKatalogu(e.JmenoVerejneZkr, e.JmenoVerejneZkrTxt);
        zKatalogu(e.Konverze, e.KonverzeTxt);
        zKatalogu(e.Poznamka, e.PoznamkaTxt);
        zKatalogu(e.Bublina, e.BublinaTxt);
        zKatalogu(e.ExtEd_Zalozka, e.ExtEd_ZalozkaTxt);
    }
}

void obnovTextyProcesu(const Host& host) {
    obnovTexty(definice(), host);
}

} // namespace provozmat
