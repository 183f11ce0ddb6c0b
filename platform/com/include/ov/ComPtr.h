#pragma once
// A counted reference to an interface: AddRef on copy, Release on destruction.

#include "ov/Unknown.h"

#include <utility>

namespace ov {

template <class T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes a new reference to p.
    explicit ComPtr(T* p) noexcept : p_(p) {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other) noexcept {
        ComPtr(other).swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) noexcept {
        reset();
        return *this;
    }

    // Adopts a reference the caller already owns (an out-parameter's result).
    static ComPtr attach(T* p) noexcept {
        ComPtr r;
        r.p_ = p;
        return r;
    }
    // Gives up the reference without releasing it.
    T* detach() noexcept { return std::exchange(p_, nullptr); }

    void reset() noexcept {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    // Address for an out-parameter; releases what was held.
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    void swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

    // QueryInterface for another interface; empty when the object does not have it.
    template <class U> ComPtr<U> as() const noexcept {
        ComPtr<U> r;
        if (p_)
            p_->QueryInterface(U::iid, r.putVoid());
        return r;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

} // namespace ov
