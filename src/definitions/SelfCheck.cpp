#include "definitions/SelfCheck.h"

#include "definitions/SelfCheckRules.h"
#include "ov/Guid.h"

namespace provozmat {

namespace selfcheck {

bool jeIdentifikator(const QString& name) {
    if (name.isEmpty() || (name.front() >= u'0' && name.front() <= u'9'))
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool ok =
            (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
        if (!ok)
            return false;
    }
    return true;
}

bool jeGuid(const QString& text) {
    return text.size() == 38 && ov::Guid::parse(text.toStdString()).has_value();
}

} // namespace selfcheck

void zkontrolujDefinice(const TplgDefinice& d, const DefinitionOwner& owner) {
    using namespace selfcheck;
    zkontrolujTabulky(d, owner);
    zkontrolujSoudky(d);
    zkontrolujBrowse(d, owner);
    zkontrolujExtAkce(d);
    zkontrolujVazby(d);
    zkontrolujExtAtributy(d);
    zkontrolujProcedury(d);
    zkontrolujZmenoveSkripty(d, owner);
}

} // namespace provozmat
