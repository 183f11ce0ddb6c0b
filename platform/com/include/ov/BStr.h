#pragma once
// Length-prefixed UTF-16 strings as they cross a module boundary. A BSTR points at the first
// character; the 32-bit byte length stands just before it and a zero character after the last.
// Allocation and release go through the shared runtime, so either side may free what the
// other allocated. A null BSTR is the empty string.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

extern "C" {
using OvBSTR = char16_t*;

OvBSTR OvSysAllocStringLen(const char16_t* text, std::uint32_t length);
void OvSysFreeString(OvBSTR text);
std::uint32_t OvSysStringLen(const char16_t* text);
}

namespace ov {

using BSTR = OvBSTR;

inline std::u16string_view bstrView(const char16_t* text) noexcept {
    return text ? std::u16string_view(text, OvSysStringLen(text)) : std::u16string_view();
}

// An owned BSTR.
class BStr {
public:
    BStr() noexcept = default;
    explicit BStr(std::u16string_view text)
        : p_(OvSysAllocStringLen(text.data(), static_cast<std::uint32_t>(text.size()))) {}
    BStr(const BStr& other) : BStr(other.view()) {}
    BStr(BStr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~BStr() { OvSysFreeString(p_); }
    BStr& operator=(BStr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    static BStr attach(BSTR p) noexcept {
        BStr r;
        r.p_ = p;
        return r;
    }
    BSTR detach() noexcept { return std::exchange(p_, nullptr); }
    // Address for an out-parameter; frees what was held.
    BSTR* put() noexcept {
        OvSysFreeString(std::exchange(p_, nullptr));
        return &p_;
    }

    // Address for an in/out parameter: the callee may free the text and put another.
    BSTR* inOut() noexcept { return &p_; }

    BSTR get() const noexcept { return p_; }
    std::u16string_view view() const noexcept { return bstrView(p_); }
    std::u16string str() const { return std::u16string(view()); }
    bool empty() const noexcept { return view().empty(); }

private:
    BSTR p_ = nullptr;
};

// UTF-8 <-> UTF-16 for the boundary's diagnostics (std::exception texts are UTF-8).
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

} // namespace ov
