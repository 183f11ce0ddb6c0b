#include "ServerTypes.h"

#include "tsql/binder/Names.h"

namespace tsql {

const std::vector<ServerType>& serverTypes() {
    static const std::vector<ServerType> types = {
        {"text", 35, 35, 16, 0, 0, TypeId::Text},
        {"uniqueidentifier", 36, 36, 16, 0, 0, TypeId::UniqueIdentifier},
        {"date", 40, 40, 3, 10, 0, TypeId::Date},
        {"time", 41, 41, 5, 16, 7, TypeId::Time},
        {"datetime2", 42, 42, 8, 27, 7, TypeId::DateTime2},
        {"tinyint", 48, 48, 1, 3, 0, TypeId::TinyInt},
        {"smallint", 52, 52, 2, 5, 0, TypeId::SmallInt},
        {"int", 56, 56, 4, 10, 0, TypeId::Int},
        {"smalldatetime", 58, 58, 4, 16, 0, TypeId::SmallDateTime},
        {"real", 59, 59, 4, 24, 0, TypeId::Real},
        {"money", 60, 60, 8, 19, 4, TypeId::Money},
        {"datetime", 61, 61, 8, 23, 3, TypeId::DateTime},
        {"float", 62, 62, 8, 53, 0, TypeId::Float},
        {"ntext", 99, 99, 16, 0, 0, TypeId::NText},
        {"bit", 104, 104, 1, 1, 0, TypeId::Bit},
        {"decimal", 106, 106, 17, 38, 38, TypeId::Decimal},
        {"numeric", 108, 108, 17, 38, 38, TypeId::Numeric},
        {"smallmoney", 122, 122, 4, 10, 4, TypeId::SmallMoney},
        {"bigint", 127, 127, 8, 19, 0, TypeId::BigInt},
        {"varbinary", 165, 165, 8000, 0, 0, TypeId::VarBinary},
        {"varchar", 167, 167, 8000, 0, 0, TypeId::VarChar},
        {"binary", 173, 173, 8000, 0, 0, TypeId::Binary},
        {"char", 175, 175, 8000, 0, 0, TypeId::Char},
        {"nvarchar", 231, 231, 8000, 0, 0, TypeId::NVarChar},
        {"nchar", 239, 239, 8000, 0, 0, TypeId::NChar},
        {"sysname", 231, 256, 256, 0, 0, std::nullopt},
    };
    return types;
}

const ServerType* serverTypeById(int userTypeId) {
    for (const ServerType& t : serverTypes())
        if (t.userTypeId == userTypeId)
            return &t;
    return nullptr;
}

const ServerType* serverTypeByName(std::string_view name) {
    const std::string folded = foldName(name);
    for (const ServerType& t : serverTypes())
        if (foldName(t.name) == folded)
            return &t;
    return nullptr;
}

namespace {

const ServerType& baseType(TypeId id) {
    for (const ServerType& t : serverTypes())
        if (t.engineType == id)
            return t;
    return *serverTypeById(56);
}

int decimalBytes(int precision) {
    return precision <= 9 ? 5 : precision <= 19 ? 9 : precision <= 28 ? 13 : 17;
}

} // namespace

ColumnFacts columnFacts(const DataType& type) {
    const ServerType& base = baseType(type.id);
    ColumnFacts f{base.systemTypeId, base.maxLength, base.precision, base.scale,   base.precision, base.scale,
                  std::nullopt,      std::nullopt,   std::nullopt,   std::nullopt, std::nullopt};
    if (type.isLob()) {
        f.precision = f.scale = 0;
        f.legacyPrecision = type.isUnicode() ? 1073741823 : 2147483647;
        f.legacyScale = std::nullopt;
        f.characterLength = f.legacyPrecision;
        return f;
    }
    if (type.hasLength()) {
        const bool wide = type.isUnicode();
        f.maxLength = type.isMax() ? -1 : type.length * (wide ? 2 : 1);
        f.precision = f.scale = 0;
        f.legacyPrecision = type.isMax() ? -1 : type.length;
        f.legacyScale = std::nullopt;
        if (type.isCharacter())
            f.characterLength = f.legacyPrecision;
        return f;
    }
    if (type.id == TypeId::UniqueIdentifier) {
        f.legacyPrecision = 36;
        f.legacyScale = std::nullopt;
        return f;
    }
    if (type.isDecimal()) {
        f.maxLength = decimalBytes(type.precision);
        f.precision = f.legacyPrecision = type.precision;
        f.scale = type.scale;
        f.legacyScale = type.scale;
    }
    if (type.isNumeric() && type.id != TypeId::Bit) {
        f.numericPrecision = f.precision;
        f.numericRadix = type.isApproximate() ? 2 : 10;
        if (!type.isApproximate())
            f.numericScale = f.scale;
    }
    // time and datetime2 report their default 7 fractional digits (sys.types): the engine keeps no other.
    if (type.isDateTime())
        f.datetimePrecision = type.id == TypeId::DateTime ? 3 : f.scale;
    return f;
}

} // namespace tsql
