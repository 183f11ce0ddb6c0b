#pragma once
// The whole syntax tree of a batch.

#include "tsql/syntax/AstDefinitions.h"

#include <string>

namespace tsql {

struct Batch {
    std::string text; // the batch as given; every SourceRange indexes into it
    StmtList statements;

    std::string_view textOf(SourceRange range) const {
        return std::string_view(text).substr(range.begin, range.size());
    }
};

} // namespace tsql
