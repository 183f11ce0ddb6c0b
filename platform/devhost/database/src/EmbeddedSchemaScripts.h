#pragma once
// The schema scripts as the build embedded them, in file-name order.

#include <string_view>
#include <vector>

namespace devhost::detail {

struct EmbeddedScript {
    std::string_view fileName;
    std::string_view text;
};

const std::vector<EmbeddedScript>& embeddedSchemaScripts();

} // namespace devhost::detail
