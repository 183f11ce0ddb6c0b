#pragma once
// Compatibility levels as SQL Server numbers them (100 = SQL Server 2008), and the level at which
// SQL Server introduced a built-in function, so the binder can refuse it below that level.

#include <optional>
#include <string_view>

namespace tsql {

inline constexpr int kDefaultCompatibilityLevel = 100;

// 80, 90, 100, ... 160.
bool isValidCompatibilityLevel(int level) noexcept;

// The level that introduced the built-in function `name` (any case), or nullopt for functions
// present at every level this engine knows (or not built-ins at all).
std::optional<int> builtinFunctionLevel(std::string_view name) noexcept;

} // namespace tsql
