#pragma once
// Reference counting and QueryInterface for a class that implements one interface chain.
// Primary is the most derived interface; Bases lists the interfaces it derives from, so that
// QueryInterface answers for each of them with the same pointer.

#include "ov/Unknown.h"

#include <atomic>

namespace ov {

// Number of live ComObject instances of the module that includes this header (modules are
// built with hidden visibility, so each has its own counter); DllCanUnloadNow reads it.
inline std::atomic<long>& liveObjectCount() noexcept {
    static std::atomic<long> count{0};
    return count;
}

template <class Primary, class... Bases> class ComObject : public Primary {
public:
    ComObject() noexcept { liveObjectCount().fetch_add(1, std::memory_order_relaxed); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(const Guid& iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (iid == Primary::iid || iid == IUnknown::iid || ((iid == Bases::iid) || ...)) {
            *object = static_cast<Primary*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return static_cast<std::uint32_t>(++refs_); }
    std::uint32_t Release() override {
        const long left = --refs_;
        if (left == 0)
            delete this;
        return static_cast<std::uint32_t>(left);
    }

protected:
    virtual ~ComObject() { liveObjectCount().fetch_sub(1, std::memory_order_relaxed); }

private:
    std::atomic<long> refs_{0};
};

} // namespace ov
