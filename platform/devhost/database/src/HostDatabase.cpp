#include "devhost/HostDatabase.h"

namespace devhost {

void createHostDatabase(tsql::Session& session, DemoSize size, std::uint32_t seed) {
    runHostSchema(session);
    loadDemoData(session, size, seed);
}

} // namespace devhost
