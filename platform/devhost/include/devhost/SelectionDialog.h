#pragma once
// The host's modal pick dialog: the rows of a browse in a table; OK (or a double click) picks
// the current row.

#include "devhost/Dialogs.h"

#include <QDialog>

#include <optional>

class QTableView;

namespace devhost {

class SelectionDialog final : public QDialog {
public:
    SelectionDialog(const SelectionRequest& request, QWidget* parent = nullptr);

    std::optional<int> chosenRow() const;

private:
    QTableView* table_;
};

} // namespace devhost
