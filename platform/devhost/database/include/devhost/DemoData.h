#pragma once
// The demo plant written into a fresh host database: cost centres, warehouses, workplaces,
// employees, stock items with units and serial-number settings, stock on storage locations,
// order series and production orders with routings, bar codes and bills of material.

#include "tsql/exec/Session.h"

#include <cstdint>

namespace devhost {

enum class DemoSize {
    Demo,      // a small plant: 30 employees, 50 released orders
    Benchmark, // the same plant scaled up: 300 employees, 5,000 released orders
};

// The numbers of rows the generator writes for a size.
struct DemoCounts {
    int employees = 0;
    int workplaces = 0;
    int releasedOrders = 0;
    int otherOrders = 0; // planned and finished orders beside the released ones
    int materials = 0;
    int products = 0;
};

DemoCounts demoCounts(DemoSize size);

// Writes the demo plant; the same seed gives the same rows on every platform. Needs the host
// schema and empty host tables (the identity values it relies on start at 1); throws
// std::runtime_error with the engine's first error message otherwise.
void loadDemoData(tsql::Session& session, DemoSize size, std::uint32_t seed = 1);

} // namespace devhost
