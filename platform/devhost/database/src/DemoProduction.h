#pragma once
// Demo rows of production: order series with the terminal's attributes, jobs and plans,
// deviations, production orders with routings, bar codes, bills of material, item rows and serial
// numbers, and the capacity plans that assign operations to workers.

#include "DemoContext.h"

namespace devhost::detail {

void writeSeriesAndJobs(DemoContext& demo);
void writeOrders(DemoContext& demo);
void writeCapacityPlans(DemoContext& demo);

} // namespace devhost::detail
