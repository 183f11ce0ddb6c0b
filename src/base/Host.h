#pragma once
// The host's service interface as the plug-in uses it: one IOrvian per run, each operation
// with the plug-in's own types. Every failing call raises a PluginError with the host's text.

#include "base/HostQuery.h"
#include "base/HostValue.h"
#include "ov/ComPtr.h"
#include "ov/Orvian.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace provozmat {

// Answer of AskYesNoCancel.
enum class YesNoCancel { Yes, No, Cancel };

// What a lookup dialog edits: the shown text and the key; both are read back after it.
struct LookupState {
    QString displayText;
    HostValue key;
};

class Host {
public:
    Host() = default;
    explicit Host(ov::ComPtr<ov::IOrvian> orvian) : orvian_(std::move(orvian)) {}

    explicit operator bool() const noexcept { return static_cast<bool>(orvian_); }
    ov::IOrvian* raw() const noexcept { return orvian_.get(); }
    const ov::ComPtr<ov::IOrvian>& interface() const noexcept { return orvian_; }

    // Browse context of the call.
    HostValue currentId() const;
    QString markedIds() const;
    int browseNumber() const;
    int periodId() const;
    int extCommandId() const;
    HostQuery browseQuery() const;
    QString browseViewName() const;
    Host owner() const; // empty when the browse has no owner
    int instanceId() const;

    // Look and feel.
    QString fontName() const;
    int fontHeight() const;
    int fontCharset() const;
    std::uint64_t applicationHandle() const;
    std::uint64_t applicationIcon() const;

    // Database.
    void execSql(const QString& batch) const;
    HostQuery openSql(const QString& batch) const;
    short spid() const;
    QString systemDatabaseName() const;
    void registerTables(const QString& commaSeparatedNames) const;

    // Versions.
    std::int64_t hostVersion() const;
    std::int32_t sqlServerVersion() const;

    // Dialogs and browses.
    void showMessage(const QString& text) const;
    void showError(const QString& text) const;
    bool askYesNo(const QString& question) const;
    YesNoCancel askYesNoCancel(const QString& question) const;
    void refreshBrowse(int mode) const;
    bool locateInBrowse(const QString& column, const ov::Variant& value) const;
    // Lets the user pick a row; key is updated when he does.
    bool selectFromBrowse(int browseNumber, const QString& keyColumn, HostValue& key,
                          const QString& condition, const QString& caption) const;
    bool lookupInBrowse(int browseNumber, const QString& displayColumn, const QString& keyColumn,
                        LookupState& state, const QString& condition, const QString& caption, bool readOnly,
                        int positioning) const;
    void openBrowse(int browseNumber, const QString& linkCondition = {}) const;
    void openBrowseFiltered(int browseNumber, const QString& condition) const;
    void runBrowseAction(int browseNumber, const QString& condition, const QString& actionName) const;
    int printForm(int browseNumber, int formId, const QString& condition) const;
    bool importHostFile(int kind, const QString& path) const;

    // Host texts and attributes.
    QString hostText(int number) const;
    QString attributePublicName(const QString& tableColumn) const;
    QString attributeConversion(const QString& tableColumn) const;

    // Debug controllers.
    void setDebugController(ov::IUnknown* controller) const;
    QString debugControllerName() const;

private:
    ov::IOrvian& o() const;

    ov::ComPtr<ov::IOrvian> orvian_;
};

} // namespace provozmat
