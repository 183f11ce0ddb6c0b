#pragma once
// The host interface the plug-in gets for one call: the services of a workstation in the
// context of one browse (its number, view, current and marked rows, owner) and one command.
// Every operation that the plug-in does not use fails with a text naming its slot. A call that
// arrives after the workstation has closed fails too.

#include "devhost/Browse.h"
#include "ov/ComObject.h"
#include "ov/Orvian.h"

#include <memory>

#define DEVHOST_UNUSED_SLOT(n)                                                                               \
    ov::HRESULT ReservedSlot##n() override {                                                                 \
        return unusedSlot(#n);                                                                               \
    }

namespace devhost {

class Workstation;

class HostOrvian final : public ov::ComObject<ov::IOrvian> {
public:
    HostOrvian(std::weak_ptr<Workstation> workstation, std::shared_ptr<Browse> browse,
               std::int32_t commandId);

    const std::shared_ptr<Browse>& browse() const noexcept { return browse_; }

    ov::HRESULT GetCurrentId(OvVariant* id) override;
    ov::HRESULT GetMarkedIds(ov::BSTR* ids) override;
    ov::HRESULT GetBrowseNumber(std::int32_t* number) override;
    ov::HRESULT GetPeriodId(std::int32_t* id) override;
    ov::HRESULT GetFontName(ov::BSTR* name) override;
    ov::HRESULT GetFontHeight(std::int32_t* height) override;
    ov::HRESULT GetFontCharset(std::int32_t* charset) override;
    ov::HRESULT ExecSql(ov::BSTR batch) override;
    ov::HRESULT OpenSql(ov::BSTR batch, ov::IOvQuery** query) override;
    ov::HRESULT RefreshBrowse(std::int32_t mode) override;
    ov::HRESULT LocateInBrowse(ov::BSTR column, const OvVariant* value, ov::WordBool* found) override;
    ov::HRESULT SelectFromBrowse(std::int32_t browseNumber, ov::BSTR keyColumn, OvVariant* key,
                                 ov::BSTR condition, ov::BSTR caption, std::int32_t flag,
                                 ov::WordBool* selected) override;
    ov::HRESULT GetApplicationHandle(std::uint64_t* handle) override;
    ov::HRESULT GetApplicationIcon(std::uint64_t* handle) override;
    ov::HRESULT ShowMessage(ov::BSTR text) override;
    ov::HRESULT ShowError(ov::BSTR text) override;
    ov::HRESULT AskYesNo(ov::BSTR question, std::int32_t defaultButton, ov::WordBool* yes) override;
    ov::HRESULT OpenBrowse(std::int32_t browseNumber, ov::BSTR linkCondition) override;
    ov::HRESULT OpenBrowseFiltered(std::int32_t browseNumber, ov::BSTR condition) override;
    ov::HRESULT GetSpid(std::int16_t* spid) override;
    ov::HRESULT GetAttributePublicName(ov::BSTR tableColumn, ov::BSTR* name) override;
    ov::HRESULT GetAttributeConversion(ov::BSTR tableColumn, ov::BSTR* conversion) override;
    ov::HRESULT GetHostVersion(std::int64_t* version) override;
    ov::HRESULT GetSqlServerVersion(std::int32_t* version) override;
    ov::HRESULT GetExtCommandId(std::int32_t* id) override;
    ov::HRESULT AskYesNoCancel(ov::BSTR question, std::uint8_t* answer) override;
    ov::HRESULT GetBrowseQuery(ov::IOvQuery** query) override;
    ov::HRESULT GetBrowseViewName(ov::BSTR* viewName) override;
    ov::HRESULT GetOwner(ov::IOrvian** owner) override;
    ov::HRESULT GetInstanceId(std::int32_t* id) override;
    ov::HRESULT LookupInBrowse(std::int32_t browseNumber, ov::BSTR displayColumn, ov::BSTR keyColumn,
                               ov::BSTR* displayText, OvVariant* key, ov::BSTR condition, ov::BSTR caption,
                               std::int32_t reserved1, std::int32_t reserved2, ov::WordBool readOnly,
                               std::int32_t positioning, ov::WordBool* chosen) override;
    ov::HRESULT ImportHostFile(std::int32_t kind, ov::BSTR path, ov::WordBool* imported) override;
    ov::HRESULT GetSystemDatabaseName(ov::BSTR* name) override;
    ov::HRESULT PrintForm(std::int32_t browseNumber, std::int32_t formId, ov::BSTR condition,
                          std::int32_t* result) override;
    ov::HRESULT RegisterTables(ov::BSTR tableNames) override;
    ov::HRESULT RunBrowseAction(std::int32_t browseNumber, ov::BSTR condition, ov::BSTR actionName) override;
    ov::HRESULT GetHostText(std::int32_t number, ov::BSTR* caption) override;
    ov::HRESULT SetDebugController(ov::IUnknown* controller) override;
    ov::HRESULT GetDebugControllerName(ov::BSTR* name) override;

