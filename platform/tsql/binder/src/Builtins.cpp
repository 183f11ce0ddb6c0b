#include "tsql/binder/Builtins.h"

#include "tsql/SqlError.h"
#include "tsql/TypeRules.h"
#include "tsql/binder/Names.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tsql {

namespace {

constexpr std::array<BuiltinInfo, 60> kBuiltins = {{
    {BuiltinId::Len, "LEN", 1, 1},
    {BuiltinId::DataLength, "DATALENGTH", 1, 1},
    {BuiltinId::Left, "LEFT", 2, 2},
    {BuiltinId::Right, "RIGHT", 2, 2},
    {BuiltinId::Substring, "SUBSTRING", 3, 3},
    {BuiltinId::Replace, "REPLACE", 3, 3},
    {BuiltinId::Replicate, "REPLICATE", 2, 2},
    {BuiltinId::LTrim, "LTRIM", 1, 1},
    {BuiltinId::RTrim, "RTRIM", 1, 1},
    {BuiltinId::Trim, "TRIM", 1, 1},
    {BuiltinId::Upper, "UPPER", 1, 1},
    {BuiltinId::Lower, "LOWER", 1, 1},
    {BuiltinId::CharIndex, "CHARINDEX", 2, 3},
    {BuiltinId::PatIndex, "PATINDEX", 2, 2},
    {BuiltinId::NChar, "NCHAR", 1, 1},
    {BuiltinId::Char, "CHAR", 1, 1},
    {BuiltinId::Ascii, "ASCII", 1, 1},
    {BuiltinId::Unicode, "UNICODE", 1, 1},
    {BuiltinId::Space, "SPACE", 1, 1},
    {BuiltinId::Stuff, "STUFF", 4, 4},
    {BuiltinId::Reverse, "REVERSE", 1, 1},
    {BuiltinId::Str, "STR", 1, 3},
    {BuiltinId::QuoteName, "QUOTENAME", 1, 2},
    {BuiltinId::Concat, "CONCAT", 2, 254},
    {BuiltinId::IsNumeric, "ISNUMERIC", 1, 1},
    {BuiltinId::NullIf, "NULLIF", 2, 2},
    {BuiltinId::Abs, "ABS", 1, 1},
    {BuiltinId::Sign, "SIGN", 1, 1},
    {BuiltinId::Ceiling, "CEILING", 1, 1},
    {BuiltinId::Floor, "FLOOR", 1, 1},
    {BuiltinId::Round, "ROUND", 2, 3},
    {BuiltinId::Power, "POWER", 2, 2},
    {BuiltinId::Sqrt, "SQRT", 1, 1},
    {BuiltinId::Square, "SQUARE", 1, 1},
    {BuiltinId::Exp, "EXP", 1, 1},
    {BuiltinId::Log, "LOG", 1, 1},
    {BuiltinId::Log10, "LOG10", 1, 1},
    {BuiltinId::Pi, "PI", 0, 0},
    {BuiltinId::DateDiff, "DATEDIFF", 3, 3, true},
    {BuiltinId::DateAdd, "DATEADD", 3, 3, true},
    {BuiltinId::DatePart, "DATEPART", 2, 2, true},
    {BuiltinId::DateName, "DATENAME", 2, 2, true},
    {BuiltinId::Year, "YEAR", 1, 1},
    {BuiltinId::Month, "MONTH", 1, 1},
    {BuiltinId::Day, "DAY", 1, 1},
    {BuiltinId::NewId, "NEWID", 0, 0},
    {BuiltinId::ObjectId, "OBJECT_ID", 1, 2},
    {BuiltinId::ObjectName, "OBJECT_NAME", 1, 2},
    {BuiltinId::ObjectDefinition, "OBJECT_DEFINITION", 1, 1},
    {BuiltinId::ColName, "COL_NAME", 2, 2},
    {BuiltinId::ColLength, "COL_LENGTH", 2, 2},
    {BuiltinId::ColumnProperty, "COLUMNPROPERTY", 3, 3},
    {BuiltinId::ObjectProperty, "OBJECTPROPERTY", 2, 2},
    {BuiltinId::IndexProperty, "INDEXPROPERTY", 3, 3},
    {BuiltinId::IndexCol, "INDEX_COL", 3, 3},
    {BuiltinId::TypeName, "TYPE_NAME", 1, 1},
    {BuiltinId::TypeIdOf, "TYPE_ID", 1, 1},
    {BuiltinId::SchemaName, "SCHEMA_NAME", 0, 1},
    {BuiltinId::SchemaId, "SCHEMA_ID", 0, 1},
    {BuiltinId::DbId, "DB_ID", 0, 1},
}};

const DataType kInt = DataType::of(TypeId::Int);
const DataType kBigInt = DataType::of(TypeId::BigInt);
const DataType kFloat = DataType::of(TypeId::Float);
const DataType kDateTime = DataType::of(TypeId::DateTime);

DataType orInt(const std::optional<DataType>& t) {
    return t ? *t : kInt;
}

// A text argument: its own character type, or varchar for other types (numbers convert to text).
DataType textOf(const std::optional<DataType>& t) {
    if (t && t->isCharacter())
        return *t;
    return DataType::varchar(30);
}

bool anyUnicode(const std::vector<std::optional<DataType>>& args, std::size_t count) {
    for (std::size_t i = 0; i < count && i < args.size(); ++i)
        if (args[i] && args[i]->isUnicode())
            return true;
    return false;
}

bool anyMax(const std::vector<std::optional<DataType>>& args, std::size_t count) {
    for (std::size_t i = 0; i < count && i < args.size(); ++i)
        if (args[i] && (args[i]->isMax() || args[i]->isLob()))
            return true;
    return false;
}

// varchar or nvarchar of a length, capped at the longest non-max length.
DataType varying(bool unicode, std::int32_t length) {
    if (length == DataType::kMax)
        return unicode ? DataType::nvarchar(DataType::kMax) : DataType::varchar(DataType::kMax);
    const std::int32_t cap = unicode ? DataType::kMaxNCharLength : DataType::kMaxCharLength;
    return unicode ? DataType::nvarchar(std::clamp(length, 1, cap))
                   : DataType::varchar(std::clamp(length, 1, cap));
}

// The same kind of text as the argument, varying, of the argument's length.
DataType sameText(const DataType& t) {
    return varying(t.isUnicode(), t.isLob() ? DataType::kMax : t.length);
}

// Part of a text: at most `count` characters from `start` on, when they are constants.
DataType takenText(const DataType& t, std::optional<std::int64_t> start, std::optional<std::int64_t> count) {
    DataType r = sameText(t);
    std::int64_t length = r.isMax() ? std::numeric_limits<std::int64_t>::max() : r.length;
    if (start && !r.isMax())
        length -= std::max<std::int64_t>(*start, 1) - 1;
    if (count && *count >= 0)
        length = std::min(length, start ? *count + std::min<std::int64_t>(*start, 1) - 1 : *count);
    if (length == std::numeric_limits<std::int64_t>::max())
        return r;
    return varying(t.isUnicode(), static_cast<std::int32_t>(std::min<std::int64_t>(length, 8000)));
}

// The longest text of the arguments' kind: 8000 or 4000, or max.
DataType longText(const std::vector<std::optional<DataType>>& args, std::size_t count) {
    return varying(anyUnicode(args, count), anyMax(args, count) ? DataType::kMax : 8000);
}

DataType numericArgument(const std::optional<DataType>& t, std::string_view function) {
    const DataType d = orInt(t);
    if (d.isCharacter())
        return kFloat;
    if (!d.isNumeric())
        throw SqlError(8116, 16, 1,
                       "Argument data type " + std::string(d.name()) + " is invalid for argument 1 of " +
                           std::string(function) + " function.");
    return d.id == TypeId::Bit ? kInt : d;
}

DataType integerResult(const DataType& d) {
    if (d.id == TypeId::TinyInt || d.id == TypeId::SmallInt)
        return kInt;
    return d;
}

// Names are text of the caller's type (numbers become nvarchar), ids are int.
DataType nameParameter(const std::optional<DataType>& t) {
    if (t && t->isCharacter())
        return *t;
    return DataType::nvarchar(DataType::kMaxNCharLength);
}

BuiltinSignature metadataSignature(const BuiltinInfo& f, const std::vector<std::optional<DataType>>& args) {
    // Which arguments are names ('n') and which are ids ('i'), and the result the server gives.
    struct Shape {
        BuiltinId id;
        std::string_view arguments;
        DataType result;
    };
    static const Shape shapes[] = {
        {BuiltinId::ObjectId, "nn", kInt},
        {BuiltinId::ObjectName, "ii", DataType::sysname()},
        {BuiltinId::ObjectDefinition, "i", DataType::nvarchar(DataType::kMax)},
        {BuiltinId::ColName, "ii", DataType::sysname()},
        {BuiltinId::ColLength, "nn", DataType::of(TypeId::SmallInt)},
        {BuiltinId::ColumnProperty, "inn", kInt},
        {BuiltinId::ObjectProperty, "in", kInt},
        {BuiltinId::IndexProperty, "inn", kInt},
        {BuiltinId::IndexCol, "nii", DataType::nvarchar(128)},
        {BuiltinId::TypeName, "i", DataType::sysname()},
        {BuiltinId::TypeIdOf, "n", kInt},
        {BuiltinId::SchemaName, "i", DataType::sysname()},
        {BuiltinId::SchemaId, "n", kInt},
        {BuiltinId::DbId, "n", kInt},
    };
    for (const Shape& shape : shapes) {
        if (shape.id != f.id)
            continue;
        BuiltinSignature s;
        for (std::size_t i = 0; i < args.size(); ++i)
            s.parameters.push_back(shape.arguments[i] == 'n' ? nameParameter(args[i]) : kInt);
        s.result = shape.result;
        return s;
    }
    throw SqlError(195, 15, 10, "'" + std::string(f.name) + "' is not a recognized built-in function name.");
}

} // namespace

