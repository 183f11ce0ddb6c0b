#pragma once
// A data type as one integer, so that generated SQL can hand the type of a value to the engine's
// functions as a literal.

#include "tsql/DataType.h"

#include <cstdint>

namespace tsql {

constexpr std::int64_t typeCode(const DataType& t) {
    return static_cast<std::int64_t>(t.id) | (static_cast<std::int64_t>(t.precision) << 8) |
           (static_cast<std::int64_t>(t.scale) << 16) | (static_cast<std::int64_t>(t.length + 1) << 24);
}

constexpr DataType typeFromCode(std::int64_t code) {
    DataType t;
    t.id = static_cast<TypeId>(code & 0xff);
    t.precision = static_cast<std::uint8_t>((code >> 8) & 0xff);
    t.scale = static_cast<std::uint8_t>((code >> 16) & 0xff);
    t.length = static_cast<std::int32_t>((code >> 24) - 1);
    return t;
}

} // namespace tsql