    DEVHOST_UNUSED_SLOT(06)
    DEVHOST_UNUSED_SLOT(07)
    DEVHOST_UNUSED_SLOT(08)
    DEVHOST_UNUSED_SLOT(09)
    DEVHOST_UNUSED_SLOT(11)
    DEVHOST_UNUSED_SLOT(12)
    DEVHOST_UNUSED_SLOT(13)
    DEVHOST_UNUSED_SLOT(14)
    DEVHOST_UNUSED_SLOT(30)
    DEVHOST_UNUSED_SLOT(31)
    DEVHOST_UNUSED_SLOT(32)
    DEVHOST_UNUSED_SLOT(36)
    DEVHOST_UNUSED_SLOT(43)
    DEVHOST_UNUSED_SLOT(44)
    DEVHOST_UNUSED_SLOT(49)
    DEVHOST_UNUSED_SLOT(50)
    DEVHOST_UNUSED_SLOT(51)
    DEVHOST_UNUSED_SLOT(52)
    DEVHOST_UNUSED_SLOT(53)
    DEVHOST_UNUSED_SLOT(54)
    DEVHOST_UNUSED_SLOT(55)
    DEVHOST_UNUSED_SLOT(58)
    DEVHOST_UNUSED_SLOT(59)
    DEVHOST_UNUSED_SLOT(60)
    DEVHOST_UNUSED_SLOT(61)
    DEVHOST_UNUSED_SLOT(62)
    DEVHOST_UNUSED_SLOT(63)
    DEVHOST_UNUSED_SLOT(64)
    DEVHOST_UNUSED_SLOT(65)
    DEVHOST_UNUSED_SLOT(66)
    DEVHOST_UNUSED_SLOT(67)
    DEVHOST_UNUSED_SLOT(68)
    DEVHOST_UNUSED_SLOT(69)
    DEVHOST_UNUSED_SLOT(70)
    DEVHOST_UNUSED_SLOT(71)
    DEVHOST_UNUSED_SLOT(72)
    DEVHOST_UNUSED_SLOT(73)
    DEVHOST_UNUSED_SLOT(75)
    DEVHOST_UNUSED_SLOT(76)
    DEVHOST_UNUSED_SLOT(78)
    DEVHOST_UNUSED_SLOT(80)
    DEVHOST_UNUSED_SLOT(81)
    DEVHOST_UNUSED_SLOT(82)

private:
    ~HostOrvian() override = default;
    static ov::HRESULT unusedSlot(const char* slot);
    template <class Body> ov::HRESULT call(Body&& body);
    // A browse of the given number for a dialog or document, read with the condition.
    std::shared_ptr<Browse> readBrowse(Workstation& workstation, int number, const QString& condition);
    void openChildBrowse(Workstation& workstation, int number, const QString& condition);

    std::weak_ptr<Workstation> workstation_;
    std::shared_ptr<Browse> browse_;
    std::int32_t commandId_;
};

} // namespace devhost
