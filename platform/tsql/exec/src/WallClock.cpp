#include "WallClock.h"

#include <ctime>

namespace tsql {

DateTime wallClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    CivilDateTime c{
        local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0};
    return *DateTime::fromCivil(c);
}

} // namespace tsql
