#include "devhost/Dialogs.h"

namespace devhost {

QString dialogKindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Message:
        return QStringLiteral("message");
    case DialogKind::Error:
        return QStringLiteral("error");
    case DialogKind::YesNo:
        return QStringLiteral("yes/no question");
    case DialogKind::YesNoCancel:
        return QStringLiteral("yes/no/cancel question");
    case DialogKind::Selection:
        return QStringLiteral("selection");
    }
    return {};
}

} // namespace devhost
