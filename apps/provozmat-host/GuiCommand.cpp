// gui: the host's main window over a database, with the plug-in module loaded beside the
// program. --screenshots DIR renders the main window and the employee browse to PNG files
// there and ends instead of waiting for the user.

#include "Commands.h"

#include "devhost/MainWindow.h"
#include "devhost/PluginModule.h"
#include "devhost/WidgetDialogs.h"
#include "devhost/WidgetWindows.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

namespace provozmathost {

namespace {

int saveScreenshots(devhost::MainWindow& main, const QString& folder) {
    QDir().mkpath(folder);
    QApplication::processEvents();
    bool saved = main.grab().save(QDir(folder).filePath(QStringLiteral("main-window.png")));
    if (auto* browse = main.openBrowse(devhost::kEmployeeBrowse)) {
        QApplication::processEvents();
        saved = browse->grab().save(QDir(folder).filePath(QStringLiteral("browse-86.png"))) && saved;
    }
    std::printf("screenshots %s in %s\n", saved ? "saved" : "not saved", folder.toLocal8Bit().constData());
    return saved ? 0 : 1;
}

} // namespace

int runGui(const CommandLine& line, int argc, char** argv) {
    const devhost::HostSettings settings = hostSettings(line);
    publishComputerName(settings);
    const auto screenshots = line.option("screenshots");
    if (screenshots && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    devhost::WidgetDialogs dialogs;
    devhost::WidgetWindows windows;
    auto workstation =
        devhost::Workstation::create(openExistingDatabase(line.required("db")), settings, dialogs, windows);

    std::unique_ptr<devhost::PluginModule> module;
    QString loadError;
    try {
        module = devhost::PluginModule::load(devhost::PluginModule::besideExecutable());
    } catch (const std::exception& e) {
        loadError = QString::fromUtf8(e.what());
    }

    devhost::CommandRunner runner = [&](const std::shared_ptr<devhost::Browse>& browse,
                                        std::int32_t command) {
        if (!module)
            return;
        devhost::RunOutcome outcome;
        {
            auto host = workstation->orvian(browse, command);
            outcome = module->run(host.get());
        }
        if (!outcome.ok)
            dialogs.showError(outcome.errorText);
        else if (workstation->restartRequested())
            dialogs.showMessage(QStringLiteral("The plug-in asks for the host to be restarted."));
    };
    windows.attach(workstation, runner);

    devhost::MainWindow main(workstation, windows, runner, module ? module->sysAndClassName() : QString());
    windows.setMainWindow(&main);
    dialogs.setParent(&main);
    main.show();
    if (!loadError.isEmpty())
        dialogs.showError(QStringLiteral("The plug-in module was not loaded:\r") + loadError);
    if (screenshots)
        return saveScreenshots(main, QString::fromStdString(*screenshots));
    return application.exec();
}

} // namespace provozmathost
