#include "devhost/PrintingDialogs.h"

#include "devhost/HostText.h"

#include <QStringList>

namespace devhost {

void PrintingDialogs::write(const QString& heading, const QString& text) {
    out_ << "[" << heading.toStdString() << "]\n";
    for (const QString& line : plainHostText(text).split(u'\n'))
        out_ << "  " << line.toStdString() << '\n';
    out_.flush();
}

void PrintingDialogs::showMessage(const QString& text) {
    write(QStringLiteral("message"), text);
}

void PrintingDialogs::showError(const QString& text) {
    write(QStringLiteral("error"), text);
}

bool PrintingDialogs::askYesNo(const QString& question, bool) {
    write(QStringLiteral("question (answered %1)").arg(answerYes_ ? "yes" : "no"), question);
    return answerYes_;
}

YesNoCancel PrintingDialogs::askYesNoCancel(const QString& question) {
    write(QStringLiteral("question (answered %1)").arg(answerYes_ ? "yes" : "cancel"), question);
    return answerYes_ ? YesNoCancel::Yes : YesNoCancel::Cancel;
}

std::optional<int> PrintingDialogs::select(const SelectionRequest& request) {
    write(QStringLiteral("selection of %1 rows (nothing chosen)").arg(request.rows.rows.size()),
          request.caption);
    return std::nullopt;
}

} // namespace devhost
