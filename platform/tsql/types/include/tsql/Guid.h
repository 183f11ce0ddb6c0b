#pragma once
// UNIQUEIDENTIFIER: 16 bytes in the order CAST(x AS binary(16)) shows them, which stores the first
// three groups of the text form little-endian. Text is printed in upper case without braces.

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tsql {

class Guid {
public:
    using Bytes = std::array<std::uint8_t, 16>;

    Guid() = default;
    explicit Guid(const Bytes& bytes) : bytes_(bytes) {}

    // "6F9619FF-8B86-D011-B42D-00C04FC964FF", with or without braces, any case, surrounding blanks
    // allowed; nullopt otherwise.
    static std::optional<Guid> parse(std::string_view text);
    // From binary: shorter input is padded with zeros, longer input cut to 16 bytes.
    static Guid fromBinary(std::string_view bytes);

    const Bytes& bytes() const { return bytes_; }
    std::string toBinary() const { return std::string(bytes_.begin(), bytes_.end()); }
    std::string toString() const;

    // The bytes permuted so that plain byte order sorts as the server sorts uniqueidentifiers
    // (bytes 10-15 first, then 8-9, 6-7, 4-5 and 0-3), and back.
    Bytes sortKey() const;
    static Guid fromSortKey(const Bytes& key);

    friend bool operator==(const Guid&, const Guid&) = default;
    friend std::strong_ordering operator<=>(const Guid& a, const Guid& b) {
        return a.sortKey() <=> b.sortKey();
    }

private:
    Bytes bytes_{};
};

} // namespace tsql
