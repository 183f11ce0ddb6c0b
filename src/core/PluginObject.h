#pragma once
// The plug-in's COM object and its class factory.

#include "ov/ComObject.h"
#include "ov/ComPtr.h"
#include "ov/Plugin.h"

namespace provozmat {

class TPluginObject final : public ov::ComObject<ov::IOvPlugin3, ov::IOvPlugin2> {
public:
    ov::HRESULT Run(ov::IOrvian* host) override;
    ov::HRESULT GetPartnerIdentification(ov::BSTR* text) override;
    ov::HRESULT GetLevel(float* level) override;

private:
    ~TPluginObject() override;

    ov::ComPtr<ov::IOrvian> FOrvian; // host interface of the most recent run
};

class TPluginClassFactory final : public ov::ComObject<ov::IClassFactory> {
public:
    ov::HRESULT CreateInstance(ov::IUnknown* outer, const ov::Guid& iid, void** object) override;
    ov::HRESULT LockServer(std::int32_t lock) override;

    // Locks taken with LockServer and not yet released, for DllCanUnloadNow.
    static long locks() noexcept;
};

} // namespace provozmat
