#include "definitions/BrowseDefinitions.h"

namespace provozmat {

const std::vector<TplgVychoziNastaveniBrowse>& browseDefinitions() {
    return definice().browse;
}

QString browsePublicName(const TplgDefinice& d, const TplgVychoziNastaveniBrowse& browse) {
    if (browse.Jmeno != u"*")
        return browse.Jmeno;
    const TplgTabulkaDef* table = d.tabulka(browse.HlavniTabulka);
    return table ? table->Jmeno : QString();
}

QString browsePublicName(const TplgVychoziNastaveniBrowse& browse) {
    return browsePublicName(definice(), browse);
}

int browseIndexByViewName(const QString& name) {
    const auto& definitions = browseDefinitions();
    for (std::size_t i = 1; i < definitions.size(); ++i)
        if (name.compare(definitions[i].JmenoView, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return 0;
}

const std::vector<TplgExtAkceDef>& extActionSets() {
    return definice().extAkce;
}

std::optional<int> extActionSetByBrowseNumber(int browseNumber) {
    const auto& sets = extActionSets();
    for (std::size_t i = 1; i < sets.size(); ++i)
        if (sets[i].BrowseID == browseNumber)
            return static_cast<int>(i);
    return std::nullopt;
}

} // namespace provozmat
