#include "devhost/BrowseWindow.h"

#include "devhost/RowSetModel.h"
#include "devhost/SqlRunner.h"
#include "devhost/ValueMapping.h"
#include "devhost/Workstation.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

namespace devhost {

BrowseWindow::BrowseWindow(std::shared_ptr<Workstation> workstation, std::shared_ptr<Browse> browse,
                           CommandRunner runner, QWidget* parent)
    : QWidget(parent, Qt::Window), workstation_(std::move(workstation)), browse_(std::move(browse)),
      runner_(std::move(runner)), model_(new RowSetModel(this)), table_(new QTableView(this)),
      status_(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("%1 – %2").arg(browse_->number()).arg(browse_->source().title));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BrowseWindow::selectionChanged);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &BrowseWindow::selectionChanged);

    auto* buttons = new QHBoxLayout;
    auto* refresh = new QPushButton(QStringLiteral("Obnovit"), this);
    connect(refresh, &QPushButton::clicked, this, &BrowseWindow::reload);
    buttons->addWidget(refresh);
    addCommandButtons(*buttons);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(table_);
    layout->addWidget(status_);
    resize(900, 500);
    reload();
}

void BrowseWindow::addCommandButtons(QHBoxLayout& buttons) {
    for (const BrowseCommand& command : findBrowseCommands(workstation_->session(), browse_->number())) {
        QString caption =
            command.caption.isEmpty() ? QStringLiteral("Akce %1").arg(command.id) : command.caption;
        if (!command.submenu.isEmpty())
            caption = command.submenu + QStringLiteral(" › ") + caption;
        auto* button = new QPushButton(caption, this);
        button->setToolTip(QStringLiteral("TabExtKom.ID %1").arg(command.id));
        connect(button, &QPushButton::clicked, this, [this, id = command.id] {
            if (runner_)
                runner_(browse_, id);
        });
        buttons.addWidget(button);
    }
}

void BrowseWindow::reload() {
    try {
        browse_->refresh(workstation_->session());
        status_->setText(QStringLiteral("%1 rows").arg(browse_->rows()->rows.size()));
    } catch (const BatchError& e) {
        status_->setText(QString::fromUtf8(e.what()));
    }
    showRows();
}

void BrowseWindow::showRows() {
    showing_ = true;
    model_->setRows(browse_->rows());
    const int current = browse_->currentRow();
    if (current >= 0)
        table_->selectRow(current);
    showing_ = false;
}

void BrowseWindow::selectionChanged() {
    if (showing_)
        return;
    const QModelIndex current = table_->currentIndex();
    if (current.isValid())
        browse_->setCurrentRow(current.row());
    const int key = browse_->rows()->columnIndex(browse_->source().keyColumn);
    std::vector<std::int64_t> marked;
    if (key >= 0) {
        std::set<int> rows;
        for (const QModelIndex& index : table_->selectionModel()->selectedRows())
            rows.insert(index.row());
        if (rows.size() > 1)
            for (int row : rows)
                if (const auto id = wholeNumber(
                        browse_->rows()->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(key)]))
                    marked.push_back(*id);
    }
    browse_->setMarked(std::move(marked));
}

} // namespace devhost
