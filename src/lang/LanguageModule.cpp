#include "lang/LanguageModule.h"

#include "base/PluginError.h"

namespace provozmat {

LanguageModule::LanguageModule(const QString& path) : library_(path) {
    if (!library_.load())
        throw PluginError(library_.errorString());
}

LanguageModule::~LanguageModule() {
    library_.unload();
}

QFunctionPointer LanguageModule::entryPoint(const char* name) {
    return library_.resolve(name);
}

} // namespace provozmat
