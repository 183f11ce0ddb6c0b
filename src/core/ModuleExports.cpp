// The module's C exports: the in-process server's entry points and the plug-in's own.
// Only these symbols are visible outside the module.

#include "base/Text.h"
#include "core/ModuleRegistration.h"
#include "core/PluginKonfig.h"
#include "core/PluginObject.h"
#include "ov/ErrorInfo.h"
#include "ov/Plugin.h"

#include <cstring>

#define PROVOZMAT_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The identity is created and checked when the module is loaded; a module whose identity
// fails its check serves nothing and says why.
const provozmat::ModuleLoadResult& moduleLoad() {
    static const provozmat::ModuleLoadResult result = provozmat::loadModule();
    return result;
}
[[maybe_unused]] const auto& loadedAtStart = moduleLoad();

} // namespace

PROVOZMAT_EXPORT ov::HRESULT DllGetClassObject(const ov::Guid* classId, const ov::Guid* interfaceId,
                                               void** object) {
    if (!classId || !interfaceId || !object)
        return ov::E_POINTER;
    *object = nullptr;
    if (!moduleLoad().ok)
        return ov::fail(moduleLoad().errorText.toStdU16String());
    if (*classId != provozmat::pluginKonfig().FPluginClass_ID)
        return ov::CLASS_E_CLASSNOTAVAILABLE;
    auto factory = ov::ComPtr<ov::IClassFactory>(new provozmat::TPluginClassFactory);
    return factory->QueryInterface(*interfaceId, object);
}

PROVOZMAT_EXPORT ov::HRESULT DllCanUnloadNow() {
    return ov::liveObjectCount().load() == 0 && provozmat::TPluginClassFactory::locks() == 0 ? ov::S_OK
                                                                                             : ov::S_FALSE;
}

PROVOZMAT_EXPORT ov::HRESULT DllRegisterServer() {
    return ov::guarded([] { return provozmat::registerServer() ? ov::S_OK : ov::E_FAIL; });
}

PROVOZMAT_EXPORT ov::HRESULT DllUnregisterServer() {
    return ov::guarded([] { return provozmat::unregisterServer() ? ov::S_OK : ov::E_FAIL; });
}

PROVOZMAT_EXPORT std::int32_t PluginGetSysAndClassName(char* buffer) {
    if (!moduleLoad().ok)
        return 0;
    const QByteArray text = provozmat::pluginKonfig().SysAndClassName().toLocal8Bit();
    if (buffer) {
        std::memcpy(buffer, text.constData(), static_cast<std::size_t>(text.size()));
        buffer[text.size()] = '\0';
    }
    return static_cast<std::int32_t>(text.size());
}

PROVOZMAT_EXPORT void PluginReadyForSilentInstall() {}

PROVOZMAT_EXPORT void PluginReadyForSuperSilentInstall() {}
