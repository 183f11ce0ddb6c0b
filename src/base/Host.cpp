#include "base/Host.h"

#include "base/HostCall.h"
#include "base/PluginError.h"
#include "base/Text.h"

namespace provozmat {

namespace {
QString takeText(ov::BStr& text) {
    return fromBStr(text.get());
}
} // namespace

ov::IOrvian& Host::o() const {
    if (!orvian_)
        throw PluginError(QStringLiteral("Rozhraní hostitele není k dispozici"));
    return *orvian_;
}

HostValue Host::currentId() const {
    ov::Variant v;
    checkHost(o().GetCurrentId(v.put()), "GetCurrentId");
    return HostValue(std::move(v));
}

QString Host::markedIds() const {
    ov::BStr s;
    checkHost(o().GetMarkedIds(s.put()), "GetMarkedIds");
    return takeText(s);
}

int Host::browseNumber() const {
    std::int32_t n = 0;
    checkHost(o().GetBrowseNumber(&n), "GetBrowseNumber");
    return n;
}

int Host::periodId() const {
    std::int32_t n = 0;
    checkHost(o().GetPeriodId(&n), "GetPeriodId");
    return n;
}

int Host::extCommandId() const {
    std::int32_t n = 0;
    checkHost(o().GetExtCommandId(&n), "GetExtCommandId");
    return n;
}

HostQuery Host::browseQuery() const {
    ov::ComPtr<ov::IOvQuery> q;
    checkHost(o().GetBrowseQuery(q.put()), "GetBrowseQuery");
    if (!q)
        throw PluginError(QStringLiteral("Hostitel nevrátil data přehledu"));
    return HostQuery(std::move(q));
}

QString Host::browseViewName() const {
    ov::BStr s;
    checkHost(o().GetBrowseViewName(s.put()), "GetBrowseViewName");
    return takeText(s);
}

Host Host::owner() const {
    ov::ComPtr<ov::IOrvian> owner;
    checkHost(o().GetOwner(owner.put()), "GetOwner");
    return Host(std::move(owner));
}

int Host::instanceId() const {
    std::int32_t n = 0;
    checkHost(o().GetInstanceId(&n), "GetInstanceId");
    return n;
}

QString Host::fontName() const {
    ov::BStr s;
    checkHost(o().GetFontName(s.put()), "GetFontName");
    return takeText(s);
}

int Host::fontHeight() const {
    std::int32_t n = 0;
    checkHost(o().GetFontHeight(&n), "GetFontHeight");
    return n;
}

int Host::fontCharset() const {
    std::int32_t n = 0;
    checkHost(o().GetFontCharset(&n), "GetFontCharset");
    return n;
}

std::uint64_t Host::applicationHandle() const {
    std::uint64_t h = 0;
    checkHost(o().GetApplicationHandle(&h), "GetApplicationHandle");
    return h;
}

std::uint64_t Host::applicationIcon() const {
    std::uint64_t h = 0;
    checkHost(o().GetApplicationIcon(&h), "GetApplicationIcon");
    return h;
}

void Host::execSql(const QString& batch) const {
    checkHost(o().ExecSql(toBStr(batch).get()), "ExecSql");
}

HostQuery Host::openSql(const QString& batch) const {
    ov::ComPtr<ov::IOvQuery> q;
    checkHost(o().OpenSql(toBStr(batch).get(), q.put()), "OpenSql");
    if (!q)
        throw PluginError(QStringLiteral("Hostitel nevrátil výsledek dotazu"));
    return HostQuery(std::move(q));
}

short Host::spid() const {
    std::int16_t n = 0;
    checkHost(o().GetSpid(&n), "GetSpid");
    return n;
}

QString Host::systemDatabaseName() const {
    ov::BStr s;
    checkHost(o().GetSystemDatabaseName(s.put()), "GetSystemDatabaseName");
    return takeText(s);
}

void Host::registerTables(const QString& commaSeparatedNames) const {
    checkHost(o().RegisterTables(toBStr(commaSeparatedNames).get()), "RegisterTables");
}

std::int64_t Host::hostVersion() const {
    std::int64_t v = 0;
    checkHost(o().GetHostVersion(&v), "GetHostVersion");
    return v;
}

std::int32_t Host::sqlServerVersion() const {
    std::int32_t v = 0;
    checkHost(o().GetSqlServerVersion(&v), "GetSqlServerVersion");
    return v;
}

void Host::showMessage(const QString& text) const {
    checkHost(o().ShowMessage(toBStr(text).get()), "ShowMessage");
}

void Host::showError(const QString& text) const {
    checkHost(o().ShowError(toBStr(text).get()), "ShowError");
}

bool Host::askYesNo(const QString& question) const {
    ov::WordBool yes = ov::VARIANT_FALSE;
    checkHost(o().AskYesNo(toBStr(question).get(), 0, &yes), "AskYesNo");
    return ov::fromWordBool(yes);
}

YesNoCancel Host::askYesNoCancel(const QString& question) const {
    std::uint8_t answer = 0;
    checkHost(o().AskYesNoCancel(toBStr(question).get(), &answer), "AskYesNoCancel");
    return answer == 6 ? YesNoCancel::Yes : answer == 7 ? YesNoCancel::No : YesNoCancel::Cancel;
}

void Host::refreshBrowse(int mode) const {
    checkHost(o().RefreshBrowse(mode), "RefreshBrowse");
}

bool Host::locateInBrowse(const QString& column, const ov::Variant& value) const {
    ov::WordBool found = ov::VARIANT_FALSE;
    checkHost(o().LocateInBrowse(toBStr(column).get(), &value.raw(), &found), "LocateInBrowse");
    return ov::fromWordBool(found);
}

bool Host::selectFromBrowse(int browseNumber, const QString& keyColumn, HostValue& key,
                            const QString& condition, const QString& caption) const {
    ov::Variant k = key.variant();
    ov::WordBool selected = ov::VARIANT_FALSE;
    checkHost(o().SelectFromBrowse(browseNumber, toBStr(keyColumn).get(), k.inOut(), toBStr(condition).get(),
                                   toBStr(caption).get(), -1, &selected),
              "SelectFromBrowse");
    key = HostValue(std::move(k));
    return ov::fromWordBool(selected);
}

bool Host::lookupInBrowse(int browseNumber, const QString& displayColumn, const QString& keyColumn,
                          LookupState& state, const QString& condition, const QString& caption, bool readOnly,
                          int positioning) const {
    ov::BStr text = toBStr(state.displayText);
    ov::Variant key = state.key.variant();
    ov::WordBool chosen = ov::VARIANT_FALSE;
    checkHost(o().LookupInBrowse(browseNumber, toBStr(displayColumn).get(), toBStr(keyColumn).get(),
                                 text.inOut(), key.inOut(), toBStr(condition).get(), toBStr(caption).get(), 0,
                                 0, ov::toWordBool(readOnly), positioning, &chosen),
              "LookupInBrowse");
    state.displayText = fromBStr(text.get());
    state.key = HostValue(std::move(key));
    return ov::fromWordBool(chosen);
}

void Host::openBrowse(int browseNumber, const QString& linkCondition) const {
    checkHost(o().OpenBrowse(browseNumber, toBStr(linkCondition).get()), "OpenBrowse");
}

void Host::openBrowseFiltered(int browseNumber, const QString& condition) const {
    checkHost(o().OpenBrowseFiltered(browseNumber, toBStr(condition).get()), "OpenBrowseFiltered");
}

void Host::runBrowseAction(int browseNumber, const QString& condition, const QString& actionName) const {
    checkHost(o().RunBrowseAction(browseNumber, toBStr(condition).get(), toBStr(actionName).get()),
              "RunBrowseAction");
}

int Host::printForm(int browseNumber, int formId, const QString& condition) const {
    std::int32_t result = 0;
    checkHost(o().PrintForm(browseNumber, formId, toBStr(condition).get(), &result), "PrintForm");
    return result;
}

bool Host::importHostFile(int kind, const QString& path) const {
    ov::WordBool imported = ov::VARIANT_FALSE;
    checkHost(o().ImportHostFile(kind, toBStr(path).get(), &imported), "ImportHostFile");
    return ov::fromWordBool(imported);
}

QString Host::hostText(int number) const {
    ov::BStr s;
    checkHost(o().GetHostText(number, s.put()), "GetHostText");
    return takeText(s);
}

QString Host::attributePublicName(const QString& tableColumn) const {
    ov::BStr s;
    checkHost(o().GetAttributePublicName(toBStr(tableColumn).get(), s.put()), "GetAttributePublicName");
    return takeText(s);
}

QString Host::attributeConversion(const QString& tableColumn) const {
    ov::BStr s;
    checkHost(o().GetAttributeConversion(toBStr(tableColumn).get(), s.put()), "GetAttributeConversion");
    return takeText(s);
}

void Host::setDebugController(ov::IUnknown* controller) const {
    checkHost(o().SetDebugController(controller), "SetDebugController");
}

QString Host::debugControllerName() const {
    ov::BStr s;
    checkHost(o().GetDebugControllerName(s.put()), "GetDebugControllerName");
    return takeText(s);
}

} // namespace provozmat
