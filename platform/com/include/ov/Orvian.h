#pragma once
// The host's service interfaces, in their slot order: IOrvian (82 operations from slot 3),
// IOvQuery (18) and the field object. Slots whose operations the plug-in does not use are
// present as reserved entries so that every operation sits in its slot; they answer E_NOTIMPL.
// Every operation returns an HRESULT; a failure carries its text in the error info.

#include "ov/BStr.h"
#include "ov/Unknown.h"
#include "ov/Variant.h"

#include <cstdint>

#define OV_RESERVED_SLOT(n)                                                                                  \
    virtual ov::HRESULT ReservedSlot##n() {                                                                  \
        return ov::E_NOTIMPL;                                                                                \
    }

namespace ov {

struct IOvField : IUnknown {
    static constexpr Guid iid = guid("{5C1D6B22-8E0A-4C57-9B1E-2F4D7A9C3E61}");

    virtual HRESULT FieldName(BSTR* name) = 0;           // 3
    virtual HRESULT FieldObjValue(OvVariant* value) = 0; // 4

protected:
    ~IOvField() = default;
};

struct IOvQuery : IUnknown {
    static constexpr Guid iid = guid("{BF709E36-6321-492B-9D76-9C712589FA24}");

    virtual HRESULT FieldValueByIndex(std::int32_t index, OvVariant* value) = 0; // 3, 0-based
    virtual HRESULT FieldValue(BSTR columnName, OvVariant* value) = 0;           // 4
    virtual HRESULT Eof(WordBool* eof) = 0;                                      // 5, true when empty
    virtual HRESULT Next() = 0;                                                  // 6
    OV_RESERVED_SLOT(07)
    virtual HRESULT RecordCount(std::int32_t* count) = 0;                   // 8
    virtual HRESULT FieldCount(std::int32_t* count) = 0;                    // 9
    virtual HRESULT Prior() = 0;                                            // 10
    virtual HRESULT FieldByIndex(std::int32_t index, IOvField** field) = 0; // 11
    OV_RESERVED_SLOT(12)
    virtual HRESULT FindField(BSTR columnName, IOvField** field) = 0; // 13, null when absent
    OV_RESERVED_SLOT(14)
    virtual HRESULT Bof(WordBool* bof) = 0; // 15
    OV_RESERVED_SLOT(16)
    OV_RESERVED_SLOT(17)
    OV_RESERVED_SLOT(18)
    OV_RESERVED_SLOT(19)
    OV_RESERVED_SLOT(20)

protected:
    ~IOvQuery() = default;
};

struct IOrvian : IUnknown {
    static constexpr Guid iid = guid("{B14756BC-2A8D-4697-B744-530D82A628DA}");

