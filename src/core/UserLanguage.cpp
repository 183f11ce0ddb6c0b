#include "core/UserLanguage.h"

#include "base/ModuleFolder.h"
#include "core/PluginKonfig.h"
#include "lang/LanguageState.h"

namespace provozmat {

bool checkUserLanguage(const Host& host) {
    return TplgJazyky::instance().chooseLanguage(
        host, [](int language) { return pluginKonfig().PluginJazykoveDLL_Ext(language); },
        pluginModuleFolder());
}

} // namespace provozmat
