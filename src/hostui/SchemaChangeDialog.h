#pragma once
// The confirmation dialog of the installation: the changes under their tables, objects and
// descriptions (procedures and other lists under their own nodes), each with its statements,
// and the buttons that run them or refuse. The statements themselves are run by the caller.

#include "definitions/SchemaChanges.h"

#include <QDialog>
#include <QString>

class QPushButton;
class QTreeWidget;

namespace provozmat {

class Host;

class TsqAlterForm : public QDialog {
public:
    TsqAlterForm(const QString& nadpis, const QString& systemoveJmeno, const QString& verze,
                 const ZmenySchematu& zmeny, QWidget* parent = nullptr);

    QTreeWidget* strom() const noexcept { return strom_; }
    QPushButton* provest() const noexcept { return provest_; }
    QPushButton* storno() const noexcept { return storno_; }

private:
    QTreeWidget* strom_;
    QPushButton* provest_;
    QPushButton* storno_;
};

// Shows the changes and answers whether they are to run. Without a window system the host
// asks the question with the changes listed in its message box.
bool potvrdZmeny(const Host& host, const QString& nadpis, const ZmenySchematu& zmeny);

// The tree's lines as text: one line a node, indented by two blanks a level.
QString textZmen(const QString& systemoveJmeno, const ZmenySchematu& zmeny);

} // namespace provozmat
