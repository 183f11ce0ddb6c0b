#include "core/CoreMessages.h"

#include "base/ModuleFolder.h"
#include "core/PluginKonfig.h"
#include "lang/LanguageState.h"
#include "lang/MessageCatalogue.h"

namespace provozmat {

QString coreMessage(int index) {
    return TplgJazyky::instance().hlaska(index);
}

QString translateExceptionMessage(const QString& text) {
    const auto index = indexCislaHlasky(text);
    return index ? coreMessage(*index) : text;
}

bool checkUserLanguage(const Host& host) {
    return TplgJazyky::instance().chooseLanguage(
        host, [](int language) { return pluginKonfig().PluginJazykoveDLL_Ext(language); },
        pluginModuleFolder());
}

} // namespace provozmat
