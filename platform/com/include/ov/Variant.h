#pragma once
// OleVariant as it crosses a module boundary: a tag and a value. Strings and byte arrays are
// owned by the variant and allocated through the runtime, so OvVariantClear frees them
// whichever module made them. The tag values are those of OLE automation.

#include "ov/BStr.h"
#include "ov/HResult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

extern "C" {

enum OvVarType : std::uint16_t {
    OV_VT_EMPTY = 0,
    OV_VT_NULL = 1,
    OV_VT_I4 = 3,
    OV_VT_R8 = 5,
    OV_VT_CY = 6,   // currency: a 64-bit integer scaled by 10,000
    OV_VT_DATE = 7, // OLE day number: days since 1899-12-30, time as the fraction
    OV_VT_BSTR = 8,
    OV_VT_BOOL = 11,    // WordBool: -1 true, 0 false
    OV_VT_DECIMAL = 14, // exact decimal, up to 38 digits
    OV_VT_I8 = 20,
    OV_VT_BYTES = 0x2011 // VT_ARRAY | VT_UI1
};

// An exact decimal: value = (negative ? -1 : 1) * (hi * 2^64 + lo) / 10^scale.
struct OvDecimal {
    std::uint64_t lo;
    std::uint64_t hi;
    std::uint8_t scale;
    std::uint8_t negative;
};

struct OvByteArray {
    std::uint32_t length;
    unsigned char* data;
};

struct OvVariant {
    std::uint16_t vt;
    std::uint16_t reserved[3];
    union {
        std::int32_t intVal;
        std::int64_t int64Val;
        double doubleVal;
        std::int64_t currencyVal;
        double dateVal;
        std::int16_t boolVal;
        OvBSTR bstrVal;
        OvDecimal decimalVal;
        OvByteArray* bytesVal;
    };
};

void OvVariantInit(OvVariant* v);
void OvVariantClear(OvVariant* v);
// Deep copy into an initialised destination (which is cleared first).
ov::HRESULT OvVariantCopy(OvVariant* destination, const OvVariant* source);
OvByteArray* OvByteArrayAlloc(const unsigned char* data, std::uint32_t length);
void OvByteArrayFree(OvByteArray* array);
}

namespace ov {

// An owned OvVariant with typed constructors and readers.
class Variant {
public:
    Variant() noexcept { OvVariantInit(&v_); }
    Variant(const Variant& other) : Variant() { OvVariantCopy(&v_, &other.v_); }
    Variant(Variant&& other) noexcept : v_(other.v_) { OvVariantInit(&other.v_); }
    explicit Variant(const OvVariant& raw) : Variant() { OvVariantCopy(&v_, &raw); }
    ~Variant() { OvVariantClear(&v_); }
    Variant& operator=(Variant other) noexcept {
        std::swap(v_, other.v_);
        return *this;
    }

    static Variant null();
    static Variant fromBool(bool value);
    static Variant fromInt(std::int32_t value);
    static Variant fromInt64(std::int64_t value);
    static Variant fromDouble(double value);
    static Variant fromCurrency(std::int64_t scaledBy10000);
    static Variant fromDecimal(const OvDecimal& value);
    static Variant fromDate(double oleDays);
    static Variant fromString(std::u16string_view text);
    static Variant fromBytes(std::span<const unsigned char> bytes);

    OvVarType type() const noexcept { return static_cast<OvVarType>(v_.vt); }
    bool isEmpty() const noexcept { return v_.vt == OV_VT_EMPTY; }
    bool isNull() const noexcept { return v_.vt == OV_VT_NULL; }

    const OvVariant& raw() const noexcept { return v_; }
    // Address for an out-parameter; clears what was held.
    OvVariant* put() noexcept {
        OvVariantClear(&v_);
        return &v_;
    }
    // Address for an in/out parameter: the callee may replace the value.
    OvVariant* inOut() noexcept { return &v_; }

    bool asBool() const noexcept { return v_.boolVal != 0; }
    std::int32_t asInt() const noexcept { return v_.intVal; }
    std::int64_t asInt64() const noexcept { return v_.int64Val; }
    double asDouble() const noexcept { return v_.doubleVal; }
    std::int64_t asCurrency() const noexcept { return v_.currencyVal; }
    const OvDecimal& asDecimal() const noexcept { return v_.decimalVal; }
    double asDate() const noexcept { return v_.dateVal; }
    std::u16string_view asString() const noexcept { return bstrView(v_.bstrVal); }
    std::span<const unsigned char> asBytes() const noexcept {
        return v_.bytesVal ? std::span<const unsigned char>(v_.bytesVal->data, v_.bytesVal->length)
                           : std::span<const unsigned char>();
    }

private:
    OvVariant v_;
};

} // namespace ov
