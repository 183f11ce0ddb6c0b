#pragma once
// The host's modal dialogs, as one interface: message and error boxes (texts with \r line
// breaks and char(1) highlight pairs), the yes/no questions and the pick dialog over a browse.
// The windowed implementation shows Qt dialogs; the scripted one answers from a queue for
// tests; the printing one writes what would have been shown.

#include "devhost/RowSet.h"

#include <QString>

#include <optional>

namespace devhost {

enum class DialogKind { Message, Error, YesNo, YesNoCancel, Selection };

enum class YesNoCancel { Yes, No, Cancel };

// What a pick dialog offers: the rows of a browse, one of which the user may choose.
struct SelectionRequest {
    QString caption;
    const RowSet& rows;
    int currentRow = -1; // the row to start on, -1 for none
};

QString dialogKindName(DialogKind kind);

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual void showMessage(const QString& text) = 0;
    virtual void showError(const QString& text) = 0;
    virtual bool askYesNo(const QString& question, bool defaultYes) = 0;
    virtual YesNoCancel askYesNoCancel(const QString& question) = 0;
    // The chosen row's index, or nullopt when the user chose nothing.
    virtual std::optional<int> select(const SelectionRequest& request) = 0;
};

} // namespace devhost
