#pragma once
// A result set of the host (IOvQuery) as the plug-in reads it. Every failing call raises a
// PluginError with the host's text.

#include "base/HostValue.h"
#include "ov/ComPtr.h"
#include "ov/Orvian.h"

#include <QString>

#include <optional>

namespace provozmat {

class HostQuery {
public:
    explicit HostQuery(ov::ComPtr<ov::IOvQuery> query) : query_(std::move(query)) {}

    bool eof() const;
    bool bof() const;
    void next();
    void prior();
    int recordCount() const;
    int fieldCount() const;
    HostValue value(int index) const;
    HostValue value(const QString& columnName) const;
    QString fieldName(int index) const;
    // Whether the result has a column of that name.
    bool hasField(const QString& columnName) const;
    // The field's value, or nullopt when the result has no such column.
    std::optional<HostValue> findValue(const QString& columnName) const;

    ov::IOvQuery* raw() const noexcept { return query_.get(); }

private:
    ov::ComPtr<ov::IOvQuery> query_;
};

} // namespace provozmat
