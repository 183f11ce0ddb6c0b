#pragma once
// HRESULT-style results: negative values are failures. The values are those of COM, so that
// a host and its modules agree on them without further translation.

#include <cstdint>

namespace ov {

using HRESULT = std::int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);

constexpr bool succeeded(HRESULT hr) noexcept {
    return hr >= 0;
}
constexpr bool failed(HRESULT hr) noexcept {
    return hr < 0;
}

// Boolean as the host passes it: -1 for true, 0 for false.
using WordBool = std::int16_t;
inline constexpr WordBool VARIANT_TRUE = -1;
inline constexpr WordBool VARIANT_FALSE = 0;

constexpr WordBool toWordBool(bool value) noexcept {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}
constexpr bool fromWordBool(WordBool value) noexcept {
    return value != 0;
}

} // namespace ov
