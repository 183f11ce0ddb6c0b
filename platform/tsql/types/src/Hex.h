#pragma once
// Bytes as upper-case hexadecimal digits, as the server prints binary values.

#include <string>
#include <string_view>

namespace tsql::detail {

inline void appendHexByte(std::string& out, unsigned char b) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 0x0F]);
}

inline std::string hexText(std::string_view bytes, bool prefix) {
    std::string s = prefix ? "0x" : "";
    for (const char c : bytes)
        appendHexByte(s, static_cast<unsigned char>(c));
    return s;
}

} // namespace tsql::detail
