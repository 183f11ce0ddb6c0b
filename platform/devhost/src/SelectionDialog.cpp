#include "devhost/SelectionDialog.h"

#include "devhost/RowSetModel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace devhost {

SelectionDialog::SelectionDialog(const SelectionRequest& request, QWidget* parent)
    : QDialog(parent), table_(new QTableView(this)) {
    setWindowTitle(request.caption);
    auto* model = new RowSetModel(this);
    model->setRows(std::make_shared<const RowSet>(request.rows));
    table_->setModel(model);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setStretchLastSection(true);
    if (request.currentRow >= 0)
        table_->selectRow(request.currentRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableView::doubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(640, 400);
}

std::optional<int> SelectionDialog::chosenRow() const {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return current.row();
}

} // namespace devhost
