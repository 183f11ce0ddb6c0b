// plugin: one Run of the plug-in module in a browse context, without windows. Dialogs are
// written to standard output as the user would have read them; what the plug-in asked of the
// host (browses, documents, print jobs, registered tables) is listed after the run.

#include "Commands.h"

#include "devhost/HostText.h"
#include "devhost/PluginModule.h"
#include "devhost/PrintingDialogs.h"

#include <QGuiApplication>
#include <QStringList>

#include <iostream>
#include <stdexcept>

namespace provozmathost {

namespace {

std::vector<std::int64_t> markedIds(const std::string& text) {
    std::vector<std::int64_t> ids;
    for (const QString& part : QString::fromStdString(text).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const qlonglong id = part.trimmed().toLongLong(&ok);
        if (!ok)
            throw std::invalid_argument("--marked needs IDs separated by commas, not \"" + text + "\"");
        ids.push_back(id);
    }
    return ids;
}

void report(devhost::Workstation& workstation, const devhost::RecordingWindows& windows, std::ostream& out) {
    for (const auto& browse : windows.browses)
        out << "[browse opened] " << browse->number() << ' ' << browse->source().name.toStdString()
            << (browse->condition().isEmpty() ? "" : " WHERE " + browse->condition().toStdString()) << '\n';
    for (const auto& document : windows.documents)
        out << "[window opened] " << document.title.toStdString() << '\n';
    for (const auto& job : workstation.printJobs)
        out << "[printed] form " << job.formId << " for " << job.condition.toStdString() << " on "
            << (job.printer.isEmpty() ? "the default printer" : job.printer.toStdString()) << ", "
            << job.copies << (job.copies == 1 ? " copy" : " copies")
            << (job.pdfPath.isEmpty() ? "" : " -> " + job.pdfPath.toStdString()) << '\n';
    if (!workstation.registeredTables.isEmpty())
        out << "[tables registered] " << workstation.registeredTables.join(QStringLiteral(", ")).toStdString()
            << '\n';
    for (const QString& line : workstation.log)
        out << "[host] " << line.toStdString() << '\n';
    if (workstation.restartRequested())
        out << "[host] the plug-in asks for the host to be restarted\n";
}

} // namespace

int runPlugin(const CommandLine& line, int argc, char** argv) {
    const devhost::HostSettings settings = hostSettings(line);
    publishComputerName(settings);
    const int browseNumber = line.integer("browse", 0);
    if (!line.option("browse"))
        throw std::invalid_argument("plugin needs --browse");
    if (!line.option("command"))
        throw std::invalid_argument("plugin needs --command");
    const int command = line.integer("command", 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A GUI application for fonts (PDF forms), but no widgets: the plug-in then shows its
    // windows as host messages.
    QGuiApplication application(argc, argv);

    devhost::PrintingDialogs dialogs(std::cout, line.flag("yes"));
    devhost::RecordingWindows windows;
    auto workstation =
        devhost::Workstation::create(openExistingDatabase(line.required("db")), settings, dialogs, windows);
    auto browse = workstation->openBrowse(browseNumber);
    if (line.option("current"))
        browse->setCurrentId(line.integer("current", 0));
    if (const auto marked = line.option("marked"))
        browse->setMarked(markedIds(*marked));

    auto module = devhost::PluginModule::load(devhost::PluginModule::besideExecutable());
    devhost::RunOutcome outcome;
    {
        auto host = workstation->orvian(browse, command);
        outcome = module->run(host.get());
    }
    report(*workstation, windows, std::cout);
    if (!outcome.ok) {
        std::cout << "[run failed]\n";
        for (const QString& text : devhost::plainHostText(outcome.errorText).split(u'\n'))
            std::cout << "  " << text.toStdString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace provozmathost
