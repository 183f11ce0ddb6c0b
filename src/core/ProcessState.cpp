#include "core/ProcessState.h"

namespace provozmat {

PluginProcessState& pluginProcessState() {
    static PluginProcessState state;
    return state;
}

} // namespace provozmat
