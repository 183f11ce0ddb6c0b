#include "WideInt.h"

namespace tsql::detail {

UInt128 pow10u128(int n) {
    static const std::array<UInt128, 39> table = [] {
        std::array<UInt128, 39> t{};
        t[0] = 1;
        for (std::size_t i = 1; i < t.size(); ++i)
            t[i] = t[i - 1] * 10;
        return t;
    }();
    return table.at(static_cast<std::size_t>(n));
}

UInt256 multiply(UInt128 a, UInt128 b) {
    const std::uint64_t a0 = static_cast<std::uint64_t>(a), a1 = static_cast<std::uint64_t>(a >> 64);
    const std::uint64_t b0 = static_cast<std::uint64_t>(b), b1 = static_cast<std::uint64_t>(b >> 64);
    UInt256 r;
    const UInt128 p00 = static_cast<UInt128>(a0) * b0;
    const UInt128 p01 = static_cast<UInt128>(a0) * b1;
    const UInt128 p10 = static_cast<UInt128>(a1) * b0;
    const UInt128 p11 = static_cast<UInt128>(a1) * b1;
    r.limb[0] = static_cast<std::uint64_t>(p00);
    UInt128 mid = (p00 >> 64) + static_cast<std::uint64_t>(p01) + static_cast<std::uint64_t>(p10);
    r.limb[1] = static_cast<std::uint64_t>(mid);
    UInt128 high = (mid >> 64) + (p01 >> 64) + (p10 >> 64) + p11;
    r.limb[2] = static_cast<std::uint64_t>(high);
    r.limb[3] = static_cast<std::uint64_t>(high >> 64);
    return r;
}

bool multiplySmall(UInt256& a, std::uint64_t m) {
    UInt128 carry = 0;
    for (auto& l : a.limb) {
        const UInt128 p = static_cast<UInt128>(l) * m + carry;
        l = static_cast<std::uint64_t>(p);
        carry = p >> 64;
    }
    return carry == 0;
}

bool add(UInt256& a, const UInt256& b) {
    UInt128 carry = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const UInt128 s = static_cast<UInt128>(a.limb[i]) + b.limb[i] + carry;
        a.limb[i] = static_cast<std::uint64_t>(s);
        carry = s >> 64;
    }
    return carry == 0;
}

void subtract(UInt256& a, const UInt256& b) {
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint64_t bi = b.limb[i];
        const std::uint64_t d = a.limb[i] - bi - borrow;
        borrow = (a.limb[i] < bi || (a.limb[i] == bi && borrow)) ? 1 : 0;
        a.limb[i] = d;
    }
}

std::uint64_t divideSmall(UInt256& a, std::uint64_t d) {
    UInt128 rem = 0;
    for (int i = 3; i >= 0; --i) {
        const UInt128 cur = (rem << 64) | a.limb[static_cast<std::size_t>(i)];
        a.limb[static_cast<std::size_t>(i)] = static_cast<std::uint64_t>(cur / d);
        rem = cur % d;
    }
    return static_cast<std::uint64_t>(rem);
}

namespace {
void shiftLeft1(UInt256& a) {
    for (int i = 3; i > 0; --i)
        a.limb[static_cast<std::size_t>(i)] =
            (a.limb[static_cast<std::size_t>(i)] << 1) | (a.limb[static_cast<std::size_t>(i - 1)] >> 63);
    a.limb[0] <<= 1;
}
} // namespace

UInt256 divide(const UInt256& a, const UInt256& b) {
    if (b.limb[1] == 0 && b.limb[2] == 0 && b.limb[3] == 0) {
        UInt256 q = a;
        divideSmall(q, b.limb[0]);
        return q;
    }
    UInt256 q, r;
    for (int bit = 255; bit >= 0; --bit) {
        shiftLeft1(r);
        r.limb[0] |= (a.limb[static_cast<std::size_t>(bit / 64)] >> (bit % 64)) & 1U;
        if (compare(r, b) >= 0) {
            subtract(r, b);
            q.limb[static_cast<std::size_t>(bit / 64)] |= std::uint64_t{1} << (bit % 64);
        }
    }
    return q;
}

bool multiplyPow10(UInt256& a, int n) {
    while (n > 0) {
        const int step = n > 19 ? 19 : n;
        if (!multiplySmall(a, static_cast<std::uint64_t>(pow10u128(step))))
            return false;
        n -= step;
    }
    return true;
}

void dropDigits(UInt256& a, int n, bool round) {
    if (n <= 0)
        return;
    // All digits but the last dropped one go at once; that last digit decides the rounding.
    int rest = n - 1;
    while (rest > 0) {
        const int step = rest > 19 ? 19 : rest;
        divideSmall(a, static_cast<std::uint64_t>(pow10u128(step)));
        rest -= step;
    }
    const std::uint64_t digit = divideSmall(a, 10);
    if (round && digit >= 5)
        add(a, UInt256::from(1));
}

} // namespace tsql::detail
