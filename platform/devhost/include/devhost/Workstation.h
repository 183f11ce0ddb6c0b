#pragma once
// One simulated workstation of the host: its own engine session on the shared database file
// (so its #temp tables and its spid are its own), its settings, its dialogs and windows, the
// browses it has opened and a log of what it did for the plug-in (print jobs, registered
// tables, imports).

#include "devhost/Browse.h"
#include "devhost/Dialogs.h"
#include "devhost/HostWindows.h"
#include "ov/ComPtr.h"
#include "ov/Orvian.h"
#include "tsql/exec/Session.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace devhost {

constexpr std::int64_t makeHostVersion(std::uint32_t high, std::uint32_t bcdDate) {
    return static_cast<std::int64_t>((std::uint64_t{high} << 32) | bcdDate);
}
constexpr std::int32_t makeSqlServerVersion(int major, int minor, int build) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(major) << 24) |
                                     (static_cast<std::uint32_t>(minor) << 16) |
                                     static_cast<std::uint32_t>(build));
}

struct HostSettings {
    std::string login = "sa";
    int spid = 51;
    QString computerName = QStringLiteral("DEVHOST");
    std::int64_t hostVersion = makeHostVersion(0x00000300, 0x20240315); // generation 3
    std::int32_t sqlServerVersion = makeSqlServerVersion(14, 0, 3456);  // SQL Server 2017
    QString fontName = QStringLiteral("Tahoma");
    int fontHeight = -11;
    int fontCharset = 238; // Central European
    QString systemDatabaseName = QStringLiteral("OrvianSystem");
    QString printFolder; // where PrintForm writes a PDF per job; empty: no PDF
};

struct PrintJob {
    int browseNumber = 0;
    int formId = 0;
    QString condition;
    QString printer; // TiskFronta of the preset print setting; empty when none was readable
    int copies = 1;
    QString pdfPath; // empty when no PDF was written
};

class Workstation : public std::enable_shared_from_this<Workstation> {
public:
    // dialogs and windows must outlive every call the plug-in makes through this workstation.
    static std::shared_ptr<Workstation> create(std::shared_ptr<tsql::Database> database,
                                               HostSettings settings, Dialogs& dialogs, HostWindows& windows);

    tsql::Session& session() noexcept { return session_; }
    const HostSettings& settings() const noexcept { return settings_; }
    HostSettings& settings() noexcept { return settings_; }
    Dialogs& dialogs() noexcept { return *dialogs_; }
    HostWindows& windows() noexcept { return *windows_; }
    void setWindows(HostWindows& windows) noexcept { windows_ = &windows; }

    // A new browse with its own instance ID; throws std::runtime_error for an unknown number.
    std::shared_ptr<Browse> openBrowse(int number, const QString& condition = {},
                                       std::shared_ptr<Browse> owner = nullptr);
    // The host interface for one call of the plug-in in that browse with that command.
    ov::ComPtr<ov::IOrvian> orvian(std::shared_ptr<Browse> browse, std::int32_t commandId);

    // PrintForm: records the job with the preset print setting of the form and, when a print
    // folder is set, renders the form's rows into a PDF there.
    PrintJob print(int browseNumber, int formId, const QString& condition);

    // Whether the plug-in left #RestartPlease behind: it asks the host to be started again.
    bool restartRequested();

    std::vector<PrintJob> printJobs;
    QStringList registeredTables;
    QStringList importedFiles;
    QStringList log; // one line per host service that changed nothing but is worth seeing

private:
    Workstation(std::shared_ptr<tsql::Database> database, HostSettings settings, Dialogs& dialogs,
                HostWindows& windows);

    std::shared_ptr<tsql::Database> database_;
    HostSettings settings_;
    tsql::Session session_;
    Dialogs* dialogs_;
    HostWindows* windows_;
    int nextInstanceId_ = 1;
};

} // namespace devhost
