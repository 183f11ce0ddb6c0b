// The host's windows, offscreen: the main window and a browse window with the plug-in's
// actions, rendered to PNG files in the build folder for a reviewer; a browse window's
// selection as the browse's current and marked rows; a document window opened by
// RunBrowseAction as a titled top-level window.

#include "HostFixture.h"

#include "devhost/SqlRunner.h"

#include "devhost/MainWindow.h"
#include "devhost/WidgetWindows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace devhost::test {
namespace {

class Windows : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "devhost_window_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            application = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { application.reset(); }

    Windows()
        : workstation(
              Workstation::create(tsql::Database::open(":memory:"), HostSettings{}, dialogs, windows)) {
        windows.attach(workstation, [this](const std::shared_ptr<Browse>& browse, std::int32_t command) {
            runs.emplace_back(browse->number(), command);
        });
        runHostBatch(
            workstation->session(),
            "CREATE TABLE TabCisZam (ID int IDENTITY(1,1), Cislo int, PrijmeniJmeno nvarchar(100)) "
            "INSERT TabCisZam (Cislo, PrijmeniJmeno) VALUES (101, N'Novák Jan'), (102, N'Dvořák Petr'), "
            "(103, N'Svobodová Eva') "
            "CREATE TABLE TabExtKom (ID int, IdBrowse int, Popis nvarchar(255), NazevPodmenu nvarchar(255), "
            "HotKey nvarchar(20), Parametry nvarchar(255)) "
            "INSERT TabExtKom VALUES (31, 86, N'Nastav heslo LCD', N'Terminatek', NULL, NULL)");
    }

    static QString screenshotPath(const char* name) {
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        return QDir(QStringLiteral(SCREENSHOT_DIR)).filePath(QString::fromLatin1(name));
    }

    static inline std::unique_ptr<QApplication> application;
    ScriptedDialogs dialogs;
    WidgetWindows windows;
    std::shared_ptr<Workstation> workstation;
    std::vector<std::pair<int, std::int32_t>> runs;
};

TEST_F(Windows, MainWindowAndBrowseRenderWithThePluginsActions) {
    MainWindow main(
        workstation, windows,
        [this](const std::shared_ptr<Browse>& b, std::int32_t c) { runs.emplace_back(b->number(), c); },
        QStringLiteral("Provozmat.go"));
    main.show();
    BrowseWindow* browse = main.openBrowse(kEmployeeBrowse);
    ASSERT_NE(browse, nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(main.grab().save(screenshotPath("main-window.png")));
    EXPECT_TRUE(browse->grab().save(screenshotPath("browse-86.png")));

    QPushButton* action = nullptr;
    for (QPushButton* button : browse->findChildren<QPushButton*>())
        if (button->text().contains(QStringLiteral("Nastav heslo LCD")))
            action = button;
    ASSERT_NE(action, nullptr);
    action->click();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], std::make_pair(kEmployeeBrowse, 31));

    int pluginButtons = 0;
    for (QPushButton* button : main.findChildren<QPushButton*>())
        for (const PluginListCommand& command : pluginListCommands())
            if (button->text().endsWith(QStringLiteral("(%1)").arg(command.code)))
                ++pluginButtons;
    EXPECT_EQ(pluginButtons, static_cast<int>(pluginListCommands().size()));
}

TEST_F(Windows, TheTablesSelectionIsTheBrowsesCurrentAndMarkedRows) {
    BrowseWindow* window = windows.showBrowse(workstation->openBrowse(kEmployeeBrowse));
    auto* table = window->findChild<QTableView*>();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(window->browse()->currentId().asInt(), 1);
    table->selectionModel()->select(table->model()->index(1, 0),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table->selectionModel()->select(table->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->selectionModel()->setCurrentIndex(table->model()->index(2, 0), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(window->browse()->currentId().asInt(), 3);
    EXPECT_EQ(window->browse()->markedText().toStdString(), "2,3");
}

TEST_F(Windows, RunBrowseActionOpensATitledTopLevelWindow) {
    auto orvian = workstation->orvian(workstation->openBrowse(kEmployeeBrowse), 0);
    ASSERT_EQ(orvian->RunBrowseAction(5, bstr("TabDokumenty.ID=3").get(), bstr("ActionOtevrit").get()),
              ov::S_OK);
    bool found = false;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowTitle().contains(QStringLiteral("TabDokumenty.ID=3")))
            found = true;
    EXPECT_TRUE(found);
}

TEST_F(Windows, PrintFormWritesTheFormsRowsToAPdf) {
    QTemporaryDir folder;
    workstation->settings().printFolder = folder.path();
    auto orvian = workstation->orvian(workstation->openBrowse(kEmployeeBrowse), 0);
    std::int32_t result = 0;
    ASSERT_EQ(orvian->PrintForm(kEmployeeBrowse, 12, bstr("TabCisZam.ID=2").get(), &result), ov::S_OK);
    ASSERT_EQ(workstation->printJobs.size(), 1u);
    const QString pdf = workstation->printJobs[0].pdfPath;
    ASSERT_FALSE(pdf.isEmpty()) << workstation->log.join(u'\n').toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
}

} // namespace
} // namespace devhost::test
