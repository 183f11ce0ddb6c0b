// A language module read through "CtiOznamID": Slovak texts written in code page 1250.

#include "lang/LanguageModuleExports.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) const char* CtiOznamID(std::uint32_t messageNumber) {
    switch (messageNumber) {
    case 5000003:
        return "Ulo\x9Ei\x9D zmeny ?"; // "Uložiť zmeny ?"
    case 5000015:
        return "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2"; // "Žluťoučký kůň"
    case 5000010:
        return ""; // known to the module, but not translated
    default:
        return nullptr;
    }
}

static_assert(std::is_same_v<decltype(&CtiOznamID), provozmat::CtiOznamIDEntry>);
