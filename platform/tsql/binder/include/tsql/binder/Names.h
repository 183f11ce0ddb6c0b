#pragma once
// Identifiers and variable names compare without regard to case.

#include <string>
#include <string_view>

namespace tsql {

// The name in upper case (ASCII letters), the form names are compared and looked up in.
std::string foldName(std::string_view name);

} // namespace tsql
