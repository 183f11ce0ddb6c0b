#include "devhost/WidgetDialogs.h"

#include "devhost/HostText.h"
#include "devhost/SelectionDialog.h"

#include <QMessageBox>

namespace devhost {

namespace {

int showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, QStringLiteral("Provozmat host"), richHostText(text), buttons, parent);
    box.setTextFormat(Qt::RichText);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

void WidgetDialogs::showMessage(const QString& text) {
    showBox(parent_, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void WidgetDialogs::showError(const QString& text) {
    showBox(parent_, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool WidgetDialogs::askYesNo(const QString& question, bool defaultYes) {
    return showBox(parent_, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No,
                   defaultYes ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

YesNoCancel WidgetDialogs::askYesNoCancel(const QString& question) {
    switch (showBox(parent_, QMessageBox::Question, question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return YesNoCancel::Yes;
    case QMessageBox::No:
        return YesNoCancel::No;
    default:
        return YesNoCancel::Cancel;
    }
}

std::optional<int> WidgetDialogs::select(const SelectionRequest& request) {
    SelectionDialog dialog(request, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenRow();
}

} // namespace devhost
