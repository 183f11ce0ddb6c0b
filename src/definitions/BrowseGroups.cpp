// The browse groups: sdNeniVidet lists its browses in no group.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

std::vector<TplgSoudekDef> soudky() {
    return {
        TplgSoudekDef{sdNeniVidet, {}},
        TplgSoudekDef{sdLCD, "Dilnoskop"},
    };
}

} // namespace provozmat
