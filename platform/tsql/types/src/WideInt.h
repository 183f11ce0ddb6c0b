#pragma once
// Unsigned 128- and 256-bit integers for the exact decimal: products of two 38-digit mantissas
// and scaled dividends need up to 77 digits before they are rounded back to a result type.

#include <array>
#include <cstdint>

namespace tsql::detail {

__extension__ using UInt128 = unsigned __int128;
__extension__ using Int128 = __int128;

// 10^n for n in 0..38.
UInt128 pow10u128(int n);

struct UInt256 {
    // Little-endian 64-bit limbs.
    std::array<std::uint64_t, 4> limb{};

    static UInt256 from(UInt128 v) {
        UInt256 r;
        r.limb[0] = static_cast<std::uint64_t>(v);
        r.limb[1] = static_cast<std::uint64_t>(v >> 64);
        return r;
    }

    bool isZero() const { return (limb[0] | limb[1] | limb[2] | limb[3]) == 0; }
    bool fitsU128() const { return limb[2] == 0 && limb[3] == 0; }
    UInt128 low128() const { return (static_cast<UInt128>(limb[1]) << 64) | limb[0]; }

    friend int compare(const UInt256& a, const UInt256& b) {
        for (int i = 3; i >= 0; --i) {
            if (a.limb[i] != b.limb[i])
                return a.limb[i] < b.limb[i] ? -1 : 1;
        }
        return 0;
    }
};

UInt256 multiply(UInt128 a, UInt128 b);
// a * m; false when the product does not fit 256 bits.
bool multiplySmall(UInt256& a, std::uint64_t m);
bool add(UInt256& a, const UInt256& b);
void subtract(UInt256& a, const UInt256& b);
// Divides in place by d and returns the remainder.
std::uint64_t divideSmall(UInt256& a, std::uint64_t d);
// Quotient of a / b (b != 0), truncated.
UInt256 divide(const UInt256& a, const UInt256& b);
// a * 10^n; false on overflow of 256 bits.
bool multiplyPow10(UInt256& a, int n);
// Drops n decimal digits, rounding half away from zero when round is set, truncating otherwise.
void dropDigits(UInt256& a, int n, bool round);

} // namespace tsql::detail
