#include "devhost/Workstation.h"

#include "devhost/FormPrinter.h"
#include "devhost/HostOrvian.h"
#include "devhost/SqlRunner.h"
#include "devhost/ValueMapping.h"

#include <QDir>

#include <stdexcept>

namespace devhost {

namespace {

tsql::SessionOptions sessionOptions(const HostSettings& settings) {
    tsql::SessionOptions options;
    options.login = settings.login;
    options.spid = settings.spid;
    return options;
}

} // namespace

std::shared_ptr<Workstation> Workstation::create(std::shared_ptr<tsql::Database> database,
                                                 HostSettings settings, Dialogs& dialogs,
                                                 HostWindows& windows) {
    return std::shared_ptr<Workstation>(
        new Workstation(std::move(database), std::move(settings), dialogs, windows));
}

Workstation::Workstation(std::shared_ptr<tsql::Database> database, HostSettings settings, Dialogs& dialogs,
                         HostWindows& windows)
    : database_(std::move(database)), settings_(std::move(settings)),
      session_(database_, sessionOptions(settings_)), dialogs_(&dialogs), windows_(&windows) {}

std::shared_ptr<Browse> Workstation::openBrowse(int number, const QString& condition,
                                                std::shared_ptr<Browse> owner) {
    auto source = findBrowseSource(session_, number);
    if (!source)
        throw std::runtime_error("The host has no browse " + std::to_string(number));
    return std::make_shared<Browse>(nextInstanceId_++, number, std::move(*source), condition,
                                    std::move(owner));
}

ov::ComPtr<ov::IOrvian> Workstation::orvian(std::shared_ptr<Browse> browse, std::int32_t commandId) {
    return ov::ComPtr<ov::IOrvian>(new HostOrvian(weak_from_this(), std::move(browse), commandId));
}

bool Workstation::restartRequested() {
    try {
        runHostBatch(session_, "SELECT 1 FROM #RestartPlease");
        return true;
    } catch (const BatchError&) {
        return false;
    }
}

PrintJob Workstation::print(int browseNumber, int formId, const QString& condition) {
    PrintJob job;
    job.browseNumber = browseNumber;
    job.formId = formId;
    job.condition = condition;
    try {
        const RowSet preset = queryHostBatch(
            session_, "SELECT TOP 1 TiskFronta, PocetKopii FROM TabDefTisk WHERE FormDefID = " +
                          std::to_string(formId) +
                          " AND Prednastaveno = 1 AND LoginName = SUSER_SNAME() ORDER BY ID DESC");
        if (!preset.rows.empty()) {
            job.printer = displayText(preset.rows[0][0]);
            job.copies = static_cast<int>(wholeNumber(preset.rows[0][1]).value_or(1));
        }
    } catch (const BatchError& e) {
        log << QStringLiteral("PrintForm %1: no preset print setting (%2)")
                   .arg(formId)
                   .arg(QString::fromUtf8(e.what()));
    }
    if (!settings_.printFolder.isEmpty()) {
        RowSet rows;
        QString title = QStringLiteral("Form %1").arg(formId);
        if (const auto source = findBrowseSource(session_, browseNumber)) {
            title = QStringLiteral("%1 – form %2").arg(source->title).arg(formId);
            Browse printed(0, browseNumber, *source, condition, nullptr);
            try {
                printed.refresh(session_);
                rows = *printed.rows();
            } catch (const BatchError& e) {
                log << QStringLiteral("PrintForm %1: rows not readable (%2)")
                           .arg(formId)
                           .arg(QString::fromUtf8(e.what()));
            }
        }
        const QString path =
            QDir(settings_.printFolder)
                .filePath(QStringLiteral("form%1-job%2.pdf").arg(formId).arg(printJobs.size() + 1));
        if (renderFormPdf(path, title, condition, rows))
            job.pdfPath = path;
    }
    printJobs.push_back(job);
    return job;
}

} // namespace devhost
