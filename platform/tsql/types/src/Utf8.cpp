#include "tsql/Utf8.h"

#include <unicode/ustring.h>

namespace tsql::detail {

namespace {
// Length of the UTF-8 sequence that starts with byte b; invalid lead bytes count as one.
std::size_t sequenceLength(unsigned char b) {
    if (b < 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0)
        return 2;
    if ((b & 0xF0) == 0xE0)
        return 3;
    if ((b & 0xF8) == 0xF0)
        return 4;
    return 1;
}
} // namespace

std::size_t countCodePoints(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += sequenceLength(static_cast<unsigned char>(s[i])))
        ++n;
    return n;
}

std::size_t countUtf16Units(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = sequenceLength(static_cast<unsigned char>(s[i]));
        n += len == 4 ? 2 : 1;
        i += len;
    }
    return n;
}

std::string_view prefixOfLength(std::string_view s, std::size_t units, bool unicode) {
    std::size_t n = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t len = sequenceLength(static_cast<unsigned char>(s[i]));
        const std::size_t w = (unicode && len == 4) ? 2 : 1;
        if (n + w > units)
            break;
        n += w;
        i += len;
    }
    return s.substr(0, i > s.size() ? s.size() : i);
}

std::u16string toUtf16(std::string_view s) {
    // Invalid sequences become U+FFFD rather than failing the conversion.
    std::u16string out(s.size(), u'\0');
    int32_t length = 0;
    int32_t substitutions = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &length,
                         s.data(), static_cast<int32_t>(s.size()), 0xFFFD, &substitutions, &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

std::string toUtf8(std::u16string_view s) {
    std::string out(s.size() * 3, '\0');
    int32_t length = 0;
    int32_t substitutions = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                       reinterpret_cast<const UChar*>(s.data()), static_cast<int32_t>(s.size()), 0xFFFD,
                       &substitutions, &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

} // namespace tsql::detail
