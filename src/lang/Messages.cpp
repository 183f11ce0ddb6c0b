#include "lang/Messages.h"

#include "lang/LanguageState.h"
#include "lang/MessageCatalogue.h"

namespace provozmat {

QString hlaska(int index) {
    return TplgJazyky::instance().hlaska(index);
}

QString translatedExceptionText(const QString& text) {
    const auto index = indexCislaHlasky(text);
    return index ? hlaska(*index) : text;
}

} // namespace provozmat
