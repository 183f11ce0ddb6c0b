// The action sets the plug-in adds to host browses.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

std::vector<TplgExtAkceDef> extAkce() {
    return {
        TplgExtAkceDef{},
        // The host's employee list.
        TplgExtAkceDef{.BrowseID = 86, .DMAkceClass = "TdmPlgTabCisZam"},
    };
}

} // namespace provozmat
