#include "ov/BStr.h"

#include <cstdlib>
#include <cstring>

extern "C" {

OvBSTR OvSysAllocStringLen(const char16_t* text, std::uint32_t length) {
    auto* block = static_cast<unsigned char*>(
        std::malloc(sizeof(std::uint32_t) + (std::size_t{length} + 1) * sizeof(char16_t)));
    if (!block)
        return nullptr;
    const std::uint32_t bytes = length * static_cast<std::uint32_t>(sizeof(char16_t));
    std::memcpy(block, &bytes, sizeof bytes);
    auto* chars = reinterpret_cast<char16_t*>(block + sizeof(std::uint32_t));
    if (text && length)
        std::memcpy(chars, text, bytes);
    else if (length)
        std::memset(chars, 0, bytes);
    chars[length] = u'\0';
    return chars;
}

void OvSysFreeString(OvBSTR text) {
    if (text)
        std::free(reinterpret_cast<unsigned char*>(text) - sizeof(std::uint32_t));
}

std::uint32_t OvSysStringLen(const char16_t* text) {
    if (!text)
        return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const unsigned char*>(text) - sizeof(std::uint32_t), sizeof bytes);
    return bytes / static_cast<std::uint32_t>(sizeof(char16_t));
}
}

namespace ov {

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        char32_t cp;
        std::size_t extra;
        if (c < 0x80) {
            cp = c;
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (i + extra >= text.size()) { // a sequence cut off at the end
            out.push_back(u'\uFFFD');
            break;
        }
        bool ok = true;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += extra + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace ov
