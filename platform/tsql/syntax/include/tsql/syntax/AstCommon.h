#pragma once
// Pieces shared by every kind of node: names, multi-part object names and type names as written.

#include "tsql/syntax/SourcePosition.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

struct Identifier {
    std::string name;    // without brackets or quotes, ]] and "" undone
    bool quoted = false; // written as [name] or "name"
    SourcePos pos;
};

// server.database.schema.object (or, for a column, up to one more part). Parts left out in the middle,
// as in `db..table`, are present with an empty name.
struct ObjectName {
    std::vector<Identifier> parts;
    SourcePos pos;

    bool empty() const noexcept { return parts.empty(); }
    const std::string& last() const { return parts.back().name; }
    // The parts joined with '.', each as its name (empty parts stay empty: "db..t").
    std::string toString() const;
};

// A data type as written: name, optional (length | precision[, scale] | MAX).
struct TypeName {
    std::string schema;                 // empty unless written as schema.type
    std::string name;                   // as written, e.g. "NVarchar"
    std::optional<std::int64_t> length; // length or precision
    std::optional<std::int64_t> scale;
    bool isMax = false;
    SourcePos pos;
};

} // namespace tsql
