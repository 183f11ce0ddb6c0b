#pragma once
// SQL Server's data types as the engine knows them: the type, its length, precision and scale,
// its name as the server prints it and its place in the data-type precedence list.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsql {

enum class TypeId : std::uint8_t {
    Bit,
    TinyInt,
    SmallInt,
    Int,
    BigInt,
    Decimal,
    Numeric,
    Money,
    SmallMoney,
    Float,
    Real,
    DateTime,
    SmallDateTime,
    Date,
    Time,
    DateTime2,
    Char,
    VarChar,
    NChar,
    NVarChar,
    Text,
    NText,
    Binary,
    VarBinary,
    UniqueIdentifier,
};

// Where a type is written without its length: a declaration gives 1, CAST and CONVERT give 30.
enum class LengthDefault { Declaration, Cast };

struct DataType {
    static constexpr std::int32_t kMax = -1;              // the length of a (max) type
    static constexpr int kMaxPrecision = 38;              // decimal and numeric
    static constexpr std::int32_t kMaxCharLength = 8000;  // char, varchar, binary, varbinary
    static constexpr std::int32_t kMaxNCharLength = 4000; // nchar, nvarchar

    TypeId id = TypeId::Int;
    // Characters for character types (UTF-16 units for the Unicode ones), bytes for binary types,
    // kMax for (max); 0 for types without a length.
    std::int32_t length = 0;
    // Digits and digits after the point of exact numerics; integer types carry theirs too
    // (int is 10,0) so the decimal rules can treat them alike.
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;

    friend bool operator==(const DataType&, const DataType&) = default;

    static DataType of(TypeId id); // a type without parameters, with its fixed precision
    static DataType decimal(int precision, int scale);
    static DataType numeric(int precision, int scale);
    static DataType character(TypeId id,
                              std::int32_t length); // char, varchar, nchar, nvarchar, binary, varbinary
    static DataType varchar(std::int32_t length) { return character(TypeId::VarChar, length); }
    static DataType nvarchar(std::int32_t length) { return character(TypeId::NVarChar, length); }
    static DataType sysname() { return nvarchar(128); }

    // A type written in T-SQL: its name in any case and its parameters ("nvarchar", {30}).
    // nullopt for an unknown name; SqlError for parameters the server refuses.
    static std::optional<DataType> fromName(std::string_view name, const std::vector<int>& params,
                                            LengthDefault lengthDefault = LengthDefault::Declaration);

    // "nvarchar", "numeric", "datetime": the lower-case name SQL Server prints.
    std::string_view name() const;
    // The name with parameters: "nvarchar(30)", "numeric(19,6)", "varbinary(max)", "int".
    std::string fullName() const;

    // Higher is stronger: the lower one is converted to the higher one.
    int precedence() const;

    bool isMax() const { return length == kMax; }
    bool isInteger() const;      // tinyint, smallint, int, bigint
    bool isExactNumeric() const; // integers, bit, decimal, numeric, money, smallmoney
    bool isDecimal() const { return id == TypeId::Decimal || id == TypeId::Numeric; }
    bool isMoney() const { return id == TypeId::Money || id == TypeId::SmallMoney; }
    bool isApproximate() const { return id == TypeId::Float || id == TypeId::Real; }
    bool isNumeric() const { return isExactNumeric() || isApproximate(); }
    bool isCharacter() const; // char, varchar, nchar, nvarchar, text, ntext
    bool isUnicode() const { return id == TypeId::NChar || id == TypeId::NVarChar || id == TypeId::NText; }
    bool isLob() const { return id == TypeId::Text || id == TypeId::NText; }
    bool isBinary() const { return id == TypeId::Binary || id == TypeId::VarBinary; }
    bool isFixedLength() const { return id == TypeId::Char || id == TypeId::NChar || id == TypeId::Binary; }
    bool isDateTime() const; // datetime, smalldatetime, date, time, datetime2
    bool hasLength() const { return isBinary() || (isCharacter() && !isLob()); }
    // The longest length a non-max type of this kind may declare (8000 or 4000).
    std::int32_t maxDeclaredLength() const;
};

} // namespace tsql
