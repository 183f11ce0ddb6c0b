#pragma once
// Dialogs for a run without windows: each dialog is written to a stream as the user would have
// read it, and questions get a fixed answer (by default no, cancel and no selection).

#include "devhost/Dialogs.h"

#include <ostream>

namespace devhost {

class PrintingDialogs final : public Dialogs {
public:
    explicit PrintingDialogs(std::ostream& out, bool answerYes = false) : out_(out), answerYes_(answerYes) {}

    void showMessage(const QString& text) override;
    void showError(const QString& text) override;
    bool askYesNo(const QString& question, bool defaultYes) override;
    YesNoCancel askYesNoCancel(const QString& question) override;
    std::optional<int> select(const SelectionRequest& request) override;

private:
    void write(const QString& heading, const QString& text);

    std::ostream& out_;
    bool answerYes_;
};

} // namespace devhost
