#pragma once
// A 128-bit interface or class identifier, laid out as the COM GUID structure.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ov {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    friend constexpr bool operator==(const Guid&, const Guid&) = default;

    constexpr bool isNull() const noexcept { return *this == Guid{}; }

    // Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", with or without the braces, any case.
    static constexpr std::optional<Guid> parse(std::string_view text) noexcept;

    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
    std::string toString() const;
};

namespace detail {
constexpr int hexValue(char c) noexcept {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace detail

constexpr std::optional<Guid> Guid::parse(std::string_view text) noexcept {
    if (text.size() == 38) {
        if (text.front() != '{' || text.back() != '}')
            return std::nullopt;
        text = text.substr(1, 36);
    }
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return std::nullopt;
    std::array<std::uint8_t, 16> bytes{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '-') {
            ++i;
            continue;
        }
        const int hi = detail::hexValue(text[i]);
        const int lo = i + 1 < text.size() ? detail::hexValue(text[i + 1]) : -1;
        if (hi < 0 || lo < 0)
            return std::nullopt;
        bytes[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
        i += 2;
    }
    Guid g;
    g.data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
              (std::uint32_t{bytes[2]} << 8) | bytes[3];
    g.data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    g.data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (std::size_t i = 0; i < 8; ++i)
        g.data4[i] = bytes[8 + i];
    return g;
}

// A GUID from a literal known at compile time; a malformed literal does not compile.
consteval Guid guid(std::string_view text) {
    const auto g = Guid::parse(text);
    if (!g)
        throw "malformed GUID literal";
    return *g;
}

} // namespace ov
