#pragma once
// A host browse in its own window: the rows of its source in a table, the plug-in's actions
// of that browse (from TabExtKom) as buttons, and a refresh button. The table's current row
// and selection are the browse's current and marked rows.

#include "devhost/Browse.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QTableView;
class QHBoxLayout;

namespace devhost {

class RowSetModel;
class Workstation;

// Runs one plug-in command in a browse.
using CommandRunner = std::function<void(const std::shared_ptr<Browse>& browse, std::int32_t command)>;

class BrowseWindow final : public QWidget {
public:
    BrowseWindow(std::shared_ptr<Workstation> workstation, std::shared_ptr<Browse> browse,
                 CommandRunner runner, QWidget* parent = nullptr);

    const std::shared_ptr<Browse>& browse() const noexcept { return browse_; }
    // Reads the rows again and shows them with the browse's current row selected.
    void reload();
    // Shows the browse's rows as they are (after the plug-in refreshed or moved it).
    void showRows();

private:
    void selectionChanged();
    void addCommandButtons(QHBoxLayout& buttons);

    std::shared_ptr<Workstation> workstation_;
    std::shared_ptr<Browse> browse_;
    CommandRunner runner_;
    RowSetModel* model_;
    QTableView* table_;
    QLabel* status_;
    bool showing_ = false;
};

} // namespace devhost
