#include "base/ServerTime.h"

#include "base/Host.h"

#include <exception>

namespace provozmat {

QDateTime serverTime(const Host& host) {
    try {
        HostQuery q = host.openSql(QStringLiteral("SELECT getdate()"));
        if (!q.eof())
            if (const auto time = q.value(0).toDateTime())
                return *time;
    } catch (const std::exception&) {
        // The server's time is a convenience here; the workstation's clock serves instead.
    }
    return QDateTime::currentDateTime();
}

} // namespace provozmat
