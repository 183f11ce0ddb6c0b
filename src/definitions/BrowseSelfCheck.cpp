// The self-check rules of browses, browse groups and action sets on host browses.

#include "definitions/BrowseDefinitions.h"
#include "definitions/SelfCheckRules.h"

#include <QSet>

namespace provozmat::selfcheck {

namespace {

constexpr int kMaxDelkaView = 36;
constexpr int kMaxDelkaJmenaPrehledu = 50;
constexpr int kMaxDelkaJmenaSoudku = 40;
constexpr int kDelkaGenerovanehoJmena = 32;

// A view name made of "hvw_" and 32 characters of a GUID's digits without separators.
bool jeGenerovaneJmenoView(const QString& name) {
    if (name.size() != kMaxDelkaView || !name.startsWith(QStringLiteral("hvw_"), Qt::CaseInsensitive))
        return false;
    for (qsizetype i = 4; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            return false;
    }
    static_assert(kMaxDelkaView - 4 == kDelkaGenerovanehoJmena);
    return true;
}

// The standard-action GUIDs of the definitions: each one that is set needs an action class,
// must be a GUID and must not occur twice.
class StandardniAkce {
public:
    void zkontroluj(const char* pole, const QString& guid, const QString& trida, const char* unita,
                    const QString& kdo) {
        if (guid.isEmpty())
            return;
        if (trida.isEmpty())
            fail("Je definovana akce %s, ale neni definovan DMAkceClass - unita %s (%s)!",
                 {pole, unita, kdo});
        if (!jeGuid(guid))
            fail("Chybne GUID %s - unita %s (%s) !\r%s", {pole, unita, kdo, guid});
        const QString key = guid.toUpper();
        if (seen_.contains(key))
            fail("Duplicitni %s - unita %s (%s)!", {guid, unita, kdo});
        seen_.insert(key);
    }

private:
    QSet<QString> seen_;
};

void zkontrolujAkceBrowse(const std::vector<TplgVychoziNastaveniBrowse>& browse, StandardniAkce& akce) {
    for (std::size_t i = 1; i < browse.size(); ++i) {
        const auto& b = browse[i];
        akce.zkontroluj("GUID_ActionNew", b.GUID_ActionNew, b.DMAkceClass, "plgBrowse", b.JmenoView);
        akce.zkontroluj("GUID_ActionEdit", b.GUID_ActionEdit, b.DMAkceClass, "plgBrowse", b.JmenoView);
        akce.zkontroluj("GUID_ActionDelete", b.GUID_ActionDelete, b.DMAkceClass, "plgBrowse", b.JmenoView);
    }
}

void zkontrolujPredka(const std::vector<TplgVychoziNastaveniBrowse>& browse, std::size_t i) {
    const auto& b = browse[i];
    if (b.Predek == bZadny)
        return;
    if (b.Predek == b.SelfIdent)
        fail("Nelze zadat jako predka sama sebe - unita plgBrowse (%s) !", {b.JmenoView});
    if (b.Soudek != sdNeniVidet)
        fail("Nelze zadat zaroven soudek a predka - unita plgBrowse (%s) !", {b.JmenoView});
    if (b.Predek >= browse.size() || b.Predek > i)
        fail("Prehled %s je definovan drive nez jeho predchudce - unita plgBrowse!", {b.JmenoView});
    const auto& predek = browse[b.Predek];
    if (predek.Predek != bZadny)
        fail("Je povoleno pouze jedno zanoreni - unita plgBrowse (%s) !", {b.JmenoView});
    if (predek.Soudek == sdNeniVidet)
        fail("Predek nema zadan soudek - unita plgBrowse (%s) !", {b.JmenoView});
}

} // namespace

void zkontrolujBrowse(const TplgDefinice& d, const DefinitionOwner& owner) {
    const QString prefix = QStringLiteral("hvw_") + owner.identifikator;
    QSet<QString> views;
    for (std::size_t i = 1; i < d.browse.size(); ++i) {
        const auto& b = d.browse[i];
        const QString& view = b.JmenoView;
        if (b.SelfIdent != i)
            fail("Nesedí self-check - unita plgBrowse (%s) !", {view});
        if (b.DefiniceView.trimmed().isEmpty())
            fail("Neni zadana definice view  - unita plgBrowse (%s) !", {view});
        if (b.SELECT.trimmed().isEmpty())
            fail("Neni zadan SELECT pro view  - unita plgBrowse (%s) !", {view});
        if (!view.startsWith(prefix, Qt::CaseInsensitive) && !jeGenerovaneJmenoView(view))
            fail("Systemove jmeno view musi zacinat na '%s' - unita plgBrowse (%s) !", {prefix, view});
        if (view.size() > kMaxDelkaView)
            fail("Systemove jmeno view nesmi byt delsi jak %d znaku - unita plgBrowse (%s) !",
                 {kMaxDelkaView, view});
        if (views.contains(view.toUpper()))
            fail("Systemove jmeno view musi byt jedinecne - unita plgBrowse (%s) !", {view});
        views.insert(view.toUpper());
        if (browsePublicName(d, b).size() > kMaxDelkaJmenaPrehledu)
            fail("Verejne jmeno prehledu nesmi byt delsi jak %d znaku - unita plgBrowse (%s)!",
                 {kMaxDelkaJmenaPrehledu, view});
        zkontrolujPredka(d.browse, i);
    }
    StandardniAkce akce;
    zkontrolujAkceBrowse(d.browse, akce);
}

void zkontrolujSoudky(const TplgDefinice& d) {
    QSet<QString> names;
    for (std::size_t i = 1; i < d.soudky.size(); ++i) {
        const auto& s = d.soudky[i];
        if (s.SelfIdent != i)
            fail("Nesedí self-check - unita plgSoudky (%s) !", {s.Jmeno});
        if (s.Jmeno.trimmed().isEmpty())
            fail("Neni zadano Jmeno - unita plgSoudky (index: %d) !", {static_cast<int>(i)});
        if (names.contains(s.Jmeno.toUpper()))
            fail("Jmeno soudku musi byt jedinecne - unita plgSoudky (%s) !", {s.Jmeno});
        names.insert(s.Jmeno.toUpper());
        if (s.Jmeno.size() > kMaxDelkaJmenaSoudku)
            fail("Delka jmena soudku nesmi presahovat %d !", {kMaxDelkaJmenaSoudku});
    }
}

void zkontrolujExtAkce(const TplgDefinice& d) {
    const auto& sets = d.extAkce;
    if (!sets.empty() && (sets[0].BrowseID != 0 || !sets[0].DMAkceClass.isEmpty()))
        fail("První ext.akce (s indexem 0) musí zůstat nedefinována - unita plgExtAkce !");
    QSet<int> browseIds;
    QSet<QString> classes;
    StandardniAkce akce;
    zkontrolujAkceBrowse(d.browse, akce);
    for (std::size_t i = 1; i < sets.size(); ++i) {
        const auto& s = sets[i];
        const int index = static_cast<int>(i);
        if (s.BrowseID <= 0)
            fail("Chybne zadano BrowseID - unita plgExtAkce (index: %d) !", {index});
        if (browseIds.contains(s.BrowseID))
            fail("BrowseID musi byt jedinecne - unita plgExtAkce (BID: %d, index: %d) !",
                 {s.BrowseID, index});
        browseIds.insert(s.BrowseID);
        if (s.DMAkceClass.isEmpty())
            fail("Neni zadano DMAkceClass - unita plgExtAkce (BID: %d, index: %d) !", {s.BrowseID, index});
        if (classes.contains(s.DMAkceClass.toUpper()))
            fail("DMAkceClass musi byt jedinecne - unita plgExtAkce (BID: %d, index: %d) !",
                 {s.BrowseID, index});
        classes.insert(s.DMAkceClass.toUpper());
        const QString kdo = QString::number(s.BrowseID);
        akce.zkontroluj("GUID_ActionNew", s.GUID_ActionNew, s.DMAkceClass, "plgExtAkce", kdo);
        akce.zkontroluj("GUID_ActionEdit", s.GUID_ActionEdit, s.DMAkceClass, "plgExtAkce", kdo);
    }
}

} // namespace provozmat::selfcheck
