#include "CodePage.h"

#include "tsql/Utf8.h"
#include "tsql/SqlError.h"

#include <unicode/ucnv.h>

#include <memory>

namespace tsql::detail {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// One converter per thread: ICU converters keep state and must not be shared.
UConverter* windows1250() {
    thread_local std::unique_ptr<UConverter, ConverterCloser> converter = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UConverter, ConverterCloser> c(ucnv_open("windows-1250", &status));
        if (U_FAILURE(status))
            throw SqlError(2775, 16, 1, "The code page 1250 is not supported by the server.");
        // Characters the code page lacks become '?', as the server stores them.
        status = U_ZERO_ERROR;
        ucnv_setSubstChars(c.get(), "?", 1, &status);
        return c;
    }();
    return converter.get();
}

} // namespace

std::string encodeCodePage(std::string_view utf8) {
    const std::u16string text = toUtf16(utf8);
    std::string out(text.size() * 2 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(windows1250(), out.data(), static_cast<int32_t>(out.size()),
                                      reinterpret_cast<const UChar*>(text.data()),
                                      static_cast<int32_t>(text.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::string decodeCodePage(std::string_view bytes) {
    std::u16string text(bytes.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n =
        ucnv_toUChars(windows1250(), reinterpret_cast<UChar*>(text.data()), static_cast<int32_t>(text.size()),
                      bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    text.resize(U_SUCCESS(status) ? static_cast<std::size_t>(n) : 0);
    return toUtf8(text);
}

std::string toCodePageRepertoire(std::string_view utf8) {
    bool ascii = true;
    for (const char c : utf8)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    return ascii ? std::string(utf8) : decodeCodePage(encodeCodePage(utf8));
}

std::string encodeUtf16Le(std::string_view utf8) {
    const std::u16string text = toUtf16(utf8);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

std::string decodeUtf16Le(std::string_view bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return toUtf8(text);
}

} // namespace tsql::detail
