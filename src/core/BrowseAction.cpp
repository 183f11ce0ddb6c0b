#include "core/BrowseAction.h"

#include "core/NotAvailable.h"

#include <QHash>

namespace provozmat {

namespace {
QHash<QString, BrowseActionClass>& classes() {
    static QHash<QString, BrowseActionClass> registered;
    return registered;
}
} // namespace

void registerBrowseActionClass(const QString& className, BrowseActionClass actionClass) {
    classes().insert(className.toLower(), std::move(actionClass));
}

const BrowseActionClass& browseActionClass(const QString& className) {
    const auto it = classes().constFind(className.toLower());
    if (it == classes().constEnd())
        throwNotAvailable(className);
    return *it;
}

} // namespace provozmat
