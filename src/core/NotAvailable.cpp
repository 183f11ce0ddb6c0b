#include "core/NotAvailable.h"

#include "base/PluginError.h"
#include "base/Text.h"

namespace provozmat {

void throwNotAvailable(const QString& function) {
    throw PluginError(
        QStringLiteral("Funkce %1 není v tomto sestavení pluginu k dispozici.").arg(highlighted(function)));
}

} // namespace provozmat
