// gui: the host's main window over a database.

#include "Commands.h"

#include <stdexcept>

namespace provozmathost {

int runGui(const CommandLine&, int, char**) {
    throw std::runtime_error("gui is not built yet");
}

} // namespace provozmathost
