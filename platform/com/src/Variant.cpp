#include "ov/Variant.h"

#include <cstdlib>
#include <cstring>

extern "C" {

void OvVariantInit(OvVariant* v) {
    if (v)
        std::memset(v, 0, sizeof *v);
}

void OvVariantClear(OvVariant* v) {
    if (!v)
        return;
    if (v->vt == OV_VT_BSTR)
        OvSysFreeString(v->bstrVal);
    else if (v->vt == OV_VT_BYTES)
        OvByteArrayFree(v->bytesVal);
    OvVariantInit(v);
}

ov::HRESULT OvVariantCopy(OvVariant* destination, const OvVariant* source) {
    if (!destination || !source)
        return ov::E_POINTER;
    if (destination == source)
        return ov::S_OK;
    OvVariantClear(destination);
    *destination = *source;
    if (source->vt == OV_VT_BSTR && source->bstrVal) {
        destination->bstrVal = OvSysAllocStringLen(source->bstrVal, OvSysStringLen(source->bstrVal));
        if (!destination->bstrVal) {
            OvVariantInit(destination);
            return ov::E_OUTOFMEMORY;
        }
    } else if (source->vt == OV_VT_BYTES && source->bytesVal) {
        destination->bytesVal = OvByteArrayAlloc(source->bytesVal->data, source->bytesVal->length);
        if (!destination->bytesVal) {
            OvVariantInit(destination);
            return ov::E_OUTOFMEMORY;
        }
    }
    return ov::S_OK;
}

OvByteArray* OvByteArrayAlloc(const unsigned char* data, std::uint32_t length) {
    auto* array = static_cast<OvByteArray*>(std::malloc(sizeof(OvByteArray)));
    if (!array)
        return nullptr;
    array->length = length;
    array->data = static_cast<unsigned char*>(std::malloc(length ? length : 1));
    if (!array->data) {
        std::free(array);
        return nullptr;
    }
    if (length && data)
        std::memcpy(array->data, data, length);
    return array;
}

void OvByteArrayFree(OvByteArray* array) {
    if (!array)
        return;
    std::free(array->data);
    std::free(array);
}
}

namespace ov {

namespace {
Variant tagged(OvVarType vt, auto assign) {
    Variant v;
    OvVariant* raw = v.put();
    raw->vt = vt;
    assign(*raw);
    return v;
}
} // namespace

Variant Variant::null() {
    return tagged(OV_VT_NULL, [](OvVariant&) {});
}
Variant Variant::fromBool(bool value) {
    return tagged(OV_VT_BOOL, [&](OvVariant& r) { r.boolVal = toWordBool(value); });
}
Variant Variant::fromInt(std::int32_t value) {
    return tagged(OV_VT_I4, [&](OvVariant& r) { r.intVal = value; });
}
Variant Variant::fromInt64(std::int64_t value) {
    return tagged(OV_VT_I8, [&](OvVariant& r) { r.int64Val = value; });
}
Variant Variant::fromDouble(double value) {
    return tagged(OV_VT_R8, [&](OvVariant& r) { r.doubleVal = value; });
}
Variant Variant::fromCurrency(std::int64_t scaledBy10000) {
    return tagged(OV_VT_CY, [&](OvVariant& r) { r.currencyVal = scaledBy10000; });
}
Variant Variant::fromDecimal(const OvDecimal& value) {
    return tagged(OV_VT_DECIMAL, [&](OvVariant& r) { r.decimalVal = value; });
}
Variant Variant::fromDate(double oleDays) {
    return tagged(OV_VT_DATE, [&](OvVariant& r) { r.dateVal = oleDays; });
}
Variant Variant::fromString(std::u16string_view text) {
    return tagged(OV_VT_BSTR, [&](OvVariant& r) {
        r.bstrVal = OvSysAllocStringLen(text.data(), static_cast<std::uint32_t>(text.size()));
    });
}
Variant Variant::fromBytes(std::span<const unsigned char> bytes) {
    return tagged(OV_VT_BYTES, [&](OvVariant& r) {
        r.bytesVal = OvByteArrayAlloc(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    });
}

} // namespace ov
