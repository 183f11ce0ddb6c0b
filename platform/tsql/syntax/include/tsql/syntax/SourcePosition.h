#pragma once
// Where a token or a node of a T-SQL batch starts, and which bytes of the batch it covers.

#include <cstddef>
#include <cstdint>

namespace tsql {

struct SourcePos {
    std::uint32_t line = 1;   // 1-based; CR, LF and CR LF each end a line
    std::uint32_t column = 1; // 1-based, in code points from the start of the line
    std::size_t offset = 0;   // byte offset in the batch text
};

// Half-open byte range [begin, end) in the batch text.
struct SourceRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t size() const noexcept { return end - begin; }
};

} // namespace tsql
