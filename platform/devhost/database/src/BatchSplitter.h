#pragma once
// Splits a script into its batches at lines that hold only GO (any case, blanks around it).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace devhost::detail {

struct ScriptBatch {
    std::uint32_t firstLine = 1;
    std::string text;
};

// Batches holding only blanks and comment lines are dropped.
std::vector<ScriptBatch> splitBatches(std::string_view script);

} // namespace devhost::detail
