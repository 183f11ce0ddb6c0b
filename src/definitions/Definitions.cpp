#include "definitions/Definitions.h"

#include "definitions/CompiledDefinitions.h"

#include <algorithm>

namespace provozmat {

const TplgTabulkaDef* TplgDefinice::tabulka(int index) const {
    if (index <= tZadna || index >= static_cast<int>(tabulky.size()))
        return nullptr;
    const auto& entry = tabulky[static_cast<std::size_t>(index)];
    return entry ? &*entry : nullptr;
}

TplgTabulkaDef* TplgDefinice::tabulka(int index) {
    return const_cast<TplgTabulkaDef*>(std::as_const(*this).tabulka(index));
}

int TplgDefinice::indexTabulky(const QString& jmenoSys) const {
    const QString name = jmenoSys.trimmed();
    for (int i = 1; i < static_cast<int>(tabulky.size()); ++i)
        if (const auto* t = tabulka(i); t && t->JmenoSys.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

QString TplgDefinice::jmenoTabulky(int index) const {
    const auto* t = tabulka(index);
    return t ? t->JmenoSys : QString();
}

const TplgAtributTabulky* TplgDefinice::atribut(int tableIndex, const QString& jmenoSys) const {
    const auto* t = tabulka(tableIndex);
    if (!t)
        return nullptr;
    for (const auto& a : t->Atributy)
        if (a.JmenoSys.compare(jmenoSys, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

const TplgAtributTabulky* TplgDefinice::atribut(const QString& tableDotColumn) const {
    const qsizetype dot = tableDotColumn.indexOf(u'.');
    if (dot < 0)
        return nullptr;
    return atribut(indexTabulky(tableDotColumn.left(dot)), tableDotColumn.mid(dot + 1));
}

std::vector<std::pair<QString, const TplgAtributTabulky*>>
TplgDefinice::serazeneAtributy(int tableIndex) const {
    std::vector<std::pair<QString, const TplgAtributTabulky*>> list;
    if (const auto* t = tabulka(tableIndex))
        for (const auto& a : t->Atributy)
            list.emplace_back(a.JmenoSys, &a);
    std::stable_sort(list.begin(), list.end(), [](const auto& x, const auto& y) {
        return x.first.compare(y.first, Qt::CaseInsensitive) < 0;
    });
    return list;
}

TplgDefinice& definice() {
    static TplgDefinice set = zkompilovaneDefinice();
    return set;
}

} // namespace provozmat
