#pragma once
// The base of every interface that crosses a module boundary: QueryInterface, AddRef, Release
// in the first three slots. Interfaces have no virtual destructor (it would take vtable slots);
// an object is destroyed by its own Release.

#include "ov/Guid.h"
#include "ov/HResult.h"

#include <cstdint>

namespace ov {

struct IUnknown {
    static constexpr Guid iid = guid("{00000000-0000-0000-C000-000000000046}");

    virtual HRESULT QueryInterface(const Guid& iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

} // namespace ov
