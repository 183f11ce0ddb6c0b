#include "tsql/Guid.h"

#include "Hex.h"

#include <cctype>
#include <charconv>

namespace tsql {

namespace {

// Two hexadecimal digits as a byte.
std::optional<std::uint8_t> hexByte(std::string_view two) {
    if (!std::isxdigit(static_cast<unsigned char>(two[0])) ||
        !std::isxdigit(static_cast<unsigned char>(two[1])))
        return std::nullopt;
    unsigned value = 0;
    std::from_chars(two.data(), two.data() + 2, value, 16);
    return static_cast<std::uint8_t>(value);
}

// Position in the byte array of each byte of the text form, in text order.
constexpr std::array<int, 16> kTextOrder{3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
// Position in the byte array of each byte of the sort key, most significant first.
constexpr std::array<int, 16> kSortOrder{10, 11, 12, 13, 14, 15, 8, 9, 6, 7, 4, 5, 0, 1, 2, 3};

} // namespace

std::optional<Guid> Guid::parse(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.size() == 38) {
        if (text.front() != '{' || text.back() != '}')
            return std::nullopt;
        text = text.substr(1, 36);
    }
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return std::nullopt;
    Bytes bytes{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23)
            continue;
        const auto byte = hexByte(text.substr(i, 2));
        if (!byte)
            return std::nullopt;
        bytes.at(static_cast<std::size_t>(kTextOrder.at(n++))) = *byte;
        ++i;
    }
    return Guid(bytes);
}

Guid Guid::fromBinary(std::string_view bytes) {
    Bytes b{};
    for (std::size_t i = 0; i < b.size() && i < bytes.size(); ++i)
        b.at(i) = static_cast<std::uint8_t>(bytes[i]);
    return Guid(b);
}

std::string Guid::toString() const {
    std::string s;
    s.reserve(36);
    for (std::size_t n = 0; n < 16; ++n) {
        if (n == 4 || n == 6 || n == 8 || n == 10)
            s.push_back('-');
        detail::appendHexByte(s, bytes_.at(static_cast<std::size_t>(kTextOrder.at(n))));
    }
    return s;
}

Guid::Bytes Guid::sortKey() const {
    Bytes key{};
    for (std::size_t i = 0; i < key.size(); ++i)
        key.at(i) = bytes_.at(static_cast<std::size_t>(kSortOrder.at(i)));
    return key;
}

Guid Guid::fromSortKey(const Bytes& key) {
    Bytes b{};
    for (std::size_t i = 0; i < key.size(); ++i)
        b.at(static_cast<std::size_t>(kSortOrder.at(i))) = key.at(i);
    return Guid(b);
}

} // namespace tsql
