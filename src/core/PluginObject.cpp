#include "core/PluginObject.h"

#include "base/Host.h"
#include "base/Text.h"
#include "core/ApplicationExceptionHandler.h"
#include "core/PluginKonfig.h"
#include "core/RunDispatch.h"
#include "ov/ErrorInfo.h"

#include <atomic>

namespace provozmat {

namespace {
std::atomic<long> serverLocks{0};
}

TPluginObject::~TPluginObject() {
    releaseApplicationExceptionHandler(FOrvian.get());
}

ov::HRESULT TPluginObject::Run(ov::IOrvian* host) {
    return ov::guarded([&] {
        if (!host)
            return ov::fail(u"Rozhraní hostitele chybí", ov::E_POINTER);
        FOrvian = ov::ComPtr<ov::IOrvian>(host);
        runPlugin(Host(FOrvian));
        return ov::S_OK;
    });
}

ov::HRESULT TPluginObject::GetPartnerIdentification(ov::BSTR* text) {
    return ov::guarded([&] {
        if (!text)
            return ov::E_POINTER;
        *text = toBStr(pluginKonfig().PartnerIdentification()).detach();
        return ov::S_OK;
    });
}

ov::HRESULT TPluginObject::GetLevel(float* level) {
    if (!level)
        return ov::E_POINTER;
    *level = 36.0f;
    return ov::S_OK;
}

ov::HRESULT TPluginClassFactory::CreateInstance(ov::IUnknown* outer, const ov::Guid& iid, void** object) {
    return ov::guarded([&] {
        if (!object)
            return ov::E_POINTER;
        *object = nullptr;
        if (outer)
            return ov::CLASS_E_NOAGGREGATION;
        auto plugin = ov::ComPtr<ov::IOvPlugin3>(new TPluginObject);
        return plugin->QueryInterface(iid, object);
    });
}

ov::HRESULT TPluginClassFactory::LockServer(std::int32_t lock) {
    if (lock)
        ++serverLocks;
    else if (serverLocks > 0)
        --serverLocks;
    return ov::S_OK;
}

long TPluginClassFactory::locks() noexcept {
    return serverLocks.load();
}

} // namespace provozmat
