#include "ov/ErrorInfo.h"

#include <optional>

namespace {
thread_local std::optional<std::u16string> pendingError;
}

extern "C" {

void OvSetErrorInfo(const char16_t* text, std::uint32_t length) {
    if (!text && length == 0)
        pendingError.reset();
    else
        pendingError.emplace(text, length);
}

ov::HRESULT OvGetErrorInfo(OvBSTR* text) {
    if (!text)
        return ov::E_POINTER;
    *text = nullptr;
    if (!pendingError)
        return ov::S_FALSE;
    *text = OvSysAllocStringLen(pendingError->data(), static_cast<std::uint32_t>(pendingError->size()));
    pendingError.reset();
    return ov::S_OK;
}
}
