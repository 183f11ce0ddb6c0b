#include "tsql/SqliteValues.h"

#include "WideInt.h"
#include "tsql/SqlError.h"

#include <sqlite3.h>

#include <limits>

namespace tsql {

namespace {

bool wideDecimal(const DataType& t) {
    return t.isDecimal() && t.precision > 19;
}

// The storage form of a value, as SQLite sees it.
struct Stored {
    StorageClass kind = StorageClass::Integer;
    bool null = false;
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes; // text or blob
};

Stored store(const Value& v) {
    Stored s;
    const DataType& t = v.type();
    s.kind = storageClassOf(t);
    if (v.isNull()) {
        s.null = true;
        return s;
    }
    if (t.id == TypeId::Bit)
        s.integer = v.asBool() ? 1 : 0;
    else if (t.isInteger())
        s.integer = v.asInt64();
    else if (wideDecimal(t))
        s.bytes = encodeWideDecimal(v.asDecimal());
    else if (t.isDecimal() || t.isMoney()) {
        const Decimal::Mantissa m = v.asDecimal().mantissa();
        if (m > std::numeric_limits<std::int64_t>::max() || m < std::numeric_limits<std::int64_t>::min())
            throw errors::arithmeticOverflow("numeric", t.name());
        s.integer = static_cast<std::int64_t>(m);
    } else if (t.isApproximate())
        s.real = v.asDouble();
    else if (t.isDateTime())
        s.integer = v.asDateTime().storage();
    else if (t.id == TypeId::UniqueIdentifier) {
        const Guid::Bytes key = v.asGuid().sortKey();
        s.bytes.assign(key.begin(), key.end());
    } else
        s.bytes = t.isCharacter() ? v.asText() : v.asBytes();
    return s;
}

std::string_view blobOf(sqlite3_value* v) {
    const void* p = sqlite3_value_blob(v);
    return p == nullptr ? std::string_view()
                        : std::string_view(static_cast<const char*>(p),
                                           static_cast<std::size_t>(sqlite3_value_bytes(v)));
}

std::string_view textOf(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p == nullptr ? std::string_view()
                        : std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v)));
}

} // namespace

StorageClass storageClassOf(const DataType& t) {
    if (t.isCharacter())
        return StorageClass::Text;
    if (t.isBinary() || t.id == TypeId::UniqueIdentifier || wideDecimal(t))
        return StorageClass::Blob;
    if (t.isApproximate())
        return StorageClass::Real;
    return StorageClass::Integer;
}

std::string encodeWideDecimal(const Decimal& value) {
    auto u = static_cast<detail::UInt128>(value.mantissa());
    u ^= static_cast<detail::UInt128>(1) << 127; // the sign bit flipped: negatives sort first
    std::string out(16, '\0');
    for (int i = 15; i >= 0; --i) {
        out[static_cast<std::size_t>(i)] = static_cast<char>(static_cast<unsigned char>(u & 0xFF));
        u >>= 8;
    }
    return out;
}

Decimal decodeWideDecimal(std::string_view bytes, int scale) {
    if (bytes.size() != 16)
        throw errors::errorConverting("varbinary", "numeric");
    detail::UInt128 u = 0;
    for (const char c : bytes)
        u = (u << 8) | static_cast<unsigned char>(c);
    u ^= static_cast<detail::UInt128>(1) << 127;
    return Decimal(static_cast<Decimal::Mantissa>(u), scale);
}

void bindValue(sqlite3_stmt* stmt, int index, const Value& value) {
    const Stored s = store(value);
    if (s.null) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (s.kind) {
    case StorageClass::Integer:
        sqlite3_bind_int64(stmt, index, s.integer);
        break;
    case StorageClass::Real:
        sqlite3_bind_double(stmt, index, s.real);
        break;
    case StorageClass::Text:
        sqlite3_bind_text64(stmt, index, s.bytes.data(), s.bytes.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    case StorageClass::Blob:
        sqlite3_bind_blob64(stmt, index, s.bytes.data(), s.bytes.size(), SQLITE_TRANSIENT);
        break;
    }
}

void resultValue(sqlite3_context* ctx, const Value& value) {
    const Stored s = store(value);
    if (s.null) {
        sqlite3_result_null(ctx);
        return;
    }
    switch (s.kind) {
    case StorageClass::Integer:
        sqlite3_result_int64(ctx, s.integer);
        break;
    case StorageClass::Real:
        sqlite3_result_double(ctx, s.real);
        break;
    case StorageClass::Text:
        sqlite3_result_text64(ctx, s.bytes.data(), s.bytes.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    case StorageClass::Blob:
        sqlite3_result_blob64(ctx, s.bytes.data(), s.bytes.size(), SQLITE_TRANSIENT);
        break;
    }
}

Value readValue(sqlite3_value* v, const DataType& t) {
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return Value::null(t);
    if (t.id == TypeId::Bit)
        return Value::bit(sqlite3_value_int64(v) != 0);
    if (t.isInteger())
        return Value::integer(sqlite3_value_int64(v), t.id);
    if (wideDecimal(t))
        return Value::decimal(decodeWideDecimal(blobOf(v), t.scale), t);
    if (t.isDecimal() || t.isMoney())
        return Value::decimal(Decimal(sqlite3_value_int64(v), t.scale), t);
    if (t.isApproximate())
        return Value::floating(sqlite3_value_double(v), t.id);
    if (t.isDateTime())
        return Value::dateTime(DateTime::fromStorage(sqlite3_value_int64(v)), t.id);
    if (t.id == TypeId::UniqueIdentifier) {
        const std::string_view b = blobOf(v);
        if (b.size() != 16)
            throw errors::errorConverting("varbinary", "uniqueidentifier");
        Guid::Bytes key{};
        for (std::size_t i = 0; i < key.size(); ++i)
            key.at(i) = static_cast<std::uint8_t>(b[i]);
        return Value::guid(Guid::fromSortKey(key));
    }
    if (t.isCharacter())
        return Value::text(std::string(textOf(v)), t);
    return Value::binary(std::string(blobOf(v)), t);
}

Value readColumn(sqlite3_stmt* stmt, int column, const DataType& type) {
    return readValue(sqlite3_column_value(stmt, column), type);
}

} // namespace tsql
