#pragma once
// Text forms of float and real values.

#include <string>

namespace tsql {

// The shortest text that reads back as the same double: "0.1", "2.5", "1e+20".
std::string shortestFloatText(double v);
// The shortest text that reads back as the same float (for real).
std::string shortestRealText(float v);
// CONVERT(varchar, float) without a style: at most six significant digits, scientific notation
// with a three-digit exponent when needed ("1.23457e+006").
std::string floatStyle0Text(double v);

} // namespace tsql
