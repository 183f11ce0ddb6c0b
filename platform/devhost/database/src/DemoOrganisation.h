#pragma once
// Demo rows of the host's settings and organisation: global settings and users, document kinds,
// the cost-centre tree with its warehouses, workplaces, employees, cost circles, organisations.

#include "DemoContext.h"

namespace devhost::detail {

void writeHostSettings(DemoContext& demo);
void writeCostCentres(DemoContext& demo);
void writeWorkplaces(DemoContext& demo);
void writeEmployees(DemoContext& demo);

} // namespace devhost::detail
