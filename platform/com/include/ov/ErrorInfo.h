#pragma once
// The error text that goes with a failing result. As with COM's error object, the callee sets
// it just before returning a failure and the caller takes it right after; it is per thread and
// shared by every module of the process through the runtime library.

#include "ov/BStr.h"
#include "ov/HResult.h"

#include <exception>
#include <string>
#include <string_view>

extern "C" {
// Sets the thread's error text (a null text with length 0 clears it).
void OvSetErrorInfo(const char16_t* text, std::uint32_t length);
// Hands over the thread's error text and clears it; S_FALSE and a null BSTR when there is none.
ov::HRESULT OvGetErrorInfo(OvBSTR* text);
}

namespace ov {

inline void setErrorText(std::u16string_view text) {
    OvSetErrorInfo(text.data(), static_cast<std::uint32_t>(text.size()));
}
inline void clearErrorText() {
    OvSetErrorInfo(nullptr, 0);
}

// The pending error text, or empty; clears it.
inline std::u16string takeErrorText() {
    BSTR text = nullptr;
    OvGetErrorInfo(&text);
    return BStr::attach(text).str();
}

// Returns a failure with its text set, for a callee.
inline HRESULT fail(std::u16string_view text, HRESULT hr = E_FAIL) {
    setErrorText(text);
    return hr;
}

// Runs body; an escaping exception becomes E_FAIL with its text (std::exception texts are UTF-8).
template <class Body> HRESULT guarded(Body&& body) noexcept {
    try {
        clearErrorText();
        return body();
    } catch (const std::exception& e) {
        return fail(utf8ToUtf16(e.what()));
    } catch (...) {
        return fail(u"Unknown error");
    }
}

} // namespace ov
