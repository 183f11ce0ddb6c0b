#pragma once
// What a plug-in module offers its host: the plug-in object's interfaces, the class factory
// and the module's C exports.

#include "ov/BStr.h"
#include "ov/Orvian.h"
#include "ov/Unknown.h"

#include <cstdint>

namespace ov {

struct IOvPlugin2 : IUnknown {
    static constexpr Guid iid = guid("{473C7D89-F220-497E-8E8E-9B1905FACB0D}");

    virtual HRESULT Run(IOrvian* host) = 0;                   // 3
    virtual HRESULT GetPartnerIdentification(BSTR* text) = 0; // 4

protected:
    ~IOvPlugin2() = default;
};

struct IOvPlugin3 : IOvPlugin2 {
    static constexpr Guid iid = guid("{B1368F77-DE3D-4EBD-A29C-27115B4D5437}");

    virtual HRESULT GetLevel(float* level) = 0; // 5

protected:
    ~IOvPlugin3() = default;
};

struct IClassFactory : IUnknown {
    static constexpr Guid iid = guid("{00000001-0000-0000-C000-000000000046}");

    virtual HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** object) = 0; // 3
    virtual HRESULT LockServer(std::int32_t lock) = 0;                                   // 4

protected:
    ~IClassFactory() = default;
};

// Signatures of the module's exports, for a host that resolves them by name.
extern "C" {
using DllGetClassObjectFn = HRESULT (*)(const Guid* classId, const Guid* interfaceId, void** object);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
// Writes "system.class" and a terminating zero into buffer when it is not null; returns the
// text's length in characters without the zero.
using PluginGetSysAndClassNameFn = std::int32_t (*)(char* buffer);
using PluginReadyForSilentInstallFn = void (*)();
using PluginReadyForSuperSilentInstallFn = void (*)();
}

} // namespace ov
