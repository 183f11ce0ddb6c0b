#include "devhost/WidgetWindows.h"

#include "devhost/RowSetModel.h"
#include "devhost/Workstation.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <stdexcept>

namespace devhost {

WidgetWindows::~WidgetWindows() {
    for (QWidget* window : openWindows())
        delete window;
}

void WidgetWindows::attach(std::weak_ptr<Workstation> workstation, CommandRunner runner) {
    workstation_ = std::move(workstation);
    runner_ = std::move(runner);
}

BrowseWindow* WidgetWindows::showBrowse(const std::shared_ptr<Browse>& browse) {
    const auto workstation = workstation_.lock();
    if (!workstation)
        throw std::runtime_error("the host's windows belong to no workstation");
    auto* window = new BrowseWindow(workstation, browse, runner_);
    windows_.append(window);
    window->show();
    return window;
}

QList<QWidget*> WidgetWindows::openWindows() const {
    QList<QWidget*> open;
    for (const QPointer<QWidget>& window : windows_)
        if (window)
            open.append(window);
    return open;
}

void WidgetWindows::browseOpened(const std::shared_ptr<Browse>& browse) {
    showBrowse(browse);
}

void WidgetWindows::browseRefreshed(const Browse& browse) {
    for (QWidget* window : openWindows())
        if (auto* browseWindow = dynamic_cast<BrowseWindow*>(window);
            browseWindow && browseWindow->browse()->instanceId() == browse.instanceId())
            browseWindow->showRows();
}

void WidgetWindows::documentOpened(const OpenedDocument& document, const RowSet& rows) {
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(document.title);
    auto* model = new RowSetModel(window);
    model->setRows(std::make_shared<const RowSet>(rows));
    auto* table = new QTableView(window);
    table->setModel(model);
    table->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(table);
    window->resize(800, 400);
    windows_.append(window);
    window->show();
}

std::uint64_t WidgetWindows::applicationHandle() const {
    return main_ ? static_cast<std::uint64_t>(main_->winId()) : 0;
}

} // namespace devhost
