#include "devhost/DemoData.h"

#include "DemoContext.h"
#include "DemoOrganisation.h"
#include "DemoProduction.h"
#include "DemoStock.h"

namespace devhost {

DemoCounts demoCounts(DemoSize size) {
    if (size == DemoSize::Benchmark)
        return DemoCounts{.employees = 300,
                          .workplaces = 40,
                          .releasedOrders = 5000,
                          .otherOrders = 50,
                          .materials = 100,
                          .products = 50};
    return DemoCounts{.employees = 30,
                      .workplaces = 14,
                      .releasedOrders = 50,
                      .otherOrders = 5,
                      .materials = 20,
                      .products = 10};
}

void loadDemoData(tsql::Session& session, DemoSize size, std::uint32_t seed) {
    detail::DemoContext demo(session, size, seed);
    detail::writeHostSettings(demo);
    detail::writeCostCentres(demo);
    detail::writeWorkplaces(demo);
    detail::writeEmployees(demo);
    detail::writeItems(demo);
    detail::writeStock(demo);
    detail::writeDrawings(demo);
    detail::writeSeriesAndJobs(demo);
    detail::writeOrders(demo);
    detail::writeCapacityPlans(demo);
}

} // namespace devhost
