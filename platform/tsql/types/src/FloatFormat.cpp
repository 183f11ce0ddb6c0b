#include "tsql/FloatFormat.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace tsql {

namespace {
template <typename T> std::string shortest(T v) {
    std::array<char, 64> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    std::string s(buf.data(), r.ptr);
    return s == "-0" ? "0" : s;
}
} // namespace

std::string shortestFloatText(double v) {
    return shortest(v);
}

std::string shortestRealText(float v) {
    return shortest(v);
}

std::string floatStyle0Text(double v) {
    std::array<char, 64> buf{};
    std::snprintf(buf.data(), buf.size(), "%.6g", v);
    std::string s(buf.data());
    if (s == "-0")
        return "0";
    const std::size_t e = s.find('e');
    if (e == std::string::npos)
        return s;
    // Three exponent digits, as the server prints them.
    const char sign = s[e + 1];
    const int exponent = std::atoi(s.c_str() + e + 2);
    std::array<char, 8> exp{};
    std::snprintf(exp.data(), exp.size(), "%03d", exponent);
    return s.substr(0, e + 1) + sign + exp.data();
}

} // namespace tsql
