#include "tsql/Value.h"

#include "Hex.h"
#include "tsql/Utf8.h"
#include "tsql/FloatFormat.h"

namespace tsql {

Value Value::null(const DataType& type) {
    return Value(type, std::monostate{});
}

Value Value::bit(bool v) {
    return Value(DataType::of(TypeId::Bit), v);
}

Value Value::integer(std::int64_t v, TypeId type) {
    return Value(DataType::of(type), v);
}

Value Value::decimal(const Decimal& v, const DataType& type) {
    return Value(type, v);
}

Value Value::floating(double v, TypeId type) {
    return Value(DataType::of(type), v);
}

Value Value::dateTime(const DateTime& v, TypeId type) {
    return Value(DataType::of(type), v);
}

Value Value::text(std::string v, const DataType& type) {
    return Value(type, std::move(v));
}

Value Value::varchar(std::string v) {
    const auto n = static_cast<std::int32_t>(detail::countCodePoints(v));
    return text(std::move(v),
                DataType::varchar(n > DataType::kMaxCharLength ? DataType::kMax : std::max(n, 1)));
}

Value Value::nvarchar(std::string v) {
    const auto n = static_cast<std::int32_t>(detail::countUtf16Units(v));
    return text(std::move(v),
                DataType::nvarchar(n > DataType::kMaxNCharLength ? DataType::kMax : std::max(n, 1)));
}

Value Value::binary(std::string bytes, const DataType& type) {
    return Value(type, std::move(bytes));
}

Value Value::guid(const Guid& v) {
    return Value(DataType::of(TypeId::UniqueIdentifier), v);
}

std::string Value::toDisplayString() const {
    struct Visitor {
        const DataType& type;
        std::string operator()(std::monostate) const { return "<NULL>"; }
        std::string operator()(bool v) const { return v ? "1" : "0"; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(const Decimal& v) const { return v.toString(); }
        std::string operator()(double v) const {
            return type.id == TypeId::Real ? shortestRealText(static_cast<float>(v)) : shortestFloatText(v);
        }
        std::string operator()(const DateTime& v) const { return v.toShellString(); }
        std::string operator()(const std::string& v) const {
            if (!type.isBinary())
                return v;
            return detail::hexText(v, true);
        }
        std::string operator()(const Guid& v) const { return v.toString(); }
    };
    return std::visit(Visitor{type_}, data_);
}

} // namespace tsql
