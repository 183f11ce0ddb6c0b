#pragma once
// The host's main window: the plug-in list (browse 871) with a button for each of its
// commands, and the host browses, each opened in its own window with the plug-in's actions.

#include "devhost/BrowseWindow.h"
#include "devhost/WidgetWindows.h"

#include <QMainWindow>

class QListWidget;

namespace devhost {

// The plug-in list's commands: install, about, silent install, configuration, the two
// translation commands and uninstall.
struct PluginListCommand {
    std::int32_t code;
    QString caption;
};
const std::vector<PluginListCommand>& pluginListCommands();

class MainWindow final : public QMainWindow {
public:
    MainWindow(std::shared_ptr<Workstation> workstation, WidgetWindows& windows, CommandRunner runner,
               const QString& pluginName, QWidget* parent = nullptr);

    // Opens the browse of that number in its own window.
    BrowseWindow* openBrowse(int number);

private:
    void fillBrowseList();

    std::shared_ptr<Workstation> workstation_;
    WidgetWindows& windows_;
    CommandRunner runner_;
    std::shared_ptr<Browse> pluginList_;
    QListWidget* browses_;
};

} // namespace devhost
