#pragma once
// What the demo-data steps share: the session, the size, a portable random source and the IDs
// and codes the earlier steps wrote, which the later ones refer to.

#include "devhost/DemoData.h"

#include "tsql/DateTime.h"
#include "tsql/Value.h"
#include "tsql/exec/Session.h"

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace devhost::detail {

// std::mt19937 gives the same sequence everywhere; the standard distributions do not, so the
// ranges are cut from its raw output here.
class DemoRandom {
public:
    explicit DemoRandom(std::uint32_t seed) : engine_(seed) {}
    int between(int low, int high) {
        return low + static_cast<int>(engine_() % static_cast<std::uint32_t>(high - low + 1));
    }
    bool percent(int p) { return between(1, 100) <= p; }
    template <typename T> const T& pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(between(0, static_cast<int>(from.size()) - 1))];
    }

private:
    std::mt19937 engine_;
};

struct DemoItem {
    std::int32_t id = 0;
    std::string group; // SkupZbo
    std::string regCis;
    std::string name;
    std::string unit;
    char serialCheck = 'N'; // KontrolaVyrC: 'A' or 'B' tracked by serial number
    bool overhead = false;  // consumed as overhead material (paint, wire)
    bool blocked = false;
    bool serialTracked() const { return serialCheck == 'A' || serialCheck == 'B'; }
    bool countedInPieces() const { return unit == "ks"; }
};

struct DemoWorkplace {
    std::int32_t id = 0;
    std::string code;
    std::string costCentre;
    bool blocked = false;
};

struct DemoPlant {
    std::vector<std::string> productionCentres; // cost centres with document series
    std::vector<DemoWorkplace> workplaces;
    std::vector<std::int32_t> employees;
    std::vector<DemoItem> materials;
    std::vector<DemoItem> parts; // semi-products and products made by orders
    std::map<std::pair<std::string, std::int32_t>, std::int32_t> stockCards; // (warehouse, item) -> ID
    std::map<std::int32_t, int> nextSerial;                                  // item -> next sequence number
    std::int32_t stockSerialRows = 0;                                        // TabVyrCS rows written so far
    std::int32_t validDeviation = 0;
    std::int32_t invalidDeviation = 0;
    std::vector<std::int32_t> jobs;
    std::vector<std::int32_t> plans;
};

struct DemoContext {
    DemoContext(tsql::Session& s, DemoSize demoSize, std::uint32_t seed)
        : session(s), size(demoSize), counts(demoCounts(demoSize)), random(seed) {}
    tsql::Session& session;
    DemoSize size;
    DemoCounts counts;
    DemoRandom random;
    DemoPlant plant;

    // The serial number an item gets next: its registration number and nine digits.
    std::string takeSerialNumber(const DemoItem& item);
};

// Warehouses of the plant (nodes of the cost-centre tree).
inline constexpr const char* kMaterialWarehouse = "001";
inline constexpr const char* kProductWarehouse = "002";
inline constexpr const char* kNonconformingWarehouse = "003";

// Values as the generator writes them.
tsql::Value text(const std::string& v);
tsql::Value integer(std::int64_t v);
tsql::Value flag(bool v);
tsql::Value none();
// A quantity given in thousandths.
tsql::Value quantity(std::int64_t thousandths);
// The demo's clock: days and minutes after Monday 3 August 2026, 06:00.
tsql::DateTime demoTime(int days, int minutes = 0);
tsql::Value at(int days, int minutes = 0);

std::string zeroPadded(std::int64_t v, int width);

} // namespace devhost::detail
