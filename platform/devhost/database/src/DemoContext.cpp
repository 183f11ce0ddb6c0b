#include "DemoContext.h"

namespace devhost::detail {

std::string DemoContext::takeSerialNumber(const DemoItem& item) {
    int& next = plant.nextSerial[item.id];
    if (next == 0)
        next = 1;
    return item.regCis + zeroPadded(next++, 9);
}

tsql::Value text(const std::string& v) {
    return tsql::Value::nvarchar(v);
}
tsql::Value integer(std::int64_t v) {
    return tsql::Value::integer(v);
}
tsql::Value flag(bool v) {
    return tsql::Value::bit(v);
}
tsql::Value none() {
    return tsql::Value();
}

tsql::Value quantity(std::int64_t thousandths) {
    return tsql::Value::decimal(tsql::Decimal(thousandths, 3), tsql::DataType::numeric(19, 3));
}

tsql::DateTime demoTime(int days, int minutes) {
    const auto start = tsql::DateTime::fromCivil(tsql::CivilDateTime{2026, 8, 3, 6, 0, 0, 0});
    return start->add(tsql::DatePart::Day, days).add(tsql::DatePart::Minute, minutes);
}

tsql::Value at(int days, int minutes) {
    return tsql::Value::dateTime(demoTime(days, minutes));
}

std::string zeroPadded(std::int64_t v, int width) {
    std::string digits = std::to_string(v);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

} // namespace devhost::detail
