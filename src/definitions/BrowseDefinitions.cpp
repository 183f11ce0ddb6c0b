#include "definitions/BrowseDefinitions.h"

namespace provozmat {

const std::array<TplgVychoziNastaveniBrowse, 6>& browseDefinitions() {
    using B = TplgBrowse;
    static const std::array<TplgVychoziNastaveniBrowse, 6> definitions{{
        {B::bZadny, u"", u"", u"", u"", u""},
        {B::b_LCDKonfigurace, u"*", u"Konfigurace", u"hvw_LCDKonfigurace7EK", u"TdmPlgKonfigurace",
         u"TEditor_USKonfigurace"},
        {B::b_LCDTerminal, u"LCD Terminál", u"LCD Terminál", u"hvw__LCDTerminal7EK", u"TdmPlgEALCD", u""},
        {B::b_KontrolniPostupHlavicka, u"*", u"Hlavička kontrolního postupu",
         u"hvw__KontrolniPostupHlavicka7EK", u"TdmPlgKontrolniPostupHlavicka", u"TedKontrolniPostupHlavicka"},
        {B::b_KontrolniPostupPolozka, u"*", u"Položka kontrolního postupu", u"hvw__KontrolniPostupPolozka7EK",
         u"TdmPlgKontrolniPostupPolozka", u"TedKontrolniPostupPolozka"},
        {B::b_KontrolniPostupHodnoty, u"*", u"Hodnoty kontrolního postupu", u"hvw__KontrolniPostupHodnoty7EK",
         u"", u""},
    }};
    return definitions;
}

QString browsePublicName(const TplgVychoziNastaveniBrowse& browse) {
    const QString name = QString::fromUtf16(browse.Jmeno);
    return name == u"*" ? QString::fromUtf16(browse.HlavniTabulkaJmeno) : name;
}

int browseIndexByViewName(const QString& name) {
    const auto& definitions = browseDefinitions();
    for (int i = 1; i < static_cast<int>(definitions.size()); ++i)
        if (name.compare(QString::fromUtf16(definitions[static_cast<std::size_t>(i)].JmenoView),
                         Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

const std::array<TplgExtAkceDef, 2>& extActionSets() {
    static const std::array<TplgExtAkceDef, 2> sets{{
        {0, u"", u"", u"", u""},
        {86, u"TdmPlgTabCisZam", u"", u"", u""},
    }};
    return sets;
}

std::optional<int> extActionSetByBrowseNumber(int browseNumber) {
    const auto& sets = extActionSets();
    for (int i = 1; i < static_cast<int>(sets.size()); ++i)
        if (sets[static_cast<std::size_t>(i)].BrowseID == browseNumber)
            return i;
    return std::nullopt;
}

} // namespace provozmat
