#pragma once
// The host's dialogs as Qt message boxes and the pick dialog, modal to the given window.

#include "devhost/Dialogs.h"

#include <QPointer>
#include <QWidget>

namespace devhost {

class WidgetDialogs final : public Dialogs {
public:
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const QString& text) override;
    void showError(const QString& text) override;
    bool askYesNo(const QString& question, bool defaultYes) override;
    YesNoCancel askYesNoCancel(const QString& question) override;
    std::optional<int> select(const SelectionRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace devhost