    virtual HRESULT GetCurrentId(OvVariant* id) = 0;           // 3, Null: no current row
    virtual HRESULT GetMarkedIds(BSTR* ids) = 0;               // 4, comma-separated, empty: none
    virtual HRESULT GetBrowseNumber(std::int32_t* number) = 0; // 5
    OV_RESERVED_SLOT(06)
    OV_RESERVED_SLOT(07)
    OV_RESERVED_SLOT(08)
    OV_RESERVED_SLOT(09)
    virtual HRESULT GetPeriodId(std::int32_t* id) = 0; // 10
    OV_RESERVED_SLOT(11)
    OV_RESERVED_SLOT(12)
    OV_RESERVED_SLOT(13)
    OV_RESERVED_SLOT(14)
    virtual HRESULT GetFontName(BSTR* name) = 0;               // 15
    virtual HRESULT GetFontHeight(std::int32_t* height) = 0;   // 16
    virtual HRESULT GetFontCharset(std::int32_t* charset) = 0; // 17
    virtual HRESULT ExecSql(BSTR batch) = 0;                   // 18
    virtual HRESULT OpenSql(BSTR batch, IOvQuery** query) = 0; // 19, positioned on the first row
    virtual HRESULT RefreshBrowse(std::int32_t mode) = 0;      // 20, -1 or 0
    virtual HRESULT LocateInBrowse(BSTR column, const OvVariant* value, WordBool* found) = 0; // 21
    virtual HRESULT SelectFromBrowse(std::int32_t browseNumber, BSTR keyColumn, OvVariant* key,
                                     BSTR condition, BSTR caption, std::int32_t flag,
                                     WordBool* selected) = 0;                               // 22
    virtual HRESULT GetApplicationHandle(std::uint64_t* handle) = 0;                        // 23
    virtual HRESULT GetApplicationIcon(std::uint64_t* handle) = 0;                          // 24
    virtual HRESULT ShowMessage(BSTR text) = 0;                                             // 25
    virtual HRESULT ShowError(BSTR text) = 0;                                               // 26
    virtual HRESULT AskYesNo(BSTR question, std::int32_t defaultButton, WordBool* yes) = 0; // 27
    virtual HRESULT OpenBrowse(std::int32_t browseNumber, BSTR linkCondition) = 0;     // 28, ":ID" = current
    virtual HRESULT OpenBrowseFiltered(std::int32_t browseNumber, BSTR condition) = 0; // 29
    OV_RESERVED_SLOT(30)
    OV_RESERVED_SLOT(31)
    OV_RESERVED_SLOT(32)
    virtual HRESULT GetSpid(std::int16_t* spid) = 0;                                // 33
    virtual HRESULT GetAttributePublicName(BSTR tableColumn, BSTR* name) = 0;       // 34
    virtual HRESULT GetAttributeConversion(BSTR tableColumn, BSTR* conversion) = 0; // 35
    OV_RESERVED_SLOT(36)
    virtual HRESULT GetHostVersion(std::int64_t* version) = 0;      // 37, generation : BCD date
    virtual HRESULT GetSqlServerVersion(std::int32_t* version) = 0; // 38, major.minor.build at bits 24, 16, 0
    virtual HRESULT GetExtCommandId(std::int32_t* id) = 0;          // 39
    virtual HRESULT AskYesNoCancel(BSTR question, std::uint8_t* answer) = 0; // 40, 6 yes, 7 no, else cancel
    virtual HRESULT GetBrowseQuery(IOvQuery** query) = 0;                    // 41
    virtual HRESULT GetBrowseViewName(BSTR* viewName) = 0;                   // 42
    OV_RESERVED_SLOT(43)
    OV_RESERVED_SLOT(44)
    virtual HRESULT GetOwner(IOrvian** owner) = 0;       // 45, null when none
    virtual HRESULT GetInstanceId(std::int32_t* id) = 0; // 46
    virtual HRESULT LookupInBrowse(std::int32_t browseNumber, BSTR displayColumn, BSTR keyColumn,
                                   BSTR* displayText, OvVariant* key, BSTR condition, BSTR caption,
                                   std::int32_t reserved1, std::int32_t reserved2, WordBool readOnly,
                                   std::int32_t positioning, WordBool* chosen) = 0;       // 47
    virtual HRESULT ImportHostFile(std::int32_t kind, BSTR path, WordBool* imported) = 0; // 48
    OV_RESERVED_SLOT(49)
    OV_RESERVED_SLOT(50)
    OV_RESERVED_SLOT(51)
    OV_RESERVED_SLOT(52)
    OV_RESERVED_SLOT(53)
    OV_RESERVED_SLOT(54)
    OV_RESERVED_SLOT(55)
    virtual HRESULT GetSystemDatabaseName(BSTR* name) = 0; // 56
    virtual HRESULT PrintForm(std::int32_t browseNumber, std::int32_t formId, BSTR condition,
                              std::int32_t* result) = 0; // 57
    OV_RESERVED_SLOT(58)
    OV_RESERVED_SLOT(59)
    OV_RESERVED_SLOT(60)
    OV_RESERVED_SLOT(61)
    OV_RESERVED_SLOT(62)
    OV_RESERVED_SLOT(63)
    OV_RESERVED_SLOT(64)
    OV_RESERVED_SLOT(65)
    OV_RESERVED_SLOT(66)
    OV_RESERVED_SLOT(67)
    OV_RESERVED_SLOT(68)
    OV_RESERVED_SLOT(69)
    OV_RESERVED_SLOT(70)
    OV_RESERVED_SLOT(71)
    OV_RESERVED_SLOT(72)
    OV_RESERVED_SLOT(73)
    virtual HRESULT RegisterTables(BSTR tableNames) = 0; // 74, comma-separated
    OV_RESERVED_SLOT(75)
    OV_RESERVED_SLOT(76)
    virtual HRESULT RunBrowseAction(std::int32_t browseNumber, BSTR condition, BSTR actionName) = 0; // 77
    OV_RESERVED_SLOT(78)
    virtual HRESULT GetHostText(std::int32_t number, BSTR* caption) = 0; // 79
    OV_RESERVED_SLOT(80)
    OV_RESERVED_SLOT(81)
    OV_RESERVED_SLOT(82)
    virtual HRESULT SetDebugController(IUnknown* controller) = 0; // 83
    virtual HRESULT GetDebugControllerName(BSTR* name) = 0;       // 84

protected:
    ~IOrvian() = default;
};

} // namespace ov
