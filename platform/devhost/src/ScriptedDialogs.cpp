#include "devhost/ScriptedDialogs.h"

#include "devhost/HostText.h"
#include "devhost/ValueMapping.h"

#include <stdexcept>

namespace devhost {

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& containing) {
    expected_.push_back({DialogKind::Message, containing, false, YesNoCancel::Cancel, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectError(const QString& containing) {
    expected_.push_back({DialogKind::Error, containing, false, YesNoCancel::Cancel, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectYesNo(bool yes, const QString& containing) {
    expected_.push_back({DialogKind::YesNo, containing, yes, YesNoCancel::Cancel, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectYesNoCancel(YesNoCancel answer, const QString& containing) {
    expected_.push_back({DialogKind::YesNoCancel, containing, false, answer, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectSelection(std::optional<ov::Variant> key, const QString& keyColumn) {
    expected_.push_back({DialogKind::Selection, {}, false, YesNoCancel::Cancel, std::move(key), keyColumn});
    return *this;
}

std::vector<QString> ScriptedDialogs::texts(DialogKind kind) const {
    std::vector<QString> out;
    for (const ShownDialog& d : shown_)
        if (d.kind == kind)
            out.push_back(d.text);
    return out;
}

ScriptedDialogs::Expected ScriptedDialogs::take(DialogKind kind, const QString& text) {
    shown_.push_back({kind, text});
    QString problem;
    if (expected_.empty())
        problem = QStringLiteral("nobody expected it");
    else if (expected_.front().kind != kind)
        problem = QStringLiteral("a %1 was expected").arg(dialogKindName(expected_.front().kind));
    else if (!expected_.front().containing.isEmpty() && !text.contains(expected_.front().containing))
        problem = QStringLiteral("the text was expected to contain \"%1\"").arg(expected_.front().containing);
    if (!problem.isEmpty()) {
        const QString report =
            QStringLiteral("Unexpected %1 (%2): %3").arg(dialogKindName(kind), problem, plainHostText(text));
        unexpected_.push_back(report);
        throw std::runtime_error(report.toStdString());
    }
    Expected next = std::move(expected_.front());
    expected_.pop_front();
    return next;
}

void ScriptedDialogs::showMessage(const QString& text) {
    take(DialogKind::Message, text);
}

void ScriptedDialogs::showError(const QString& text) {
    take(DialogKind::Error, text);
}

bool ScriptedDialogs::askYesNo(const QString& question, bool) {
    return take(DialogKind::YesNo, question).yes;
}

YesNoCancel ScriptedDialogs::askYesNoCancel(const QString& question) {
    return take(DialogKind::YesNoCancel, question).threeWay;
}

std::optional<int> ScriptedDialogs::select(const SelectionRequest& request) {
    const Expected answer = take(DialogKind::Selection, request.caption);
    if (!answer.key)
        return std::nullopt;
    const int column = request.rows.columnIndex(answer.keyColumn);
    if (column >= 0)
        for (std::size_t row = 0; row < request.rows.rows.size(); ++row)
            if (sameValue(request.rows.rows[row][static_cast<std::size_t>(column)], *answer.key))
                return static_cast<int>(row);
    const QString report = QStringLiteral("Scripted selection of %1 = %2 found no such row in \"%3\"")
                               .arg(answer.keyColumn, displayText(*answer.key), request.caption);
    unexpected_.push_back(report);
    throw std::runtime_error(report.toStdString());
}

} // namespace devhost