const BuiltinInfo* findBuiltin(std::string_view name) {
    const std::string folded = foldName(name);
    for (const BuiltinInfo& b : kBuiltins)
        if (b.name == folded)
            return &b;
    return nullptr;
}

BuiltinSignature builtinSignature(const BuiltinInfo& f, const std::vector<std::optional<DataType>>& args,
                                  const std::vector<std::optional<std::int64_t>>& integers) {
    BuiltinSignature s;
    const auto integer = [&](std::size_t i) { return i < integers.size() ? integers[i] : std::nullopt; };
    s.parameters.assign(args.size(), std::nullopt);
    const auto arg = [&](std::size_t i) { return i < args.size() ? args[i] : std::nullopt; };
    const auto textParam = [&](std::size_t i) { s.parameters[i] = textOf(arg(i)); };
    const auto intParam = [&](std::size_t i) { s.parameters[i] = kBigInt; };
    const auto dateParam = [&](std::size_t i) {
        s.parameters[i] = arg(i) && arg(i)->isDateTime() ? *arg(i) : kDateTime;
    };
    switch (f.id) {
    case BuiltinId::Len:
    case BuiltinId::DataLength:
        textParam(0);
        if (f.id == BuiltinId::DataLength && arg(0) && !arg(0)->isCharacter())
            s.parameters[0] = std::nullopt;
        s.result = anyMax(args, 1) ? kBigInt : kInt;
        return s;
    case BuiltinId::Left:
    case BuiltinId::Right:
        textParam(0);
        intParam(1);
        s.result = takenText(*s.parameters[0], std::nullopt, integer(1));
        return s;
    case BuiltinId::Substring:
        textParam(0);
        intParam(1);
        intParam(2);
        s.result = takenText(*s.parameters[0], integer(1), integer(2));
        return s;
    case BuiltinId::Replace:
        for (std::size_t i = 0; i < 3; ++i)
            textParam(i);
        s.result = longText(s.parameters, 3);
        return s;
    case BuiltinId::Replicate:
        textParam(0);
        intParam(1);
        s.result = longText(s.parameters, 1);
        return s;
    case BuiltinId::LTrim:
    case BuiltinId::RTrim:
    case BuiltinId::Trim:
    case BuiltinId::Upper:
    case BuiltinId::Lower:
    case BuiltinId::Reverse:
        textParam(0);
        s.result = sameText(*s.parameters[0]);
        return s;
    case BuiltinId::CharIndex:
        textParam(0);
        textParam(1);
        if (args.size() > 2)
            intParam(2);
        s.result = anyMax(args, 2) ? kBigInt : kInt;
        return s;
    case BuiltinId::PatIndex:
        textParam(0);
        textParam(1);
        s.result = anyMax(args, 2) ? kBigInt : kInt;
        return s;
    case BuiltinId::NChar:
    case BuiltinId::Char:
        intParam(0);
        s.result = DataType::character(f.id == BuiltinId::NChar ? TypeId::NChar : TypeId::Char, 1);
        return s;
    case BuiltinId::Ascii:
    case BuiltinId::Unicode:
        textParam(0);
        s.result = kInt;
        return s;
    case BuiltinId::Space:
        intParam(0);
        s.result = DataType::varchar(8000);
        return s;
    case BuiltinId::Stuff:
        textParam(0);
        intParam(1);
        intParam(2);
        textParam(3);
        s.result = longText(s.parameters, 4);
        if (!s.result.isMax() && !anyUnicode(s.parameters, 1))
            s.result = varying(false, 8000);
        return s;
    case BuiltinId::Str:
        s.parameters[0] = kFloat;
        for (std::size_t i = 1; i < args.size(); ++i)
            intParam(i);
        s.result = DataType::varchar(args.size() > 1 ? 8000 : 10);
        return s;
    case BuiltinId::QuoteName:
        textParam(0);
        if (args.size() > 1)
            textParam(1);
        s.result = DataType::nvarchar(258);
        return s;
    case BuiltinId::Concat: {
        std::int64_t length = 0;
        for (std::size_t i = 0; i < args.size(); ++i) {
            textParam(i);
            const DataType& t = *s.parameters[i];
            length = (t.isMax() || t.isLob() || length < 0) ? -1 : length + t.length;
        }
        const bool unicode = anyUnicode(s.parameters, args.size());
        const std::int64_t cap = unicode ? DataType::kMaxNCharLength : DataType::kMaxCharLength;
        s.result =
            varying(unicode, length < 0 || length > cap ? DataType::kMax : static_cast<std::int32_t>(length));
        return s;
    }
    case BuiltinId::IsNumeric:
        textParam(0);
        if (arg(0) && arg(0)->isNumeric())
            s.parameters[0] = std::nullopt;
        s.result = kInt;
        return s;
    case BuiltinId::NullIf: {
        const DataType common = comparisonType(orInt(arg(0)), orInt(arg(1)));
        s.parameters = {common, common};
        s.result = orInt(arg(0));
        return s;
    }
    case BuiltinId::Abs:
    case BuiltinId::Ceiling:
    case BuiltinId::Floor:
    case BuiltinId::Sign: {
        const DataType d = numericArgument(arg(0), f.name);
        s.parameters[0] = d;
        s.result = d;
        if (d.isDecimal() && f.id != BuiltinId::Abs)
            s.result = DataType::numeric(d.precision, 0);
        if (f.id == BuiltinId::Sign)
            s.result = integerResult(s.result);
        return s;
    }
    case BuiltinId::Round: {
        const DataType d = numericArgument(arg(0), f.name);
        s.parameters[0] = d;
        intParam(1);
        if (args.size() > 2)
            intParam(2);
        s.result = d.id == TypeId::Real ? kFloat : integerResult(d);
        return s;
    }
    case BuiltinId::Power: {
        const DataType d = numericArgument(arg(0), f.name);
        s.parameters[0] = d;
        s.parameters[1] = kFloat;
        s.result = d.isDecimal() ? DataType::numeric(38, d.scale)
                                 : (d.id == TypeId::Real ? kFloat : integerResult(d));
        return s;
    }
    case BuiltinId::Sqrt:
    case BuiltinId::Square:
    case BuiltinId::Exp:
    case BuiltinId::Log:
    case BuiltinId::Log10:
        s.parameters[0] = kFloat;
        s.result = kFloat;
        return s;
    case BuiltinId::Pi:
        s.result = kFloat;
        return s;
    case BuiltinId::DateDiff:
        dateParam(1);
        dateParam(2);
        s.result = kInt;
        return s;
    case BuiltinId::DateAdd:
        intParam(1);
        dateParam(2);
        s.result = *s.parameters[2];
        return s;
    case BuiltinId::DatePart:
        dateParam(1);
        s.result = kInt;
        return s;
    case BuiltinId::DateName:
        dateParam(1);
        s.result = DataType::nvarchar(30);
        return s;
    case BuiltinId::Year:
    case BuiltinId::Month:
    case BuiltinId::Day:
        dateParam(0);
        s.result = kInt;
        return s;
    case BuiltinId::NewId:
        s.result = DataType::of(TypeId::UniqueIdentifier);
        return s;
    case BuiltinId::Iif:
        break;
    default:
        return metadataSignature(f, args);
    }
    throw SqlError(195, 15, 10, "'" + std::string(f.name) + "' is not a recognized built-in function name.");
}

} // namespace tsql
