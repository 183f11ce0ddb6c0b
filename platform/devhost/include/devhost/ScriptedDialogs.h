#pragma once
// Dialogs for tests: each dialog takes the next expected answer from a queue and records what
// it showed. A dialog that nobody expected (an empty queue, or another kind first) is recorded
// as unexpected and throws, so the host operation fails and the test sees why.

#include "devhost/Dialogs.h"

#include <deque>
#include <vector>

namespace devhost {

struct ShownDialog {
    DialogKind kind;
    QString text; // the message, question or caption as the plug-in passed it
};

class ScriptedDialogs final : public Dialogs {
public:
    // Expectations, answered in order. A non-empty `containing` must occur in the text.
    ScriptedDialogs& expectMessage(const QString& containing = {});
    ScriptedDialogs& expectError(const QString& containing = {});
    ScriptedDialogs& expectYesNo(bool yes, const QString& containing = {});
    ScriptedDialogs& expectYesNoCancel(YesNoCancel answer, const QString& containing = {});
    // Picks the first row whose column `keyColumn` has `key`'s value; nullopt picks nothing.
    ScriptedDialogs& expectSelection(std::optional<ov::Variant> key,
                                     const QString& keyColumn = QStringLiteral("ID"));

    const std::vector<ShownDialog>& shown() const noexcept { return shown_; }
    const std::vector<QString>& unexpected() const noexcept { return unexpected_; }
    std::size_t pending() const noexcept { return expected_.size(); }
    // Texts of the shown dialogs of one kind, in order.
    std::vector<QString> texts(DialogKind kind) const;

    void showMessage(const QString& text) override;
    void showError(const QString& text) override;
    bool askYesNo(const QString& question, bool defaultYes) override;
    YesNoCancel askYesNoCancel(const QString& question) override;
    std::optional<int> select(const SelectionRequest& request) override;

private:
    struct Expected {
        DialogKind kind;
        QString containing;
        bool yes = false;
        YesNoCancel threeWay = YesNoCancel::Cancel;
        std::optional<ov::Variant> key;
        QString keyColumn;
    };
    Expected take(DialogKind kind, const QString& text);

    std::deque<Expected> expected_;
    std::vector<ShownDialog> shown_;
    std::vector<QString> unexpected_;
};

} // namespace devhost
