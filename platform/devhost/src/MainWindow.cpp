#include "devhost/MainWindow.h"

#include "devhost/SqlRunner.h"
#include "devhost/ValueMapping.h"
#include "devhost/Workstation.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace devhost {

const std::vector<PluginListCommand>& pluginListCommands() {
    static const std::vector<PluginListCommand> commands = {
        {-1, QStringLiteral("Instalace")},         {-3, QStringLiteral("Tichá instalace")},
        {-4, QStringLiteral("Konfigurace")},       {-2, QStringLiteral("O pluginu")},
        {-5, QStringLiteral("Překladový portál")}, {-6, QStringLiteral("Jazykové moduly")},
        {-7, QStringLiteral("Odinstalace")},
    };
    return commands;
}

MainWindow::MainWindow(std::shared_ptr<Workstation> workstation, WidgetWindows& windows, CommandRunner runner,
                       const QString& pluginName, QWidget* parent)
    : QMainWindow(parent), workstation_(std::move(workstation)), windows_(windows),
      runner_(std::move(runner)), pluginList_(workstation_->openBrowse(kPluginListBrowse)),
      browses_(new QListWidget(this)) {
    const HostSettings& settings = workstation_->settings();
    setWindowTitle(QStringLiteral("Provozmat host – %1 (%2, spid %3)")
                       .arg(settings.computerName, QString::fromStdString(settings.login))
                       .arg(settings.spid));

    auto* plugins = new QGroupBox(QStringLiteral("Pluginy (871)"), this);
    auto* pluginLayout = new QVBoxLayout(plugins);
    pluginLayout->addWidget(new QLabel(
        pluginName.isEmpty() ? QStringLiteral("(no plug-in module loaded)") : pluginName, plugins));
    for (const PluginListCommand& command : pluginListCommands()) {
        auto* button =
            new QPushButton(QStringLiteral("%1 (%2)").arg(command.caption).arg(command.code), plugins);
        button->setEnabled(!pluginName.isEmpty());
        connect(button, &QPushButton::clicked, this, [this, code = command.code] {
            if (runner_)
                runner_(pluginList_, code);
        });
        pluginLayout->addWidget(button);
    }
    pluginLayout->addStretch();

    auto* hostBrowses = new QGroupBox(QStringLiteral("Přehledy"), this);
    auto* browseLayout = new QVBoxLayout(hostBrowses);
    browseLayout->addWidget(browses_);
    auto* open = new QPushButton(QStringLiteral("Otevřít"), hostBrowses);
    browseLayout->addWidget(open);
    auto openCurrent = [this] {
        if (const QListWidgetItem* item = browses_->currentItem())
            openBrowse(item->data(Qt::UserRole).toInt());
    };
    connect(open, &QPushButton::clicked, this, openCurrent);
    connect(browses_, &QListWidget::itemDoubleClicked, this, openCurrent);
    fillBrowseList();

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(plugins);
    layout->addWidget(hostBrowses, 1);
    setCentralWidget(central);
    statusBar()->showMessage(QStringLiteral("SQL Server %1.%2.%3")
                                 .arg(settings.sqlServerVersion >> 24)
                                 .arg((settings.sqlServerVersion >> 16) & 0xFF)
                                 .arg(settings.sqlServerVersion & 0xFFFF));
    resize(760, 420);
}

void MainWindow::fillBrowseList() {
    auto add = [this](int number, const QString& title) {
        auto* item = new QListWidgetItem(QStringLiteral("%1  %2").arg(number).arg(title), browses_);
        item->setData(Qt::UserRole, number);
    };
    for (const auto& [number, source] : hostBrowses())
        if (number != kPluginListBrowse && !source.name.startsWith(u'#'))
            add(number, source.title);
    try {
        const RowSet defined = queryHostBatch(workstation_->session(),
                                              "SELECT Cislo, Nazev FROM TabObecnyPrehled ORDER BY Cislo");
        for (const auto& row : defined.rows)
            add(kDefinedBrowseBase + static_cast<int>(wholeNumber(row[0]).value_or(0)), displayText(row[1]));
    } catch (const BatchError&) {
        // No defined browses in this database.
    }
    browses_->setCurrentRow(0);
}

BrowseWindow* MainWindow::openBrowse(int number) {
    try {
        return windows_.showBrowse(workstation_->openBrowse(number));
    } catch (const std::exception& e) {
        QMessageBox::critical(this, windowTitle(), QString::fromUtf8(e.what()));
        return nullptr;
    }
}

} // namespace devhost
